#pragma once

// Waiting in tests without blocking the event loop: the driver's reports,
// timers and queued events keep being handled meanwhile.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace ykt::testing {

// Runs the event loop until pred holds or timeoutMs passed; returns pred().
inline bool waitFor(const std::function<bool()> &pred, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!pred() && clock.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return pred();
}

// Runs the event loop for ms milliseconds.
inline void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace ykt::testing
