#pragma once

#include <QByteArray>

namespace ykt {

// The firmware number the module carries in its product name: after the first
// "v." every decimal digit up to (not including) the name's last character is
// taken, other characters skipped, until four digits are taken.
// "YKT4M v.4005b" gives 4005; without "v." or without a digit it is 1133.
int parseFirmwareVersion(const QByteArray &productName);

constexpr int DefaultFirmwareVersion = 1133;

} // namespace ykt
