#pragma once

// What the lamps of a state report show: the bits of the modem flags
// (MC55iFlags) and of the TCP engine (TCPSR) that light them, and the GSM
// signal level in the top four bits of TCPSR. The "Log" page and the GSM
// modem page read the same registers through these.

#include <QtGlobal>

namespace ykt {

// MC55iFlags.
enum ModemFlagBit : int
{
    ModemPresentBit = 0,
    GsmAttachedBit = 1,
    ModemSettedUpBit = 2,
    ModemConnectedBit = 3,
    OpeningConnectionBit = 4,
    TcpSendingBit = 5,
    ModemPoweredUpBit = 6,
};

// TCPSR.
enum TcpStateBit : int
{
    TcpConnectingBit = 0,
    TcpConnectedBit = 1,
    TcpMessageSentBit = 5,
    TcpSendingDataBit = 9,
};

// A lamp is lit when its bit is 1.
constexpr bool stateBitSet(quint32 value, int bit)
{
    return bit >= 0 && bit < 32 && (value >> bit & 1u);
}

// 0..15.
constexpr int gsmSignalLevel(quint16 tcpsr)
{
    return tcpsr >> 12 & 0xF;
}

} // namespace ykt
