// The settings model filled from a whole read of the virtual module, and
// what the receiver does with answers no module should send.

#include "driverrig.h"

#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"
#include "texts/helptext.h"
#include "texts/modulecharset.h"

using namespace ykt;
using namespace ykt::testing;

namespace {

// The window shows the modem data in its status bar; without the window the
// test takes it, so the read goes on past it.
struct ReceiverRig : DriverRig
{
    explicit ReceiverRig(const QString &spec, int conversionType = 0)
        : DriverRig(spec, fastTimings(), /*sink*/ false),
          receiver(std::make_unique<SettingsReceiver>(driver.get(), &model, &announcer,
                                                      [conversionType] { return conversionType; }))
    {
        QObject::connect(driver.get(), &TYKT2::OnModemData, driver.get(), [] {});
        QObject::connect(&announcer, &SettingsAnnouncer::stored, receiver.get(),
                         [this](quint8 type, int index) {
                             storedAnswers.append({type, index});
                         });
    }

    QByteArray record(int item, int index = 0, int sub = 0) const
    {
        return sim->record(item, index, sub).value_or(QByteArray());
    }
    quint32 recordU32(int item) const
    {
        const QByteArray r = record(item);
        quint32 v = 0;
        for (int i = 0; i < 4 && i < r.size(); ++i)
            v = v << 8 | quint8(r.at(i));
        return v;
    }

    SettingsModel model;
    SettingsAnnouncer announcer;
    std::unique_ptr<SettingsReceiver> receiver; // gone before the model and the announcer
    QList<QPair<int, int>> storedAnswers;
};

} // namespace

TEST(SettingsReceiver, FullReadLeavesTheModelHoldingWhatTheModuleHolds)
{
    ReceiverRig rig(QStringLiteral("ykt4m-4005"), /*Cyrillic*/ 1);
    int answers = 0;
    QObject::connect(rig.driver.get(), &TYKT2::AnswerRaised, [&] { ++answers; });
    ASSERT_TRUE(rig.connect());

    // What an installer set before, in the module's character set where the
    // module keeps it so.
    const QByteArray door = "\xC4\xE2\xE5\xF0\xFC 1"; // "Дверь 1" in Windows-1251
    TYKT2 &d = *rig.driver;
    d.SetItemName(1, 7, toModule(door, 1));
    d.SetItemName(5, 15, toModule("\xD1\xE8\xF0\xE5\xED\xE0", 1));
    d.SetSMSPhrase(3, toModule("\xD2\xF0\xE5\xE2\xEE\xE3\xE0", 1));
    d.SetAdditionalSMSText(1, toModule("\xD2\xE5\xF1\xF2", 1));
    d.SetInputSMSText(5, toModule("\xCF\xEE\xE6\xE0\xF0", 1));
    QByteArray help;
    for (int i = 0; i < HelpTextMaxLength; ++i)
        help.append(char('a' + i % 26));
    const auto parts = splitHelpText(help);
    for (int i = 0; i < HelpTextPartCount; ++i)
        d.SetHelpText(quint8(i), parts[i]);
    const QByteArray voice("\x05\x01\x00\xFF\x00\x00\x00\x00\x2A", 9);
    d.SetZoneVoiceIndex(voice);
    d.SetPGMPhoneNumber(2, 0xA0, "37060000002");
    d.SetPhoneNumberAdditionalCR(1, 0x50);
    d.SetOutputSetting(2, 0x0D, 600); // arm status, pulse: the length travels doubled
    d.SetSMSBackupPhoneNumber(1, "37061111111");
    // A key whose last bytes are blanks keeps them.
    const QByteArray key =
        QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D") + "   ";
    d.SetAES128Key(1, key);
    ASSERT_TRUE(rig.readAll());

    const SettingsModel &m = rig.model;
    // Every answer was stored but the three the program does not keep.
    EXPECT_EQ(answers, 348);
    EXPECT_EQ(rig.storedAnswers.size(), 348 - 3);
    EXPECT_TRUE(
        rig.storedAnswers.contains(QPair<int, int>(0x90, SettingsReceiver::itemNameIndex(5, 15))));
    EXPECT_TRUE(rig.storedAnswers.contains(QPair<int, int>(0x91, 2)));

    for (int i = 0; i < SettingsModel::UserCount; ++i) {
        EXPECT_EQ(m.phones[i].number, rig.sim->storedText(0x0B, i)) << i;
        EXPECT_EQ(m.phones[i].cr, quint8(rig.record(0x0B, i).at(1))) << i;
        EXPECT_EQ(m.phones[i].addCr, i == 1 ? 0x50 : 0) << i;
    }
    EXPECT_EQ(m.phones[0].number, QByteArray("+12025550143"));
    EXPECT_EQ(m.phones[12].number, QByteArray("37060000002"));
    EXPECT_EQ(m.phones[12].cr, 0xA0);
    EXPECT_EQ(m.phones[13].number, QByteArray());

    EXPECT_EQ(m.gprs.tcpcr, rig.recordU32(0x04));
    EXPECT_EQ(m.security.ykt2cr, rig.recordU32(0x0A));
    EXPECT_EQ(m.users.smsPstnCr, rig.recordU32(0x0C));
    EXPECT_EQ(m.users.accessPin, 0x1234FFFFu);
    EXPECT_EQ(m.gprs.heartbeatEvent, 0x0602);
    EXPECT_EQ(m.security.pstnKissOff, 1600);
    EXPECT_EQ(m.gprs.connectionString, QByteArray("192.0.2.10:5000"));
    EXPECT_EQ(m.gprs.apn, QByteArray("internet"));
    EXPECT_EQ(m.gprs.reserveAccounts[0], QByteArray("1234"));
    EXPECT_EQ(m.gprs.aesKeys[1], key);
    EXPECT_EQ(m.gprs.aesKeys[0], QByteArray(16, '\0'));
    EXPECT_EQ(m.security.ownerName, QByteArray("Demo site"));
    EXPECT_EQ(m.security.alarmSettings, QByteArray(16, '\0'));
    EXPECT_EQ(m.users.smsBackupUse, 1);
    EXPECT_EQ(m.users.smsBackupNumber, QByteArray("37061111111"));

    EXPECT_EQ(m.inputs[0].sensivity, 4);
    EXPECT_EQ(m.inputs[0].cid, QByteArray(5, '\0'));
    EXPECT_EQ(m.inputs[5].smsText, QByteArray("\xCF\xEE\xE6\xE0\xF0"));
    EXPECT_EQ(m.outputs[0].cr, 8);
    EXPECT_EQ(m.outputs[2].cr, 0x0D);
    EXPECT_EQ(m.outputs[2].impLength, 300);

    // Texts converted to the display code page. The Cyrillic table sends
    // some letters as their Latin look-alikes, so the factory's Latin "e"
    // comes back as the Cyrillic one.
    EXPECT_EQ(m.texts.itemNames[0][7], door);
    EXPECT_EQ(m.texts.itemNames[4][15], QByteArray("\xD1\xE8\xF0\xE5\xED\xE0"));
    EXPECT_EQ(m.texts.itemNames[2][63], QByteArray("Us\xE5r 63"));
    EXPECT_EQ(m.texts.smsPhrases[3], QByteArray("\xD2\xF0\xE5\xE2\xEE\xE3\xE0"));
    EXPECT_EQ(m.texts.additionalTexts[1], QByteArray("\xD2\xE5\xF1\xF2"));
    EXPECT_EQ(m.texts.helpText, help);

    EXPECT_EQ(m.zoneVoice.records[5], voice);
    EXPECT_EQ(m.zoneVoice.records[63], QByteArray("\x3F\0\0\0\0\0\0\0\0", 9));
    EXPECT_EQ(m.zoneVoice.languageName, QByteArray("English"));
}

