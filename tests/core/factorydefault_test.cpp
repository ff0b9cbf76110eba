// The factory default per firmware class and form: which packets go out, in
// which order, with which values and pauses, what a locked module keeps, and
// that the model afterwards holds exactly what was written.

#include "cli/defaulttexts.h"
#include "settings/factorydefault.h"
#include "settings/readbackcheck.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

QByteArray englishMessage(int n)
{
    switch (n) {
    case 16:
        return "Additional one";
    case 17:
        return "Additional two";
    case 19:
        return "Zone";
    case 20:
        return "User";
    case 21:
        return "Module";
    case 22:
        return "Partition";
    case 23:
        return "Input ";
    case 155:
        return "PGM";
    default:
        return "Phrase" + QByteArray::number(n);
    }
}

// Channel 1 used, Fibro, UDP, encrypted; channel 2 reserve, CSV IP, UDP,
// encrypted.
TcpCrFields usedChannels()
{
    TcpCrFields f;
    f.channel1Used = true;
    f.channel1Protocol = 2;
    f.channel1Udp = f.channel1Encrypted = true;
    f.channel2Use = 2;
    f.channel2Protocol = 1;
    f.channel2Udp = f.channel2Encrypted = true;
    return f;
}

// A module somebody has configured: something other than the factory value
// in every area the factory default touches.
SettingsModel configured()
{
    SettingsModel m;
    m.gprs.connectionString = "203.0.113.5:7001";
    m.gprs.connectionString2 = "198.51.100.7:7002";
    m.gprs.apn = "apn.example";
    m.gprs.apnUserName = "user";
    m.gprs.apnPassword = "pass";
    m.gprs.tcpcr = packTCPCR(usedChannels(), false, 4005);
    m.gprs.reserveAccounts = {"1234", "9876"};
    m.gprs.heartbeatEvent = 0x8123;
    m.gprs.aesKeys = {QByteArray(16, '\x11'), QByteArray(16, '\x22')};
    for (int i = 0; i < SettingsModel::PhoneRecordCount; ++i)
        m.phones[i] = {"3706000" + QByteArray::number(1000 + i), 0xFF, 0xFF};
    m.users.smsPstnCr = 0x40190000;
    m.users.accessPin = 0x97531FFF;
    m.users.smsBackupUse = 1;
    m.users.smsBackupNumber = "37069999999";
    // USB password on connect, heartbeat 1234 s, SIM PIN, restart 3 h, TCP
    // statistics, Magellan, the module's SIM PIN status bit.
    m.security.ykt2cr =
        1u << 0 | 1u << 2 | 2u << 3 | 1u << 6 | 1u << 7 | 1234u << 8 | 1u << 24 | 1u << 27;
    m.security.usbPassword = "usbsecret";
    m.security.ownerName = "Owner";
    m.security.simPin = "4321";
    m.security.pstnKissOff = 3000;
    m.security.alarmSettings = QByteArray::fromHex("0102030405FF0780090A0B0CFFFF0F10");
    for (auto &group : m.texts.itemNames)
        for (QByteArray &name : group)
            name = "Renamed";
    for (QByteArray &phrase : m.texts.smsPhrases)
        phrase = "Changed";
    m.texts.additionalTexts = {"Old one", "Old two"};
    for (int z = 0; z < ZoneVoiceArea::ZoneCount; ++z)
        m.zoneVoice.records[z] = QByteArray(1, char(z)) + QByteArray(8, '\x05');
    for (InputRecord &r : m.inputs)
        r = {0x49, 1, 9, 300, QByteArray::fromHex("0611301001"), "Door"};
    for (OutputRecord &r : m.outputs)
        r = {0x2B, 100};
    return m;
}

FactoryContext contextFor(int firmware, bool complete = true, bool locked = false)
{
    FactoryContext c;
    c.firmwareVersion = firmware;
    c.complete = complete;
    c.settingsLocked = locked;
    c.message = englishMessage;
    return c;
}

QList<QPair<int, int>> runs(const QList<SendStep> &plan)
{
    QList<QPair<int, int>> out;
    for (const SendStep &s : plan) {
        if (!out.isEmpty() && out.last().first == s.opcode())
            ++out.last().second;
        else
            out.append({s.opcode(), 1});
    }
    return out;
}

int countOf(const QList<SendStep> &plan, quint8 op)
{
    int n = 0;
    for (const SendStep &s : plan)
        n += s.opcode() == op;
    return n;
}

QList<const SendStep *> all(const QList<SendStep> &plan, quint8 op)
{
    QList<const SendStep *> out;
    for (const SendStep &s : plan)
        if (s.opcode() == op)
            out.append(&s);
    return out;
}

quint32 u32At(const tduomenys &p)
{
    return quint32(quint8(p[1])) << 24 | quint32(quint8(p[2])) << 16 | quint32(quint8(p[3])) << 8 |
           quint8(p[4]);
}

