#include "wizard/attentionblink.h"

namespace ykt {

namespace {

void setBold(QWidget *w, bool bold)
{
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

} // namespace

TAttentionBlink::TAttentionBlink(QObject *parent) : QObject(parent)
{
    m_timer.setObjectName(QStringLiteral("Timer_Blink"));
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &TAttentionBlink::tick);
}

void TAttentionBlink::start(QWidget *target)
{
    m_target = target;
    if (!m_timer.isActive())
        m_timer.start();
}

void TAttentionBlink::tick()
{
    const int c = m_count++;
    if (m_target)
        setBold(m_target, c % 2 == 0);
    if (m_count >= Ticks) {
        m_timer.stop();
        if (m_target)
            setBold(m_target, false);
        m_target = nullptr;
        m_count = 0;
    }
}

} // namespace ykt
