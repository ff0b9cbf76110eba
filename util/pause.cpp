#include "util/pause.h"

#include <QEventLoop>
#include <QTimer>

namespace ykt {

void Pause(int milliseconds)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(qMax(0, milliseconds));
    loop.exec();
}

} // namespace ykt
