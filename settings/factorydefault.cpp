#include "settings/factorydefault.h"

#include "refdata/zonevoice.h"
#include "settings/securityfields.h"
#include "texts/modulecharset.h"

namespace ykt {

namespace {

// Firmware from which the module knows each part of the factory default.
constexpr int AdditionalCrFirmware = 1026; // PnAddCR and the heartbeat event word
constexpr int AdvancedFirmware = 4003;     // kiss-off, zone voice indexes, alarm settings

constexpr int ConnectionStringWidth = 50;
constexpr int APNWidth = 50;
constexpr int APNLoginWidth = 32;
constexpr int SecurityTextWidth = 16;
constexpr int SIMpinWidth = 8;
constexpr int PhraseWidth = 16;
constexpr int SMSTextWidth = 50;
constexpr int CIDBytes = 5;

// The input and output records a module leaves the factory with.
constexpr quint8 FactorySensivity = 4; // 400 ms
constexpr quint8 FactoryOutputCR = 8;  // manual, pulse
constexpr quint16 FactoryPulseSeconds = 1;
const QByteArray FactoryAccount = QByteArrayLiteral("0000");

QString numbered(const char *caption, int number)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(caption)).arg(number);
}

// The captions of the item-name groups and the number of their first name,
// as the send names them.
const char *nameGroupCaption(int fdNr)
{
    static const char *const captions[] = {"Zone name", "Module name", "User name",
                                           "Partition name", "PGM name"};
    return fdNr >= 1 && fdNr <= 5 ? captions[fdNr - 1] : "Name";
}

QByteArray messageText(const FactoryContext &c, int number)
{
    return c.message ? c.message(number) : QByteArray();
}

void resetGprsArea(SettingsModel &m, const FactoryContext &c, Ykt2CrFields &ykt2cr)
{
    GprsArea &g = m.gprs;
    g.connectionString.clear();
    g.connectionString2.clear();
    g.apn.clear();
    g.apnUserName.clear();
    g.apnPassword.clear();
    g.reserveAccounts = {FactoryAccount, FactoryAccount};
    // Both channels not used, "E2", TCP, no encryption, not copied to PSTN.
    g.tcpcr = packTCPCR(TcpCrFields(), c.pstnBoxesShown, c.firmwareVersion);
    g.heartbeatEvent = packHeartbeatEvent(HeartbeatEvent());
    g.aesKeys = {};
    m.security.ownerName.clear();
    m.security.usbPassword.clear();
    ykt2cr.usbPassword = false;
    ykt2cr.gprsProtected = false;
    ykt2cr.heartbeatCheck = false;
    ykt2cr.heartbeatSeconds = Ykt2CrFields().heartbeatSeconds;
}

void addGprs(PlanBuilder &p, const SettingsModel &m, const FactoryContext &c)
{
    addGprsTexts(p, m, c.settingsLocked);

    // Transport and encryption always 0, whatever a locked module keeps.
    TcpCrFields tcp = unpackTCPCR(m.gprs.tcpcr, protocolCount(c.firmwareVersion));
    tcp.channel1Udp = tcp.channel2Udp = false;
    tcp.channel1Encrypted = tcp.channel2Encrypted = false;
    p.add(packets::u32(opcode::SetTCPCR, packTCPCR(tcp, c.pstnBoxesShown, c.firmwareVersion)),
          QStringLiteral("Reporting channels (TCPCR)"));
    // TCP statistics and the work mode always 0.
    Ykt2CrFields ykt2 = unpackYKT2CR(m.security.ykt2cr);
    ykt2.tcpStatistics = false;
    ykt2.workMode = WorkMode::Communicator;
    p.add(packets::u32(opcode::SetYKT2CR, packYKT2CR(ykt2)),
          QStringLiteral("Module configuration (YKT2CR)"));
    p.add(packets::text(opcode::SetSIMpin, SIMpinWidth, QByteArray()), QStringLiteral("SIM PIN"),
          0);
    p.add(packets::u32(opcode::SetSMSPSTNCR, m.users.smsPstnCr),
          QStringLiteral("SMS and call options (SMSPSTNCR)"), 0);
}

