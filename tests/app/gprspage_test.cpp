// The GPRS Reporting page through the real window on the virtual module: a
// read shown, both channels edited as a user would and what the model holds
// after a commit; the lock view with a wrong and a right password; the APN
// search.

#include "refdata/apnlist.h"
#include "settings/pagefacts.h"
#include "settings/pages/apnsearch.h"
#include "settings/pages/gprspage.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"
#include "wizard/wizardtab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "wizard/mainscreen.h"

#include "pagerig.h"

namespace ykt::testing {
namespace {

constexpr quint8 ConnectionString2Item = 0x05;

struct GprsRig : PageRig
{
    using PageRig::PageRig;

    TGprsPage &gprs() { return page<TGprsPage>(GprsPageIndex); }
    template <class W = QLineEdit> W *control(const char *name)
    {
        return find<W>(QLatin1String(name));
    }
    QComboBox *combo(const char *name) { return control<QComboBox>(name); }
    QCheckBox *box(const char *name) { return control<QCheckBox>(name); }
    // What the user types: the field is cleared first.
    void type(const char *name, const QString &text)
    {
        QLineEdit *field = control(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    bool shown(const char *name) { return !find<QWidget>(QLatin1String(name))->isHidden(); }
};

bool isRequiredColour(const QLineEdit *field)
{
    return field->palette().color(QPalette::Base) == QColor(255, 234, 234);
}

TEST(GprsPage, ReadEditBothChannelsAndCommit)
{
    GprsRig rig;
    // A host name the filters would not let a user type, and a port of six
    // digits, which is none.
    rig.sim->setRecord(ConnectionString2Item, 0, 0,
                       QByteArray("rx_2.example:400000").leftJustified(50, ' '));
    ASSERT_TRUE(rig.ready());
    TGprsPage &page = rig.gprs();

    // The factory settings of the virtual module.
    EXPECT_EQ(rig.control("Edit1")->text(), QStringLiteral("192.0.2.10"));
    EXPECT_EQ(rig.control("TntEdit2")->text(), QStringLiteral("5000"));
    EXPECT_EQ(rig.combo("ComboBox4")->currentIndex(), 1);
    EXPECT_EQ(rig.combo("ComboBox1")->count(), 3) << "Fibro from firmware 2030";
    EXPECT_EQ(rig.combo("ComboBox1")->currentText(), QStringLiteral("E2"));
    EXPECT_EQ(rig.control("Edit11")->text(), QStringLiteral("1234"));
    EXPECT_EQ(rig.control("Edit2")->text(), QStringLiteral("internet"));
    EXPECT_EQ(rig.control("TntEdit8")->text(), QString(32, QLatin1Char('0')));
    EXPECT_EQ(rig.control<QSpinBox>("SpinEdit3")->value(), 600);
    EXPECT_FALSE(rig.control<QSpinBox>("SpinEdit3")->isEnabled());
    EXPECT_EQ(rig.control("TntEdit4")->text(), QStringLiteral("602"));
    EXPECT_FALSE(rig.control("TntEdit4")->isEnabled());
    EXPECT_TRUE(rig.shown("Channel1ManageRow"));
    EXPECT_FALSE(rig.shown("Channel1EncryptionRow"));
    EXPECT_FALSE(rig.shown("TntCheckBox25")) << "no PSTN switch in Settings.ini";
    // Channel 2 is not used: its fields are disabled, its station shown as it is.
    EXPECT_EQ(rig.combo("ComboBox2")->currentIndex(), 0);
    EXPECT_FALSE(rig.control("Edit5")->isEnabled());
    EXPECT_EQ(rig.control("Edit5")->text(), QStringLiteral("rx_2.example"));
    EXPECT_EQ(rig.control("TntEdit3")->text(), QString());
    EXPECT_EQ(page.CheckBeforeSend(), std::nullopt);

    // Channel 1's use is in the model as soon as it changes, and announced.
    QSignalSpy edits(&rig.form->announcer(), &SettingsAnnouncer::edited);
    rig.combo("ComboBox4")->setCurrentIndex(0);
    EXPECT_FALSE(FirstChannelUsed(rig.model()));
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits.first().first().value<SettingsAnnouncer::Area>(),
              SettingsAnnouncer::Area::Reporting);
    EXPECT_FALSE(rig.shown("Channel1ManageRow"));
    EXPECT_FALSE(rig.control("Edit1")->isEnabled());
    rig.combo("ComboBox4")->setCurrentIndex(1);
    EXPECT_TRUE(FirstChannelUsed(rig.model()));

    // The SMS backup numbers of the Users page, with the red "!" while
    // channel 1 is not used.
    EXPECT_FALSE(rig.shown("Channel1SmsBackupRow"));
    rig.model().phones[1].addCr |= 0x10;
    rig.form->announcer().announceEdit(SettingsAnnouncer::Area::Users);
    EXPECT_TRUE(rig.shown("Channel1SmsBackupRow"));
    EXPECT_EQ(rig.control<QLabel>("TntLabelSmsBackupList")->text(), QStringLiteral("+12025550178"));
    EXPECT_FALSE(rig.shown("TntLabelSmsBackupWarning"));
    rig.combo("ComboBox4")->setCurrentIndex(0);
    EXPECT_TRUE(rig.shown("TntLabelSmsBackupWarning"));
    rig.combo("ComboBox4")->setCurrentIndex(1);

    // Channel 1: a host name with "-", no ":" in an address, no port yet.
    rig.type("Edit1", QStringLiteral("alarm-rx:.example"));
    EXPECT_EQ(rig.control("Edit1")->text(), QStringLiteral("alarm-rx.example"));
    rig.type("TntEdit2", QString());
    EXPECT_TRUE(isRequiredColour(rig.control("TntEdit2")));
    EXPECT_FALSE(isRequiredColour(rig.control("Edit1")));
    const auto refusal = page.CheckBeforeSend();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, 82);
    EXPECT_EQ(refusal->page, GprsPageIndex);
    rig.type("TntEdit2", QStringLiteral("70x00"));
    EXPECT_EQ(rig.control("TntEdit2")->text(), QStringLiteral("7000"));
    EXPECT_FALSE(isRequiredColour(rig.control("TntEdit2")));
    // "Fibro" offers the key; the key takes hexadecimal digits as capitals.
    rig.combo("ComboBox1")->setCurrentIndex(2);
    EXPECT_TRUE(rig.shown("Channel1EncryptionRow"));
    EXPECT_FALSE(rig.shown("TntEdit8"));
    rig.box("TntCheckBox42")->click();
    EXPECT_TRUE(rig.shown("TntEdit8"));
    rig.type("TntEdit8", QStringLiteral("a1xb2"));
    EXPECT_EQ(rig.control("TntEdit8")->text(), QStringLiteral("A1B2"));
    // An account has no "A".
    rig.type("Edit11", QStringLiteral("a12"));
    EXPECT_EQ(rig.control("Edit11")->text(), QStringLiteral("12"));

