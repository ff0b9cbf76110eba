#pragma once

// TYKT2, the module driver: the only code that talks to the module.
//
// It claims the module among the HID devices, sends every command as one
// 63-byte packet paced by the module's busy handshake, decodes every input
// report on the reader thread and raises the matching event on the
// user-interface thread, in arrival order. It also runs the read-all sequence
// that walks the read plan, one request per answer.
//
//   module --report--> reader thread: HandleReport
//                        |- status flags (atomic)
//                        `- decoded event --queued--> UI thread: OnXxx, ReadStep
//
// Waits (the busy handshake, the post-write gap) run a local event loop that
// ends on the next input report or a timer, so the screen stays responsive
// and queued events keep being raised while a command waits.

#include "device/hidtransport.h"
#include "device/messages.h"
#include "device/readplan.h"
#include "util/conversions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace ykt {

class ProtocolTrace;

// The driver's timer intervals in one place, so tests can run the 6 s and 22 s
// rules in milliseconds.
struct DriverTimings
{
    int pacingMs = 4;         // gap after every written packet
    int watchdogMs = 6000;    // an answer of the read-all must come within this
    int startGraceMs = 4000;  // the first answer gets this, four times, on top
    int accessRetryMs = 1000; // a present module that could not be opened
};

class TYKT2 : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 VendorId = 0x6B72;
    static constexpr quint16 ProductId = 0x4756;

    // Takes the HID controller; it starts watching at once and its initial
    // scan arrives once the event loop runs.
    explicit TYKT2(std::unique_ptr<HidTransport> transport, QObject *parent = nullptr);
    ~TYKT2() override;

    HidTransport *transport() const { return m_transport.get(); }
    void setTimings(const DriverTimings &timings);
    DriverTimings timings() const { return m_timings; }
    // Every packet and report goes to the trace while one is set.
    void setTrace(std::shared_ptr<ProtocolTrace> trace);

    // Connection flags.
    bool Connected() const { return m_connected; }
    bool Busy() const { return m_busy; }
    bool ModuleError() const { return m_moduleError; }
    bool Monitoring() const { return m_monitoring; }
    bool PasswordRequired() const { return m_passwordRequired; }
    bool SettingsLocked() const { return m_settingsLocked; }
    bool Reading() const { return m_reading; }
    bool ReadAborted() const { return m_readAborted; }
    bool Closing() const { return m_closing; }

    // Identity of the attached module (8-bit texts).
    QByteArray ProductName() const { return m_productName; }
    QByteArray SerialNumber() const { return m_serialNumber; }
    QByteArray DeviceVersion() const { return m_deviceVersion; }
    int FirmwareVersion() const { return m_firmwareVersion; }

    // Why a module that is present could not be opened (on Linux nearly
    // always missing permissions on its hidraw node); empty otherwise.
    QString AccessProblem() const { return m_accessProblem; }

    // Packets written since the driver was created, all and read requests.
    int packetsWritten() const { return m_packetsWritten; }
    int requestsWritten() const { return m_requestsWritten; }

    // Nothing is being written and nothing waits to be: the packets asked for
    // so far (the read's closing EndExchange included) are out. A read is
    // over once Reading() is false, but its last packet may still wait for
    // the module's Busy to clear.
    bool Idle() const { return m_sendDepth == 0 && m_deferred.isEmpty(); }

    // The main window is closing: waiting sends give up, nothing more is written.
    void SetClosing();
    // A wait of the driver (a local event loop of its own) is on the call stack.
    bool Waiting() const { return m_loopDepth > 0; }
    // The owner is done with the driver. It is deleted (through deleteLater)
    // once none of its waits is on the call stack any more: a close that came
    // through one of them, or through a dialog shown inside one, returns into
    // a live driver.
    void deleteWhenIdle();

    // --- Commands. Each does nothing without a module. ---
    void SetConnectionString(const QByteArray &text);
    void SetAPN(const QByteArray &text);
    void SetUserName(const QByteArray &text);
    void SetPassword(const QByteArray &text);
    void SetTCPCR(quint32 value);
    void SetConnectionString2(const QByteArray &text);
    void SetUSBPassword(const QByteArray &text);
    void SetReserveAccount(quint8 idx, const QByteArray &account);
    void SetOwnerName(const QByteArray &text);
    void SetYKT2CR(quint32 value);
    void SetPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number);
    void SetSMSPSTNCR(quint32 value);
    void SetSMSPhrase(quint8 idx, const QByteArray &phrase);
    void SetHelpText(quint8 idx, const QByteArray &text);
    void SetInputSetting(quint8 idx, quint8 cr, quint8 violations, quint8 sensivity,
                         quint16 noSenseInterval, const tduomenys &cid);
    void SetItemName(quint8 fdNr, quint8 idx, const QByteArray &name);
    void SetPGMPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number);
    void SetOutputSetting(quint8 idx, quint8 cr, quint16 impLength);
    void SetInputSMSText(quint8 idx, const QByteArray &text);
    // Throws ConversionError for a character that is not a decimal digit;
    // nothing is sent then.
    void SetAccessPIN(const QByteArray &digits);
    void SetSMSBackupPhoneNumber(quint8 cr, const QByteArray &number);
    void SetAdditionalSMSText(quint8 idx, const QByteArray &text);
    void SetSIMpin(const QByteArray &pin);
    void SetHeartBeatEventId(bool enabled, quint16 eventId);
    void SetPhoneNumberAdditionalCR(quint8 idx, quint8 cr);
    void SetCPCR(quint32 value);
    void SetAES128Key(quint8 idx, const QByteArray &key);
    void SetZoneVoiceIndex(const tduomenys &block);
    void SetPSTNKissOff(quint16 value);
    void SetAlarmSettings(const tduomenys &block);
    void EndExchange(bool value = true);
    void SubmitPassword(const QByteArray &password);
    void SetClockHour(quint8 hour);

    // Writes one packet of a sequence that must know whether it went out
    // (the send of all settings): it waits up to busyTimeoutMs for the
    // module to finish the packet before, then writes and keeps the gap.
    // False when the module is gone, the window closes, or the module stays
    // busy longer than that; nothing is written then.
    bool WritePacket(const tduomenys &packet, int busyTimeoutMs);

    void RequestItem(quint8 type, quint8 index, quint8 sub);
    void RequestUSBPassword();
    void RequestSMSPhrase(quint8 idx);
    void RequestHelpText(quint8 idx);
    void RequestInputSetting(quint8 idx);
    void RequestItemName(quint8 fdNr, quint8 idx);
    void RequestPGMPhoneNumber(quint8 idx);
    void RequestOutputSetting(quint8 idx);
    void RequestAdditionalSMSText(quint8 idx);

    // Reads every setting; progress and outcome are polled through Reading
    // and ReadAborted.
    void StartReadAll();

