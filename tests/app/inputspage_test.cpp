// The Inputs page through the real window, attached to the virtual module:
// what a read shows, the edits and the packets they become, the "!" rule,
// a rename through the event picker, the SMS text dialog and the module's
// character set in each language.

#include "app/forms/secondaryforms.h"
#include "settings/pages/eventpicker.h"
#include "settings/pages/inputspage.h"
#include "settings/sendplan.h"
#include "wizard/pagelist.h"
#include "wizard/wizardtab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include "pagerig.h"

namespace ykt::testing {
namespace {

constexpr quint8 InputSettingItem = 0x0F;
constexpr quint8 PhoneNumberItem = 0x0B;

const QByteArray CidFile = "// events of the tests\r\n"
                           "Medical alarm\t1100\tpartition\tzone\t1\t1\r\n"
                           "Burglary\t1130\tpartition\tzone\t1\t0\r\n"
                           "Burglary restore\t3134\tpartition\tzone\t0\t0\r\n"
                           "Arm by user\t1401\tpartition\tuser\t1\t0\r\n";

QByteArray inputRecord(int idx, quint8 cr, quint8 violations, quint8 sensivity, quint16 seconds,
                       const char *cidHex)
{
    return QByteArray(1, char(idx)) + char(cr) + char(violations) + char(sensivity) +
           char(seconds >> 8) + char(seconds & 0xFF) + QByteArray::fromHex(cidHex);
}

// A module whose inputs show every case of a read: Contact ID events in and
// out of the table, a group or zone outside the event's range, a function
// the list does not offer.
struct InputsRig : PageRig
{
    explicit InputsRig(const QByteArray &language = numberedMessages())
    {
        writeFile(QStringLiteral("CID_Descriptions.txt"), CidFile);
        writeFile(QStringLiteral("comps.txt"), language);
        // Medical alarm, partition 1, zone 5, with restore; 10 minutes.
        sim->setRecord(InputSettingItem, 0, 0, inputRecord(0, 0x41, 0, 7, 600, "0610001005"));
        // Burglary restore, partition 2, zone 345 (beyond the 64 zones).
        sim->setRecord(InputSettingItem, 1, 0, inputRecord(1, 0x01, 3, 0, 0, "0713402345"));
        sim->setRecord(InputSettingItem, 2, 0, inputRecord(2, 0x02, 0, 4, 0, "0000000000"));
        // Function 5: not in the list.
        sim->setRecord(InputSettingItem, 3, 0, inputRecord(3, 0x05, 0, 9, 30, "0610001001"));
        // A code no event has: kept with its Restore bit.
        sim->setRecord(InputSettingItem, 4, 0, inputRecord(4, 0x41, 0, 4, 0, "0000000000"));
        // Arm by user 3 in partition 1.
        sim->setRecord(InputSettingItem, 5, 0, inputRecord(5, 0x01, 0, 4, 0, "0640101003"));
    }

