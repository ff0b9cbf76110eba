#include "settings/pages/inputspage.h"

#include "device/tykt2.h"
#include "settings/pagefacts.h"
#include "settings/pages/eventpicker.h"
#include "settings/pages/pagehost.h"
#include "settings/pages/quietly.h"
#include "settings/registers.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "texts/examplesms.h"
#include "wizard/pagelist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace ykt {

namespace {

// The captions that the language file names for input 1 only; inputs 2 to 6
// carry the same name with "_<input>" after it.
enum Caption
{
    TypeCaption,       // Label1 "Type"
    SensivityCaption,  // Label2 "Sensivity"
    MsCaption,         // Label3 "ms"
    NoReactionCaption, // Label90 "No reaction"
    UnitCaption,       // Label91 "hour:min:sec"
    SmsTextCaption,    // TntLabel11 "SMS text:"
    ParametersCaption, // TntLabel63 "Parameters:"
    GroupCaption,      // TntLabel53 "Group:"
    ZoneCaption,       // TntLabel54 "Zone:"
    EventCaption,      // TntLabel85 "Event ID:"
    CaptionCount
};

constexpr const char *CaptionNames[CaptionCount] = {
    "Label1",     "Label2",     "Label3",     "Label90",    "Label91",
    "TntLabel11", "TntLabel63", "TntLabel53", "TntLabel54", "TntLabel85",
};
constexpr const char *CaptionTexts[CaptionCount] = {
    "Type",      "Sensivity",   "ms",     "No reaction", "hour:min:sec",
    "SMS text:", "Parameters:", "Group:", "Zone:",       "Event ID:",
};

// The component name of a control of input i that the language file names
// for input 1 only.
QString sharedName(const char *name, int i)
{
    QString s = QLatin1String(name);
    if (i > 0)
        s += QLatin1Char('_') + QString::number(i + 1);
    return s;
}

// The SMS texts arrive at the end of the read before this firmware.
constexpr int FirstFirmwareWithEarlyTexts = 1026;

QLabel *captionLabel(Caption c, int i, QWidget *parent)
{
    auto *label = new QLabel(QLatin1String(CaptionTexts[c]), parent);
    label->setObjectName(sharedName(CaptionNames[c], i));
    return label;
}

int secondsOf(const QTime &t)
{
    return t.hour() * 3600 + t.minute() * 60 + t.second();
}

QTime timeOf(int seconds)
{
    return QTime(seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

} // namespace

TInputsPage::TInputsPage(PageHost &host, const TCIDDescriptions *cid, SmsTextEditor editor,
                         QWidget *parent)
    : TConfigPage(host, InputsPageIndex, parent), m_cid(cid), m_editor(std::move(editor))
{
    setObjectName(QStringLiteral("InputsPage"));
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    m_heading = new QLabel(QStringLiteral("Function of the input:"), this);
    m_heading->setObjectName(QStringLiteral("TntLabelInputFunction"));
    page->addWidget(m_heading);
    auto *grid = new QGridLayout;
    grid->setSpacing(4);
    page->addLayout(grid);
    page->addStretch(1);
    for (int i = 0; i < InputCount; ++i) {
        buildInput(i, this);
        grid->addWidget(m_in[size_t(i)].box, i / 2, i % 2, Qt::AlignTop);
        bindInput(i);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    for (int i = 0; i < InputCount; ++i) {
        fillFunctionList(i);
        ApplyFunctionRule(i);
    }

    connect(&host.announcer(), &SettingsAnnouncer::stored, this, [this](quint8 type, int idx) {
        if (type == SettingsReceiver::InputSMSText)
            OnInputSMSText(idx);
        else if (type == SettingsReceiver::PhoneNumber)
            ApplyWarningRule();
    });
    connect(&host.announcer(), &SettingsAnnouncer::edited, this, [this](auto area) {
        if (area == SettingsAnnouncer::Area::Users)
            ApplyWarningRule();
        else if (area == SettingsAnnouncer::Area::Texts)
            redrawPickers();
    });
}

TInputsPage::~TInputsPage() = default;

void TInputsPage::buildInput(int i, QWidget *parent)
{
    const InputComponentNames &n = InputComponents[size_t(i)];
    InputControls &c = m_in[size_t(i)];
    c.box = new QGroupBox(QStringLiteral("Input %1").arg(i + 1), parent);
    c.box->setObjectName(QLatin1String(n.box));
    auto *box = new QGridLayout(c.box);
    box->setContentsMargins(6, 4, 6, 4);
    box->setVerticalSpacing(2);

    c.function = new QComboBox(c.box);
    c.function->setObjectName(QLatin1String(n.function));
    c.smsMark = new QLabel(QStringLiteral("SMS"), c.box);
    c.smsMark->setObjectName(QLatin1String(n.smsMark));
    c.warning = new QLabel(QStringLiteral("!"), c.box);
    c.warning->setObjectName(QLatin1String(n.warning));
    c.warning->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    c.warning->setCursor(Qt::PointingHandCursor);
    c.warning->installEventFilter(this);
    auto *top = new QHBoxLayout;
    top->addWidget(c.function, 1);
    top->addWidget(c.smsMark);
    top->addWidget(c.warning);
    box->addLayout(top, 0, 0);

    // The SMS text.
    c.smsPanel = new QWidget(c.box);
    auto *sms = new QHBoxLayout(c.smsPanel);
    sms->setContentsMargins(0, 0, 0, 0);
    QLabel *smsCaption = captionLabel(SmsTextCaption, i, c.smsPanel);
    c.smsText = new QLineEdit(QStringLiteral("Input%1").arg(i + 1), c.smsPanel);
    c.smsText->setObjectName(QLatin1String(n.smsText));
    c.smsText->setMaxLength(SmsTextLength);
    c.edit = new QPushButton(QStringLiteral("Edit..."), c.smsPanel);
    c.edit->setObjectName(QStringLiteral("TntButtonEditSMS%1").arg(i + 1));
    sms->addWidget(smsCaption);
    sms->addWidget(c.smsText, 1);
    sms->addWidget(c.edit);
    box->addWidget(c.smsPanel, 1, 0);

    // The Contact ID event.
    c.cidPanel = new QWidget(c.box);
    auto *cid = new QGridLayout(c.cidPanel);
    cid->setContentsMargins(0, 0, 0, 0);
    cid->setVerticalSpacing(1);
    QLabel *eventCaption = captionLabel(EventCaption, i, c.cidPanel);
    c.event = new QComboBox(c.cidPanel);
    c.event->setObjectName(QLatin1String(n.event));
    c.event->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c.event->setMinimumContentsLength(18);
    c.restore = new QCheckBox(QStringLiteral("Restore"), c.cidPanel);
    c.restore->setObjectName(QLatin1String(n.restore));
    c.event24h = new QCheckBox(QStringLiteral("24H"), c.cidPanel);
    c.event24h->setObjectName(sharedName("TntCheckBox44", i));
    c.event24h->hide();
    auto *eventRow = new QHBoxLayout;
    eventRow->addWidget(eventCaption);
    eventRow->addWidget(c.event, 1);
    eventRow->addWidget(c.restore);
    cid->addLayout(eventRow, 0, 0, 1, 2);
    QLabel *group = captionLabel(GroupCaption, i, c.cidPanel);
    QLabel *zone = captionLabel(ZoneCaption, i, c.cidPanel);
    c.picker = new TEventPicker(
        i, [this](TCIDNameList list, int k) { return nameOf(list, k); }, c.cidPanel);
    c.picker->setCaption(0, group);
    c.picker->setCaption(1, zone);
    cid->addWidget(c.picker, 1, 0, 1, 2);
    box->addWidget(c.cidPanel, 2, 0);

    // The parameters.
    c.parametersLabel = captionLabel(ParametersCaption, i, c.box);
    c.parameters = new QWidget(c.box);
    auto *p = new QGridLayout(c.parameters);
    p->setContentsMargins(0, 0, 0, 0);
    p->setHorizontalSpacing(3);
    p->setVerticalSpacing(1);
    c.type = new QComboBox(c.parameters);
    c.type->setObjectName(QLatin1String(n.type));
    c.type->addItems({QStringLiteral("NO"), QStringLiteral("NC")});
    c.type->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    c.sensitivity = new QSpinBox(c.parameters);
    c.sensitivity->setObjectName(QLatin1String(n.sensitivity));
    c.sensitivity->setRange(MinSensitivityMs, MaxSensitivityMs);
    c.sensitivity->setSingleStep(100);
    c.sensitivity->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    c.noReaction = new QTimeEdit(c.parameters);
    c.noReaction->setObjectName(QStringLiteral("DaTiNoReaction%1").arg(i + 1));
    c.noReaction->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    c.noReaction->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QLabel *type = captionLabel(TypeCaption, i, c.parameters);
    QLabel *sensivity = captionLabel(SensivityCaption, i, c.parameters);
    QLabel *ms = captionLabel(MsCaption, i, c.parameters);
    QLabel *noReaction = captionLabel(NoReactionCaption, i, c.parameters);
    QLabel *unit = captionLabel(UnitCaption, i, c.parameters);
    p->addWidget(type, 0, 0);
    p->addWidget(c.type, 0, 1);
    p->addWidget(sensivity, 0, 2, Qt::AlignRight);
    p->addWidget(c.sensitivity, 0, 3);
    p->addWidget(ms, 0, 4);
    p->addWidget(noReaction, 1, 0, 1, 2);
    p->addWidget(c.noReaction, 1, 2, 1, 2, Qt::AlignRight);
    p->addWidget(unit, 1, 4, 1, 2);
    p->setColumnStretch(5, 1);
    box->addWidget(c.parametersLabel, 3, 0);
    box->addWidget(c.parameters, 4, 0);

    c.captions = {type,       sensivity,         ms,           noReaction, unit,
                  smsCaption, c.parametersLabel, eventCaption, group,      zone,
                  c.smsMark,  c.warning,         c.restore,    c.event24h, c.edit};
}

void TInputsPage::bindInput(int i)
{
    InputControls &c = m_in[size_t(i)];
    connect(c.function, &QComboBox::currentIndexChanged, this, [this, i] {
        ApplyFunctionRule(i);
        ApplyWarningRule();
        rebuildExample(i);
        edited(i);
    });
    connect(c.type, &QComboBox::currentIndexChanged, this, [this, i] { edited(i); });
    connect(c.sensitivity, &QSpinBox::valueChanged, this, [this, i] { edited(i); });
    connect(c.noReaction, &QTimeEdit::timeChanged, this, [this, i](const QTime &t) {
        // Longer than the record holds: back to 18:12:15 at once.
        if (secondsOf(t) > MaxNoReactionSeconds) {
            m_in[size_t(i)].noReaction->setTime(timeOf(MaxNoReactionSeconds));
            return;
        }
        edited(i);
    });
    connect(c.restore, &QCheckBox::toggled, this, [this, i] { edited(i); });
    connect(c.event, &QComboBox::currentIndexChanged, this, [this, i] {
        if (m_showing)
            return;
        m_cidKept[size_t(i)] = false;
        applyCidChoice(i);
        edited(i);
    });
    connect(c.smsText, &QLineEdit::textChanged, this, [this, i](const QString &text) {
        if (m_showing)
            return;
        host().model().inputs[size_t(i)].smsText = host().FromUnicode(text).left(SmsTextLength);
        m_touched[size_t(i)] = true;
    });
    connect(c.edit, &QPushButton::clicked, this, [this, i] { EditSmsText(i); });
    connect(c.picker, &TEventPicker::valueChosen, this, [this, i] {
        rebuildExample(i);
        edited(i);
    });
    connect(c.picker, &TEventPicker::renameRequested, this,
            [this, i](int side, const QString &text) { RenameItem(i, side, text); });
}

void TInputsPage::edited(int i)
{
    if (m_showing)
        return;
    m_touched[size_t(i)] = true;
    CommitInput(i);
}

// --- Lists ---------------------------------------------------------------------------------

void TInputsPage::fillFunctionList(int i)
{
    QComboBox *list = m_in[size_t(i)].function;
    const QSignalBlocker quiet(list);
    const int kept = list->currentIndex();
    list->clear();
    for (size_t k = 0; k < InputFunctionMessages.size(); ++k) {
        const QString text = host().MessageW(InputFunctionMessages[k]);
        list->addItem(text.isEmpty() ? QLatin1String(InputFunctionDefaults[k]) : text);
    }
    list->setCurrentIndex(qBound(0, kept, list->count() - 1));
}

void TInputsPage::fillEventList(int i)
{
    QComboBox *list = m_in[size_t(i)].event;
    const QSignalBlocker quiet(list);
    const int kept = list->currentIndex();
    QStringList texts;
    if (m_cid) {
        texts.reserve(m_cid->size());
        for (const TCIDDescription &d : *m_cid)
            texts.append(host().ToUnicode(d.Text));
    }
    list->clear();
    list->addItems(texts);
    list->setCurrentIndex(kept < list->count() ? kept : -1);
}

const TCIDDescription *TInputsPage::chosenEvent(int i) const
{
    const int k = m_in[size_t(i)].event->currentIndex();
    return m_cid && k >= 0 && k < m_cid->size() ? &m_cid->at(k) : nullptr;
}

QString TInputsPage::nameOf(TCIDNameList list, int k) const
{
    return host().ToUnicode(pickerName(host().model().texts, list, k));
}

// --- Showing and committing ----------------------------------------------------------------

void TInputsPage::Show()
{
    for (int i = 0; i < InputCount; ++i)
        ShowInput(i);
    ApplyAllInputRules();
}

void TInputsPage::ShowInput(int i)
{
    InputControls &c = m_in[size_t(i)];
    const InputRecord &r = host().model().inputs[size_t(i)];
    const InputCrFields f = unpackInputSettingsCR(r.cr);
    m_touched[size_t(i)] = false;
    // A function the list does not offer: the input keeps what it showed.
    m_functionShown[size_t(i)] = f.function < c.function->count();
    if (!m_functionShown[size_t(i)])
        return;
    m_showing = true;
    setQuietly(c.function, f.function);
    setQuietly(c.type, f.normallyClosed ? 1 : 0);
    c.smsText->setText(host().ToUnicode(r.smsText));
    c.sensitivity->setValue(sensitivityMsOf(r.sensivity));
    c.noReaction->setTime(timeOf(r.noSenseInterval));
    c.restore->setChecked(f.restore);
    c.event24h->setChecked(f.event24h);
    const int event = m_cid ? FindCIDByCode(*m_cid, r.cid) : -1;
    setQuietly(c.event, event);
    // A code that no event has (a factory module holds five zero bytes)
    // shows no event; its bytes and its Restore bit are kept.
    m_cidKept[size_t(i)] = event < 0;
    if (event < 0) {
        c.picker->setEntries({}, {});
        c.restore->hide();
    } else {
        applyCidChoice(i);
        const TCIDInputCode code = DecodeCIDBytes(r.cid);
        c.picker->setEntries(withStoredValue(c.picker->entry(0), code.Group),
                             withStoredValue(c.picker->entry(1), code.Zone));
    }
    m_showing = false;
    rebuildExample(i);
}

void TInputsPage::applyCidChoice(int i)
{
    InputControls &c = m_in[size_t(i)];
    const TCIDDescription *d = chosenEvent(i);
    if (!d)
        return;
    const bool showing = m_showing;
    m_showing = true;
    c.restore->setVisible(d->RestoreAllowed);
    if (!d->RestoreAllowed)
        c.restore->setChecked(false);
    c.event24h->setChecked(d->Preset24H);
    c.picker->setEntries(configuredEntry(c.picker->entry(0), d->GroupKind, i),
                         configuredEntry(c.picker->entry(1), d->ZoneKind, i));
    m_showing = showing;
    rebuildExample(i);
}

void TInputsPage::Commit()
{
    for (int i = 0; i < InputCount; ++i)
        CommitInput(i);
}

void TInputsPage::CommitInput(int i)
{
    // A function code the list does not offer goes back as it came, until
    // the user changes the input.
    if (!m_functionShown[size_t(i)] && !m_touched[size_t(i)])
        return;
    const InputControls &c = m_in[size_t(i)];
    InputRecord &r = host().model().inputs[size_t(i)];
    InputCrFields f;
    f.function = qMax(0, c.function->currentIndex());
    f.normallyClosed = c.type->currentIndex() == 1;
    f.event24h = c.event24h->isChecked();
    f.restore = c.restore->isChecked();
    const TCIDDescription *event = chosenEvent(i);
    if (m_cidKept[size_t(i)] || !event) {
        // No event picked: the module's code and its Restore bit stay.
        const InputCrFields stored = unpackInputSettingsCR(r.cr);
        f.restore = stored.restore;
        f.event24h = stored.event24h;
    } else {
        r.cid = packInputCid(*event, c.picker->entry(0), c.picker->entry(1));
    }
    r.cr = packInputSettingsCR(f);
    r.violations = violationsToWrite(r.violations);
    r.sensivity = sensivityOf(c.sensitivity->value());
    r.noSenseInterval = quint16(boundedNoReaction(secondsOf(c.noReaction->time())));
}

// --- The rules -----------------------------------------------------------------------------

void TInputsPage::ApplyFunctionRule(int i)
{
    InputControls &c = m_in[size_t(i)];
    {
        const QSignalBlocker quiet(c.smsText);
        c.smsText->setText(host().ToUnicode(host().model().inputs[size_t(i)].smsText));
    }
    const int function = c.function->currentIndex();
    const bool used = function == SendCID || function == SendSMS;
    c.cidPanel->setVisible(function == SendCID);
    c.smsPanel->setVisible(function == SendSMS);
    c.parameters->setVisible(used);
    c.parametersLabel->setVisible(used);
    c.smsMark->setVisible(function == SendCID && m_example[size_t(i)].has_value());
    if (function != SendSMS)
        c.warning->hide();
    else
        ApplyWarningRule();
}

void TInputsPage::ApplyAllInputRules()
{
    for (int i = 0; i < InputCount; ++i)
        ApplyFunctionRule(i);
    ApplyWarningRule();
}

void TInputsPage::ApplyWarningRule()
{
    const bool nobody = !AnyUserHasAlarmSms(host().model());
    for (InputControls &c : m_in)
        c.warning->setVisible(nobody && c.function->currentIndex() == SendSMS);
}

void TInputsPage::rebuildExample(int i)
{
    InputControls &c = m_in[size_t(i)];
    std::optional<QString> example;
    if (const TCIDDescription *d = chosenEvent(i)) {
        const TextsArea &texts = host().model().texts;
        const std::optional<QByteArray> text =
            BuildExampleSms(d->Code, texts.templatePhrases, entryName(texts, c.picker->entry(0)),
                            entryName(texts, c.picker->entry(1)));
        if (text)
            example = host().ToUnicode(*text);
    }
    m_example[size_t(i)] = example;
    c.smsMark->setToolTip(example.value_or(QString()));
    c.smsMark->setVisible(c.function->currentIndex() == SendCID && example.has_value());
}

void TInputsPage::redrawPickers()
{
    for (int i = 0; i < InputCount; ++i) {
        m_in[size_t(i)].picker->redraw();
        rebuildExample(i);
    }
}

TEventPicker *TInputsPage::picker(int i) const
{
    return m_in[size_t(i)].picker;
}

void TInputsPage::RenameItem(int i, int side, const QString &text)
{
    const TPickerEntry &e = picker(i)->entry(side);
    const int group = nameGroupOf(e.nameList);
    // Nothing outside a name table is read or renamed.
    if (!e.holdsName() || group == 0 || e.number >= TextsArea::groupSize(group))
        return;
    host().model().texts.itemNames[size_t(group - 1)][size_t(e.number)] =
        host().FromUnicode(text).left(NameLength);
    // Every picker and the name grids show the table.
    host().announcer().announceEdit(SettingsAnnouncer::Area::Texts);
}

void TInputsPage::EditSmsText(int i)
{
    if (!m_editor)
        return;
    InputControls &c = m_in[size_t(i)];
    const std::optional<QString> text = m_editor(c.smsText->text());
    if (!text)
        return;
    c.smsText->setText(NormalizeSmsText(*text));
    ApplyFunctionRule(i);
}

bool TInputsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (const InputControls &c : m_in) {
            if (watched == c.warning) {
                // Somebody has to receive the input's SMS: the Users page
                // with its "Alarm SMS" blinking.
                Leave();
                host().GoToPage(UsersPageIndex);
                host().StartAttentionBlink();
                return true;
            }
        }
    }
    return TConfigPage::eventFilter(watched, event);
}

// --- Arrivals ------------------------------------------------------------------------------

void TInputsPage::OnInputSMSText(int idx)
{
    if (idx < 0 || idx >= InputCount)
        return;
    const TYKT2 *d = host().driver();
    if (!d || d->FirmwareVersion() >= FirstFirmwareWithEarlyTexts)
        return;
    ShowInput(idx);
    if (idx > 4)
        ApplyAllInputRules();
}

// --- The window's rules --------------------------------------------------------------------

void TInputsPage::Enter()
{
    ApplyWarningRule();
}

void TInputsPage::ApplyWorkMode(WorkMode mode)
{
    m_mode = mode;
    // Every function and event list starts again from its first entry.
    m_showing = true;
    for (int i = 0; i < InputCount; ++i) {
        InputControls &c = m_in[size_t(i)];
        fillFunctionList(i);
        fillEventList(i);
        setQuietly(c.function, 0);
        setQuietly(c.event, c.event->count() > 0 ? 0 : -1);
        m_functionShown[size_t(i)] = true;
        m_cidKept[size_t(i)] = c.event->count() == 0;
        applyCidChoice(i);
    }
    m_showing = false;
    // The Advanced communicator has no inputs 5 and 6.
    const bool advanced = mode == WorkMode::AdvancedCommunicator;
    m_in[4].box->setVisible(!advanced);
    m_in[5].box->setVisible(!advanced);
    ApplyAllInputRules();
}

void TInputsPage::ApplyLanguageTexts()
{
    // The unit label of input 1's no-reaction time.
    QWidget *unit = m_in[0].captions.at(UnitCaption);
    static_cast<QLabel *>(unit)->setText(host().MessageW(83) + QLatin1Char(':') +
                                         host().MessageW(84) + QLatin1Char(':') +
                                         host().MessageW(85));
    // Inputs 2 to 6 take input 1's captions.
    const QList<QWidget *> &first = m_in[0].captions;
    for (int i = 1; i < InputCount; ++i) {
        const QList<QWidget *> &own = m_in[size_t(i)].captions;
        for (int k = 0; k < own.size(); ++k) {
            QWidget *to = own.at(k);
            const QWidget *from = first.at(k);
            if (auto *label = qobject_cast<QLabel *>(to)) {
                // The "SMS" mark keeps its own hint, the example.
                if (to != m_in[size_t(i)].smsMark)
                    label->setToolTip(from->toolTip());
                label->setText(static_cast<const QLabel *>(from)->text());
            } else if (auto *button = qobject_cast<QAbstractButton *>(to)) {
                button->setText(static_cast<const QAbstractButton *>(from)->text());
                button->setToolTip(from->toolTip());
            }
        }
    }
    // The lists in the new language, their choices kept.
    const int events = m_in[0].event->count();
    for (int i = 0; i < InputCount; ++i) {
        fillFunctionList(i);
        fillEventList(i);
        rebuildExample(i);
    }
    // The Contact ID table has just been read (a read may have ended
    // before it): the records are shown with their events now.
    if (m_cid && m_in[0].event->count() != events)
        Show();
}

} // namespace ykt