signals:
    void OnConnect();
    void OnDisconnect();
    void OnConnectionString3(const QByteArray &Output);
    void OnConnectionString2(const QByteArray &Output);
    void OnConnectionString(const QByteArray &Output);
    void OnUSBPassword(const QByteArray &Output);
    void OnYKTOwnerName(const QByteArray &Output);
    void OnReserveAccount(qint32 Idx, const QByteArray &s);
    void OnAPN(const QByteArray &Output);
    void OnUserName(const QByteArray &Output);
    void OnPassword(const QByteArray &Output);
    void OnState(quint8 MC55iFlags, quint8 MC55iCR, quint8 MC55iSR, quint16 TCPSR,
                 quint8 OutBufMessCount, quint8 SentCounter);
    void OnUsart(const QByteArray &Output, bool OutGoing);
    void OnTCPCR(quint32 Data);
    void OnYKT2CR(quint32 Data);
    void OnPhoneNumber(quint8 Idx, quint8 CR, const QByteArray &Number);
    void OnPGMPhoneNumber(quint8 Idx, quint8 CR, const QByteArray &Number);
    void OnSMSPhrase(quint8 Idx, const QByteArray &Phrase);
    void OnHelpText(quint8 Idx, const QByteArray &Phrase);
    void OnSMSPSTNCR(quint32 Data);
    void OnInputSetting(quint8 Idx, quint8 CR, quint8 Violations, quint8 Sensivity,
                        quint16 NoSenseInterval, const QByteArray &CID);
    void OnInputSMSText(qint32 Idx, const QByteArray &s);
    void OnAdditionalSMSText(qint32 Idx, const QByteArray &s);
    void OnModemData(const QByteArray &Output);
    void OnOutputSetting(quint8 Idx, quint8 CR, quint16 ImpLength);
    void OnItemName(quint8 FDNr, quint8 Idx, const QByteArray &Name);
    void OnSMSBackupPhoneNumber(quint8 Idx, quint8 CR, const QByteArray &Number);
    void OnAccessPIN(quint32 Data);
    void OnSIMpin(const QByteArray &Output);
    void OnHeartBeatEventId(quint16 Data);
    void OnPhoneNumberAdditionalCR(quint8 Idx, quint8 CR, const QByteArray &Number);
    void OnCPCR(quint32 Data);
    void OnAES128Key(quint8 Idx, const QByteArray &Phrase);
    void OnPSTNKissOff(quint16 Data);
    void OnZoneVoiceIndex(const QByteArray &Data);
    void OnAlarmSettings(const QByteArray &Data);
    void OnVoiceLanguageName(const QByteArray &Output);

    // Raised after an answer's event with the whole decoded answer, for
    // traces and the command-line tool; it does not count as a handler.
    void AnswerRaised(const ykt::Message &message);
    // A present module could not be opened, or the problem is gone (empty).
    void AccessProblemChanged(const QString &reason);

