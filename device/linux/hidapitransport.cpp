#include "hidapitransport.h"

#include "devicelock.h"
#include "hidapidevice.h"
#include "reportdescriptor.h"

#include "util/logging.h"

#include <hidapi/hidapi.h>
#include <libudev.h>

#include <QFileInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>

namespace ykt {

namespace {

constexpr int RescanIntervalMs = 1000;
// The kernel announces a node before udevd has applied its rules.
constexpr int LateRefreshMs = 250;
constexpr int DeniedRetryMs = 250;
// Devices taken from the monitor per wake-up; the rest wait for the next one.
constexpr int MaxEventsPerWakeup = 256;
// Wake-ups that leave the monitor readable without yielding anything before
// the monitor is given up for the rescan alone (it would wake us forever).
constexpr int MaxUndrainedWakeups = 50;
// The module's reports, for a device whose report descriptor cannot be read:
// unnumbered, 63 data bytes each way.
constexpr hidraw::ReportLayout DefaultLayout{false, 63, HidapiDevice::DefaultOutputLength};

void initHidapi()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (hid_init() != 0)
            qCWarning(lcHid) << "hidapi: hid_init failed";
    });
}

QString fromWide(const wchar_t *text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

bool udevdRuns()
{
    return ::access("/run/udev/control", F_OK) == 0;
}

bool fdStillReadable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

// A device node that is known not to be a hidraw one. hidapi 0.13 would open
// it and lose the handle's memory when it finds out.
bool isOtherDevice(const QByteArray &node)
{
    struct stat status;
    if (::stat(node.constData(), &status) != 0)
        return false; // hidapi's open fails and says why
    if (!S_ISCHR(status.st_mode))
        return true;
    const QString link = QStringLiteral("/sys/dev/char/%1:%2/subsystem")
                             .arg(major(status.st_rdev))
                             .arg(minor(status.st_rdev));
    const QFileInfo subsystem(link);
    if (!subsystem.isSymLink())
        return false; // no sysfs to ask: let hidapi decide
    return QFileInfo(subsystem.symLinkTarget()).fileName() != QLatin1String("hidraw");
}

// The same device at the same node. A node freed by an unplugged device is
// handed to the next one; a rescan that sees another device there (or the
// same module back with new firmware) reports the old one removed.
bool sameDevice(const HidDeviceInfo &a, const HidDeviceInfo &b)
{
    return a.path == b.path && a.vendorId == b.vendorId && a.productId == b.productId &&
           a.releaseNumber == b.releaseNumber && a.serialNumber == b.serialNumber;
}

bool listed(const QList<HidDeviceInfo> &list, const HidDeviceInfo &info)
{
    return std::any_of(list.cbegin(), list.cend(),
                       [&info](const HidDeviceInfo &entry) { return sameDevice(entry, info); });
}

} // namespace

HidapiTransport::HidapiTransport(quint16 vendorId, quint16 productId, QObject *parent)
    : HidTransport(parent), m_vendorId(vendorId), m_productId(productId),
      m_link(std::make_shared<RefreshLink>())
{
    initHidapi();

    m_rescanTimer.setInterval(RescanIntervalMs);
    connect(&m_rescanTimer, &QTimer::timeout, this, [this] { refresh(false); });
    m_lateRefreshTimer.setSingleShot(true);
    m_lateRefreshTimer.setInterval(LateRefreshMs);
    connect(&m_lateRefreshTimer, &QTimer::timeout, this, [this] { refresh(false); });
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setInterval(DeniedRetryMs);
    connect(&m_retryTimer, &QTimer::timeout, this, &HidapiTransport::retryAfterDenied);

    m_link->attach(this, [this] { refresh(false); });
}

HidapiTransport::~HidapiTransport()
{
    m_link->detach();
    tearDownMonitor();
}

void HidapiTransport::start()
{
    if (m_started)
        return;
    m_started = true;

    if (!setUpMonitor())
        m_watch = Watch::Rescan;
    m_rescanTimer.start();
    QTimer::singleShot(0, this, [this] { refresh(true); });
}

