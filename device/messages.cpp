#include "device/messages.h"

namespace ykt {

namespace {

quint8 byteAt(const QByteArray &data, int k)
{
    return k < data.size() ? quint8(data.at(k)) : quint8(0);
}

quint16 u16At(const QByteArray &data, int k)
{
    return quint16((byteAt(data, k) << 8) | byteAt(data, k + 1));
}

quint32 u32At(const QByteArray &data, int k)
{
    return (quint32(u16At(data, k)) << 16) | u16At(data, k + 2);
}

// The raw text field b[2 .. 2+len-1], as far as the report has it.
QByteArray field(const QByteArray &data, int len)
{
    return data.mid(2, len);
}

QByteArray trimmedField(const QByteArray &data, int len)
{
    QByteArray f = field(data, len);
    int end = f.size();
    while (end > 0 && f.at(end - 1) == ' ')
        --end;
    f.truncate(end);
    return f;
}

// Characters from..to (1-based, inclusive) of a field; they stop early where
// the field is shorter.
QByteArray chars(const QByteArray &f, int from, int to)
{
    return f.mid(from - 1, to - from + 1);
}

} // namespace

StatusBits decodeStatus(quint8 status)
{
    StatusBits bits;
    bits.busy = status & 0x80;
    bits.moduleError = status & 0x40;
    bits.monitoring = status & 0x20;
    bits.passwordRequired = status & 0x10;
    bits.settingsLocked = status & 0x04;
    bits.sequence = status & 0x03;
    return bits;
}

std::optional<StateBlock> decodeStateBlock(const QByteArray &data)
{
    if (data.size() < 8)
        return std::nullopt;
    StateBlock block;
    block.mc55iFlags = byteAt(data, 1);
    block.mc55iCR = byteAt(data, 2);
    block.mc55iSR = byteAt(data, 3);
    block.tcpsr = u16At(data, 4);
    block.outBufMessCount = byteAt(data, 6);
    block.sentCounter = byteAt(data, 7);
    return block;
}

std::optional<UsartLine> decodeUsart(const QByteArray &data)
{
    if (data.size() < 10)
        return std::nullopt;
    UsartLine line;
    const quint8 control = byteAt(data, 8);
    line.sequence = control & 0x03;
    line.outGoing = (control & 0x40) == 0;
    const int length = qMin<int>(byteAt(data, 9), MaxUsartText);
    line.text = data.mid(10, length);
    return line;
}

std::optional<Message> decodeMessage(const QByteArray &data)
{
    if (data.size() < 2)
        return std::nullopt;
    Message m;
    m.type = byteAt(data, 1);
    if (m.type < FirstMessageType || m.type > LastMessageType)
        return std::nullopt;

    const auto b = [&](int k) { return byteAt(data, k); };
    const auto indexed = [&] {
        m.idx = b(2);
        m.stepIndex = m.idx;
    };

    switch (m.type) {
    case 0x80: // OnConnectionString
    case 0x81: // OnAPN
    case 0x85: // OnConnectionString2
    case 0x86: // OnConnectionString3
        m.text = trimmedField(data, 50);
        break;
    case 0x82: // OnUserName
    case 0x83: // OnPassword
        m.text = trimmedField(data, 32);
        break;
    case 0x87: // OnUSBPassword
    case 0x89: // OnYKTOwnerName
        m.text = trimmedField(data, 16);
        break;
    case 0x97: // OnModemData
        m.text = trimmedField(data, 28);
        break;
    case 0x98: // OnSIMpin
        m.text = trimmedField(data, 8);
        break;
    case 0x84: // OnTCPCR
    case 0x8A: // OnYKT2CR
    case 0x8C: // OnSMSPSTNCR
    case 0x94: // OnAccessPIN
    case 0x9B: // OnCPCR
        m.data = u32At(data, 2);
        break;
    case 0x99: // OnHeartBeatEventId
    case 0x9E: // OnPSTNKissOff
        m.word = u16At(data, 2);
        break;
    case 0x88: // OnReserveAccount
        indexed();
        m.text = chars(trimmedField(data, 5), 2, 5);
        break;
    case 0x8B: // OnPhoneNumber
    case 0x91: // OnPGMPhoneNumber
        indexed();
        m.cr = b(3);
        m.text = chars(trimmedField(data, 17), 3, 17);
        break;
    case 0x8D: // OnSMSPhrase
        indexed();
        m.text = chars(trimmedField(data, 17), 2, 17);
        break;
    case 0x8E: { // OnHelpText: the one text whose trailing spaces are kept
        indexed();
        const int len = m.idx == 2 ? 47 : 48;
        m.text = chars(field(data, len), 2, len);
        break;
    }
    case 0x8F: // OnInputSetting
        indexed();
        m.cr = b(3);
        m.violations = b(4);
        m.sensivity = b(5);
        m.word = u16At(data, 6);
        m.bytes = data.mid(8, 5);
        break;
    case 0x90: // OnItemName
        m.idx = b(2);
        m.idx2 = b(3);
        m.stepIndex = m.idx;
        m.stepSub = m.idx2;
        m.text = chars(trimmedField(data, 18), 3, 18);
        break;
    case 0x92: // OnOutputSetting
        indexed();
        m.cr = b(3);
        m.word = u16At(data, 4);
        break;
    case 0x93: // OnInputSMSText
    case 0x96: // OnAdditionalSMSText
        indexed();
        m.text = chars(trimmedField(data, 51), 2, 51);
        break;
    case 0x95: // OnSMSBackupPhoneNumber: Idx and CR are the same byte
        m.idx = b(2);
        m.cr = b(2);
        m.text = chars(trimmedField(data, 16), 2, 16);
        break;
    case 0x9A: // OnPhoneNumberAdditionalCR
        indexed();
        m.cr = b(3);
        break;
    case 0x9C: // OnAES128Key: a key may end in spaces, so nothing is trimmed
        indexed();
        m.text = chars(field(data, 17), 2, 17);
        break;
    case 0x9D: // OnZoneVoiceIndex: Data[0] is the block index
        indexed();
        m.bytes = data.mid(2, 9);
        break;
    case 0x9F: // OnAlarmSettings
        m.bytes = data.mid(2, 16);
        break;
    case 0xA0: { // OnVoiceLanguageName: b[2] is the name's length
        const int length = b(2);
        if (length > 0)
            m.text = chars(trimmedField(data, 50), 2, 1 + length);
        break;
    }
    }
    return m;
}

const char *eventName(quint8 type)
{
    static const char *const names[] = {
        "OnConnectionString",
        "OnAPN",
        "OnUserName",
        "OnPassword",
        "OnTCPCR",
        "OnConnectionString2",
        "OnConnectionString3",
        "OnUSBPassword",
        "OnReserveAccount",
        "OnYKTOwnerName",
        "OnYKT2CR",
        "OnPhoneNumber",
        "OnSMSPSTNCR",
        "OnSMSPhrase",
        "OnHelpText",
        "OnInputSetting",
        "OnItemName",
        "OnPGMPhoneNumber",
        "OnOutputSetting",
        "OnInputSMSText",
        "OnAccessPIN",
        "OnSMSBackupPhoneNumber",
        "OnAdditionalSMSText",
        "OnModemData",
        "OnSIMpin",
        "OnHeartBeatEventId",
        "OnPhoneNumberAdditionalCR",
        "OnCPCR",
        "OnAES128Key",
        "OnZoneVoiceIndex",
        "OnPSTNKissOff",
        "OnAlarmSettings",
        "OnVoiceLanguageName",
    };
    static_assert(sizeof(names) / sizeof(names[0]) == LastMessageType - FirstMessageType + 1);
    if (type < FirstMessageType || type > LastMessageType)
        return nullptr;
    return names[type - FirstMessageType];
}

} // namespace ykt

