#include "device/commands.h"

namespace ykt {

int itemNameCount(int fdNr, int firmwareVersion)
{
    switch (fdNr) {
    case 1:
        return 64; // "Zones:"
    case 2:
        return 16; // "Modules:"
    case 3:
        return firmwareVersion >= 4003 ? 64 : 32; // "Users:"
    case 4:
        return 8; // "Partitions:"
    case 5:
        return 16; // "PGMs:"
    default:
        return 0;
    }
}

namespace packets {

tduomenys empty(quint8 opcode)
{
    tduomenys packet(PacketSize, '\0');
    packet[0] = char(opcode);
    return packet;
}

void putText(tduomenys &packet, int offset, int width, const QByteArray &text, char pad)
{
    for (int k = 0; k < width && offset + k < packet.size(); ++k)
        packet[offset + k] = k < text.size() ? text.at(k) : pad;
}

void putU16(tduomenys &packet, int offset, quint16 value)
{
    packet[offset] = char(value >> 8);
    packet[offset + 1] = char(value & 0xFF);
}

void putU32(tduomenys &packet, int offset, quint32 value)
{
    putU16(packet, offset, quint16(value >> 16));
    putU16(packet, offset + 2, quint16(value & 0xFFFF));
}

tduomenys text(quint8 opcode, int width, const QByteArray &value)
{
    tduomenys packet = empty(opcode);
    putText(packet, 1, width, value);
    return packet;
}

tduomenys u32(quint8 opcode, quint32 value)
{
    tduomenys packet = empty(opcode);
    putU32(packet, 1, value);
    return packet;
}

tduomenys indexedText(quint8 opcode, quint8 idx, int width, const QByteArray &value)
{
    tduomenys packet = empty(opcode);
    packet[1] = char(idx);
    putText(packet, 2, width, value);
    return packet;
}

tduomenys reserveAccount(quint8 idx, const QByteArray &account)
{
    tduomenys packet = empty(opcode::SetReserveAccount);
    packet[1] = char(idx);
    putText(packet, 2, 4, account, '0');
    return packet;
}

tduomenys phoneNumber(quint8 code, quint8 idx, quint8 cr, const QByteArray &number)
{
    tduomenys packet = empty(code);
    packet[1] = char(idx);
    packet[2] = char(cr);
    putText(packet, 3, 15, number);
    return packet;
}

tduomenys inputSetting(quint8 idx, quint8 cr, quint8 violations, quint8 sensivity,
                       quint16 noSenseInterval, const tduomenys &cid)
{
    tduomenys packet = empty(opcode::SetInputSetting);
    packet[1] = char(idx);
    packet[2] = char(cr);
    packet[3] = char(violations);
    packet[4] = char(sensivity);
    putU16(packet, 5, noSenseInterval);
    // The five Contact ID bytes go as given; a shorter array leaves zeros.
    CopyBytes(packet, cid, 7, 5, 0);
    return packet;
}

tduomenys itemName(quint8 fdNr, quint8 idx, const QByteArray &name)
{
    tduomenys packet = empty(opcode::SetItemName);
    packet[1] = char(fdNr);
    packet[2] = char(idx);
    putText(packet, 3, 16, name);
    return packet;
}

tduomenys outputSetting(quint8 idx, quint8 cr, quint16 impLength)
{
    tduomenys packet = empty(opcode::SetOutputSetting);
    packet[1] = char(idx);
    packet[2] = char(cr);
    putU16(packet, 3, impLength);
    return packet;
}

QByteArray unpackAccessPIN(quint32 word)
{
    QByteArray digits;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const quint32 nibble = (word >> shift) & 0xF;
        if (nibble > 9)
            break;
        digits.append(char('0' + nibble));
    }
    return digits;
}

quint32 packAccessPIN(const QByteArray &digits)
{
    quint32 word = 0xFFFFFFFFu;
    for (int k = 0; k < digits.size() && k < 8; ++k) {
        const char c = digits.at(k);
        if (c < '0' || c > '9')
            throw ConversionError("'" + digits + "' is not a valid integer value");
        const int shift = 28 - 4 * k;
        word = (word & ~(0xFu << shift)) | (quint32(c - '0') << shift);
    }
    // Characters past the eighth do not fit the word; the screen allows 8.
    for (int k = 8; k < digits.size(); ++k)
        if (digits.at(k) < '0' || digits.at(k) > '9')
            throw ConversionError("'" + digits + "' is not a valid integer value");
    return word;
}

tduomenys accessPIN(const QByteArray &digits)
{
    return u32(opcode::SetAccessPIN, packAccessPIN(digits));
}

tduomenys smsBackupPhoneNumber(quint8 cr, const QByteArray &number)
{
    tduomenys packet = empty(opcode::SetSMSBackupPhoneNumber);
    packet[1] = char(cr);
    putText(packet, 2, 15, number);
    return packet;
}

tduomenys heartBeatEventId(bool enabled, quint16 eventId)
{
    tduomenys packet = empty(opcode::SetHeartBeatEventId);
    packet[1] = char((eventId >> 8) | (enabled ? 0x80 : 0x00));
    packet[2] = char(eventId & 0xFF);
    return packet;
}

tduomenys phoneNumberAdditionalCR(quint8 idx, quint8 cr)
{
    tduomenys packet = empty(opcode::SetPhoneNumberAdditionalCR);
    packet[1] = char(idx);
    packet[2] = char(cr);
    return packet;
}

tduomenys aes128Key(quint8 idx, const QByteArray &key)
{
    tduomenys packet = empty(opcode::SetAES128Key);
    packet[1] = char(idx);
    putText(packet, 2, 16, key, '\0');
    return packet;
}

tduomenys zoneVoiceIndex(const tduomenys &block)
{
    tduomenys packet = empty(opcode::SetZoneVoiceIndex);
    CopyBytes(packet, block, 1, 9, 0);
    return packet;
}

tduomenys pstnKissOff(quint16 value)
{
    tduomenys packet = empty(opcode::SetPSTNKissOff);
    putU16(packet, 1, value);
    return packet;
}

tduomenys alarmSettings(const tduomenys &block)
{
    tduomenys packet = empty(opcode::SetAlarmSettings);
    CopyBytes(packet, block, 1, PacketSize - 1, 0);
    return packet;
}

tduomenys endExchange(bool value)
{
    return empty(value ? opcode::EndExchangeTrue : opcode::EndExchangeFalse);
}

tduomenys submitPassword(const QByteArray &password)
{
    return text(opcode::SubmitPassword, 16, password);
}

tduomenys clockHour(quint8 hour)
{
    tduomenys packet = empty(opcode::SetClockHour);
    packet[1] = char(hour);
    return packet;
}

tduomenys requestItem(quint8 type, quint8 index, quint8 sub)
{
    tduomenys packet = empty(type);
    packet[1] = char(index);
    packet[2] = char(sub);
    return packet;
}

} // namespace packets
} // namespace ykt
