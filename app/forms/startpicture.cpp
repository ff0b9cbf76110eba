#include "app/forms/startpicture.h"

#include <QPainter>
#include <QPainterPath>

namespace ykt {

QPixmap drawStartPicture(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // The module: a rounded box with a status window and two lamps.
    const QRectF box(w * 0.08, h * 0.30, w * 0.38, h * 0.46);
    QLinearGradient shell(box.topLeft(), box.bottomLeft());
    shell.setColorAt(0, QColor(235, 238, 242));
    shell.setColorAt(1, QColor(190, 196, 204));
    p.setPen(QPen(QColor(90, 96, 106), 2));
    p.setBrush(shell);
    p.drawRoundedRect(box, 10, 10);
    const QRectF window = box.adjusted(box.width() * 0.12, box.height() * 0.14, -box.width() * 0.12,
                                       -box.height() * 0.52);
    p.setBrush(QColor(40, 60, 80));
    p.drawRoundedRect(window, 4, 4);
    p.setPen(QColor(120, 220, 255));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(window.height() * 0.45));
    p.setFont(f);
    p.drawText(window, Qt::AlignCenter, QStringLiteral("YKT4M"));
    for (int i = 0; i < 2; ++i) {
        const QPointF c(box.left() + box.width() * (0.3 + 0.4 * i),
                        box.bottom() - box.height() * 0.22);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(i == 0 ? QColor(40, 200, 60) : QColor(240, 170, 20));
        p.drawEllipse(c, h * 0.025, h * 0.025);
    }

    // The antenna with its radio waves.
    const QPointF foot(box.left() + box.width() * 0.8, box.top());
    const QPointF tip(foot.x(), h * 0.10);
    p.setPen(QPen(QColor(70, 70, 70), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, tip);
    p.setPen(QPen(QColor(0, 128, 255), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = h * 0.05 * i;
        p.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        p.drawArc(QRectF(tip.x() - r, tip.y() - r, 2 * r, 2 * r), 135 * 16, 90 * 16);
    }

    // The cable to the computer.
    const QPointF plug(box.right(), box.center().y());
    const QRectF screen(w * 0.62, h * 0.26, w * 0.32, h * 0.40);
    QPainterPath cable(plug);
    cable.cubicTo(plug + QPointF(w * 0.10, h * 0.25), QPointF(screen.left() - w * 0.05, h * 0.95),
                  QPointF(screen.center().x(), screen.bottom() + h * 0.12));
    p.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);

    // The computer.
    p.setPen(QPen(QColor(70, 70, 80), 2));
    p.setBrush(QColor(50, 55, 65));
    p.drawRoundedRect(screen, 6, 6);
    p.setBrush(QColor(200, 225, 255));
    p.drawRect(screen.adjusted(8, 8, -8, -8));
    p.setBrush(QColor(120, 124, 132));
    p.drawRect(QRectF(screen.center().x() - w * 0.03, screen.bottom(), w * 0.06, h * 0.06));
    p.drawRoundedRect(
        QRectF(screen.center().x() - w * 0.09, screen.bottom() + h * 0.06, w * 0.18, h * 0.035), 4,
        4);
    return pixmap;
}

} // namespace ykt
