#include "device/tykt2.h"

#include "util/precisetimer.h"

#include "device/commands.h"
#include "device/firmware.h"
#include "device/protocoltrace.h"
#include "util/logging.h"
#include "util/pause.h"

#include <QEventLoop>
#include <QMetaMethod>
#include <QScopeGuard>

namespace ykt {

struct TYKT2::Waiter
{
    QEventLoop *loop;
    const std::function<bool()> *done;
};

TYKT2::TYKT2(std::unique_ptr<HidTransport> transport, QObject *parent)
    : QObject(parent), m_transport(std::move(transport))
{
    qRegisterMetaType<ykt::Message>();
    m_sinceWrite.start();

    for (QTimer *timer : {&m_readWatchdog, &m_startGraceTimer, &m_accessRetry}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    setTimings(m_timings);
    connect(&m_readWatchdog, &QTimer::timeout, this, &TYKT2::onWatchdog);
    connect(&m_startGraceTimer, &QTimer::timeout, this, &TYKT2::onStartGrace);
    connect(&m_accessRetry, &QTimer::timeout, this, &TYKT2::onDevicesChanged);
    // A zero timer, not a posted call: the event loop that runs the read gets
    // control back between two requests instead of handling one long chain
    // of posted sends.
    m_deferTimer.setSingleShot(true);
    m_deferTimer.setInterval(0);
    connect(&m_deferTimer, &QTimer::timeout, this, &TYKT2::sendDeferred);

    connect(m_transport.get(), &HidTransport::devicesChanged, this, &TYKT2::onDevicesChanged);
    connect(m_transport.get(), &HidTransport::deviceRemoved, this, &TYKT2::onDeviceRemoved);
    m_transport->start();
    m_creating = false;
}

TYKT2::~TYKT2()
{
    // A wait on the call stack would return into a destroyed driver: owners
    // that may be inside one use deleteWhenIdle.
    Q_ASSERT(m_loopDepth == 0);
    m_closing = true;
    // Stops the reader thread before anything it uses goes away.
    release();
    m_transport.reset();
}

void TYKT2::setTimings(const DriverTimings &timings)
{
    m_timings = timings;
    m_readWatchdog.setInterval(m_timings.watchdogMs);
    m_startGraceTimer.setInterval(m_timings.startGraceMs);
    m_accessRetry.setInterval(m_timings.accessRetryMs);
}

void TYKT2::setTrace(std::shared_ptr<ProtocolTrace> trace)
{
    m_trace = std::move(trace);
}

void TYKT2::SetClosing()
{
    m_closing = true;
    // Nothing of the read-all sequence is sent any more, and no module is
    // claimed again.
    m_deferred.clear();
    m_deferTimer.stop();
    m_readWatchdog.stop();
    m_startGraceTimer.stop();
    m_accessRetry.stop();
    wakeWaiters();
}

void TYKT2::deleteWhenIdle()
{
    if (m_loopDepth > 0)
        m_deleteWhenIdle = true; // leaveLoop deletes it
    else
        deleteLater();
}

void TYKT2::leaveLoop()
{
    // The outermost wait is over: the frames above it are plain calls, which
    // have returned by the time the event loop that runs them handles the
    // deferred delete.
    if (--m_loopDepth == 0 && m_deleteWhenIdle) {
        m_deleteWhenIdle = false;
        deleteLater();
    }
}

// --- Device list -----------------------------------------------------------

void TYKT2::onDevicesChanged()
{
    if (m_creating || m_device || m_closing)
        return;
    bool modulePresent = false;
    for (const HidDeviceInfo &info : m_transport->devices()) {
        if (info.vendorId != VendorId || info.productId != ProductId)
            continue;
        modulePresent = true;
        // One module at a time: the first one that opens is claimed.
        if (claim(info))
            return;
    }
    if (!modulePresent)
        setAccessProblem(QString());
    else
        m_accessRetry.start();
}

bool TYKT2::claim(const HidDeviceInfo &info)
{
    std::unique_ptr<HidDevice> device = m_transport->open(info);
    if (!device) {
        setAccessProblem(m_transport->openError());
        return false;
    }
    setAccessProblem(QString());
    m_device = std::move(device);
    DoConnect();
    // DoConnect's handlers may have released the device again.
    if (m_device)
        m_device->setDataHandler([this](quint8, const QByteArray &data) { HandleReport(data); });
    return true;
}

void TYKT2::onDeviceRemoved(const HidDeviceInfo &info)
{
    if (!m_device || !(m_device->info() == info))
        return;
    DoDisconnect();
    release();
}

void TYKT2::release()
{
    if (!m_device)
        return;
    m_device->setDataHandler({});
    m_device.reset();
}

void TYKT2::setAccessProblem(const QString &reason)
{
    if (reason == m_accessProblem)
        return;
    m_accessProblem = reason;
    emit AccessProblemChanged(reason);
}

void TYKT2::DoConnect()
{
    const HidDeviceInfo &info = m_device->info();
    m_connected = true;
    m_skipFirstReport = true;
    m_serialNumber = info.serialNumber.toLatin1();
    m_deviceVersion = QByteArray::number(info.releaseNumber, 16).rightJustified(4, '0').toUpper();
    m_productName = info.productString.toLatin1();
    m_firmwareVersion = parseFirmwareVersion(m_productName);
    if (m_trace)
        m_trace->note("connect " + m_productName + " SN:" + m_serialNumber + " version " +
                      m_deviceVersion);
    emit OnConnect();
}

void TYKT2::DoDisconnect()
{
    m_connected = false;
    m_monitoring = false;
    m_moduleError = false;
    m_busy = false;
    m_productName.clear();
    m_serialNumber.clear();
    m_deviceVersion.clear();
    m_deferred.clear();
    if (m_trace)
        m_trace->note("disconnect");
    wakeWaiters();
    emit OnDisconnect();
}

// --- Sending ---------------------------------------------------------------

bool TYKT2::waitUntil(const std::function<bool()> &done, std::chrono::nanoseconds timeout)
{
    if (done())
        return true;
    ++m_loopDepth;
    const auto leave = qScopeGuard([this] { leaveLoop(); });
    QEventLoop loop;
    Waiter waiter{&loop, &done};
    m_waiters.append(&waiter);
    // Counted before the condition is tested again, so a report that arrives
    // in between still posts its wake-up.
    ++m_waiting;
    const bool timed = timeout.count() >= 0;
    PreciseTimer timer;
    if (timed) {
        connect(&timer, &PreciseTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(timeout);
    }
    if (!done())
        loop.exec();
    --m_waiting;
    m_waiters.removeOne(&waiter);
    // A time-out that ran out stops its single-shot timer; a loop that was
    // ended from outside leaves it running.
    return done() || (timed && !timer.isActive());
}

void TYKT2::wakeWaiters()
{
    for (Waiter *waiter : std::as_const(m_waiters))
        if ((*waiter->done)())
            waiter->loop->quit();
}

void TYKT2::postWake()
{
    if (m_waiting > 0)
        QMetaObject::invokeMethod(this, &TYKT2::wakeWaiters, Qt::QueuedConnection);
}

bool TYKT2::WritePacket(const tduomenys &packet, int busyTimeoutMs)
{
    if (!m_connected || m_closing)
        return false;
    if (!waitUntil([this] { return !m_busy || !m_connected || m_closing; },
                   std::chrono::milliseconds(busyTimeoutMs)))
        return false;
    if (m_busy || !m_connected || m_closing || !m_device)
        return false;
    const int written = m_packetsWritten;
    SendPacket(packet);
    return m_packetsWritten > written && m_connected && !m_closing;
}

void TYKT2::SendPacket(const tduomenys &packet)
{
    if (!m_connected)
        return;
    // While this send waits, packets of the read-all sequence are queued
    // behind it instead of nesting another wait inside this one.
    ++m_sendDepth;
    const auto leave = qScopeGuard([this] {
        if (--m_sendDepth == 0 && !m_deferred.isEmpty())
            m_deferTimer.start();
    });

    // The module is still processing the previous packet: wait for a report
    // that clears Busy, as long as an answer may take; removal or closing
    // ends the wait too. A module that stays busy gets no packet: the read
    // that wanted it runs out of time and says so, instead of waiting for
    // ever. A wait ended from outside (the application quits) gives up as
    // well: Busy is still set then.
    waitUntil([this] { return !m_busy || !m_connected || m_closing; },
              std::chrono::milliseconds(m_timings.watchdogMs));
    if (!m_connected || m_closing || !m_device)
        return;
    if (m_busy) {
        qCWarning(lcDriver) << "The module stayed busy: packet" << Qt::hex << quint8(packet.at(0))
                            << "not sent";
        return;
    }
    // A send started while another one waited out its gap still keeps the
    // gap to the packet before.
    const std::chrono::nanoseconds gap = std::chrono::milliseconds(m_timings.pacingMs);
    const std::chrono::nanoseconds since(m_sinceWrite.nsecsElapsed());
    if (since < gap && !waitUntil([this] { return m_closing || !m_connected; }, gap - since))
        return;
    if (!m_connected || m_closing || !m_device)
        return;

    m_busy = true;
    if (m_trace)
        m_trace->sent(QByteArray(1, '\0') + packet);
    m_device->write(0, packet);
    m_sinceWrite.restart();
    ++m_packetsWritten;
    if (quint8(packet.at(0)) >= opcode::ReadBase)
        ++m_requestsWritten;

    // The gap after every packet.
    waitUntil([this] { return m_closing; }, gap);
}

// --- Receiving (reader thread) ---------------------------------------------

void TYKT2::HandleReport(const QByteArray &data)
{
    if (data.isEmpty())
        return;
    if (m_trace)
        m_trace->received(data);
    // Whatever fails while this report is decoded is dropped with the rest of
    // the report; the next report is handled normally.
    try {
        const StatusBits status = decodeStatus(quint8(data.at(0)));
        m_busy = status.busy;
        m_moduleError = status.moduleError;
        m_monitoring = status.monitoring;
        m_passwordRequired = status.passwordRequired;
        m_settingsLocked = status.settingsLocked;

        if (status.monitoring)
            HandleStateBlock(data);
        // A report cut short carries only part of its answer: it is not
        // taken as one (the read asks again or fails), so a value cut on the
        // way never reaches the settings.
        if (data.size() < PacketSize) {
            qCWarning(lcDriver) << "A report of" << data.size() << "bytes was not taken";
        } else if (status.sequence != m_lastSequence) {
            m_lastSequence = status.sequence;
            if (!m_skipFirstReport)
                HandleMessage(data);
        }
    } catch (...) {
    }
    m_skipFirstReport = false;
    postWake();
}

void TYKT2::HandleStateBlock(const QByteArray &data)
{
    if (const auto block = decodeStateBlock(data)) {
        QMetaObject::invokeMethod(
            this,
            [this, b = *block] {
                emit OnState(b.mc55iFlags, b.mc55iCR, b.mc55iSR, b.tcpsr, b.outBufMessCount,
                             b.sentCounter);
            },
            Qt::QueuedConnection);
    }
    if (const auto line = decodeUsart(data); line && line->sequence != m_lastTrafficSequence) {
        m_lastTrafficSequence = line->sequence;
        QMetaObject::invokeMethod(
            this, [this, l = *line] { emit OnUsart(l.text, l.outGoing); }, Qt::QueuedConnection);
    }
}

void TYKT2::HandleMessage(const QByteArray &data)
{
    if (const auto message = decodeMessage(data))
        QMetaObject::invokeMethod(
            this, [this, m = *message] { raise(m); }, Qt::QueuedConnection);
}

// --- Events and the read-all sequence (user-interface thread) ---------------

bool TYKT2::hasHandler(quint8 type) const
{
    const auto connected = [this](auto signal) {
        return isSignalConnected(QMetaMethod::fromSignal(signal));
    };
    switch (type) {
    case 0x80:
        return connected(&TYKT2::OnConnectionString);
    case 0x81:
        return connected(&TYKT2::OnAPN);
    case 0x82:
        return connected(&TYKT2::OnUserName);
    case 0x83:
        return connected(&TYKT2::OnPassword);
    case 0x84:
        return connected(&TYKT2::OnTCPCR);
    case 0x85:
        return connected(&TYKT2::OnConnectionString2);
    case 0x86:
        return connected(&TYKT2::OnConnectionString3);
    case 0x87:
        return connected(&TYKT2::OnUSBPassword);
    case 0x88:
        return connected(&TYKT2::OnReserveAccount);
    case 0x89:
        return connected(&TYKT2::OnYKTOwnerName);
    case 0x8A:
        return connected(&TYKT2::OnYKT2CR);
    case 0x8B:
        return connected(&TYKT2::OnPhoneNumber);
    case 0x8C:
        return connected(&TYKT2::OnSMSPSTNCR);
    case 0x8D:
        return connected(&TYKT2::OnSMSPhrase);
    case 0x8E:
        return connected(&TYKT2::OnHelpText);
    case 0x8F:
        return connected(&TYKT2::OnInputSetting);
    case 0x90:
        return connected(&TYKT2::OnItemName);
    case 0x91:
        return connected(&TYKT2::OnPGMPhoneNumber);
    case 0x92:
        return connected(&TYKT2::OnOutputSetting);
    case 0x93:
        return connected(&TYKT2::OnInputSMSText);
    case 0x94:
        return connected(&TYKT2::OnAccessPIN);
    case 0x95:
        return connected(&TYKT2::OnSMSBackupPhoneNumber);
    case 0x96:
        return connected(&TYKT2::OnAdditionalSMSText);
    case 0x97:
        return connected(&TYKT2::OnModemData);
    case 0x98:
        return connected(&TYKT2::OnSIMpin);
    case 0x99:
        return connected(&TYKT2::OnHeartBeatEventId);
    case 0x9A:
        return connected(&TYKT2::OnPhoneNumberAdditionalCR);
    case 0x9B:
        return connected(&TYKT2::OnCPCR);
    case 0x9C:
        return connected(&TYKT2::OnAES128Key);
    case 0x9D:
        return connected(&TYKT2::OnZoneVoiceIndex);
    case 0x9E:
        return connected(&TYKT2::OnPSTNKissOff);
    case 0x9F:
        return connected(&TYKT2::OnAlarmSettings);
    case 0xA0:
        return connected(&TYKT2::OnVoiceLanguageName);
    default:
        return false;
    }
}

void TYKT2::emitEvent(const Message &m)
{
    switch (m.type) {
    case 0x80:
        emit OnConnectionString(m.text);
        break;
    case 0x81:
        emit OnAPN(m.text);
        break;
    case 0x82:
        emit OnUserName(m.text);
        break;
    case 0x83:
        emit OnPassword(m.text);
        break;
    case 0x84:
        emit OnTCPCR(m.data);
        break;
    case 0x85:
        emit OnConnectionString2(m.text);
        break;
    case 0x86:
        emit OnConnectionString3(m.text);
        break;
    case 0x87:
        emit OnUSBPassword(m.text);
        break;
    case 0x88:
        emit OnReserveAccount(m.idx, m.text);
        break;
    case 0x89:
        emit OnYKTOwnerName(m.text);
        break;
    case 0x8A:
        emit OnYKT2CR(m.data);
        break;
    case 0x8B:
        emit OnPhoneNumber(m.idx, m.cr, m.text);
        break;
    case 0x8C:
        emit OnSMSPSTNCR(m.data);
        break;
    case 0x8D:
        emit OnSMSPhrase(m.idx, m.text);
        break;
    case 0x8E:
        emit OnHelpText(m.idx, m.text);
        break;
    case 0x8F:
        emit OnInputSetting(m.idx, m.cr, m.violations, m.sensivity, m.word, m.bytes);
        break;
    case 0x90:
        emit OnItemName(m.idx, m.idx2, m.text);
        break;
    case 0x91:
        emit OnPGMPhoneNumber(m.idx, m.cr, m.text);
        break;
    case 0x92:
        emit OnOutputSetting(m.idx, m.cr, m.word);
        break;
    case 0x93:
        emit OnInputSMSText(m.idx, m.text);
        break;
    case 0x94:
        emit OnAccessPIN(m.data);
        break;
    case 0x95:
        emit OnSMSBackupPhoneNumber(m.idx, m.cr, m.text);
        break;
    case 0x96:
        emit OnAdditionalSMSText(m.idx, m.text);
        break;
    case 0x97:
        emit OnModemData(m.text);
        break;
    case 0x98:
        emit OnSIMpin(m.text);
        break;
    case 0x99:
        emit OnHeartBeatEventId(m.word);
        break;
    case 0x9A:
        emit OnPhoneNumberAdditionalCR(m.idx, m.cr, QByteArray());
        break;
    case 0x9B:
        emit OnCPCR(m.data);
        break;
    case 0x9C:
        emit OnAES128Key(m.idx, m.text);
        break;
    case 0x9D:
        emit OnZoneVoiceIndex(m.bytes);
        break;
    case 0x9E:
        emit OnPSTNKissOff(m.word);
        break;
    case 0x9F:
        emit OnAlarmSettings(m.bytes);
        break;
    case 0xA0:
        emit OnVoiceLanguageName(m.text);
        break;
    }
}

void TYKT2::raise(const Message &message)
{
    // An answer nobody listens to is dropped and does not move the read on.
    if (!hasHandler(message.type))
        return;
    try {
        if (message.type == 0x80)
            m_startGraceTimer.stop();
        emitEvent(message);
        emit AnswerRaised(message);
        ReadStep(message.type, message.stepIndex, message.stepSub);
    } catch (...) {
        // A handler's failure ends the handling of this answer only.
    }
}

void TYKT2::StartReadAll()
{
    m_readAborted = false;
    m_reading = true;
    m_deferred.clear();
    restartWatchdog();
    m_startGraceCount = 0;
    m_startGraceTimer.start();
    const ReadRequest first = ReadPlan::first();
    SendPacket(packets::empty(first.type));
}

void TYKT2::ReadStep(quint8 type, quint8 index, quint8 sub)
{
    if (!m_reading || m_closing)
        return;
    if (type == 0x90) {
        // A local event loop too: the driver is not deleted inside it.
        ++m_loopDepth;
        const auto leave = qScopeGuard([this] { leaveLoop(); });
        Pause(1);
    }
    if (m_closing)
        return;
    const std::optional<ReadRequest> next =
        ReadPlan::next(ReadRequest{type, index, sub}, m_firmwareVersion);
    if (!next) {
        m_reading = false;
        m_readAborted = false;
        // The read is done: a watchdog left running would report a failure
        // a few seconds after a complete read.
        m_readWatchdog.stop();
        m_startGraceTimer.stop();
        sendSequencePacket(packets::endExchange(true), false);
        return;
    }
    sendSequencePacket(packets::requestItem(next->type, next->index, next->sub), true);
}

void TYKT2::sendSequencePacket(const tduomenys &packet, bool restartDog)
{
    if (m_sendDepth > 0) {
        m_deferred.enqueue(Deferred{packet, restartDog});
        return;
    }
    if (restartDog)
        restartWatchdog();
    SendPacket(packet);
}

// One packet per call: the send's end starts the timer again for the next.
void TYKT2::sendDeferred()
{
    if (m_sendDepth > 0 || m_deferred.isEmpty())
        return;
    const Deferred next = m_deferred.dequeue();
    if (next.restartWatchdog)
        restartWatchdog();
    SendPacket(next.packet);
}

void TYKT2::restartWatchdog()
{
    m_readWatchdog.stop();
    m_readWatchdog.start();
}

void TYKT2::onWatchdog()
{
    m_readWatchdog.stop();
    m_readAborted = true;
}

void TYKT2::onStartGrace()
{
    m_startGraceTimer.stop();
    ++m_startGraceCount;
    restartWatchdog();
    if (m_startGraceCount > 3)
        m_startGraceCount = 0;
    else
        m_startGraceTimer.start();
}

} // namespace ykt
