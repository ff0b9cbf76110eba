#include "refdata/apnlist.h"
#include "refdata/nationid.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

QByteArray Utf16(const QString &text, bool littleEndian)
{
    QByteArray out = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const char lo = char(u & 0xFF), hi = char(u >> 8);
        out.append(littleEndian ? lo : hi);
        out.append(littleEndian ? hi : lo);
    }
    return out;
}

QByteArray Utf8Bom(const QString &text)
{
    return "\xEF\xBB\xBF" + text.toUtf8();
}

} // namespace

TEST(APNList, LocationsOperatorsAndApns)
{
    const TAPNList list = ParseAPNList("Orphan\tapn.before.any.location\r\n"
                                       "&Lithuania\t141\r\n"
                                       "Telia\tinternet.telia.lt\r\n"
                                       "\r\n"
                                       "Bite\tbanga\t\tinternet\r\n"
                                       "Tele2\tinternet.tele2.lt\t\r\n"
                                       "NoApn\r\n"
                                       "&Nowhere\r\n"
                                       "&Bad code\tabc\r\n"
                                       "&Wide code\t65677\r\n");
    ASSERT_EQ(list.size(), 4);
    const TAPNItem &lt = list.at(0);
    EXPECT_EQ(lt.Name, QString("Lithuania"));
    EXPECT_EQ(lt.GeoCode, 141);
    ASSERT_EQ(lt.Operators.size(), 4);
    EXPECT_EQ(lt.Operators.at(0), (TOperator{"Telia", {"internet.telia.lt"}}));
    // Two TABs in a row give an empty APN; a final TAB adds nothing.
    EXPECT_EQ(lt.Operators.at(1).APNs, (QStringList{"banga", "", "internet"}));
    EXPECT_EQ(lt.Operators.at(2).APNs, (QStringList{"internet.tele2.lt"}));
    EXPECT_TRUE(lt.Operators.at(3).APNs.isEmpty());

    EXPECT_EQ(list.at(1).GeoCode, 0);
    EXPECT_TRUE(list.at(1).Operators.isEmpty());
    EXPECT_EQ(list.at(2).GeoCode, 0);
    EXPECT_EQ(list.at(3).GeoCode, 141); // 65677 = 65536 + 141: low 16 bits only
}

TEST(APNList, NationCodeConversion)
{
    const TAPNList list = ParseAPNList("&A\t-1\n&B\t+203\n&C\t4294967437\n&D\t 141\n&E\t141x\n");
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list.at(0).GeoCode, 0xFFFF);
    EXPECT_EQ(list.at(1).GeoCode, 203);
    EXPECT_EQ(list.at(2).GeoCode, 0); // beyond 32 bits: not a number
    EXPECT_EQ(list.at(3).GeoCode, 0);
    EXPECT_EQ(list.at(4).GeoCode, 0);
}

TEST(APNList, LookupsTakeTheFirstExactMatch)
{
    const TAPNList list =
        ParseAPNList("&Twin\t1\nFirst\ta\nFirst\tb\n&Twin\t2\nSecond\tc\n&Empty\n");
    const TAPNItem *twin = FindAPNLocation(list, "Twin");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->GeoCode, 1);
    const TOperator *op = FindAPNOperator(*twin, "First");
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->APNs, QStringList{"a"});
    EXPECT_EQ(FindAPNOperator(*twin, "first"), nullptr);
    EXPECT_EQ(FindAPNLocation(list, "twin"), nullptr);
    EXPECT_TRUE(FindAPNLocation(list, "Empty")->Operators.isEmpty());
}

TEST(APNList, PreselectionByNationIdentifier)
{
    const TAPNList list = ParseAPNList("&NoCode\n&Russia\t203\n&Lithuania\t141\n&Again\t141\n");
    EXPECT_EQ(PreselectedAPNLocation(list, 141), 2);
    EXPECT_EQ(PreselectedAPNLocation(list, 203), 1);
    // 0 (unknown nation) never selects the location without a code.
    EXPECT_EQ(PreselectedAPNLocation(list, 0), -1);
    EXPECT_EQ(PreselectedAPNLocation(list, 244), -1);
    EXPECT_EQ(PreselectedAPNLocation(list, 65536 + 141), -1);
}

