#pragma once

// The module's GSM modem as the state reports show it: the modem flags, the
// control requests and operations in process, the TCP engine state with the
// signal level, the message counters, and the conversation on the serial line
// between the module and its modem, one line at a time.
//
// After power-up the module checks the modem, registers with the network,
// sets up a GPRS socket to its first reporting address and then keeps
// sending messages, reading the station's acknowledgements and asking for the
// signal quality, round and round.

#include <QByteArray>

#include <random>

namespace ykt::sim {

class ModemTraffic
{
public:
    // MC55iFlags
    static constexpr quint8 FlagPresent = 0x01;
    static constexpr quint8 FlagGsmAttached = 0x02;
    static constexpr quint8 FlagSetUp = 0x04;
    static constexpr quint8 FlagConnected = 0x08;
    static constexpr quint8 FlagOpening = 0x10;
    static constexpr quint8 FlagSending = 0x20;
    static constexpr quint8 FlagPoweredUp = 0x40;
    // MC55iCR / MC55iSR
    static constexpr quint8 OpSetup = 0x01;
    static constexpr quint8 OpGetFlags = 0x02;
    static constexpr quint8 OpConnect = 0x04;
    static constexpr quint8 OpTcpSend = 0x10;
    static constexpr quint8 OpCheckPresent = 0x40;
    static constexpr quint8 OpReadData = 0x80;
    // TCPSR bits below the signal level (bits 12..15)
    static constexpr quint16 TcpConnecting = 0x0001;
    static constexpr quint16 TcpConnected = 0x0002;
    static constexpr quint16 TcpMessageSent = 0x0020;
    static constexpr quint16 TcpSending = 0x0200;

    static constexpr int MaxLineLength = 53;

    // What the module puts into its AT commands.
    struct Setup
    {
        QByteArray apn;
        QByteArray address; // "host:port"
    };

    explicit ModemTraffic(quint32 seed = 1);

    // The modem is switched on: flags cleared, no line yet, the conversation
    // starts from the beginning.
    void powerUp();
    // One more line on the serial line (with a new traffic sequence number).
    void nextLine(const Setup &setup);

    // Bytes 1..62 of a state report: the state block (1..7) and the current
    // line (8..62).
    QByteArray stateBlock() const;

    quint8 flags() const { return m_flags; }
    quint8 controlRequests() const { return m_control; }
    quint16 tcpStatus() const { return quint16(m_tcp | quint16(gsmLevel()) << 12); }
    int gsmLevel() const;
    quint8 bufferedMessages() const { return m_buffered; }
    quint8 sentCounter() const { return m_sent; }
    QByteArray line() const { return m_line; }
    bool lineOutgoing() const { return m_outgoing; }
    int trafficSequence() const { return m_trafficSequence; }
    int linesSinceSwitchOn() const { return m_lines; }

private:
    void changeSignal();

    std::mt19937 m_random;
    int m_step = 0;
    int m_lines = 0;
    quint8 m_flags = 0;
    quint8 m_control = 0;
    quint16 m_tcp = 0;
    quint8 m_buffered = 0;
    quint8 m_sent = 0;
    int m_csq = 20; // AT+CSQ signal quality, 0..31
    QByteArray m_line;
    bool m_outgoing = true;
    int m_trafficSequence = 0;
};

} // namespace ykt::sim
