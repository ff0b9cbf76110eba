#pragma once

// The packets the program sends to the module, each built as exactly 63 bytes:
// the opcode first, then the command's payload at fixed offsets, every other
// byte zero. Item N is written with opcode N and read with opcode 0x80 + N.
// Numbers wider than a byte are big-endian; text fields are the 8-bit
// characters padded with spaces to the field width and cut to it.
//
// These builders are pure; TYKT2 hands their result to SendPacket.

#include "util/conversions.h"

namespace ykt {

constexpr int PacketSize = 63;

namespace opcode {
enum : quint8
{
    SetConnectionString = 0x00,
    SetAPN = 0x01,
    SetUserName = 0x02,
    SetPassword = 0x03,
    SetTCPCR = 0x04,
    SetConnectionString2 = 0x05,
    SetUSBPassword = 0x07,
    SetReserveAccount = 0x08,
    SetOwnerName = 0x09,
    SetYKT2CR = 0x0A,
    SetPhoneNumber = 0x0B,
    SetSMSPSTNCR = 0x0C,
    SetSMSPhrase = 0x0D,
    SetHelpText = 0x0E,
    SetInputSetting = 0x0F,
    SetItemName = 0x10,
    SetPGMPhoneNumber = 0x11,
    SetOutputSetting = 0x12,
    SetInputSMSText = 0x13,
    SetAccessPIN = 0x14,
    SetSMSBackupPhoneNumber = 0x15,
    SetAdditionalSMSText = 0x16,
    SetSIMpin = 0x18,
    SetHeartBeatEventId = 0x19,
    SetPhoneNumberAdditionalCR = 0x1A,
    SetCPCR = 0x1B,
    SetAES128Key = 0x1C,
    SetZoneVoiceIndex = 0x1D,
    SetPSTNKissOff = 0x1E,
    SetAlarmSettings = 0x1F,
    EndExchangeFalse = 0x40,
    EndExchangeTrue = 0x41,
    SubmitPassword = 0x42,
    SetClockHour = 0x43,
    ReadBase = 0x80,
};
} // namespace opcode

// Item-name groups (FDNr 1..5) and how many names each holds on a module.
int itemNameCount(int fdNr, int firmwareVersion);

namespace packets {

// The empty 63-byte packet of an opcode.
tduomenys empty(quint8 opcode);
// A text field of `width` characters at `offset`, padded with `pad`.
void putText(tduomenys &packet, int offset, int width, const QByteArray &text, char pad = ' ');
void putU16(tduomenys &packet, int offset, quint16 value);
void putU32(tduomenys &packet, int offset, quint32 value);

// Text items without an index: the connection strings, APN, APN user name and
// password, USB password, owner name and SIM PIN.
tduomenys text(quint8 opcode, int width, const QByteArray &value);
// 32-bit registers: TCPCR, YKT2CR, SMSPSTNCR, CPCR.
tduomenys u32(quint8 opcode, quint32 value);
// Indexed texts: SMS phrase (16), help text (47), input SMS text and
// additional SMS text (50).
tduomenys indexedText(quint8 opcode, quint8 idx, int width, const QByteArray &value);

tduomenys reserveAccount(quint8 idx, const QByteArray &account);
tduomenys phoneNumber(quint8 opcode, quint8 idx, quint8 cr, const QByteArray &number);
tduomenys inputSetting(quint8 idx, quint8 cr, quint8 violations, quint8 sensivity,
                       quint16 noSenseInterval, const tduomenys &cid);
tduomenys itemName(quint8 fdNr, quint8 idx, const QByteArray &name);
tduomenys outputSetting(quint8 idx, quint8 cr, quint16 impLength);
// Throws ConversionError for a character that is not a decimal digit.
tduomenys accessPIN(const QByteArray &digits);
// The 32-bit word of up to 8 PIN digits, first digit in the top nibble, 0xF
// after the last digit. Throws ConversionError for a non-digit.
quint32 packAccessPIN(const QByteArray &digits);
// The PIN digits of such a word, up to the first nibble that is not a digit.
QByteArray unpackAccessPIN(quint32 word);
tduomenys smsBackupPhoneNumber(quint8 cr, const QByteArray &number);
tduomenys heartBeatEventId(bool enabled, quint16 eventId);
tduomenys phoneNumberAdditionalCR(quint8 idx, quint8 cr);
tduomenys aes128Key(quint8 idx, const QByteArray &key);
tduomenys zoneVoiceIndex(const tduomenys &block);
tduomenys pstnKissOff(quint16 value);
tduomenys alarmSettings(const tduomenys &block);
tduomenys endExchange(bool value);
tduomenys submitPassword(const QByteArray &password);
tduomenys clockHour(quint8 hour);
tduomenys requestItem(quint8 type, quint8 index, quint8 sub);

} // namespace packets
} // namespace ykt
