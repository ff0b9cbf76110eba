#include "settings/sendplan.h"

#include "texts/helptext.h"
#include "texts/modulecharset.h"

namespace ykt {

namespace {

// Firmware from which the module knows each part of the send.
constexpr int AdditionalCrFirmware = 1026; // PnAddCR and the heartbeat event word
constexpr int KeysFirmware = 2020;         // the two encryption keys
constexpr int AdvancedFirmware = 4003;     // kiss-off, zone voice indexes, alarm settings

constexpr int ConnectionStringWidth = 50;
constexpr int APNWidth = 50;
constexpr int APNLoginWidth = 32;
constexpr int SecurityTextWidth = 16;
constexpr int SIMpinWidth = 8;
constexpr int PhraseWidth = 16;
constexpr int HelpTextWidth = 47;
constexpr int SMSTextWidth = 50;
constexpr int ZoneVoiceRecordBytes = 9;
constexpr int AlarmSettingsBytes = 16;

// Output function 5 (arm status) carries its pulse length doubled.
constexpr int ArmStatusFunction = 5;

// Bit 6 of YKT2CR: "Use SIM PIN".
constexpr quint32 SimPinBit = 1u << 6;

// First numbers of the name grids: zones, partitions and PGMs count from 1,
// modules and users from 0.
constexpr int nameNumberBase(int fdNr)
{
    return fdNr == 2 || fdNr == 3 ? 0 : 1;
}

const char *nameGroupCaption(int fdNr)
{
    static const char *const captions[] = {"Zone name", "Module name", "User name",
                                           "Partition name", "PGM name"};
    return fdNr >= 1 && fdNr <= 5 ? captions[fdNr - 1] : "Name";
}

QString numbered(const char *caption, int number)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(caption)).arg(number);
}

void addGprs(PlanBuilder &b, const SettingsModel &m, const SendContext &c)
{
    addGprsTexts(b, m, c.settingsLocked);
    b.add(packets::u32(opcode::SetTCPCR, sentTCPCR(m.gprs.tcpcr, c)),
          QStringLiteral("Reporting channels (TCPCR)"));
    const quint32 ykt2cr = sentYKT2CR(m.security.ykt2cr, c);
    b.add(packets::u32(opcode::SetYKT2CR, ykt2cr), QStringLiteral("Module configuration (YKT2CR)"),
          0);
    // The pause follows whether or not the SIM PIN goes out.
    if (ykt2cr & SimPinBit)
        b.add(packets::text(opcode::SetSIMpin, SIMpinWidth, m.security.simPin),
              QStringLiteral("SIM PIN"), 0);
    b.pause(SendPauseMs);
}

void addUsers(PlanBuilder &b, const SettingsModel &m, const SendContext &c)
{
    // Empty numbers are skipped: only the Users page's own clear removes a
    // number from the module.
    for (int i = 0; i < SettingsModel::UserCount; ++i) {
        const PhoneRecord &r = m.phones[i];
        if (r.number.isEmpty())
            continue;
        const UserFlags flags = unpackUserFlags(r.cr, r.addCr);
        b.add(packets::phoneNumber(opcode::SetPhoneNumber, quint8(i), packPnCR(flags), r.number),
              numbered("Phone number", i + 1));
        if (c.firmwareVersion >= AdditionalCrFirmware)
            b.add(packets::phoneNumberAdditionalCR(quint8(i), packPnAddCR(flags)),
                  numbered("Phone number options", i + 1));
    }
    b.add(packets::u32(opcode::SetSMSPSTNCR, packSMSPSTNCR(unpackSMSPSTNCR(m.users.smsPstnCr))),
          QStringLiteral("SMS and call options (SMSPSTNCR)"));
}

void addItemNames(PlanBuilder &b, const SettingsModel &m, const SendContext &c)
{
    for (int fdNr = 1; fdNr <= TextsArea::NameGroups; ++fdNr) {
        const int count = itemNameCount(fdNr, c.firmwareVersion);
        for (int idx = 0; idx < count; ++idx)
            b.add(packets::itemName(quint8(fdNr), quint8(idx),
                                    b.toModule(m.texts.itemNames[fdNr - 1][idx])),
                  numbered(nameGroupCaption(fdNr), idx + nameNumberBase(fdNr)));
    }
}

