#include "sim/modemtraffic.h"

#include <algorithm>

namespace ykt::sim {

namespace {

enum class Effect
{
    None,
    Signal,     // a new +CSQ value is reported
    MessageOut, // a message waits in the buffer
    MessageSent // the station took it
};

struct Step
{
    bool outgoing;
    const char *text; // %APN% and %ADDRESS% are the module's settings, %CSQ% the signal
    quint8 flagsSet;
    quint8 flagsClear;
    quint8 operation; // MC55iCR and MC55iSR while the command runs
    quint16 tcpSet;
    quint16 tcpClear;
    Effect effect;
};

using M = ModemTraffic;

// clang-format off
const Step Script[] = {
    // Power-up: is the modem there, set it up, wait for the network.
    {true,  "AT",                          M::FlagPoweredUp, 0, M::OpCheckPresent, 0, 0, Effect::None},
    {false, "OK",                          M::FlagPresent, 0, 0, 0, 0, Effect::None},
    {true,  "ATE0",                        0, 0, M::OpSetup, 0, 0, Effect::None},
    {false, "OK",                          0, 0, M::OpSetup, 0, 0, Effect::None},
    {true,  "AT+CPIN?",                    0, 0, M::OpSetup, 0, 0, Effect::None},
    {false, "+CPIN: READY",                0, 0, M::OpSetup, 0, 0, Effect::None},
    {true,  "AT+CREG?",                    0, 0, M::OpGetFlags, 0, 0, Effect::None},
    {false, "+CREG: 0,1",                  M::FlagGsmAttached, 0, 0, 0, 0, Effect::None},
    {true,  "AT+CSQ",                      0, 0, M::OpGetFlags, 0, 0, Effect::None},
    {false, "+CSQ: %CSQ%,99",              0, 0, 0, 0, 0, Effect::Signal},
    // The GPRS connection profile and the socket to the station.
    {true,  "AT^SICS=0,conType,GPRS0",     0, 0, M::OpSetup, 0, 0, Effect::None},
    {false, "OK",                          0, 0, M::OpSetup, 0, 0, Effect::None},
    {true,  "AT^SICS=0,apn,\"%APN%\"",     0, 0, M::OpSetup, 0, 0, Effect::None},
    {false, "OK",                          0, 0, M::OpSetup, 0, 0, Effect::None},
    {true,  "AT^SISS=0,srvType,socket",    0, 0, M::OpSetup, 0, 0, Effect::None},
    {false, "OK",                          0, 0, M::OpSetup, 0, 0, Effect::None},
    {true,  "AT^SISS=0,conId,0",           0, 0, M::OpSetup, 0, 0, Effect::None},
    {false, "OK",                          0, 0, M::OpSetup, 0, 0, Effect::None},
    {true,  "AT^SISS=0,address,\"socktcp://%ADDRESS%\"", 0, 0, M::OpSetup, 0, 0, Effect::None},
    {false, "OK",                          M::FlagSetUp, 0, 0, 0, 0, Effect::None},
    {true,  "AT^SISO=0",                   M::FlagOpening, 0, M::OpConnect, M::TcpConnecting, 0, Effect::None},
    {false, "OK",                          0, 0, M::OpConnect, 0, 0, Effect::None},
    {false, "^SISW: 0,1",                  M::FlagConnected, M::FlagOpening, 0, M::TcpConnected, M::TcpConnecting, Effect::None},
    // Connected: send, read the acknowledgement, check the signal; again.
    {true,  "AT^SISW=0,24",                M::FlagSending, 0, M::OpTcpSend, M::TcpSending, M::TcpMessageSent, Effect::MessageOut},
    {false, "^SISW: 0,24,0",               0, 0, M::OpTcpSend, 0, 0, Effect::None},
    {false, "OK",                          0, M::FlagSending, 0, M::TcpMessageSent, M::TcpSending, Effect::MessageSent},
    {false, "^SISR: 0,1",                  0, 0, M::OpReadData, 0, 0, Effect::None},
    {true,  "AT^SISR=0,16",                0, 0, M::OpReadData, 0, 0, Effect::None},
    {false, "^SISR: 0,4",                  0, 0, M::OpReadData, 0, 0, Effect::None},
    {false, "OK",                          0, 0, 0, 0, M::TcpMessageSent, Effect::None},
    {true,  "AT+CSQ",                      0, 0, M::OpGetFlags, 0, 0, Effect::None},
    {false, "+CSQ: %CSQ%,99",              0, 0, M::OpGetFlags, 0, 0, Effect::Signal},
    {false, "OK",                          0, 0, 0, 0, 0, Effect::None},
};
// clang-format on

constexpr int ScriptLength = int(sizeof Script / sizeof Script[0]);
// Where the conversation goes on once the socket is open.
constexpr int LoopStart = 23;

} // namespace

ModemTraffic::ModemTraffic(quint32 seed) : m_random(seed) {}

void ModemTraffic::powerUp()
{
    m_step = 0;
    m_lines = 0;
    m_flags = 0;
    m_control = 0;
    m_tcp = 0;
    m_buffered = 0;
    m_sent = 0;
    m_line.clear();
    m_outgoing = true;
}

int ModemTraffic::gsmLevel() const
{
    if (!(m_flags & FlagGsmAttached))
        return 0;
    return std::min(15, m_csq / 2);
}

void ModemTraffic::changeSignal()
{
    // A slow walk between fair and very good reception.
    const int change = int(m_random() % 5) - 2;
    m_csq = std::clamp(m_csq + change, 12, 30);
}

void ModemTraffic::nextLine(const Setup &setup)
{
    const Step &step = Script[m_step];
    if (step.effect == Effect::Signal)
        changeSignal();

    QByteArray text(step.text);
    text.replace("%APN%", setup.apn);
    text.replace("%ADDRESS%", setup.address);
    text.replace("%CSQ%", QByteArray::number(m_csq));
    m_line = text.left(MaxLineLength);
    m_outgoing = step.outgoing;

    m_flags = quint8((m_flags | step.flagsSet) & ~step.flagsClear);
    m_control = step.operation;
    m_tcp = quint16((m_tcp | step.tcpSet) & ~step.tcpClear);
    if (step.effect == Effect::MessageOut)
        m_buffered = 1;
    if (step.effect == Effect::MessageSent) {
        m_buffered = 0;
        ++m_sent;
    }

    m_trafficSequence = (m_trafficSequence + 1) & 3;
    ++m_lines;
    m_step = m_step + 1 < ScriptLength ? m_step + 1 : LoopStart;
}

QByteArray ModemTraffic::stateBlock() const
{
    QByteArray b(62, '\0');
    const quint16 tcp = tcpStatus();
    b[0] = char(m_flags);
    b[1] = char(m_control); // requested ...
    b[2] = char(m_control); // ... and in process
    b[3] = char(tcp >> 8);
    b[4] = char(tcp);
    b[5] = char(m_buffered);
    b[6] = char(m_sent);
    b[7] = char((m_trafficSequence & 3) | (m_outgoing ? 0 : 0x40));
    b[8] = char(m_line.size());
    b.replace(9, m_line.size(), m_line);
    return b;
}

} // namespace ykt::sim
