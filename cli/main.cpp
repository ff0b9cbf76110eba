// ykt4m-cli: the loader's command-line companion, for support staff, scripts
// and machines without a screen.
//
//   ykt4m-cli read [--simulate[=PROFILE]] [--trace FILE] [--password TEXT]
//
// finds the module (or attaches the virtual one), prints its identity, reads
// every setting with the module's read-all sequence, one line per answer, and
// ends with the outcome. The exit code is 0 only for a completed read.
//
//   ykt4m-cli default [--partial] [--simulate[=PROFILE]] [--trace FILE] [--password TEXT]
//
// sets the module to its factory settings: reads it, writes every packet of
// the factory default and, for the complete form, reads everything back and
// checks it. The exit code is 0 only when every packet went out and the
// read-back completed and showed the factory values.
//
//   ykt4m-cli log show FILE.ykl | template show FILE.tpl | template pack TEXT OUT.tpl
//
// deciphers a saved event log or template, or enciphers a text file of lines.
//
//   ykt4m-cli lang check [FILE]
//
// reads a language file (comps.txt beside the program unless FILE is given),
// lists its languages and compares their structures as "Comps OK?" does.

#include "app/transportoption.h"
#include "cli/containercommands.h"
#include "cli/defaulttexts.h"
#include "cli/languagecommands.h"
#include "device/eventsink.h"
#include "device/protocoltrace.h"
#include "device/tykt2.h"
#include "settings/factorydefault.h"
#include "settings/readbackcheck.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"
#include "util/pause.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

using namespace ykt;

