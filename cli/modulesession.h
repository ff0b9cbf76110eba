#pragma once

// One command-line session with a module: finds it (or attaches the virtual
// one), prints its identity, gives it the USB password when it asks, and then
// runs what the command needs, each step to its end before the next starts:
// a read of every setting into a model, a plan of packets written one by one.
// Each step waits in a local event loop, so the commands read as a sequence.
//
// A session ends only when its last packet is out: close() waits until the
// driver is idle (a read's closing EndExchange may still wait for the
// module's Busy to clear when the read reports its end).

#include "app/transportoption.h"
#include "settings/sendplan.h"
#include "settings/settingsmodel.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace ykt {

class TYKT2;

struct SessionOptions
{
    TransportChoice transport;
    QByteArray password;
    int waitSeconds = 10;
};

class ModuleSession
{
public:
    // Exit codes of the commands.
    static constexpr int Done = 0;
    static constexpr int Failed = 1;
    static constexpr int NoModule = 2; // also a usage or set-up error
    static constexpr int PasswordProblem = 3;

    explicit ModuleSession(const SessionOptions &options);
    ~ModuleSession();

    // Finds the module and prepares it for reading: Done, or the exit code
    // with its message on stderr.
    int attach();

    // Reads every setting into model (emptied first); conversionType is the
    // module character set of the texts. answer, when given, sees every
    // answer of the module in words. False, with a line saying why, when the
    // read did not complete.
    bool readAll(SettingsModel *model, int conversionType,
                 const std::function<void(const QByteArray &)> &answer = {});
    // How the last read went, for the closing line of the read command.
    int requestsOfLastRead() const { return m_requests; }
    qint64 msOfLastRead() const { return m_readMs; }

    // Writes plan packet by packet with its pauses; false, with a line saying
    // where and why, when a packet did not go out.
    bool writePlan(const QList<SendStep> &plan);

    // What the plan of a send is built with for this module.
    SendContext sendContext(int conversionType, bool templateLoaded) const;

    TYKT2 &driver() const { return *m_driver; }
    bool removed() const { return m_removed; }

    // Waits until the last packet is out, then lets the module go.
    void close();

private:
    bool waitFor(const std::function<bool()> &done, int timeoutMs) const;

    SessionOptions m_options;
    std::unique_ptr<TYKT2> m_driver;
    bool m_connected = false;
    bool m_removed = false;
    int m_requests = 0;
    qint64 m_readMs = 0;
};

// Prints a line on stdout (bytes as they are) or stderr.
void outLine(const QByteArray &line);
void errLine(const QString &line);

} // namespace ykt
