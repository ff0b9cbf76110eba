// The Linux HID backend. These machines have no HID device and no UHID, so the
// I/O thread cannot be driven here; what is tested is what needs no device:
// reading report descriptors, the transport's scans and timers, open failures
// and the cross-thread refresh request.

#include "device/linux/devicelock.h"
#include "device/linux/hidapidevice.h"
#include "device/linux/hidapitransport.h"
#include "device/linux/reportdescriptor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

using namespace ykt;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until pred() holds or ms have passed; returns pred().
template <typename Pred> bool waitUntil(Pred pred, int ms = 2000)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return pred();
}

// What the next reads of a ScriptedHandle return and what it was asked to do.
// Shared with the test, so it outlives the device.
struct HandleScript
{
    std::mutex mutex;
    std::deque<std::optional<QByteArray>> reads; // nullopt: a failed read
    int writeResult = 0;                         // 0: the whole report is written
    std::vector<QByteArray> written;
    int readCalls = 0;
    std::set<std::thread::id> callingThreads;
    std::atomic<int> inCall{0};
    std::atomic<bool> overlapped{false};
    std::atomic<bool> closed{false};

    void queueRead(std::optional<QByteArray> result)
    {
        std::lock_guard<std::mutex> lock(mutex);
        reads.push_back(std::move(result));
    }
    template <typename T> T get(T HandleScript::*member)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return this->*member;
    }
};

// A handle that plays a script instead of talking to a device; an empty
// script reads like a device that stays quiet.
class ScriptedHandle : public HidHandle
{
public:
    explicit ScriptedHandle(std::shared_ptr<HandleScript> script) : m_script(std::move(script)) {}
    ~ScriptedHandle() override { m_script->closed = true; }

    int read(unsigned char *buffer, size_t size, int timeoutMs) override
    {
        const Call call(*m_script);
        std::optional<QByteArray> result;
        {
            std::lock_guard<std::mutex> lock(m_script->mutex);
            ++m_script->readCalls;
            if (m_script->reads.empty()) {
                result = QByteArray();
            } else {
                result = std::move(m_script->reads.front());
                m_script->reads.pop_front();
            }
        }
        if (!result)
            return -1;
        if (result->isEmpty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
            return 0;
        }
        const size_t count = std::min(size, size_t(result->size()));
        std::memcpy(buffer, result->constData(), count);
        return int(count);
    }

    int write(const unsigned char *bytes, size_t size) override
    {
        const Call call(*m_script);
        std::lock_guard<std::mutex> lock(m_script->mutex);
        m_script->written.push_back(QByteArray(reinterpret_cast<const char *>(bytes), int(size)));
        return m_script->writeResult ? m_script->writeResult : int(size);
    }

private:
    // Notes the calling thread and whether two calls ever overlapped.
    struct Call
    {
        explicit Call(HandleScript &script) : script(script)
        {
            if (script.inCall.fetch_add(1) != 0)
                script.overlapped = true;
            std::lock_guard<std::mutex> lock(script.mutex);
            script.callingThreads.insert(std::this_thread::get_id());
        }
        ~Call() { script.inCall.fetch_sub(1); }
        HandleScript &script;
    };

    const std::shared_ptr<HandleScript> m_script;
};

std::unique_ptr<HidapiDevice> scriptedDevice(const std::shared_ptr<HandleScript> &script,
                                             bool numbered,
                                             std::shared_ptr<RefreshLink> link = nullptr)
{
    HidDeviceInfo info;
    info.path = QStringLiteral("/dev/hidraw-scripted");
    return std::make_unique<HidapiDevice>(std::make_unique<ScriptedHandle>(script), info, numbered,
                                          HidapiDevice::DefaultOutputLength, std::move(link));
}

// The reports a data handler got, and on which thread.
struct Received
{
    std::mutex mutex;
    QList<std::pair<quint8, QByteArray>> reports;
    std::set<std::thread::id> threads;

    HidDevice::DataHandler handler()
    {
        return [this](quint8 id, const QByteArray &data) {
            std::lock_guard<std::mutex> lock(mutex);
            reports.append({id, data});
            threads.insert(std::this_thread::get_id());
        };
    }
    int count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return int(reports.size());
    }
};

