#include "settings/registers.h"

#include "util/conversions.h"

#include <algorithm>

namespace ykt {

namespace {

constexpr bool bit(quint32 value, int n)
{
    return (value >> n) & 1u;
}

constexpr quint32 flag(bool on, int n)
{
    return on ? (quint32(1) << n) : 0u;
}

// The 3-bit function codes of the input and output registers.
quint32 functionCode(int function)
{
    return quint32(std::clamp(function, 0, 7));
}

// TCPCR
constexpr int Channel1ProtocolShift = 0;
constexpr int Channel2ProtocolShift = 4;
constexpr int Channel2UseShift = 8;
constexpr int Channel1UsedBit = 11;
constexpr int Channel1ToPstnBit = 12;
constexpr int Channel2ToPstnBit = 13;
constexpr int Channel1UdpBit = 24;
constexpr int Channel1EncryptedBit = 25;
constexpr int Channel2UdpBit = 28;
constexpr int Channel2EncryptedBit = 29;

quint32 protocolValue(int index)
{
    if (index < 0 || index >= TcpCrFields::MaxProtocols)
        index = 0;
    return quint32(index + 1);
}

int protocolIndex(quint32 nibble, int protocolCount)
{
    const int v = int(nibble & 0xF);
    return v >= 1 && v <= protocolCount ? v - 1 : 0;
}

// YKT2CR
constexpr int UsbPasswordBit = 0;
constexpr int HeartbeatCheckBit = 2;
constexpr int ModemRestartShift = 3;
constexpr int SimPinBit = 6;
constexpr int SimPinRejectedBit = 7;
constexpr int HeartbeatPeriodShift = 8;
constexpr int TcpStatisticsBit = 24;
constexpr int GprsProtectedBit = 25;
constexpr int AdvancedModeBit = 26;
constexpr int MagellanModeBit = 27;

// SMSPSTNCR
constexpr int ShortCallShift = 16;
constexpr int SmsTestDaysShift = 19;
constexpr int OnlyRegisteredBit = 30;
constexpr int LimitedTroubleSmsBit = 31;

// Heartbeat event word
constexpr int HeartbeatEnabledBit = 15;

// PnCR / PnAddCR
constexpr int AndroidBit = 3; // PnCR
constexpr int IPhoneBit = 6;  // PnAddCR

// InputSettingsCR / OutputSettingsCR
constexpr int NormallyClosedBit = 3;
constexpr int Event24hBit = 5;
constexpr int RestoreBit = 6;
constexpr int PulseBit = 3;
constexpr int SirenConfirmationBit = 4;
constexpr int InversionBit = 5;
constexpr quint32 SirenFunction = 4;

} // namespace

int protocolCount(int firmwareVersion)
{
    return firmwareVersion >= FibroFirmware ? 3 : 2;
}

// --- TCPCR ---

quint32 packTCPCR(const TcpCrFields &fields, bool pstnBoxesShown, int firmwareVersion)
{
    // "Reserve" is written with bit 8 as well as bit 9.
    static constexpr quint32 useValues[] = {0, 1, 3};
    const int use = std::clamp(fields.channel2Use, 0, 2);

    quint32 value = protocolValue(fields.channel1Protocol) << Channel1ProtocolShift;
    value |= protocolValue(fields.channel2Protocol) << Channel2ProtocolShift;
    value |= useValues[use] << Channel2UseShift;
    value |= flag(fields.channel1Used, Channel1UsedBit);
    value |= flag(!pstnBoxesShown || fields.channel1ToPstn, Channel1ToPstnBit);
    value |= flag(!pstnBoxesShown || fields.channel2ToPstn, Channel2ToPstnBit);
    value |= flag(fields.channel1Udp, Channel1UdpBit);
    value |= flag(fields.channel2Udp, Channel2UdpBit);
    if (firmwareVersion >= FibroFirmware) {
        value |= flag(fields.channel1Encrypted, Channel1EncryptedBit);
        value |= flag(fields.channel2Encrypted, Channel2EncryptedBit);
    }
    return value;
}

TcpCrFields unpackTCPCR(quint32 value, int protocolCount)
{
    TcpCrFields f;
    f.channel1Protocol = protocolIndex(value >> Channel1ProtocolShift, protocolCount);
    f.channel2Protocol = protocolIndex(value >> Channel2ProtocolShift, protocolCount);
    f.channel2Use = std::min(int((value >> Channel2UseShift) & 3u), 2);
    f.channel1Used = bit(value, Channel1UsedBit);
    f.channel1ToPstn = bit(value, Channel1ToPstnBit);
    f.channel2ToPstn = bit(value, Channel2ToPstnBit);
    f.channel1Udp = bit(value, Channel1UdpBit);
    f.channel1Encrypted = bit(value, Channel1EncryptedBit);
    f.channel2Udp = bit(value, Channel2UdpBit);
    f.channel2Encrypted = bit(value, Channel2EncryptedBit);
    return f;
}

// --- YKT2CR ---

quint32 packYKT2CR(const Ykt2CrFields &fields)
{
    using F = Ykt2CrFields;
    const int hours =
        std::clamp(fields.modemRestartHours, F::MinModemRestartHours, F::MaxModemRestartHours);
    const int seconds =
        std::clamp(fields.heartbeatSeconds, F::MinHeartbeatSeconds, F::MaxHeartbeatSeconds);

    quint32 value = flag(fields.usbPassword, UsbPasswordBit);
    value |= flag(fields.heartbeatCheck, HeartbeatCheckBit);
    value |= (quint32(hours - 1) & 7u) << ModemRestartShift;
    value |= flag(fields.simPin, SimPinBit);
    value |= quint32(seconds) << HeartbeatPeriodShift;
    value |= flag(fields.tcpStatistics, TcpStatisticsBit);
    value |= flag(fields.gprsProtected, GprsProtectedBit);
    value |= flag(fields.workMode == WorkMode::AdvancedCommunicator, AdvancedModeBit);
    value |= flag(fields.workMode == WorkMode::Magellan, MagellanModeBit);
    return value;
}

quint32 withWorkMode(quint32 ykt2cr, WorkMode mode)
{
    ykt2cr &= ~((1u << AdvancedModeBit) | (1u << MagellanModeBit));
    return ykt2cr | flag(mode == WorkMode::AdvancedCommunicator, AdvancedModeBit) |
           flag(mode == WorkMode::Magellan, MagellanModeBit);
}

WorkMode workModeOf(quint32 ykt2cr)
{
    if (bit(ykt2cr, MagellanModeBit))
        return WorkMode::Magellan;
    if (bit(ykt2cr, AdvancedModeBit))
        return WorkMode::AdvancedCommunicator;
    return WorkMode::Communicator;
}

Ykt2CrFields unpackYKT2CR(quint32 value)
{
    using F = Ykt2CrFields;
    F f;
    f.usbPassword = bit(value, UsbPasswordBit);
    f.heartbeatCheck = bit(value, HeartbeatCheckBit);
    f.modemRestartHours = int((value >> ModemRestartShift) & 7u) + 1;
    f.simPin = bit(value, SimPinBit);
    f.simPinRejected = bit(value, SimPinRejectedBit);
    f.heartbeatSeconds = std::clamp(int((value >> HeartbeatPeriodShift) & 0xFFFFu),
                                    F::MinHeartbeatSeconds, F::MaxHeartbeatSeconds);
    f.tcpStatistics = bit(value, TcpStatisticsBit);
    f.gprsProtected = bit(value, GprsProtectedBit);
    f.workMode = workModeOf(value);
    return f;
}

// --- SMSPSTNCR ---

quint32 packSMSPSTNCR(const SmsPstnCrFields &fields)
{
    using F = SmsPstnCrFields;
    const int call =
        std::clamp(fields.shortCallSeconds, F::MinShortCallSeconds, F::MaxShortCallSeconds);
    const int days = std::clamp(fields.smsTestDays, F::MinSmsTestDays, F::MaxSmsTestDays);

    quint32 value = quint32(call - 1) << ShortCallShift;
    value |= quint32(days - 1) << SmsTestDaysShift;
    value |= flag(fields.onlyRegistered, OnlyRegisteredBit);
    value |= flag(fields.limitedTroubleSms, LimitedTroubleSmsBit);
    return value;
}

SmsPstnCrFields unpackSMSPSTNCR(quint32 value)
{
    SmsPstnCrFields f;
    f.shortCallSeconds = int((value >> ShortCallShift) & 7u) + 1;
    f.smsTestDays = int((value >> SmsTestDaysShift) & 3u) + 1;
    f.onlyRegistered = bit(value, OnlyRegisteredBit);
    f.limitedTroubleSms = bit(value, LimitedTroubleSmsBit);
    return f;
}

// --- Heartbeat event word ---

quint16 packHeartbeatEvent(const HeartbeatEvent &event)
{
    quint32 word = flag(event.enabled, HeartbeatEnabledBit);
    for (int i = 0; i < 3; ++i) {
        const int digit = i < event.code.size() ? hexDigit(event.code.at(i)) : -1;
        if (digit >= 0)
            word |= quint32(digit) << (4 * (2 - i));
    }
    return quint16(word);
}

HeartbeatEvent unpackHeartbeatEvent(quint16 word)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    HeartbeatEvent event;
    event.enabled = bit(word, HeartbeatEnabledBit);
    event.code = QByteArray(3, '0');
    for (int i = 0; i < 3; ++i)
        event.code[i] = digits[(word >> (4 * (2 - i))) & 0xF];
    return event;
}

