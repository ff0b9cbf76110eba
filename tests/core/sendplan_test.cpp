// The send plan per firmware class: how many packets, in which order, with
// which pauses, and the conditions that change what goes out.

#include "settings/sendplan.h"
#include "texts/helptext.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ykt;

namespace {

// Three users, SIM PIN in use, a 16-byte alarm block: every optional part of
// the send that the firmware allows goes out.
SettingsModel sampleModel()
{
    SettingsModel m;
    m.phones[0].number = "37060000001";
    m.phones[3].number = "37060000004";
    m.phones[9].number = "37060000010";
    m.security.ykt2cr = 1u << 6 | 600u << 8 | 5u << 3; // "Use SIM PIN"
    m.security.simPin = "1234";
    m.security.alarmSettings = QByteArray(16, '\x11');
    m.users.accessPin = 0x1234FFFF;
    return m;
}

SendContext contextFor(int firmware)
{
    SendContext c;
    c.firmwareVersion = firmware;
    return c;
}

// The plan's opcodes with each run of one opcode folded into {opcode, count}.
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

const SendStep *first(const QList<SendStep> &plan, quint8 op)
{
    for (const SendStep &s : plan)
        if (s.opcode() == op)
            return &s;
    return nullptr;
}

quint32 u32At(const tduomenys &p)
{
    return quint32(quint8(p[1])) << 24 | quint32(quint8(p[2])) << 16 | quint32(quint8(p[3])) << 8 |
           quint8(p[4]);
}

struct FirmwareRow
{
    const char *profile;
    int firmware;
    int packets;       // of sampleModel()
    bool additionalCr; // PnAddCR and the heartbeat event word
    bool keys;
    bool advanced; // kiss-off, zone voice, alarm settings
    int userNames;
};

// From the module's command set: PnAddCR and the heartbeat word above 1025,
// the keys from 2020, the advanced items above 4002, 64 user names from 4003.
// 191 packets every firmware sends for the sample, + 3 PnAddCR + 1 heartbeat,
// + 2 keys, + 1 kiss-off + 64 zone voice blocks + 1 alarm block, + 32 or 64
// user names.
const FirmwareRow Firmwares[] = {
    {"ykt4m-4005", 4005, 327, true, true, true, 64},
    {"ykt4m-4003", 4003, 327, true, true, true, 64},
    {"ykt4m-2030", 2030, 229, true, true, false, 32},
    {"ykt4m-2025", 2025, 229, true, true, false, 32},
    {"ykt4m-1133", 1133, 227, true, false, false, 32},
    {"ykt3m-1024", 1024, 223, false, false, false, 32},
    {"ykt3m-1020", 1020, 223, false, false, false, 32},
    {"ykt5", 5001, 327, true, true, true, 64},
};

} // namespace

TEST(SendPlan, PacketsPerFirmwareClass)
{
    for (const FirmwareRow &row : Firmwares) {
        SCOPED_TRACE(row.profile);
        const QList<SendStep> plan = buildSendPlan(sampleModel(), contextFor(row.firmware));
        EXPECT_EQ(plan.size(), row.packets);
        for (const SendStep &s : plan)
            ASSERT_EQ(s.packet.size(), PacketSize) << s.name.toStdString();
        EXPECT_EQ(countOf(plan, opcode::SetPhoneNumberAdditionalCR), row.additionalCr ? 3 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetHeartBeatEventId), row.additionalCr ? 1 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetAES128Key), row.keys ? 2 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetPSTNKissOff), row.advanced ? 1 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetZoneVoiceIndex), row.advanced ? 64 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetAlarmSettings), row.advanced ? 1 : 0);
        EXPECT_EQ(countOf(plan, opcode::SetItemName), 64 + 16 + row.userNames + 8 + 16);
        // Without a template load the help text stays where it is.
        EXPECT_EQ(countOf(plan, opcode::SetHelpText), 0);
        EXPECT_EQ(countOf(plan, opcode::EndExchangeTrue), 0);
    }
}

