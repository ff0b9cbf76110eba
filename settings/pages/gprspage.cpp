#include "settings/pages/gprspage.h"
#include "settings/pages/quietly.h"

#include "ui_gprspage.h"

#include "device/tykt2.h"
#include "settings/gprsfields.h"
#include "settings/pagefacts.h"
#include "settings/pages/apnsearch.h"
#include "settings/pages/pagehost.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "util/logging.h"
#include "util/pause.h"
#include "wizard/pagelist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace ykt {

namespace {

// The light red of a field that must not stay empty.
const QColor RequiredFieldColor(255, 234, 234);
// The gap a series of commands keeps between two of them.
constexpr int CommandGapMs = 5;
// The heartbeat event word is read from firmware 1026 on.
constexpr int LastFirmwareWithoutHeartbeatEvent = 1025;
// "The GPRS reporting settings are not complete ..."
constexpr int IncompleteChannelsMessage = 82;
constexpr int FibroProtocol = 2;
const QString DefaultHeartbeatCode = QStringLiteral("602");
constexpr int LockWatchMs = 500;

} // namespace

TGprsPage::TGprsPage(PageHost &host, const TAPNList *apnList, QWidget *parent)
    : TConfigPage(host, GprsPageIndex, parent), ui(std::make_unique<Ui::TGprsPage>())
{
    ui->setupUi(this);
    m_channels[Channel1] = {ui->ComboBox4,
                            ui->Edit1,
                            ui->TntEdit2,
                            ui->ComboBox1,
                            ui->TntComboBox3,
                            ui->Edit11,
                            ui->TntCheckBox25,
                            ui->Channel1EncryptionRow,
                            ui->TntCheckBox42,
                            ui->TntLabelChannel1Key,
                            ui->TntEdit8,
                            {ui->TntLabelChannel1Use, ui->ComboBox4, ui->TntLabelChannel1Address,
                             ui->Edit1, ui->TntLabelChannel1Colon, ui->TntEdit2,
                             ui->TntLabelChannel1Protocol, ui->ComboBox1,
                             ui->TntLabelChannel1Transport, ui->TntComboBox3}};
    m_channels[Channel2] = {ui->ComboBox2,
                            ui->Edit5,
                            ui->TntEdit3,
                            ui->ComboBox3,
                            ui->TntComboBox4,
                            ui->Edit6,
                            ui->TntCheckBox26,
                            ui->Channel2EncryptionRow,
                            ui->TntCheckBox43,
                            ui->TntLabelChannel2Key,
                            ui->TntEdit9,
                            {ui->TntLabelChannel2Use, ui->ComboBox2, ui->TntLabelChannel2Address,
                             ui->Edit5, ui->TntLabelChannel2Colon, ui->TntEdit3,
                             ui->TntLabelChannel2Protocol, ui->ComboBox3,
                             ui->TntLabelChannel2Transport, ui->TntComboBox4}};
    ui->ApnSearchRow->setList(apnList);

    m_lockWatch.setObjectName(QStringLiteral("Timer_CheckPassword"));
    m_lockWatch.setInterval(LockWatchMs);
    connect(&m_lockWatch, &QTimer::timeout, this, &TGprsPage::checkLock);

    fillProtocolLists();
    bindFilters();
    bindRules();
    for (Channel c : {Channel1, Channel2}) {
        pstnBoxRule(c);
        useRule(c);
        protocolRule(c);
        encryptionRule(c);
    }
    heartbeatRule();
    heartbeatEventRule();
    refreshSmsBackupList();

    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TGprsPage::onStored);
    connect(&host.announcer(), &SettingsAnnouncer::edited, this, [this](SettingsAnnouncer::Area a) {
        if (a == SettingsAnnouncer::Area::Users)
            refreshSmsBackupList();
    });
}

TGprsPage::~TGprsPage() = default;

TApnSearch *TGprsPage::apnSearch() const
{
    return ui->ApnSearchRow;
}

