#pragma once

// The attention blink: the caption of a control (the "Alarm SMS" box of the
// Users page) turns bold and plain every 500 ms, six times in all, and ends
// plain. A new request while a blink runs keeps the running count.

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ykt {

class TAttentionBlink : public QObject
{
    Q_OBJECT
public:
    static constexpr int Ticks = 6;

    explicit TAttentionBlink(QObject *parent = nullptr);
    void setInterval(int ms) { m_timer.setInterval(ms); }

    void start(QWidget *target);
    bool running() const { return m_timer.isActive(); }
    int count() const { return m_count; }
    QWidget *target() const { return m_target; }

private:
    void tick();

    QTimer m_timer;
    QPointer<QWidget> m_target;
    int m_count = 0;
};

} // namespace ykt