TEST(SettingsReceiver, OlderFirmwareLeavesWhatItDoesNotReportAlone)
{
    ReceiverRig rig(QStringLiteral("ykt3m-1024"));
    SettingsModel &m = rig.model;
    m.security.ykt2cr = 0xDEADBEEF; // reported: overwritten
    m.phones[3].addCr = 0x55;       // the additional registers come from 1026 on
    m.gprs.heartbeatEvent = 0x8123;
    m.gprs.aesKeys[0] = "kept key";
    m.security.pstnKissOff = 2400;
    m.security.alarmSettings = "kept block";
    m.zoneVoice.records[3] = "kept zone";
    m.zoneVoice.languageName = "Kept";
    ASSERT_TRUE(rig.connect());
    rig.driver->SetSIMpin("4321"); // the last item this firmware reports
    ASSERT_TRUE(rig.readAll());

    EXPECT_EQ(m.security.ykt2cr, rig.recordU32(0x0A));
    EXPECT_EQ(m.security.simPin, QByteArray("4321"));
    EXPECT_EQ(m.phones[0].number, QByteArray("+12025550143"));
    EXPECT_EQ(m.phones[3].addCr, 0x55);
    EXPECT_EQ(m.gprs.heartbeatEvent, 0x8123);
    EXPECT_EQ(m.gprs.aesKeys[0], QByteArray("kept key"));
    EXPECT_EQ(m.security.pstnKissOff, 2400);
    EXPECT_EQ(m.security.alarmSettings, QByteArray("kept block"));
    EXPECT_EQ(m.zoneVoice.records[3], QByteArray("kept zone"));
    EXPECT_EQ(m.zoneVoice.languageName, QByteArray("Kept"));
}

