#pragma once

// The two settings of the Advanced settings page that travel as more than a
// register bit: the PSTN kiss-off time and the alarm server options inside
// the module's 16-byte alarm settings block.
//
// The kiss-off time is 0.8 to 1.5 seconds in steps of 0.1 s; the module
// holds it as seconds x 2000 (1600 to 3000). The program counts it in whole
// tenths of a second, so no floating-point step can drift between the
// screen, the model and the wire.
//
// The alarm settings block is kept whole as the module sent it; writing it
// back changes only the bits of the alarm server options and sends every
// other bit unchanged.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace ykt {

// --- PSTN kiss-off time ---
struct KissOff
{
    static constexpr int MinTenths = 8;  // 0.8 s
    static constexpr int MaxTenths = 15; // 1.5 s
    static constexpr int DefaultTenths = MinTenths;
    static constexpr int WirePerTenth = 200; // the module counts half-milliseconds
};

// The value the module sends, in tenths of a second: rounded to the nearest
// tenth and brought into 8..15 (0 and 65535 are as welcome as 1600).
int kissOffTenths(quint16 wire);
// Tenths (brought into 8..15) as the module holds them: 8 gives 1600, 15 3000.
quint16 kissOffWire(int tenths);
// "0.8" .. "1.5": one decimal, always a point.
QString kissOffText(int tenths);
// The tenths a text of kissOffText means; nothing for any other text.
std::optional<int> kissOffFromText(const QString &text);

// --- Alarm server options, inside the alarm settings block ---
struct AlarmServerOptions
{
    // Bytes of a block that carries the options; a shorter block is not shown
    // and not changed.
    static constexpr int BlockSize = 16;
    // The entries of the three interval lists: "No", "10 minutes", "1 hour",
    // "24 hours", "Every week".
    static constexpr int IntervalCount = 5;

    int eventLog = 0;             // byte 12 bits 2-4, TntComboBox15 "Event log:"
    bool everyEvent = false;      // byte 13 bit 6, TntCheckBox53
    int motionDetection = 0;      // byte 12 bits 1-0 = index bits 2-1, byte 13 bit 7 = bit 0
    bool reportUserNames = false; // byte 7 bit 7, TntCheckBox50
    bool reportZoneNames = false; // byte 6 bit 0, TntCheckBox51
    bool saveEventLog = false;    // byte 6 bit 1, TntCheckBox52
};

// The options a block carries; nothing when it has fewer than 16 bytes. An
// interval code without an entry in the lists (5 to 7) reads as "No".
std::optional<AlarmServerOptions> unpackAlarmSettings(const QByteArray &block);
// The block with the options written into it: byte 12 bits 5-7 cleared, the
// bits of the options set, every other bit (and any byte past the 16th) as it
// was. A block of fewer than 16 bytes comes back unchanged. An interval
// outside 0..4 is written as "No".
QByteArray mergeAlarmSettings(const QByteArray &block, const AlarmServerOptions &options);

} // namespace ykt
