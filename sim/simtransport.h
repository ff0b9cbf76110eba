#pragma once

// The virtual module as a HID transport: one module that can be plugged in
// and pulled out, seen by the driver exactly as a real device is. Once the
// driver opens it and sets its data handler, a thread of its own plays the
// module's interrupt endpoint: at every USB interval it sends at most one
// report (an answer that is due, or a state report when one is due), and it
// takes the packets the host writes as they arrive.
//
// Tests use the extra operations to plug and unplug, add devices of other
// makers, change the faults and look at what the module received and holds.

#include "device/hidtransport.h"
#include "sim/virtualmodule.h"

#include <QByteArray>
#include <QList>

#include <memory>
#include <optional>

namespace ykt::sim {

struct SimShared;

class SimTransport : public HidTransport
{
    Q_OBJECT
public:
    static constexpr quint16 VendorId = 0x6B72;
    static constexpr quint16 ProductId = 0x4756;

    explicit SimTransport(const Options &options = Options(), QObject *parent = nullptr);
    ~SimTransport() override;

    void start() override;
    QList<HidDeviceInfo> devices() const override;
    std::unique_ptr<HidDevice> open(const HidDeviceInfo &info) override;

    // The module's own entry in devices().
    HidDeviceInfo moduleInfo() const;
    bool isPluggedIn() const;
    // Plugging in powers the module up; its settings survive being pulled out.
    void plug();
    void unplug();
    // A device of another maker (or another product) next to the module.
    void addForeignDevice(quint16 vendorId, quint16 productId, const QString &productString);
    // The next opens of the module fail with this reason (empty: they work).
    void setOpenFailure(const QString &reason);

    void setFaults(const Faults &faults);
    // Every packet the module received since the start (or the last clear).
    QList<QByteArray> receivedPackets() const;
    void clearReceivedPackets();
    // A stored record of the module (see ItemStore), or its padded text field.
    std::optional<QByteArray> record(int item, int index = 0, int sub = 0) const;
    QByteArray storedText(int item, int index = 0, int sub = 0) const;
    void setRecord(int item, int index, int sub, const QByteArray &contents);
    bool passwordRequired() const;
    bool settingsLocked() const;
    int clockHour() const;

private:
    void rescanLater();
    void scheduleReplug();

    std::shared_ptr<SimShared> m_shared;
    QList<HidDeviceInfo> m_foreign;
    QList<HidDeviceInfo> m_reported; // the list as last announced
    bool m_started = false;
    QString m_openFailure;
};

} // namespace ykt::sim
