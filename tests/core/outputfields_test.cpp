// The outputs and the remote-control list as functions of the model, and the
// zone voice records both ways.

#include "refdata/zonevoice.h"
#include "settings/outputfields.h"

#include <gtest/gtest.h>

using namespace ykt;

namespace {

PhoneRecord &entry(SettingsModel &m, int n) // n = list entry 1..32
{
    return m.phones[size_t(SettingsModel::FirstRemoteControlRecord + n - 1)];
}

} // namespace

TEST(ZoneVoiceRecord, PhraseByteCoding)
{
    struct Case
    {
        int number;
        quint8 byte;
    };
    // Numbers never wrap round: 701..955 give n - 700, anything else 0.
    for (const Case c : {Case{0, 0}, Case{700, 0}, Case{701, 1}, Case{954, 254}, Case{955, 255},
                         Case{956, 0}, Case{1212, 0}, Case{-3, 0}})
        EXPECT_EQ(phraseByte(c.number), c.byte) << c.number;
    // 0 and 255 mean no phrase.
    for (const Case c : {Case{0, 0}, Case{0, 255}, Case{701, 1}, Case{954, 254}, Case{800, 100}})
        EXPECT_EQ(phraseNumber(c.byte), c.number) << int(c.byte);
}

TEST(ZoneVoiceRecord, BuildAndRead)
{
    const QByteArray arrived("\x05\x01\x00\xFF\x00\x00\x00\x00\x00", 9);
    int zone = -1;
    ZoneSlots phrases{};
    ASSERT_TRUE(readZoneVoiceRecord(arrived, zone, phrases));
    EXPECT_EQ(zone, 5);
    EXPECT_EQ(phrases, (ZoneSlots{701, 0, 0, 0, 0, 0, 0, 0}));

    // 955 goes out as 255 and so comes back as no phrase; 700 has no byte.
    const QByteArray built = buildZoneVoiceRecord(63, {701, 954, 955, 700, 0, 0, 0, 702});
    EXPECT_EQ(built, QByteArray("\x3F\x01\xFE\xFF\x00\x00\x00\x00\x02", 9));
    ASSERT_TRUE(readZoneVoiceRecord(built, zone, phrases));
    EXPECT_EQ(phrases, (ZoneSlots{701, 954, 0, 0, 0, 0, 0, 702}));
    EXPECT_EQ(emptyZoneVoiceRecord(2), QByteArray("\x02\0\0\0\0\0\0\0\0", 9));

    // Short records and zones above 63 are ignored.
    phrases = {777};
    EXPECT_FALSE(readZoneVoiceRecord(arrived.left(8), zone, phrases));
    EXPECT_FALSE(readZoneVoiceRecord(QByteArray("\x40\x01\0\0\0\0\0\0\0", 9), zone, phrases));
    EXPECT_EQ(phrases[0], 777);
}

TEST(ZoneVoiceRecord, SlotCaptions)
{
    const TPhraseMenu menu = BuildPhraseMenu("- none -", {{701, "Alarm"}, {702, "Door"}});
    EXPECT_EQ(slotCaption(menu, 0), QByteArray());
    EXPECT_EQ(slotCaption(menu, 702), QByteArray("Door"));
    // A phrase the file does not have shows its number.
    EXPECT_EQ(slotCaption(menu, 799), QByteArray("799"));
}

TEST(OutputFields, LengthsAndCaptions)
{
    EXPECT_EQ(clampPulseSeconds(0), 1);
    EXPECT_EQ(clampPulseSeconds(23 * 3600), 65535);
    EXPECT_EQ(clampPulseSeconds(300), 300);
    // An arm-status output goes out with its length doubled, saturating.
    EXPECT_EQ(sentImpLength(0x0D, 300), 600);
    EXPECT_EQ(sentImpLength(0x05, 40000), 65535);
    EXPECT_EQ(sentImpLength(0x08, 300), 300);
    EXPECT_EQ(sentImpLength(0x0C, 40000), 40000);

    struct Case
    {
        int output;
        bool ykt3;
        const char *group;
        const char *remote;
    };
    for (const Case c :
         {Case{0, false, "OC 1", "OC 1 (1)"}, Case{1, true, "OC 2", "OC 2 (2)"},
          Case{2, false, "OC 3", "OC 3 (3)"}, Case{3, false, "OC 4", "OC 4 (4)"},
          Case{2, true, "Relay 1", "Relay 1 (3)"}, Case{3, true, "Relay 2", "Relay 2 (4)"}}) {
        const OutputCaption caption =
            outputCaption(c.output, c.ykt3, QStringLiteral("OC"), QStringLiteral("Relay"));
        EXPECT_EQ(caption.group, QLatin1String(c.group)) << c.output << c.ykt3;
        EXPECT_EQ(caption.remote, QLatin1String(c.remote)) << c.output << c.ykt3;
    }
    EXPECT_EQ(outputsText(0xA0), QStringLiteral("1,3,"));
    EXPECT_EQ(outputsText(0x0F), QString());
}

TEST(OutputFields, NumbersThatLoseAnOutput)
{
    SettingsModel m;
    entry(m, 5) = {"37060000005", 0x40, 0}; // output 2 only
    entry(m, 6) = {"+37060000006", 0xC0, 0};
    entry(m, 7) = {"37060000007", 0x80, 0};
    m.phones[50] = {"37060000050", 0x40, 0}; // a template-only record counts too
    const QList<int> records = recordsSwitching(m, 1);
    EXPECT_EQ(records, (QList<int>{14, 15, 50}));
    EXPECT_EQ(switchingNumbers(m, records), QByteArray("37060000005; +37060000006; 37060000050; "));

    ASSERT_TRUE(removeOutputFromRecords(m, 1));
    EXPECT_EQ(entry(m, 5).number, QByteArray());
    EXPECT_EQ(entry(m, 5).cr, 0);
    EXPECT_EQ(entry(m, 6).number, QByteArray("+37060000006"));
    EXPECT_EQ(entry(m, 6).cr, 0x80);
    EXPECT_EQ(entry(m, 7).cr, 0x80);
    EXPECT_FALSE(removeOutputFromRecords(m, 1));
}

TEST(OutputFields, RemoteEntryChecks)
{
    SettingsModel m;
    entry(m, 1) = {"+37060000001", 0x80, 0};
    m.phones[45] = {"37060000045", 0x80, 0};
    const int third = SettingsModel::FirstRemoteControlRecord + 2;
    struct Case
    {
        QByteArray number;
        quint8 mask;
        bool checkDuplicates;
        int record;
        RemoteEntryRefusal refusal;
    };
    using R = RemoteEntryRefusal;
    for (const Case &c : {
             Case{"37060000009", 0, true, third, R::NoOutput},
             Case{"", 0, true, third, R::None}, // an empty number clears the entry
             Case{"37060000001", 0x80, true, third,
                  R::Duplicate}, // digits only: the "+" is not compared
             Case{"37060000045", 0x40, true, third, R::Duplicate},
             Case{"37060000001", 0x80, false, third, R::None}, // service mode
             Case{"37060000001", 0x40, true, SettingsModel::FirstRemoteControlRecord, R::None},
             Case{"37060000009", 0x10, true, third, R::None},
         })
        EXPECT_EQ(checkRemoteEntry(m, c.record, c.number, c.mask, c.checkDuplicates), c.refusal)
            << c.number.constData() << " " << int(c.mask);
}