// --- PnCR and PnAddCR ---

quint8 packPnCR(const UserFlags &flags)
{
    quint32 value = flag(flags.armingSms, 0);
    value |= flag(flags.disarmingSms, 1);
    value |= flag(flags.callOnAlarm, 2);
    value |= flag(flags.smartphone == Smartphone::Android, AndroidBit);
    value |= flag(flags.mandatoryCall, 4);
    value |= flag(flags.periodicSmsTest, 5);
    value |= flag(flags.alarmSms, 6);
    value |= flag(flags.troubleSms, 7);
    return quint8(value);
}

quint8 packPnAddCR(const UserFlags &flags)
{
    quint32 value = flag(flags.bypassReports, 0);
    value |= flag(flags.pgmStateReports, 1);
    value |= flag(flags.forwardUnknownSms, 2);
    value |= flag(flags.changeArmOnShortCall, 3);
    value |= flag(flags.smsBackup, 4);
    value |= flag(flags.prohibitControl, 5);
    value |= flag(flags.smartphone == Smartphone::IPhone, IPhoneBit);
    value |= flag(flags.pushNotifications, 7);
    return quint8(value);
}

UserFlags unpackUserFlags(quint8 pnCR, quint8 pnAddCR)
{
    UserFlags f;
    f.armingSms = bit(pnCR, 0);
    f.disarmingSms = bit(pnCR, 1);
    f.callOnAlarm = bit(pnCR, 2);
    f.mandatoryCall = bit(pnCR, 4);
    f.periodicSmsTest = bit(pnCR, 5);
    f.alarmSms = bit(pnCR, 6);
    f.troubleSms = bit(pnCR, 7);
    f.bypassReports = bit(pnAddCR, 0);
    f.pgmStateReports = bit(pnAddCR, 1);
    f.forwardUnknownSms = bit(pnAddCR, 2);
    f.changeArmOnShortCall = bit(pnAddCR, 3);
    f.smsBackup = bit(pnAddCR, 4);
    f.prohibitControl = bit(pnAddCR, 5);
    f.pushNotifications = bit(pnAddCR, 7);
    if (bit(pnAddCR, IPhoneBit))
        f.smartphone = Smartphone::IPhone;
    else if (bit(pnCR, AndroidBit))
        f.smartphone = Smartphone::Android;
    else
        f.smartphone = Smartphone::No;
    return f;
}

