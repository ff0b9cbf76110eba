#include "settings/securityfields.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace ykt;

namespace {

// A block whose every byte differs, so a byte moved or lost shows.
QByteArray patternBlock(int size = AlarmServerOptions::BlockSize)
{
    QByteArray block;
    for (int i = 0; i < size; ++i)
        block.append(char(0x11 * i + 0x05));
    return block;
}

} // namespace

TEST(KissOff, WireValuesBecomeTenthsInRange)
{
    // wire, tenths
    const std::tuple<quint16, int> cases[] = {
        {1600, 8},  {3000, 15}, {2000, 10}, {1699, 8},  {1700, 9}, // half a tenth rounds up
        {2899, 14}, {0, 8},     {1000, 8},  {3100, 15}, {65535, 15},
    };
    for (const auto &[wire, tenths] : cases)
        EXPECT_EQ(kissOffTenths(wire), tenths) << wire;
}

TEST(KissOff, TenthsGoOutAsSecondsTimesTwoThousand)
{
    // tenths, wire, text
    const std::tuple<int, quint16, const char *> cases[] = {
        {8, 1600, "0.8"}, {15, 3000, "1.5"}, {10, 2000, "1.0"}, {7, 1600, "0.8"}, {16, 3000, "1.5"},
    };
    for (const auto &[tenths, wire, text] : cases) {
        EXPECT_EQ(kissOffWire(tenths), wire) << tenths;
        EXPECT_EQ(kissOffText(tenths), QLatin1String(text)) << tenths;
    }
    for (int t = KissOff::MinTenths; t <= KissOff::MaxTenths; ++t) {
        EXPECT_EQ(kissOffTenths(kissOffWire(t)), t);
        EXPECT_EQ(kissOffFromText(kissOffText(t)), t);
    }
    for (const char *text : {"0,8", "0.7", "1.6", "", "1"})
        EXPECT_FALSE(kissOffFromText(QLatin1String(text))) << text;
}

TEST(AlarmSettings, ShortBlockIsNeitherShownNorChanged)
{
    AlarmServerOptions all;
    all.eventLog = all.motionDetection = 4;
    all.everyEvent = all.reportUserNames = all.reportZoneNames = all.saveEventLog = true;
    for (int size : {0, 1, 15}) {
        const QByteArray block = patternBlock(size);
        EXPECT_FALSE(unpackAlarmSettings(block)) << size;
        EXPECT_EQ(mergeAlarmSettings(block, all), block) << size;
    }
}

TEST(AlarmSettings, MergeWritesOnlyTheOptionBits)
{
    // options, then the expected bytes 6, 7, 12, 13 of the merge into a block
    // of all zero bits and into one of all one bits
    struct Case
    {
        int eventLog, motion;
        bool every, users, zones, save;
        quint8 zero6, zero7, zero12, zero13;
        quint8 ones6, ones7, ones12, ones13;
    };
    const Case cases[] = {
        {0, 0, false, false, false, false, 0x00, 0x00, 0x00, 0x00, 0xFC, 0x7F, 0x00, 0x3F},
        {4, 0, false, false, false, false, 0x00, 0x00, 0x10, 0x00, 0xFC, 0x7F, 0x10, 0x3F},
        // motion 3 = 0b011: byte 12 bits 1-0 = 01, byte 13 bit 7 = 1
        {0, 3, false, false, false, false, 0x00, 0x00, 0x01, 0x80, 0xFC, 0x7F, 0x01, 0xBF},
        {2, 4, true, false, false, false, 0x00, 0x00, 0x0A, 0x40, 0xFC, 0x7F, 0x0A, 0x7F},
        {1, 1, false, true, true, true, 0x03, 0x80, 0x04, 0x80, 0xFF, 0xFF, 0x04, 0xBF},
        // a list index with no entry is written as "No"
        {7, -1, false, false, true, false, 0x01, 0x00, 0x00, 0x00, 0xFD, 0x7F, 0x00, 0x3F},
    };
    for (const Case &c : cases) {
        AlarmServerOptions o;
        o.eventLog = c.eventLog;
        o.motionDetection = c.motion;
        o.everyEvent = c.every;
        o.reportUserNames = c.users;
        o.reportZoneNames = c.zones;
        o.saveEventLog = c.save;
        const auto bytes = [](const QByteArray &b) {
            return std::make_tuple(quint8(b[6]), quint8(b[7]), quint8(b[12]), quint8(b[13]));
        };
        const QByteArray zeros = mergeAlarmSettings(QByteArray(16, '\0'), o);
        const QByteArray ones = mergeAlarmSettings(QByteArray(16, '\xFF'), o);
        EXPECT_EQ(bytes(zeros), std::make_tuple(c.zero6, c.zero7, c.zero12, c.zero13))
            << c.eventLog << " " << c.motion;
        EXPECT_EQ(bytes(ones), std::make_tuple(c.ones6, c.ones7, c.ones12, c.ones13))
            << c.eventLog << " " << c.motion;
    }
}

