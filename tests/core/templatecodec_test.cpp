#include "templates/templatecodec.h"
#include "templates/templatelines.h"
#include "templates/templatesettings.h"

#include "device/commands.h"
#include "settings/gprsfields.h"
#include "settings/securityfields.h"

#include "support/modelgenerator.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

using namespace ykt;
using ykt::testing::ModelGenerator;

namespace {

// What a load of model's template over base gives: what a template does not
// carry comes from base.
SettingsModel loadedOver(SettingsModel m, const SettingsModel &base, int firmware)
{
    constexpr quint32 pstnCopies = 0x3000;
    constexpr quint32 encryption = (1u << 25) | (1u << 29);
    const quint32 kept = pstnCopies | (firmware < FibroFirmware ? encryption : 0);
    m.gprs.tcpcr = (m.gprs.tcpcr & ~kept) | (base.gprs.tcpcr & kept);
    if (firmware < FibroFirmware)
        m.gprs.aesKeys = base.gprs.aesKeys;
    constexpr quint32 moduleBits = (1u << 7) | (1u << 25);
    m.security.ykt2cr = (m.security.ykt2cr & ~moduleBits) | (base.security.ykt2cr & moduleBits);
    m.security.alarmSettings = mergeAlarmSettings(base.security.alarmSettings,
                                                  *unpackAlarmSettings(m.security.alarmSettings));
    m.users.smsBackupUse = base.users.smsBackupUse;
    m.users.smsBackupNumber = base.users.smsBackupNumber;
    m.zoneVoice.languageName = base.zoneVoice.languageName;
    // The SMSPhrase lines are the program's own phrase list, not the
    // module's phrases.
    m.texts.smsPhrases = base.texts.smsPhrases;
    return m;
}

QByteArray lineOf(const QList<QByteArray> &lines, const QByteArray &name)
{
    return NamedValues(lines).value(name);
}

// The lines of model with some values replaced (or removed when empty).
QList<QByteArray> edited(const QList<QByteArray> &lines,
                         const QList<std::pair<QByteArray, QByteArray>> &changes)
{
    QList<QByteArray> out;
    for (const QByteArray &line : lines) {
        QByteArray name;
        splitNamedLine(line, &name, nullptr);
        bool changed = false;
        for (const auto &[key, value] : changes) {
            if (key == name) {
                changed = true;
                if (!value.isNull())
                    out.append(makeNamedLine(name, value));
            }
        }
        if (!changed)
            out.append(line);
    }
    return out;
}

bool mentions(const QList<TemplateProblem> &problems, const QByteArray &key)
{
    return std::any_of(problems.cbegin(), problems.cend(),
                       [&](const TemplateProblem &p) { return p.key == key; });
}

} // namespace

TEST(TemplateCodec, RoundTripOverFirmwareClasses)
{
    struct Case
    {
        int firmware;
        char separator;
        std::size_t lineCount;
    };
    for (const Case c : {Case{1133, '.', 456}, Case{2030, ',', 458}, Case{4005, '.', 458}}) {
        for (quint32 seed = 1; seed <= 5; ++seed) {
            SCOPED_TRACE(::testing::Message() << "firmware " << c.firmware << " seed " << seed);
            ModelGenerator gen(seed * 7919 + quint32(c.firmware));
            const SettingsModel model = gen.model(c.firmware);
            const SettingsModel base = gen.model(c.firmware);
            TemplateContext context;
            context.languageName = "Lietuvi\xF8";
            context.firmwareVersion = c.firmware;
            context.decimalSeparator = c.separator;
            const QList<QByteArray> lines = encodeTemplate(model, context);
            EXPECT_EQ(std::size_t(lines.size()), c.lineCount);

            const DecodedTemplate decoded = decodeTemplate(lines, base, c.firmware);
            EXPECT_TRUE(decoded.errors.isEmpty()) << decoded.errors.first().key.constData();
            EXPECT_TRUE(decoded.warnings.isEmpty()) << decoded.warnings.first().key.constData();
            EXPECT_EQ(decoded.languageName, context.languageName);
            EXPECT_EQ(decoded.workMode, workModeOf(model.security.ykt2cr));
            EXPECT_TRUE(decoded.model == loadedOver(model, base, c.firmware));
            // Saved again, the loaded settings give the same file.
            EXPECT_EQ(encodeTemplate(decoded.model, context), lines);
            EXPECT_TRUE(templateDifferences(decoded, decoded).isEmpty());
        }
    }
}