void TGprsPage::bindRules()
{
    for (Channel c : {Channel1, Channel2}) {
        const ChannelControls &ch = controls(c);
        connect(ch.use, &QComboBox::currentIndexChanged, this, [this, c] { useEdited(c); });
        connect(ch.protocol, &QComboBox::currentIndexChanged, this, [this, c] { protocolRule(c); });
        connect(ch.encryption, &QCheckBox::toggled, this, [this, c] { encryptionRule(c); });
        for (QLineEdit *field : {ch.address, ch.port})
            connect(field, &QLineEdit::textChanged, this, [this, c] { paintChannelFields(c); });
    }
    connect(ui->Edit2, &QLineEdit::textChanged, this, &TGprsPage::paintApn);
    connect(ui->TntCheckBox13, &QCheckBox::toggled, this, &TGprsPage::heartbeatRule);
    connect(ui->TntCheckBox33, &QCheckBox::toggled, this, &TGprsPage::heartbeatEventRule);
    connect(ui->TntButton31, &QPushButton::clicked, this, &TGprsPage::ManageSmsBackupNumbers);
    connect(ui->TntButton34, &QPushButton::clicked, this, &TGprsPage::Unlock);
    connect(ui->Btn_Search, &QPushButton::clicked, ui->ApnSearchRow, &TApnSearch::Start);
    connect(ui->ApnSearchRow, &TApnSearch::confirmed, this, [this](const QString &apn) {
        // As if typed: the field's own rules run.
        ui->Edit2->setText(apn.left(gprs::MaxApnLength));
    });
}

// --- Filters ------------------------------------------------------------------------

void TGprsPage::bindFilters()
{
    using gprs::Field;
    const std::pair<QLineEdit *, Field> filtered[] = {
        {ui->Edit1, Field::Address},         {ui->Edit5, Field::Address},
        {ui->TntEdit2, Field::Port},         {ui->TntEdit3, Field::Port},
        {ui->Edit11, Field::Account},        {ui->Edit6, Field::Account},
        {ui->TntEdit8, Field::Key},          {ui->TntEdit9, Field::Key},
        {ui->TntEdit4, Field::HeartbeatCode}};
    for (const auto &[field, kind] : filtered) {
        m_lastText[field] = field->text();
        // Connected before every other handler of the field, so that those
        // see the filtered text.
        connect(field, &QLineEdit::textChanged, this,
                [this, field = field, kind = kind](const QString &text) {
                    if (!m_settingText) {
                        const gprs::FilteredEdit out = gprs::filterEdit(
                            kind, m_lastText.value(field), text, field->cursorPosition());
                        if (out.text != text) {
                            setFieldText(field, out.text);
                            field->setCursorPosition(out.cursor);
                        }
                    }
                    m_lastText[field] = field->text();
                });
    }
}

void TGprsPage::setFieldText(QLineEdit *field, const QString &text)
{
    const bool outer = m_settingText;
    m_settingText = true;
    field->setText(text);
    m_settingText = outer;
}

void TGprsPage::showText(QLineEdit *field, const QByteArray &text, int maxLength)
{
    m_shown[field] = text;
    setFieldText(field, host().ToUnicode(text).left(maxLength));
}

QByteArray TGprsPage::textOf(const QLineEdit *field) const
{
    const auto shown = m_shown.constFind(field);
    if (shown != m_shown.constEnd() && host().ToUnicode(*shown) == field->text())
        return *shown;
    return host().FromUnicode(field->text());
}

// --- Model -> controls --------------------------------------------------------------

void TGprsPage::Show()
{
    const GprsArea &g = host().model().gprs;
    showTcpCr();
    showConnectionString(Channel1);
    showConnectionString(Channel2);
    showText(ui->Edit2, g.apn, gprs::MaxApnLength);
    showText(ui->Edit3, g.apnUserName, gprs::MaxApnLoginLength);
    showText(ui->Edit4, g.apnPassword, gprs::MaxApnLoginLength);
    for (Channel c : {Channel1, Channel2}) {
        showAccount(c);
        showKey(c);
    }
    showHeartbeatEvent();
    showHeartbeatPart();
    refreshSmsBackupList();
}

