#include "settings/readbackcheck.h"

#include "device/commands.h"
#include "device/messages.h"
#include "device/readplan.h"
#include "texts/helptext.h"
#include "texts/modulecharset.h"

namespace ykt {

namespace {

constexpr int ConnectionStringWidth = 50;
constexpr int APNLoginWidth = 32;
constexpr int AccountWidth = 4;
constexpr int SecurityTextWidth = 16;
constexpr int SIMpinWidth = 8;
constexpr int PhraseWidth = 16;
constexpr int NameWidth = 16;
constexpr int SMSTextWidth = 50;
constexpr int KeyBytes = 16;
constexpr int CIDBytes = 5;
constexpr int ZoneVoiceRecordBytes = 9;
constexpr int AlarmSettingsBytes = 16;
constexpr int ArmStatusFunction = 5;

// YKT2CR bit 7 is the module's own report of a rejected SIM PIN: the program
// never writes it, the module may set it.
constexpr quint32 SimPinRejectedBit = 1u << 7;

QByteArray hex32(quint32 v)
{
    return "0x" + QByteArray::number(v, 16).toUpper().rightJustified(8, '0');
}
QByteArray hex16(quint16 v)
{
    return "0x" + QByteArray::number(v, 16).toUpper().rightJustified(4, '0');
}
QByteArray hex8(quint8 v)
{
    return "0x" + QByteArray::number(v, 16).toUpper().rightJustified(2, '0');
}

QByteArray numberAndCr(const QByteArray &number, quint8 cr)
{
    return number + " (" + hex8(cr) + ")";
}

QByteArray inputText(quint8 cr, quint8 violations, quint8 sensivity, quint16 interval,
                     const QByteArray &cid)
{
    return "CR " + hex8(cr) + ", violations " + QByteArray::number(violations) + ", sensitivity " +
           QByteArray::number(sensivity) + ", interval " + QByteArray::number(interval) + ", CID " +
           BytesToHex(cid.leftJustified(CIDBytes, '\0', true));
}

QByteArray outputText(quint8 cr, quint16 length)
{
    return "CR " + hex8(cr) + ", length " + QByteArray::number(length);
}

PhoneRecord record(const SettingsModel &m, int index)
{
    return index >= 0 && index < SettingsModel::PhoneRecordCount ? m.phones[index] : PhoneRecord();
}

// The items of the GPRS area: the module does not take them while its GPRS
// settings are locked.
bool gprsItem(quint8 op)
{
    switch (op) {
    case opcode::SetConnectionString:
    case opcode::SetAPN:
    case opcode::SetUserName:
    case opcode::SetPassword:
    case opcode::SetTCPCR:
    case opcode::SetConnectionString2:
    case opcode::SetUSBPassword:
    case opcode::SetReserveAccount:
    case opcode::SetHeartBeatEventId:
    case opcode::SetAES128Key:
        return true;
    default:
        return false;
    }
}

struct Values
{
    QByteArray sent;
    QByteArray read;
};

class Checker
{
public:
    Checker(const SettingsModel &read, const SendContext &context)
        : m_read(read), m_context(context)
    {}

    // The values of one step; nothing when the step is not compared.
    std::optional<Values> compare(const SendStep &step)
    {
        const quint8 op = step.opcode();
        if (op > opcode::SetAlarmSettings || op == opcode::SetCPCR)
            return std::nullopt;
        if (opcode::ReadBase + op > ReadPlan::lastTypeFor(m_context.firmwareVersion))
            return std::nullopt;
        if (m_context.settingsLocked && gprsItem(op))
            return std::nullopt;
        // The module answers a read with the record it was written, one byte
        // shorter; the driver decodes that answer as any other.
        QByteArray answer(2, '\0');
        answer[1] = char(opcode::ReadBase + op);
        answer += step.packet.mid(1, PacketSize - 2);
        const std::optional<Message> echo = decodeMessage(answer);
        if (!echo)
            return std::nullopt;
        return values(op, *echo);
    }

private:
    QByteArray fromModule(const QByteArray &text) const
    {
        return ykt::fromModule(text, m_context.conversionType);
    }

