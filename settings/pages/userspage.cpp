#include "settings/pages/userspage.h"

#include "ui_userspage.h"

#include "device/tykt2.h"
#include "settings/pagefacts.h"
#include "settings/pages/digitfield.h"
#include "settings/pages/notapplicable.h"
#include "settings/pages/pagehost.h"
#include "settings/pages/quietly.h"
#include "settings/phonenumber.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "util/pause.h"
#include "wizard/pagelist.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>
#include <functional>
#include <iterator>

namespace ykt {

namespace {

constexpr int LastUserRow = SettingsModel::UserCount - 1;
// PnAddCR is read and written from firmware 1026 on.
constexpr int LastFirmwareWithoutAdditionalCR = 1025;
// An access PIN of fewer than four digits.
constexpr int PinTooShortMessage = 92;
// The gap the send sequence keeps between two commands.
constexpr int CommandGapMs = 5;
// The light red of a field whose text is not valid yet (colour value 15395583).
const QColor InvalidFieldColor(255, 234, 234);

bool isUserRow(int r)
{
    return r >= 0 && r < SettingsModel::UserCount;
}

// The access PIN as the module holds it: eight nibbles, one digit each from
// the top, 0xF after the last digit. Shown as its hexadecimal digits up to
// the first F; the field then drops anything that is not a decimal digit.
QString pinText(quint32 word)
{
    const QString hex = QString::number(word, 16).toUpper().rightJustified(8, QLatin1Char('0'));
    return hex.left(hex.indexOf(QLatin1Char('F')));
}

void setBold(QWidget *w, bool bold)
{
    QFont font = w->font();
    font.setBold(bold);
    w->setFont(font);
}

} // namespace

// Hands the text of a finished number edit to the page instead of writing it
// into the cell; the page decides what the record keeps and redraws the cell.
// It also knows the editor that is open, so that leaving the page can end the
// edit first.
class NumberDelegate : public QStyledItemDelegate
{
public:
    using Edited = std::function<void(int row, const QString &text)>;

    NumberDelegate(Edited edited, QObject *parent)
        : QStyledItemDelegate(parent), m_edited(std::move(edited))
    {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        // What the record would drop is refused as it is typed.
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            line->setMaxLength(MaxPhoneNumberLength);
            line->setValidator(
                new QRegularExpressionValidator(QRegularExpression(PhoneNumberPattern()), line));
        }
        m_open = editor;
        return editor;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *,
                      const QModelIndex &index) const override
    {
        if (const auto *line = qobject_cast<QLineEdit *>(editor))
            m_edited(index.row(), line->text());
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor == m_open)
            m_open.clear();
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Ends an open edit as Enter would.
    void commitOpenEditor()
    {
        if (QWidget *editor = m_open.data()) {
            m_open.clear();
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
        }
    }

private:
    Edited m_edited;
    mutable QPointer<QWidget> m_open;
};

TUsersPage::TUsersPage(PageHost &host, QWidget *parent)
    : TConfigPage(host, UsersPageIndex, parent), ui(std::make_unique<Ui::TUsersPage>())
{
    ui->setupUi(this);
    setUpPhoneList();
    bindRules();

    connect(ui->TntButton7, &QPushButton::clicked, this, &TUsersPage::ClearSelectedNumber);
    connect(ui->TntButtonSaveNewPIN, &QPushButton::clicked, this, &TUsersPage::SaveNewPin);
    makeDigitField(ui->Edit13, MaxPinLength);
    connect(ui->Edit13, &QLineEdit::textChanged, this, &TUsersPage::paintPinField);
    ui->TntLabel44->installEventFilter(this);
    paintPinField();

    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TUsersPage::onStored);
    // The warning follows the use of the first GPRS channel.
    connect(&host.announcer(), &SettingsAnnouncer::edited, this, [this](auto area) {
        if (area == SettingsAnnouncer::Area::Reporting)
            UpdateWarning();
    });
}