QByteArray textAt(const tduomenys &p, int offset, int width)
{
    QByteArray t = p.mid(offset, width);
    while (t.endsWith(' '))
        t.chop(1);
    return t;
}

struct Row
{
    int firmware;
    bool complete;
    int packets;
    bool additionalCr; // PnAddCR and the heartbeat event word
    bool advanced;     // kiss-off, zone voice, alarm settings
    int userNames;     // complete form only
};

// Every firmware: CPCR, 13 GPRS and register writes, 10 users, 12 input
// writes, 4 outputs, 32 remote-control numbers, the access PIN and the two
// additional texts (75); + 10 PnAddCR and the heartbeat word above 1025; + 66
// above 4002 (kiss-off, 64 zone voice blocks, the alarm block); the complete
// form + 19 phrases, 2 additional texts and 104 or 136 names.
const Row Rows[] = {
    {4005, true, 341, true, true, 64},   {4005, false, 152, true, true, 0},
    {4002, true, 243, true, false, 32},  {4002, false, 86, true, false, 0},
    {2030, true, 243, true, false, 32},  {2030, false, 86, true, false, 0},
    {1024, true, 232, false, false, 32}, {1024, false, 75, false, false, 0},
};

} // namespace

TEST(FactoryDefault, PacketsPerFirmwareAndForm)
{
    for (const Row &row : Rows) {
        SCOPED_TRACE(testing::Message()
                     << row.firmware << (row.complete ? " complete" : " partial"));
        const QList<SendStep> plan =
            buildFactoryDefaultPlan(configured(), contextFor(row.firmware, row.complete));
        EXPECT_EQ(plan.size(), row.packets);
        for (const SendStep &s : plan)
            ASSERT_EQ(s.packet.size(), PacketSize) << s.name.toStdString();
        EXPECT_EQ(countOf(plan, opcode::SetPhoneNumber), 10);
        EXPECT_EQ(countOf(plan, opcode::SetPhoneNumberAdditionalCR), row.additionalCr ? 10 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetHeartBeatEventId), row.additionalCr ? 1 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetPSTNKissOff), row.advanced ? 1 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetZoneVoiceIndex), row.advanced ? 64 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetAlarmSettings), row.advanced ? 1 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetSMSPhrase), row.complete ? 19 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetAdditionalSMSText), row.complete ? 4 : 2);
        EXPECT_EQ(countOf(plan, opcode::SetItemName),
                  row.complete ? 64 + 16 + row.userNames + 8 + 16 : 0);
        // The factory default leaves the keys and the help text alone.
        EXPECT_EQ(countOf(plan, opcode::SetAES128Key), 0);
        EXPECT_EQ(countOf(plan, opcode::SetHelpText), 0);
    }
}

TEST(FactoryDefault, FixedOrderOfTheWrites)
{
    using P = QPair<int, int>;
    QList<P> partial = {{0x1B, 1}, {0x00, 1}, {0x05, 1}, {0x01, 1}, {0x02, 1}, {0x03, 1}, {0x07, 1},
                        {0x08, 2}, {0x09, 1}, {0x04, 1}, {0x0A, 1}, {0x18, 1}, {0x0C, 1}};
    for (int i = 0; i < 10; ++i)
        partial << P{0x0B, 1} << P{0x1A, 1};
    for (int i = 0; i < 6; ++i)
        partial << P{0x0F, 1} << P{0x13, 1};
    partial << P{0x12, 4} << P{0x11, 32} << P{0x19, 1} << P{0x14, 1} << P{0x16, 2} << P{0x1E, 1}
            << P{0x1D, 64} << P{0x1F, 1};
    EXPECT_EQ(runs(buildFactoryDefaultPlan(configured(), contextFor(4005, false))), partial);

    const QList<P> complete =
        partial + QList<P>{{0x0D, 19}, {0x16, 2}, {0x10, 64 + 16 + 64 + 8 + 16}};
    EXPECT_EQ(runs(buildFactoryDefaultPlan(configured(), contextFor(4005))), complete);

    // A locked module is not sent its USB password.
    QList<P> locked = partial;
    locked.removeAt(6);
    EXPECT_EQ(runs(buildFactoryDefaultPlan(configured(), contextFor(4005, false, true))), locked);
}

