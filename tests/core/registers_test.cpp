#include "settings/registers.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace ykt;

TEST(TcpCr, UnpackChoosesListEntries)
{
    // value, protocol entries, channel 1 protocol, channel 2 protocol, channel 2 use
    const std::tuple<quint32, int, int, int, int> cases[] = {
        {0x311, 3, 0, 0, 2}, // "Reserve" as bits 8 and 9
        {0x223, 3, 2, 1, 2}, // a lone bit 9 is "Reserve" too
        {0x223, 2, 0, 1, 2}, // protocol 3 without "Fibro" is "E2"
        {0x1F5, 3, 0, 0, 1}, // 5 and 15 are no protocol
    };
    for (const auto &[value, count, p1, p2, use] : cases) {
        const TcpCrFields f = unpackTCPCR(value, count);
        EXPECT_EQ(std::make_tuple(f.channel1Protocol, f.channel2Protocol, f.channel2Use),
                  std::make_tuple(p1, p2, use))
            << std::hex << value << " " << count;
    }
    EXPECT_FALSE(unpackTCPCR(0x311, 3).channel1Used);
    const TcpCrFields all = unpackTCPCR(0xFFFFFFFF, 3);
    EXPECT_TRUE(all.channel1Used && all.channel1ToPstn && all.channel2ToPstn && all.channel1Udp &&
                all.channel1Encrypted && all.channel2Udp && all.channel2Encrypted);
}

TEST(TcpCr, PackWritesReserveCopyBitsAndEncryptionByRule)
{
    TcpCrFields f;
    f.channel2Use = 2;
    f.channel1Encrypted = f.channel2Encrypted = true;
    EXPECT_EQ(packTCPCR(f, false, 2025), 0x00003311u); // hidden boxes, no encryption yet
    EXPECT_EQ(packTCPCR(f, true, 2030), 0x22000311u);
    f.channel2ToPstn = f.channel1Used = f.channel1Udp = true;
    f.channel1Protocol = 2;
    EXPECT_EQ(packTCPCR(f, true, 2029), 0x01002B13u);
    EXPECT_EQ(packTCPCR(unpackTCPCR(0x01002B13u, protocolCount(2030)), true, 2030), 0x01002B13u);

    // Out-of-range choices stay inside their own bits.
    TcpCrFields bad;
    bad.channel1Protocol = -1;
    bad.channel2Protocol = 15;
    bad.channel2Use = 7;
    EXPECT_EQ(packTCPCR(bad, true, 4005), 0x311u);
    bad.channel2Use = -1;
    EXPECT_EQ(packTCPCR(bad, true, 4005), 0x011u);
}

TEST(Ykt2Cr, PackPlacesFieldsAndKeepsThemInRange)
{
    Ykt2CrFields f; // factory: restart every 6 hours, heartbeat 600 s
    EXPECT_EQ(packYKT2CR(f), (5u << 3) | (600u << 8));
    f.simPinRejected = true; // module status, never written
    // hours, seconds, value
    const std::tuple<int, int, quint32> cases[] = {
        {6, 65000, (5u << 3) | 0xFDE800u}, {0, 5, 10u << 8}, {9, 70000, (7u << 3) | 0xFDE800u}};
    for (const auto &[hours, seconds, value] : cases) {
        f.modemRestartHours = hours;
        f.heartbeatSeconds = seconds;
        EXPECT_EQ(packYKT2CR(f), value) << hours << " " << seconds;
    }
}

TEST(Ykt2Cr, WorkModeBits)
{
    const std::tuple<quint32, WorkMode, quint32> cases[] = {
        {0, WorkMode::Communicator, 0},
        {1u << 26, WorkMode::AdvancedCommunicator, 1u << 26},
        {1u << 27, WorkMode::Magellan, 1u << 27},
        {3u << 26, WorkMode::Magellan, 1u << 27}};
    for (const auto &[bits, mode, written] : cases) {
        EXPECT_EQ(workModeOf(bits), mode);
        EXPECT_EQ(packYKT2CR(unpackYKT2CR(bits)) & (3u << 26), written);
        // Setting the mode leaves every other bit alone, bit 7 too.
        EXPECT_EQ(withWorkMode(0xF3FFFFFFu | bits, mode), 0xF3FFFFFFu | written);
    }
}

TEST(Ykt2Cr, UnpackBringsHeartbeatIntoRange)
{
    const Ykt2CrFields all = unpackYKT2CR(0xFFFFFFFF);
    EXPECT_EQ(all.modemRestartHours, 8);
    EXPECT_EQ(all.heartbeatSeconds, 65000);
    EXPECT_TRUE(all.simPinRejected);
    EXPECT_EQ(packYKT2CR(all), 0x0BFDE87Du); // bits 1 and 7 dropped, Magellan alone
    EXPECT_EQ(unpackYKT2CR(0).modemRestartHours, 1);
    EXPECT_EQ(unpackYKT2CR(0).heartbeatSeconds, 10);
}