TEST(SendPlan, FixedOrderOfTheWrites)
{
    using P = QPair<int, int>;
    const QList<P> full = {{0x1B, 1},
                           {0x00, 1},
                           {0x05, 1},
                           {0x01, 1},
                           {0x02, 1},
                           {0x03, 1},
                           {0x07, 1},
                           {0x08, 2},
                           {0x09, 1},
                           {0x04, 1},
                           {0x0A, 1},
                           {0x18, 1},
                           // users 0, 3 and 9, each with its additional register
                           {0x0B, 1},
                           {0x1A, 1},
                           {0x0B, 1},
                           {0x1A, 1},
                           {0x0B, 1},
                           {0x1A, 1},
                           {0x0C, 1},
                           {0x10, 168},
                           {0x11, 32},
                           {0x14, 1},
                           {0x19, 1},
                           {0x1C, 2},
                           {0x1E, 1},
                           {0x1D, 64},
                           {0x1F, 1},
                           {0x0D, 19},
                           {0x16, 2},
                           {0x0F, 1},
                           {0x13, 1},
                           {0x0F, 1},
                           {0x13, 1},
                           {0x0F, 1},
                           {0x13, 1},
                           {0x0F, 1},
                           {0x13, 1},
                           {0x0F, 1},
                           {0x13, 1},
                           {0x0F, 1},
                           {0x13, 1},
                           {0x12, 4}};
    EXPECT_EQ(runs(buildSendPlan(sampleModel(), contextFor(4005))), full);

    const QList<P> old = {
        {0x1B, 1}, {0x00, 1},  {0x05, 1}, {0x01, 1}, {0x02, 1}, {0x03, 1}, {0x07, 1},   {0x08, 2},
        {0x09, 1}, {0x04, 1},  {0x0A, 1}, {0x18, 1}, {0x0B, 3}, {0x0C, 1}, {0x10, 136}, {0x11, 32},
        {0x14, 1}, {0x0D, 19}, {0x16, 2}, {0x0F, 1}, {0x13, 1}, {0x0F, 1}, {0x13, 1},   {0x0F, 1},
        {0x13, 1}, {0x0F, 1},  {0x13, 1}, {0x0F, 1}, {0x13, 1}, {0x0F, 1}, {0x13, 1},   {0x12, 4}};
    EXPECT_EQ(runs(buildSendPlan(sampleModel(), contextFor(1024))), old);
}

TEST(SendPlan, PausesAfterTheCommands)
{
    const QList<SendStep> plan = buildSendPlan(sampleModel(), contextFor(4005));
    // No pause after the owner name, the access PIN and the keys; YKT2CR's
    // pause comes after the SIM PIN; one more after the last zone voice block.
    const QList<QPair<int, int>> expected = {
        {opcode::SetOwnerName, 0}, {opcode::SetYKT2CR, 0},    {opcode::SetSIMpin, 5},
        {opcode::SetAccessPIN, 0}, {opcode::SetAES128Key, 0}, {opcode::SetCPCR, 5},
        {opcode::SetTCPCR, 5},     {opcode::SetItemName, 5},  {opcode::SetPSTNKissOff, 5}};
    for (const auto &[op, pause] : expected)
        EXPECT_EQ(first(plan, quint8(op))->pauseAfterMs, pause) << op;
    int lastZone = -1;
    for (int k = 0; k < plan.size(); ++k)
        if (plan[k].opcode() == opcode::SetZoneVoiceIndex)
            lastZone = k;
    EXPECT_EQ(plan[lastZone - 1].pauseAfterMs, 5);
    EXPECT_EQ(plan[lastZone].pauseAfterMs, 10);
    // 327 packets, 5 of them without a pause, and the extra one after the zones.
    EXPECT_EQ(totalPauseMs(plan), (327 - 5) * 5 + 5);

    // Without "Use SIM PIN" the pause stays after YKT2CR.
    SettingsModel m = sampleModel();
    m.security.ykt2cr &= ~(1u << 6);
    const QList<SendStep> noPin = buildSendPlan(m, contextFor(4005));
    EXPECT_EQ(countOf(noPin, opcode::SetSIMpin), 0);
    EXPECT_EQ(first(noPin, opcode::SetYKT2CR)->pauseAfterMs, 5);
}

