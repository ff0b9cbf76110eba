// The input fields of the Inputs page and the event picker's entries: the
// Contact ID bytes from an event and two entries and back, the ranges a
// stored group or zone must lie in, the example SMS texts and the text of
// the SMS text dialog.

#include "refdata/ciddescriptions.h"
#include "settings/inputfields.h"
#include "texts/examplesms.h"

#include <gtest/gtest.h>

namespace ykt {
namespace {

TCIDDescription event(const char *code, const char *groupKind, const char *zoneKind)
{
    TCIDDescriptions table;
    const QByteArray line =
        QByteArray("E\t") + code + '\t' + groupKind + '\t' + zoneKind + "\t1\t0";
    EXPECT_TRUE(ParseCIDDescriptions(line, table).ok());
    return table.value(0);
}

TEST(InputFields, ContactIdBytesGoOutAndComeBackOverTheRanges)
{
    struct Case
    {
        const char *code, *groupKind, *zoneKind;
        int storedGroup, storedZone; // what the module holds
        int shownGroup, shownZone;   // what the entries report after the show
        QByteArray bytes;            // what is written back
    };
    const Case cases[] = {
        // Partition 1 and zone 5 of a burglary: the documented example.
        {"1130", "partition", "zone", 1, 5, 1, 5, QByteArray::fromHex("0613001005")},
        // Range edges: partition 8, zone 64 are taken; 9 and 65 keep the
        // entry's start (partition 1, zone of the input: 3 for input 3).
        {"1130", "partition", "zone", 8, 64, 8, 64, QByteArray::fromHex("0613008064")},
        {"1130", "partition", "zone", 9, 65, 1, 3, QByteArray::fromHex("0613001003")},
        // Below the numbering start: partition 0 and zone 0 are no positions.
        {"1130", "partition", "zone", 0, 0, 1, 3, QByteArray::fromHex("0613001003")},
        // Users and modules count from 0: 63 and 15 are the last ones.
        {"1121", "partition", "user", 2, 63, 2, 63, QByteArray::fromHex("0612102063")},
        {"3134", "module", "user", 15, 64, 15, 0, QByteArray::fromHex("0713415000")},
        // An unused entry packs as 0, never -1.
        {"1401", "null", "user", 7, 12, 0, 12, QByteArray::fromHex("0640100012")},
    };
    for (const Case &c : cases) {
        const TCIDDescription e = event(c.code, c.groupKind, c.zoneKind);
        TPickerEntry group = configuredEntry({}, e.GroupKind, 2);
        TPickerEntry zone = configuredEntry({}, e.ZoneKind, 2);
        group = withStoredValue(group, c.storedGroup);
        zone = withStoredValue(zone, c.storedZone);
        EXPECT_EQ(group.value(), c.shownGroup) << c.code << " " << c.storedGroup;
        EXPECT_EQ(zone.value(), c.shownZone) << c.code << " " << c.storedZone;
        const QByteArray bytes = packInputCid(e, group, zone);
        EXPECT_EQ(bytes.toHex(), c.bytes.toHex()) << c.code;
        const TCIDInputCode back = DecodeCIDBytes(bytes);
        EXPECT_EQ(back.Code, QByteArray(c.code));
        EXPECT_EQ(back.Group, c.shownGroup);
        EXPECT_EQ(back.Zone, c.shownZone);
    }
    // The documented read-back: 07 13 40 23 45 is event 3134, group 2, zone 345.
    const TCIDInputCode read = DecodeCIDBytes(QByteArray::fromHex("0713402345"));
    EXPECT_EQ(read.Code, QByteArray("3134"));
    EXPECT_EQ(read.Group, 2);
    EXPECT_EQ(read.Zone, 345);
}

TEST(InputFields, NamesAreReadOnlyInsideTheirTable)
{
    TextsArea texts;
    texts.itemNames[0][63] = "Zone 64";
    texts.itemNames[3][7] = "Partition 8";
    EXPECT_EQ(pickerName(texts, TCIDNameList::Zones, 63), QByteArray("Zone 64"));
    EXPECT_EQ(pickerName(texts, TCIDNameList::Partitions, 7), QByteArray("Partition 8"));
    EXPECT_TRUE(pickerName(texts, TCIDNameList::Partitions, 8).isEmpty());
    EXPECT_TRUE(pickerName(texts, TCIDNameList::Zones, -1).isEmpty());
    EXPECT_TRUE(pickerName(texts, TCIDNameList::None, 0).isEmpty());
    TPickerEntry none = configuredEntry({}, "null", 0);
    EXPECT_FALSE(none.holdsName());
    EXPECT_TRUE(entryName(texts, none).isEmpty());
    // An unknown kind leaves the entry as it was.
    TPickerEntry zone = configuredEntry({}, "zone", 4);
    EXPECT_EQ(configuredEntry(zone, "door", 0).value(), 5);
}

TEST(InputFields, SensitivityNoReactionAndViolationsKeepTheirRanges)
{
    EXPECT_EQ(sensitivityMsOf(0), 400);
    EXPECT_EQ(sensitivityMsOf(7), 700);
    EXPECT_EQ(sensitivityMsOf(200), 2500);
    EXPECT_EQ(sensivityOf(450), 4);
    EXPECT_EQ(sensivityOf(2500), 25);
    EXPECT_EQ(boundedNoReaction(23 * 3600 + 59 * 60 + 59), 65535);
    EXPECT_EQ(boundedNoReaction(600), 600);
    EXPECT_EQ(violationsToWrite(5), 1);
    EXPECT_EQ(violationsToWrite(0), 0);
}

TEST(ExampleSms, EachCodeGivesItsTextOrNone)
{
    const auto p = DefaultTemplatePhrases();
    struct Case
    {
        const char *code;
        const char *example; // nullptr: none
    };
    const Case cases[] = {
        {"1100", "Suveikimas Medicinine Z5"},
        {"1101", "Suveikimas Medicinine Z5"},
        {"1110", "Suveikimas Z5"},
        {"1115", "Suveikimas Z5"},
        {"1120", "Suveikimas Panika Z5"},
        {"1121", "Suveikimas Uzpuolimas Z5"},
        {"1131", "Suveikimas Z5"},
        {"1132", "Suveikimas Z5"},
        {"1134", "Suveikimas Z5"},
        {"1145", "Suveikimas Sabotazas Z5"},
        {"1401", "Z5 Isjungta P1"},
        {"3401", "Z5 Saugoma P1"},
        {"1130", nullptr},
        {"3130", nullptr},
        {"1102", nullptr},
        {"", nullptr},
    };
    for (const Case &c : cases) {
        const auto example = BuildExampleSms(c.code, p, "P1", "Z5");
        if (c.example)
            EXPECT_EQ(example.value_or("(none)"), QByteArray(c.example)) << c.code;
        else
            EXPECT_FALSE(example.has_value()) << c.code;
    }
    // Another template phrase list changes the example.
    auto other = p;
    other[2] = "Off";
    EXPECT_EQ(BuildExampleSms("1401", other, "P1", "Z5").value_or(""), QByteArray("Z5 Off P1"));
}

TEST(ExampleSms, TheDialogTextBecomesOneLineOfFiftyCharacters)
{
    EXPECT_EQ(NormalizeSmsText(QStringLiteral("Door\r\nopen\nnow")),
              QStringLiteral("Door open now"));
    const QString three = QString(30, QLatin1Char('a')) + QStringLiteral("\r\n") +
                          QString(30, QLatin1Char('b')) + QStringLiteral("\n") +
                          QStringLiteral("c");
    const QString one = NormalizeSmsText(three);
    EXPECT_EQ(one.size(), 50);
    EXPECT_EQ(one,
              QString(30, QLatin1Char('a')) + QLatin1Char(' ') + QString(19, QLatin1Char('b')));
}

TEST(ExampleSms, DefaultTextsComeFromTheMessages)
{
    TextsArea texts;
    SetDefaultTexts(texts, [](int n) { return "m" + QByteArray::number(n); });
    EXPECT_EQ(texts.itemNames[0][0], QByteArray("m191"));
    EXPECT_EQ(texts.itemNames[1][0], QByteArray("m210"));
    EXPECT_EQ(texts.itemNames[2][63], QByteArray("m2063"));
    EXPECT_EQ(texts.itemNames[3][7], QByteArray("m228"));
    EXPECT_EQ(texts.itemNames[4][15], QByteArray("m15516"));
    EXPECT_EQ(texts.smsPhrases[0], QByteArray("m1"));
    EXPECT_EQ(texts.smsPhrases[14], QByteArray("m15"));
    EXPECT_EQ(texts.smsPhrases[15], QByteArray("m143"));
    EXPECT_EQ(texts.smsPhrases[18], QByteArray("m146"));
    EXPECT_EQ(texts.additionalTexts[0], QByteArray("m16"));
    EXPECT_EQ(texts.additionalTexts[1], QByteArray("m17"));
    EXPECT_EQ(ItemRowLabel(3, 0, [](int) { return QByteArray("User"); }), QByteArray("U0"));
}

} // namespace
} // namespace ykt
