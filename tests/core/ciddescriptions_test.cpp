#include "refdata/ciddescriptions.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace ykt;

namespace {

TCIDDescriptions Parse(const QByteArray &content, TCIDLoadResult *result = nullptr)
{
    TCIDDescriptions table;
    const TCIDLoadResult r = ParseCIDDescriptions(content, table);
    if (result)
        *result = r;
    return table;
}

} // namespace

TEST(CIDDescriptions, FullLineFillsEveryField)
{
    TCIDLoadResult result;
    const auto table = Parse("Burglary\t1130\tPartition\tZONE\t1\ttrue\t57\textra\n"
                             "Closing\t3401\tpartition\tuser\tFalse\t0\n",
                             &result);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.messageNumber(), 0);
    ASSERT_EQ(table.size(), 2);
    const TCIDDescription &d = table.at(0);
    EXPECT_EQ(d.Text, QByteArray("Burglary"));
    EXPECT_EQ(d.FileText, QByteArray("Burglary"));
    EXPECT_EQ(d.Code, QByteArray("1130"));
    EXPECT_EQ(d.Qualifier, 6);
    EXPECT_EQ(d.E1, 1);
    EXPECT_EQ(d.E2, 3);
    EXPECT_EQ(d.E3, 0);
    EXPECT_EQ(d.GroupKind, QByteArray("partition"));
    EXPECT_EQ(d.ZoneKind, QByteArray("zone"));
    EXPECT_TRUE(d.RestoreAllowed);
    EXPECT_TRUE(d.Preset24H);
    EXPECT_EQ(d.MessageNumber, 57);

    const TCIDDescription &c = table.at(1);
    EXPECT_EQ(c.Qualifier, 7);
    EXPECT_EQ(c.E1, 4);
    EXPECT_EQ(c.E3, 1);
    EXPECT_FALSE(c.RestoreAllowed);
    EXPECT_FALSE(c.Preset24H);
    EXPECT_EQ(c.MessageNumber, -1);
}

TEST(CIDDescriptions, CodeIsCutToFourAndThenChecked)
{
    TCIDLoadResult result;
    auto table = Parse("Five digits\t11305\n", &result);
    EXPECT_TRUE(result.ok());
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.at(0).Code, QByteArray("1130"));

    for (const char *bad : {"113", "2130", "1A30", "", " 113", "+130", "0130"}) {
        table = Parse(QByteArray("Event\t") + bad + "\n", &result);
        EXPECT_EQ(result.status, TCIDLoadStatus::BadCode) << bad;
        EXPECT_EQ(result.messageNumber(), kCIDMessageBadCode) << bad;
    }
}

TEST(CIDDescriptions, BadCodeReportsTheFirstBadLineAndReadsOn)
{
    TCIDLoadResult result;
    const auto table = Parse("/ comment\n"
                             "Good\t1130\n"
                             "Short\t113\n"
                             "Letter\t1X30\n"
                             "After\t1137\n",
                             &result);
    EXPECT_EQ(result.status, TCIDLoadStatus::BadCode);
    EXPECT_EQ(result.badLine, 3);
    ASSERT_EQ(table.size(), 4);
    EXPECT_EQ(table.last().Code, QByteArray("1137"));
}

TEST(CIDDescriptions, CommentsEmptyLinesAndShortLines)
{
    TCIDLoadResult result;
    const auto table = Parse("// header\r\n\r\n/Not an event\t1130\r\nName only\t1130\r\n"
                             "\rCR line\t1131\rLF line\t1132\n",
                             &result);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(table.size(), 3);
    const TCIDDescription &d = table.at(0);
    EXPECT_EQ(d.FileText, QByteArray("Name only"));
    EXPECT_TRUE(d.GroupKind.isEmpty());
    EXPECT_TRUE(d.ZoneKind.isEmpty());
    EXPECT_EQ(CIDKindOf(d.GroupKind), TCIDKind::Other);
    EXPECT_FALSE(d.RestoreAllowed);
    EXPECT_FALSE(d.Preset24H);
    EXPECT_EQ(d.MessageNumber, -1);
    EXPECT_EQ(table.at(1).Code, QByteArray("1131"));
    EXPECT_EQ(table.at(2).Code, QByteArray("1132"));
}