TUsersPage::~TUsersPage() = default;

void TUsersPage::setUpPhoneList()
{
    QTableWidget *list = ui->VStringTree1;
    list->setRowCount(SettingsModel::UserCount);
    for (int r = 0; r < SettingsModel::UserCount; ++r) {
        auto *no = new QTableWidgetItem(QString::number(r + 1));
        no->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        list->setItem(r, NoColumn, no);
        list->setItem(r, NumberColumn, new QTableWidgetItem);
    }
    list->horizontalHeader()->setSectionResizeMode(NoColumn, QHeaderView::ResizeToContents);

    // The number is stored as the edit ends, so that the row's boxes are
    // committed with it when the focus moves on. The box about a duplicate
    // waits until the editor has gone: shown while the editor still has the
    // focus, it would end the edit a second time.
    const auto editEnded = [this](int r, const QString &text) {
        if (!storeNumber(r, text))
            QMetaObject::invokeMethod(this, &TUsersPage::refuseDuplicate, Qt::QueuedConnection);
    };
    m_numberDelegate = new NumberDelegate(editEnded, list);
    list->setItemDelegateForColumn(NumberColumn, m_numberDelegate);
    // A click on any cell of a row opens the editor of its number.
    connect(list, &QTableWidget::cellClicked, this,
            [list](int r) { list->editItem(list->item(r, NumberColumn)); });
    connect(list, &QTableWidget::currentCellChanged, this, [this](int r, int, int previous, int) {
        if (r == previous)
            return;
        // A number still in its editor belongs to the row being left.
        m_numberDelegate->commitOpenEditor();
        CommitRow();
        ShowRow(r);
    });
}

void TUsersPage::bindRules()
{
    connect(ui->TntCheckBox9, &QCheckBox::toggled, this, &TUsersPage::periodicSmsTestRule);
    connect(ui->TntCheckBox22, &QCheckBox::toggled, this, &TUsersPage::mandatoryCallRule);
    connect(ui->TntCheckBox38, &QCheckBox::toggled, this, &TUsersPage::smsBackupRule);
    connect(ui->TntComboBox17, &QComboBox::currentIndexChanged, this, &TUsersPage::smartphoneRule);
    for (QCheckBox *box : warningEventBoxes())
        connect(box, &QCheckBox::toggled, this, &TUsersPage::UpdateWarning);
    for (QCheckBox *box : findChildren<QCheckBox *>()) {
        if (box != ui->TntCheckBox10 && box != ui->TntCheckBox27)
            connect(box, &QCheckBox::toggled, this, &TUsersPage::flagsEdited);
    }
    connect(ui->TntComboBox17, &QComboBox::currentIndexChanged, this, &TUsersPage::flagsEdited);
}

void TUsersPage::flagsEdited()
{
    if (m_showing || !isUserRow(m_displayedRow))
        return;
    CommitRow();
    host().announcer().announceEdit(SettingsAnnouncer::Area::Users);
}

// --- Rows ---------------------------------------------------------------------------

PhoneRecord &TUsersPage::record(int r) const
{
    return host().model().phones[size_t(r)];
}

void TUsersPage::ShowRow(int r)
{
    if (!isUserRow(r))
        return;
    m_displayedRow = r;
    const PhoneRecord &user = record(r);
    m_showing = true;
    showFlags(unpackUserFlags(user.cr, user.addCr));
    m_showing = false;
    UpdateWarning();
}

void TUsersPage::CommitRow()
{
    if (!isUserRow(m_displayedRow))
        return;
    PhoneRecord &user = record(m_displayedRow);
    if (user.number.isEmpty()) {
        user.cr = 0;
        user.addCr = 0;
        return;
    }
    const UserFlags flags = flagsOnScreen();
    user.cr = packPnCR(flags);
    user.addCr = packPnAddCR(flags);
}

