#include "hidapidevice.h"

#include <hidapi/hidapi.h>

#include <QMetaObject>

#include <chrono>
#include <csignal>
#include <utility>

#include <pthread.h>

namespace ykt {

namespace {

using Clock = std::chrono::steady_clock;

// One read slice: short, so that a write never waits long for the thread, yet
// the thread sleeps in poll() rather than spinning.
constexpr int ReadSliceMs = 1;
// After a failed read (unplugged, most likely) the thread rests this long
// before it tries again.
constexpr auto ReadRetryDelay = std::chrono::milliseconds(100);
// How long write() waits for the I/O thread to write its report.
constexpr auto WriteTimeout = std::chrono::seconds(1);
// hidraw returns at most one report per read; a buffer of the kernel's largest
// report size never truncates one.
constexpr size_t ReadBufferSize = 16384;

// The device whose I/O thread this is, if any.
thread_local const HidapiDevice *t_ioThreadOf = nullptr;

// hidapi's read reports a poll() interrupted by a signal as a failure; the
// process's asynchronous signals are better taken by the other threads.
void blockAsynchronousSignals()
{
    sigset_t set;
    sigfillset(&set);
    for (int synchronous : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT, SIGSYS})
        sigdelset(&set, synchronous);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

} // namespace

HidapiHandle::~HidapiHandle()
{
    hid_close(m_handle);
}

int HidapiHandle::read(unsigned char *buffer, size_t size, int timeoutMs)
{
    return hid_read_timeout(m_handle, buffer, size, timeoutMs);
}

int HidapiHandle::write(const unsigned char *bytes, size_t size)
{
    return hid_write(m_handle, bytes, size);
}

void RefreshLink::attach(QObject *target, std::function<void()> refresh)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_target = target;
    m_refresh = std::move(refresh);
}

void RefreshLink::detach()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_target = nullptr;
    m_refresh = nullptr;
}

void RefreshLink::request()
{
    // Posting under the lock: detach() cannot complete in between, and an
    // event still queued when the target is destroyed is discarded with it.
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_target)
        QMetaObject::invokeMethod(m_target, m_refresh, Qt::QueuedConnection);
}

HidapiDevice::HidapiDevice(std::unique_ptr<HidHandle> handle, HidDeviceInfo info,
                           bool numberedReports, int outputLength,
                           std::shared_ptr<RefreshLink> link)
    : m_handle(std::move(handle)), m_info(std::move(info)), m_numbered(numberedReports),
      m_outputLength(outputLength), m_link(std::move(link)), m_thread([this] { run(); })
{}

HidapiDevice::~HidapiDevice()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_handler.reset();
        for (const auto &job : m_queue) {
            job->done = true;
            job->ok = false;
        }
        m_queue.clear();
    }
    m_cond.notify_all();
    m_thread.join();
    // m_handle closes the device.
}

bool HidapiDevice::onIoThread() const
{
    return t_ioThreadOf == this;
}

void HidapiDevice::setDataHandler(DataHandler handler)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (handler)
        m_handler = std::make_shared<const DataHandler>(std::move(handler));
    else
        m_handler.reset();
    m_cond.notify_all(); // the I/O thread starts or stops reading
    // The I/O thread itself is the one delivering; waiting would never end.
    if (!m_handler && !onIoThread())
        m_cond.wait(lock, [this] { return !m_delivering; });
}

bool HidapiDevice::write(quint8 reportId, const QByteArray &data)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(size_t(data.size()) + 1);
    bytes.push_back(reportId);
    bytes.insert(bytes.end(), data.cbegin(), data.cend());
    // A device with a single output report may refuse a short one.
    if (!m_numbered && data.size() < m_outputLength)
        bytes.resize(size_t(m_outputLength) + 1, 0);

    // A handler that answers a report writes from the I/O thread, which owns
    // the handle anyway.
    if (onIoThread())
        return m_handle->write(bytes.data(), bytes.size()) >= 0;

    auto job = std::make_shared<WriteJob>();
    job->bytes = std::move(bytes);

    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_stop)
        return false;
    m_queue.push_back(job);
    m_cond.notify_all();
    if (m_cond.wait_for(lock, WriteTimeout, [&job] { return job->done; }))
        return job->ok;
    // Timed out: a report not yet begun is withdrawn; one in progress finishes
    // on its own and keeps the job alive until then.
    if (!job->started) {
        for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
            if (*it == job) {
                m_queue.erase(it);
                break;
            }
        }
    }
    return false;
}

void HidapiDevice::deliver(const unsigned char *bytes, int count)
{
    std::shared_ptr<const DataHandler> handler;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        handler = m_handler;
        if (!handler)
            return; // removed while the report was being read: nobody wants it
        m_delivering = true;
    }

    quint8 reportId = 0;
    if (m_numbered) {
        reportId = bytes[0];
        ++bytes;
        --count;
    }
    try {
        (*handler)(reportId, QByteArray(reinterpret_cast<const char *>(bytes), count));
    } catch (...) {
        // A fault while handling one report must not end the reader.
    }

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_delivering = false;
    }
    m_cond.notify_all();
}

void HidapiDevice::run()
{
    t_ioThreadOf = this;
    blockAsynchronousSignals();
    std::vector<unsigned char> buffer(ReadBufferSize);
    bool failing = false;
    Clock::time_point retryAt;

    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stop) {
        while (!m_queue.empty() && !m_stop) {
            std::shared_ptr<WriteJob> job = m_queue.front();
            m_queue.pop_front();
            job->started = true;
            lock.unlock();
            const int written = m_handle->write(job->bytes.data(), job->bytes.size());
            lock.lock();
            job->ok = written >= 0;
            job->done = true;
            m_cond.notify_all();
        }
        if (m_stop)
            break;

        // Nobody listens: the reports stay queued in the kernel until someone
        // does, rather than being read and dropped.
        if (!m_handler) {
            m_cond.wait(lock, [this] { return m_stop || !m_queue.empty() || m_handler; });
            continue;
        }
        if (failing && Clock::now() < retryAt) {
            m_cond.wait_until(lock, retryAt,
                              [this] { return m_stop || !m_queue.empty() || !m_handler; });
            continue;
        }

        lock.unlock();
        const int count = m_handle->read(buffer.data(), buffer.size(), ReadSliceMs);
        if (count < 0) {
            // Most likely the device was pulled out: have the transport look
            // now instead of at its next rescan, once per run of failures.
            if (!failing && m_link)
                m_link->request();
            failing = true;
            retryAt = Clock::now() + ReadRetryDelay;
        } else {
            failing = false;
            if (count > 0)
                deliver(buffer.data(), count);
        }
        lock.lock();
    }
}

} // namespace ykt