    std::optional<Values> values(quint8 op, const Message &e)
    {
        const SettingsModel &r = m_read;
        switch (op) {
        case opcode::SetConnectionString:
            return Values{e.text.left(ConnectionStringWidth), r.gprs.connectionString};
        case opcode::SetConnectionString2:
            return Values{e.text.left(ConnectionStringWidth), r.gprs.connectionString2};
        case opcode::SetAPN:
            return Values{e.text.left(ConnectionStringWidth), r.gprs.apn};
        case opcode::SetUserName:
            return Values{e.text.left(APNLoginWidth), r.gprs.apnUserName};
        case opcode::SetPassword:
            return Values{e.text.left(APNLoginWidth), r.gprs.apnPassword};
        case opcode::SetUSBPassword:
            return Values{e.text.left(SecurityTextWidth), r.security.usbPassword};
        case opcode::SetOwnerName:
            return Values{e.text.left(SecurityTextWidth), r.security.ownerName};
        case opcode::SetSIMpin:
            return Values{e.text.left(SIMpinWidth), r.security.simPin};
        case opcode::SetTCPCR:
            return Values{hex32(e.data), hex32(r.gprs.tcpcr)};
        case opcode::SetYKT2CR:
            return Values{hex32(e.data), hex32(r.security.ykt2cr & ~SimPinRejectedBit)};
        case opcode::SetSMSPSTNCR:
            return Values{hex32(e.data), hex32(r.users.smsPstnCr)};
        case opcode::SetAccessPIN:
            return Values{packets::unpackAccessPIN(e.data),
                          packets::unpackAccessPIN(r.users.accessPin)};
        case opcode::SetReserveAccount:
            return Values{e.text.left(AccountWidth), r.gprs.reserveAccounts[e.idx == 1 ? 1 : 0]};
        case opcode::SetPhoneNumber: {
            const PhoneRecord p = record(r, e.idx < SettingsModel::UserCount ? e.idx : -1);
            return Values{numberAndCr(e.text.left(PhoneRecord::MaxNumberLength), e.cr),
                          numberAndCr(p.number, p.cr)};
        }
        case opcode::SetPhoneNumberAdditionalCR:
            return Values{hex8(e.cr),
                          hex8(record(r, e.idx < SettingsModel::UserCount ? e.idx : -1).addCr)};
        case opcode::SetPGMPhoneNumber: {
            const PhoneRecord p = record(r, e.idx < SettingsModel::RemoteControlCount
                                                ? SettingsModel::FirstRemoteControlRecord + e.idx
                                                : -1);
            QByteArray number = e.text.left(PhoneRecord::MaxNumberLength);
            while (number.endsWith(' '))
                number.chop(1);
            return Values{numberAndCr(number, e.cr), numberAndCr(p.number, p.cr)};
        }
        case opcode::SetItemName: {
            if (e.idx2 >= TextsArea::groupSize(e.idx))
                return std::nullopt;
            return Values{fromModule(e.text).left(NameWidth), r.texts.itemNames[e.idx - 1][e.idx2]};
        }
        case opcode::SetSMSPhrase:
            if (e.idx >= TextsArea::PhraseCount)
                return std::nullopt;
            return Values{fromModule(e.text).left(PhraseWidth), r.texts.smsPhrases[e.idx]};
        case opcode::SetAdditionalSMSText:
            if (e.idx >= r.texts.additionalTexts.size())
                return std::nullopt;
            return Values{fromModule(e.text).left(SMSTextWidth), r.texts.additionalTexts[e.idx]};
        case opcode::SetHelpText:
            // The three parts make one text; it is compared when the last
            // part has gone out, as the read builds it.
            m_helpText = addHelpTextPart(m_helpText, e.idx, e.text);
            if (e.idx != HelpTextPartCount - 1)
                return std::nullopt;
            return Values{m_helpText, r.texts.helpText};
        case opcode::SetInputSetting: {
            if (e.idx >= SettingsModel::InputCount)
                return std::nullopt;
            const InputRecord &in = r.inputs[e.idx];
            return Values{
                inputText(e.cr, e.violations, e.sensivity, e.word, e.bytes.left(CIDBytes)),
                inputText(in.cr, in.violations, in.sensivity, in.noSenseInterval, in.cid)};
        }
        case opcode::SetInputSMSText:
            if (e.idx >= SettingsModel::InputCount)
                return std::nullopt;
            return Values{fromModule(e.text).left(SMSTextWidth), r.inputs[e.idx].smsText};
        case opcode::SetOutputSetting: {
            if (e.idx >= SettingsModel::OutputCount)
                return std::nullopt;
            const quint16 length = (e.cr & 0x07) == ArmStatusFunction ? e.word / 2 : e.word;
            const OutputRecord &out = r.outputs[e.idx];
            return Values{outputText(e.cr, length), outputText(out.cr, out.impLength)};
        }
        case opcode::SetHeartBeatEventId:
            return Values{hex16(e.word), hex16(r.gprs.heartbeatEvent)};
        case opcode::SetAES128Key:
            if (e.idx >= r.gprs.aesKeys.size())
                return std::nullopt;
            return Values{BytesToHex(e.text.left(KeyBytes)), BytesToHex(r.gprs.aesKeys[e.idx])};
        case opcode::SetZoneVoiceIndex: {
            const int zone = e.bytes.isEmpty() ? -1 : quint8(e.bytes.at(0));
            if (zone < 0 || zone >= ZoneVoiceArea::ZoneCount)
                return std::nullopt;
            return Values{BytesToHex(e.bytes.left(ZoneVoiceRecordBytes)),
                          BytesToHex(r.zoneVoice.records[zone])};
        }
        case opcode::SetPSTNKissOff:
            return Values{QByteArray::number(e.word), QByteArray::number(r.security.pstnKissOff)};
        case opcode::SetAlarmSettings:
            return Values{BytesToHex(e.bytes.left(AlarmSettingsBytes)),
                          BytesToHex(r.security.alarmSettings)};
        default:
            return std::nullopt;
        }
    }

    const SettingsModel &m_read;
    const SendContext &m_context;
    QByteArray m_helpText;
};

} // namespace

QList<ReadBackDifference> compareReadBack(const QList<SendStep> &plan, const SettingsModel &read,
                                          const SendContext &context)
{
    QList<ReadBackDifference> out;
    Checker checker(read, context);
    for (const SendStep &step : plan) {
        const std::optional<Values> v = checker.compare(step);
        if (!v || v->sent == v->read)
            continue;
        // The help text's parts share the one entry of the whole text.
        const QString name =
            step.opcode() == opcode::SetHelpText ? QStringLiteral("Help text") : step.name;
        out.append({name, v->sent, v->read});
    }
    return out;
}

QList<ReadBackDifference> compareReadBack(const SettingsModel &sent, const SettingsModel &read,
                                          const SendContext &context)
{
    return compareReadBack(buildSendPlan(sent, context), read, context);
}

} // namespace ykt
