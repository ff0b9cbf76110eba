// Writes the seed inputs of fuzz_report and fuzz_driver from real traffic:
// the driver reads every setting of the virtual module (YKT4M, firmware 4005,
// modem traffic on) and every input report it gets is kept in order.
//
//   recordseeds OUTDIR     writes OUTDIR/<target>/* for fuzz_report,
//                          fuzz_driver, fuzz_eventlog and fuzz_container
//
// fuzz_driver's input is an options byte, then per report a control byte (its
// length) and the report; fuzz_eventlog's is per text of modem traffic a
// control byte (direction, register line, length) and the text. The event
// log the window would write of the traffic goes to fuzz_container.

#include "app/eventlog.h"
#include "device/eventsink.h"
#include "device/hidtransport.h"
#include "device/tykt2.h"
#include "sim/options.h"
#include "sim/simtransport.h"
#include "templates/encipheredtext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QSet>
#include <QThread>

#include <memory>

namespace {

using namespace ykt;

struct Recording
{
    QMutex mutex;
    QList<QByteArray> reports;
};

class RecordingDevice : public HidDevice
{
public:
    RecordingDevice(std::unique_ptr<HidDevice> inner, Recording *recording)
        : m_inner(std::move(inner)), m_recording(recording)
    {}
    const HidDeviceInfo &info() const override { return m_inner->info(); }
    void setDataHandler(DataHandler handler) override
    {
        m_inner->setDataHandler([this, handler](quint8 id, const QByteArray &data) {
            {
                QMutexLocker lock(&m_recording->mutex);
                m_recording->reports.append(data);
            }
            handler(id, data);
        });
    }
    bool write(quint8 id, const QByteArray &data) override { return m_inner->write(id, data); }

private:
    std::unique_ptr<HidDevice> m_inner;
    Recording *m_recording;
};

class RecordingTransport : public HidTransport
{
public:
    RecordingTransport(std::unique_ptr<sim::SimTransport> inner, Recording *recording)
        : m_inner(std::move(inner)), m_recording(recording)
    {
        connect(m_inner.get(), &HidTransport::devicesChanged, this, &HidTransport::devicesChanged);
        connect(m_inner.get(), &HidTransport::deviceRemoved, this, &HidTransport::deviceRemoved);
    }
    void start() override { m_inner->start(); }
    QList<HidDeviceInfo> devices() const override { return m_inner->devices(); }
    std::unique_ptr<HidDevice> open(const HidDeviceInfo &info) override
    {
        std::unique_ptr<HidDevice> device = m_inner->open(info);
        if (!device)
            return nullptr;
        return std::make_unique<RecordingDevice>(std::move(device), m_recording);
    }

private:
    std::unique_ptr<sim::SimTransport> m_inner;
    Recording *m_recording;
};

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// fuzz_driver's input: the options byte, then the reports.
QByteArray driverInput(quint8 options, const QList<QByteArray> &reports)
{
    QByteArray input(1, char(options));
    for (const QByteArray &report : reports) {
        input.append(char(report.size() & 0x3F));
        input.append(report.left(0x3F));
    }
    return input;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));

    sim::Options options = *sim::parseOptions(QStringLiteral("ykt4m-4005,traffic=20,state=20"));
    Recording recording;
    TYKT2 driver(std::make_unique<RecordingTransport>(std::make_unique<sim::SimTransport>(options),
                                                      &recording));
    // Every answer is taken, as the window's handlers take them.
    EventSink sink(&driver);
    // The event log, as the window keeps it.
    ModemRegisters registers;
    QList<QByteArray> logLines;
    QByteArray trafficInput;
    QObject::connect(
        &driver, &TYKT2::OnState, &driver,
        [&registers](quint8 flags, quint8 cr, quint8 sr, quint16 tcpsr, quint8, quint8) {
            registers = {flags, cr, sr, tcpsr};
        });
    QObject::connect(&driver, &TYKT2::OnUsart, &driver, [&](const QByteArray &text, bool outGoing) {
        logLines.append(usartLogLine(text, outGoing, true, registers));
        const int control = (outGoing ? 0x80 : 0) | 0x40 | text.size();
        if (trafficInput.size() < 600)
            trafficInput.append(char(control)).append(text);
    });
    if (!waitFor([&] { return driver.Connected(); }, 5000))
        return 3;
    waitFor([] { return false; }, 300);
    driver.StartReadAll();
    if (!waitFor([&] { return !driver.Reading() || driver.ReadAborted(); }, 60000) ||
        driver.ReadAborted())
        return 4;
    waitFor([] { return false; }, 100);
    driver.SetClosing();

    QList<QByteArray> reports;
    {
        QMutexLocker lock(&recording.mutex);
        reports = recording.reports;
    }

    // fuzz_report: a state report, with a line of modem traffic and without,
    // and the first answer of a few types (byte 1 of an answer is its type):
    // texts, numbers, an item name, CID bytes, the zone voice block, the alarm
    // settings and the voice language name.
    out.mkpath(QStringLiteral("fuzz_report"));
    const QSet<int> wanted = {0x80, 0x84, 0x87, 0x8A, 0x8E, 0x8F, 0x93, 0x97, 0x9D, 0x9F, 0xA0};
    QSet<int> kinds;
    for (const QByteArray &report : reports) {
        const bool state = quint8(report.at(0)) & 0x20;
        const int kind =
            state ? (report.size() > 9 && report.at(9) ? -2 : -1) : quint8(report.at(1));
        if (kinds.contains(kind) || (kind >= 0 && !wanted.contains(kind)))
            continue;
        kinds.insert(kind);
        const QString name = kind == -1   ? QStringLiteral("state")
                             : kind == -2 ? QStringLiteral("state-traffic")
                                          : QStringLiteral("answer-%1").arg(kind, 2, 16);
        if (!writeFile(out.filePath(QStringLiteral("fuzz_report/") + name), report))
            return 1;
    }

    // fuzz_driver: the start of the read (firmware 4005, read started at
    // once), its end, and a stretch of modem traffic for another product.
    out.mkpath(QStringLiteral("fuzz_driver"));
    QList<QByteArray> answers;
    QList<QByteArray> states;
    for (const QByteArray &report : reports)
        (quint8(report.at(0)) & 0x20 ? states : answers).append(report);
    const bool ok = writeFile(out.filePath(QStringLiteral("fuzz_driver/read-start")),
                              driverInput(0x70, reports.mid(0, 40))) &&
                    writeFile(out.filePath(QStringLiteral("fuzz_driver/read-end")),
                              driverInput(0x70, answers.mid(answers.size() - 30))) &&
                    writeFile(out.filePath(QStringLiteral("fuzz_driver/traffic")),
                              driverInput(0x45, states.mid(0, 12)));
    if (!ok)
        return 1;

    out.mkpath(QStringLiteral("fuzz_eventlog"));
    out.mkpath(QStringLiteral("fuzz_container"));
    const QByteArray plainLog = joinLines(logLines.mid(0, 20));
    return writeFile(out.filePath(QStringLiteral("fuzz_eventlog/traffic")), trafficInput) &&
                   writeFile(out.filePath(QStringLiteral("fuzz_eventlog/plain-log")), plainLog) &&
                   writeFile(out.filePath(QStringLiteral("fuzz_container/log.ykl")),
                             encipherText(plainLog, kEventLogPassphrase))
               ? 0
               : 1;
}
