#pragma once

// The Linux HID controller: hidapi (hidraw backend) for enumeration and I/O,
// a libudev monitor on the "hidraw" subsystem for arrival and removal, and a
// one-second rescan for machines where no udev events arrive.

#include "device/hidtransport.h"
#include "device/linux/reportdescriptor.h"

#include <QHash>
#include <QSet>
#include <QTimer>

#include <memory>

struct udev;
struct udev_monitor;
class QSocketNotifier;

namespace ykt {

class RefreshLink;

class HidapiTransport : public HidTransport
{
    Q_OBJECT
public:
    // How arrivals and removals are noticed.
    enum class Watch
    {
        Rescan,       // the periodic rescan alone (no libudev monitor)
        UdevEvents,   // udevd's events: sent once its rules (permissions) are applied
        KernelEvents, // the kernel's own uevents: no udevd runs here
    };

    // Watches the HID devices with this vendor and product id; 0 matches any.
    HidapiTransport(quint16 vendorId, quint16 productId, QObject *parent = nullptr);
    ~HidapiTransport() override;

    // Sets up the monitor and the rescan and schedules the initial scan. A
    // second call does nothing.
    void start() override;

    // One entry per hidraw node, in enumeration order.
    QList<HidDeviceInfo> devices() const override;

    // Opens the device's hidraw node; on failure openError() says why, and
    // when it was for lack of permission devicesChanged(false) is raised once
    // more a moment later: a node that has just appeared may get its
    // permissions only after it is first seen. The node is claimed with an
    // exclusive advisory lock (DeviceLock) for the life of the device; a node
    // whose lock another program holds is not opened ("in use by another
    // program"), and where no lock can be taken the open goes on without.
    std::unique_ptr<HidDevice> open(const HidDeviceInfo &info) override;

    // Valid after start().
    Watch watch() const { return m_watch; }

private:
    bool setUpMonitor();
    // deferred: from inside the notifier's own signal, which must not delete it.
    void tearDownMonitor(bool deferred = false);
    void onMonitorReadable();
    QList<HidDeviceInfo> scan();
    // Returns whether devicesChanged was raised.
    bool refresh(bool initialScan);
    void retryAfterDenied();
    // Why a node that open() may not use cannot be opened (errno error);
    // schedules the retry of a node denied for the first time.
    QString inaccessibleReason(const QString &path, int error);

    const quint16 m_vendorId;
    const quint16 m_productId;

    bool m_started = false;
    bool m_initialScanDone = false;
    Watch m_watch = Watch::Rescan;
    QList<HidDeviceInfo> m_devices;
    // Per present path: its report layout (from its report descriptor, read
    // once when the device first appears there).
    QHash<QString, hidraw::ReportLayout> m_layouts;

    QTimer m_rescanTimer;
    QTimer m_lateRefreshTimer; // after a kernel "add": once udev has set permissions
    QTimer m_retryTimer;       // after an open denied for permission
    QSet<QString> m_denied;    // the nodes awaiting their retry
    QSet<QString> m_retried;   // present nodes that had their retry already

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_undrainedWakeups = 0;

    const std::shared_ptr<RefreshLink> m_link;
};

} // namespace ykt
