#include "device/eventsink.h"

#include "device/tykt2.h"

#include <QMetaMethod>

namespace ykt {

EventSink::EventSink(TYKT2 *driver) : QObject(driver)
{
    const QMetaObject *meta = driver->metaObject();
    const QMetaMethod sink = metaObject()->method(metaObject()->indexOfSlot("handled()"));
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal && method.name().startsWith("On"))
            connect(driver, method, this, sink);
    }
}

} // namespace ykt