TEST(CIDDescriptions, FlagAndNumberConversions)
{
    const std::map<QByteArray, bool> flags = {
        {"1", true},      {"-1", true},
        {"000", false},   {"tRuE", true},
        {"False", false}, {"yes", false},
        {" 1", false},    {"1.0", false},
        {"", false},      {"99999999999999999999", true},
    };
    for (const auto &[text, expected] : flags) {
        const auto table = Parse("E\t1130\tnull\tnull\t" + text + "\t" + text + "\n");
        EXPECT_EQ(table.at(0).RestoreAllowed, expected) << text.constData();
        EXPECT_EQ(table.at(0).Preset24H, expected) << text.constData();
    }
    const std::map<QByteArray, int> numbers = {
        {"57", 57}, {"0", 0}, {"-5", -5}, {"", -1}, {"x", -1}, {"5x", -1}, {"2147483648", -1},
    };
    for (const auto &[text, expected] : numbers) {
        const auto table = Parse("E\t1130\tnull\tnull\t0\t0\t" + text + "\n");
        EXPECT_EQ(table.at(0).MessageNumber, expected) << text.constData();
    }
}

TEST(CIDDescriptions, NameIsCutToFiftyCharacters)
{
    const auto table = Parse(QByteArray(70, 'N') + "\t1130\n");
    EXPECT_EQ(table.at(0).FileText, QByteArray(50, 'N'));
    EXPECT_EQ(table.at(0).Text, QByteArray(50, 'N'));
}

TEST(CIDDescriptions, LoadingFromFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TCIDDescriptions table = Parse("Old\t1130\n");

    TCIDLoadResult result = LoadCIDDescriptions(dir.filePath("CID_Descriptions.txt"), table);
    EXPECT_EQ(result.status, TCIDLoadStatus::FileMissing);
    EXPECT_EQ(result.messageNumber(), kCIDMessageMissing);
    EXPECT_TRUE(table.isEmpty());

    QFile file(dir.filePath("CID_Descriptions.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Fire\t1110\tpartition\tzone\t1\t1\n");
    file.close();
    result = LoadCIDDescriptions(file.fileName(), table);
    EXPECT_TRUE(result.ok());
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.at(0).Code, QByteArray("1110"));
}

TEST(CIDDescriptions, RefreshTakesTheNamePartOfTheMessage)
{
    auto table = Parse("Fire\t1110\tpartition\tzone\t1\t1\t57\n"
                       "Burglary\t1130\tpartition\tzone\t1\t0\t58\n"
                       "Panic\t1120\tpartition\tzone\t1\t1\t59\n"
                       "Untranslated\t1137\tpartition\tzone\t1\t1\n"
                       "Long\t1140\tpartition\tzone\t1\t1\t60\n");
    std::map<int, QByteArray> lithuanian = {
        {57, "Gaisras\\Pranesimas\\antra eilute"},
        {58, "Isilauzimas"},
        {59, "\\only hint lines"},
        {60, QByteArray(60, 'L')},
    };
    QList<int> asked;
    RefreshCIDTexts(table, [&](int n) {
        asked.append(n);
        return lithuanian.count(n) ? lithuanian.at(n) : QByteArray();
    });
    EXPECT_EQ(table.at(0).Text, QByteArray("Gaisras"));
    EXPECT_EQ(table.at(1).Text, QByteArray("Isilauzimas"));
    EXPECT_EQ(table.at(2).Text, QByteArray("Panic"));        // empty name part
    EXPECT_EQ(table.at(3).Text, QByteArray("Untranslated")); // no message number
    EXPECT_EQ(table.at(4).Text, QByteArray(50, 'L'));
    EXPECT_EQ(asked, (QList<int>{57, 58, 59, 60}));
    EXPECT_EQ(table.at(0).FileText, QByteArray("Fire"));

    // A language without these messages brings the file names back.
    RefreshCIDTexts(table, [](int) { return QByteArray(); });
    EXPECT_EQ(table.at(0).Text, QByteArray("Fire"));
    EXPECT_EQ(table.at(1).Text, QByteArray("Burglary"));
    EXPECT_EQ(table.at(4).Text, QByteArray("Long"));
}

