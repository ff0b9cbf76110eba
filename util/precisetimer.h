#pragma once

// A single-shot timer that fires within microseconds of its time.
//
// The event loop's own timers wait in whole milliseconds and round what is
// left up each time the loop wakes for something else, so a 4 ms timer that
// sees a report arrive on the way fires up to a millisecond late. The driver
// keeps a 4 ms gap after every packet of a read of several hundred packets;
// that error would add a fifth to the read. On Linux this timer is a timerfd
// watched by the event loop, which wakes it at the exact time; elsewhere it
// falls back to a precise QTimer.

#include <QObject>

#include <chrono>

class QSocketNotifier;
class QTimer;

namespace ykt {

class PreciseTimer : public QObject
{
    Q_OBJECT
public:
    explicit PreciseTimer(QObject *parent = nullptr);
    ~PreciseTimer() override;

    // (Re)starts the timer; a time of zero or less fires on the next pass of
    // the event loop.
    void start(std::chrono::nanoseconds after);
    void stop();
    bool isActive() const { return m_active; }

signals:
    void timeout();

private:
    void makeFallback();
    void fdReadable();
    void expired();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_fallback = nullptr;
    bool m_active = false;
};

} // namespace ykt