void TGprsPage::onStored(quint8 answerType, int index)
{
    const GprsArea &g = host().model().gprs;
    switch (answerType) {
    case SettingsReceiver::ConnectionString:
        showConnectionString(Channel1);
        break;
    case SettingsReceiver::ConnectionString2:
        showConnectionString(Channel2);
        break;
    case SettingsReceiver::APN:
        showText(ui->Edit2, g.apn, gprs::MaxApnLength);
        break;
    case SettingsReceiver::UserName:
        showText(ui->Edit3, g.apnUserName, gprs::MaxApnLoginLength);
        break;
    case SettingsReceiver::Password:
        showText(ui->Edit4, g.apnPassword, gprs::MaxApnLoginLength);
        break;
    case SettingsReceiver::ReserveAccount:
        showAccount(index == 1 ? Channel2 : Channel1);
        break;
    case SettingsReceiver::TCPCR:
        showTcpCr();
        break;
    case SettingsReceiver::HeartBeatEventId:
        showHeartbeatEvent();
        break;
    case SettingsReceiver::AES128Key:
        if (index == 0 || index == 1)
            showKey(Channel(index));
        break;
    case SettingsReceiver::YKT2CR:
        showHeartbeatPart();
        break;
    case SettingsReceiver::PhoneNumber:
    case SettingsReceiver::PhoneNumberAdditionalCR:
        refreshSmsBackupList();
        break;
    default:
        break;
    }
}

void TGprsPage::showConnectionString(Channel c)
{
    const GprsArea &g = host().model().gprs;
    const gprs::Station station =
        gprs::splitConnectionString(c == Channel1 ? g.connectionString : g.connectionString2);
    showText(controls(c).address, station.address, gprs::MaxAddressLength);
    showText(controls(c).port, station.port, gprs::MaxPortLength);
    paintChannelFields(c);
}

void TGprsPage::showTcpCr()
{
    const TcpCrFields f = unpackTCPCR(host().model().gprs.tcpcr, ui->ComboBox1->count());
    const ChannelControls &one = controls(Channel1);
    const ChannelControls &two = controls(Channel2);
    // In this order, each choice followed by its rule.
    setQuietly(one.use, f.channel1Used ? 1 : 0);
    useRule(Channel1);
    setQuietly(two.use, f.channel2Use);
    useRule(Channel2);
    setQuietly(one.protocol, f.channel1Protocol);
    protocolRule(Channel1);
    setQuietly(one.encryption, f.channel1Encrypted);
    encryptionRule(Channel1);
    setQuietly(two.protocol, f.channel2Protocol);
    protocolRule(Channel2);
    setQuietly(two.encryption, f.channel2Encrypted);
    encryptionRule(Channel2);
    // The copy bits mean something only where the boxes are offered.
    if (m_context.pstnBoxes) {
        setQuietly(one.pstn, f.channel1ToPstn);
        setQuietly(two.pstn, f.channel2ToPstn);
    }
    setQuietly(one.transport, f.channel1Udp ? 1 : 0);
    setQuietly(two.transport, f.channel2Udp ? 1 : 0);
}

void TGprsPage::showAccount(Channel c)
{
    const QByteArray &account = host().model().gprs.reserveAccounts[size_t(c)];
    showText(controls(c).account, account, gprs::MaxAccountLength);
}

void TGprsPage::showKey(Channel c)
{
    setFieldText(controls(c).key, gprs::keyBytesToText(host().model().gprs.aesKeys[size_t(c)]));
}

void TGprsPage::showHeartbeatEvent()
{
    const HeartbeatEvent event = unpackHeartbeatEvent(host().model().gprs.heartbeatEvent);
    setFieldText(ui->TntEdit4, QString::fromLatin1(event.code));
    setQuietly(ui->TntCheckBox33, event.enabled);
    heartbeatEventRule();
}

void TGprsPage::showHeartbeatPart()
{
    const Ykt2CrFields f = unpackYKT2CR(host().model().security.ykt2cr);
    setQuietly(ui->TntCheckBox13, f.heartbeatCheck);
    heartbeatRule();
    ui->SpinEdit3->setValue(f.heartbeatSeconds);
}