void TUsersPage::SelectFirstRow()
{
    {
        // Moving the focus would commit the row shown before.
        const QSignalBlocker quiet(ui->VStringTree1);
        // The "No" cell, so that no editor opens.
        ui->VStringTree1->setCurrentCell(0, NoColumn);
    }
    ShowRow(0);
}

void TUsersPage::RedrawList()
{
    for (int r = 0; r < SettingsModel::UserCount; ++r)
        showNumber(r);
}

void TUsersPage::showNumber(int r)
{
    ui->VStringTree1->item(r, NumberColumn)->setText(host().ToUnicode(record(r).number));
}

void TUsersPage::EditNumber(int r, const QString &text)
{
    if (!storeNumber(r, text))
        refuseDuplicate();
}

bool TUsersPage::storeNumber(int r, const QString &text)
{
    if (!isUserRow(r))
        return true;
    // An edit that changed nothing leaves the number as the module has it.
    if (text == host().ToUnicode(record(r).number))
        return true;
    const QByteArray number = PhoneNumberOf(text);
    const bool refused = !number.isEmpty() && isNumberOfAnotherUser(number, r);
    if (!refused)
        record(r).number = number;
    showNumber(r);
    if (!refused)
        host().announcer().announceEdit(SettingsAnnouncer::Area::Users);
    return !refused;
}

void TUsersPage::refuseDuplicate()
{
    host().ShowMessageBox(host().MessageW(81), DialogSeam::Icon::Error, QMessageBox::Ok);
}

bool TUsersPage::isNumberOfAnotherUser(const QByteArray &number, int r) const
{
    for (int other = 0; other < SettingsModel::UserCount; ++other) {
        if (other != r && SamePhoneNumber(record(other).number, number))
            return true;
    }
    return false;
}

void TUsersPage::LeavePage()
{
    // A number still in its editor counts: the step labels take no focus,
    // so nothing else has ended the edit.
    m_numberDelegate->commitOpenEditor();
    if (ui->VStringTree1->currentRow() >= 0)
        CommitRow();
}

// --- The check boxes ----------------------------------------------------------------

void TUsersPage::showFlags(const UserFlags &f)
{
    // In this order, each box followed by its own rule whether or not its
    // state changed.
    setQuietly(ui->TntCheckBox5, f.armingSms);
    setQuietly(ui->TntCheckBox6, f.disarmingSms);
    setQuietly(ui->TntCheckBox7, f.callOnAlarm);
    setQuietly(ui->TntCheckBox9, f.periodicSmsTest);
    periodicSmsTestRule();
    setQuietly(ui->TntCheckBox22, f.mandatoryCall);
    mandatoryCallRule();
    setQuietly(ui->TntCheckBox23, f.alarmSms);
    setQuietly(ui->TntCheckBox24, f.troubleSms);
    setQuietly(ui->TntCheckBox29, f.bypassReports);
    setQuietly(ui->TntCheckBox30, f.pgmStateReports);
    setQuietly(ui->TntCheckBox31, f.forwardUnknownSms);
    setQuietly(ui->TntCheckBox32, f.changeArmOnShortCall);
    setQuietly(ui->TntCheckBox38, f.smsBackup);
    smsBackupRule();
    setQuietly(ui->TntCheckBox39, f.prohibitControl);
    {
        const QSignalBlocker quiet(ui->TntComboBox17);
        ui->TntComboBox17->setCurrentIndex(int(f.smartphone));
    }
    smartphoneRule();
    setQuietly(ui->TntCheckBox54, f.pushNotifications);
}

