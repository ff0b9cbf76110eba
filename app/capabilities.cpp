#include "app/capabilities.h"

#include "util/conversions.h"

namespace ykt {

ModuleCapabilities capabilitiesOf(const QByteArray &productName, int firmwareVersion)
{
    const QByteArray name = AsciiLower(productName);
    const bool ykt3m = name.contains("ykt3m");
    const bool ykt4m = name.contains("ykt4m");
    const bool ykt5 = name.contains("ykt5");

    ModuleCapabilities caps;
    caps.basicModel = ykt3m || (ykt4m && firmwareVersion < 3000);
    caps.ykt3Type = name.contains("ykt3");
    caps.relayLess = (ykt4m && firmwareVersion >= 3000) || ykt5;
    caps.advancedCapable = (ykt4m && firmwareVersion >= 4000) || ykt5;
    return caps;
}

} // namespace ykt