void out(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void err(const QString &line)
{
    const QByteArray text = line.toLocal8Bit();
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fputc('\n', stderr);
}

// The help: on stdout when asked for, on stderr after a usage error.
int usage(int code)
{
    const QString text =
        QStringLiteral("usage: ykt4m-cli COMMAND ...\n"
                       "commands:\n"
                       "  read [options]              find the module, print its identity and "
                       "read every setting\n"
                       "  default [--partial] [options]  set the module to its factory "
                       "settings;\n"
                       "                              the complete form reads them back and "
                       "checks them\n"
                       "%1%2"
                       "options of read and default:\n"
                       "%3"
                       "  --password TEXT   the module's USB password, if it asks for one\n"
                       "  --wait SECONDS    how long to look for a module (default 10)\n"
                       "  -h, --help   show this help\n")
            .arg(containerCommandsHelp(), languageCommandsHelp(), transportOptionsHelp());
    QTextStream(code == 0 ? stdout : stderr) << text;
    return code;
}

struct ReadOptions
{
    TransportChoice transport;
    QByteArray password;
    int waitSeconds = 10;
    bool factoryDefault = false; // the default command
    bool partial = false;        // its partial form: no texts, no read-back
};

// Each packet of the plan waits at most this long for the module to finish
// the one before.
constexpr int BusyTimeoutMs = 6000;

int runRead(const ReadOptions &options)
{
    QString error;
    std::unique_ptr<HidTransport> transport = createTransport(options.transport, &error);
    if (!transport) {
        err(error);
        return 2;
    }
    TYKT2 driver(std::move(transport));
    if (!options.transport.tracePath.isEmpty()) {
        auto trace = std::make_shared<ProtocolTrace>();
        if (!trace->open(options.transport.tracePath, &error)) {
            err(error);
            return 2;
        }
        driver.setTrace(trace);
    }
    new EventSink(&driver);

    // The default command reads the module first (a locked module keeps its
    // GPRS area, and the alarm block is written back only when one was
    // read), writes the factory default, and reads again to check it.
    DefaultTexts texts;
    if (options.factoryDefault) {
        texts = loadDefaultTexts(QCoreApplication::applicationDirPath());
        if (texts.builtIn)
            err(QStringLiteral("No language file (%1): using the built-in English texts.")
                    .arg(texts.note));
    }
    SettingsModel model;
    SettingsAnnouncer announcer;
    std::unique_ptr<SettingsReceiver> receiver;
    if (options.factoryDefault)
        receiver = std::make_unique<SettingsReceiver>(&driver, &model, &announcer,
                                                      [&texts] { return texts.conversionType; });
    QList<SendStep> plan;
    FactoryContext factory;
    bool written = false;

    int exitCode = 1;
    QElapsedTimer elapsed;
    QTimer poll;
    poll.setInterval(20);
    bool passwordSent = false;

    const auto finish = [&](int code) {
        exitCode = code;
        poll.stop();
        QCoreApplication::exit(code);
    };

    if (!options.factoryDefault)
        QObject::connect(&driver, &TYKT2::AnswerRaised, &driver,
                         [](const Message &m) { out(describeMessage(m)); });
    // Writes the plan; false when a packet did not go out.
    const auto writePlan = [&]() {
        factory.firmwareVersion = driver.FirmwareVersion();
        factory.settingsLocked = driver.SettingsLocked();
        factory.complete = !options.partial;
        factory.message = texts.message;
        factory.conversionType = texts.conversionType;
        plan = buildFactoryDefaultPlan(model, factory);
        out("Writing the factory default (" + QByteArray(options.partial ? "partial" : "complete") +
            "): " + QByteArray::number(plan.size()) + " packets" +
            QByteArray(factory.settingsLocked ? ", GPRS settings locked" : ""));
        QElapsedTimer writing;
        writing.start();
        for (int k = 0; k < plan.size(); ++k) {
            const SendStep &step = plan.at(k);
            if (!driver.WritePacket(step.packet, BusyTimeoutMs)) {
                out("Write failed at packet " + QByteArray::number(k + 1) + " of " +
                    QByteArray::number(plan.size()) + " (" + step.name.toUtf8() + "): " +
                    QByteArray(driver.Connected() ? "the module stayed busy"
                                                  : "the module is gone"));
                return false;
            }
            if (step.pauseAfterMs > 0)
                Pause(step.pauseAfterMs);
        }
        out("Written: " + QByteArray::number(plan.size()) + " packets in " +
            QByteArray::number(writing.elapsed()) + " ms");
        return true;
    };
    // The read that ended: the one before the writes, or the read-back.
    const auto readEnded = [&]() {
        if (!options.factoryDefault) {
            out("Read completed: " + QByteArray::number(driver.requestsWritten()) +
                " requests in " + QByteArray::number(elapsed.elapsed()) + " ms");
            finish(0);
            return;
        }
        if (!written) {
            written = true;
            poll.stop();
            if (!writePlan()) {
                finish(1);
                return;
            }
            if (options.partial) {
                finish(0);
                return;
            }
            model = SettingsModel();
            elapsed.start();
            driver.StartReadAll();
            poll.start();
            return;
        }
        const QList<ReadBackDifference> differences =
            compareReadBack(plan, model, factory.sendContext());
        if (differences.isEmpty()) {
            out("Read back: the module holds the factory settings");
            finish(0);
            return;
        }
        for (const ReadBackDifference &d : differences)
            out("Differs: " + d.setting.toUtf8() + ": written \"" + printableText(d.sent) +
                "\", read \"" + printableText(d.read) + "\"");
        out("Read back: " + QByteArray::number(differences.size()) +
            " settings differ from what was written");
        finish(1);
    };
    QObject::connect(&driver, &TYKT2::AccessProblemChanged, &driver, [](const QString &reason) {
        if (!reason.isEmpty())
            err(QStringLiteral("A YKT module is present but cannot be opened: %1").arg(reason));
    });
    QObject::connect(&driver, &TYKT2::OnConnect, &driver, [&] {
        out("Module: " + printableText(driver.ProductName()) +
            "  SN: " + printableText(driver.SerialNumber()) + "  version " +
            driver.DeviceVersion() + "  firmware " + QByteArray::number(driver.FirmwareVersion()));
        QDateTime now = QDateTime::currentDateTime();
        driver.SetClockHour(quint8(now.time().hour()));
        // As the window does: a moment for the module's first reports, then
        // the password if it asks for one, then the read.
        QTimer::singleShot(100, &driver, [&] {
            if (driver.PasswordRequired()) {
                if (options.password.isEmpty() || passwordSent) {
                    err(passwordSent ? QStringLiteral("The module did not accept the password.")
                                     : QStringLiteral("The module asks for its USB password: "
                                                      "give it with --password."));
                    finish(3);
                    return;
                }
                passwordSent = true;
                driver.SubmitPassword(options.password);
                Pause(100);
                if (driver.PasswordRequired()) {
                    err(QStringLiteral("The module did not accept the password."));
                    finish(3);
                    return;
                }
            }
            elapsed.start();
            driver.StartReadAll();
            poll.start();
        });
    });
    QObject::connect(&driver, &TYKT2::OnDisconnect, &driver, [&] {
        err(QStringLiteral("The module was removed."));
        finish(1);
    });
    QObject::connect(&poll, &QTimer::timeout, &driver, [&] {
        if (!driver.Reading()) {
            readEnded();
        } else if (driver.ReadAborted()) {
            const DriverTimings t = driver.timings();
            const int first = t.watchdogMs + 4 * t.startGraceMs;
            out("Read failed: the module did not answer within " +
                QByteArray::number(t.watchdogMs / 1000.0) + " s (" +
                QByteArray::number(first / 1000.0) + " s for the first answer), after " +
                QByteArray::number(driver.requestsWritten()) + " requests");
            finish(1);
        }
    });
    QTimer::singleShot(options.waitSeconds * 1000, &driver, [&] {
        if (!driver.Connected() && !elapsed.isValid()) {
            err(driver.AccessProblem().isEmpty()
                    ? QStringLiteral("No YKT module found. Please connect YKT module...")
                    : QStringLiteral("The YKT module cannot be opened: %1")
                          .arg(driver.AccessProblem()));
            finish(2);
        }
    });
    QCoreApplication::exec();
    driver.SetClosing();
    return exitCode;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ykt4m-cli"));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.contains(QLatin1String("--help")) ||
        args.contains(QLatin1String("-h")))
        return usage(args.isEmpty() ? 2 : 0);

    if (isContainerCommand(args.first())) {
        QTextStream output(stdout);
        QTextStream errors(stderr);
        return runContainerCommand(args, output, errors);
    }

    if (isLanguageCommand(args.first())) {
        QTextStream output(stdout);
        QTextStream errors(stderr);
        return runLanguageCommand(args, QCoreApplication::applicationDirPath(), output, errors);
    }

    const QString command = args.takeFirst();
    if (command != QLatin1String("read") && command != QLatin1String("default")) {
        err(QStringLiteral("unknown command '%1'").arg(command));
        return usage(2);
    }

    ReadOptions options;
    options.factoryDefault = command == QLatin1String("default");
    if (options.factoryDefault && args.removeAll(QStringLiteral("--partial")) > 0)
        options.partial = true;
    QString error;
    if (!takeTransportOptions(args, &options.transport, &error)) {
        err(error);
        return 2;
    }
    for (int i = 0; i < args.size(); ++i) {
        const QString arg = args.at(i);
        if ((arg == QLatin1String("--password") || arg == QLatin1String("--wait")) &&
            i + 1 < args.size()) {
            const QString value = args.at(++i);
            if (arg == QLatin1String("--password")) {
                options.password = value.toLatin1();
            } else {
                bool ok = false;
                options.waitSeconds = value.toInt(&ok);
                if (!ok || options.waitSeconds < 1) {
                    err(QStringLiteral("--wait takes a whole number of seconds"));
                    return 2;
                }
            }
        } else {
            err(QStringLiteral("unknown option '%1'").arg(arg));
            return usage(2);
        }
    }
    return runRead(options);
}