protected:
    // Dispatched by the HID callbacks and by HandleReport.
    virtual void DoConnect();
    virtual void DoDisconnect();
    // Reader thread: one input report's data bytes.
    void HandleReport(const QByteArray &data);
    virtual void HandleStateBlock(const QByteArray &data);
    virtual void HandleMessage(const QByteArray &data);

private:
    struct Waiter;
    struct Deferred
    {
        tduomenys packet;
        bool restartWatchdog = false;
    };

    void onDevicesChanged();
    void onDeviceRemoved(const HidDeviceInfo &info);
    bool claim(const HidDeviceInfo &info);
    void release();
    void setAccessProblem(const QString &reason);

    void SendPacket(const tduomenys &packet);
    // Runs a local event loop until done() holds (tested on every input
    // report, on close and disconnect) or, with a time-out, until it expires.
    // False when the loop was ended from outside before either (the
    // application quits: every event loop is told to exit).
    // The time-out is kept to the microsecond: the gaps of the read add up.
    bool waitUntil(const std::function<bool()> &done,
                   std::chrono::nanoseconds timeout = std::chrono::nanoseconds(-1));
    void leaveLoop();
    void wakeWaiters();
    void postWake();

    void raise(const Message &message);
    bool hasHandler(quint8 type) const;
    void emitEvent(const Message &m);
    void ReadStep(quint8 type, quint8 index, quint8 sub);
    // Sends a packet of the read-all sequence; while another send still
    // waits, the packet is queued and sent when that wait is over, so the
    // sequence never nests one wait inside the next.
    void sendSequencePacket(const tduomenys &packet, bool restartWatchdog);
    void sendDeferred();
    void restartWatchdog();
    void onWatchdog();
    void onStartGrace();

    std::unique_ptr<HidTransport> m_transport;
    std::unique_ptr<HidDevice> m_device;
    std::shared_ptr<ProtocolTrace> m_trace;
    DriverTimings m_timings;
    bool m_creating = true;

    // Written by the reader thread, polled by the user-interface thread.
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_moduleError{false};
    std::atomic<bool> m_monitoring{false};
    std::atomic<bool> m_passwordRequired{false};
    std::atomic<bool> m_settingsLocked{false};
    std::atomic<int> m_waiting{0};
    // Reader thread only (set by DoConnect before the reader starts).
    quint8 m_lastSequence = 0;
    bool m_skipFirstReport = false;
    quint8 m_lastTrafficSequence = 0;

    bool m_connected = false;
    bool m_closing = false;
    bool m_reading = false;
    bool m_readAborted = false;
    int m_startGraceCount = 0;
    QTimer m_readWatchdog;
    QTimer m_startGraceTimer;
    QTimer m_accessRetry;
    QTimer m_deferTimer;

    QByteArray m_productName;
    QByteArray m_serialNumber;
    QByteArray m_deviceVersion;
    int m_firmwareVersion = 1133;
    QString m_accessProblem;

    QElapsedTimer m_sinceWrite;
    int m_sendDepth = 0;
    // Waits (local event loops) of the driver on the call stack.
    int m_loopDepth = 0;
    bool m_deleteWhenIdle = false;
    QQueue<Deferred> m_deferred;
    QList<Waiter *> m_waiters;
    int m_packetsWritten = 0;
    int m_requestsWritten = 0;
};

} // namespace ykt

Q_DECLARE_METATYPE(ykt::Message)