UserFlags TUsersPage::flagsOnScreen() const
{
    UserFlags f;
    f.armingSms = ui->TntCheckBox5->isChecked();
    f.disarmingSms = ui->TntCheckBox6->isChecked();
    f.callOnAlarm = ui->TntCheckBox7->isChecked();
    f.mandatoryCall = ui->TntCheckBox22->isChecked();
    f.periodicSmsTest = ui->TntCheckBox9->isChecked();
    f.alarmSms = ui->TntCheckBox23->isChecked();
    f.troubleSms = ui->TntCheckBox24->isChecked();
    f.bypassReports = ui->TntCheckBox29->isChecked();
    f.pgmStateReports = ui->TntCheckBox30->isChecked();
    f.forwardUnknownSms = ui->TntCheckBox31->isChecked();
    f.changeArmOnShortCall = ui->TntCheckBox32->isChecked();
    f.smsBackup = ui->TntCheckBox38->isChecked();
    f.prohibitControl = ui->TntCheckBox39->isChecked();
    f.pushNotifications = ui->TntCheckBox54->isChecked();
    f.smartphone = smartphoneChoice();
    return f;
}

Smartphone TUsersPage::smartphoneChoice() const
{
    switch (ui->TntComboBox17->currentIndex()) {
    case int(Smartphone::Android):
        return Smartphone::Android;
    case int(Smartphone::IPhone):
        return Smartphone::IPhone;
    default:
        return Smartphone::No;
    }
}

void TUsersPage::periodicSmsTestRule()
{
    // The interval stays disabled until the module's options have arrived.
    ui->se1->setEnabled(m_smsOptionsRead && ui->TntCheckBox9->isChecked());
}

void TUsersPage::mandatoryCallRule()
{
    const bool mandatory = ui->TntCheckBox22->isChecked();
    if (mandatory)
        ui->TntCheckBox7->setChecked(false);
    ui->TntCheckBox7->setEnabled(!mandatory);
}

void TUsersPage::smsBackupRule()
{
    // A number that backs up GPRS reporting by SMS is neither called nor
    // tested, and may be barred from controlling the module.
    const bool backup = ui->TntCheckBox38->isChecked();
    if (backup) {
        for (QCheckBox *box : {ui->TntCheckBox7, ui->TntCheckBox22, ui->TntCheckBox9,
                               ui->TntCheckBox31, ui->TntCheckBox32})
            box->setChecked(false);
    } else {
        ui->TntCheckBox39->setChecked(false);
    }
    const std::initializer_list<QWidget *> callsAndTests{
        ui->TntCheckBox7, ui->TntCheckBox22, ui->TntCheckBox9, ui->se1,
        ui->TntLabelDays, ui->TntCheckBox31, ui->TntCheckBox32};
    for (QWidget *w : callsAndTests)
        showUnlessNotApplicable(w, !backup);
    showUnlessNotApplicable(ui->TntCheckBox39, backup);
    UpdateWarning();
}

void TUsersPage::smartphoneRule()
{
    const bool smartphone = smartphoneChoice() != Smartphone::No;
    if (!smartphone)
        ui->TntCheckBox54->setChecked(false);
    showUnlessNotApplicable(ui->TntCheckBox54, smartphone);
}

std::array<QCheckBox *, 6> TUsersPage::warningEventBoxes() const
{
    return {ui->TntCheckBox23, ui->TntCheckBox5,  ui->TntCheckBox6,
            ui->TntCheckBox30, ui->TntCheckBox29, ui->TntCheckBox24};
}

void TUsersPage::UpdateWarning()
{
    // An SMS backup number that is told nothing, or backs up a channel that
    // is not used, backs up nothing.
    const auto events = warningEventBoxes();
    const bool toldSomething =
        std::any_of(events.begin(), events.end(), [](QCheckBox *b) { return b->isChecked(); });
    ui->TntLabel44->setVisible(ui->TntCheckBox38->isChecked() &&
                               (!toldSomething || !FirstChannelUsed(host().model())));
}

void TUsersPage::setWarningCaptionsBold(bool bold)
{
    for (QCheckBox *box : warningEventBoxes())
        setBold(box, bold);
}

bool TUsersPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->TntLabel44 &&
        (event->type() == QEvent::Enter || event->type() == QEvent::Leave))
        setWarningCaptionsBold(event->type() == QEvent::Enter);
    return QWidget::eventFilter(watched, event);
}