// --- Controls -> model --------------------------------------------------------------

TcpCrFields TGprsPage::tcpFieldsOnScreen() const
{
    const ChannelControls &one = controls(Channel1);
    const ChannelControls &two = controls(Channel2);
    TcpCrFields f;
    f.channel1Used = channelUsed(Channel1);
    f.channel2Use = two.use->currentIndex();
    f.channel1Protocol = one.protocol->currentIndex();
    f.channel2Protocol = two.protocol->currentIndex();
    f.channel1Udp = one.transport->currentIndex() == 1;
    f.channel2Udp = two.transport->currentIndex() == 1;
    f.channel1Encrypted = one.encryption->isChecked();
    f.channel2Encrypted = two.encryption->isChecked();
    f.channel1ToPstn = one.pstn->isChecked();
    f.channel2ToPstn = two.pstn->isChecked();
    return f;
}

void TGprsPage::commitTcpCr()
{
    host().model().gprs.tcpcr =
        packTCPCR(tcpFieldsOnScreen(), m_context.pstnBoxes, m_context.firmwareVersion);
}

void TGprsPage::Commit()
{
    SettingsModel &model = host().model();
    GprsArea &g = model.gprs;
    g.connectionString = gprs::joinConnectionString(textOf(ui->Edit1), textOf(ui->TntEdit2));
    g.connectionString2 = gprs::joinConnectionString(textOf(ui->Edit5), textOf(ui->TntEdit3));
    g.apn = textOf(ui->Edit2);
    g.apnUserName = textOf(ui->Edit3);
    g.apnPassword = textOf(ui->Edit4);
    commitTcpCr();
    for (Channel c : {Channel1, Channel2}) {
        g.reserveAccounts[size_t(c)] = textOf(controls(c).account);
        // The field takes hexadecimal digits only, so this always converts.
        if (const auto key = gprs::keyTextToBytes(controls(c).key->text()))
            g.aesKeys[size_t(c)] = *key;
        else
            qCWarning(lcUi) << "encryption key of channel" << c + 1 << "kept: not hexadecimal";
    }
    HeartbeatEvent event;
    event.enabled = ui->TntCheckBox33->isChecked();
    event.code = ui->TntEdit4->text().toLatin1();
    g.heartbeatEvent = packHeartbeatEvent(event);

    // The heartbeat is part of YKT2CR, whose other fields belong to the
    // Security and GSM modem pages: the register is rewritten only when the
    // heartbeat changed.
    Ykt2CrFields y = unpackYKT2CR(model.security.ykt2cr);
    const bool check = ui->TntCheckBox13->isChecked();
    const int seconds = ui->SpinEdit3->value();
    if (y.heartbeatCheck != check || y.heartbeatSeconds != seconds) {
        y.heartbeatCheck = check;
        y.heartbeatSeconds = seconds;
        model.security.ykt2cr = packYKT2CR(y);
    }
}

void TGprsPage::useEdited(Channel c)
{
    useRule(c);
    // The Users page warns about SMS backup numbers of an unused channel 1.
    commitTcpCr();
    host().announcer().announceEdit(SettingsAnnouncer::Area::Reporting);
}

// --- Rules --------------------------------------------------------------------------

bool TGprsPage::channelUsed(Channel c) const
{
    return controls(c).use->currentIndex() > 0;
}

void TGprsPage::useRule(Channel c)
{
    const ChannelControls &ch = controls(c);
    const bool used = channelUsed(c);
    for (QWidget *w : std::initializer_list<QWidget *>{ch.address, ch.port, ch.protocol, ch.account,
                                                       ch.transport, ch.encryption, ch.key})
        w->setEnabled(used);
    if (used) {
        if (ch.protocol->currentIndex() < 0 && ch.protocol->count() > 0) {
            setQuietly(ch.protocol, 0);
            protocolRule(c);
        }
        if (ch.transport->currentIndex() < 0 && ch.transport->count() > 0)
            setQuietly(ch.transport, 0);
    }
    if (c == Channel1) {
        ui->Channel1ManageRow->setVisible(used && !m_locked);
        refreshSmsBackupList();
    }
    paintChannelFields(c);
    paintApn();
}