void addRemoteControl(PlanBuilder &b, const SettingsModel &m)
{
    for (int i = 0; i < SettingsModel::RemoteControlCount; ++i) {
        const PhoneRecord &r = m.phones[SettingsModel::FirstRemoteControlRecord + i];
        // A number without text switches nothing.
        const quint8 cr = r.number.isEmpty() ? 0 : packPGMPnCR(unpackPGMPnCR(r.cr));
        b.add(packets::phoneNumber(opcode::SetPGMPhoneNumber, quint8(i), cr, r.number),
              numbered("Remote control number", i + 1));
    }
}

void addAdvanced(PlanBuilder &b, const SettingsModel &m, const SendContext &c)
{
    if (c.firmwareVersion >= AdditionalCrFirmware) {
        const quint16 word = m.gprs.heartbeatEvent;
        b.add(packets::heartBeatEventId(word & 0x8000, word & 0x0FFF),
              QStringLiteral("Heartbeat event"));
    }
    if (c.firmwareVersion >= KeysFirmware) {
        b.add(packets::aes128Key(0, m.gprs.aesKeys[0]), QStringLiteral("Channel 1 key"), 0);
        b.add(packets::aes128Key(1, m.gprs.aesKeys[1]), QStringLiteral("Channel 2 key"), 0);
    }
    if (c.firmwareVersion < AdvancedFirmware)
        return;
    b.add(packets::pstnKissOff(m.security.pstnKissOff), QStringLiteral("PSTN kiss-off"));
    for (int zone = 0; zone < ZoneVoiceArea::ZoneCount; ++zone) {
        // Every zone goes out; a zone never read has no phrases.
        QByteArray record(ZoneVoiceRecordBytes, '\0');
        record[0] = char(zone);
        const QByteArray &held = m.zoneVoice.records[zone];
        for (int k = 1; k < ZoneVoiceRecordBytes && k < held.size(); ++k)
            record[k] = held.at(k);
        b.add(packets::zoneVoiceIndex(record), numbered("Zone voice", zone + 1));
    }
    b.pause(SendPauseMs);
    // Only a block the module reported can be merged and written back: the
    // bytes the program does not know are the module's.
    if (m.security.alarmSettings.size() >= AlarmSettingsBytes)
        b.add(packets::alarmSettings(m.security.alarmSettings.left(AlarmSettingsBytes)),
              QStringLiteral("Alarm settings"));
}

void addTexts(PlanBuilder &b, const SettingsModel &m, const SendContext &c)
{
    for (int i = 0; i < TextsArea::PhraseCount; ++i)
        b.add(packets::indexedText(opcode::SetSMSPhrase, quint8(i), PhraseWidth,
                                   b.toModule(m.texts.smsPhrases[i])),
              numbered("SMS phrase", i + 1));
    for (int i = 0; i < 2; ++i)
        b.add(packets::indexedText(opcode::SetAdditionalSMSText, quint8(i), SMSTextWidth,
                                   b.toModule(m.texts.additionalTexts[i])),
              numbered("Additional SMS text", i + 1));
    if (c.templateLoaded) {
        // The help text is not converted to the module's character set.
        const auto parts = splitHelpText(m.texts.helpText);
        for (int i = 0; i < HelpTextPartCount; ++i)
            b.add(packets::indexedText(opcode::SetHelpText, quint8(i), HelpTextWidth, parts[i]),
                  numbered("Help text part", i + 1), HelpTextPauseMs);
        b.add(packets::endExchange(true), QStringLiteral("Help text"), 0);
    }
}

