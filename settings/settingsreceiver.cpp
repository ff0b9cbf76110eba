#include "settings/settingsreceiver.h"

#include "settings/settingsannouncer.h"

#include "device/tykt2.h"
#include "texts/helptext.h"
#include "texts/modulecharset.h"

namespace ykt {

namespace {

// The widths of the module's fields, in characters or bytes.
constexpr int ConnectionStringWidth = 50;
constexpr int APNWidth = 50;
constexpr int APNLoginWidth = 32;
constexpr int AccountWidth = 4;
constexpr int KeyBytes = 16;
constexpr int SecurityTextWidth = 16; // owner name, USB password
constexpr int SIMpinWidth = 8;
constexpr int SMSTextWidth = 50; // input and additional SMS texts
constexpr int PhraseWidth = 16;
constexpr int NameWidth = 16;
constexpr int CIDBytes = 5;
constexpr int ZoneVoiceRecordBytes = 9;
constexpr int AlarmSettingsBytes = 16;
constexpr int VoiceLanguageNameWidth = 50;

// Bits 0-2 of OutputSettingsCR: code 5 (arm status) travels with the pulse
// length doubled.
constexpr int ArmStatusFunction = 5;

QByteArray cut(const QByteArray &text, int width)
{
    return text.left(width);
}

} // namespace

SettingsReceiver::SettingsReceiver(TYKT2 *driver, SettingsModel *model,
                                   SettingsAnnouncer *announcer,
                                   std::function<int()> conversionType, QObject *parent)
    : QObject(parent), m_model(model), m_announcer(announcer),
      m_conversionType(std::move(conversionType))
{
    TYKT2 *d = driver;
    using R = SettingsReceiver;
    // GPRS reporting.
    connect(d, &TYKT2::OnConnectionString, this, &R::onConnectionString);
    connect(d, &TYKT2::OnAPN, this, &R::onAPN);
    connect(d, &TYKT2::OnUserName, this, &R::onUserName);
    connect(d, &TYKT2::OnPassword, this, &R::onPassword);
    connect(d, &TYKT2::OnTCPCR, this, &R::onTCPCR);
    connect(d, &TYKT2::OnConnectionString2, this, &R::onConnectionString2);
    connect(d, &TYKT2::OnReserveAccount, this, &R::onReserveAccount);
    connect(d, &TYKT2::OnHeartBeatEventId, this, &R::onHeartBeatEventId);
    connect(d, &TYKT2::OnAES128Key, this, &R::onAES128Key);
    // Inputs.
    connect(d, &TYKT2::OnInputSetting, this, &R::onInputSetting);
    connect(d, &TYKT2::OnInputSMSText, this, &R::onInputSMSText);
    // Outputs and remote output control.
    connect(d, &TYKT2::OnPGMPhoneNumber, this, &R::onPGMPhoneNumber);
    connect(d, &TYKT2::OnOutputSetting, this, &R::onOutputSetting);
    // Users.
    connect(d, &TYKT2::OnPhoneNumber, this, &R::onPhoneNumber);
    connect(d, &TYKT2::OnSMSPSTNCR, this, &R::onSMSPSTNCR);
    connect(d, &TYKT2::OnAccessPIN, this, &R::onAccessPIN);
    connect(
        d, &TYKT2::OnPhoneNumberAdditionalCR, this,
        [this](quint8 idx, quint8 cr, const QByteArray &) { onPhoneNumberAdditionalCR(idx, cr); });
    connect(d, &TYKT2::OnSMSBackupPhoneNumber, this,
            [this](quint8, quint8 cr, const QByteArray &number) {
                onSMSBackupPhoneNumber(cr, number);
            });
    // Security, GSM modem, advanced.
    connect(d, &TYKT2::OnUSBPassword, this, &R::onUSBPassword);
    connect(d, &TYKT2::OnYKTOwnerName, this, &R::onYKTOwnerName);
    connect(d, &TYKT2::OnYKT2CR, this, &R::onYKT2CR);
    connect(d, &TYKT2::OnSIMpin, this, &R::onSIMpin);
    connect(d, &TYKT2::OnPSTNKissOff, this, &R::onPSTNKissOff);
    connect(d, &TYKT2::OnAlarmSettings, this, &R::onAlarmSettings);
    // Texts.
    connect(d, &TYKT2::OnSMSPhrase, this, &R::onSMSPhrase);
    connect(d, &TYKT2::OnHelpText, this, &R::onHelpText);
    connect(d, &TYKT2::OnItemName, this, &R::onItemName);
    connect(d, &TYKT2::OnAdditionalSMSText, this, &R::onAdditionalSMSText);
    // Zone voice data.
    connect(d, &TYKT2::OnZoneVoiceIndex, this, &R::onZoneVoiceIndex);
    connect(d, &TYKT2::OnVoiceLanguageName, this, &R::onVoiceLanguageName);
    // Read but not kept: the read goes on past them.
    connect(d, &TYKT2::OnConnectionString3, this, [] {});
    connect(d, &TYKT2::OnCPCR, this, [] {});
}

QByteArray SettingsReceiver::fromModuleCharset(const QByteArray &text) const
{
    return fromModule(text, m_conversionType ? m_conversionType() : 0);
}

// --- GPRS reporting ----------------------------------------------------------

void SettingsReceiver::onConnectionString(const QByteArray &text)
{
    m_model->gprs.connectionString = cut(text, ConnectionStringWidth);
    m_announcer->announce(ConnectionString, -1);
}

void SettingsReceiver::onConnectionString2(const QByteArray &text)
{
    m_model->gprs.connectionString2 = cut(text, ConnectionStringWidth);
    m_announcer->announce(ConnectionString2, -1);
}

void SettingsReceiver::onAPN(const QByteArray &text)
{
    m_model->gprs.apn = cut(text, APNWidth);
    m_announcer->announce(APN, -1);
}

void SettingsReceiver::onUserName(const QByteArray &text)
{
    m_model->gprs.apnUserName = cut(text, APNLoginWidth);
    m_announcer->announce(UserName, -1);
}

void SettingsReceiver::onPassword(const QByteArray &text)
{
    m_model->gprs.apnPassword = cut(text, APNLoginWidth);
    m_announcer->announce(Password, -1);
}

void SettingsReceiver::onTCPCR(quint32 data)
{
    m_model->gprs.tcpcr = data;
    m_announcer->announce(TCPCR, -1);
}

void SettingsReceiver::onReserveAccount(qint32 idx, const QByteArray &s)
{
    // Index 1 is the second channel's account; any other index the first's.
    const int channel = idx == 1 ? 1 : 0;
    m_model->gprs.reserveAccounts[channel] = cut(s, AccountWidth);
    m_announcer->announce(ReserveAccount, channel);
}

void SettingsReceiver::onHeartBeatEventId(quint16 data)
{
    m_model->gprs.heartbeatEvent = data;
    m_announcer->announce(HeartBeatEventId, -1);
}

void SettingsReceiver::onAES128Key(quint8 idx, const QByteArray &key)
{
    if (idx >= m_model->gprs.aesKeys.size())
        return;
    m_model->gprs.aesKeys[idx] = cut(key, KeyBytes);
    m_announcer->announce(AES128Key, idx);
}

// --- Inputs ------------------------------------------------------------------

void SettingsReceiver::onInputSetting(quint8 idx, quint8 cr, quint8 violations, quint8 sensivity,
                                      quint16 noSenseInterval, const QByteArray &cid)
{
    if (idx >= SettingsModel::InputCount)
        return;
    InputRecord &r = m_model->inputs[idx];
    r.cr = cr;
    r.violations = violations;
    r.sensivity = sensivity;
    r.noSenseInterval = noSenseInterval;
    r.cid = cut(cid, CIDBytes);
    m_announcer->announce(InputSetting, idx);
}

void SettingsReceiver::onInputSMSText(qint32 idx, const QByteArray &s)
{
    if (idx < 0 || idx >= SettingsModel::InputCount)
        return;
    m_model->inputs[idx].smsText = cut(fromModuleCharset(s), SMSTextWidth);
    m_announcer->announce(InputSMSText, idx);
}

// --- Outputs and remote output control --------------------------------------

void SettingsReceiver::onPGMPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number)
{
    if (idx >= SettingsModel::RemoteControlCount)
        return;
    PhoneRecord &r = m_model->phones[SettingsModel::FirstRemoteControlRecord + idx];
    r.cr = cr;
    QByteArray n = cut(number, PhoneRecord::MaxNumberLength);
    while (n.endsWith(' '))
        n.chop(1);
    r.number = n;
    m_announcer->announce(PGMPhoneNumber, idx);
}

