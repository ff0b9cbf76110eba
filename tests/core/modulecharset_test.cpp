#include "texts/modulecharset.h"

#include <gtest/gtest.h>

using namespace ykt;

namespace {

QByteArray allBytes()
{
    QByteArray b(256, '\0');
    for (int i = 0; i < 256; ++i)
        b[i] = char(i);
    return b;
}

int changedBytes(const QByteArray &converted)
{
    int n = 0;
    for (int i = 0; i < 256; ++i)
        n += quint8(converted.at(i)) != i;
    return n;
}

} // namespace

TEST(ModuleCharset, EachTableMapsItsPairsFirstPairWinning)
{
    // Bytes changed by each table in each direction: one per pair on the way
    // out (every display byte appears once); on the way back module bytes
    // shared by several pairs count once, and a pair whose bytes are equal
    // changes nothing.
    struct Case
    {
        int type, toChanged, fromChanged;
    };
    for (const Case c : {Case{1, 66, 66},
                         {2, 18, 17},
                         {3, 6, 5},
                         {4, 18, 15},
                         {5, 26, 24},
                         {6, 20, 18},
                         {7, 49, 24},
                         {8, 48, 38},
                         {9, 48, 38},
                         {10, 48, 38},
                         {11, 12, 10}}) {
        EXPECT_EQ(changedBytes(toModule(allBytes(), c.type)), c.toChanged) << c.type;
        EXPECT_EQ(changedBytes(fromModule(allBytes(), c.type)), c.fromChanged) << c.type;
    }
}

TEST(ModuleCharset, SharedModuleByteComesBackAsTheFirstPairsDisplayByte)
{
    struct Case
    {
        int type;
        quint8 display, module, back;
    };
    for (const Case c : {Case{2, 0xDE, 0x1A, 0xDE},
                         {2, 0xFE, 0x1A, 0xDE},
                         {3, 0xF6, 0x8E, 0xD6},
                         {4, 0xF3, 0x82, 0xD3},
                         {7, 0xE1, 0x41, 0xC1},
                         {8, 0x9E, 0x1A, 0x8E},
                         {11, 0xFE, 0x7D, 0xDE},
                         {1, 0xFF, 0xC7, 0xFF},
                         {6, 0xFA, 0xD0, 0xFA}}) {
        const QByteArray out = toModule(QByteArray(1, char(c.display)), c.type);
        EXPECT_EQ(out, QByteArray(1, char(c.module))) << c.type << " " << int(c.display);
        EXPECT_EQ(fromModule(out, c.type), QByteArray(1, char(c.back))) << c.type;
    }
}

TEST(ModuleCharset, BytesWithoutAPairPassUnchanged)
{
    const QByteArray ascii = "Zone 12: back door!";
    EXPECT_EQ(toModule(ascii, 2), ascii);
    EXPECT_EQ(fromModule(ascii, 2), ascii);
    EXPECT_EQ(toModule(ascii, 1), ascii);
    // The Cyrillic table sends some letters as their Latin look-alikes, so a
    // Latin "A" from the module is shown as the Cyrillic one.
    EXPECT_EQ(fromModule("A", 1), QByteArray("\xC0"));
    // Mixed text: only the letters with a pair change, in place.
    EXPECT_EQ(toModule("\xC4\xE2\xE5\xF0\xFC 1", 1), QByteArray("\xE0\xB3\x65\x70\xC4 1"));
}

TEST(ModuleCharset, TypesEightToTenShareOneTableAndUnknownTypesChangeNothing)
{
    const QByteArray all = allBytes();
    EXPECT_EQ(toModule(all, 9), toModule(all, 8));
    EXPECT_EQ(toModule(all, 10), toModule(all, 8));
    EXPECT_EQ(fromModule(all, 10), fromModule(all, 8));
    for (int type : {0, 12, -1, 255, 1 << 30}) {
        EXPECT_EQ(toModule(all, type), all) << type;
        EXPECT_EQ(fromModule(all, type), all) << type;
    }
    EXPECT_EQ(toModule(QByteArray(), 1), QByteArray());
}