    TInputsPage &page() { return PageRig::page<TInputsPage>(InputsPageIndex); }
    template <class W> W *in(const char *name) { return find<W>(QLatin1String(name)); }
    QComboBox *function(int i)
    {
        static const char *names[] = {"ComboBox5", "ComboBox7",  "ComboBox8",
                                      "ComboBox9", "ComboBox10", "ComboBox11"};
        return in<QComboBox>(names[i]);
    }
    QComboBox *event(int i)
    {
        static const char *names[] = {"ComboBox6",  "ComboBox18", "ComboBox19",
                                      "ComboBox20", "ComboBox21", "ComboBox22"};
        return in<QComboBox>(names[i]);
    }
    QCheckBox *restore(int i)
    {
        return find<QCheckBox>(QStringLiteral("TntCheckBox%1").arg(16 + i));
    }
    InputRecord &record(int i) { return model().inputs[size_t(i)]; }
    // The SetInputSetting packets a send would write now, bytes 1..11.
    QList<QByteArray> inputPackets()
    {
        form->CommitPages();
        QList<QByteArray> out;
        for (const SendStep &s : buildSendPlan(model(), form->sendContext()))
            if (s.opcode() == InputSettingItem)
                out.append(s.packet.mid(1, 11));
        return out;
    }
};

TEST(InputsPage, AReadShowsTheRecordsAndEditsBecomeThePackets)
{
    InputsRig rig;
    ASSERT_TRUE(rig.ready());
    TInputsPage &page = rig.page();
    EXPECT_TRUE(rig.scripted.boxes.isEmpty()) << "no box during a read";

    // Input 1: the event, its numbers and names, the restore, the times.
    EXPECT_EQ(rig.function(0)->currentIndex(), 1);
    EXPECT_EQ(rig.event(0)->currentText(), QStringLiteral("Medical alarm"));
    EXPECT_EQ(page.picker(0)->valueText(0), QStringLiteral("1"));
    EXPECT_EQ(page.picker(0)->valueText(1), QStringLiteral("5"));
    EXPECT_EQ(page.picker(0)->nameText(1), rig.form->ToUnicode(rig.model().texts.itemNames[0][4]));
    EXPECT_TRUE(rig.restore(0)->isChecked());
    EXPECT_EQ(rig.in<QSpinBox>("SpinEdit10")->value(), 700);
    EXPECT_EQ(rig.in<QTimeEdit>("DaTiNoReaction1")->time(), QTime(0, 10, 0));
    // Its example SMS is the hint of its "SMS" mark.
    const QString example = QStringLiteral("Suveikimas Medicinine ") + page.picker(0)->nameText(1);
    EXPECT_EQ(page.ExampleSms(0).value_or(QString()), example);
    EXPECT_EQ(rig.in<QLabel>("TntLabel21")->toolTip(), example);
    EXPECT_FALSE(rig.in<QLabel>("TntLabel21")->isHidden());
    // Input 2: zone 345 is beyond the list, so the zone is the input's own;
    // a restore event offers no restore.
    EXPECT_EQ(rig.event(1)->currentText(), QStringLiteral("Burglary restore"));
    EXPECT_EQ(page.picker(1)->valueText(0), QStringLiteral("2"));
    EXPECT_EQ(page.picker(1)->valueText(1), QStringLiteral("2"));
    EXPECT_TRUE(rig.restore(1)->isHidden());
    EXPECT_EQ(rig.in<QSpinBox>("SpinEdit12")->value(), 400);
    // Input 3 sends its SMS text; input 5 has no event; input 6 an example
    // with both names.
    EXPECT_EQ(rig.function(2)->currentIndex(), 2);
    EXPECT_FALSE(rig.in<QLineEdit>("Edit17")->text().isEmpty());
    EXPECT_EQ(rig.event(4)->currentIndex(), -1);
    EXPECT_TRUE(page.picker(4)->valueText(0).isEmpty());
    EXPECT_EQ(page.ExampleSms(5).value_or(QString()), page.picker(5)->nameText(1) +
                                                          QStringLiteral(" Isjungta ") +
                                                          page.picker(5)->nameText(0));
    EXPECT_EQ(page.picker(5)->valueText(1), QStringLiteral("3"));

    // Unchanged, everything goes back as the page shows it; input 4's
    // unknown function and input 5's unknown code as they were read.
    QList<QByteArray> sent = rig.inputPackets();
    ASSERT_EQ(sent.size(), 6);
    EXPECT_EQ(sent[0].toHex(), QByteArray("0061000702580610001005"));
    EXPECT_EQ(sent[1].toHex(), QByteArray("0101010400000713402002"));
    EXPECT_EQ(sent[3].toHex(), QByteArray("03050009001e0610001001"));
    EXPECT_EQ(sent[4].toHex(), QByteArray("0441000400000000000000"));
    EXPECT_EQ(sent[5].toHex(), QByteArray("0501000400000640101003"));

    // Edits: 450 ms is written as 4; 23:59:59 is set back to 18:12:15.
    rig.in<QSpinBox>("SpinEdit10")->setValue(450);
    rig.in<QTimeEdit>("DaTiNoReaction1")->setTime(QTime(23, 59, 59));
    EXPECT_EQ(rig.in<QTimeEdit>("DaTiNoReaction1")->time(), QTime(18, 12, 15));
    // Zone 3 from the list; the untouched restore and 24-hour bits stay.
    EXPECT_EQ(page.picker(0)->itemTexts(1).size(), 64);
    EXPECT_TRUE(page.picker(0)->itemTexts(1).at(2).startsWith(QStringLiteral("3: ")));
    page.picker(0)->chooseItem(1, 2);
    EXPECT_EQ(rig.record(0).sensivity, 4);
    EXPECT_EQ(rig.record(0).noSenseInterval, 65535);
    // Input 5 takes an event: its code, its restore and its zone (5) now
    // come from the page.
    rig.event(4)->setCurrentIndex(1);
    EXPECT_FALSE(rig.restore(4)->isHidden());
    rig.restore(4)->setChecked(false);
    // Input 4's unknown function gives way to what the page shows (the
    // first entries the work mode left, Medical alarm's 24-hour bit, zone 4).
    rig.in<QComboBox>("ComboBox15")->setCurrentIndex(1);
    sent = rig.inputPackets();
    EXPECT_EQ(sent[0].toHex(), QByteArray("00610004ffff0610001003"));
    EXPECT_EQ(sent[3].toHex(), QByteArray("0328000400000610001004"));
    EXPECT_EQ(sent[4].toHex(), QByteArray("0401000400000613001005"));
}

TEST(InputsPage, TheWarningShowsWhileNobodyGetsTheAlarmSmsAndLeadsToTheUsers)
{
    InputsRig rig;
    // User 1 without "Alarm SMS"; user 2 never had it.
    rig.sim->setRecord(PhoneNumberItem, 0, 0,
                       QByteArray(1, '\0') + char(0x03) +
                           QByteArray("+12025550143").leftJustified(15, ' '));
    ASSERT_TRUE(rig.ready());
    rig.form->OpenConfigurationPages();
    rig.form->GoToPage(InputsPageIndex);
    const char *marks[] = {"TntLabel74", "TntLabel75", "TntLabel76",
                           "TntLabel77", "TntLabel78", "TntLabel79"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(!rig.in<QLabel>(marks[i])->isHidden(), i == 2) << i;

    QTest::mouseClick(rig.in<QLabel>("TntLabel76"), Qt::LeftButton);
    EXPECT_EQ(rig.form->wizardTab()->currentPage(), UsersPageIndex);
    auto *alarmSms = rig.find<QCheckBox>(QStringLiteral("TntCheckBox23"));
    EXPECT_TRUE(rig.form->attentionBlink().running());
    EXPECT_EQ(rig.form->attentionBlink().target(), alarmSms);

    alarmSms->setChecked(true);
    rig.form->GoToPage(InputsPageIndex);
    EXPECT_TRUE(rig.in<QLabel>("TntLabel76")->isHidden());
}

TEST(InputsPage, ARenameReachesEveryInputShowingTheItemAndTheNameTable)
{
    InputsRig rig;
    ASSERT_TRUE(rig.ready());
    TInputsPage &page = rig.page();
    // Input 5 takes Burglary: partition 1, zone 5, as input 1 shows.
    rig.event(4)->setCurrentIndex(1);
    ASSERT_EQ(page.picker(4)->valueText(1), QStringLiteral("5"));
    page.picker(0)->editName(1, QStringLiteral("Back door"));
    EXPECT_EQ(rig.model().texts.itemNames[0][4], QByteArray("Back door"));
    EXPECT_EQ(page.picker(0)->nameText(1), QStringLiteral("Back door"));
    EXPECT_EQ(page.picker(4)->nameText(1), QStringLiteral("Back door"));
    EXPECT_EQ(page.ExampleSms(0).value_or(QString()),
              QStringLiteral("Suveikimas Medicinine Back door"));
    // Names are cut to what the module holds; an entry with no name renames
    // nothing.
    page.picker(0)->editName(0, QStringLiteral("A partition of many letters"));
    EXPECT_EQ(rig.model().texts.itemNames[3][0], QByteArray("A partition of m"));
    const auto before = rig.model().texts;
    page.picker(4)->editName(0, QStringLiteral("x"));
    page.picker(2)->editName(1, QStringLiteral("nothing"));
    EXPECT_EQ(rig.model().texts.itemNames[3][0], QByteArray("x"));
    EXPECT_EQ(rig.model().texts.itemNames[0], before.itemNames[0]);
}

TEST(InputsPage, TheSmsTextDialogGivesOneLine)
{
    InputsRig rig;
    ASSERT_TRUE(rig.ready());
    TForm4 *dialog = rig.form->form4();
    const QString three = QString(30, QLatin1Char('a')) + QStringLiteral("\r\n") +
                          QString(30, QLatin1Char('b')) + QStringLiteral("\nc");
    QString shown;
    const QString before = rig.in<QLineEdit>("Edit17")->text();
    QTimer::singleShot(0, dialog, [&] {
        shown = dialog->Memo1()->textCursor().selectedText();
        dialog->Memo1()->setPlainText(three);
        // Enter presses OK instead of starting a new line.
        QTest::keyClick(dialog->Memo1(), Qt::Key_Return);
    });
    rig.in<QPushButton>("TntButtonEditSMS3")->click();
    EXPECT_EQ(shown, before) << "the whole text selected";
    const QString one =
        QString(30, QLatin1Char('a')) + QLatin1Char(' ') + QString(19, QLatin1Char('b'));
    EXPECT_EQ(rig.in<QLineEdit>("Edit17")->text(), one);
    EXPECT_EQ(rig.model().inputs[2].smsText, one.toLatin1());

    // Cancel keeps the text.
    QTimer::singleShot(0, dialog, [&] {
        dialog->Memo1()->setPlainText(QStringLiteral("other"));
        QTest::keyClick(dialog->Memo1(), Qt::Key_Escape);
    });
    rig.in<QPushButton>("TntButtonEditSMS3")->click();
    EXPECT_EQ(rig.model().inputs[2].smsText, one.toLatin1());
}

TEST(InputsPage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    QByteArray languages = numberedMessages();
    for (const char *header : {"%Russian\t204\t1\r\n", "%Lithuanian\t186\t2\r\n"})
        languages += header + numberedMessages().mid(numberedMessages().indexOf("\r\n") + 2);
    InputsRig rig(languages);
    ASSERT_TRUE(rig.ready());
    struct Case
    {
        const char *language;
        QString typed, shown;
    };
    const Case cases[] = {
        {"English", QStringLiteral(u"é Ж"), QStringLiteral(u"é ?")},
        {"Russian", QStringLiteral(u"Ж ą"), QStringLiteral(u"Ж ?")},
        {"Lithuanian", QStringLiteral(u"ą Ж"), QStringLiteral(u"ą ?")},
    };
    for (const Case &c : cases) {
        rig.form->SelectLanguage(c.language, true);
        auto *text = rig.in<QLineEdit>("Edit17");
        text->setText(c.typed);
        rig.page().Show();
        EXPECT_EQ(text->text(), c.shown) << c.language;
        EXPECT_EQ(rig.model().inputs[2].smsText.at(2), '?') << c.language;
    }
}

} // namespace
} // namespace ykt::testing
