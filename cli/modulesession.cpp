#include "cli/modulesession.h"

#include "device/eventsink.h"
#include "device/messages.h"
#include "device/protocoltrace.h"
#include "device/tykt2.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"
#include "util/conversions.h"
#include "util/pause.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace ykt {

void outLine(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void errLine(const QString &line)
{
    const QByteArray text = line.toLocal8Bit();
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fputc('\n', stderr);
}

namespace {

// Each packet waits at most this long for the module to finish the one before.
constexpr int BusyTimeoutMs = 6000;
// The read's last packet waits for Busy like any other.
constexpr int LastPacketMs = BusyTimeoutMs + 1000;

} // namespace

ModuleSession::ModuleSession(const SessionOptions &options) : m_options(options) {}

ModuleSession::~ModuleSession()
{
    if (m_driver)
        m_driver->SetClosing();
}

bool ModuleSession::waitFor(const std::function<bool()> &done, int timeoutMs) const
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setInterval(10);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    check.start();
    if (timeoutMs >= 0)
        limit.start(timeoutMs);
    loop.exec();
    return done();
}

int ModuleSession::attach()
{
    QString error;
    std::unique_ptr<HidTransport> transport = createTransport(m_options.transport, &error);
    if (!transport) {
        errLine(error);
        return NoModule;
    }
    m_driver = std::make_unique<TYKT2>(std::move(transport));
    TYKT2 &driver = *m_driver;
    if (!m_options.transport.tracePath.isEmpty()) {
        auto trace = std::make_shared<ProtocolTrace>();
        if (!trace->open(m_options.transport.tracePath, &error)) {
            errLine(error);
            return NoModule;
        }
        driver.setTrace(trace);
    }
    new EventSink(&driver);
    QObject::connect(&driver, &TYKT2::AccessProblemChanged, &driver, [](const QString &reason) {
        if (!reason.isEmpty())
            errLine(QStringLiteral("A YKT module is present but cannot be opened: %1").arg(reason));
    });
    QObject::connect(&driver, &TYKT2::OnConnect, &driver, [this] { m_connected = true; });
    QObject::connect(&driver, &TYKT2::OnDisconnect, &driver, [this] {
        if (m_connected && !m_removed)
            errLine(QStringLiteral("The module was removed."));
        m_removed = true;
    });

    if (!waitFor([this] { return m_connected; }, m_options.waitSeconds * 1000)) {
        errLine(driver.AccessProblem().isEmpty()
                    ? QStringLiteral("No YKT module found. Please connect YKT module...")
                    : QStringLiteral("The YKT module cannot be opened: %1")
                          .arg(driver.AccessProblem()));
        return NoModule;
    }
    outLine("Module: " + printableText(driver.ProductName()) +
            "  SN: " + printableText(driver.SerialNumber()) + "  version " +
            driver.DeviceVersion() + "  firmware " + QByteArray::number(driver.FirmwareVersion()));
    driver.SetClockHour(quint8(QDateTime::currentDateTime().time().hour()));
    // As the window does: a moment for the module's first reports, then the
    // password if it asks for one.
    Pause(100);
    if (m_removed)
        return Failed;
    if (driver.PasswordRequired()) {
        if (m_options.password.isEmpty()) {
            errLine(QStringLiteral("The module asks for its USB password: give it with "
                                   "--password."));
            return PasswordProblem;
        }
        driver.SubmitPassword(m_options.password);
        Pause(100);
        if (driver.PasswordRequired()) {
            errLine(QStringLiteral("The module did not accept the password."));
            return PasswordProblem;
        }
    }
    return Done;
}

bool ModuleSession::readAll(SettingsModel *model, int conversionType,
                            const std::function<void(const QByteArray &)> &answer)
{
    TYKT2 &driver = *m_driver;
    *model = SettingsModel();
    SettingsAnnouncer announcer;
    SettingsReceiver receiver(&driver, model, &announcer,
                              [conversionType] { return conversionType; });
    QMetaObject::Connection printing;
    if (answer)
        printing = QObject::connect(&driver, &TYKT2::AnswerRaised, &driver,
                                    [&answer](const Message &m) { answer(describeMessage(m)); });
    const int requestsBefore = driver.requestsWritten();
    QElapsedTimer elapsed;
    elapsed.start();
    driver.StartReadAll();
    waitFor([&] { return !driver.Reading() || driver.ReadAborted() || m_removed; }, -1);
    const bool aborted = driver.Reading();
    // The read's EndExchange goes out before anything else happens.
    if (!aborted)
        waitFor([&] { return driver.Idle() || m_removed; }, LastPacketMs);
    QObject::disconnect(printing);
    m_requests = driver.requestsWritten() - requestsBefore;
    m_readMs = elapsed.elapsed();
    if (m_removed)
        return false;
    if (aborted) {
        const DriverTimings t = driver.timings();
        const int first = t.watchdogMs + 4 * t.startGraceMs;
        outLine("Read failed: the module did not answer within " +
                QByteArray::number(t.watchdogMs / 1000.0) + " s (" +
                QByteArray::number(first / 1000.0) + " s for the first answer), after " +
                QByteArray::number(m_requests) + " requests");
        return false;
    }
    return true;
}

bool ModuleSession::writePlan(const QList<SendStep> &plan)
{
    TYKT2 &driver = *m_driver;
    for (int k = 0; k < plan.size(); ++k) {
        const SendStep &step = plan.at(k);
        if (m_removed || !driver.WritePacket(step.packet, BusyTimeoutMs)) {
            outLine(
                "Write failed at packet " + QByteArray::number(k + 1) + " of " +
                QByteArray::number(plan.size()) + " (" + step.name.toUtf8() + "): " +
                QByteArray(driver.Connected() ? "the module stayed busy" : "the module is gone"));
            return false;
        }
        if (step.pauseAfterMs > 0)
            Pause(step.pauseAfterMs);
    }
    return true;
}

SendContext ModuleSession::sendContext(int conversionType, bool templateLoaded) const
{
    SendContext context;
    context.firmwareVersion = m_driver->FirmwareVersion();
    context.settingsLocked = m_driver->SettingsLocked();
    context.templateLoaded = templateLoaded;
    context.conversionType = conversionType;
    return context;
}

void ModuleSession::close()
{
    if (!m_driver)
        return;
    waitFor([this] { return m_driver->Idle() || m_removed; }, LastPacketMs);
    m_driver->SetClosing();
}

} // namespace ykt