// --- The access PIN -----------------------------------------------------------------

void TUsersPage::paintPinField()
{
    QPalette colours = ui->Edit13->palette();
    colours.setColor(QPalette::Base, ui->Edit13->text().size() >= MinPinLength
                                         ? palette().color(QPalette::Base)
                                         : InvalidFieldColor);
    ui->Edit13->setPalette(colours);
}

QByteArray TUsersPage::AccessPinText() const
{
    return ui->Edit13->text().toLatin1();
}

// --- Actions ------------------------------------------------------------------------

bool TUsersPage::hasAdditionalRegisters() const
{
    const TYKT2 *driver = host().driver();
    return driver && driver->FirmwareVersion() > LastFirmwareWithoutAdditionalCR;
}

void TUsersPage::ClearSelectedNumber()
{
    const int r = ui->VStringTree1->currentRow();
    if (!host().driver() || host().driver()->Reading() || !isUserRow(r))
        return;
    record(r) = PhoneRecord();
    // Every command waits for the module and so lets the window go on; the
    // driver is asked for again after each (a close takes it away).
    if (TYKT2 *driver = host().driver())
        driver->SetPhoneNumber(quint8(r), 0, QByteArray());
    if (TYKT2 *driver = host().driver(); driver && hasAdditionalRegisters())
        driver->SetPhoneNumberAdditionalCR(quint8(r), 0);
    {
        // Row r is the one shown, whatever was clicked while the module was busy.
        const QSignalBlocker quiet(ui->VStringTree1);
        ui->VStringTree1->setCurrentCell(r, NoColumn);
    }
    ShowRow(r);
    showNumber(r);
    if (TYKT2 *driver = host().driver())
        driver->EndExchange(true);
}

std::optional<SendRefusal> TUsersPage::CheckBeforeSend() const
{
    if (AccessPinText().size() < MinPinLength)
        return SendRefusal{PinTooShortMessage, UsersPageIndex};
    return std::nullopt;
}

void TUsersPage::SaveNewPin()
{
    TYKT2 *driver = host().driver();
    if (!driver)
        return;
    if (const auto refusal = CheckBeforeSend()) {
        host().ShowMessageBox(host().MessageW(refusal->message), DialogSeam::Icon::Error);
        return;
    }
    try {
        driver->SetAccessPIN(AccessPinText());
    } catch (const ConversionError &) {
        return; // the field holds digits only; nothing was sent
    }
    if ((driver = host().driver()))
        driver->EndExchange(true);
}

void TUsersPage::SendUsers()
{
    const bool additional = hasAdditionalRegisters();
    // Each command and each pause lets the window go on, and a close takes
    // the driver away: it is asked for anew every time.
    const auto send = [this](const auto &command) {
        TYKT2 *driver = host().driver();
        if (!driver)
            return false;
        command(*driver);
        Pause(CommandGapMs);
        return true;
    };
    for (int r = 0; r < SettingsModel::UserCount; ++r) {
        const PhoneRecord user = record(r);
        if (user.number.isEmpty())
            continue; // only "Clear selected number" removes a number from the module
        if (!send([&](TYKT2 &d) { d.SetPhoneNumber(quint8(r), user.cr, user.number); }))
            return;
        if (additional &&
            !send([&](TYKT2 &d) { d.SetPhoneNumberAdditionalCR(quint8(r), user.addCr); }))
            return;
    }
}

// --- Rules of the window ------------------------------------------------------------

void TUsersPage::ApplyWorkMode(WorkMode mode)
{
    // No work mode changes the arm state on a short call.
    ui->TntCheckBox32->setChecked(false);
    ui->TntCheckBox32->hide();
    setNotApplicable(ui->TntCheckBox32, true);
    ui->TntPanel23->setVisible(mode == WorkMode::Communicator);
    // The mode shows the first phone number row.
    SelectFirstRow();
}