namespace ykt {

namespace {
QByteArray quoted(const QByteArray &text)
{
    return '"' + printableText(text).replace('"', "\\x22") + '"';
}
QByteArray hex8(quint8 v)
{
    return "0x" + QByteArray::number(v, 16).rightJustified(2, '0').toUpper();
}
QByteArray hex32(quint32 v)
{
    return "0x" + QByteArray::number(v, 16).rightJustified(8, '0').toUpper();
}
QByteArray hex16(quint16 v)
{
    return "0x" + QByteArray::number(v, 16).rightJustified(4, '0').toUpper();
}
} // namespace

QByteArray describeMessage(const Message &m)
{
    QByteArray line = eventName(m.type);
    const QByteArray idx = " Idx=" + QByteArray::number(m.idx);
    switch (m.type) {
    case 0x80:
    case 0x81:
    case 0x82:
    case 0x83:
    case 0x85:
    case 0x86:
    case 0x87:
    case 0x89:
    case 0x97:
    case 0x98:
    case 0xA0:
        line += " Output=" + quoted(m.text);
        break;
    case 0x84:
    case 0x8A:
    case 0x8C:
    case 0x94:
    case 0x9B:
        line += " Data=" + hex32(m.data);
        break;
    case 0x99:
    case 0x9E:
        line += " Data=" + hex16(m.word);
        break;
    case 0x88:
    case 0x93:
    case 0x96:
        line += idx + " s=" + quoted(m.text);
        break;
    case 0x8B:
    case 0x91:
    case 0x95:
        line += idx + " CR=" + hex8(m.cr) + " Number=" + quoted(m.text);
        break;
    case 0x9A:
        line += idx + " CR=" + hex8(m.cr);
        break;
    case 0x8D:
    case 0x8E:
    case 0x9C:
        line += idx + " Phrase=" + quoted(m.text);
        break;
    case 0x8F:
        line += idx + " CR=" + hex8(m.cr) + " Violations=" + QByteArray::number(m.violations) +
                " Sensivity=" + QByteArray::number(m.sensivity) +
                " NoSenseInterval=" + QByteArray::number(m.word) + " CID=" + BytesToHex(m.bytes);
        break;
    case 0x90:
        line += " FDNr=" + QByteArray::number(m.idx) + " Idx=" + QByteArray::number(m.idx2) +
                " Name=" + quoted(m.text);
        break;
    case 0x92:
        line += idx + " CR=" + hex8(m.cr) + " ImpLength=" + QByteArray::number(m.word);
        break;
    case 0x9D:
    case 0x9F:
        line += " Data=" + BytesToHex(m.bytes);
        break;
    }
    return line;
}

} // namespace ykt