    // Channel 2 in reserve over UDP; a pasted station keeps what may be typed.
    rig.combo("ComboBox2")->setCurrentIndex(2);
    EXPECT_TRUE(rig.control("Edit5")->isEnabled());
    EXPECT_TRUE(isRequiredColour(rig.control("TntEdit3")));
    rig.control("Edit5")->selectAll();
    rig.control("Edit5")->insert(QStringLiteral("10.0.0.1:9000"));
    EXPECT_EQ(rig.control("Edit5")->text(), QStringLiteral("10.0.0.19000"));
    rig.type("Edit5", QStringLiteral("10.0.0.2"));
    rig.control("TntEdit3")->insert(QStringLiteral("9001"));
    rig.combo("ComboBox3")->setCurrentIndex(1);
    rig.combo("TntComboBox4")->setCurrentIndex(1);
    rig.type("Edit6", QStringLiteral("b2c3"));
    EXPECT_EQ(page.CheckBeforeSend(), std::nullopt);
    // Without the APN no used channel can report.
    rig.type("Edit2", QString());
    EXPECT_TRUE(isRequiredColour(rig.control("Edit2")));
    EXPECT_TRUE(page.CheckBeforeSend());
    rig.type("Edit2", QStringLiteral("internet.example"));

    // The heartbeat: a period, and an own event that falls back to 602 when
    // unticked.
    rig.box("TntCheckBox13")->click();
    rig.control<QSpinBox>("SpinEdit3")->setValue(120);
    rig.box("TntCheckBox33")->click();
    rig.type("TntEdit4", QStringLiteral("123"));
    rig.box("TntCheckBox33")->click();
    EXPECT_EQ(rig.control("TntEdit4")->text(), QStringLiteral("602"));
    rig.box("TntCheckBox33")->click();
    rig.type("TntEdit4", QStringLiteral("7a77"));