TEST(TemplateCodec, EncodingsKeyByKey)
{
    SettingsModel m;
    TcpCrFields tcp;
    tcp.channel1Protocol = 2; // Fibro
    tcp.channel1Used = true;
    tcp.channel2Use = 2;
    tcp.channel2Protocol = 1;
    tcp.channel1Udp = true;
    tcp.channel1Encrypted = true;
    tcp.channel2Encrypted = true;
    m.gprs.tcpcr = packTCPCR(tcp, true, FibroFirmware);
    m.gprs.reserveAccounts = {"1111", "2222"};
    m.gprs.apnPassword = "secret";
    m.gprs.aesKeys[0] = QByteArray::fromHex("00112233445566778899AABBCCDDEEFF");
    m.gprs.heartbeatEvent = 0x86A2;
    // Bits 6, 7, 25 and 26 are not the YKT2CR line's: 0x2 (unused), 0x3D carried.
    m.security.ykt2cr = 0x0700'FA3Fu | 0x40 | 0x80 | (1u << 25) | (1u << 26);
    m.users.smsPstnCr = 0x8012'0000;
    m.users.accessPin = 0x1234'FFFF;
    m.security.pstnKissOff = 3000;
    m.inputs[2].cid = QByteArray("\x18\x01\x30\x00\xFF", 5);
    m.zoneVoice.records[5] = QByteArray("\x05\x01\x00\xFF\x00\x00\x00\x00\x00", 9);
    m.texts.helpText = QByteArray("line one\r\nline two\nend\0x", 24);
    m.phones[12].number = "+37060000000";

    TemplateContext old;
    old.firmwareVersion = 1133;
    old.settingsLocked = true;
    old.decimalSeparator = ',';
    const QList<QByteArray> a = encodeTemplate(m, old);
    EXPECT_EQ(a.at(0), "Language=");
    EXPECT_EQ(a.at(1), "Loader_Version= v.3.10");
    EXPECT_EQ(lineOf(a, "ReserveAccount1"), "2222"); // channel 2's account
    EXPECT_EQ(lineOf(a, "ReserveAccount2"), "1111");
    EXPECT_EQ(lineOf(a, "Password"), "");
    EXPECT_EQ(lineOf(a, "AccessPIN"), "1234");
    // Below 2030: two protocols (Fibro saved as E2), no encryption bits, the
    // hidden PSTN copies set.
    EXPECT_EQ(lineOf(a, "CR"), QByteArray::number(0x0100'3B21));
    EXPECT_FALSE(NamedValues(a).contains("EncryptionKey1"));
    EXPECT_EQ(lineOf(a, "YKT2CR"), QByteArray::number(0x0100'FA3D));
    EXPECT_EQ(lineOf(a, "SIM_PIN_CB"), "-1");
    EXPECT_EQ(lineOf(a, "WorkMode"), "advanced");
    EXPECT_EQ(lineOf(a, "SMSPSTNCR"), "1179648");
    EXPECT_EQ(lineOf(a, "Limited_Trouble_SMS"), "-1");
    EXPECT_EQ(lineOf(a, "KISS_OFF"), "1,5");
    EXPECT_EQ(lineOf(a, "CID2"), "24\t1\t48\t0\t255\t");
    EXPECT_EQ(lineOf(a, "CID3"), "0\t0\t0\t0\t0\t");
    EXPECT_EQ(lineOf(a, "ZoneVoiceData5"), "050100FF0000000000");
    EXPECT_EQ(lineOf(a, "ZoneVoiceData6"), "060000000000000000");
    EXPECT_EQ(lineOf(a, "Help_Text"), "line one line two end x");
    EXPECT_EQ(lineOf(a, "PGMPhonenumber2"), "+37060000000");
    EXPECT_EQ(lineOf(a, "HeartBeat_Event_ID_CB"), "-1");
    EXPECT_EQ(lineOf(a, "HeartBeat_Event_ID"), "6A2");
    EXPECT_EQ(lineOf(a, "AS_event_log"), "0"); // no block from the module
    EXPECT_EQ(a.last(), "AS_save_event_log=0");

    TemplateContext fibro;
    fibro.firmwareVersion = 2030;
    fibro.pstnBoxesShown = true;
    fibro.workMode = WorkMode::Magellan;
    const QList<QByteArray> b = encodeTemplate(m, fibro);
    EXPECT_EQ(lineOf(b, "CR"), QByteArray::number(0x2300'0B23 | 0x0100'0000));
    EXPECT_EQ(lineOf(b, "EncryptionKey1"), "00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(lineOf(b, "EncryptionKey2"), "00000000000000000000000000000000");
    EXPECT_EQ(lineOf(b, "Password"), "secret");
    EXPECT_EQ(lineOf(b, "WorkMode"), "paradox");
    EXPECT_EQ(lineOf(b, "KISS_OFF"), "1.5");
    // The order: groups complete, one after the other.
    const qsizetype users = b.indexOf("PnCR0=0");
    EXPECT_EQ(b.mid(users, 4),
              QList<QByteArray>({"PnCR0=0", "PnAddCR0=0", "PhoneNr0=", "PnCR1=0"}));
    const qsizetype names = b.indexOf("Zone15=");
    EXPECT_EQ(b.mid(names, 7), QList<QByteArray>({"Zone15=", "User15=", "Module15=", "Pgm15=",
                                                  "Zone16=", "User16=", "Zone17="}));
}

TEST(TemplateCodec, ValuesReadKeyByKey)
{
    ModelGenerator gen(42);
    SettingsModel base = gen.model(4005);
    TemplateContext context;
    context.firmwareVersion = 4005;
    const QList<QByteArray> lines = encodeTemplate(gen.model(4005), context);

    struct Case
    {
        const char *what;
        QList<std::pair<QByteArray, QByteArray>> changes;
        int firmware;
        std::function<void(const DecodedTemplate &)> check;
    };
    const QByteArray none; // removes the line
    const QList<Case> cases = {
        {"a point and a comma both read",
         {{"KISS_OFF", "1,2"}},
         4005,
         [](const DecodedTemplate &d) { EXPECT_EQ(d.model.security.pstnKissOff, 2400); }},
        {"kiss-off that does not convert",
         {{"KISS_OFF", "1.2.3"}},
         4005,
         [](const DecodedTemplate &d) { EXPECT_EQ(d.model.security.pstnKissOff, 1600); }},
        {"kiss-off brought into range",
         {{"KISS_OFF", "9"}},
         4005,
         [](const DecodedTemplate &d) {
             EXPECT_EQ(d.model.security.pstnKissOff, 3000);
             EXPECT_TRUE(mentions(d.warnings, "KISS_OFF"));
         }},
        {"work mode in capitals, any other word",
         {{"WorkMode", "ADVANCED"}},
         4005,
         [](const DecodedTemplate &d) {
             EXPECT_EQ(d.workMode, WorkMode::AdvancedCommunicator);
             EXPECT_EQ(workModeOf(d.model.security.ykt2cr), WorkMode::AdvancedCommunicator);
             EXPECT_EQ(workModeFromWord("magellan"), WorkMode::Communicator);
         }},
        {"protocol not offered below 2030, encryption lines ignored",
         {{"CR", QByteArray::number(0x2200'0833)}, {"EncryptionKey1", "FF"}},
         1133,
         [&base](const DecodedTemplate &d) {
             const TcpCrFields f = unpackTCPCR(d.model.gprs.tcpcr, 3);
             EXPECT_EQ(f.channel1Protocol, 0);
             EXPECT_EQ(f.channel2Protocol, 0);
             EXPECT_EQ(d.model.gprs.tcpcr & 0x2200'3000, base.gprs.tcpcr & 0x2200'3000);
             EXPECT_EQ(d.model.gprs.aesKeys, base.gprs.aesKeys);
             EXPECT_TRUE(mentions(d.warnings, "CR"));
         }},
        {"a short key is completed, a bad one kept",
         {{"EncryptionKey1", "ab"}, {"EncryptionKey2", "XYZ"}},
         4005,
         [&base](const DecodedTemplate &d) {
             EXPECT_EQ(d.model.gprs.aesKeys[0], QByteArray(1, '\xAB') + QByteArray(15, '\0'));
             EXPECT_EQ(d.model.gprs.aesKeys[1], base.gprs.aesKeys[1]);
             EXPECT_TRUE(mentions(d.warnings, "EncryptionKey2"));
         }},
        {"numbers clamped into their field",
         {{"PnCR0", "300"}, {"ImpLength1", "-5"}, {"YKT2CR", "0"}},
         4005,
         [](const DecodedTemplate &d) {
             EXPECT_EQ(d.model.phones[0].cr, 255);
             EXPECT_EQ(d.model.outputs[1].impLength, 0);
             EXPECT_EQ(unpackYKT2CR(d.model.security.ykt2cr).heartbeatSeconds, 10);
             EXPECT_TRUE(d.ok());
             EXPECT_EQ(d.warnings.size(), 3);
         }},
        {"bad integers and Contact ID codes are errors, the value kept",
         {{"PnAddCR3", "x1"},
          {"SMSPSTNCR", none},
          {"CID0", "1\t2\t3\t"},
          {"CID1", "1\t2\t3\t4\t256\t"},
          {"CID2", "1\t2\t3\t4\t5"}},
         4005,
         [&base](const DecodedTemplate &d) {
             EXPECT_FALSE(d.ok());
             EXPECT_EQ(d.errors.size(), 4);
             EXPECT_EQ(d.model.phones[3].addCr, base.phones[3].addCr);
             EXPECT_EQ(d.model.inputs[0].cid, base.inputs[0].cid);
             EXPECT_EQ(d.model.inputs[2].cid, QByteArray("\1\2\3\4\5"));
         }},
        {"zone voice list ends at the first gap",
         {{"ZoneVoiceData2", none}, {"ZoneVoiceData1", "01FFfeab0000000000F"}},
         4005,
         [&base](const DecodedTemplate &d) {
             EXPECT_EQ(d.model.zoneVoice.records[1], QByteArray::fromHex("01FFFEAB0000000000"));
             EXPECT_EQ(d.model.zoneVoice.records[3], base.zoneVoice.records[3]);
         }},
        {"zone voice record naming no zone, bad digit",
         {{"ZoneVoiceData0", "400000000000000000"}, {"ZoneVoiceData1", "01GG"}},
         4005,
         [&base](const DecodedTemplate &d) {
             EXPECT_EQ(d.model.zoneVoice.records[0], base.zoneVoice.records[0]);
             EXPECT_TRUE(mentions(d.warnings, "ZoneVoiceData0"));
             EXPECT_TRUE(mentions(d.errors, "ZoneVoiceData1"));
         }},
        {"an older template without the alarm server lines",
         {{"AS_every_event", none},
          {"AS_event_log", none},
          {"AS_motion_detection", none},
          {"AS_report_user_names", none},
          {"AS_report_zone_names", none},
          {"AS_save_event_log", none}},
         4005,
         [&base](const DecodedTemplate &d) {
             EXPECT_TRUE(d.ok());
             EXPECT_EQ(d.model.security.alarmSettings, base.security.alarmSettings);
         }},
        {"texts cut to their fields, the PIN to its digits",
         {{"PhoneNr0", "1234567890123456789"}, {"AccessPIN", "12a34"}, {"Language", "en"}},
         4005,
         [](const DecodedTemplate &d) {
             EXPECT_EQ(d.model.phones[0].number, "123456789012345");
             EXPECT_EQ(d.model.users.accessPin, 0x1234'FFFFu);
             EXPECT_EQ(d.languageName, "en");
             EXPECT_EQ(d.warnings.size(), 2);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.check(decodeTemplate(edited(lines, c.changes), base, c.firmware));
    }
}

TEST(TemplateCodec, AlarmServerOptionsWithoutABlock)
{
    SettingsModel fresh; // nothing read: no alarm settings block
    const QList<QByteArray> defaults = encodeTemplate(fresh, {});
    EXPECT_TRUE(decodeTemplate(defaults, fresh, 1133).model.security.alarmSettings.isEmpty());

    const QList<QByteArray> lines =
        edited(defaults, {{"AS_event_log", "3"}, {"AS_report_zone_names", "True"}});
    const SettingsModel m = decodeTemplate(lines, fresh, 1133).model;
    ASSERT_EQ(m.security.alarmSettings.size(), 16);
    const AlarmServerOptions o = *unpackAlarmSettings(m.security.alarmSettings);
    EXPECT_EQ(o.eventLog, 3);
    EXPECT_TRUE(o.reportZoneNames);
    EXPECT_FALSE(o.saveEventLog);
}

TEST(TemplateCodec, AnyLinesLoad)
{
    QRandomGenerator random(2026);
    ModelGenerator gen(7);
    const SettingsModel base = gen.model(4005);
    const QList<QByteArray> valid = encodeTemplate(gen.model(4005), {});
    for (int round = 0; round < 50; ++round) {
        QList<QByteArray> lines = valid;
        // Bytes of any value into random lines, some lines without "=".
        for (int k = 0; k < 40; ++k) {
            QByteArray &line = lines[random.bounded(int(lines.size()))];
            line = random.bounded(4) == 0 ? QByteArray() : line.left(random.bounded(20));
            for (int n = random.bounded(12); n > 0; --n)
                line += char(random.bounded(256));
        }
        const DecodedTemplate d = decodeTemplate(lines, base, 4005);
        EXPECT_EQ(d.model.phones[0].number.size() <= PhoneRecord::MaxNumberLength, true);
        EXPECT_LE(d.model.texts.helpText.size(), 140);
        describeTemplate(d);
    }
    const DecodedTemplate empty = decodeTemplate({}, base, 4005);
    EXPECT_TRUE(mentions(empty.errors, "CR"));
    EXPECT_TRUE(mentions(empty.errors, "PnCR9"));
    EXPECT_TRUE(empty.model.phones[12].number.isEmpty()); // a text line that is not there
    EXPECT_EQ(empty.model.phones[12].cr, base.phones[12].cr);
}

TEST(TemplateCodec, DifferencesInWords)
{
    SettingsModel m;
    m.gprs.apn = "internet";
    const QList<QByteArray> lines = encodeTemplate(m, {});
    const DecodedTemplate a = decodeTemplate(lines, SettingsModel(), 4005);
    const DecodedTemplate b =
        decodeTemplate(edited(lines, {{"APN", "web.example"}, {"PnCR2", "64"}, {"CR", "768"}}),
                       SettingsModel(), 4005);
    EXPECT_EQ(templateDifferences(a, b),
              QStringList({"APN: internet -> web.example", "Channel 2 use: Not used -> Reserve",
                           "User 3 Alarm SMS: off -> on"}));
}
