// bench_idle: the window's start-up and its cost while it only watches.
//
// 1. Start-up: from the process start (as the kernel recorded it) to the main
//    window first shown, with the files beside the program and no module.
//    Goal: under 0.5 s.
// 2. Idle: CPU time of the process over 5 s with a connected virtual module
//    that sends a state report every 50 ms, and every 1 ms, after its first
//    read. The virtual module runs in this process, so its own work counts
//    too. Goals: under 2 % of one core at 50 ms, under 10 % at 1 ms.
//
//   bench_idle [SECONDS]

#include "app/forms/dialogs.h"
#include "app/forms/tform1.h"
#include "bench/benchsupport.h"
#include "sim/simtransport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace {

using namespace ykt;
using bench::Answering;
using bench::waitFor;

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Seconds since this process started, from /proc.
double secondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The fields after the command name (which may hold blanks) in brackets.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double started = fields.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    const double now = uptime.readAll().split(' ').first().toDouble();
    return now - started;
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

AppEnvironment environmentIn(const QString &folder)
{
    AppEnvironment env;
    env.programFolder = folder;
    env.fallbackFolder = QDir(folder).filePath(QStringLiteral("userdata"));
    env.terminate = [] {};
    return env;
}

// The program folder: the shipped files beside the program.
void copyShippedFiles(const QString &folder)
{
    const QDir data(QStringLiteral(YKT_DATA_DIR));
    for (const QString &name : data.entryList(QDir::Files)) {
        if (name.endsWith(QStringLiteral(".txt")))
            QFile::copy(data.filePath(name), QDir(folder).filePath(name));
    }
}

double idlePercent(const QString &folder, int stateMs, int seconds)
{
    QString error;
    auto options = sim::parseOptions(QStringLiteral("ykt4m-4005,state=%1").arg(stateMs), &error);
    if (!options)
        return -1;
    TForm1 window(std::make_unique<sim::SimTransport>(*options), environmentIn(folder));
    int refreshes = 0;
    QObject::connect(&window, &TForm1::settingsRefreshed, [&] { ++refreshes; });
    window.show();
    if (!waitFor([&] { return refreshes > 0; }, 60000))
        return -1;
    // Settle, then measure: the event loop sleeps until the window or the
    // module wants something.
    runFor(500);
    QElapsedTimer wall;
    wall.start();
    const double before = cpuSeconds();
    runFor(seconds * 1000);
    return 100.0 * (cpuSeconds() - before) / (double(wall.elapsed()) / 1000.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Answering answering;
    setDialogs(&answering);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir folder;
    copyShippedFiles(folder.path());

    double startup = -1;
    {
        QString error;
        auto options = sim::parseOptions(QStringLiteral("plugged=0"), &error);
        TForm1 window(std::make_unique<sim::SimTransport>(*options), environmentIn(folder.path()));
        window.show();
        waitFor([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }, 10000);
        startup = secondsSinceProcessStart();
    }
    std::printf("bench_idle: start-up to the first window, no module: %.3f s (goal < 0.5 s): %s\n",
                startup, startup >= 0 && startup < 0.5 ? "met" : "NOT met");

    bool met = startup >= 0 && startup < 0.5;
    for (const auto &[stateMs, goal] : {std::pair{50, 2.0}, std::pair{1, 10.0}}) {
        const double percent = idlePercent(folder.path(), stateMs, seconds);
        const bool ok = percent >= 0 && percent < goal;
        met = met && ok;
        std::printf("bench_idle: idle with a state report every %d ms, %d s: %.2f %% of one core "
                    "(goal < %.0f %%): %s\n",
                    stateMs, seconds, percent, goal, ok ? "met" : "NOT met");
    }
    setDialogs(nullptr);
    return met ? 0 : 1;
}
