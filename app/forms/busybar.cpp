#include "app/forms/busybar.h"

#include <QPainter>

namespace ykt {

namespace {
constexpr int StepMs = 70;
constexpr int StepPx = 8;
const QColor Foreground(0, 128, 255);
} // namespace

BusyBar::BusyBar(QWidget *parent) : QWidget(parent)
{
    m_step.setInterval(StepMs);
    connect(&m_step, &QTimer::timeout, this, [this] {
        const int block = qMax(1, width() / 4);
        m_position = (m_position + StepPx) % (width() + block);
        update();
    });
}

void BusyBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const int block = qMax(1, width() / 4);
    p.fillRect(QRect(m_position - block, 1, block, height() - 2), Foreground);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void BusyBar::showEvent(QShowEvent *)
{
    m_step.start();
}

void BusyBar::hideEvent(QHideEvent *)
{
    m_step.stop();
}

} // namespace ykt