void addInputsAndOutputs(PlanBuilder &b, const SettingsModel &m)
{
    for (int i = 0; i < SettingsModel::InputCount; ++i) {
        const InputRecord &r = m.inputs[i];
        b.add(packets::inputSetting(quint8(i), packInputSettingsCR(unpackInputSettingsCR(r.cr)),
                                    r.violations, r.sensivity, r.noSenseInterval, r.cid),
              numbered("Input", i + 1));
        b.add(packets::indexedText(opcode::SetInputSMSText, quint8(i), SMSTextWidth,
                                   b.toModule(r.smsText)),
              numbered("Input SMS text", i + 1));
    }
    for (int i = 0; i < SettingsModel::OutputCount; ++i) {
        const OutputRecord &r = m.outputs[i];
        const quint8 cr = packOutputSettingsCR(unpackOutputSettingsCR(r.cr));
        const quint32 length =
            (cr & 0x07) == ArmStatusFunction ? quint32(r.impLength) * 2 : r.impLength;
        b.add(packets::outputSetting(quint8(i), cr, quint16(qMin<quint32>(length, 0xFFFF))),
              numbered("Output", i + 1));
    }
}

} // namespace

void addGprsTexts(PlanBuilder &b, const SettingsModel &m, bool settingsLocked)
{
    b.add(
        packets::text(opcode::SetConnectionString, ConnectionStringWidth, m.gprs.connectionString),
        QStringLiteral("Channel 1 address"));
    b.add(packets::text(opcode::SetConnectionString2, ConnectionStringWidth,
                        m.gprs.connectionString2),
          QStringLiteral("Channel 2 address"));
    b.add(packets::text(opcode::SetAPN, APNWidth, m.gprs.apn), QStringLiteral("APN"));
    b.add(packets::text(opcode::SetUserName, APNLoginWidth, m.gprs.apnUserName),
          QStringLiteral("APN user name"));
    b.add(packets::text(opcode::SetPassword, APNLoginWidth, m.gprs.apnPassword),
          QStringLiteral("APN password"));
    if (!settingsLocked)
        b.add(packets::text(opcode::SetUSBPassword, SecurityTextWidth, m.security.usbPassword),
              QStringLiteral("USB password"));
    b.add(packets::reserveAccount(1, m.gprs.reserveAccounts[1]),
          QStringLiteral("Channel 2 account"));
    b.add(packets::reserveAccount(0, m.gprs.reserveAccounts[0]),
          QStringLiteral("Channel 1 account"));
    b.add(packets::text(opcode::SetOwnerName, SecurityTextWidth, m.security.ownerName),
          QStringLiteral("Owner name"), 0);
}

void PlanBuilder::add(tduomenys packet, QString name, int pauseMs)
{
    m_plan.append({std::move(packet), pauseMs, std::move(name)});
}

void PlanBuilder::pause(int ms)
{
    if (!m_plan.isEmpty())
        m_plan.last().pauseAfterMs += ms;
}

QByteArray PlanBuilder::toModule(const QByteArray &text) const
{
    return ykt::toModule(text, m_conversionType);
}

quint32 sentTCPCR(quint32 tcpcr, const SendContext &c)
{
    const TcpCrFields fields = unpackTCPCR(tcpcr, protocolCount(c.firmwareVersion));
    return packTCPCR(fields, c.pstnBoxesShown, c.firmwareVersion);
}

quint32 sentYKT2CR(quint32 ykt2cr, const SendContext &c)
{
    Ykt2CrFields fields = unpackYKT2CR(ykt2cr);
    if (c.workMode)
        fields.workMode = *c.workMode;
    return packYKT2CR(fields);
}

QList<SendStep> buildSendPlan(const SettingsModel &model, const SendContext &context)
{
    PlanBuilder b(context.conversionType);
    // CPCR: the program always writes 0.
    b.add(packets::u32(opcode::SetCPCR, 0), QStringLiteral("CPCR"));
    addGprs(b, model, context);
    addUsers(b, model, context);
    addItemNames(b, model, context);
    addRemoteControl(b, model);
    b.add(packets::u32(opcode::SetAccessPIN, model.users.accessPin), QStringLiteral("Access PIN"),
          0);
    addAdvanced(b, model, context);
    addTexts(b, model, context);
    addInputsAndOutputs(b, model);
    return b.take();
}

int totalPauseMs(const QList<SendStep> &plan)
{
    int total = 0;
    for (const SendStep &s : plan)
        total += s.pauseAfterMs;
    return total;
}

} // namespace ykt
