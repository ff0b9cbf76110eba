#include "sim/simtransport.h"

#include <QMetaObject>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace ykt::sim {

using Clock = std::chrono::steady_clock;

namespace {

const QString ModulePath = QStringLiteral("sim:module");

// One opened handle on the module. Detached when the module is pulled out or
// opened again: from then on it neither reads nor writes.
struct Link
{
    std::condition_variable wake;
    std::deque<QByteArray> inbox;
    bool attached = true;
    bool stop = false;
};

} // namespace

struct SimShared
{
    explicit SimShared(const Options &o) : options(o), module(o) {}

    std::mutex mutex; // guards everything below
    const Options options;
    VirtualModule module;
    bool pluggedIn = true;
    QList<QByteArray> received;
    std::weak_ptr<Link> link;
    std::function<void()> onUnplugFault; // posts to the transport's thread
    const Clock::time_point epoch = Clock::now();
};

namespace {

class SimDevice : public HidDevice
{
public:
    SimDevice(std::shared_ptr<SimShared> shared, HidDeviceInfo info)
        : m_shared(std::move(shared)), m_info(std::move(info)), m_link(std::make_shared<Link>())
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (auto previous = m_shared->link.lock()) {
            previous->attached = false;
            previous->wake.notify_all();
        }
        m_shared->link = m_link;
    }

    ~SimDevice() override
    {
        stopReader();
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_link->attached = false;
    }

    const HidDeviceInfo &info() const override { return m_info; }

    void setDataHandler(DataHandler handler) override
    {
        stopReader();
        if (!handler)
            return;
        m_handler = std::move(handler);
        m_thread = std::thread([this] { run(); });
    }

    bool write(quint8 reportId, const QByteArray &data) override
    {
        if (reportId != 0)
            return false;
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (!m_link->attached)
            return false;
        m_shared->received.append(data);
        m_link->inbox.push_back(data);
        m_link->wake.notify_all();
        return true;
    }

private:
    void stopReader()
    {
        if (!m_thread.joinable())
            return;
        {
            std::lock_guard<std::mutex> lock(m_shared->mutex);
            m_link->stop = true;
            m_link->wake.notify_all();
        }
        m_thread.join();
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_link->stop = false;
    }

    // The module's interrupt endpoint: at most one report per USB interval.
    void run()
    {
        const auto interval = std::chrono::milliseconds(qMax(1, m_shared->options.usbIntervalMs));
        const auto stateInterval = std::chrono::milliseconds(m_shared->options.stateIntervalMs);
        std::deque<std::pair<Clock::time_point, PendingReport>> pending;
        Clock::time_point nextTick = Clock::now() + interval;
        Clock::time_point nextState = Clock::now();

        std::unique_lock<std::mutex> lock(m_shared->mutex);
        Link &link = *m_link;
        while (!link.stop && link.attached) {
            link.wake.wait_until(
                lock, nextTick, [&] { return link.stop || !link.attached || !link.inbox.empty(); });
            if (link.stop || !link.attached)
                break;
            while (!link.inbox.empty()) {
                const QByteArray packet = link.inbox.front();
                link.inbox.pop_front();
                const Reaction reaction = m_shared->module.receive(packet);
                if (reaction.unplug) {
                    link.attached = false;
                    m_shared->pluggedIn = false;
                    if (m_shared->onUnplugFault)
                        m_shared->onUnplugFault();
                    break;
                }
                const auto due = Clock::now() + std::chrono::milliseconds(reaction.delayMs);
                for (const PendingReport &report : reaction.reports)
                    pending.emplace_back(due, report);
            }
            if (!link.attached)
                break;

            const auto now = Clock::now();
            if (now < nextTick)
                continue;
            nextTick += interval;
            if (nextTick <= now)
                nextTick = now + interval;

            QByteArray report;
            if (!pending.empty() && pending.front().first <= now) {
                report = m_shared->module.take(pending.front().second);
                pending.pop_front();
            } else if (stateInterval.count() > 0 && now >= nextState) {
                const auto ms =
                    std::chrono::duration_cast<std::chrono::milliseconds>(now - m_shared->epoch);
                report = m_shared->module.stateReport(ms.count());
                nextState = now + stateInterval;
            }
            if (report.isEmpty())
                continue;
            lock.unlock();
            m_handler(0, report);
            lock.lock();
        }
    }

    std::shared_ptr<SimShared> m_shared;
    HidDeviceInfo m_info;
    std::shared_ptr<Link> m_link;
    DataHandler m_handler;
    std::thread m_thread;
};

} // namespace