void addRecords(PlanBuilder &p, const SettingsModel &m, const FactoryContext &c)
{
    for (int i = 0; i < SettingsModel::UserCount; ++i) {
        p.add(packets::phoneNumber(opcode::SetPhoneNumber, quint8(i), 0, QByteArray()),
              numbered("Phone number", i + 1));
        if (c.firmwareVersion >= AdditionalCrFirmware)
            p.add(packets::phoneNumberAdditionalCR(quint8(i), 0),
                  numbered("Phone number options", i + 1));
    }
    for (int i = 0; i < SettingsModel::InputCount; ++i) {
        const InputRecord &r = m.inputs[i];
        p.add(packets::inputSetting(quint8(i), r.cr, r.violations, r.sensivity, r.noSenseInterval,
                                    r.cid),
              numbered("Input", i + 1));
        p.add(packets::indexedText(opcode::SetInputSMSText, quint8(i), SMSTextWidth,
                                   p.toModule(r.smsText)),
              numbered("Input SMS text", i + 1));
    }
    for (int i = 0; i < SettingsModel::OutputCount; ++i)
        p.add(packets::outputSetting(quint8(i), m.outputs[i].cr, m.outputs[i].impLength),
              numbered("Output", i + 1), 0);
    for (int i = 0; i < SettingsModel::RemoteControlCount; ++i)
        p.add(packets::phoneNumber(opcode::SetPGMPhoneNumber, quint8(i), 0, QByteArray()),
              numbered("Remote control number", i + 1), 0);
    if (c.firmwareVersion >= AdditionalCrFirmware) {
        const quint16 word = m.gprs.heartbeatEvent;
        p.add(packets::heartBeatEventId(word & 0x8000, word & 0x0FFF),
              QStringLiteral("Heartbeat event"));
    }
    p.add(packets::accessPIN(QByteArray(FactoryAccessPin)), QStringLiteral("Access PIN"), 0);
}

void addAdditionalTexts(PlanBuilder &p, const SettingsModel &m, int pauseMs)
{
    for (int i = 0; i < 2; ++i)
        p.add(packets::indexedText(opcode::SetAdditionalSMSText, quint8(i), SMSTextWidth,
                                   p.toModule(m.texts.additionalTexts[i])),
              numbered("Additional SMS text", i + 1), pauseMs);
}

void addAdvanced(PlanBuilder &p, const SettingsModel &m, const FactoryContext &c)
{
    if (c.firmwareVersion < AdvancedFirmware)
        return;
    p.add(packets::pstnKissOff(m.security.pstnKissOff), QStringLiteral("PSTN kiss-off"));
    for (int zone = 0; zone < ZoneVoiceArea::ZoneCount; ++zone)
        p.add(packets::zoneVoiceIndex(m.zoneVoice.records[zone]), numbered("Zone voice", zone + 1));
    p.pause(SendPauseMs);
    // Only a block the module reported can be merged and written back.
    if (m.security.alarmSettings.size() >= AlarmServerOptions::BlockSize)
        p.add(packets::alarmSettings(m.security.alarmSettings.left(AlarmServerOptions::BlockSize)),
              QStringLiteral("Alarm settings"));
}

void addTextsAndNames(PlanBuilder &p, const SettingsModel &m, const FactoryContext &c)
{
    for (int i = 0; i < TextsArea::PhraseCount; ++i)
        p.add(packets::indexedText(opcode::SetSMSPhrase, quint8(i), PhraseWidth,
                                   p.toModule(m.texts.smsPhrases[i])),
              numbered("SMS phrase", i + 1));
    addAdditionalTexts(p, m, SendPauseMs);
    for (int fdNr = 1; fdNr <= TextsArea::NameGroups; ++fdNr) {
        const int count = itemNameCount(fdNr, c.firmwareVersion);
        for (int idx = 0; idx < count; ++idx)
            p.add(packets::itemName(quint8(fdNr), quint8(idx),
                                    p.toModule(m.texts.itemNames[fdNr - 1][idx])),
                  numbered(nameGroupCaption(fdNr), ItemNumber(fdNr, idx)));
    }
}

} // namespace