TEST(CIDDescriptions, FindByTextTakesTheFirstMatch)
{
    auto table = Parse("Alarm\t1130\nAlarm\t1131\nTamper\t1137\n");
    const TCIDDescription *d = FindCIDByText(table, QByteArray("Alarm"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Code, QByteArray("1130"));
    EXPECT_EQ(FindCIDByText(table, QByteArray("alarm")), nullptr);
    EXPECT_EQ(FindCIDByText(table, QByteArray()), nullptr);

    // Found by the translated Text, not by the file's name.
    RefreshCIDTexts(table, [](int) { return QByteArray(); });
    table[2].Text = "\xC4\xE0\xF2\xF7\xE8\xEA"; // Windows-1251 bytes
    const auto cyrillic = [](const QByteArray &b) {
        QString s;
        for (char c : b)
            s.append(uchar(c) >= 0xC0 ? QChar(0x0410 + uchar(c) - 0xC0) : QChar(uchar(c)));
        return s;
    };
    d = FindCIDByText(table, QString::fromUtf8("Датчик"), cyrillic);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Code, QByteArray("1137"));
    EXPECT_EQ(FindCIDByText(table, QByteArray("Tamper")), nullptr);
}

TEST(CIDDescriptions, InputBytesDecodeAndEncode)
{
    const auto table = Parse("Burglary\t1130\tpartition\tzone\n"
                             "Other burglary\t1130\tpartition\tzone\n"
                             "Restore\t3134\tpartition\tzone\n");
    // Event 1130, group 1, zone 5.
    EXPECT_EQ(EncodeCIDBytes(table.at(0), 1, 5), QByteArray::fromHex("0613001005"));
    const TCIDInputCode decoded = DecodeCIDBytes(QByteArray::fromHex("0713402345"));
    EXPECT_EQ(decoded.Code, QByteArray("3134"));
    EXPECT_EQ(decoded.Group, 2);
    EXPECT_EQ(decoded.Zone, 345);
    EXPECT_EQ(EncodeCIDBytes(table.at(2), 2, 345), QByteArray::fromHex("0713402345"));

    EXPECT_EQ(FindCIDByCode(table, QByteArray::fromHex("0613001005")), 0);
    EXPECT_EQ(FindCIDByCode(table, QByteArray::fromHex("0713402345")), 2);
    // Any byte 0 other than 7 reads as qualifier 1.
    EXPECT_EQ(FindCIDByCode(table, QByteArray::fromHex("0013000000")), 0);
    EXPECT_EQ(FindCIDByCode(table, QByteArray::fromHex("0614000000")), -1);
    // Five zero bytes (the factory default) and a short array find nothing.
    EXPECT_EQ(FindCIDByCode(table, QByteArray(5, '\0')), -1);
    EXPECT_EQ(DecodeCIDBytes(QByteArray::fromHex("0613")).Code, QByteArray("1130"));
    // Nibbles above 9 never match a decimal code.
    EXPECT_EQ(DecodeCIDBytes(QByteArray::fromHex("06A300")).Code, QByteArray("1A30"));
}

TEST(CIDDescriptions, EntrySetupPerKind)
{
    EXPECT_EQ(CIDKindOf("Partition"), TCIDKind::Partition);
    EXPECT_EQ(CIDKindOf("ZONE"), TCIDKind::Zone);
    EXPECT_EQ(CIDKindOf("zones"), TCIDKind::Other);

    // A zone alarm on input 3: partition 1 of 8, zone position 2 (zone 3) of 64.
    const TCIDEntrySetup group = CIDEntrySetup(TCIDKind::Partition, 2);
    const TCIDEntrySetup zone = CIDEntrySetup(TCIDKind::Zone, 2);
    EXPECT_TRUE(group.used && zone.used);
    EXPECT_EQ(group.initialNumber + group.numberingStart, 1);
    EXPECT_EQ(group.highestCount, 8);
    EXPECT_EQ(zone.initialNumber, 2);
    EXPECT_EQ(zone.initialNumber + zone.numberingStart, 3);
    EXPECT_EQ(zone.highestCount, 64);
    // Users and modules number from 0, unlike zones and partitions.
    EXPECT_EQ(CIDEntrySetup(TCIDKind::User, 2).numberingStart, 0);
    EXPECT_EQ(CIDEntrySetup(TCIDKind::Module, 2).highestCount, 16);
    const TCIDEntrySetup none = CIDEntrySetup(TCIDKind::Null, 2);
    EXPECT_FALSE(none.used);
    EXPECT_EQ(none.initialNumber, -1);
}