TEST(FactoryDefault, FactoryValuesOnTheWire)
{
    const QList<SendStep> plan = buildFactoryDefaultPlan(configured(), contextFor(4005));
    EXPECT_EQ(u32At(all(plan, opcode::SetCPCR).at(0)->packet), 0u);
    EXPECT_EQ(u32At(all(plan, opcode::SetSMSPSTNCR).at(0)->packet), 0x80120000u);
    // Heartbeat 600 s, restart field 5 (6 hours), nothing else.
    EXPECT_EQ(u32At(all(plan, opcode::SetYKT2CR).at(0)->packet), 600u << 8 | 5u << 3);
    // Channels not used, "E2" (1) on both; the copy bits that hidden PSTN
    // boxes set.
    EXPECT_EQ(u32At(all(plan, opcode::SetTCPCR).at(0)->packet), 3u << 12 | 0x11);
    EXPECT_EQ(textAt(all(plan, opcode::SetConnectionString).at(0)->packet, 1, 50), "");
    EXPECT_EQ(all(plan, opcode::SetReserveAccount).at(0)->packet.mid(1, 5), "\x01"
                                                                            "0000");
    EXPECT_EQ(all(plan, opcode::SetSIMpin).at(0)->packet.mid(1, 8), QByteArray(8, ' '));
    EXPECT_EQ(all(plan, opcode::SetAccessPIN).at(0)->packet.mid(1, 4),
              QByteArray::fromHex("1111FFFF"));
    EXPECT_EQ(all(plan, opcode::SetHeartBeatEventId).at(0)->packet.mid(1, 2),
              QByteArray::fromHex("0602"));
    for (const SendStep *s : all(plan, opcode::SetPhoneNumber))
        EXPECT_EQ(s->packet.mid(2, 16), QByteArray(1, '\0') + QByteArray(15, ' '));
    for (const SendStep *s : all(plan, opcode::SetPhoneNumberAdditionalCR))
        EXPECT_EQ(s->packet.at(2), '\0');
    for (const SendStep *s : all(plan, opcode::SetPGMPhoneNumber))
        EXPECT_EQ(s->packet.mid(2, 16), QByteArray(1, '\0') + QByteArray(15, ' '));
    const auto inputs = all(plan, opcode::SetInputSetting);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(inputs[i]->packet.left(12), QByteArray::fromHex("0F") + char(i) +
                                                  QByteArray::fromHex("0000040000") +
                                                  QByteArray(5, '\0'));
    EXPECT_EQ(textAt(all(plan, opcode::SetInputSMSText).at(5)->packet, 2, 50), "Input 6");
    for (const SendStep *s : all(plan, opcode::SetOutputSetting))
        EXPECT_EQ(s->packet.mid(2, 3), QByteArray::fromHex("080001"));
    EXPECT_EQ(u32At(all(plan, opcode::SetPSTNKissOff).at(0)->packet) >> 16, 1600u);
    EXPECT_EQ(all(plan, opcode::SetZoneVoiceIndex).at(7)->packet.mid(1, 9),
              QByteArray(1, 7) + QByteArray(8, '\0'));
    // Only the alarm server bits change; every other bit goes back as read.
    EXPECT_EQ(all(plan, opcode::SetAlarmSettings).at(0)->packet.mid(1, 16),
              QByteArray::fromHex("0102030405FF0400090A0B0C003F0F10"));
    const auto additional = all(plan, opcode::SetAdditionalSMSText);
    EXPECT_EQ(textAt(additional[0]->packet, 2, 50), "Additional one");
    EXPECT_EQ(additional[0]->pauseAfterMs, FactoryTextPauseMs);
    EXPECT_EQ(textAt(additional[3]->packet, 2, 50), "Additional two");
    EXPECT_EQ(additional[3]->pauseAfterMs, SendPauseMs);
    const auto names = all(plan, opcode::SetItemName);
    EXPECT_EQ(textAt(names[0]->packet, 3, 16), "Zone1");
    EXPECT_EQ(textAt(names[64]->packet, 3, 16), "Module0");
    EXPECT_EQ(textAt(names[80]->packet, 3, 16), "User0");
    EXPECT_EQ(textAt(names[144]->packet, 3, 16), "Partition1");
    EXPECT_EQ(textAt(names[167]->packet, 3, 16), "PGM16");
    EXPECT_EQ(textAt(all(plan, opcode::SetSMSPhrase).at(0)->packet, 2, 16), "Phrase1");

    // No pause after the owner name, the SIM PIN, SMSPSTNCR, the outputs,
    // the remote-control numbers and the access PIN; 50 ms after the first
    // two additional texts, one more 5 ms after the zones.
    EXPECT_EQ(totalPauseMs(plan), (341 - 1 - 1 - 1 - 4 - 32 - 1 - 2) * 5 + 2 * 50 + 5);
}

