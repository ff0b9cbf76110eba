// libFuzzer target: a sequence of input reports fed through the module driver
// on a fake HID transport, with the settings receiver and the event log bound
// as the main window binds them, while the read of all settings, commands of
// the window and the module being pulled out and plugged in again happen in
// between.
//
// Input: one byte of options, then chunks. Options: bits 0..3 the conversion
// type of the module character set (12..15 have no table), bit 4 a read of all
// settings starts before the first report, bits 5..6 the module's product name
// (and so its firmware). A chunk is one control byte, bits 0..5 the length of
// the report that follows (0..63 bytes, fewer when the input ends), bits 6..7
// what happens before the report is delivered: 0 nothing, 1 the window sends
// a command, 2 the module is pulled out and plugged in again, 3 a read of all
// settings starts.
//
// Afterwards the settings model must hold nothing longer than its fields, and
// a template saved from it must load without errors.

#include "app/eventlog.h"
#include "device/hidtransport.h"
#include "device/tykt2.h"
#include "fuzz/fuzzsupport.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"
#include "templates/templatecodec.h"
#include "texts/helptext.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

using ykt::fuzz::check;

namespace {

using namespace ykt;

class FakeTransport;

// The claimed module: every write goes nowhere; reports come from the input.
class FakeDevice : public HidDevice
{
public:
    FakeDevice(FakeTransport *owner, HidDeviceInfo info);
    ~FakeDevice() override;
    const HidDeviceInfo &info() const override { return m_info; }
    void setDataHandler(DataHandler handler) override { m_handler = std::move(handler); }
    bool write(quint8, const QByteArray &data) override
    {
        check(data.size() == 63);
        return true;
    }
    void deliver(const QByteArray &report)
    {
        if (m_handler)
            m_handler(0, report);
    }

private:
    FakeTransport *m_owner;
    HidDeviceInfo m_info;
    DataHandler m_handler;
};

class FakeTransport : public HidTransport
{
public:
    explicit FakeTransport(const QString &productName)
    {
        m_info.path = QStringLiteral("fuzz:module");
        m_info.vendorId = TYKT2::VendorId;
        m_info.productId = TYKT2::ProductId;
        m_info.releaseNumber = 0x4005;
        m_info.productString = productName;
        m_info.serialNumber = QStringLiteral("4M00000001");
    }

    void start() override
    {
        QMetaObject::invokeMethod(
            this, [this] { emit devicesChanged(true); }, Qt::QueuedConnection);
    }
    QList<HidDeviceInfo> devices() const override
    {
        return m_present ? QList<HidDeviceInfo>{m_info} : QList<HidDeviceInfo>{};
    }
    std::unique_ptr<HidDevice> open(const HidDeviceInfo &info) override
    {
        if (!m_present || !(info == m_info))
            return nullptr;
        return std::make_unique<FakeDevice>(this, m_info);
    }

    void replug()
    {
        m_present = false;
        emit deviceRemoved(m_info);
        emit devicesChanged(false);
        m_present = true;
        emit devicesChanged(false);
    }