    const quint32 ykt2crBefore = rig.model().security.ykt2cr;
    page.Commit();
    const GprsArea &g = rig.model().gprs;
    EXPECT_EQ(g.connectionString, "alarm-rx.example:7000");
    EXPECT_EQ(g.connectionString2, "10.0.0.2:9001");
    EXPECT_EQ(g.apn, "internet.example");
    // Channel 1 used with Fibro and its key, channel 2 "Reserve" (bits 8 and
    // 9) with CSV IP over UDP; the hidden PSTN boxes write bits 12 and 13.
    EXPECT_EQ(g.tcpcr, 0x12003B23u);
    EXPECT_EQ(g.reserveAccounts[0], "12");
    EXPECT_EQ(g.reserveAccounts[1], "B2C3");
    EXPECT_EQ(g.aesKeys[0], QByteArray("\xA1\xB2", 2) + QByteArray(14, '\0'));
    EXPECT_EQ(g.aesKeys[1], QByteArray(16, '\0'));
    EXPECT_EQ(g.heartbeatEvent, 0x8777);
    // Only the heartbeat of YKT2CR changed: bit 2 and the period.
    const Ykt2CrFields before = unpackYKT2CR(ykt2crBefore);
    Ykt2CrFields expected = before;
    expected.heartbeatCheck = true;
    expected.heartbeatSeconds = 120;
    EXPECT_EQ(rig.model().security.ykt2cr, packYKT2CR(expected));

    // A station that arrived is written back as it was as long as the user
    // leaves it alone.
    rig.model().gprs.connectionString2 = "rx_3.example:81";
    rig.form->announcer().announce(SettingsReceiver::ConnectionString2, -1);
    page.Commit();
    EXPECT_EQ(rig.model().gprs.connectionString2, "rx_3.example:81");

    // The SMS backup numbers are chosen on the Users page.
    rig.form->OpenConfigurationPages();
    rig.form->GoToPage(GprsPageIndex);
    QTest::mouseClick(rig.find<QPushButton>(QStringLiteral("TntButton31")), Qt::LeftButton);
    EXPECT_EQ(rig.form->wizardTab()->currentPage(), UsersPageIndex);
}

TEST(GprsPage, LockedUntilTheRightPasswordThenReadAgain)
{
    GprsRig rig(QStringLiteral("lock=1,password=4321"));
    ASSERT_TRUE(rig.ready());
    TGprsPage &page = rig.gprs();
    QSignalSpy views(&page, &TGprsPage::lockViewChanged);
    // The connect's lock watch.
    page.StartLockWatch();
    ASSERT_TRUE(waitFor([&] { return !page.lockWatchRunning(); }));
    ASSERT_TRUE(page.locked());
    ASSERT_EQ(views.size(), 1);
    EXPECT_TRUE(views.takeFirst().first().toBool());

    // The unlock panel instead of what the lock protects; the accounts and
    // the GPRS access data stay.
    EXPECT_TRUE(rig.shown("TntPanel18"));
    EXPECT_FALSE(rig.shown("TntLabelWrongPassword"));
    for (const char *name : {"ComboBox4", "Edit1", "TntEdit2", "ComboBox1", "TntComboBox3", "Edit5",
                             "TntLabelChannel1Colon", "Channel1ManageRow", "Channel1EncryptionRow",
                             "TntCheckBox13", "TntCheckBox33", "HeartbeatPeriodRow"})
        EXPECT_FALSE(rig.shown(name)) << name;
    for (const char *name : {"Edit11", "Edit6", "Edit2", "Edit3", "TntGroupBoxChannel1"})
        EXPECT_TRUE(rig.shown(name)) << name;
    // The module answered blanks; they are not checked before a send.
    EXPECT_TRUE(rig.model().gprs.connectionString.trimmed().isEmpty());
    EXPECT_EQ(page.CheckBeforeSend(), std::nullopt);
    const QString locked = summaryPlainText(rig.form->BuildSummary());
    EXPECT_FALSE(locked.contains(QStringLiteral("Channel 1"))) << "no channel known to be used";

    // A wrong password: the module says so, the panel stays.
    rig.type("TntEdit5", QStringLiteral("1111"));
    QTest::mouseClick(rig.find<QPushButton>(QStringLiteral("TntButton34")), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return rig.shown("TntLabelWrongPassword"); }));
    EXPECT_TRUE(page.locked());
    EXPECT_TRUE(rig.sim->settingsLocked());
    EXPECT_FALSE(page.lockWatchRunning());