// --- PGMPnCR ---

quint8 packPGMPnCR(const std::array<bool, 4> &outputs)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= flag(outputs[i], 7 - i);
    return quint8(value);
}

std::array<bool, 4> unpackPGMPnCR(quint8 value)
{
    std::array<bool, 4> outputs{};
    for (int i = 0; i < 4; ++i)
        outputs[i] = bit(value, 7 - i);
    return outputs;
}

// --- InputSettingsCR ---

quint8 packInputSettingsCR(const InputCrFields &fields)
{
    quint32 value = functionCode(fields.function);
    value |= flag(fields.normallyClosed, NormallyClosedBit);
    value |= flag(fields.event24h, Event24hBit);
    value |= flag(fields.restore, RestoreBit);
    return quint8(value);
}

InputCrFields unpackInputSettingsCR(quint8 value)
{
    InputCrFields f;
    f.function = value & 7;
    f.normallyClosed = bit(value, NormallyClosedBit);
    f.event24h = bit(value, Event24hBit);
    f.restore = bit(value, RestoreBit);
    return f;
}

// --- OutputSettingsCR ---

quint8 packOutputSettingsCR(const OutputCrFields &fields)
{
    const quint32 code = functionCode(fields.function);
    quint32 value = code;
    value |= flag(fields.pulse, PulseBit);
    value |= flag(code == SirenFunction && fields.sirenConfirmation, SirenConfirmationBit);
    value |= flag(fields.inversion, InversionBit);
    return quint8(value);
}

OutputCrFields unpackOutputSettingsCR(quint8 value)
{
    OutputCrFields f;
    f.function = value & 7;
    f.pulse = bit(value, PulseBit);
    f.sirenConfirmation = bit(value, SirenConfirmationBit);
    f.inversion = bit(value, InversionBit);
    return f;
}

} // namespace ykt
