#pragma once

// What the attached module can do, told by its product name and firmware
// number. Computed on every connect; the flags stay as they are after the
// module is removed until the next one connects.

#include <QByteArray>

namespace ykt {

struct ModuleCapabilities
{
    bool basicModel = false;      // no output pages, no voice-call options
    bool ykt3Type = false;        // outputs captioned as on a YKT3
    bool relayLess = false;       // outputs without relays
    bool advancedCapable = false; // offers the advanced communicator work mode

    friend bool operator==(const ModuleCapabilities &a, const ModuleCapabilities &b)
    {
        return a.basicModel == b.basicModel && a.ykt3Type == b.ykt3Type &&
               a.relayLess == b.relayLess && a.advancedCapable == b.advancedCapable;
    }
    friend bool operator!=(const ModuleCapabilities &a, const ModuleCapabilities &b)
    {
        return !(a == b);
    }
};

// productName is looked at in lower case (letters A..Z), anywhere in the name:
// - basic model: "ykt3m", or "ykt4m" with firmware below 3000;
// - YKT3 type: "ykt3" (so every "ykt3m" too);
// - relay-less: "ykt4m" with firmware 3000 or more, or "ykt5";
// - advanced-capable: "ykt4m" with firmware 4000 or more, or "ykt5".
ModuleCapabilities capabilitiesOf(const QByteArray &productName, int firmwareVersion);

} // namespace ykt
