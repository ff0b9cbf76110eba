// bench_readall: a full read of the default module (YKT4M, firmware 4005)
// through the real driver and the virtual module at a 1 ms USB interval.
//
// Two figures:
// 1. the driver alone, every answer taken by a sink;
// 2. the real main window (offscreen), with the settings model and every
//    page's handlers bound, from the start of the read to its end, and the
//    refresh of the pages after it.
//
// Each prints the requests sent, the elapsed time, the floor (requests x the
// 4 ms gap after every packet) and the ratio elapsed / floor. Goals: 348
// requests, then EndExchange, a ratio of at most 1.2 in both, and the
// refresh after the read under 50 ms.
//
//   bench_readall [RUNS] [--simulate-spec SPEC]

#include "app/forms/tform1.h"
#include "device/eventsink.h"
#include "device/tykt2.h"
#include "sim/simtransport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using namespace ykt;

struct Run
{
    bool completed = false;
    bool endedWithEndExchange = false;
    int requests = 0;
    qint64 elapsedMs = 0;
    double refreshMs = -1; // the window's refresh after the read
};

bool endedWithEndExchange(const sim::SimTransport &transport)
{
    const QList<QByteArray> packets = transport.receivedPackets();
    return !packets.isEmpty() && quint8(packets.last().at(0)) == 0x41;
}

Run readOnce(const sim::Options &options)
{
    auto owned = std::make_unique<sim::SimTransport>(options);
    sim::SimTransport *transport = owned.get();
    TYKT2 driver(std::move(owned));
    new EventSink(&driver);

    Run run;
    QElapsedTimer elapsed;
    QTimer poll;
    poll.setInterval(1);
    poll.setTimerType(Qt::PreciseTimer);
    QEventLoop loop;
    // As the program does, the read starts 100 ms after the connect, once the
    // module's first state report has set the sequence number.
    QObject::connect(&driver, &TYKT2::OnConnect, &driver, [&] {
        QTimer::singleShot(100, &driver, [&] {
            elapsed.start();
            driver.StartReadAll();
            poll.start();
        });
    });
    QObject::connect(&poll, &QTimer::timeout, &driver, [&] {
        if (!driver.Reading() || driver.ReadAborted()) {
            // The read ends with the answer to the last request; the floor
            // counts the gaps after the requests.
            run.elapsedMs = elapsed.elapsed();
            run.completed = !driver.Reading() && !driver.ReadAborted();
            poll.stop();
            // Let EndExchange go out before looking at what the module got.
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
        }
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    run.requests = driver.requestsWritten();
    run.endedWithEndExchange = endedWithEndExchange(*transport);
    driver.SetClosing();
    return run;
}

// The same read through the main window: it connects, starts the read after
// its post-connect check, stores every answer and refreshes the pages.
Run readThroughWindow(const sim::Options &options)
{
    QTemporaryDir folder;
    // A language without texts and no Contact ID events: no box at start.
    for (const auto &[name, bytes] : {std::pair{"comps.txt", QByteArray("%English\t0\t0\r\n")},
                                      std::pair{"CID_Descriptions.txt", QByteArray()}}) {
        QFile file(folder.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    auto owned = std::make_unique<sim::SimTransport>(options);
    sim::SimTransport *transport = owned.get();
    AppEnvironment env;
    env.programFolder = folder.path();
    env.fallbackFolder = folder.filePath(QStringLiteral("userdata"));
    env.terminate = [] {};
    auto window = std::make_unique<TForm1>(std::move(owned), env);
    window->show();

    Run run;
    QElapsedTimer elapsed;
    bool started = false;
    QTimer poll;
    poll.setInterval(1);
    poll.setTimerType(Qt::PreciseTimer);
    QEventLoop loop;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        TYKT2 *driver = window->driver();
        if (!started && driver->Reading()) {
            started = true;
            elapsed.start();
        } else if (started && !run.completed && (!driver->Reading() || driver->ReadAborted())) {
            run.elapsedMs = elapsed.elapsed();
            run.completed = !driver->Reading() && !driver->ReadAborted();
            if (!run.completed)
                loop.quit();
        }
    });
    QObject::connect(window.get(), &TForm1::settingsRefreshed, &loop, [&] {
        run.refreshMs = window->lastRefreshMs();
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
    });
    poll.start();
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    run.requests = window->driver()->requestsWritten();
    run.endedWithEndExchange = endedWithEndExchange(*transport);
    window.reset();
    return run;
}

// Prints one figure; false when a run failed.
bool report(const char *title, int runs, const std::function<Run()> &readOnce)
{
    std::printf("%s\n", title);
    QList<double> ratios;
    QList<double> refreshes;
    bool allGood = true;
    for (int r = 0; r < runs; ++r) {
        const Run run = readOnce();
        const int floorMs = run.requests * 4;
        const double ratio = floorMs > 0 ? double(run.elapsedMs) / floorMs : 0.0;
        ratios << ratio;
        allGood = allGood && run.completed && run.endedWithEndExchange;
        std::printf("run %d: %s, requests %d, EndExchange %s, elapsed %lld ms, floor %d ms, "
                    "ratio %.3f",
                    r + 1, run.completed ? "completed" : "FAILED", run.requests,
                    run.endedWithEndExchange ? "yes" : "NO", static_cast<long long>(run.elapsedMs),
                    floorMs, ratio);
        if (run.refreshMs >= 0) {
            refreshes << run.refreshMs;
            std::printf(", refresh %.2f ms", run.refreshMs);
        }
        std::printf("\n");
    }
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios.at(ratios.size() / 2);
    std::printf("median ratio %.3f (goal <= 1.200): %s\n", median,
                median <= 1.2 ? "met" : "NOT met");
    if (!refreshes.isEmpty()) {
        const double worst = *std::max_element(refreshes.begin(), refreshes.end());
        std::printf("longest refresh after the read %.2f ms (goal < 50 ms): %s\n", worst,
                    worst < 50 ? "met" : "NOT met");
    }
    return allGood;
}

} // namespace

int main(int argc, char **argv)
{
    // The window needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    int runs = 3;
    QString spec;
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--simulate-spec") && i + 1 < args.size())
            spec = args.at(++i);
        else
            runs = std::max(1, args.at(i).toInt());
    }
    QString error;
    const std::optional<sim::Options> options = sim::parseOptions(spec, &error);
    if (!options) {
        std::fprintf(stderr, "bench_readall: %s\n", qPrintable(error));
        return 2;
    }

    std::printf("bench_readall: full read, profile %s, USB interval %d ms, %d runs\n",
                qPrintable(options->profile.id), options->usbIntervalMs, runs);
    const bool driverGood = report("1. driver alone", runs, [&] { return readOnce(*options); });
    const bool windowGood = report("2. through the main window, every handler bound", runs,
                                   [&] { return readThroughWindow(*options); });
    return driverGood && windowGood ? 0 : 1;
}