TEST(APNList, EveryEncodingReadsTheSameText)
{
    const QString text = QString::fromUtf8("&España\t217\r\nTelefónica €\tmovistar.es\tx\r\n"
                                           "&Lietuva\t141\r\nBitė\tbanga\r\n");
    const TAPNList eightBit = ParseAPNList(UnicodeToSystemEightBit(text));
    ASSERT_EQ(eightBit.size(), 2);
    EXPECT_EQ(eightBit.at(0).Name, QString::fromUtf8("España"));
    EXPECT_EQ(eightBit.at(0).Operators.at(0).Name, QString::fromUtf8("Telefónica €"));
    // "ė" is not in the system code page: every form loses it alike.
    EXPECT_EQ(eightBit.at(1).Operators.at(0).Name, QString("Bit?"));

    EXPECT_EQ(DetectAPNEncoding(Utf16(text, true)), TAPNEncoding::Utf16LE);
    EXPECT_EQ(DetectAPNEncoding(Utf16(text, false)), TAPNEncoding::Utf16BE);
    EXPECT_EQ(DetectAPNEncoding(Utf8Bom(text)), TAPNEncoding::Utf8);
    EXPECT_EQ(ParseAPNList(Utf16(text, true)), eightBit);
    EXPECT_EQ(ParseAPNList(Utf16(text, false)), eightBit);
    EXPECT_EQ(ParseAPNList(Utf8Bom(text)), eightBit);

    // Without a mark, UTF-8 bytes are 8-bit text: "ñ" reads as two characters.
    EXPECT_EQ(ParseAPNList(text.toUtf8()).at(0).Name, QString::fromUtf8("EspaÃ±a"));
}

TEST(APNList, DamagedUnicodeFiles)
{
    // An odd last byte of UTF-16 is dropped; a mark alone is an empty list.
    QByteArray le = Utf16("&A\t1\nOp\tapn", true);
    EXPECT_EQ(ParseAPNList(le + 'x'), ParseAPNList(le));
    EXPECT_TRUE(ParseAPNList("\xFF\xFE").isEmpty());
    EXPECT_TRUE(ParseAPNList("\xEF\xBB\xBF").isEmpty());
    // Invalid UTF-8 and unpaired surrogates come out as "?".
    EXPECT_EQ(ParseAPNList("\xEF\xBB\xBF&A\xFF"
                           "B")
                  .at(0)
                  .Name,
              QString("A?B"));
    EXPECT_EQ(ParseAPNList(QByteArray("\xFF\xFE&\0\x00\xD8", 6)).at(0).Name, QString("?"));
}

TEST(APNList, LoadingFromFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TAPNList list = ParseAPNList("&Old\t1\n");
    EXPECT_FALSE(LoadAPNList(dir.filePath("APN.txt"), list));
    EXPECT_TRUE(list.isEmpty());

    QFile file(dir.filePath("APN.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Utf16("&Latvia\t140\r\nLMT\tinternet.lmt.lv\r\n", false));
    file.close();
    EXPECT_TRUE(LoadAPNList(file.fileName(), list));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.at(0).Operators.at(0), (TOperator{"LMT", {"internet.lmt.lv"}}));
}

TEST(NationId, TerritoriesMapToWindowsIdentifiers)
{
    EXPECT_EQ(GeoIdOfIsoCode("lt"), 141u);
    EXPECT_EQ(GeoIdOfIsoCode("MK"), 19618u);
    EXPECT_EQ(GeoIdOfIsoCode("ZZ"), 0u);
    EXPECT_EQ(GeoIdOfIsoCode("LTU"), 0u);
    EXPECT_EQ(GeoIdOfTerritory(QLocale::Russia), 203u);
    EXPECT_EQ(GeoIdOfTerritory(QLocale::AnyTerritory), 0u);
}

TEST(NationId, NoTwoTerritoriesShareAnIdentifier)
{
    QSet<quint32> seen;
    int mapped = 0;
    for (int t = QLocale::AnyTerritory + 1; t <= QLocale::LastTerritory; ++t) {
        const quint32 id = GeoIdOfTerritory(QLocale::Territory(t));
        if (id == 0)
            continue;
        EXPECT_FALSE(seen.contains(id)) << "identifier " << id << " appears twice, territory " << t;
        seen.insert(id);
        ++mapped;
    }
    EXPECT_GE(mapped, 150);
}
