#include "settings/gprsfields.h"

#include <gtest/gtest.h>

using namespace ykt;
using namespace ykt::gprs;

TEST(GprsFields, ConnectionStringSplitsAtTheFirstColon)
{
    struct Case
    {
        const char *text, *address, *port;
    };
    const Case cases[] = {
        {"192.0.2.10:5000", "192.0.2.10", "5000"},
        {"10.0.0.1:400000", "10.0.0.1", ""}, // six digits are no port
        {"10.0.0.1", "10.0.0.1", ""},        // no ":" is all address
        {"10.0.0.1:", "10.0.0.1", ""},
        {"host-1.example:80:90", "host-1.example", ""}, // "80:90" is no port
        {"host:9a", "host", ""},
        {"host: 80", "host", ""},
        {":1", "", "1"},
        {"", "", ""},
        {"a:65535", "a", "65535"},
        {"a:00000", "a", "00000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitConnectionString(c.text), (Station{c.address, c.port})) << c.text;
}

TEST(GprsFields, ConnectionStringJoinsWithoutColonForNoPort)
{
    EXPECT_EQ(joinConnectionString("10.0.0.1", ""), "10.0.0.1");
    EXPECT_EQ(joinConnectionString("10.0.0.1", "9000"), "10.0.0.1:9000");
    EXPECT_EQ(joinConnectionString("", "9000"), ":9000");
    const QByteArray longest(MaxAddressLength, 'h');
    EXPECT_EQ(joinConnectionString(longest, "65535"), longest + ":65535");
    EXPECT_EQ(joinConnectionString(longest + "xyz", "65535").size(), MaxConnectionStringLength);
    // What a split gives back joins to the same text.
    for (const char *text : {"192.0.2.10:5000", "a.b", ":7"}) {
        const Station s = splitConnectionString(text);
        EXPECT_EQ(joinConnectionString(s.address, s.port), QByteArray(text));
    }
}

TEST(GprsFields, KeyTextAndBytes)
{
    struct Case
    {
        const char *text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"a1b2", QByteArray("\xA1\xB2", 2) + QByteArray(14, '\0')},
        {"", QByteArray(16, '\0')},
        {"F", QByteArray(1, '\xF0') + QByteArray(15, '\0')},
        {"00112233445566778899AABBCCDDEEFF",
         QByteArray::fromHex("00112233445566778899aabbccddeeff")},
        // Cut at 32 digits.
        {"2020202020202020202020202020202099", QByteArray(16, ' ')},
    };
    for (const Case &c : cases) {
        const auto bytes = keyTextToBytes(QString::fromLatin1(c.text));
        ASSERT_TRUE(bytes) << c.text;
        EXPECT_EQ(*bytes, c.bytes) << c.text;
    }
    for (const char *bad : {"G0", "a1b2 ", "0x12", "\xC4"})
        EXPECT_FALSE(keyTextToBytes(QString::fromLatin1(bad))) << bad;
    // Beyond the 32 digits nothing counts.
    EXPECT_TRUE(keyTextToBytes(QStringLiteral("00000000000000000000000000000000zz")));

    EXPECT_EQ(keyBytesToText(QByteArray("\xA1\xB2", 2)),
              QStringLiteral("A1B2") + QString(28, QLatin1Char('0')));
    EXPECT_EQ(keyBytesToText({}), QString(32, QLatin1Char('0')));
    // A key that ends in blanks keeps them; bytes beyond 16 are not shown.
    EXPECT_EQ(keyBytesToText(QByteArray(17, ' ')), QStringLiteral("20").repeated(16));
    const QByteArray key = QByteArray::fromHex("0f1e2d3c4b5a69788796a5b4c3d2e1f0");
    EXPECT_EQ(keyTextToBytes(keyBytesToText(key)), key);
}

TEST(GprsFields, WhatMayBeTyped)
{
    struct Case
    {
        Field field;
        const char *text, *kept;
    };
    const Case cases[] = {
        {Field::Address, "10.0.0.1:9000", "10.0.0.19000"},
        {Field::Address, "alarm-rx.example.com", "alarm-rx.example.com"},
        {Field::Address, " a_b/c\td\x01", "abcd"},
        {Field::Address, "caf\xE9", "caf"},
        {Field::Port, "9 000x", "9000"},
        {Field::Port, "-1", "1"},
        {Field::Account, "a1b2", "1B2"}, // "A" is no Contact ID digit
        {Field::Account, "12fF", "12FF"},
        {Field::Account, "g9", "9"},
        {Field::Key, "a1b2", "A1B2"},
        {Field::Key, "A-F a-f G", "AFAF"},
        {Field::Key, "0x1f", "01F"},
        {Field::HeartbeatCode, "6A2", "62"},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(filterTyped(c.field, text), QLatin1String(c.kept)) << c.text;
        for (const QChar ch : text)
            EXPECT_EQ(acceptsTyped(c.field, ch), filterTyped(c.field, QString(ch)).size() == 1)
                << c.text;
    }
    EXPECT_FALSE(acceptsTyped(Field::Account, QLatin1Char('A')));
    EXPECT_FALSE(acceptsTyped(Field::Account, QLatin1Char('a')));
    EXPECT_TRUE(acceptsTyped(Field::Key, QLatin1Char('a')));
    EXPECT_FALSE(acceptsTyped(Field::Address, QChar(0x0416)));
}

TEST(GprsFields, AnEditFiltersOnlyWhatItInserted)
{
    struct Case
    {
        Field field;
        const char *before, *after;
        int cursor;
        const char *text;
        int kept;
    };
    const Case cases[] = {
        // A refused key press changes nothing, the cursor stays.
        {Field::Address, "10.0.0.1", "10.0.0.1:", 9, "10.0.0.1", 8},
        {Field::Address, "10.0.0.1", "10.:0.0.1", 4, "10.0.0.1", 3},
        // A paste keeps what may be typed.
        {Field::Address, "", "10.0.0.1:9000", 13, "10.0.0.19000", 12},
        {Field::Address, "ab", "a x_y b", 6, "axyb", 3},
        // What was there before stays, even where typing could not have put it.
        {Field::Address, "rx_1", "rx_12", 5, "rx_12", 5},
        {Field::Address, "rx_1", "rx_1_", 5, "rx_1", 4},
        {Field::Address, "a b", "a b", 1, "a b", 1},
        // Deleting is never filtered.
        {Field::Address, "rx_1", "r_1", 1, "r_1", 1},
        {Field::Address, "rx_1", "", 0, "", 0},
        // Letters become capitals; "A" is no account digit.
        {Field::Key, "A1", "A1b2", 4, "A1B2", 4},
        {Field::Key, "", "a1b2", 4, "A1B2", 4},
        {Field::Account, "12", "1a2", 2, "12", 1},
        {Field::Account, "12", "1ff2", 3, "1FF2", 3},
        // The same character again: the one at the cursor was inserted.
        {Field::Port, "55", "555", 1, "555", 1},
        // A selection replaced by a paste.
        {Field::Port, "12345", "1x9y5", 4, "195", 2},
        // An out-of-range cursor is brought inside the text.
        {Field::Port, "1", "12", 99, "12", 2},
        // Beyond its length a field takes no more; a paste keeps its first
        // characters that may be typed.
        {Field::Port, "12345", "123456", 6, "12345", 5},
        {Field::Port, "", "port 8080 or 9090", 17, "80809", 5},
        {Field::Account, "1", "1-2-3-4", 7, "1234", 4},
        {Field::Key, "", "a1b2-c3d4-e5f6-0718-293a-4b5c-6d7e-8f90", 39,
         "A1B2C3D4E5F60718293A4B5C6D7E8F90", 32},
        {Field::HeartbeatCode, "60", "6022", 3, "602", 3},
    };
    for (const Case &c : cases) {
        const FilteredEdit out = filterEdit(c.field, QString::fromLatin1(c.before),
                                            QString::fromLatin1(c.after), c.cursor);
        EXPECT_EQ(out.text, QLatin1String(c.text)) << c.before << " -> " << c.after;
        EXPECT_EQ(out.cursor, c.kept) << c.before << " -> " << c.after;
    }
}