void SettingsReceiver::onOutputSetting(quint8 idx, quint8 cr, quint16 impLength)
{
    if (idx >= SettingsModel::OutputCount)
        return;
    OutputRecord &r = m_model->outputs[idx];
    r.cr = cr;
    r.impLength = (cr & 0x07) == ArmStatusFunction ? impLength / 2 : impLength;
    m_announcer->announce(OutputSetting, idx);
}

// --- Users -------------------------------------------------------------------

void SettingsReceiver::onPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number)
{
    if (idx >= SettingsModel::UserCount)
        return;
    PhoneRecord &r = m_model->phones[idx];
    r.cr = cr;
    r.number = cut(number, PhoneRecord::MaxNumberLength);
    m_announcer->announce(PhoneNumber, idx);
}

void SettingsReceiver::onPhoneNumberAdditionalCR(quint8 idx, quint8 cr)
{
    if (idx >= SettingsModel::UserCount)
        return;
    m_model->phones[idx].addCr = cr;
    m_announcer->announce(PhoneNumberAdditionalCR, idx);
}

void SettingsReceiver::onSMSPSTNCR(quint32 data)
{
    m_model->users.smsPstnCr = data;
    m_announcer->announce(SMSPSTNCR, -1);
}

void SettingsReceiver::onAccessPIN(quint32 data)
{
    m_model->users.accessPin = data;
    m_announcer->announce(AccessPIN, -1);
}

