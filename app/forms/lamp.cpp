#include "app/forms/lamp.h"

#include <QPainter>

namespace ykt {

namespace {
constexpr int Diameter = 12;
constexpr int Gap = 5;
} // namespace

Lamp::Lamp(const QString &text, QWidget *parent) : QWidget(parent), m_text(text)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void Lamp::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

void Lamp::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
}

void Lamp::setColor(const QColor &color)
{
    m_color = color;
    update();
}

QSize Lamp::sizeHint() const
{
    const QFontMetrics fm(font());
    const int textWidth = m_text.isEmpty() ? 0 : Gap + fm.horizontalAdvance(m_text);
    return {Diameter + textWidth + 2, qMax(Diameter, fm.height()) + 2};
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF bulb(1, (height() - Diameter) / 2.0, Diameter, Diameter);
    QRadialGradient glow(bulb.center() - QPointF(2, 2), Diameter / 1.5);
    const QColor base = m_lit ? m_color : m_color.darker(400);
    glow.setColorAt(0, m_lit ? base.lighter(160) : base.lighter(130));
    glow.setColorAt(1, base);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.setBrush(glow);
    p.drawEllipse(bulb);
    if (!m_text.isEmpty()) {
        p.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::PlaceholderText));
        p.drawText(QRect(Diameter + Gap + 1, 0, width() - Diameter - Gap - 1, height()),
                   Qt::AlignVCenter | Qt::AlignLeft, m_text);
    }
}

} // namespace ykt
