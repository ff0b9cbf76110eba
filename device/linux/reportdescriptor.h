#pragma once

// What the HID report descriptor of a hidraw device says about its input
// and output reports. hidapi 0.13 tells neither the report lengths nor whether the
// device numbers its reports; the kernel publishes the descriptor in sysfs
// (readable by every user, unlike the node itself), and the few items that
// decide both are easy to read.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ykt::hidraw {

struct ReportLayout
{
    // The device declares Report ID items: every report it sends begins with
    // its id byte, and hidraw hands that byte on.
    bool numbered = false;
    // Data bytes of the longest input and output report, the report id not
    // counted.
    int inputLength = 0;
    int outputLength = 0;
};

// Reads the layout from a report descriptor (HID 1.11, 6.2.2). Null when the
// descriptor is empty or an item runs past its end.
std::optional<ReportLayout> parseReportDescriptor(const QByteArray &descriptor);

// The layout of the hidraw node at devicePath ("/dev/hidraw3"), from
// /sys/class/hidraw/hidraw3/device/report_descriptor. Null when it cannot be
// read or parsed.
std::optional<ReportLayout> readReportLayout(const QString &devicePath);

} // namespace ykt::hidraw