    // The right one: the page shows everything and reads the GPRS items again.
    rig.sim->clearReceivedPackets();
    rig.type("TntEdit5", QStringLiteral("4321"));
    QTest::mouseClick(rig.find<QPushButton>(QStringLiteral("TntButton34")), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !page.locked(); }));
    EXPECT_FALSE(rig.shown("TntPanel18"));
    EXPECT_TRUE(rig.shown("ComboBox4"));
    ASSERT_EQ(views.size(), 1);
    EXPECT_FALSE(views.first().first().toBool());
    // The window took the unlock to the Security page and the main screen.
    EXPECT_FALSE(rig.find<QWidget>(QStringLiteral("Edit9"))->isHidden());
    EXPECT_FALSE(rig.form->mainScreen()->factoryDefaultButton()->isHidden());
    ASSERT_TRUE(waitFor([&] { return rig.packetsWith(0x87) == 1; }));
    ASSERT_TRUE(
        waitFor([&] { return rig.control("Edit1")->text() == QStringLiteral("192.0.2.10"); }));
    EXPECT_EQ(rig.model().gprs.connectionString.trimmed(), "192.0.2.10:5000");
    EXPECT_TRUE(FirstChannelUsed(rig.model()));
    EXPECT_TRUE(rig.shown("Channel1ManageRow"));
    EXPECT_EQ(rig.control("TntEdit2")->text(), QStringLiteral("5000"));
    for (int type : {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x99})
        EXPECT_EQ(rig.packetsWith(type), 1) << std::hex << type;
    EXPECT_EQ(rig.packetsWith(0x88), 2);
    EXPECT_EQ(rig.packetsWith(0x9C), 2);
    // The password went out as typed, padded to 16; the read ends as every
    // exchange does.
    const QList<QByteArray> all = rig.packets();
    ASSERT_FALSE(all.isEmpty());
    EXPECT_EQ(all.first().left(17), QByteArray("\x42"
                                               "4321")
                                        .leftJustified(17, ' '));
    EXPECT_EQ(rig.packetsWith(0x41), 1);
}

