#include "templates/templatelines.h"

#include <gtest/gtest.h>

using namespace ykt;

TEST(TemplateLines, NameIsBeforeTheFirstEqualsSignAndLookupIgnoresCase)
{
    QByteArray name;
    QByteArray value;
    ASSERT_TRUE(splitNamedLine("InputSMSPhrase0= a=b\t ", &name, &value));
    EXPECT_EQ(name, "InputSMSPhrase0");
    EXPECT_EQ(value, " a=b\t ");
    EXPECT_FALSE(splitNamedLine("stray help text", &name, &value));

    const NamedValues values({"language=English", "Language=Russian", "Zone1=a=b", "ZoneVoiceData0",
                              makeNamedLine("Password", "")});
    EXPECT_EQ(values.value("Language"), "English");
    EXPECT_EQ(values.value("ZONE1"), "a=b");
    EXPECT_TRUE(values.contains("password"));
    EXPECT_FALSE(values.contains("ZoneVoiceData0"));
    EXPECT_EQ(values.value("Lang"), "");
}

TEST(ValueCodec, IntegersAreStrictDecimal)
{
    for (const qint32 n : {0, -1, 2147483647, -2147483647 - 1})
        EXPECT_EQ(decodeInteger(encodeInteger(n)), n);
    EXPECT_EQ(encodeInteger(-2049), "-2049");
    EXPECT_EQ(decodeInteger("+007"), 7);
    for (const char *bad : {"", "-", "abc", " 1", "1 ", "1.0", "0x10", "$10", "2147483648",
                            "-2147483649", "99999999999999999999"}) {
        EXPECT_THROW(decodeInteger(bad), ConversionError) << bad;
    }
    try {
        decodeInteger("1\tx");
        FAIL();
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), "Not an integer: '1\\x09x'");
    }
}

TEST(ValueCodec, Booleans)
{
    EXPECT_TRUE(decodeBoolean(encodeBoolean(true)));
    EXPECT_FALSE(decodeBoolean(encodeBoolean(false)));
    for (const char *truthy : {"-1", "1", "5", "TRUE", "tRuE"})
        EXPECT_TRUE(decodeBoolean(truthy)) << truthy;
    for (const char *falsy : {"", "00", "False", "yes", " -1", "True "})
        EXPECT_FALSE(decodeBoolean(falsy)) << falsy;
}

TEST(ValueCodec, RealsUseTheGivenSeparator)
{
    EXPECT_EQ(encodeReal(1.2, ','), "1,2");
    EXPECT_EQ(encodeReal(1.0, '.'), "1");
    EXPECT_EQ(encodeReal(1.0 / 3.0, '.'), "0.333333333333333");
    EXPECT_EQ(encodeReal(0.1 + 0.2, '.'), "0.3");
    for (int tenths = 8; tenths <= 15; ++tenths) {
        EXPECT_EQ(decodeReal(encodeReal(tenths / 10.0, ','), ','), tenths / 10.0);
        EXPECT_EQ(decodeReal(encodeReal(tenths / 10.0, '.'), '.'), tenths / 10.0);
    }
    EXPECT_EQ(decodeReal("-1.5e1", '.'), -15.0);
    // A comma where the separator is a point, and other text, reads as 0.8.
    for (const char *bad : {"1,2", "", "1.2.3", " 1", "1e", "inf", "nan", "1e999"})
        EXPECT_EQ(decodeReal(bad, '.'), 0.8) << bad;
    EXPECT_EQ(decodeReal("1.2", ','), 0.8);
}

TEST(ValueCodec, HexBytesAndTabLists)
{
    const QByteArray record("\x05\x00\x01\xFF\x10\x20\x30\x40\xAB", 9);
    EXPECT_EQ(encodeHexBytes(record), "050001FF10203040AB");
    EXPECT_EQ(decodeHexBytes("050001ff10203040Ab"), record);
    EXPECT_EQ(decodeHexBytes("aBc"), "\xAB");
    EXPECT_THROW(decodeHexBytes("0A0G"), ConversionError);

    const QList<qint32> cid = {113, 0, 1, 255, -7};
    EXPECT_EQ(encodeTabList(cid), "113\t0\t1\t255\t-7\t");
    EXPECT_EQ(decodeTabList(encodeTabList(cid), 5), cid);
    EXPECT_EQ(decodeTabList("113\t0\t1\t255\t-7", 5), cid);
    EXPECT_EQ(decodeTabList("113\t0\t1\t255\t-7\tjunk", 5), cid);
    for (const char *bad : {"", "1\t2\t3\t4\t", "1\t\t3\t4\t5\t", "1\t2\tx\t4\t5\t"})
        EXPECT_THROW(decodeTabList(bad, 5), ConversionError) << bad;
}

TEST(ValueCodec, Texts)
{
    EXPECT_EQ(decodeText("0123456789012345678", 15), "012345678901234");
    EXPECT_EQ(singleLineText("Help:\r\nSTATUS\rARM\nOFF\r\n"), "Help: STATUS ARM OFF ");
    EXPECT_EQ(singleLineText(QByteArray("a\0b\n\r", 5)), "a b  ");
}
