#pragma once

// The module's side of the USB protocol, without any threads or timers: it
// takes the output reports the host writes and says which input reports go
// back, and it builds the periodic state reports. SimTransport drives it from
// a thread of its own at the USB interval, as the module's interrupt endpoint
// would.
//
// What the module does with a packet:
// - opcode 0x00..0x1F: stores the 62 payload bytes as the item's record
//   (indexed items by byte 1, item names by group and index in bytes 1 and 2);
// - opcode 0x80..0xA0: answers with a message report of the same type whose
//   payload is the stored record, under the next sequence number;
// - 0x40/0x41 (end of an exchange), 0x42 (a password), 0x43 (the clock hour).
// Every packet raises Busy, and the next report the module sends about it
// clears Busy again. A write is answered by a plain status report.

#include "sim/itemtable.h"
#include "sim/modemtraffic.h"
#include "sim/options.h"

#include <QByteArray>
#include <QList>

#include <random>

namespace ykt::sim {

// A report the module has decided to send but whose status byte is settled
// only when it goes out (Busy, the flags and the sequence number are those of
// that moment).
struct PendingReport
{
    enum class Kind
    {
        Status,  // status byte only: a packet has been dealt with
        Message, // an answer: status with the next sequence number, then type and payload
        Garbage  // random bytes, status byte included
    };
    Kind kind = Kind::Status;
    QByteArray body;             // Message: type byte and payload; Garbage: all 63 bytes
    int length = 63;             // bytes that actually go out (a short-report fault cuts it)
    bool repeatSequence = false; // Message: goes out under the previous sequence number
    bool endsPacket = true;      // the module is done with one packet when it goes out
};

// What one packet made the module do.
struct Reaction
{
    bool unplug = false; // the unplug fault struck: the packet was not acted upon
    QList<PendingReport> reports;
    int delayMs = 0; // the reports go out this much later
};

class VirtualModule
{
public:
    static constexpr quint8 StatusBusy = 0x80;
    static constexpr quint8 StatusError = 0x40;
    static constexpr quint8 StatusMonitoring = 0x20;
    static constexpr quint8 StatusPassword = 0x10;
    static constexpr quint8 StatusLocked = 0x04;

    static constexpr quint32 PasswordOnConnectBit = 1u << 0; // YKT2CR
    static constexpr quint32 GprsLockBit = 1u << 25;         // YKT2CR

    // With a memory file in the options, what the file holds replaces the
    // factory settings it covers; the memory is saved back after every
    // exchange that changed it (0x40/0x41) and when the module is destroyed.
    explicit VirtualModule(const Options &options = Options());
    ~VirtualModule();
    VirtualModule(const VirtualModule &) = delete;
    VirtualModule &operator=(const VirtualModule &) = delete;

    const Options &options() const { return m_options; }
    const Profile &profile() const { return m_options.profile; }

    // Switched on by being plugged in: the fault counts start again, the
    // password and the lock are armed from the stored settings, the modem
    // starts its conversation from the beginning. Settings survive.
    void powerUp();

    // The faults to commit from now on; the counts start again.
    void setFaults(const Faults &faults);

    // One output report's data bytes (the report id not included).
    Reaction receive(const QByteArray &packet);

    // The 63 data bytes of a pending report, as it goes out now.
    QByteArray take(const PendingReport &report);

    // A state report at the given time on the module's clock; a new line of
    // modem traffic is started when the traffic interval has passed.
    QByteArray stateReport(qint64 nowMs);

    // The status byte as the next report would carry it.
    quint8 status(bool monitoring = false) const;

    ItemStore &store() { return m_store; }
    const ItemStore &store() const { return m_store; }
    // The text field of a record, without its padding; empty when absent.
    QByteArray storedText(int item, int index = 0, int sub = 0) const;
    quint32 storedU32(int item) const;

    bool passwordRequired() const { return m_passwordRequired; }
    bool settingsLocked() const { return m_locked; }
    bool error() const { return m_error; }
    int clockHour() const { return m_clockHour; }
    int packetsReceived() const { return m_packets; }
    int readRequests() const { return m_reads; }
    int exchangesEnded() const { return m_exchangesEnded; }
    const ModemTraffic &modem() const { return m_modem; }
    // Why the memory file was not loaded or could not be saved; empty when
    // all is well.
    QString memoryProblem() const { return m_memoryProblem; }
    // Saves the memory file now when something was stored since the last save.
    void saveMemory();

private:
    void write(const QByteArray &packet);
    std::optional<QByteArray> answer(const QByteArray &packet) const;
    void submitPassword(const QByteArray &text);

    Options m_options;
    ItemStore m_store;
    ModemTraffic m_modem;
    std::mt19937 m_random;

    int m_packets = 0;
    int m_reads = 0;
    int m_outstanding = 0; // packets received whose report has not gone out
    bool m_stuckBusy = false;
    quint8 m_sequence = 0;
    bool m_passwordRequired = false;
    bool m_locked = false;
    bool m_error = false;
    int m_clockHour = -1;
    int m_exchangesEnded = 0;
    qint64 m_lastTrafficMs = -1;
    bool m_memoryChanged = false;
    bool m_memoryWritable = true; // false: the file is not ours, never overwritten
    QString m_memoryProblem;
};

} // namespace ykt::sim