void TGprsPage::protocolRule(Channel c)
{
    const ChannelControls &ch = controls(c);
    ch.encryptionRow->setVisible(!m_locked && ch.protocol->currentIndex() == FibroProtocol);
}

void TGprsPage::encryptionRule(Channel c)
{
    const ChannelControls &ch = controls(c);
    ch.keyLabel->setVisible(ch.encryption->isChecked());
    ch.key->setVisible(ch.encryption->isChecked());
}

void TGprsPage::pstnBoxRule(Channel c)
{
    controls(c).pstn->setVisible(!m_locked && m_context.pstnBoxes);
}

void TGprsPage::paintField(QLineEdit *field, bool required)
{
    QPalette colours = field->palette();
    const QPalette &page = palette();
    colours.setColor(QPalette::Base, !field->isEnabled() ? page.color(QPalette::Window)
                                     : required && field->text().isEmpty()
                                         ? RequiredFieldColor
                                         : page.color(QPalette::Base));
    field->setPalette(colours);
}

void TGprsPage::paintChannelFields(Channel c)
{
    const ChannelControls &ch = controls(c);
    const bool used = channelUsed(c);
    paintField(ch.address, used);
    paintField(ch.port, used);
    paintField(ch.account, false);
    paintField(ch.key, false);
}

void TGprsPage::paintApn()
{
    paintField(ui->Edit2, channelUsed(Channel1) || channelUsed(Channel2));
}

void TGprsPage::heartbeatRule()
{
    ui->SpinEdit3->setEnabled(ui->TntCheckBox13->isChecked());
}

void TGprsPage::heartbeatEventRule()
{
    const bool custom = ui->TntCheckBox33->isChecked();
    ui->TntEdit4->setEnabled(custom);
    if (!custom)
        setFieldText(ui->TntEdit4, DefaultHeartbeatCode);
}

void TGprsPage::refreshSmsBackupList()
{
    const QByteArray list = SmsBackupList(host().model());
    ui->TntLabelSmsBackupList->setText(host().ToUnicode(list));
    ui->Channel1SmsBackupRow->setVisible(!list.isEmpty());
    // Whether channel 1 is used is not known while the settings are locked.
    ui->TntLabelSmsBackupWarning->setVisible(!channelUsed(Channel1) && !m_locked);
}

void TGprsPage::fillProtocolLists()
{
    const int count = protocolCount(m_context.firmwareVersion);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QLatin1String(ProtocolNames[i]));
    for (Channel c : {Channel1, Channel2}) {
        QComboBox *list = controls(c).protocol;
        const int kept = list->currentIndex();
        {
            const QSignalBlocker quiet(list);
            list->clear();
            list->addItems(names);
            list->setCurrentIndex(kept >= 0 && kept < count ? kept : 0);
        }
        protocolRule(c);
    }
}

// --- The window's rules -------------------------------------------------------------

void TGprsPage::Enter()
{
    refreshSmsBackupList();
}

void TGprsPage::ApplyCapabilities(const ModuleContext &context)
{
    m_context = context;
    fillProtocolLists();
    for (Channel c : {Channel1, Channel2})
        pstnBoxRule(c);
}

void TGprsPage::ApplyLockView(bool locked)
{
    m_locked = locked;
    ui->TntPanel18->setVisible(locked);
    ui->TntLabelWrongPassword->hide();
    for (Channel c : {Channel1, Channel2}) {
        for (QWidget *w : controls(c).locked)
            w->setVisible(!locked);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{ui->TntCheckBox13, ui->HeartbeatPeriodRow,
                                                       ui->TntCheckBox33, ui->HeartbeatEventRow})
        w->setVisible(!locked);
    for (Channel c : {Channel1, Channel2}) {
        pstnBoxRule(c);
        useRule(c);
        protocolRule(c);
    }
}