TEST(SettingsReceiver, AnswersOutOfRangeAreIgnoredAndOverlongTextsCut)
{
    ReceiverRig rig(QStringLiteral("ykt4m-4005,plugged=0"));
    TYKT2 &d = *rig.driver;
    SettingsModel &m = rig.model;
    m.phones[10].number = "first PGM"; // right after the users
    m.phones[42].number = "template only";
    m.texts.itemNames[1][15] = "Module 15";
    const QByteArray big(300, '7');

    // Indexes beyond every table: nothing stored, nothing announced.
    emit d.OnPhoneNumber(10, 1, "1");
    emit d.OnPhoneNumber(255, 1, "1");
    emit d.OnPhoneNumberAdditionalCR(10, 1, {});
    emit d.OnPGMPhoneNumber(32, 1, "1");
    emit d.OnPGMPhoneNumber(255, 1, "1");
    for (const auto &[fdNr, idx] :
         {std::pair{0, 0}, {6, 0}, {9, 1}, {255, 255}, {1, 64}, {2, 16}, {3, 64}, {4, 8}, {5, 16}})
        emit d.OnItemName(quint8(fdNr), quint8(idx), "x");
    emit d.OnSMSPhrase(19, "x");
    emit d.OnHelpText(3, "x");
    emit d.OnInputSetting(6, 1, 1, 1, 1, "cid");
    emit d.OnInputSMSText(-1, "x");
    emit d.OnInputSMSText(6, "x");
    emit d.OnAdditionalSMSText(2, "x");
    emit d.OnOutputSetting(4, 1, 1);
    emit d.OnAES128Key(2, "x");
    emit d.OnZoneVoiceIndex(QByteArray("\x40\x01\x01\x01\x01\x01\x01\x01\x01", 9));
    emit d.OnZoneVoiceIndex(QByteArray("\x01\x01", 2));
    emit d.OnZoneVoiceIndex(QByteArray());
    emit d.OnConnectionString3("ignored");
    emit d.OnCPCR(1);
    EXPECT_TRUE(rig.storedAnswers.isEmpty());
    EXPECT_EQ(m.phones[10].number, QByteArray("first PGM"));
    EXPECT_EQ(m.phones[10].cr, 0);
    EXPECT_EQ(m.phones[42].number, QByteArray("template only"));
    EXPECT_EQ(m.texts.itemNames[1][15], QByteArray("Module 15"));
    EXPECT_EQ(m.zoneVoice.records[1], QByteArray());

    // Texts longer than their fields are cut to them.
    emit d.OnPhoneNumber(9, 1, big);
    emit d.OnPGMPhoneNumber(31, 1, QByteArray("123  ") + QByteArray(20, ' '));
    emit d.OnItemName(5, 15, big);
    emit d.OnAdditionalSMSText(0, big);
    emit d.OnInputSMSText(0, big);
    emit d.OnSMSPhrase(18, big);
    emit d.OnConnectionString(big);
    emit d.OnYKTOwnerName(big);
    emit d.OnSIMpin(big);
    emit d.OnHelpText(0, big);
    emit d.OnZoneVoiceIndex(QByteArray(20, '\x3F'));
    emit d.OnVoiceLanguageName("\x01Lietuvi\xFF\x1F\xB3");
    EXPECT_EQ(m.phones[9].number, big.left(15));
    EXPECT_EQ(m.phones[41].number, QByteArray("123"));
    EXPECT_EQ(m.texts.itemNames[4][15], big.left(16));
    EXPECT_EQ(m.texts.additionalTexts[0], big.left(50));
    EXPECT_EQ(m.inputs[0].smsText, big.left(50));
    EXPECT_EQ(m.texts.smsPhrases[18], big.left(16));
    EXPECT_EQ(m.gprs.connectionString, big.left(50));
    EXPECT_EQ(m.security.ownerName, big.left(16));
    EXPECT_EQ(m.security.simPin, big.left(8));
    EXPECT_EQ(m.texts.helpText, big.left(47));
    EXPECT_EQ(m.zoneVoice.records[63], QByteArray(9, '\x3F'));
    EXPECT_EQ(m.zoneVoice.languageName, QByteArray("Lietuvi\xB3"));

    // The account of any index but 1 is the first channel's.
    emit d.OnReserveAccount(7, "98765");
    emit d.OnReserveAccount(1, "4321");
    EXPECT_EQ(m.gprs.reserveAccounts[0], QByteArray("9876"));
    EXPECT_EQ(m.gprs.reserveAccounts[1], QByteArray("4321"));
    // Without its use flag the backup number is cleared.
    m.users.smsBackupNumber = "37060000000";
    emit d.OnSMSBackupPhoneNumber(0, 0, "37061111111");
    EXPECT_TRUE(m.users.smsBackupNumber.isEmpty());
    EXPECT_EQ(rig.storedAnswers.last(), (QPair<int, int>{0x95, -1}));

    // A template load announces in the same way, without a driver.
    rig.announcer.announce(0x8B, 4);
    EXPECT_EQ(rig.storedAnswers.last(), (QPair<int, int>{0x8B, 4}));
}
