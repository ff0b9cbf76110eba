// bench_readall: a full read of the default module (YKT4M, firmware 4005)
// through the real driver and the virtual module at a 1 ms USB interval.
//
// Prints the requests sent, the elapsed time, the floor (requests x the 4 ms
// gap after every packet) and the ratio elapsed / floor. Goal: 348 requests,
// then EndExchange, with a ratio of at most 1.2.
//
//   bench_readall [RUNS] [--simulate-spec SPEC]

#include "device/eventsink.h"
#include "device/tykt2.h"
#include "sim/simtransport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

using namespace ykt;

struct Run
{
    bool completed = false;
    bool endedWithEndExchange = false;
    int requests = 0;
    qint64 elapsedMs = 0;
};

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
    const QList<QByteArray> packets = transport->receivedPackets();
    run.endedWithEndExchange = !packets.isEmpty() && quint8(packets.last().at(0)) == 0x41;
    driver.SetClosing();
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
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
    QList<double> ratios;
    bool allGood = true;
    for (int r = 0; r < runs; ++r) {
        const Run run = readOnce(*options);
        const int floorMs = run.requests * 4;
        const double ratio = floorMs > 0 ? double(run.elapsedMs) / floorMs : 0.0;
        ratios << ratio;
        allGood = allGood && run.completed && run.endedWithEndExchange;
        std::printf("run %d: %s, requests %d, EndExchange %s, elapsed %lld ms, floor %d ms, "
                    "ratio %.3f\n",
                    r + 1, run.completed ? "completed" : "FAILED", run.requests,
                    run.endedWithEndExchange ? "yes" : "NO", static_cast<long long>(run.elapsedMs),
                    floorMs, ratio);
    }
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios.at(ratios.size() / 2);
    std::printf("median ratio %.3f (goal <= 1.200): %s\n", median,
                median <= 1.2 ? "met" : "NOT met");
    return allGood ? 0 : 1;
}
