#pragma once

#include <QObject>

namespace ykt {

class TYKT2;

// Takes every event of a driver, so each answer counts as handled and the
// read-all goes on as it does with the window's handlers bound. For the
// command-line tool, the benchmark and tests that do not care for the values.
class EventSink : public QObject
{
    Q_OBJECT
public:
    explicit EventSink(TYKT2 *driver);
    int eventsHandled() const { return m_handled; }

public slots:
    void handled() { ++m_handled; }

private:
    int m_handled = 0;
};

} // namespace ykt
