// The check after a send: which sent values the read brought back otherwise,
// with the module's way of keeping values taken into account.

#include "settings/readbackcheck.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ykt;

namespace {

// Values the module keeps exactly as they are sent.
SettingsModel baseModel()
{
    SettingsModel m;
    m.gprs.connectionString = "192.0.2.1:5000";
    m.gprs.apn = "internet";
    m.gprs.reserveAccounts = {"1234", "5678"};
    // Channel 1 used, both protocols E2, the copy bits set (their boxes hidden).
    m.gprs.tcpcr = 0x00003811;
    m.gprs.aesKeys = {QByteArray(16, '\x21'), QByteArray(16, '\x42')};
    m.phones[3] = {"37060000004", 0x43, 0x10};
    m.phones[12] = {"37060000013", 0x80, 0};
    m.security.ownerName = "Owner";
    m.security.ykt2cr = 600u << 8 | 5u << 3;
    m.security.pstnKissOff = 1600;
    m.security.alarmSettings = QByteArray(16, '\x01');
    m.users.smsPstnCr = 0x80120000;
    m.users.accessPin = 0x1234FFFF;
    for (int g = 0; g < TextsArea::NameGroups; ++g)
        for (int i = 0; i < TextsArea::groupSize(g + 1); ++i)
            m.texts.itemNames[g][i] = "Name " + QByteArray::number(i);
    m.texts.smsPhrases[0] = "Alarm";
    m.texts.additionalTexts = {"GPRS lost", "Statistics"};
    m.texts.helpText = "Send STATUS";
    m.inputs[0] = {0x41, 2, 4, 30, QByteArray("\x11\x30\x00\x01\x02", 5), "Input one"};
    m.outputs[1] = {0x0D, 300}; // arm status: the length travels doubled
    for (int z = 0; z < ZoneVoiceArea::ZoneCount; ++z)
        m.zoneVoice.records[z] = QByteArray(1, char(z)) + QByteArray(8, '\0');
    return m;
}

using Change = std::function<void(SettingsModel &sent, SettingsModel &read, SendContext &)>;

struct Case
{
    const char *what;
    int firmware;
    Change change;
    QList<ReadBackDifference> expected;
};

} // namespace