TEST(SmsPstnCr, FactoryValueAndRanges)
{
    const SmsPstnCrFields f = unpackSMSPSTNCR(0x80120000);
    EXPECT_EQ(
        std::make_tuple(f.shortCallSeconds, f.smsTestDays, f.onlyRegistered, f.limitedTroubleSms),
        std::make_tuple(3, 3, false, true));
    EXPECT_EQ(packSMSPSTNCR(SmsPstnCrFields{}), 0x80120000u);
    EXPECT_EQ(packSMSPSTNCR(unpackSMSPSTNCR(0xFFFFFFFF)), 0xC01F0000u);

    // short call seconds, test days, value: out of range stays in its own bits
    const std::tuple<int, int, quint32> cases[] = {
        {0, 0, 0x00000000}, {9, 9, 0x001F0000}, {-1, 5, 0x00180000}};
    for (const auto &[call, days, value] : cases)
        EXPECT_EQ(packSMSPSTNCR({call, days, false, false}), value) << call << " " << days;
}

TEST(HeartbeatEventWord, EachCharacterIsOneDigit)
{
    const std::pair<const char *, quint16> cases[] = {{"602", 0x602}, {"60", 0x600},
                                                      {"", 0x000},    {"6a2", 0x6A2},
                                                      {"6G2", 0x602}, {"6023", 0x602}};
    for (const auto &[code, word] : cases)
        EXPECT_EQ(packHeartbeatEvent({false, code}), word) << code;

    const HeartbeatEvent e = unpackHeartbeatEvent(0x86A2);
    EXPECT_TRUE(e.enabled);
    EXPECT_EQ(e.code, QByteArray("6A2"));
    EXPECT_EQ(packHeartbeatEvent(e), 0x86A2);
    EXPECT_EQ(unpackHeartbeatEvent(0x7F0B).code, QByteArray("F0B")); // bits 12-14 mean nothing
}

TEST(UserRegisters, NamedBits)
{
    UserFlags f;
    f.alarmSms = f.callOnAlarm = f.smsBackup = f.pushNotifications = true;
    f.smartphone = Smartphone::Android;
    EXPECT_EQ(packPnCR(f), 0x4C);
    EXPECT_EQ(packPnAddCR(f), 0x90);
    f.smartphone = Smartphone::IPhone;
    EXPECT_EQ(packPnCR(f), 0x44);
    EXPECT_EQ(packPnAddCR(f), 0xD0);
}

TEST(UserRegisters, IPhoneWinsAndRepackingClearsTheAndroidBit)
{
    for (int cr = 0; cr < 256; ++cr) {
        for (int addCr = 0; addCr < 256; ++addCr) {
            const UserFlags f = unpackUserFlags(quint8(cr), quint8(addCr));
            const bool iPhone = addCr & 0x40;
            ASSERT_EQ(f.smartphone, iPhone        ? Smartphone::IPhone
                                    : (cr & 0x08) ? Smartphone::Android
                                                  : Smartphone::No);
            ASSERT_EQ(packPnCR(f), iPhone ? (cr & ~0x08) : cr);
            ASSERT_EQ(packPnAddCR(f), addCr);
        }
    }
}

TEST(SmallRegisters, OutputMaskInputAndOutputSettings)
{
    EXPECT_EQ(packPGMPnCR({true, false, false, false}), 0x80);
    EXPECT_EQ(packPGMPnCR({false, false, true, true}), 0x30);
    EXPECT_EQ(packPGMPnCR(unpackPGMPnCR(0xFF)), 0xF0); // bits 0-3 always 0

    EXPECT_EQ(packInputSettingsCR(unpackInputSettingsCR(0xFF)), 0x6F); // bits 4, 7 always 0
    EXPECT_EQ(packInputSettingsCR({2, true, false, true}), 0x4A);
    EXPECT_EQ(packInputSettingsCR({9, false, false, false}), 0x07);
    EXPECT_EQ(packInputSettingsCR({-1, false, true, false}), 0x20);

    EXPECT_EQ(packOutputSettingsCR({4, false, true, false}), 0x14); // siren confirmation
    EXPECT_EQ(packOutputSettingsCR({0, false, true, true}), 0x20);  // only with function 4
    EXPECT_EQ(packOutputSettingsCR({1, true, false, false}), 0x09);
    const OutputCrFields all = unpackOutputSettingsCR(0xFF);
    EXPECT_EQ(all.function, 7);
    EXPECT_EQ(packOutputSettingsCR(all), 0x2F);
}