void TUsersPage::ApplyCapabilities(const ModuleContext &context)
{
    const bool voiceCalls = !context.capabilities.basicModel;
    for (QCheckBox *box : {ui->TntCheckBox7, ui->TntCheckBox22}) {
        setNotApplicable(box, !voiceCalls);
        box->setVisible(voiceCalls && !ui->TntCheckBox38->isChecked());
    }
}

void TUsersPage::ApplyLanguageTexts()
{
    const auto message = [this](int n) { return host().MessageW(n); };
    const auto indented = [&](int n) { return QStringLiteral("   ") + message(n); };
    const QStringList examples{message(44),  indented(45), indented(46), indented(47),
                               QString(),    message(48),  indented(49), indented(50),
                               indented(51), QString(),    message(52)};
    ui->TntLabel9->setToolTip(examples.join(QLatin1Char('\n')));
    ui->VStringTree1->setToolTip(message(103));
}

// --- What others take from here -----------------------------------------------------

SmsPstnCrFields TUsersPage::PageSmsPstnFields() const
{
    SmsPstnCrFields fields;
    fields.smsTestDays = ui->se1->value();
    fields.onlyRegistered = ui->TntCheckBox10->isChecked();
    fields.limitedTroubleSms = ui->TntCheckBox27->isChecked();
    return fields;
}

QWidget *TUsersPage::AttentionTarget() const
{
    return ui->TntCheckBox23;
}

bool TUsersPage::KeepsHintLines(const QWidget *widget) const
{
    return widget == ui->TntLabel9;
}

// --- The model ------------------------------------------------------------------------

void TUsersPage::Show()
{
    RedrawList();
    OnSMSPSTNCR();
    OnAccessPIN();
    SelectFirstRow();
}

void TUsersPage::Commit()
{
    LeavePage();
    UsersArea &users = host().model().users;
    SmsPstnCrFields fields = PageSmsPstnFields();
    fields.shortCallSeconds = unpackSMSPSTNCR(users.smsPstnCr).shortCallSeconds;
    users.smsPstnCr = packSMSPSTNCR(fields);
    try {
        users.accessPin = packets::packAccessPIN(AccessPinText());
    } catch (const ConversionError &) {
        // The field holds digits only; the model keeps the PIN it had.
    }
}

// --- Arrivals -----------------------------------------------------------------------

void TUsersPage::onStored(quint8 answerType, int index)
{
    switch (answerType) {
    case SettingsReceiver::PhoneNumber:
        OnPhoneNumber(index);
        break;
    case SettingsReceiver::PhoneNumberAdditionalCR:
        OnPhoneNumberAdditionalCR(index);
        break;
    case SettingsReceiver::SMSPSTNCR:
        OnSMSPSTNCR();
        break;
    case SettingsReceiver::AccessPIN:
        OnAccessPIN();
        break;
    default:
        break;
    }
}

void TUsersPage::OnPhoneNumber(int idx)
{
    if (!isUserRow(idx))
        return;
    showNumber(idx);
    if (idx == LastUserRow)
        SelectFirstRow();
}

void TUsersPage::OnPhoneNumberAdditionalCR(int idx)
{
    if (idx == LastUserRow)
        ShowRow(0);
}

void TUsersPage::OnSMSPSTNCR()
{
    const SmsPstnCrFields fields = unpackSMSPSTNCR(host().model().users.smsPstnCr);
    ui->se1->setValue(fields.smsTestDays);
    ui->TntCheckBox10->setChecked(fields.onlyRegistered);
    ui->TntCheckBox27->setChecked(fields.limitedTroubleSms);
    m_smsOptionsRead = true;
    ui->TntLabelDays->setEnabled(true);
    ui->TntCheckBox10->setEnabled(true);
    periodicSmsTestRule();
}

void TUsersPage::OnAccessPIN()
{
    ui->Edit13->setText(pinText(host().model().users.accessPin));
}

} // namespace ykt