SendContext FactoryContext::sendContext() const
{
    SendContext c;
    c.firmwareVersion = firmwareVersion;
    c.settingsLocked = settingsLocked;
    c.pstnBoxesShown = pstnBoxesShown;
    c.templateLoaded = false;
    c.workMode = WorkMode::Communicator;
    c.conversionType = conversionType;
    return c;
}

void applyFactoryDefaults(SettingsModel &m, const FactoryContext &c)
{
    Ykt2CrFields ykt2cr = unpackYKT2CR(m.security.ykt2cr);
    if (!c.settingsLocked)
        resetGprsArea(m, c, ykt2cr);
    ykt2cr.simPin = false;
    ykt2cr.simPinRejected = false;
    ykt2cr.tcpStatistics = false;
    ykt2cr.modemRestartHours = Ykt2CrFields().modemRestartHours;
    ykt2cr.workMode = WorkMode::Communicator;
    m.security.ykt2cr = packYKT2CR(ykt2cr);
    m.security.simPin.clear();
    m.users.smsPstnCr = packSMSPSTNCR(SmsPstnCrFields());
    m.users.smsBackupUse = 0;
    m.users.smsBackupNumber.clear();

    // The module is sent empty numbers: the model shows what it now holds.
    for (int i = 0; i < SettingsModel::UserCount; ++i)
        m.phones[i] = PhoneRecord();
    for (int i = 0; i < SettingsModel::RemoteControlCount; ++i)
        m.phones[SettingsModel::FirstRemoteControlRecord + i] = PhoneRecord();
    for (int i = 0; i < SettingsModel::InputCount; ++i) {
        InputRecord &r = m.inputs[i];
        r = InputRecord();
        r.sensivity = FactorySensivity;
        r.cid = QByteArray(CIDBytes, '\0');
        r.smsText = (messageText(c, factorymessages::InputSmsText) + QByteArray::number(i + 1))
                        .left(SMSTextWidth);
    }
    for (OutputRecord &r : m.outputs)
        r = {FactoryOutputCR, FactoryPulseSeconds};
    m.users.accessPin = packets::packAccessPIN(QByteArray(FactoryAccessPin));
    m.texts.additionalTexts[0] =
        messageText(c, factorymessages::AdditionalText1).left(SMSTextWidth);
    m.texts.additionalTexts[1] =
        messageText(c, factorymessages::AdditionalText2).left(SMSTextWidth);
    m.security.pstnKissOff = FactoryKissOff;
    if (c.firmwareVersion >= AdvancedFirmware) {
        for (int zone = 0; zone < ZoneVoiceArea::ZoneCount; ++zone)
            m.zoneVoice.records[zone] = emptyZoneVoiceRecord(zone);
        m.security.alarmSettings =
            mergeAlarmSettings(m.security.alarmSettings, AlarmServerOptions());
    }
    if (c.complete)
        SetDefaultTexts(m.texts, [&c](int n) { return messageText(c, n); });
}

QList<SendStep> buildFactoryDefaultPlan(const SettingsModel &model, const FactoryContext &context)
{
    SettingsModel m = model;
    applyFactoryDefaults(m, context);
    PlanBuilder p(context.conversionType);
    // CPCR: the program always writes 0.
    p.add(packets::u32(opcode::SetCPCR, 0), QStringLiteral("CPCR"));
    addGprs(p, m, context);
    addRecords(p, m, context);
    addAdditionalTexts(p, m, FactoryTextPauseMs);
    addAdvanced(p, m, context);
    if (context.complete)
        addTextsAndNames(p, m, context);
    return p.take();
}

} // namespace ykt
