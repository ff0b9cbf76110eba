#include "device/firmware.h"

namespace ykt {

int parseFirmwareVersion(const QByteArray &productName)
{
    const int dot = productName.indexOf("v.");
    if (dot < 0)
        return DefaultFirmwareVersion;
    int value = 0;
    int digits = 0;
    // From the full stop onward, up to but not including the last character.
    for (int i = dot + 1; i < productName.size() - 1 && digits < 4; ++i) {
        const char c = productName.at(i);
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            ++digits;
        }
    }
    return digits == 0 ? DefaultFirmwareVersion : value;
}

} // namespace ykt
