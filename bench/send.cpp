// bench_send: "Send data to Module" through the real main window (offscreen)
// on the virtual module (YKT4M, firmware 4005) at a 1 ms USB interval, after
// a completed read.
//
// Two figures per run:
// 1. the send: every packet of the plan written, from the click to the last
//    packet; floor = packets x the 4 ms gap after each + the pauses the plan
//    asks for;
// 2. the read that follows and its check, to the outcome; floor = the
//    post-connect wait + requests x 4 ms.
// Goal: a ratio elapsed / floor of at most 1.2 for the send, as for the read.
//
//   bench_send [RUNS] [--simulate-spec SPEC]

#include "app/forms/dialogs.h"
#include "app/forms/tform1.h"
#include "bench/benchsupport.h"
#include "device/tykt2.h"
#include "settings/sendplan.h"
#include "sim/simtransport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

using namespace ykt;
using bench::Answering;
using bench::waitFor;

struct Run
{
    bool verified = false;
    int packets = 0;
    int pausesMs = 0;
    qint64 sendMs = 0;
    int requests = 0;
    qint64 readBackMs = 0;
};

Run sendOnce(const sim::Options &options)
{
    QTemporaryDir folder;
    for (const auto &[name, bytes] : {std::pair{"comps.txt", QByteArray("%English\t0\t0\r\n")},
                                      std::pair{"CID_Descriptions.txt", QByteArray()}}) {
        QFile file(folder.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    AppEnvironment env;
    env.programFolder = folder.path();
    env.fallbackFolder = folder.filePath(QStringLiteral("userdata"));
    env.terminate = [] {};
    auto window = std::make_unique<TForm1>(std::make_unique<sim::SimTransport>(options), env);
    window->show();
    int refreshes = 0;
    QObject::connect(window.get(), &TForm1::settingsRefreshed, [&] { ++refreshes; });
    Run run;
    if (!waitFor([&] { return refreshes == 1; }, 60000))
        return run;

    bool finished = false;
    QObject::connect(window.get(), &TForm1::sendFinished, [&](bool verified) {
        finished = true;
        run.verified = verified;
    });
    window->CommitPages();
    const QList<SendStep> plan = buildSendPlan(window->model(), window->sendContext());
    run.packets = plan.size();
    run.pausesMs = totalPauseMs(plan);
    const int requestsBefore = window->driver()->requestsWritten();
    QElapsedTimer elapsed;
    elapsed.start();
    window->SendToModule(); // returns once the last packet is written
    run.sendMs = elapsed.restart();
    waitFor([&] { return finished; }, 60000);
    run.readBackMs = elapsed.elapsed();
    run.requests = window->driver()->requestsWritten() - requestsBefore;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Answering answering;
    setDialogs(&answering);
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
        std::fprintf(stderr, "bench_send: %s\n", qPrintable(error));
        return 2;
    }
    std::printf("bench_send: send and read-back, profile %s, USB interval %d ms, %d runs\n",
                qPrintable(options->profile.id), options->usbIntervalMs, runs);
    QList<double> ratios;
    bool allGood = true;
    constexpr int GapMs = 4;
    constexpr int PostConnectMs = 100;
    for (int r = 0; r < runs; ++r) {
        const Run run = sendOnce(*options);
        const int sendFloor = run.packets * GapMs + run.pausesMs;
        const int readFloor = PostConnectMs + run.requests * GapMs;
        const double ratio = sendFloor > 0 ? double(run.sendMs) / sendFloor : 0;
        const double readRatio = readFloor > 0 ? double(run.readBackMs) / readFloor : 0;
        ratios << ratio;
        allGood = allGood && run.verified;
        std::printf("run %d: %s, send %d packets (pauses %d ms) in %lld ms, floor %d ms, ratio "
                    "%.3f; read-back %d requests in %lld ms, floor %d ms, ratio %.3f\n",
                    r + 1, run.verified ? "verified" : "FAILED", run.packets, run.pausesMs,
                    static_cast<long long>(run.sendMs), sendFloor, ratio, run.requests,
                    static_cast<long long>(run.readBackMs), readFloor, readRatio);
    }
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios.at(ratios.size() / 2);
    std::printf("median send ratio %.3f (goal <= 1.200): %s\n", median,
                median <= 1.2 ? "met" : "NOT met");
    setDialogs(nullptr);
    return allGood ? 0 : 1;
}