TEST(SendPlan, ConditionsOnTheContextAndTheModel)
{
    struct Case
    {
        const char *what;
        std::function<void(SettingsModel &, SendContext &)> change;
        std::function<void(const QList<SendStep> &)> check;
    };
    const Case cases[] = {
        {"locked: no USB password",
         [](SettingsModel &, SendContext &c) { c.settingsLocked = true; },
         [](const QList<SendStep> &p) { EXPECT_EQ(countOf(p, opcode::SetUSBPassword), 0); }},
        {"alarm block not read: not written",
         [](SettingsModel &m, SendContext &) { m.security.alarmSettings = QByteArray(15, '\1'); },
         [](const QList<SendStep> &p) {
             EXPECT_EQ(countOf(p, opcode::SetAlarmSettings), 0);
             EXPECT_EQ(countOf(p, opcode::SetZoneVoiceIndex), 64);
         }},
        {"empty user numbers skipped",
         [](SettingsModel &m, SendContext &) { m.phones[3].number.clear(); },
         [](const QList<SendStep> &p) {
             EXPECT_EQ(countOf(p, opcode::SetPhoneNumber), 2);
             EXPECT_EQ(countOf(p, opcode::SetPhoneNumberAdditionalCR), 2);
             EXPECT_EQ(p[13].packet.left(2), QByteArray("\x0B\x00", 2));
             EXPECT_EQ(p[15].packet.left(2), QByteArray("\x0B\x09", 2));
         }},
        {"template loaded: the help text before the inputs",
         [](SettingsModel &m, SendContext &c) {
             c.templateLoaded = true;
             m.texts.helpText = QByteArray(100, 'h');
         },
         [](const QList<SendStep> &p) {
             int k = 0;
             while (p[k].opcode() != opcode::SetHelpText)
                 ++k;
             EXPECT_EQ(p[k - 1].opcode(), opcode::SetAdditionalSMSText);
             for (int part = 0; part < 3; ++part) {
                 EXPECT_EQ(p[k + part].opcode(), opcode::SetHelpText);
                 EXPECT_EQ(quint8(p[k + part].packet[1]), part);
                 EXPECT_EQ(p[k + part].pauseAfterMs, 50);
             }
             EXPECT_EQ(p[k].packet.mid(2, 47), QByteArray(47, 'h'));
             EXPECT_EQ(p[k + 2].packet.mid(2, 47), QByteArray(6, 'h') + QByteArray(41, ' '));
             EXPECT_EQ(p[k + 3].packet, packets::endExchange(true));
             EXPECT_EQ(p[k + 4].opcode(), opcode::SetInputSetting);
         }},
        {"names, phrases and SMS texts in the module's character set",
         [](SettingsModel &m, SendContext &c) {
             c.conversionType = 2;
             m.texts.itemNames[0][0] = "\xDE"
                                       "door";
             m.texts.smsPhrases[0] = "\xC0";
             m.texts.additionalTexts[1] = "\xE0";
             m.inputs[2].smsText = "\xC8";
             m.texts.helpText = "\xC0"; // not converted, but not sent either
         },
         [](const QList<SendStep> &p) {
             EXPECT_EQ(first(p, opcode::SetItemName)->packet.mid(3, 6), "\x1A"
                                                                        "door ");
             EXPECT_EQ(first(p, opcode::SetSMSPhrase)->packet.at(2), '\x0A');
             QByteArray texts;
             for (const SendStep &s : p) {
                 if ((s.opcode() == opcode::SetAdditionalSMSText && s.packet[1] == 1) ||
                     (s.opcode() == opcode::SetInputSMSText && s.packet[1] == 2))
                     texts += s.packet.at(2);
             }
             EXPECT_EQ(texts, "\x0B\x12");
         }},
        {"arm status output: the length goes doubled",
         [](SettingsModel &m, SendContext &) {
             m.outputs[1] = {0x0D, 300};
         },
         [](const QList<SendStep> &p) {
             EXPECT_EQ(p[p.size() - 3].packet.left(5), QByteArray("\x12\x01\x0D\x02\x58", 5));
         }},
        {"remote-control number without text switches nothing",
         [](SettingsModel &m, SendContext &) {
             m.phones[10].cr = 0xF0;
             m.phones[11] = {"37069999999", 0xFF, 0};
         },
         [](const QList<SendStep> &p) {
             const SendStep *s = first(p, opcode::SetPGMPhoneNumber);
             EXPECT_EQ(s->packet.left(4), QByteArray("\x11\x00\x00 ", 4));
             EXPECT_EQ((s + 1)->packet.left(3), QByteArray("\x11\x01\xF0", 3));
         }},
        {"zone voice records: every zone, numbered by position",
         [](SettingsModel &m, SendContext &) {
             m.zoneVoice.records[5] = QByteArray("\x09\x01\x02\x03\x04\x05\x06\x07\x08", 9);
         },
         [](const QList<SendStep> &p) {
             const SendStep *z = first(p, opcode::SetZoneVoiceIndex);
             EXPECT_EQ(z->packet.left(10), QByteArray(1, '\x1D') + QByteArray(9, '\0'));
             EXPECT_EQ(z[5].packet.left(10),
                       QByteArray("\x1D\x05\x01\x02\x03\x04\x05\x06\x07\x08", 10));
             EXPECT_EQ(z[63].packet.at(1), 63);
         }},
        {"heartbeat word with the custom event",
         [](SettingsModel &m, SendContext &) { m.gprs.heartbeatEvent = 0x86A2; },
         [](const QList<SendStep> &p) {
             EXPECT_EQ(first(p, opcode::SetHeartBeatEventId)->packet.left(3),
                       QByteArray("\x19\x86\xA2", 3));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SettingsModel m = sampleModel();
        SendContext ctx = contextFor(4005);
        c.change(m, ctx);
        c.check(buildSendPlan(m, ctx));
    }
}

TEST(SendPlan, RegistersObeyTheFirmware)
{
    struct Row
    {
        int firmware;
        bool pstnShown;
        quint32 tcpcr; // in the model
        quint32 sent;
    };
    // Channel 1 used, Fibro (3), UDP and encrypted; channel 2 reserve,
    // CSV IP, encrypted; copy bits clear in the model.
    const quint32 model = 1u << 11 | 3 | 2u << 4 | 3u << 8 | 1u << 24 | 1u << 25 | 1u << 29;
    const quint32 copy = 3u << 12;
    const Row rows[] = {
        {2030, true, model, model},
        {2030, false, model, model | copy},
        // Below 2030 no encryption bits and no Fibro: channel 1 reads as E2.
        {2025, true, model, (model & ~(1u << 25 | 1u << 29) & ~0xFu) | 1},
        {1024, false, model, ((model & ~(1u << 25 | 1u << 29) & ~0xFu) | 1) | copy},
    };
    for (const Row &r : rows) {
        SettingsModel m = sampleModel();
        m.gprs.tcpcr = r.tcpcr;
        SendContext c = contextFor(r.firmware);
        c.pstnBoxesShown = r.pstnShown;
        EXPECT_EQ(u32At(first(buildSendPlan(m, c), opcode::SetTCPCR)->packet), r.sent)
            << r.firmware << " " << r.pstnShown;
    }

    // YKT2CR: bit 7 (the module's "Incorrect SIM PIN") never goes back; the
    // window's work mode wins over the model's.
    SettingsModel m = sampleModel();
    m.security.ykt2cr |= 1u << 7 | 1u << 26;
    SendContext c = contextFor(4005);
    EXPECT_EQ(u32At(first(buildSendPlan(m, c), opcode::SetYKT2CR)->packet),
              m.security.ykt2cr & ~(1u << 7));
    c.workMode = WorkMode::Magellan;
    EXPECT_EQ(u32At(first(buildSendPlan(m, c), opcode::SetYKT2CR)->packet),
              (m.security.ykt2cr & ~(1u << 7 | 1u << 26)) | 1u << 27);
    // CPCR is always 0, first.
    EXPECT_EQ(buildSendPlan(m, c).first().packet, packets::u32(opcode::SetCPCR, 0));
}
