#pragma once

// What the benchmarks that drive the real window share: a dialog seam that
// answers every box with its first button and shows no window, and a wait
// that keeps the event loop running.

#include "app/forms/dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace ykt::bench {

class Answering : public DialogSeam
{
public:
    QMessageBox::StandardButton message(QWidget *, const Box &box) override
    {
        for (auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No})
            if (box.buttons & b)
                return b;
        return QMessageBox::NoButton;
    }
    std::optional<QString> askText(QWidget *, const QString &, const QString &, const QString &,
                                   Echo) override
    {
        return std::nullopt;
    }
};

inline bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace ykt::bench