struct SignalLog
{
    QList<bool> changed;
    QList<HidDeviceInfo> removed;

    void watch(HidTransport &transport)
    {
        QObject::connect(&transport, &HidTransport::devicesChanged,
                         [this](bool initial) { changed.append(initial); });
        QObject::connect(&transport, &HidTransport::deviceRemoved,
                         [this](const HidDeviceInfo &info) { removed.append(info); });
    }
};

} // namespace

TEST(HidrawReportDescriptor, ReadsLengthAndNumbering)
{
    struct Case
    {
        const char *name;
        QByteArray descriptor;
        bool numbered;
        int inputLength;
        int outputLength;
    };
    const Case cases[] = {
        {"vendor page, 63 bytes each way, unnumbered",
         bytes({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
                0x95, 0x3F, 0x09, 0x01, 0x81, 0x02, 0x95, 0x3F, 0x09, 0x01, 0x91, 0x02, 0xC0}),
         false, 63, 63},
        {"boot keyboard: 8 input bytes, 5+3 bits of LED output",
         bytes({0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15,
                0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08,
                0x81, 0x01, 0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91,
                0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0x95, 0x06, 0x75, 0x08, 0x15, 0x00,
                0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0}),
         false, 8, 1},
        {"numbered: the longest report of each direction counts",
         bytes({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75,
                0x08, 0x85, 0x01, 0x95, 0x03, 0x81, 0x02, // id 1: 3 bytes in
                0x85, 0x02, 0x95, 0x0A, 0x81, 0x02,       // id 2: 10 bytes in
                0x85, 0x03, 0x95, 0x14, 0x91, 0x02,       // id 3: 20 bytes out
                0xC0}),
         true, 10, 20},
        {"several input items of one report add up; pop restores the count",
         bytes({0x75, 0x08, 0x95, 0x04, 0xA4, 0x95, 0x10, 0x81, 0x02, 0xB4, 0x81, 0x02}), false, 20,
         0},
        {"four-byte item data and long items",
         bytes({0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x77, 0x08, 0x00, 0x00, 0x00, 0x97, 0x02, 0x00, 0x00,
                0x00, 0x81, 0x02}),
         false, 2, 0},
        {"bits rounded up to bytes", bytes({0x75, 0x01, 0x95, 0x09, 0x81, 0x02}), false, 2, 0},
        {"feature reports count for neither direction",
         bytes({0x75, 0x08, 0x95, 0x10, 0xB1, 0x02, 0x95, 0x02, 0x81, 0x02, 0x91, 0x02}), false, 2,
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto layout = hidraw::parseReportDescriptor(c.descriptor);
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(layout->numbered, c.numbered);
        EXPECT_EQ(layout->inputLength, c.inputLength);
        EXPECT_EQ(layout->outputLength, c.outputLength);
    }
}

TEST(HidrawReportDescriptor, RejectsMalformedAndBoundsHostileSizes)
{
    EXPECT_FALSE(hidraw::parseReportDescriptor(QByteArray()).has_value());
    EXPECT_FALSE(hidraw::parseReportDescriptor(bytes({0x75})).has_value());
    EXPECT_FALSE(hidraw::parseReportDescriptor(bytes({0x27, 0xFF, 0xFF})).has_value());
    EXPECT_FALSE(hidraw::parseReportDescriptor(bytes({0xFE, 0x05, 0x00, 0x01})).has_value());

    // Report size and count at their maximum, many times over: no overflow.
    QByteArray hostile = bytes({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF});
    for (int i = 0; i < 1000; ++i)
        hostile.append(bytes({0x81, 0x02}));
    const auto layout = hidraw::parseReportDescriptor(hostile);
    ASSERT_TRUE(layout.has_value());
    EXPECT_GT(layout->inputLength, 0);

    EXPECT_FALSE(hidraw::readReportLayout(QStringLiteral("/dev/null")).has_value());
    EXPECT_FALSE(hidraw::readReportLayout(QStringLiteral("/dev/hidraw987")).has_value());
}

TEST(HidapiTransport, StartDeliversOneInitialScanAndRescansQuietly)
{
    // No module is attached to the machines these tests run on.
    HidapiTransport transport(0x6B72, 0x4756);
    SignalLog log;
    log.watch(transport);

    transport.start();
    transport.start(); // a second start changes nothing
    EXPECT_TRUE(log.changed.isEmpty()) << "the initial scan waits for the event loop";

    runEventLoop(1200); // covers the first one-second rescan
    EXPECT_EQ(log.changed, QList<bool>{true});
    EXPECT_TRUE(log.removed.isEmpty());
    EXPECT_TRUE(transport.devices().isEmpty());
    if (!QFileInfo::exists(QStringLiteral("/run/udev/control"))) {
        EXPECT_NE(transport.watch(), HidapiTransport::Watch::UdevEvents);
    }
}

TEST(HidapiTransport, AllDevicesListsEachHidrawNodeOnce)
{
    HidapiTransport transport(0, 0);
    SignalLog log;
    log.watch(transport);
    transport.start();
    runEventLoop(50);
    ASSERT_EQ(log.changed, QList<bool>{true});

    QSet<QString> paths;
    for (const HidDeviceInfo &info : transport.devices()) {
        EXPECT_TRUE(info.path.startsWith(QLatin1String("/dev/hidraw"))) << info.path.toStdString();
        EXPECT_FALSE(paths.contains(info.path)) << info.path.toStdString();
        EXPECT_GE(info.inputReportLength, 0);
        paths.insert(info.path);
    }
}

TEST(HidapiTransport, OpenFailuresSayWhy)
{
    HidapiTransport transport(0x6B72, 0x4756);

    HidDeviceInfo missing;
    missing.path = QStringLiteral("/dev/hidraw987");
    EXPECT_EQ(transport.open(missing), nullptr);
    EXPECT_TRUE(transport.openError().contains(missing.path))
        << transport.openError().toStdString();

    // Present and accessible, but not a hidraw node.
    HidDeviceInfo notHid;
    notHid.path = QStringLiteral("/dev/null");
    EXPECT_EQ(transport.open(notHid), nullptr);
    EXPECT_FALSE(transport.openError().isEmpty());
    EXPECT_TRUE(transport.openError().contains(notHid.path)) << transport.openError().toStdString();
}

// The claim on a node works on any file: a second descriptor (another
// program, or another claim in this one) finds it taken until it is given up.
TEST(DeviceLock, OneHolderAtATime)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString node = dir.filePath("hidraw0");
    {
        QFile file(node);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    DeviceLock first;
    ASSERT_EQ(first.acquire(node), DeviceLock::Outcome::Held);
    EXPECT_TRUE(first.held());
    DeviceLock second;
    EXPECT_EQ(second.acquire(node), DeviceLock::Outcome::Busy);
    EXPECT_FALSE(second.held());

    // Moved with the device that owns it, still held; released with it.
    DeviceLock moved(std::move(first));
    EXPECT_FALSE(first.held());
    EXPECT_EQ(second.acquire(node), DeviceLock::Outcome::Busy);
    moved.release();
    EXPECT_EQ(second.acquire(node), DeviceLock::Outcome::Held);

    // A node that cannot be opened: no lock, and the claim goes on without.
    DeviceLock none;
    EXPECT_EQ(none.acquire(dir.filePath("hidraw9")), DeviceLock::Outcome::Unlocked);
    EXPECT_FALSE(none.held());
    EXPECT_EQ(none.error(), ENOENT);
}

TEST(HidapiTransport, DestroyedWhileItsTimersRun)
{
    SignalLog log;
    {
        // Destroyed before the initial scan could run.
        HidapiTransport transport(0x6B72, 0x4756);
        log.watch(transport);
        transport.start();
    }
    {
        // Destroyed with the rescan running.
        HidapiTransport transport(0, 0);
        transport.start();
        runEventLoop(30);
    }
    runEventLoop(30);
    EXPECT_TRUE(log.changed.isEmpty());
}

TEST(HidapiRefreshLink, QueuesToTheTargetThreadUntilDetached)
{
    QObject target;
    int calls = 0;
    QThread *calledOn = nullptr;
    auto link = std::make_shared<RefreshLink>();
    link->attach(&target, [&] {
        ++calls;
        calledOn = QThread::currentThread();
    });

    std::thread([link] { link->request(); }).join();
    EXPECT_EQ(calls, 0) << "queued, not called on the requesting thread";
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(calledOn, target.thread());

    link->detach();
    std::thread([link] { link->request(); }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
}

TEST(HidapiTransport, OpenDeniedNamesTheUdevRule)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may open any node";
    QTemporaryFile node;
    ASSERT_TRUE(node.open());
    ASSERT_TRUE(node.setPermissions(QFileDevice::Permissions()));

    HidapiTransport transport(0x6B72, 0x4756);
    HidDeviceInfo locked;
    locked.path = node.fileName();
    EXPECT_EQ(transport.open(locked), nullptr);
    const QString reason = transport.openError();
    EXPECT_TRUE(reason.contains(QLatin1String("Permission denied"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(locked.path)) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QLatin1String("69-ykt4m-loader.rules"))) << reason.toStdString();
}

TEST(HidapiDevice, WritesBeforeAHandlerAndKeepsReportsQueuedUntilOne)
{
    auto script = std::make_shared<HandleScript>();
    script->queueRead(QByteArray("early"));
    auto device = scriptedDevice(script, false);

    EXPECT_TRUE(device->write(0, QByteArray("abc")));
    EXPECT_TRUE(device->write(0, QByteArray(63, 'x')));
    EXPECT_TRUE(device->write(0, QByteArray(70, 'y')));
    {
        std::lock_guard<std::mutex> lock(script->mutex);
        ASSERT_EQ(script->written.size(), 3u);
        EXPECT_EQ(script->written[0], QByteArray(1, '\0') + "abc" + QByteArray(60, '\0'))
            << "a short report is padded to the 63 data bytes";
        EXPECT_EQ(script->written[1], QByteArray(1, '\0') + QByteArray(63, 'x'));
        EXPECT_EQ(script->written[2], QByteArray(1, '\0') + QByteArray(70, 'y'))
            << "a long one is never cut";
        EXPECT_EQ(script->readCalls, 0) << "nothing is read while nobody listens";
    }

    Received received;
    device->setDataHandler(received.handler());
    ASSERT_TRUE(waitUntil([&] { return received.count() == 1; }));
    EXPECT_EQ(received.reports.value(0), std::make_pair(quint8(0), QByteArray("early")));
    EXPECT_EQ(received.threads.count(std::this_thread::get_id()), 0u);

    device.reset();
    EXPECT_TRUE(script->closed);
}

TEST(HidapiDevice, SplitsOffTheReportIdOnlyWhenNumbered)
{
    struct Case
    {
        const char *name;
        bool numbered;
        QByteArray report;
        quint8 id;
        QByteArray data;
        QByteArray writtenForId5; // what write(5, "xy") puts out
    };
    const Case cases[] = {
        {"unnumbered: the first byte is data", false,
         QByteArray("\x02"
                    "ABC"),
         0,
         QByteArray("\x02"
                    "ABC"),
         QByteArray("\x05"
                    "xy") +
             QByteArray(61, '\0')},
        {"numbered", true,
         QByteArray("\x02"
                    "ABC"),
         2, QByteArray("ABC"),
         QByteArray("\x05"
                    "xy")},
        {"numbered, the id alone", true, QByteArray("\x07"), 7, QByteArray(),
         QByteArray("\x05"
                    "xy")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto script = std::make_shared<HandleScript>();
        script->queueRead(c.report);
        auto device = scriptedDevice(script, c.numbered);
        Received received;
        device->setDataHandler(received.handler());
        ASSERT_TRUE(waitUntil([&] { return received.count() == 1; }));
        EXPECT_EQ(received.reports.value(0), std::make_pair(c.id, c.data));

        EXPECT_TRUE(device->write(5, QByteArray("xy")));
        EXPECT_EQ(script->get(&HandleScript::written).back(), c.writtenForId5);
    }
}

TEST(HidapiDevice, OneThreadMakesEveryCallOnTheHandle)
{
    auto script = std::make_shared<HandleScript>();
    auto device = scriptedDevice(script, false);
    HidapiDevice *const raw = device.get();
    std::atomic<int> answersOk{0};
    // Answering from inside the handler writes at once, on the same thread.
    device->setDataHandler([raw, &answersOk](quint8, const QByteArray &data) {
        if (data == "ping" && raw->write(0, QByteArray("pong")))
            ++answersOk;
    });

    constexpr int Writes = 30;
    for (int i = 0; i < Writes; ++i) {
        if (i % 10 == 0)
            script->queueRead(QByteArray("ping"));
        EXPECT_TRUE(device->write(0, "w" + QByteArray::number(i)));
    }
    ASSERT_TRUE(waitUntil([&] { return answersOk == 3; }));

    int next = 0;
    for (const QByteArray &report : script->get(&HandleScript::written)) {
        if (report.startsWith(QByteArray(1, '\0') + "w")) {
            EXPECT_EQ(report.mid(2).toInt(), next++) << "the writes keep their order";
        }
    }
    EXPECT_EQ(next, Writes);
    EXPECT_FALSE(script->overlapped);
    const auto threads = script->get(&HandleScript::callingThreads);
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
}

TEST(HidapiDevice, EmptyHandlerStopsTheReading)
{
    {
        SCOPED_TRACE("from another thread: waits for the call in progress");
        auto script = std::make_shared<HandleScript>();
        script->queueRead(QByteArray("slow"));
        auto device = scriptedDevice(script, false);
        std::atomic<bool> inside{false};
        std::atomic<bool> finished{false};
        std::atomic<int> calls{0};
        device->setDataHandler([&](quint8, const QByteArray &) {
            ++calls;
            inside = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            finished = true;
        });
        ASSERT_TRUE(waitUntil([&] { return inside.load(); }));
        device->setDataHandler({});
        EXPECT_TRUE(finished);

        const int readsBefore = script->get(&HandleScript::readCalls);
        script->queueRead(QByteArray("late"));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(script->get(&HandleScript::readCalls), readsBefore);
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(device->write(0, QByteArray("still writes")));
    }
    {
        SCOPED_TRACE("from inside the handler: no further calls, no deadlock");
        auto script = std::make_shared<HandleScript>();
        script->queueRead(QByteArray("one"));
        script->queueRead(QByteArray("two"));
        auto device = scriptedDevice(script, false);
        HidapiDevice *const raw = device.get();
        std::atomic<int> calls{0};
        device->setDataHandler([raw, &calls](quint8, const QByteArray &) {
            ++calls;
            raw->setDataHandler({});
        });
        ASSERT_TRUE(waitUntil([&] { return calls == 1; }));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(script->get(&HandleScript::reads).size(), 1u) << "\"two\" stays queued";
    }
}

TEST(HidapiDevice, FailedReadsAskForOneRefreshPerOutage)
{
    QObject transport;
    int refreshes = 0;
    auto link = std::make_shared<RefreshLink>();
    link->attach(&transport, [&refreshes] { ++refreshes; });

    auto script = std::make_shared<HandleScript>();
    script->writeResult = -1; // unplugged
    script->reads = {std::nullopt, std::nullopt, QByteArray("back"), std::nullopt};
    auto device = scriptedDevice(script, false, link);
    Received received;
    device->setDataHandler(received.handler());

    ASSERT_TRUE(waitUntil([&] { return refreshes == 1; }));
    // The thread rests between failed reads; a write is not held up by it.
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(device->write(0, QByteArray("x")));
    EXPECT_LT(timer.elapsed(), 500) << "the handle's failure, not the write timeout";

    // Past the script: a read after the last failure.
    ASSERT_TRUE(waitUntil([&] { return script->get(&HandleScript::readCalls) >= 5; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(received.count(), 1);
}
