// The send plan written to the virtual module through the driver, then a read
// of all settings into a fresh model: the check after the send finds nothing.

#include "driverrig.h"
#include "support/modelgenerator.h"

#include "settings/readbackcheck.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"
#include "texts/helptext.h"

using namespace ykt;
using namespace ykt::testing;

namespace {

constexpr int Cyrillic = 1; // conversion type of Russian

// Something other than the factory values in every area, including texts the
// module keeps otherwise than they are typed (cut, padded, blanks dropped).
SettingsModel everyArea()
{
    SettingsModel m;
    GprsArea &g = m.gprs;
    g.connectionString = "203.0.113.5:7001";
    g.connectionString2 = QByteArray(60, 'c'); // longer than the field
    g.apn = "apn.example";
    g.apnUserName = "user  ";
    g.apnPassword = "pass";
    // Channel 1 used, Fibro, UDP, encrypted; channel 2 reserve, CSV IP,
    // encrypted; copy bits set (boxes hidden).
    g.tcpcr = 1u << 11 | 3 | 2u << 4 | 3u << 8 | 3u << 12 | 1u << 24 | 1u << 25 | 1u << 29;
    g.reserveAccounts = {"12", "9876"};
    g.heartbeatEvent = 0x86A2;
    g.aesKeys = {QByteArray::fromHex("00112233445566778899AABBCCDDEEFF"),
                 QByteArray::fromHex("0102030405")};

    for (int i = 0; i < SettingsModel::UserCount; i += 2)
        m.phones[i] = {"3706000000" + QByteArray::number(i), quint8(0x41 + i), quint8(0x84 + i)};
    for (int i = 0; i < SettingsModel::RemoteControlCount; i += 3)
        m.phones[SettingsModel::FirstRemoteControlRecord + i] = {
            "3706111" + QByteArray::number(1000 + i), 0xA0, 0};
    m.users.smsPstnCr = 0x40190000; // 2 s short call, every 4 days, registered numbers only
    m.users.accessPin = 0x97531FFF;

    SecurityArea &s = m.security;
    s.usbPassword = "usbsecret";
    s.ownerName = "\xCE\xE1\xFA\xE5\xEA\xF2 7"; // 8-bit, not converted
    // SIM PIN in use, restart every 3 hours, heartbeat 1234 s, TCP statistics,
    // advanced communicator.
    s.ykt2cr = 1u << 2 | 2u << 3 | 1u << 6 | 1234u << 8 | 1u << 24 | 1u << 26;
    s.simPin = "4321";
    s.pstnKissOff = 3000;
    s.alarmSettings = QByteArray::fromHex("0102030405060708090A0B0C1DC00F10");

    TextsArea &t = m.texts;
    for (int g = 1; g <= TextsArea::NameGroups; ++g)
        for (int i = 0; i < TextsArea::groupSize(g); ++i)
            t.itemNames[g - 1][i] = "\xC7\xEE\xED\xE0 " + QByteArray::number(g * 100 + i);
    t.itemNames[0][0] = "A name longer than sixteen";
    for (int i = 0; i < TextsArea::PhraseCount; ++i)
        t.smsPhrases[i] = "\xD4\xF0\xE0\xE7\xE0 " + QByteArray::number(i);
    t.additionalTexts = {"\xD1\xE1\xEE\xE9 GPRS", "Statistics:"};
    for (int i = 0; i < HelpTextMaxLength; ++i)
        t.helpText.append(char('A' + i % 26));

    for (int z = 0; z < ZoneVoiceArea::ZoneCount; ++z)
        m.zoneVoice.records[z] = QByteArray(1, char(z)) + QByteArray::fromHex("0102000000000000");
    for (int i = 0; i < SettingsModel::InputCount; ++i)
        m.inputs[i] = {quint8(0x49 + (i % 2)),
                       quint8(i),
                       quint8(3 + i),
                       quint16(100 * i),
                       QByteArray::fromHex("1130010203"),
                       "\xC2\xF5\xEE\xE4 " + QByteArray::number(i)};
    for (int i = 0; i < SettingsModel::OutputCount; ++i)
        m.outputs[i] = {quint8(0x08 | (i + 1)), quint16(10 + i)};
    m.outputs[3] = {0x0D, 700}; // arm status, pulse: the length travels doubled
    return m;
}

struct SendRig : DriverRig
{
    explicit SendRig(const QString &spec, const DriverTimings &timings = fastTimings())
        : DriverRig(spec, timings, /*sink*/ false),
          receiver(driver.get(), &read, &announcer, [] { return Cyrillic; })
    {
        QObject::connect(driver.get(), &TYKT2::OnModemData, driver.get(), [] {});
    }

