#include "util/conversions.h"

#include <gtest/gtest.h>

using namespace ykt;

TEST(Conversions, HexToIntAcceptsBothCasesAndEmptyText)
{
    EXPECT_EQ(HexToInt("1f"), 31u);
    EXPECT_EQ(HexToInt("1F"), 31u);
    EXPECT_EQ(HexToInt(""), 0u);
    EXPECT_EQ(HexToInt("FFFFFFFF"), 0xFFFFFFFFu);
    // 32-bit wrapping: the ninth digit pushes the first one out.
    EXPECT_EQ(HexToInt("123456789"), 0x23456789u);
}

TEST(Conversions, HexToIntNamesTheWholeTextInItsError)
{
    try {
        HexToInt("1G");
        FAIL() << "no error raised";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), QByteArray("Ne HEX 1G"));
    }
    EXPECT_THROW(HexToInt(" 1"), ConversionError);
    EXPECT_THROW(HexToInt(QByteArray("1\0", 2)), ConversionError);
}

TEST(Conversions, BytesAndHexRoundTrip)
{
    EXPECT_EQ(BytesToHex(QByteArray("\x00\xAB", 2)), QByteArray("00AB"));
    EXPECT_EQ(BytesToHex(QByteArray()), QByteArray());
    // An odd last digit is ignored.
    EXPECT_EQ(HexToBytes("00AB0"), QByteArray("\x00\xAB", 2));
    EXPECT_EQ(HexToBytes("a"), QByteArray());
    EXPECT_THROW(HexToBytes("0Z"), ConversionError);
}

TEST(Conversions, HexKeyIsAlwaysSixteenCharacters)
{
    QByteArray expected(16, '\0');
    expected[0] = 'A';
    EXPECT_EQ(HexKeyToBytes("41"), expected);
    EXPECT_EQ(HexKeyToBytes("").size(), 16);
    // Cut to 32 digits: the extra (even invalid) characters are never read.
    EXPECT_EQ(HexKeyToBytes(QByteArray(32, 'F') + "ZZ"), QByteArray(16, '\xFF'));
    EXPECT_THROW(HexKeyToBytes("4X"), ConversionError);
}

TEST(Conversions, SplitFirstTakesTheHeadAndLeavesTheRest)
{
    QByteArray text = "a=b=c";
    EXPECT_EQ(SplitFirst(text, '='), QByteArray("a"));
    EXPECT_EQ(text, QByteArray("b=c"));
    text = "abc";
    EXPECT_EQ(SplitFirst(text, '='), QByteArray("abc"));
    EXPECT_TRUE(text.isEmpty());
    text = "=x";
    EXPECT_EQ(SplitFirst(text, '='), QByteArray());
    EXPECT_EQ(text, QByteArray("x"));

    QString wide = QStringLiteral("ą;ė;į");
    EXPECT_EQ(SplitFirst(wide, QLatin1Char(';')), QStringLiteral("ą"));
    EXPECT_EQ(wide, QStringLiteral("ė;į"));
}

TEST(Conversions, CopyBytesStopsAtTheEndOfEitherArray)
{
    QByteArray dst(4, 'x');
    CopyBytes(dst, "abcdef", 2, 10, 1);
    EXPECT_EQ(dst, QByteArray("xxbc"));
    dst = QByteArray(6, 'x');
    CopyBytes(dst, "ab", 1, 10, 0);
    EXPECT_EQ(dst, QByteArray("xabxxx"));
    CopyBytes(dst, "ab", -1, 2, 0); // a negative position copies nothing
    EXPECT_EQ(dst, QByteArray("xabxxx"));
    CopyBytesAt(dst, "1234567", 4);
    EXPECT_EQ(dst, QByteArray("xabx12"));

    QByteArray empty;
    FillBytes(empty, 7);
    EXPECT_TRUE(empty.isEmpty());
    FillBytes(dst, 0);
    EXPECT_EQ(dst, QByteArray(6, '\0'));
}

TEST(Conversions, IndexOfTextIgnoresTheCaseOfAsciiLettersOnly)
{
    const QList<QByteArray> list = {"Zones", "USERS", "\xC0x"};
    EXPECT_EQ(IndexOfText("users", list), 1);
    EXPECT_EQ(IndexOfText("zones", list), 0);
    EXPECT_EQ(IndexOfText("user", list), -1);
    // 0xC0 and 0xE0 are a letter pair in some code pages, not in A..Z.
    EXPECT_EQ(IndexOfText("\xE0x", list), -1);
    EXPECT_EQ(IndexOfText("\xC0X", list), 2);
}

TEST(Conversions, PrintableTextEscapesControlAndHighBytes)
{
    EXPECT_EQ(printableText(QByteArray("a\0\n\\\xFF", 5)), QByteArray("a\\x00\\x0A\\\\\\xFF"));
}
