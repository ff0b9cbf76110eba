#include "util/precisetimer.h"

#include <QSocketNotifier>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>
#endif

#include <cstdint>

namespace ykt {

PreciseTimer::PreciseTimer(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_LINUX
    m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &PreciseTimer::fdReadable);
        return;
    }
#endif
    makeFallback();
}

void PreciseTimer::makeFallback()
{
    m_fallback = new QTimer(this);
    m_fallback->setSingleShot(true);
    m_fallback->setTimerType(Qt::PreciseTimer);
    connect(m_fallback, &QTimer::timeout, this, &PreciseTimer::expired);
}

PreciseTimer::~PreciseTimer()
{
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        delete m_notifier;
        ::close(m_fd);
    }
#endif
}

void PreciseTimer::start(std::chrono::nanoseconds after)
{
    m_active = true;
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        // A zero time would disarm the timer: the shortest wait is 1 ns.
        const long long ns = after.count() > 0 ? after.count() : 1;
        itimerspec spec{};
        spec.it_value.tv_sec = time_t(ns / 1000000000);
        spec.it_value.tv_nsec = long(ns % 1000000000);
        if (timerfd_settime(m_fd, 0, &spec, nullptr) == 0)
            return;
    }
#endif
    // The timerfd refused the time; the loop's timer does it less exactly.
    if (!m_fallback)
        makeFallback();
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(after);
    m_fallback->start(ms.count() > 0 ? ms : std::chrono::milliseconds(0));
}

void PreciseTimer::stop()
{
    m_active = false;
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        const itimerspec off{};
        timerfd_settime(m_fd, 0, &off, nullptr);
        std::uint64_t expirations = 0;
        [[maybe_unused]] const auto n = ::read(m_fd, &expirations, sizeof expirations);
    }
#endif
    if (m_fallback)
        m_fallback->stop();
}

void PreciseTimer::fdReadable()
{
#ifdef Q_OS_LINUX
    std::uint64_t expirations = 0;
    if (::read(m_fd, &expirations, sizeof expirations) != sizeof expirations)
        return; // nothing expired (stopped meanwhile)
#endif
    expired();
}

void PreciseTimer::expired()
{
    if (!m_active)
        return;
    m_active = false;
    emit timeout();
}

} // namespace ykt
