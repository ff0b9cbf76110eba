// The Outputs and the remote output-control pages through the real window on
// the virtual module: what a read shows with the rules and message 109, the
// editor's refusals, the model profiles, and the packets a send gives.

#include "settings/pages/outputspage.h"
#include "settings/pages/remotecontrolpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimeEdit>

#include "pagerig.h"

namespace ykt::testing {
namespace {

constexpr int OutputSettingItem = 0x12;
constexpr int PgmPhoneNumberItem = 0x11;

QByteArray pgmRecord(int idx, quint8 cr, const QByteArray &number)
{
    return QByteArray(1, char(idx)) + char(cr) + number.leftJustified(15, ' ');
}

QByteArray outputRecord(int idx, quint8 cr, quint16 length)
{
    return QByteArray(1, char(idx)) + char(cr) + char(length >> 8) + char(length & 0xFF);
}

// A module whose output 2 is "Arm" as a bistable output while entry 5 may
// switch only output 2 and entry 6 outputs 2 and 3; output 1 has the arm
// status function (code 5) with 600 s on the wire.
struct OutputsRig : PageRig
{
    explicit OutputsRig(const QString &spec = QString()) : PageRig(spec)
    {
        sim->setRecord(OutputSettingItem, 0, 0, outputRecord(0, 0x0D, 600));
        sim->setRecord(OutputSettingItem, 1, 0, outputRecord(1, 0x01, 300));
        sim->setRecord(PgmPhoneNumberItem, 4, 0, pgmRecord(4, 0x40, "+37060000005"));
        sim->setRecord(PgmPhoneNumberItem, 5, 0, pgmRecord(5, 0x60, "37060000006"));
    }
    TOutputsPage &outputs() { return page<TOutputsPage>(OutputsPageIndex); }
    TRemoteControlPage &remote() { return page<TRemoteControlPage>(OutputsControlPageIndex); }
    PhoneRecord &entry(int n) { return model().phones[size_t(9 + n)]; }
    QString listed(int n, int column)
    {
        return find<QTableWidget>("StringGrid2")->item(n - 1, column)->text();
    }
};

TEST(OutputsPage, AReadAppliesTheRulesAndAsksOncePerOutput)
{
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        SCOPED_TRACE(answer == QMessageBox::Yes ? "Yes" : "No");
        OutputsRig rig;
        rig.scripted.buttonAnswers = {answer};
        ASSERT_TRUE(rig.ready());
        // Timer4 and the refresh together ask once, for output 2 only.
        ASSERT_EQ(rig.scripted.boxes.size(), 1);
        EXPECT_TRUE(rig.scripted.boxes[0].text.startsWith(QStringLiteral("m109\n\n")));
        EXPECT_TRUE(
            rig.scripted.boxes[0].text.endsWith(QStringLiteral("+37060000005; 37060000006; ")));
        EXPECT_FALSE(rig.outputs().timer4().isActive());

        // Output 2: "Arm" forces the pulse.
        EXPECT_EQ(rig.find<QComboBox>("ComboBox25")->currentIndex(), 1);
        EXPECT_TRUE(rig.find<QRadioButton>("TntRadioButton3")->isChecked());
        EXPECT_FALSE(rig.find<QRadioButton>("TntRadioButton4")->isEnabled());
        EXPECT_EQ(rig.model().outputs[1].cr, 0x09);
        // Output 1: a function the list does not offer shows no selection
        // and stays as read (its length halved in the model).
        EXPECT_EQ(rig.find<QComboBox>("ComboBox24")->currentIndex(), -1);
        EXPECT_EQ(rig.model().outputs[0].cr, 0x0D);
        EXPECT_EQ(rig.model().outputs[0].impLength, 300);
        EXPECT_EQ(rig.find<QTimeEdit>("DaTiDuration1")->time(), QTime(0, 5, 0));
        // No number may switch outputs that are not manual.
        EXPECT_FALSE(rig.find<QCheckBox>("TntCheckBox2")->isEnabled());
        EXPECT_FALSE(rig.find<QCheckBox>("TntCheckBox4")->isEnabled());

        if (answer == QMessageBox::Yes) {
            EXPECT_EQ(rig.entry(5).number, QByteArray());
            EXPECT_EQ(rig.entry(5).cr, 0);
            EXPECT_EQ(rig.listed(5, TRemoteControlPage::NumberColumn), QString());
            EXPECT_EQ(rig.entry(6).cr, 0x20);
            EXPECT_EQ(rig.listed(6, TRemoteControlPage::OutputsColumn), QStringLiteral("3,"));
        } else {
            EXPECT_EQ(rig.entry(5).number, QByteArray("+37060000005"));
            EXPECT_EQ(rig.entry(5).cr, 0x40);
            EXPECT_EQ(rig.listed(6, TRemoteControlPage::OutputsColumn), QStringLiteral("2,3,"));
        }
        // A language refresh asks nothing; choosing "Arm" again is no change.
        rig.form->SelectLanguage("English", false);
        QComboBox *oc2 = rig.find<QComboBox>("ComboBox25");
        emit oc2->activated(1);
        EXPECT_EQ(rig.scripted.boxes.size(), 1);
        // The default profile is relay-less.
        EXPECT_FALSE(rig.find<QGroupBox>("TntGroupBox12")->isVisibleTo(&rig.outputs()));
        EXPECT_FALSE(rig.find<QCheckBox>("TntCheckBox11")->isVisibleTo(&rig.remote()));
        EXPECT_EQ(rig.find<QGroupBox>("TntGroupBox4")->title(), QStringLiteral("m87 1"));
    }
}

TEST(OutputsPage, AUserChangeAsksAndTheEditorRefuses)
{
    OutputsRig rig;
    rig.scripted.buttonAnswers = {QMessageBox::No};
    ASSERT_TRUE(rig.ready());
    TRemoteControlPage &remote = rig.remote();
    // Output 2 back to "Manual": its box can be ticked again.
    QComboBox *oc2 = rig.find<QComboBox>("ComboBox25");
    oc2->setCurrentIndex(0);
    emit oc2->activated(0);
    EXPECT_TRUE(rig.find<QCheckBox>("TntCheckBox4")->isEnabled());
    EXPECT_EQ(rig.model().outputs[1].cr & 0x07, 0);

    // Entry 5 shows its digits without the "+" and output 2 ticked.
    remote.SelectEntry(4);
    QLineEdit *number = rig.find<QLineEdit>("Edit12");
    EXPECT_EQ(number->text(), QStringLiteral("37060000005"));
    EXPECT_TRUE(rig.find<QCheckBox>("TntCheckBox4")->isChecked());

    // A number without an output: message 108, nothing stored.
    remote.SelectEntry(2);
    number->setText(QStringLiteral("37060000009"));
    rig.scripted.buttonAnswers = {QMessageBox::Ok};
    remote.SaveEntry();
    ASSERT_EQ(rig.scripted.boxes.size(), 2);
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m108"));
    EXPECT_EQ(rig.entry(3).number, QByteArray());
    // Entry 5's number (compared by its digits): message 81.
    rig.find<QCheckBox>("TntCheckBox4")->setChecked(true);
    number->setText(QStringLiteral("37060000005"));
    rig.scripted.buttonAnswers = {QMessageBox::Ok};
    remote.SaveEntry();
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m81"));
    EXPECT_EQ(number->selectedText(), QStringLiteral("37060000005"));
    EXPECT_EQ(rig.entry(3).number, QByteArray());
    // Typing keeps digits only; a fresh number is stored with its mask.
    number->setText(QStringLiteral("+370 600-00009x"));
    EXPECT_EQ(number->text(), QStringLiteral("37060000009"));
    remote.SaveEntry();
    EXPECT_EQ(rig.entry(3).number, QByteArray("37060000009"));
    EXPECT_EQ(rig.entry(3).cr, 0x40);
    EXPECT_EQ(rig.listed(3, TRemoteControlPage::OutputsColumn), QStringLiteral("2,"));
    remote.DeleteEntry();
    EXPECT_EQ(rig.entry(3).number, QByteArray());
    EXPECT_EQ(remote.selectedRow(), 2);
    EXPECT_EQ(rig.scripted.boxes.size(), 3);
}

TEST(OutputsPage, ASendWritesTheOutputsAndTheThirtyTwoNumbers)
{
    OutputsRig rig;
    rig.scripted.buttonAnswers = {QMessageBox::No};
    ASSERT_TRUE(rig.ready());
    // Output 3 biswitch with 00:05:00; output 4 inverted.
    rig.find<QRadioButton>("TntRadioButton6")->click();
    rig.find<QTimeEdit>("DaTiDuration3")->setTime(QTime(0, 5, 0));
    EXPECT_FALSE(rig.find<QTimeEdit>("DaTiDuration3")->isVisibleTo(&rig.outputs()));
    rig.find<QCheckBox>("TntCheckBox58")->setChecked(true);
    // The longest length the field holds.
    rig.find<QTimeEdit>("DaTiDuration2")->setTime(QTime(23, 0, 0));
    EXPECT_EQ(rig.find<QTimeEdit>("DaTiDuration2")->time(), QTime(18, 12, 15));
    rig.sim->clearReceivedPackets();
    // The read after the send asks again about output 2, then tells that
    // the module holds what was sent.
    rig.scripted.buttonAnswers = {QMessageBox::No, QMessageBox::Ok};
    rig.form->SendToModule();
    ASSERT_TRUE(rig.readDone(2));

    QList<QByteArray> outputs, numbers;
    for (const QByteArray &p : rig.packets()) {
        if (quint8(p.at(0)) == OutputSettingItem)
            outputs.append(p.mid(1, 4));
        if (quint8(p.at(0)) == PgmPhoneNumberItem)
            numbers.append(p.mid(1, 17));
    }
    ASSERT_EQ(outputs.size(), 4);
    EXPECT_EQ(outputs[0], outputRecord(0, 0x0D, 600)); // doubled again
    EXPECT_EQ(outputs[1], outputRecord(1, 0x09, 65535));
    EXPECT_EQ(outputs[2], outputRecord(2, 0x00, 300));
    EXPECT_EQ(outputs[3], outputRecord(3, 0x28, 1));
    ASSERT_EQ(numbers.size(), 32);
    EXPECT_EQ(numbers[4], pgmRecord(4, 0x40, "+37060000005"));
    EXPECT_EQ(numbers[5], pgmRecord(5, 0x60, "37060000006"));
    EXPECT_EQ(numbers[31], pgmRecord(31, 0, ""));
}

TEST(OutputsPage, AYkt3NamesItsRelays)
{
    OutputsRig rig(QStringLiteral("ykt3m-1024"));
    rig.scripted.buttonAnswers = {QMessageBox::No};
    ASSERT_TRUE(rig.ready());
    EXPECT_TRUE(rig.find<QGroupBox>("TntGroupBox12")->isVisibleTo(&rig.outputs()));
    EXPECT_EQ(rig.find<QGroupBox>("TntGroupBox12")->title(), QStringLiteral("m88 1"));
    EXPECT_EQ(rig.find<QGroupBox>("TntGroupBox11")->title(), QStringLiteral("m87 2"));
    EXPECT_EQ(rig.find<QCheckBox>("TntCheckBox14")->text(), QStringLiteral("m88 2 (4)"));
    EXPECT_TRUE(rig.find<QCheckBox>("TntCheckBox14")->isVisibleTo(&rig.remote()));
}

} // namespace
} // namespace ykt::testing
