// The module's commands as driver verbs: each builds its packet and sends
// it with the busy handshake and the pacing of SendPacket.

#include "device/tykt2.h"

#include "device/commands.h"

namespace ykt {

void TYKT2::SetConnectionString(const QByteArray &text)
{
    SendPacket(packets::text(opcode::SetConnectionString, 50, text));
}
void TYKT2::SetAPN(const QByteArray &text)
{
    SendPacket(packets::text(opcode::SetAPN, 50, text));
}
void TYKT2::SetUserName(const QByteArray &text)
{
    SendPacket(packets::text(opcode::SetUserName, 32, text));
}
void TYKT2::SetPassword(const QByteArray &text)
{
    SendPacket(packets::text(opcode::SetPassword, 32, text));
}
void TYKT2::SetTCPCR(quint32 value)
{
    SendPacket(packets::u32(opcode::SetTCPCR, value));
}
void TYKT2::SetConnectionString2(const QByteArray &text)
{
    SendPacket(packets::text(opcode::SetConnectionString2, 50, text));
}
void TYKT2::SetUSBPassword(const QByteArray &text)
{
    SendPacket(packets::text(opcode::SetUSBPassword, 16, text));
}
void TYKT2::SetReserveAccount(quint8 idx, const QByteArray &account)
{
    SendPacket(packets::reserveAccount(idx, account));
}
void TYKT2::SetOwnerName(const QByteArray &text)
{
    SendPacket(packets::text(opcode::SetOwnerName, 16, text));
}
void TYKT2::SetYKT2CR(quint32 value)
{
    SendPacket(packets::u32(opcode::SetYKT2CR, value));
}
void TYKT2::SetPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number)
{
    SendPacket(packets::phoneNumber(opcode::SetPhoneNumber, idx, cr, number));
}
void TYKT2::SetSMSPSTNCR(quint32 value)
{
    SendPacket(packets::u32(opcode::SetSMSPSTNCR, value));
}
void TYKT2::SetSMSPhrase(quint8 idx, const QByteArray &phrase)
{
    SendPacket(packets::indexedText(opcode::SetSMSPhrase, idx, 16, phrase));
}
void TYKT2::SetHelpText(quint8 idx, const QByteArray &text)
{
    SendPacket(packets::indexedText(opcode::SetHelpText, idx, 47, text));
}
void TYKT2::SetInputSetting(quint8 idx, quint8 cr, quint8 violations, quint8 sensivity,
                            quint16 noSenseInterval, const tduomenys &cid)
{
    SendPacket(packets::inputSetting(idx, cr, violations, sensivity, noSenseInterval, cid));
}
void TYKT2::SetItemName(quint8 fdNr, quint8 idx, const QByteArray &name)
{
    SendPacket(packets::itemName(fdNr, idx, name));
}
void TYKT2::SetPGMPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number)
{
    SendPacket(packets::phoneNumber(opcode::SetPGMPhoneNumber, idx, cr, number));
}
void TYKT2::SetOutputSetting(quint8 idx, quint8 cr, quint16 impLength)
{
    SendPacket(packets::outputSetting(idx, cr, impLength));
}
void TYKT2::SetInputSMSText(quint8 idx, const QByteArray &text)
{
    SendPacket(packets::indexedText(opcode::SetInputSMSText, idx, 50, text));
}
void TYKT2::SetAccessPIN(const QByteArray &digits)
{
    if (!m_connected)
        return;
    // Converted first: a bad digit reaches the caller and nothing is sent.
    const tduomenys packet = packets::accessPIN(digits);
    SendPacket(packet);
}
void TYKT2::SetSMSBackupPhoneNumber(quint8 cr, const QByteArray &number)
{
    SendPacket(packets::smsBackupPhoneNumber(cr, number));
}
void TYKT2::SetAdditionalSMSText(quint8 idx, const QByteArray &text)
{
    SendPacket(packets::indexedText(opcode::SetAdditionalSMSText, idx, 50, text));
}
void TYKT2::SetSIMpin(const QByteArray &pin)
{
    SendPacket(packets::text(opcode::SetSIMpin, 8, pin));
}
void TYKT2::SetHeartBeatEventId(bool enabled, quint16 eventId)
{
    SendPacket(packets::heartBeatEventId(enabled, eventId));
}
void TYKT2::SetPhoneNumberAdditionalCR(quint8 idx, quint8 cr)
{
    SendPacket(packets::phoneNumberAdditionalCR(idx, cr));
}
void TYKT2::SetCPCR(quint32 value)
{
    SendPacket(packets::u32(opcode::SetCPCR, value));
}
void TYKT2::SetAES128Key(quint8 idx, const QByteArray &key)
{
    SendPacket(packets::aes128Key(idx, key));
}
void TYKT2::SetZoneVoiceIndex(const tduomenys &block)
{
    SendPacket(packets::zoneVoiceIndex(block));
}
void TYKT2::SetPSTNKissOff(quint16 value)
{
    SendPacket(packets::pstnKissOff(value));
}
void TYKT2::SetAlarmSettings(const tduomenys &block)
{
    SendPacket(packets::alarmSettings(block));
}
void TYKT2::EndExchange(bool value)
{
    SendPacket(packets::endExchange(value));
}
void TYKT2::SubmitPassword(const QByteArray &password)
{
    SendPacket(packets::submitPassword(password));
}
void TYKT2::SetClockHour(quint8 hour)
{
    SendPacket(packets::clockHour(hour));
}

void TYKT2::RequestItem(quint8 type, quint8 index, quint8 sub)
{
    SendPacket(packets::requestItem(type, index, sub));
}
void TYKT2::RequestUSBPassword()
{
    RequestItem(0x87, 0, 0);
}
void TYKT2::RequestSMSPhrase(quint8 idx)
{
    RequestItem(0x8D, idx, 0);
}
void TYKT2::RequestHelpText(quint8 idx)
{
    RequestItem(0x8E, idx, 0);
}
void TYKT2::RequestInputSetting(quint8 idx)
{
    RequestItem(0x8F, idx, 0);
}
void TYKT2::RequestItemName(quint8 fdNr, quint8 idx)
{
    RequestItem(0x90, fdNr, idx);
}
void TYKT2::RequestPGMPhoneNumber(quint8 idx)
{
    RequestItem(0x91, idx, 0);
}
void TYKT2::RequestOutputSetting(quint8 idx)
{
    RequestItem(0x92, idx, 0);
}
void TYKT2::RequestAdditionalSMSText(quint8 idx)
{
    RequestItem(0x96, idx, 0);
}

} // namespace ykt