SimTransport::SimTransport(const Options &options, QObject *parent)
    : HidTransport(parent), m_shared(std::make_shared<SimShared>(options))
{
    m_shared->pluggedIn = options.pluggedIn;
    m_shared->onUnplugFault = [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                rescanLater();
                scheduleReplug();
            },
            Qt::QueuedConnection);
    };
}

SimTransport::~SimTransport()
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->onUnplugFault = nullptr;
}

void SimTransport::start()
{
    if (m_started)
        return;
    m_started = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_reported = devices();
            emit devicesChanged(true);
        },
        Qt::QueuedConnection);
}

HidDeviceInfo SimTransport::moduleInfo() const
{
    const Profile &p = m_shared->options.profile;
    HidDeviceInfo info;
    info.path = ModulePath;
    info.vendorId = VendorId;
    info.productId = ProductId;
    info.releaseNumber = p.releaseNumber;
    info.productString = p.productString;
    info.serialNumber = p.serialNumber;
    info.inputReportLength = 63;
    return info;
}

QList<HidDeviceInfo> SimTransport::devices() const
{
    QList<HidDeviceInfo> list = m_foreign;
    if (isPluggedIn())
        list.append(moduleInfo());
    return list;
}

std::unique_ptr<HidDevice> SimTransport::open(const HidDeviceInfo &info)
{
    if (info.path != ModulePath || !isPluggedIn()) {
        setOpenError(QStringLiteral("%1: no such device").arg(info.path));
        return nullptr;
    }
    if (!m_openFailure.isEmpty()) {
        setOpenError(m_openFailure);
        return nullptr;
    }
    setOpenError(QString());
    return std::make_unique<SimDevice>(m_shared, moduleInfo());
}

bool SimTransport::isPluggedIn() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->pluggedIn;
}

void SimTransport::plug()
{
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->pluggedIn)
            return;
        m_shared->pluggedIn = true;
        m_shared->module.powerUp();
    }
    rescanLater();
}

void SimTransport::unplug()
{
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (!m_shared->pluggedIn)
            return;
        m_shared->pluggedIn = false;
        if (auto link = m_shared->link.lock()) {
            link->attached = false;
            link->wake.notify_all();
        }
    }
    rescanLater();
}

void SimTransport::addForeignDevice(quint16 vendorId, quint16 productId,
                                    const QString &productString)
{
    HidDeviceInfo info;
    info.path = QStringLiteral("sim:foreign%1").arg(m_foreign.size());
    info.vendorId = vendorId;
    info.productId = productId;
    info.productString = productString;
    m_foreign.append(info);
    rescanLater();
}

void SimTransport::setOpenFailure(const QString &reason)
{
    m_openFailure = reason;
}

// As a real bus does, the change reaches the listeners a little later, from
// the event loop.
void SimTransport::rescanLater()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_started)
                return;
            const QList<HidDeviceInfo> now = devices();
            for (const HidDeviceInfo &info : std::as_const(m_reported)) {
                if (!now.contains(info))
                    emit deviceRemoved(info);
            }
            bool changed = now.size() != m_reported.size();
            for (int i = 0; !changed && i < now.size(); ++i)
                changed = !(now.at(i) == m_reported.at(i));
            m_reported = now;
            if (changed)
                emit devicesChanged(false);
        },
        Qt::QueuedConnection);
}

void SimTransport::scheduleReplug()
{
    const int after = m_shared->options.faults.replugAfterMs;
    if (after > 0)
        QTimer::singleShot(after, this, &SimTransport::plug);
}

void SimTransport::setFaults(const Faults &faults)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->module.setFaults(faults);
}

QList<QByteArray> SimTransport::receivedPackets() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->received;
}

void SimTransport::clearReceivedPackets()
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->received.clear();
}

std::optional<QByteArray> SimTransport::record(int item, int index, int sub) const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->module.store().get(item, index, sub);
}

QByteArray SimTransport::storedText(int item, int index, int sub) const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->module.storedText(item, index, sub);
}

void SimTransport::setRecord(int item, int index, int sub, const QByteArray &contents)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->module.store().put(item, index, sub, contents);
}

bool SimTransport::passwordRequired() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->module.passwordRequired();
}

bool SimTransport::settingsLocked() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->module.settingsLocked();
}

int SimTransport::clockHour() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->module.clockHour();
}

} // namespace ykt::sim