TEST(ReadBack, DifferencesWithTheModuleRulesApplied)
{
    const Case cases[] = {
        {"the same model", 4005, [](SettingsModel &, SettingsModel &, SendContext &) {}, {}},
        // What the module does to a value is no difference.
        {"a name longer than its field comes back cut",
         4005,
         [](SettingsModel &s, SettingsModel &r, SendContext &) {
             s.texts.itemNames[0][3] = "Front door entrance hall";
             r.texts.itemNames[0][3] = "Front door entra";
         },
         {}},
        {"trailing blanks and a short account",
         4005,
         [](SettingsModel &s, SettingsModel &r, SendContext &) {
             s.gprs.apn = "internet   ";
             s.gprs.reserveAccounts[1] = "12";
             r.gprs.reserveAccounts[1] = "1200";
             s.phones[3].number = "37060000004  ";
         },
         {}},
        {"a character set that merges two letters",
         4005,
         [](SettingsModel &s, SettingsModel &r, SendContext &c) {
             c.conversionType = 2;
             s.texts.smsPhrases[0] = "\xFE";
             r.texts.smsPhrases[0] = "\xDE";
         },
         {}},
        {"the module's SIM PIN status bit",
         4005,
         [](SettingsModel &, SettingsModel &r, SendContext &) { r.security.ykt2cr |= 1u << 7; },
         {}},
        {"an empty user number is not sent, so not compared",
         4005,
         [](SettingsModel &s, SettingsModel &r, SendContext &) {
             s.phones[3].number.clear();
             r.phones[3].cr = 0x07;
         },
         {}},
        // Values the read cannot show.
        {"keys of firmware 2025 are not read",
         2025,
         [](SettingsModel &, SettingsModel &r, SendContext &) { r.gprs.aesKeys[0].clear(); },
         {}},
        {"kiss-off of firmware 1024 is not sent",
         1024,
         [](SettingsModel &, SettingsModel &r, SendContext &) { r.security.pstnKissOff = 3000; },
         {}},
        {"the GPRS area while locked",
         4005,
         [](SettingsModel &, SettingsModel &r, SendContext &c) {
             c.settingsLocked = true;
             r.gprs.apn = "other";
             r.gprs.tcpcr = 0;
             r.security.ownerName = "Changed";
         },
         {{"Owner name", "Owner", "Changed"}}},
        {"the help text without a template load",
         4005,
         [](SettingsModel &, SettingsModel &r, SendContext &) { r.texts.helpText = "x"; },
         {}},
        // Real differences, in the order of the send.
        {"several settings differ",
         4005,
         [](SettingsModel &, SettingsModel &r, SendContext &) {
             r.gprs.apn = "other";
             r.phones[3].cr = 0x00;
             r.phones[12].number = "37060000099";
             r.users.accessPin = 0x1235FFFF;
             r.texts.itemNames[2][40] = "Somebody";
             r.outputs[1].impLength = 600;
         },
         {{"APN", "internet", "other"},
          {"Phone number 4", "37060000004 (0x43)", "37060000004 (0x00)"},
          {"User name 40", "Name 40", "Somebody"},
          {"Remote control number 3", "37060000013 (0x80)", "37060000099 (0x80)"},
          {"Access PIN", "1234", "1235"},
          {"Output 2", "CR 0x0D, length 300", "CR 0x0D, length 600"}}},
        {"keys, zone voice and alarm block",
         4005,
         [](SettingsModel &, SettingsModel &r, SendContext &) {
             r.gprs.aesKeys[1] = QByteArray(3, 'A');
             r.zoneVoice.records[7][2] = '\x05';
             r.security.alarmSettings[15] = '\x00';
         },
         {{"Channel 2 key", "42424242424242424242424242424242", "414141"},
          {"Zone voice 8", "070000000000000000", "070005000000000000"},
          {"Alarm settings", "01010101010101010101010101010101",
           "01010101010101010101010101010100"}}},
        {"the help text after a template load, once",
         4005,
         [](SettingsModel &, SettingsModel &r, SendContext &c) {
             c.templateLoaded = true;
             r.texts.helpText = "Send STATUS.";
         },
         {{"Help text", "Send STATUS", "Send STATUS."}}},
        {"an input and its SMS text",
         1020,
         [](SettingsModel &, SettingsModel &r, SendContext &) {
             r.inputs[0].sensivity = 5;
             r.inputs[0].smsText = "Input 1";
         },
         {{"Input 1", "CR 0x41, violations 2, sensitivity 4, interval 30, CID 1130000102",
           "CR 0x41, violations 2, sensitivity 5, interval 30, CID 1130000102"},
          {"Input SMS text 1", "Input one", "Input 1"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SettingsModel sent = baseModel();
        SettingsModel read = baseModel();
        SendContext context;
        context.firmwareVersion = c.firmware;
        c.change(sent, read, context);
        const QList<ReadBackDifference> got = compareReadBack(sent, read, context);
        EXPECT_EQ(got.size(), c.expected.size());
        for (int k = 0; k < got.size() && k < c.expected.size(); ++k) {
            EXPECT_EQ(got[k].setting, c.expected[k].setting);
            EXPECT_EQ(got[k].sent, c.expected[k].sent) << k;
            EXPECT_EQ(got[k].read, c.expected[k].read) << k;
        }
        for (int k = c.expected.size(); k < got.size(); ++k)
            ADD_FAILURE() << "unexpected: " << got[k].setting.toStdString() << " "
                          << got[k].sent.toStdString() << " / " << got[k].read.toStdString();
    }
}