void SettingsReceiver::onSMSBackupPhoneNumber(quint8 cr, const QByteArray &number)
{
    // The number counts only while the use flag is set.
    m_model->users.smsBackupUse = cr;
    m_model->users.smsBackupNumber =
        cr != 0 ? cut(number, PhoneRecord::MaxNumberLength) : QByteArray();
    m_announcer->announce(SMSBackupPhoneNumber, -1);
}

// --- Security, GSM modem, advanced ------------------------------------------

void SettingsReceiver::onUSBPassword(const QByteArray &text)
{
    m_model->security.usbPassword = cut(text, SecurityTextWidth);
    m_announcer->announce(USBPassword, -1);
}

void SettingsReceiver::onYKTOwnerName(const QByteArray &text)
{
    m_model->security.ownerName = cut(text, SecurityTextWidth);
    m_announcer->announce(OwnerName, -1);
}

void SettingsReceiver::onYKT2CR(quint32 data)
{
    m_model->security.ykt2cr = data;
    m_announcer->announce(YKT2CR, -1);
}

void SettingsReceiver::onSIMpin(const QByteArray &text)
{
    m_model->security.simPin = cut(text, SIMpinWidth);
    m_announcer->announce(SIMpin, -1);
}

void SettingsReceiver::onPSTNKissOff(quint16 data)
{
    m_model->security.pstnKissOff = data;
    m_announcer->announce(PSTNKissOff, -1);
}

void SettingsReceiver::onAlarmSettings(const QByteArray &data)
{
    m_model->security.alarmSettings = cut(data, AlarmSettingsBytes);
    m_announcer->announce(AlarmSettings, -1);
}

// --- Texts -------------------------------------------------------------------

void SettingsReceiver::onSMSPhrase(quint8 idx, const QByteArray &phrase)
{
    if (idx >= TextsArea::PhraseCount)
        return;
    m_model->texts.smsPhrases[idx] = cut(fromModuleCharset(phrase), PhraseWidth);
    m_announcer->announce(SMSPhrase, idx);
}

void SettingsReceiver::onHelpText(quint8 idx, const QByteArray &part)
{
    if (idx >= HelpTextPartCount)
        return;
    m_model->texts.helpText = addHelpTextPart(m_model->texts.helpText, idx, part);
    m_announcer->announce(HelpText, idx);
}

void SettingsReceiver::onItemName(quint8 fdNr, quint8 idx, const QByteArray &name)
{
    if (idx >= TextsArea::groupSize(fdNr))
        return;
    m_model->texts.itemNames[fdNr - 1][idx] = cut(fromModuleCharset(name), NameWidth);
    m_announcer->announce(ItemName, itemNameIndex(fdNr, idx));
}

void SettingsReceiver::onAdditionalSMSText(qint32 idx, const QByteArray &s)
{
    if (idx < 0 || idx >= int(m_model->texts.additionalTexts.size()))
        return;
    m_model->texts.additionalTexts[idx] = cut(fromModuleCharset(s), SMSTextWidth);
    m_announcer->announce(AdditionalSMSText, idx);
}

// --- Zone voice data ---------------------------------------------------------

void SettingsReceiver::onZoneVoiceIndex(const QByteArray &data)
{
    if (data.size() < ZoneVoiceRecordBytes)
        return;
    const int zone = quint8(data.at(0));
    if (zone >= ZoneVoiceArea::ZoneCount)
        return;
    m_model->zoneVoice.records[zone] = data.left(ZoneVoiceRecordBytes);
    m_announcer->announce(ZoneVoiceIndex, zone);
}

void SettingsReceiver::onVoiceLanguageName(const QByteArray &text)
{
    // Control characters and 0xFF are dropped, as the name is only shown.
    QByteArray name;
    for (const char c : cut(text, VoiceLanguageNameWidth)) {
        const quint8 b = quint8(c);
        if (b >= 32 && b != 255)
            name.append(c);
    }
    m_model->zoneVoice.languageName = name;
    m_announcer->announce(VoiceLanguageName, -1);
}

} // namespace ykt