    FakeDevice *device = nullptr; // the open one, if any

private:
    HidDeviceInfo m_info;
    bool m_present = true;
};

FakeDevice::FakeDevice(FakeTransport *owner, HidDeviceInfo info)
    : m_owner(owner), m_info(std::move(info))
{
    m_owner->device = this;
}

FakeDevice::~FakeDevice()
{
    if (m_owner->device == this)
        m_owner->device = nullptr;
}

const char *const ProductNames[] = {"YKT2 v.1022b", "YKT3 v.2030b", "YKT4M v.4003b",
                                    "YKT4M v.4005b"};

int firmwareOf(int choice)
{
    static const int versions[] = {1022, 2030, 4003, 4005};
    return versions[choice];
}

// What the receiver promises: nothing the module sends makes a text longer
// than the field it goes into.
void checkModel(const SettingsModel &m)
{
    for (const PhoneRecord &p : m.phones)
        check(p.number.size() <= PhoneRecord::MaxNumberLength);
    for (const InputRecord &input : m.inputs)
        check(input.cid.size() <= 5 && input.smsText.size() <= 50);
    check(m.gprs.connectionString.size() <= 50 && m.gprs.connectionString2.size() <= 50 &&
          m.gprs.apn.size() <= 50 && m.gprs.apnUserName.size() <= 32 &&
          m.gprs.apnPassword.size() <= 32);
    for (const QByteArray &account : m.gprs.reserveAccounts)
        check(account.size() <= 4);
    for (const QByteArray &key : m.gprs.aesKeys)
        check(key.size() <= 16);
    check(m.users.smsBackupNumber.size() <= 15);
    check(m.security.usbPassword.size() <= 16 && m.security.ownerName.size() <= 16 &&
          m.security.simPin.size() <= 8 && m.security.alarmSettings.size() <= 16);
    for (const auto &group : m.texts.itemNames)
        for (const QByteArray &name : group)
            check(name.size() <= 16);
    for (const QByteArray &phrase : m.texts.smsPhrases)
        check(phrase.size() <= 16);
    for (const QByteArray &text : m.texts.additionalTexts)
        check(text.size() <= 50);
    check(m.texts.helpText.size() <= HelpTextMaxLength);
    for (const QByteArray &record : m.zoneVoice.records)
        check(record.isEmpty() || record.size() == 9);
    for (const char c : m.zoneVoice.languageName)
        check(uchar(c) >= 0x20 && uchar(c) != 0xFF);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz_driver";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input = fuzz::bytesOf(data, size);
    const quint8 options = quint8(input.at(0));
    const int conversionType = options & 0x0F;
    const int productChoice = (options >> 5) & 3;

    auto owned = std::make_unique<FakeTransport>(QString::fromLatin1(ProductNames[productChoice]));
    FakeTransport *transport = owned.get();
    auto driver = std::make_unique<TYKT2>(std::move(owned));
    DriverTimings timings;
    // No real time passes: the gaps are zero and the watchdogs never strike
    // within one input.
    timings.pacingMs = 0;
    timings.watchdogMs = 600000;
    timings.startGraceMs = 600000;
    driver->setTimings(timings);

    SettingsModel model;
    SettingsAnnouncer announcer;
    SettingsReceiver receiver(driver.get(), &model, &announcer,
                              [conversionType] { return conversionType; });
    // The window's other handlers: the status bar's modem data and the event log.
    QObject::connect(driver.get(), &TYKT2::OnModemData, driver.get(), [] {});
    ModemRegisters registers;
    QList<QByteArray> log;
    QObject::connect(
        driver.get(), &TYKT2::OnState, driver.get(),
        [&registers](quint8 flags, quint8 cr, quint8 sr, quint16 tcpsr, quint8, quint8) {
            registers = {flags, cr, sr, tcpsr};
        });
    QObject::connect(driver.get(), &TYKT2::OnUsart, driver.get(),
                     [&](const QByteArray &text, bool outGoing) {
                         check(text.size() <= 53);
                         const QByteArray line = usartLogLine(text, outGoing, true, registers);
                         check(!line.contains('\0'));
                         log.append(line);
                     });

    QEventLoop loop;
    QTimer feeder;
    feeder.setInterval(0);
    qsizetype pos = 1;
    int idleTicks = 0;
    bool readPending = options & 0x10;
    // What the window does happens in a call of its own, as a click does: a
    // send waits in a nested event loop for the module to clear Busy, and
    // the reports that clear it keep arriving meanwhile, as the reader
    // thread delivers them.
    const auto later = [&driver](auto action) {
        QTimer::singleShot(0, driver.get(), [&driver, action] { action(*driver); });
    };
    QObject::connect(&feeder, &QTimer::timeout, &loop, [&] {
        // Nothing happens before the module is claimed (the initial scan).
        if (!driver->Connected() && pos == 1 && ++idleTicks < 100)
            return;
        if (readPending) {
            readPending = false;
            later([](TYKT2 &d) { d.StartReadAll(); });
            return;
        }
        if (pos >= input.size()) {
            feeder.stop();
            // Every wait of the driver ends now; the loop ends once they have.
            driver->SetClosing();
            loop.quit();
            return;
        }
        const quint8 control = quint8(input.at(pos++));
        const QByteArray report = input.mid(pos, control & 0x3F);
        pos += report.size();
        switch (control >> 6) {
        case 1:
            later([name = report.left(16)](TYKT2 &d) { d.SetOwnerName(name); });
            break;
        case 2:
            transport->replug();
            break;
        case 3:
            later([](TYKT2 &d) { d.StartReadAll(); });
            break;
        }
        if (transport->device)
            transport->device->deliver(report);
    });
    feeder.start();
    loop.exec();
    // Answers still queued are raised; nothing more is written.
    QCoreApplication::processEvents();
    check(!driver->Waiting());
    driver.reset();

    checkModel(model);
    TemplateContext context;
    context.firmwareVersion = firmwareOf(productChoice);
    const QList<QByteArray> lines = encodeTemplate(model, context);
    check(decodeTemplate(lines, SettingsModel(), context.firmwareVersion).ok());
    return 0;
}