TEST(GprsPage, ApnSearchCopiesOnlyAChosenApn)
{
    GprsRig rig;
    ASSERT_TRUE(rig.ready());
    const TAPNList list = ParseAPNList("&Lithuania\t141\r\n"
                                       "Bite\tbanga\t\tinternet.bite\r\n"
                                       "Tele2\tinternet.tele2.lt\r\n"
                                       "&Nowhere\r\n"
                                       "&Lithuania\t141\r\n"
                                       "Other\tother\r\n");
    TGprsPage &page = rig.gprs();
    TApnSearch *search = page.apnSearch();
    search->setList(&list);
    search->setNationSource([] { return 141u; });
    rig.form->OpenConfigurationPages();
    rig.form->GoToPage(GprsPageIndex);
    auto *apn = rig.control("Edit2");
    auto *button = rig.find<QPushButton>(QStringLiteral("Btn_Search"));
    const auto x = [&](QWidget *w) { return w->mapTo(&page, QPoint()).x(); };
    const auto settle = [] { QTest::qWait(10); };

    // The user's own country with its first operator and APN.
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    ASSERT_TRUE(search->isOpen());
    EXPECT_EQ(search->locationList()->count(), 3);
    EXPECT_EQ(search->locationList()->currentIndex(), 0);
    EXPECT_EQ(search->operatorList()->currentText(), QStringLiteral("Bite"));
    EXPECT_EQ(search->apnList()->count(), 3);
    EXPECT_EQ(search->apnList()->currentText(), QStringLiteral("banga"));
    EXPECT_FALSE(search->okButton()->isHidden());
    EXPECT_GT(x(search->okButton()), x(search->apnList()));
    EXPECT_GT(x(search->cancelButton()), x(search->okButton()));
    search->operatorList()->setCurrentIndex(1);
    EXPECT_EQ(search->apnList()->currentText(), QStringLiteral("internet.tele2.lt"));
    QTest::mouseClick(search->okButton(), Qt::LeftButton);
    EXPECT_EQ(apn->text(), QStringLiteral("internet.tele2.lt"));
    EXPECT_FALSE(search->isOpen());
    EXPECT_TRUE(search->isHidden());

    // A location without operators: an empty operator list, Cancel right of it.
    QTest::mouseClick(button, Qt::LeftButton);
    search->locationList()->setCurrentIndex(1);
    settle();
    EXPECT_FALSE(search->operatorList()->isHidden());
    EXPECT_EQ(search->operatorList()->count(), 0);
    EXPECT_TRUE(search->apnList()->isHidden());
    EXPECT_TRUE(search->okButton()->isHidden());
    EXPECT_FALSE(search->cancelButton()->isHidden());
    EXPECT_GT(x(search->cancelButton()), x(search->operatorList()));
    // A second press while the row is open changes nothing.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(search->locationList()->currentIndex(), 1);
    QTest::mouseClick(search->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(search->isOpen());
    EXPECT_EQ(apn->text(), QStringLiteral("internet.tele2.lt"));

    // The second location of a name shows the first one's operators; the
    // empty APN entry copies nothing; Confirm without an APN list neither.
    QTest::mouseClick(button, Qt::LeftButton);
    search->locationList()->setCurrentIndex(2);
    EXPECT_EQ(search->operatorList()->currentText(), QStringLiteral("Bite"));
    search->apnList()->setCurrentIndex(1);
    search->Confirm();
    EXPECT_EQ(apn->text(), QStringLiteral("internet.tele2.lt"));
    search->setNationSource([] { return 0u; });
    search->Start();
    EXPECT_EQ(search->locationList()->currentIndex(), -1);
    EXPECT_TRUE(search->operatorList()->isHidden());
    search->Confirm();
    EXPECT_EQ(apn->text(), QStringLiteral("internet.tele2.lt"));
}

// Pictures of the page with every row it can show, in the three shipped
// languages, for a look at what the translations need:
// YKT_SCREENSHOT_DIR=/tmp/shots build/bin/ykt_app_tests --gtest_filter='*Screenshots*'
TEST(GprsPage, ScreenshotsWhenAsked)
{
    const QByteArray folder = qgetenv("YKT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "YKT_SCREENSHOT_DIR not set";
    GprsRig rig(QString(), "[Settings]\r\nPSTN=1\r\n");
    QFile shipped(QStringLiteral(YKT_DATA_DIR "/comps.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    rig.writeFile(QStringLiteral("comps.txt"), shipped.readAll());
    ASSERT_TRUE(rig.ready());
    const TAPNList list =
        ParseAPNList("&Lietuva\t141\r\nTelia Lietuva\tomnitel\tgprs.omnitel.net\r\n");
    rig.gprs().apnSearch()->setList(&list);
    rig.gprs().apnSearch()->setNationSource([] { return 141u; });
    rig.model().phones[0].addCr |= 0x10;
    rig.model().phones[1].addCr |= 0x10;
    rig.form->announcer().announceEdit(SettingsAnnouncer::Area::Users);
    rig.form->OpenConfigurationPages();
    rig.form->GoToPage(GprsPageIndex);
    for (const char *language : {"English", "Russian", "Lithuanian"}) {
        rig.form->SelectLanguage(language, true);
        for (const char *protocol : {"ComboBox1", "ComboBox3"})
            rig.combo(protocol)->setCurrentIndex(2);
        rig.combo("ComboBox2")->setCurrentIndex(2);
        rig.box("TntCheckBox42")->setChecked(true);
        rig.box("TntCheckBox43")->setChecked(true);
        rig.gprs().apnSearch()->Start();
        QTest::qWait(50);
        const QString name = QStringLiteral("%1/gprs-%2.png")
                                 .arg(QString::fromLatin1(folder), QLatin1String(language));
        EXPECT_TRUE(rig.form->grab().save(name)) << name.toStdString();
        rig.gprs().apnSearch()->Cancel();
        rig.gprs().ApplyLockView(true);
        QTest::qWait(50);
        EXPECT_TRUE(rig.form->grab().save(QString(name).replace(".png", "-locked.png")));
        rig.gprs().ApplyLockView(false);
    }
}

} // namespace
} // namespace ykt::testing
