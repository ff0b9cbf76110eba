#pragma once

// How the virtual module behaves: which module it plays, how fast it reports,
// what it has been configured with before it was plugged in, and the faults it
// is told to commit.

#include "sim/profiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace ykt::sim {

// Faults on purpose. 0 switches a fault off. Counts are 1-based and start again
// at every plug-in, so a fault strikes once per plug-in:
// - packets: every output report the module receives, whatever its opcode;
// - read requests: every packet whose opcode is 0x80 or above, whether the
//   module answers it or not (unknown types, requests ignored while the USB
//   password is asked for). A fault tied to a read request that gets no
//   answer anyway does nothing.
struct Faults
{
    int dropAnswer = 0;       // the k-th read request gets no answer (Busy is still cleared)
    int delayMs = 0;          // every reply leaves this much later; Busy stays set meanwhile
    int stuckBusyFrom = 0;    // from the k-th packet on every report carries Busy; the
                              // module keeps working (it stores and answers) otherwise
    int unplugAt = 0;         // the module is pulled out as the k-th packet arrives; that
                              // packet is not acted upon
    int shortReportAt = 0;    // the answer to the k-th read request is cut to 4 bytes
    int garbageAt = 0;        // a report of random bytes goes out just before the answer
                              // to the k-th read request
    int repeatSequenceAt = 0; // the answer to the k-th read request carries the previous
                              // sequence number (the driver takes it for a repeat)
    int replugAfterMs = 0;    // transport only: after an unplug fault the module comes back
                              // this many ms later (0: it stays out)

    bool any() const;
    bool operator==(const Faults &other) const;
    bool operator!=(const Faults &other) const { return !(*this == other); }
};

struct Options
{
    Profile profile = defaultProfile();
    Faults faults;
    int usbIntervalMs = 1;       // the interrupt endpoint's interval: at most one report per tick
    int stateIntervalMs = 50;    // a state report this often; 0: none
    int trafficIntervalMs = 700; // a new line of modem traffic at most this often; 0: none
    bool pluggedIn = true;       // present when the transport starts
    quint32 seed = 1;            // for the modem's signal and the garbage fault

    // Set up before the module is plugged in, as an installer would have left it.
    std::optional<QByteArray> usbPassword; // item 0x07
    bool passwordOnConnect = false;        // YKT2CR bit 0
    bool lockGprsSettings = false;         // YKT2CR bit 25

    // The module's memory kept in this file between runs (empty: none).
    QString memoryFile;
};

// Parses the command-line form "PROFILE[,key=value...]", e.g.
// "ykt4m-4003,drop=5,delay=20,interval=2,state=100,password=1234,lock=1".
// An empty text, or an empty first field, is the default profile; a first
// field with "=" in it is already an option. Keys (letter case ignored):
//   drop, delay, stuckbusy, unplug, short, garbage, repeat, replug  (Faults)
//   interval (USB ms, 1 or more), state (ms, 0 = none), traffic (ms, 0 = none),
//   plugged (0/1), seed, password (at most 16 characters), lock (0/1),
//   passwordonconnect (0/1), memory (a file; it cannot hold ",")
// On failure returns nothing and, when error is given, says which key or
// value is wrong.
std::optional<Options> parseOptions(const QString &spec, QString *error = nullptr);

// Every key parseOptions accepts, in lower case.
QStringList optionKeys();

// Several lines describing the form above and every key, for the help of
// both programs; no line break after the last line.
QString optionsUsage();

} // namespace ykt::sim
