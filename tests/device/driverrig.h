#pragma once

// A driver attached to the virtual module, with short timers, for tests.

#include "device/eventsink.h"
#include "device/tykt2.h"
#include "sim/options.h"
#include "sim/simtransport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/waiting.h"

#include <functional>
#include <memory>

namespace ykt::testing {

inline DriverTimings fastTimings()
{
    DriverTimings t;
    t.watchdogMs = 300;
    t.startGraceMs = 200;
    t.accessRetryMs = 50;
    return t;
}

inline sim::Options options(const QString &spec)
{
    QString error;
    const auto parsed = sim::parseOptions(spec, &error);
    EXPECT_TRUE(parsed.has_value()) << error.toStdString();
    return parsed.value_or(sim::Options());
}

struct DriverRig
{
    explicit DriverRig(const QString &spec = QString(),
                       const DriverTimings &timings = fastTimings(), bool sink = true)
    {
        auto owned = std::make_unique<sim::SimTransport>(options(spec));
        sim = owned.get();
        driver = std::make_unique<TYKT2>(std::move(owned));
        driver->setTimings(timings);
        if (sink)
            new EventSink(driver.get());
    }

    ~DriverRig()
    {
        driver->SetClosing();
        driver.reset();
    }

    // Connected, and the module's first state report has been seen, as the
    // program waits 100 ms after a connect before its first command.
    bool connect()
    {
        if (!waitFor([this] { return driver->Connected(); }))
            return false;
        spin(100);
        return true;
    }

    bool readAll(int timeoutMs = 20000)
    {
        driver->StartReadAll();
        const bool done =
            waitFor([this] { return !driver->Reading() || driver->ReadAborted(); }, timeoutMs) &&
            !driver->Reading() && !driver->ReadAborted();
        // The end of the exchange goes out right after the last answer.
        return done && waitFor([this] { return opcodes().value(opcodes().size() - 1) == 0x41; });
    }

    // Opcodes of the packets the module received.
    QList<int> opcodes() const
    {
        QList<int> out;
        for (const QByteArray &p : sim->receivedPackets())
            out.append(quint8(p.at(0)));
        return out;
    }

    sim::SimTransport *sim = nullptr;
    std::unique_ptr<TYKT2> driver;
};

} // namespace ykt::testing