std::optional<SendRefusal> TGprsPage::CheckBeforeSend() const
{
    // While locked the module takes none of these settings.
    const TYKT2 *driver = host().driver();
    if (m_locked || (driver && driver->SettingsLocked()))
        return std::nullopt;
    const bool noApn = ui->Edit2->text().isEmpty();
    for (Channel c : {Channel1, Channel2}) {
        const ChannelControls &ch = controls(c);
        if (channelUsed(c) && (ch.address->text().isEmpty() || ch.port->text().isEmpty() || noApn))
            return SendRefusal{IncompleteChannelsMessage, GprsPageIndex};
    }
    return std::nullopt;
}

QList<QComboBox *> TGprsPage::KeptSelections() const
{
    return {ui->ComboBox4, ui->ComboBox2, ui->ComboBox1, ui->ComboBox3};
}

void TGprsPage::ManageSmsBackupNumbers()
{
    // The numbers are chosen on the Users page; what was edited here stays.
    Leave();
    host().GoToPage(UsersPageIndex);
}

// --- The lock -----------------------------------------------------------------------

void TGprsPage::StartLockWatch()
{
    m_firstLockCheck = true;
    m_lockWatch.start();
}

void TGprsPage::Unlock()
{
    TYKT2 *driver = host().driver();
    if (!driver || !driver->Connected())
        return;
    ui->TntLabelWrongPassword->hide();
    const QByteArray password =
        host().FromUnicode(ui->TntEdit5->text()).left(gprs::MaxUnlockPasswordLength);
    driver->SubmitPassword(password);
    m_firstLockCheck = false;
    m_lockWatch.start();
}

void TGprsPage::applyWatchedLockView(bool locked)
{
    ApplyLockView(locked);
    emit lockViewChanged(locked);
}

void TGprsPage::checkLock()
{
    const TYKT2 *driver = host().driver();
    if (!driver || !driver->Connected()) {
        m_lockWatch.stop();
        return;
    }
    if (m_firstLockCheck) {
        m_firstLockCheck = false;
        m_lockWatch.stop();
        applyWatchedLockView(driver->SettingsLocked());
        return;
    }
    if (driver->SettingsLocked()) {
        // The module says so with its error flag; until then, keep watching.
        if (driver->ModuleError()) {
            m_lockWatch.stop();
            ui->TntLabelWrongPassword->show();
        }
        return;
    }
    m_lockWatch.stop();
    ui->TntEdit5->clear();
    applyWatchedLockView(false);
    readGprsItemsAgain();
}

void TGprsPage::readGprsItemsAgain()
{
    // While locked the module answered blanks; read the real values, so that
    // a later send does not write the blanks back. Every request waits for
    // the module and lets the window go on, and a close takes the driver
    // away: it is asked for anew every time.
    const auto request = [this](quint8 type, quint8 index) {
        TYKT2 *driver = host().driver();
        if (!driver || !driver->Connected())
            return false;
        driver->RequestItem(type, index, 0);
        Pause(CommandGapMs);
        return true;
    };
    const TYKT2 *driver = host().driver();
    const int firmware = driver ? driver->FirmwareVersion() : 0;
    using R = SettingsReceiver;
    for (quint8 type :
         {R::ConnectionString, R::APN, R::UserName, R::Password, R::TCPCR, R::ConnectionString2}) {
        if (!request(type, 0))
            return;
    }
    for (quint8 index : {0, 1}) {
        if (!request(R::ReserveAccount, index))
            return;
    }
    if (firmware > LastFirmwareWithoutHeartbeatEvent && !request(R::HeartBeatEventId, 0))
        return;
    if (firmware >= FibroFirmware) {
        for (quint8 index : {0, 1}) {
            if (!request(R::AES128Key, index))
                return;
        }
    }
    if (TYKT2 *d = host().driver())
        d->EndExchange(true);
    // The Security page shows the USB password once it is readable.
    if (TYKT2 *d = host().driver())
        d->RequestUSBPassword();
}

} // namespace ykt
