// Test programming as packets and model: every value of the written table,
// the order and the pauses, the character-set conversion of the texts, and
// the rules of the test number list kept in Settings.ini.

#include "settings/productiontest.h"
#include "settings/registers.h"
#include "texts/modulecharset.h"

#include <gtest/gtest.h>

using namespace ykt;

namespace {

// A display byte that conversion type 2 writes as 0x1A.
constexpr char Converted = char(0xDE);
constexpr int ConversionType = 2;

QByteArray message(int n)
{
    switch (n) {
    case 20:
        return QByteArray("Vartotojas") + Converted;
    case 21:
        return "Modulis";
    case 22:
        return "Sritis";
    case 23:
        return QByteArray("Zona") + Converted;
    default:
        return "unused" + QByteArray::number(n);
    }
}

// The text field of a packet: width bytes from offset.
QByteArray field(const tduomenys &packet, int offset, int width)
{
    return packet.mid(offset, width);
}

QByteArray padded(const QByteArray &text, int width)
{
    return text.left(width) + QByteArray(qMax(0, width - int(text.size())), ' ');
}

} // namespace

TEST(ProductionTest, PlanAndModelHoldTheTestValues)
{
    SettingsModel before;
    before.phones[0].addCr = 0x11; // PnAddCR is the factory default's, not ours
    before.phones[1].number = "+37060000001";
    before.inputs[3].cr = 1;
    before.inputs[3].cid = "\x01\x02\x03\x04\x05";
    before.texts.itemNames[2][0] = "Kept";
    SettingsModel m = before;

    const QList<SendStep> plan = ApplyTestProgramming(m, "37060000000", ConversionType, message);

    // Order: user 0, six times setting + SMS text, three names, EndExchange.
    QList<int> opcodes;
    for (const SendStep &s : plan) {
        ASSERT_EQ(s.packet.size(), 63) << s.name.toStdString();
        opcodes.append(s.opcode());
    }
    QList<int> expected{0x0B};
    for (int i = 0; i < 6; ++i)
        expected << 0x0F << 0x13;
    expected << 0x10 << 0x10 << 0x10 << 0x41;
    EXPECT_EQ(opcodes, expected);
    // 100 ms after each input write, nothing after the others.
    for (const SendStep &s : plan)
        EXPECT_EQ(s.pauseAfterMs, (s.opcode() == 0x0F || s.opcode() == 0x13) ? 100 : 0)
            << s.name.toStdString();
    EXPECT_EQ(totalPauseMs(plan), 1200);

    // User 0: the number, PnCR 67 = arming, disarming and alarm SMS only.
    const tduomenys &user = plan[0].packet;
    EXPECT_EQ(quint8(user[1]), 0);
    EXPECT_EQ(quint8(user[2]), 0x43);
    EXPECT_EQ(field(user, 3, 15), padded("37060000000", 15));
    EXPECT_EQ(m.phones[0].number, QByteArray("37060000000"));
    EXPECT_EQ(m.phones[0].cr, 67);
    EXPECT_EQ(m.phones[0].addCr, 0x11);
    const UserFlags flags = unpackUserFlags(m.phones[0].cr, 0);
    EXPECT_TRUE(flags.armingSms && flags.disarmingSms && flags.alarmSms);
    EXPECT_FALSE(flags.callOnAlarm || flags.mandatoryCall || flags.periodicSmsTest ||
                 flags.troubleSms || flags.smartphone != Smartphone::No);

    for (int i = 0; i < 6; ++i) {
        const tduomenys &setting = plan[1 + 2 * i].packet;
        const tduomenys expectedSetting =
            QByteArray::fromHex("0f") + char(i) + QByteArray::fromHex("02000400000000000000");
        EXPECT_EQ(setting.left(12), expectedSetting) << i;
        const InputRecord &r = m.inputs[i];
        EXPECT_EQ(unpackInputSettingsCR(r.cr).function, 2);
        EXPECT_FALSE(unpackInputSettingsCR(r.cr).normallyClosed);
        EXPECT_EQ(r.violations, 0);
        EXPECT_EQ(r.sensivity, 4);
        EXPECT_EQ(r.noSenseInterval, 0);
        EXPECT_EQ(r.cid, QByteArray(5, '\0'));

        // The model keeps the display code page; the module gets its own set.
        const QByteArray text = QByteArray("Zona") + Converted + QByteArray::number(i + 1);
        EXPECT_EQ(r.smsText, text);
        const tduomenys &sms = plan[2 + 2 * i].packet;
        EXPECT_EQ(quint8(sms[1]), i);
        EXPECT_EQ(field(sms, 2, 50), padded(toModule(text, ConversionType), 50));
        EXPECT_EQ(quint8(sms[6]), 0x1A);
    }

    // Names: users position 1, partitions position 0, modules position 1.
    struct Name
    {
        int fdNr, idx;
        QByteArray text;
    };
    const Name names[] = {
        {3, 1, QByteArray("Vartotojas") + Converted + "1"}, {4, 0, "Sritis1"}, {2, 1, "Modulis1"}};
    for (int k = 0; k < 3; ++k) {
        const tduomenys &p = plan[13 + k].packet;
        const Name &n = names[k];
        EXPECT_EQ(quint8(p[1]), n.fdNr) << k;
        EXPECT_EQ(quint8(p[2]), n.idx) << k;
        EXPECT_EQ(field(p, 3, 16), padded(toModule(n.text, ConversionType), 16)) << k;
        EXPECT_EQ(m.texts.itemNames[size_t(n.fdNr - 1)][size_t(n.idx)], n.text) << k;
    }
    EXPECT_EQ(quint8(plan[13].packet[13]), 0x1A); // the user name's converted byte

    // Nothing else of the model moved.
    SettingsModel rest = m;
    rest.phones[0] = before.phones[0];
    rest.inputs = before.inputs;
    for (const Name &n : names)
        rest.texts.itemNames[size_t(n.fdNr - 1)][size_t(n.idx)] =
            before.texts.itemNames[size_t(n.fdNr - 1)][size_t(n.idx)];
    EXPECT_TRUE(rest == before);
}

