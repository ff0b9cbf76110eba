#include "device/commands.h"

#include <gtest/gtest.h>

using namespace ykt;

namespace {
QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}
} // namespace

TEST(Commands, EveryPacketIsSixtyThreeBytesOpcodeFirst)
{
    for (const tduomenys &p :
         {packets::text(opcode::SetAPN, 50, "internet"), packets::u32(opcode::SetTCPCR, 1),
          packets::endExchange(true), packets::requestItem(0x90, 3, 40),
          packets::alarmSettings(QByteArray(100, '\x55'))}) {
        EXPECT_EQ(p.size(), PacketSize);
    }
    EXPECT_EQ(packets::endExchange(true), packets::empty(0x41));
    EXPECT_EQ(packets::endExchange(false), packets::empty(0x40));
}

TEST(Commands, PhoneNumberLayout)
{
    const tduomenys p = packets::phoneNumber(opcode::SetPhoneNumber, 2, 0x43, "37061234567");
    EXPECT_EQ(p, QByteArray("\x0B\x02\x43", 3) + "37061234567" + "    " + zeros(45));
    // A number longer than its field is cut to 15 characters.
    EXPECT_EQ(packets::phoneNumber(0x11, 0, 0, QByteArray(20, '9')).mid(3, 16),
              QByteArray(15, '9') + '\0');
}

TEST(Commands, TextFieldsArePaddedWithSpacesAndCut)
{
    const tduomenys p = packets::text(opcode::SetConnectionString, 50, QByteArray(60, 'x'));
    EXPECT_EQ(p.mid(1, 50), QByteArray(50, 'x'));
    EXPECT_EQ(p.mid(51), zeros(12));
    const tduomenys owner = packets::text(opcode::SetOwnerName, 16, "Ann");
    EXPECT_EQ(owner.mid(1, 17), QByteArray("Ann") + QByteArray(13, ' ') + '\0');
}

TEST(Commands, ReserveAccountPadsWithZeroDigits)
{
    EXPECT_EQ(packets::reserveAccount(1, "12").left(7), QByteArray("\x08\x01"
                                                                   "1200\0",
                                                                   7));
    EXPECT_EQ(packets::reserveAccount(0, "123456").mid(2, 5), QByteArray("1234\0", 5));
}

TEST(Commands, AesKeyPadsWithZeroBytesNotSpaces)
{
    const tduomenys p = packets::aes128Key(1, "abc");
    EXPECT_EQ(p.mid(0, 2), QByteArray("\x1C\x01", 2));
    EXPECT_EQ(p.mid(2, 16), QByteArray("abc") + zeros(13));
    // A key that ends in spaces keeps them.
    EXPECT_EQ(packets::aes128Key(0, "k  ").mid(2, 4), QByteArray("k  \0", 4));
}

TEST(Commands, HeartBeatEnabledBitIsTheTopBitOfTheWord)
{
    EXPECT_EQ(packets::heartBeatEventId(true, 602).left(4), QByteArray("\x19\x82\x5A\x00", 4));
    EXPECT_EQ(packets::heartBeatEventId(false, 602).left(3), QByteArray("\x19\x02\x5A", 3));
    // An id with bit 15 already set stays enabled-looking; the flag only ORs.
    EXPECT_EQ(quint8(packets::heartBeatEventId(false, 0x8001).at(1)), 0x80);
}

TEST(Commands, AccessPinNibbles)
{
    EXPECT_EQ(packets::packAccessPIN("1234"), 0x1234FFFFu);
    EXPECT_EQ(packets::packAccessPIN(""), 0xFFFFFFFFu);
    EXPECT_EQ(packets::packAccessPIN("12345678"), 0x12345678u); // no 0xF nibble
    EXPECT_EQ(packets::packAccessPIN("1234567"), 0x1234567Fu);
    EXPECT_EQ(packets::packAccessPIN("0000"), 0x0000FFFFu);
    EXPECT_EQ(packets::accessPIN("1234").left(5), QByteArray("\x14\x12\x34\xFF\xFF", 5));
    EXPECT_THROW(packets::packAccessPIN("12a4"), ConversionError);
    EXPECT_THROW(packets::packAccessPIN("123456789x"), ConversionError);
}

TEST(Commands, NumbersAreBigEndian)
{
    EXPECT_EQ(packets::u32(opcode::SetYKT2CR, 0x80120000u).left(5),
              QByteArray("\x0A\x80\x12\x00\x00", 5));
    EXPECT_EQ(packets::outputSetting(3, 0x11, 0x0102).left(5),
              QByteArray("\x12\x03\x11\x01\x02", 5));
    EXPECT_EQ(packets::pstnKissOff(800).left(3), QByteArray("\x1E\x03\x20", 3));
}

TEST(Commands, InputSettingLayout)
{
    const tduomenys p =
        packets::inputSetting(5, 0x81, 3, 7, 0x1234, QByteArray("\x01\x13\x00\x10\x01", 5));
    EXPECT_EQ(p.left(12), QByteArray("\x0F\x05\x81\x03\x07\x12\x34\x01\x13\x00\x10\x01", 12));
    EXPECT_EQ(p.mid(12), zeros(51));
}

TEST(Commands, ItemNameAndBlocks)
{
    EXPECT_EQ(packets::itemName(3, 63, "Ann").left(7), QByteArray("\x10\x03\x3F"
                                                                  "Ann ",
                                                                  7));
    const tduomenys voice =
        packets::zoneVoiceIndex(QByteArray("\x05\x01\x02\x03\x04\x05\x06\x07\x08\x09", 10));
    EXPECT_EQ(voice.left(11), QByteArray("\x1D\x05\x01\x02\x03\x04\x05\x06\x07\x08\x00", 11));
    // At most 62 bytes of an alarm-settings array fit behind the opcode.
    EXPECT_EQ(packets::alarmSettings(QByteArray(70, '\x7F')).mid(1), QByteArray(62, '\x7F'));
}

TEST(Commands, ItemNameGroupSizes)
{
    EXPECT_EQ(itemNameCount(1, 1133), 64);
    EXPECT_EQ(itemNameCount(2, 1133), 16);
    EXPECT_EQ(itemNameCount(3, 4002), 32);
    EXPECT_EQ(itemNameCount(3, 4003), 64);
    EXPECT_EQ(itemNameCount(4, 4005), 8);
    EXPECT_EQ(itemNameCount(5, 4005), 16);
    EXPECT_EQ(itemNameCount(0, 4005), 0);
    EXPECT_EQ(itemNameCount(6, 4005), 0);
}
