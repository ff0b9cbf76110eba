#pragma once

// A claimed hidraw device on hidapi. hidapi 0.13 is not safe for a read on
// one thread while another thread writes on the same handle (both replace the
// handle's error string), so one I/O thread owns the handle: it alternates
// short read slices with the writes handed to it, and write() waits until its
// own report is out.

#include "device/hidtransport.h"
#include "device/linux/devicelock.h"

#include <QObject>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

struct hid_device_;

namespace ykt {

// Lets a device's I/O thread ask the transport that opened it for a refresh,
// while the transport may already be gone. The transport attaches itself and
// detaches in its destructor; request() may be called from any thread and
// queues the refresh to the target's thread.
class RefreshLink
{
public:
    void attach(QObject *target, std::function<void()> refresh);
    void detach();
    void request();

private:
    std::mutex m_mutex;
    QObject *m_target = nullptr;
    std::function<void()> m_refresh;
};

// The calls the I/O thread makes on an open device, with hidapi's meaning of
// the results. Only ever called on the I/O thread; closed by its destructor.
class HidHandle
{
public:
    virtual ~HidHandle() = default;
    // Waits at most timeoutMs for one input report. The bytes read, 0 when
    // none came in time, -1 on failure (unplugged, mostly).
    virtual int read(unsigned char *buffer, size_t size, int timeoutMs) = 0;
    // Writes one output report, its id byte first. The bytes written or -1.
    virtual int write(const unsigned char *bytes, size_t size) = 0;
};

// hidapi's handle, with the lock that claims its node (if one was taken),
// given up after the handle is closed.
class HidapiHandle : public HidHandle
{
public:
    explicit HidapiHandle(hid_device_ *handle, DeviceLock lock = DeviceLock())
        : m_handle(handle), m_lock(std::move(lock))
    {}
    ~HidapiHandle() override;

    HidapiHandle(const HidapiHandle &) = delete;
    HidapiHandle &operator=(const HidapiHandle &) = delete;

    int read(unsigned char *buffer, size_t size, int timeoutMs) override;
    int write(const unsigned char *bytes, size_t size) override;

private:
    hid_device_ *const m_handle;
    DeviceLock m_lock;
};

class HidapiDevice : public HidDevice
{
public:
    // The module's output reports: 63 data bytes after the id byte.
    static constexpr int DefaultOutputLength = 63;

    // Takes ownership of the open handle and starts the I/O thread, which
    // writes from the start but reads only while a data handler is set:
    // until then the reports wait in the kernel's queue.
    // numberedReports: the device's reports begin with their id byte (from its
    // report descriptor). outputLength: data bytes of its output report; a
    // shorter write to an unnumbered device is padded with zeros to it.
    HidapiDevice(std::unique_ptr<HidHandle> handle, HidDeviceInfo info, bool numberedReports,
                 int outputLength, std::shared_ptr<RefreshLink> link);
    // Stops and joins the I/O thread, then closes the handle. Not from inside
    // the data handler, and not while another thread is in write().
    ~HidapiDevice() override;

    HidapiDevice(const HidapiDevice &) = delete;
    HidapiDevice &operator=(const HidapiDevice &) = delete;

    const HidDeviceInfo &info() const override { return m_info; }

    // The handler runs on the I/O thread. For unnumbered reports (the
    // module's) hidraw delivers the data bytes alone and the handler gets
    // report id 0; for numbered ones the first byte is the id. An empty
    // handler stops the reading; set from another thread, it returns once a
    // call in progress has finished, and from inside the handler it only
    // stops further calls. The thread stays for the writes.
    void setDataHandler(DataHandler handler) override;

    // Sends reportId followed by data (0x00 and 63 bytes for the module) and
    // waits until the I/O thread has written it, at most one second. True
    // when the write succeeded in time. From inside the data handler it
    // writes at once.
    bool write(quint8 reportId, const QByteArray &data) override;

private:
    struct WriteJob
    {
        std::vector<unsigned char> bytes;
        bool started = false;
        bool done = false;
        bool ok = false;
    };

    void run();
    void deliver(const unsigned char *bytes, int count);
    bool onIoThread() const;

    const std::unique_ptr<HidHandle> m_handle;
    const HidDeviceInfo m_info;
    const bool m_numbered;
    const int m_outputLength;
    const std::shared_ptr<RefreshLink> m_link;

    // Guards everything below; m_cond signals finished writes, a finished
    // handler call, new writes, a handler change and the stop request.
    std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<std::shared_ptr<WriteJob>> m_queue;
    std::shared_ptr<const DataHandler> m_handler;
    bool m_delivering = false;
    bool m_stop = false;

    std::thread m_thread; // last: starts once the rest is set up
};

} // namespace ykt
