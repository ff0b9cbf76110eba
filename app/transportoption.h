#pragma once

// The command-line choice of the HID controller shared by the loader and
// ykt4m-cli: the real USB module, or the built-in virtual module with
// --simulate[=PROFILE[,fault=value...]].

#include "device/hidtransport.h"

#include <QStringList>

#include <memory>

namespace ykt {

struct TransportChoice
{
    bool simulate = false;
    QString simulateSpec; // what followed "--simulate=", empty for the default profile
    QString tracePath;    // --trace FILE
};

// Takes --simulate[=SPEC] and --trace FILE (or --trace=FILE) out of args.
// False with a message for a malformed option.
bool takeTransportOptions(QStringList &args, TransportChoice *choice, QString *error);

// The controller for the choice: null with a message when the simulation
// spec is not valid.
std::unique_ptr<HidTransport> createTransport(const TransportChoice &choice, QString *error);

// The help lines of these options.
QString transportOptionsHelp();

} // namespace ykt
