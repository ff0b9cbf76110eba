// The precise single-shot timer: fires once, not before its time, and not at
// all once stopped.

#include "util/precisetimer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace ykt {
namespace {

using namespace std::chrono_literals;

// Runs the event loop for ms milliseconds.
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(PreciseTimer, FiresOnceAndNeverEarly)
{
    PreciseTimer timer;
    int fired = 0;
    qint64 firedAtNs = 0;
    QElapsedTimer clock;
    QObject::connect(&timer, &PreciseTimer::timeout, [&] {
        ++fired;
        firedAtNs = clock.nsecsElapsed();
    });
    clock.start();
    timer.start(2500us);
    EXPECT_TRUE(timer.isActive());
    spin(30);
    EXPECT_EQ(fired, 1);
    EXPECT_GE(firedAtNs, 2500000);
    EXPECT_FALSE(timer.isActive());

    // Started again, it fires again; a time of zero fires on the next pass.
    timer.start(0ns);
    spin(10);
    EXPECT_EQ(fired, 2);
}

TEST(PreciseTimer, StoppedOrRestartedItFiresOnlyForTheLastStart)
{
    PreciseTimer timer;
    int fired = 0;
    QObject::connect(&timer, &PreciseTimer::timeout, [&] { ++fired; });
    timer.start(1ms);
    timer.stop();
    spin(20);
    EXPECT_EQ(fired, 0);
    EXPECT_FALSE(timer.isActive());

    timer.start(1ms);
    timer.start(5ms); // replaces the first time: one timeout only
    spin(30);
    EXPECT_EQ(fired, 1);
}

} // namespace
} // namespace ykt
