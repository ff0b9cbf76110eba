#include "settings/securityfields.h"

#include <algorithm>

namespace ykt {

namespace {

// Where the alarm server options sit in the alarm settings block.
constexpr int PrivacyByte = 6;     // bit 0 zone names, bit 1 save event log
constexpr int UserNamesByte = 7;   // bit 7 user names
constexpr int IntervalsByte = 12;  // bits 0-1 motion bits 2-1, bits 2-4 event log, 5-7 zero
constexpr int EventFlagsByte = 13; // bit 6 every event, bit 7 motion bit 0
constexpr quint8 ZoneNamesBit = 0x01;
constexpr quint8 SaveEventLogBit = 0x02;
constexpr quint8 UserNamesBit = 0x80;
constexpr quint8 EveryEventBit = 0x40;
constexpr quint8 MotionLowBit = 0x80;
constexpr int EventLogShift = 2;

int listIndex(int code)
{
    return code >= 0 && code < AlarmServerOptions::IntervalCount ? code : 0;
}

quint8 at(const QByteArray &block, int i)
{
    return quint8(block.at(i));
}

quint8 withBit(quint8 byte, quint8 mask, bool on)
{
    return on ? quint8(byte | mask) : quint8(byte & ~mask);
}

} // namespace

// --- PSTN kiss-off time ---

int kissOffTenths(quint16 wire)
{
    const int tenths = (int(wire) + KissOff::WirePerTenth / 2) / KissOff::WirePerTenth;
    return std::clamp(tenths, KissOff::MinTenths, KissOff::MaxTenths);
}

quint16 kissOffWire(int tenths)
{
    return quint16(std::clamp(tenths, KissOff::MinTenths, KissOff::MaxTenths) *
                   KissOff::WirePerTenth);
}

QString kissOffText(int tenths)
{
    const int t = std::clamp(tenths, KissOff::MinTenths, KissOff::MaxTenths);
    return QStringLiteral("%1.%2").arg(t / 10).arg(t % 10);
}

std::optional<int> kissOffFromText(const QString &text)
{
    for (int t = KissOff::MinTenths; t <= KissOff::MaxTenths; ++t) {
        if (text.trimmed() == kissOffText(t))
            return t;
    }
    return std::nullopt;
}

// --- Alarm server options ---

std::optional<AlarmServerOptions> unpackAlarmSettings(const QByteArray &block)
{
    if (block.size() < AlarmServerOptions::BlockSize)
        return std::nullopt;
    const quint8 intervals = at(block, IntervalsByte);
    const quint8 eventFlags = at(block, EventFlagsByte);
    AlarmServerOptions o;
    o.eventLog = listIndex(intervals >> EventLogShift & 7);
    o.everyEvent = eventFlags & EveryEventBit;
    o.motionDetection = listIndex((intervals & 3) << 1 | ((eventFlags & MotionLowBit) ? 1 : 0));
    o.reportUserNames = at(block, UserNamesByte) & UserNamesBit;
    o.reportZoneNames = at(block, PrivacyByte) & ZoneNamesBit;
    o.saveEventLog = at(block, PrivacyByte) & SaveEventLogBit;
    return o;
}

QByteArray mergeAlarmSettings(const QByteArray &block, const AlarmServerOptions &options)
{
    if (block.size() < AlarmServerOptions::BlockSize)
        return block;
    QByteArray merged = block;
    const int eventLog = listIndex(options.eventLog);
    const int motion = listIndex(options.motionDetection);

    // Every bit of byte 12 is an option or, bits 5-7, always 0.
    merged[IntervalsByte] = char(eventLog << EventLogShift | (motion >> 1 & 3));

    quint8 eventFlags = at(merged, EventFlagsByte);
    eventFlags = withBit(eventFlags, EveryEventBit, options.everyEvent);
    eventFlags = withBit(eventFlags, MotionLowBit, motion & 1);
    merged[EventFlagsByte] = char(eventFlags);

    merged[UserNamesByte] =
        char(withBit(at(merged, UserNamesByte), UserNamesBit, options.reportUserNames));
    quint8 privacy = at(merged, PrivacyByte);
    privacy = withBit(privacy, ZoneNamesBit, options.reportZoneNames);
    privacy = withBit(privacy, SaveEventLogBit, options.saveEventLog);
    merged[PrivacyByte] = char(privacy);
    return merged;
}

} // namespace ykt