    // Every packet with the driver's busy handshake, and the plan's pauses
    // unless the test is about the values only.
    bool send(const QList<SendStep> &plan, bool pauses = true)
    {
        for (const SendStep &step : plan) {
            if (!driver->WritePacket(step.packet, 6000))
                return false;
            if (pauses && step.pauseAfterMs > 0)
                spin(step.pauseAfterMs);
        }
        return true;
    }

    SettingsModel read;
    SettingsAnnouncer announcer;
    SettingsReceiver receiver;
};

} // namespace

TEST(SendRoundTrip, WhatWasSentReadsBackUnchanged)
{
    const struct
    {
        const char *profile;
        int firmware;
    } modules[] = {{"ykt4m-4005", 4005}, {"ykt4m-2030", 2030}, {"ykt3m-1024", 1024}};
    for (const auto &module : modules) {
        SCOPED_TRACE(module.profile);
        SendRig rig(QString::fromLatin1(module.profile));
        ASSERT_TRUE(rig.connect());
        ASSERT_EQ(rig.driver->FirmwareVersion(), module.firmware);

        SendContext context;
        context.firmwareVersion = module.firmware;
        context.templateLoaded = true;
        context.conversionType = Cyrillic;
        const SettingsModel sent = everyArea();
        const QList<SendStep> plan = buildSendPlan(sent, context);
        const int before = rig.sim->receivedPackets().size();
        ASSERT_TRUE(rig.send(plan));
        ASSERT_TRUE(
            waitFor([&] { return rig.sim->receivedPackets().size() == before + plan.size(); }));

        ASSERT_TRUE(rig.readAll());
        const QList<ReadBackDifference> differences = compareReadBack(plan, rig.read, context);
        for (const ReadBackDifference &d : differences)
            ADD_FAILURE() << d.setting.toStdString() << ": sent \"" << d.sent.toStdString()
                          << "\", read \"" << d.read.toStdString() << '"';

        // The read did bring the values: as the module keeps them.
        EXPECT_EQ(rig.read.gprs.reserveAccounts[0], "1200");
        EXPECT_EQ(rig.read.gprs.connectionString2, QByteArray(50, 'c'));
        // Cut to 16, and Latin letters that the Cyrillic set shares with
        // Cyrillic ones come back Cyrillic: no difference for the check.
        EXPECT_EQ(rig.read.texts.itemNames[0][0], "\xC0 n\xE0m\xE5 l\xEEng\xE5r th");
        EXPECT_EQ(rig.read.texts.smsPhrases[3], sent.texts.smsPhrases[3]);
        EXPECT_EQ(rig.read.texts.helpText, sent.texts.helpText);
        EXPECT_EQ(rig.read.outputs[3].impLength, 700);
        EXPECT_EQ(rig.read.security.simPin, "4321");
        // The check is not blind: a value the module lost is reported.
        rig.read.texts.smsPhrases[4] = "lost";
        EXPECT_EQ(compareReadBack(plan, rig.read, context).size(), 1);
    }
}

// Random settings of every field, sent and read back: the check after the
// send finds nothing, for three firmware classes. A failure names its seed.
TEST(SendRoundTrip, RandomSettingsReadBackAsSent)
{
    const struct
    {
        const char *profile;
        int firmware;
    } modules[] = {{"ykt4m-4005", 4005}, {"ykt4m-2030", 2030}, {"ykt3m-1024", 1024}};
    for (const auto &module : modules) {
        // No pacing and no pauses: the virtual module's busy handshake
        // alone orders the packets.
        DriverTimings timings = fastTimings();
        timings.pacingMs = 0;
        SendRig rig(QString::fromLatin1(module.profile), timings);
        ASSERT_TRUE(rig.connect());
        for (quint32 seed = 1; seed <= 3; ++seed) {
            const quint32 fullSeed = seed * 104729 + quint32(module.firmware);
            SCOPED_TRACE(::testing::Message() << module.profile << " seed " << fullSeed);
            SendContext context;
            context.firmwareVersion = module.firmware;
            context.templateLoaded = true;
            context.conversionType = Cyrillic;
            const SettingsModel sent = ModelGenerator(fullSeed).model(module.firmware);
            const QList<SendStep> plan = buildSendPlan(sent, context);
            ASSERT_TRUE(rig.send(plan, false));
            ASSERT_TRUE(rig.readAll());
            for (const ReadBackDifference &d : compareReadBack(plan, rig.read, context))
                ADD_FAILURE() << d.setting.toStdString() << ": sent \"" << d.sent.toStdString()
                              << "\", read \"" << d.read.toStdString() << '"';
        }
    }
}