bool HidapiTransport::setUpMonitor()
{
    const bool fromUdevd = udevdRuns();
    m_udev = udev_new();
    if (m_udev)
        m_monitor = udev_monitor_new_from_netlink(m_udev, fromUdevd ? "udev" : "kernel");
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qCWarning(lcHid) << "hidapi: no udev monitor, relying on the periodic rescan";
        tearDownMonitor();
        return false;
    }
    const int fd = udev_monitor_get_fd(m_monitor);
    if (fd < 0) {
        tearDownMonitor();
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this,
            &HidapiTransport::onMonitorReadable);
    m_watch = fromUdevd ? Watch::UdevEvents : Watch::KernelEvents;
    return true;
}

void HidapiTransport::tearDownMonitor(bool deferred)
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        if (deferred)
            m_notifier.release()->deleteLater();
        else
            m_notifier.reset();
    }
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
}

void HidapiTransport::onMonitorReadable()
{
    if (!m_monitor)
        return;
    int received = 0;
    // Returns null once the socket is drained; messages of other subsystems
    // (the kernel source passes them all) are consumed and skipped inside.
    while (received < MaxEventsPerWakeup) {
        udev_device *device = udev_monitor_receive_device(m_monitor);
        if (!device)
            break;
        ++received;
        const char *action = udev_device_get_action(device);
        if (m_watch == Watch::KernelEvents && action && std::strcmp(action, "add") == 0)
            m_lateRefreshTimer.start();
        udev_device_unref(device);
    }

    if (received == 0 && fdStillReadable(udev_monitor_get_fd(m_monitor))) {
        if (++m_undrainedWakeups >= MaxUndrainedWakeups) {
            qCWarning(lcHid)
                << "hidapi: udev monitor keeps failing, relying on the periodic rescan";
            tearDownMonitor(true);
            m_watch = Watch::Rescan;
        }
        return;
    }
    m_undrainedWakeups = 0;
    if (received > 0)
        refresh(false);
}

QList<HidDeviceInfo> HidapiTransport::scan()
{
    QList<HidDeviceInfo> present;
    QHash<QString, hidraw::ReportLayout> layouts;
    hid_device_info *list = hid_enumerate(m_vendorId, m_productId);
    for (const hid_device_info *entry = list; entry; entry = entry->next) {
        if (!entry->path)
            continue;
        const QString path = QString::fromLocal8Bit(entry->path);
        // hidapi lists a node once per top-level collection; we claim nodes.
        if (layouts.contains(path))
            continue;

        HidDeviceInfo info;
        info.path = path;
        info.vendorId = entry->vendor_id;
        info.productId = entry->product_id;
        info.releaseNumber = entry->release_number;
        info.productString = fromWide(entry->product_string);
        info.serialNumber = fromWide(entry->serial_number);

        hidraw::ReportLayout layout = DefaultLayout;
        if (listed(m_devices, info) && m_layouts.contains(path)) {
            layout = m_layouts.value(path);
        } else if (const auto read = hidraw::readReportLayout(path)) {
            layout = *read;
        }
        info.inputReportLength = layout.inputLength;
        layouts.insert(path, layout);
        present.append(info);
    }
    hid_free_enumeration(list);
    m_layouts = layouts;
    return present;
}

bool HidapiTransport::refresh(bool initialScan)
{
    // Until the initial scan has run, it is the one to report what is there.
    if (!initialScan && !m_initialScanDone)
        return false;
    m_initialScanDone = true;

    const QList<HidDeviceInfo> present = scan();
    QList<HidDeviceInfo> removed;
    for (const HidDeviceInfo &old : std::as_const(m_devices)) {
        if (!listed(present, old))
            removed.append(old);
    }
    bool changed = !removed.isEmpty();
    for (const HidDeviceInfo &now : present) {
        if (!listed(m_devices, now))
            changed = true;
    }
    for (auto it = m_retried.begin(); it != m_retried.end();) {
        if (m_layouts.contains(*it))
            ++it;
        else
            it = m_retried.erase(it);
    }

    // The list is current before anyone hears of the change, so a handler
    // that looks (or refreshes again) sees the same picture.
    m_devices = present;
    for (const HidDeviceInfo &gone : std::as_const(removed))
        emit deviceRemoved(gone);
    if (changed || initialScan) {
        emit devicesChanged(initialScan);
        return true;
    }
    return false;
}