TEST(AlarmSettings, OtherBytesGoBackExactlyAsReceived)
{
    for (int size : {16, 20}) {
        const QByteArray received = patternBlock(size);
        AlarmServerOptions o;
        o.eventLog = 3;
        o.motionDetection = 3;
        o.everyEvent = o.reportUserNames = o.saveEventLog = true;
        const QByteArray merged = mergeAlarmSettings(received, o);
        ASSERT_EQ(merged.size(), size);
        for (int i = 0; i < size; ++i) {
            if (i != 6 && i != 7 && i != 12 && i != 13) {
                EXPECT_EQ(merged[i], received[i]) << "byte " << i;
            }
        }
        // The bits of bytes 6, 7 and 13 that are no option keep theirs.
        EXPECT_EQ(quint8(merged[6]) & 0xFC, quint8(received[6]) & 0xFC);
        EXPECT_EQ(quint8(merged[7]) & 0x7F, quint8(received[7]) & 0x7F);
        EXPECT_EQ(quint8(merged[13]) & 0x3F, quint8(received[13]) & 0x3F);
    }
}

TEST(AlarmSettings, UnpackReadsWhatMergeWrote)
{
    for (int eventLog = 0; eventLog < AlarmServerOptions::IntervalCount; ++eventLog) {
        for (int motion = 0; motion < AlarmServerOptions::IntervalCount; ++motion) {
            AlarmServerOptions o;
            o.eventLog = eventLog;
            o.motionDetection = motion;
            o.everyEvent = motion & 1;
            o.reportUserNames = eventLog & 1;
            o.reportZoneNames = motion & 2;
            o.saveEventLog = eventLog & 2;
            const auto back = unpackAlarmSettings(mergeAlarmSettings(patternBlock(), o));
            ASSERT_TRUE(back);
            EXPECT_EQ(std::make_tuple(back->eventLog, back->motionDetection, back->everyEvent,
                                      back->reportUserNames, back->reportZoneNames,
                                      back->saveEventLog),
                      std::make_tuple(eventLog, motion, o.everyEvent, o.reportUserNames,
                                      o.reportZoneNames, o.saveEventLog));
        }
    }
}

TEST(AlarmSettings, UnpackBringsCodesWithoutAnEntryToNo)
{
    // byte 12, byte 13, event log, motion detection
    const std::tuple<quint8, quint8, int, int> cases[] = {
        {0x01, 0x80, 0, 3}, // motion 3 as the module writes it
        {0x1C, 0x00, 0, 0}, // event log code 7
        {0x14, 0x00, 0, 0}, // event log code 5
        {0xF0, 0x00, 4, 0}, // bits 5-7 are ignored
        {0x03, 0x00, 0, 0}, // motion code 6
        {0x03, 0x80, 0, 0}, // motion code 7
        {0x02, 0x00, 0, 4},
    };
    for (const auto &[b12, b13, eventLog, motion] : cases) {
        QByteArray block(16, '\0');
        block[12] = char(b12);
        block[13] = char(b13);
        const auto o = unpackAlarmSettings(block);
        ASSERT_TRUE(o);
        EXPECT_EQ(std::make_tuple(o->eventLog, o->motionDetection),
                  std::make_tuple(eventLog, motion))
            << std::hex << int(b12) << " " << int(b13);
    }
}