TEST(ProductionTest, UserNumberOfEveryLength)
{
    struct Case
    {
        QByteArray number;
        QByteArray stored;
        quint8 pnCR;
    };
    // Only the list insists on eleven characters: a typed number is taken
    // as it is, cut to the field; an empty one clears user 0.
    for (const Case &c : {Case{"", "", 0},
                          {"37060000", "37060000", 67},
                          {"+3706000000012345", "+37060000000123", 67}}) {
        SettingsModel m;
        m.phones[0] = {"+37069999999", 0xFF, 0};
        const QList<SendStep> plan = ApplyTestProgramming(m, c.number, 0, message);
        EXPECT_EQ(m.phones[0].number, c.stored) << c.number.constData();
        EXPECT_EQ(m.phones[0].cr, c.pnCR) << c.number.constData();
        ASSERT_EQ(plan.first().opcode(), 0x0B);
        EXPECT_EQ(quint8(plan.first().packet[2]), c.pnCR);
        EXPECT_EQ(field(plan.first().packet, 3, 15), padded(c.stored, 15));
    }
}

TEST(ProductionTest, TestNumberListInSettings)
{
    // Loading: each stored value of exactly eleven characters, in key order.
    struct Load
    {
        std::array<QByteArray, 3> stored;
        QStringList list;
    };
    for (const Load &c : {
             Load{{"37060000001", "37060000002", "37060000003"},
                  {"37060000001", "37060000002", "37060000003"}},
             Load{{"", "3706000000", "370600000033"}, {}},
             Load{{"3706000000", "37060000002", "abcdefghijk"}, {"37060000002", "abcdefghijk"}},
         })
        EXPECT_EQ(TestNumbersFromSettings(c.stored), c.list) << c.list.join(',').toStdString();

    // Saving: the first three positions, each only when it is eleven long.
    using Values = QList<std::pair<QByteArray, QByteArray>>;
    struct Save
    {
        QStringList items;
        Values saved;
    };
    for (const Save &c : {
             Save{{}, {}},
             Save{{"37060000001", "37060000002", "37060000003", "37060000004"},
                  {{"PhoneNumber1", "37060000001"},
                   {"PhoneNumber2", "37060000002"},
                   {"PhoneNumber3", "37060000003"}}},
             Save{{"3706", "37060000002", "", "37060000004"}, {{"PhoneNumber2", "37060000002"}}},
         })
        EXPECT_EQ(TestNumbersToSave(c.items), c.saved) << c.items.join(',').toStdString();

    EXPECT_TRUE(IsListTestNumber(QStringLiteral("37060000000")));
    EXPECT_FALSE(IsListTestNumber(QStringLiteral("3706000000")));
    EXPECT_FALSE(IsListTestNumber(QStringLiteral("370600000000")));
}