void HidapiTransport::retryAfterDenied()
{
    const QSet<QString> denied = std::exchange(m_denied, {});
    if (refresh(false))
        return; // whoever listens enumerates anyway
    for (const QString &path : denied) {
        if (m_layouts.contains(path)) {
            emit devicesChanged(false);
            return;
        }
    }
}

QList<HidDeviceInfo> HidapiTransport::devices() const
{
    return m_devices;
}

QString HidapiTransport::inaccessibleReason(const QString &path, int error)
{
    if (error == ENOENT)
        return tr("%1 is no longer present: the module was unplugged.").arg(path);
    if (error != EACCES && error != EPERM)
        return tr("Cannot open %1: %2.").arg(path, QString::fromLocal8Bit(std::strerror(error)));

    // Just announced by the kernel, the node may still be waiting for udev to
    // apply the rule: one more try a moment later.
    if (!m_retried.contains(path)) {
        m_retried.insert(path);
        m_denied.insert(path);
        m_retryTimer.start();
    }
    return tr("Permission denied on %1: install the udev rule 69-ykt4m-loader.rules "
              "(cmake --install puts it into lib/udev/rules.d), run \"udevadm control "
              "--reload\", then unplug the module and plug it in again.")
        .arg(path);
}

std::unique_ptr<HidDevice> HidapiTransport::open(const HidDeviceInfo &info)
{
    const QByteArray node = info.path.toLocal8Bit();
    // With the effective ids, as open() checks them.
    if (::faccessat(AT_FDCWD, node.constData(), R_OK | W_OK, AT_EACCESS) != 0) {
        setOpenError(inaccessibleReason(info.path, errno));
        return nullptr;
    }
    if (isOtherDevice(node)) {
        setOpenError(tr("Cannot open %1: it is not a HID device.").arg(info.path));
        return nullptr;
    }
    // Claimed first, so that a second program does not even open the node.
    DeviceLock lock;
    const DeviceLock::Outcome claim = lock.acquire(info.path);
    if (claim == DeviceLock::Outcome::Busy) {
        setOpenError(tr("The module at %1 is in use by another program (another YKT4M Loader "
                        "or ykt4m-cli): close it, and the module is taken over here.")
                         .arg(info.path));
        return nullptr;
    }
    if (claim == DeviceLock::Outcome::Unlocked)
        qCInfo(lcHid).noquote() << QStringLiteral("%1 is claimed without a lock: %2")
                                       .arg(info.path,
                                            QString::fromLocal8Bit(std::strerror(lock.error())));
    hid_device *handle = hid_open_path(node.constData());
    if (!handle) {
        QString hidapiError = fromWide(hid_error(nullptr));
        if (hidapiError.isEmpty() || hidapiError == QLatin1String("Success"))
            hidapiError = tr("unknown error");
        setOpenError(tr("Cannot open %1: %2").arg(info.path, hidapiError));
        return nullptr;
    }

    setOpenError(QString());
    hidraw::ReportLayout layout = DefaultLayout;
    if (m_layouts.contains(info.path)) {
        layout = m_layouts.value(info.path);
    } else if (const auto read = hidraw::readReportLayout(info.path)) {
        layout = *read;
    }
    return std::make_unique<HidapiDevice>(std::make_unique<HidapiHandle>(handle, std::move(lock)),
                                          info, layout.numbered, layout.outputLength, m_link);
}

} // namespace ykt
