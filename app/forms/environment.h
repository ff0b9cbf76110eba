#pragma once

// What the main window takes from the world around it: where its files are,
// how long its timers run, where the protocol trace goes and how the program
// ends at once. main() fills it for a real run; tests fill it with a
// temporary folder and short timers.

#include "device/tykt2.h"

#include <QString>

#include <functional>
#include <memory>

namespace ykt {

class ProtocolTrace;

// The main window's timer intervals in one place.
struct WindowTimings
{
    int statusRefreshMs = 200;  // the lamps of the driver's flags
    int postConnectMs = 100;    // Timer2: from a connect (or a read request) to the read
    int readPollMs = 10;        // Timer6: the read's completion poll
    int changeSettingsMs = 0;   // ChangeSettingsTimer: refresh after a completed read
    int protectedCheckMs = 500; // the protected-settings check after a connect
    int languageLoadMs = 100;   // from the window's creation to the language file
    int blinkMs = 500;          // Timer_Blink: the attention blink on the Users page
};

struct AppEnvironment
{
    // The program folder: Settings.ini, Logs/, Debug/ and the data files.
    QString programFolder;
    // Where written files go when the program folder refuses them.
    QString fallbackFolder;
    WindowTimings timings;
    DriverTimings driverTimings;
    std::shared_ptr<ProtocolTrace> trace;
    // Ends the program at once, without the close steps (Cancel at the USB
    // password prompt). Empty: leave the event loop.
    std::function<void()> terminate;
};

} // namespace ykt