TEST(FactoryDefault, LockedModuleKeepsItsGprsArea)
{
    const SettingsModel before = configured();
    SettingsModel m = before;
    const FactoryContext c = contextFor(4005, true, true);
    applyFactoryDefaults(m, c);
    EXPECT_EQ(m.gprs, before.gprs);
    EXPECT_EQ(m.security.usbPassword, before.security.usbPassword);
    EXPECT_EQ(m.security.ownerName, before.security.ownerName);
    // The USB password use and the heartbeat stay; the rest of YKT2CR is reset.
    EXPECT_EQ(m.security.ykt2cr, 1u << 0 | 1u << 2 | 1234u << 8 | 5u << 3);

    const QList<SendStep> plan = buildFactoryDefaultPlan(before, c);
    EXPECT_EQ(countOf(plan, opcode::SetUSBPassword), 0);
    EXPECT_EQ(textAt(all(plan, opcode::SetAPN).at(0)->packet, 1, 50), "apn.example");
    EXPECT_EQ(all(plan, opcode::SetReserveAccount).at(1)->packet.mid(2, 4), "1234");
    // Written as it is, but without transport and encryption bits.
    TcpCrFields sent = usedChannels();
    sent.channel1Udp = sent.channel1Encrypted = sent.channel2Udp = sent.channel2Encrypted = false;
    EXPECT_EQ(u32At(all(plan, opcode::SetTCPCR).at(0)->packet), packTCPCR(sent, false, 4005));
    EXPECT_NE(packTCPCR(sent, false, 4005), before.gprs.tcpcr);
    EXPECT_EQ(u32At(all(plan, opcode::SetYKT2CR).at(0)->packet), m.security.ykt2cr);
    EXPECT_EQ(all(plan, opcode::SetHeartBeatEventId).at(0)->packet.mid(1, 2),
              QByteArray::fromHex("8123"));
    // Everything outside the GPRS area is reset as on an unlocked module.
    EXPECT_EQ(u32At(all(plan, opcode::SetSMSPSTNCR).at(0)->packet), 0x80120000u);
    EXPECT_EQ(countOf(plan, opcode::SetPhoneNumber), 10);
}

TEST(FactoryDefault, ModelHoldsWhatWasWritten)
{
    for (const Row &row : Rows) {
        for (const bool locked : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << row.firmware << (row.complete ? " complete" : " partial")
                         << (locked ? " locked" : ""));
            const FactoryContext c = contextFor(row.firmware, row.complete, locked);
            SettingsModel m = configured();
            applyFactoryDefaults(m, c);
            const QList<SendStep> plan = buildFactoryDefaultPlan(m, c);
            // Before or after the reset: the same plan; a second reset changes nothing.
            const QList<SendStep> fromBefore = buildFactoryDefaultPlan(configured(), c);
            ASSERT_EQ(plan.size(), fromBefore.size());
            for (int k = 0; k < plan.size(); ++k)
                EXPECT_EQ(plan[k].packet, fromBefore[k].packet) << k;
            SettingsModel again = m;
            applyFactoryDefaults(again, c);
            EXPECT_TRUE(again == m);
            // Every value written is the model's, as the module would report it.
            for (const ReadBackDifference &d : compareReadBack(plan, m, c.sendContext()))
                ADD_FAILURE() << d.setting.toStdString() << ": sent " << d.sent.toStdString()
                              << ", model " << d.read.toStdString();
        }
    }
    SettingsModel partial = configured();
    applyFactoryDefaults(partial, contextFor(4005, false));
    EXPECT_EQ(partial.texts.smsPhrases, configured().texts.smsPhrases);
    EXPECT_EQ(partial.texts.itemNames, configured().texts.itemNames);
    EXPECT_TRUE(partial.phones[0].number.isEmpty());
    EXPECT_TRUE(partial.users.smsBackupNumber.isEmpty());
    EXPECT_EQ(partial.phones[42], configured().phones[42]); // template-only records stay
}

TEST(FactoryDefault, AlarmBlockOnlyWhenOneWasRead)
{
    SettingsModel m = configured();
    m.security.alarmSettings = QByteArray::fromHex("0102");
    const QList<SendStep> plan = buildFactoryDefaultPlan(m, contextFor(4005));
    EXPECT_EQ(countOf(plan, opcode::SetAlarmSettings), 0);
    EXPECT_EQ(countOf(plan, opcode::SetZoneVoiceIndex), 64);
}

TEST(FactoryDefault, TextsFromTheLanguageFileOrBuiltIn)
{
    const DefaultTexts shipped = loadDefaultTexts(QStringLiteral(YKT_DATA_DIR));
    EXPECT_FALSE(shipped.builtIn) << shipped.note.toStdString();
    QTemporaryDir empty;
    const DefaultTexts builtIn = loadDefaultTexts(empty.path());
    EXPECT_TRUE(builtIn.builtIn);
    EXPECT_FALSE(builtIn.note.isEmpty());
    // The built-in texts are the shipped English ones.
    for (const int n : {1, 15, 16, 17, 19, 20, 21, 22, 23, 143, 146, 155})
        EXPECT_EQ(builtIn.message(n), shipped.message(n)) << n;
    EXPECT_EQ(shipped.message(0), QByteArray());
    EXPECT_EQ(shipped.message(100000), QByteArray());
}
