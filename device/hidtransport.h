#pragma once

// The HID layer underneath the module driver: a controller that knows which HID
// devices are present, notices arrivals and removals, and opens a device so that
// its input reports are read on a thread of its own.
//
// Two backends implement it: the Linux one on hidapi (hidraw) with a libudev
// monitor, and the virtual module of sim/.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace ykt {

// What the controller can tell about a present device without opening it.
struct HidDeviceInfo
{
    QString path; // the backend's identity of the device (hidraw node, virtual id)
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 releaseNumber = 0; // bcdDevice
    QString productString;
    QString serialNumber;       // empty when the device has none
    int inputReportLength = 63; // data bytes of one input report, report id not counted

    bool operator==(const HidDeviceInfo &other) const { return path == other.path; }
};

// An opened (claimed) device. Destroying it stops its reader thread and closes it.
class HidDevice
{
public:
    // Called on the reader thread once per input report: the report id and the
    // bytes that follow it.
    using DataHandler = std::function<void(quint8 reportId, const QByteArray &data)>;

    virtual ~HidDevice() = default;

    virtual const HidDeviceInfo &info() const = 0;

    // Starts the reader thread; from then on every input report reaches the
    // handler. An empty handler stops the reader (and waits for it to finish).
    virtual void setDataHandler(DataHandler handler) = 0;

    // Writes one output report: the report id, then the data bytes. Returns
    // once the report is written (or the write failed; the driver does not
    // examine the result beyond tracing it). Callable from any one thread.
    virtual bool write(quint8 reportId, const QByteArray &data) = 0;
};

// The controller. Lives on the user-interface thread; its signals arrive there.
class HidTransport : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~HidTransport() override = default;

    // Starts watching for device changes. The initial scan is delivered as
    // devicesChanged(true) once the event loop runs.
    virtual void start() = 0;

    // The present devices, in list order.
    virtual QList<HidDeviceInfo> devices() const = 0;

    // Opens (claims) a present device. Returns null when it cannot be opened;
    // openError() then says why, so the window can tell the user.
    virtual std::unique_ptr<HidDevice> open(const HidDeviceInfo &info) = 0;

    // Why the last open() failed, empty after a successful one.
    QString openError() const { return m_openError; }

signals:
    // The list of present devices changed, or the initial scan is done.
    void devicesChanged(bool initialScan);
    // A device of the previous list is no longer present. Raised before
    // devicesChanged for the same refresh.
    void deviceRemoved(const ykt::HidDeviceInfo &info);

protected:
    void setOpenError(const QString &reason) { m_openError = reason; }

private:
    QString m_openError;
};

} // namespace ykt
