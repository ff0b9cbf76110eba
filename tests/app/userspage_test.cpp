// The Users page through the real window, attached to the virtual module: what
// a read shows, editing numbers, the interlocks of the check boxes, the access
// PIN, and the two buttons that write to the module at once.

#include "settings/pagefacts.h"
#include "settings/pages/notapplicable.h"
#include "settings/pages/userspage.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"
#include "wizard/pagelist.h"
#include "wizard/steplist.h"
#include "wizard/wizardtab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "pagerig.h"

namespace ykt::testing {
namespace {

constexpr quint8 ReadAccessPIN = 0x94;

QByteArray phoneRecord(int idx, quint8 cr, const QByteArray &number)
{
    return QByteArray(1, char(idx)) + char(cr) + number.leftJustified(15, ' ');
}

QByteArray additionalCr(int idx, quint8 cr)
{
    return QByteArray(1, char(idx)) + char(cr);
}

// The window after a read of a module whose users 0 and 1 are the factory
// ones (0 with arming, disarming and alarm SMS) and whose user 2 is an iPhone
// with the Android bit set as well.
struct UsersRig : PageRig
{
    explicit UsersRig(const QString &spec = QString()) : PageRig(spec)
    {
        sim->setRecord(0x0B, 2, 0, phoneRecord(2, 0x08 | 0x20, "37060000002"));
        sim->setRecord(0x1A, 2, 0, additionalCr(2, 0x40 | 0x80));
    }

    TUsersPage &page() { return PageRig::page<TUsersPage>(UsersPageIndex); }
    template <class W = QCheckBox> W *find(const QString &name)
    {
        W *w = page().findChild<W *>(name);
        EXPECT_TRUE(w) << name.toStdString();
        return w;
    }
    QCheckBox *box(int n) { return find(QStringLiteral("TntCheckBox%1").arg(n)); }
    QTableWidget *list() { return find<QTableWidget>(QStringLiteral("VStringTree1")); }
    QLineEdit *pin() { return find<QLineEdit>(QStringLiteral("Edit13")); }
    PhoneRecord &user(int r) { return form->model().phones[size_t(r)]; }
    QString shownNumber(int r) { return list()->item(r, TUsersPage::NumberColumn)->text(); }
};

TEST(UsersPage, AReadShowsTheNumbersTheFirstRowAndTheOptions)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    EXPECT_EQ(rig.shownNumber(0), QStringLiteral("+12025550143"));
    EXPECT_EQ(rig.shownNumber(1), QStringLiteral("+12025550178"));
    EXPECT_EQ(rig.user(1).cr, 0x01);
    EXPECT_EQ(rig.list()->currentRow(), 0);
    EXPECT_EQ(rig.list()->item(9, TUsersPage::NoColumn)->text(), QStringLiteral("10"));
    EXPECT_EQ(rig.list()->currentRow(), 0);
    EXPECT_EQ(rig.page().displayedRow(), 0);
    for (int n : {5, 6, 23})
        EXPECT_TRUE(rig.box(n)->isChecked()) << n;
    EXPECT_FALSE(rig.box(24)->isChecked());

    // The module-wide options: 0x80120000, the factory values.
    const SmsPstnCrFields options = rig.page().PageSmsPstnFields();
    EXPECT_EQ(options.smsTestDays, 3);
    EXPECT_FALSE(options.onlyRegistered);
    EXPECT_TRUE(options.limitedTroubleSms);
    EXPECT_TRUE(rig.box(10)->isEnabled());
    EXPECT_FALSE(rig.find<QSpinBox>("se1")->isEnabled()) << "row 0 has no periodic test";
    EXPECT_EQ(rig.pin()->text(), QStringLiteral("1234"));

    // The hints from the messages.
    EXPECT_EQ(rig.list()->toolTip(), QStringLiteral("m103"));
    EXPECT_EQ(rig.find<QLabel>("TntLabel9")->toolTip(),
              QStringLiteral("m44\n   m45\n   m46\n   m47\n\nm48\n   m49\n   m50\n   m51\n\nm52"));

    // Row 2: iPhone wins over the Android bit; committing drops the latter.
    rig.list()->setCurrentCell(2, TUsersPage::NoColumn);
    auto *smartphone = rig.find<QComboBox>("TntComboBox17");
    EXPECT_EQ(smartphone->currentText(), QStringLiteral("iPhone"));
    EXPECT_FALSE(rig.box(54)->isHidden());
    EXPECT_TRUE(rig.find<QSpinBox>("se1")->isEnabled()) << "row 2 has the periodic test";
    rig.page().CommitRow();
    EXPECT_EQ(rig.user(2).cr, 0x20);
    EXPECT_EQ(rig.user(2).addCr, 0xC0);
    // "No" clears and hides the push notifications.
    smartphone->setCurrentIndex(0);
    EXPECT_FALSE(rig.box(54)->isChecked());
    EXPECT_TRUE(rig.box(54)->isHidden());
}

TEST(UsersPage, NumbersKeepTheirDigitsAndPlusAndStayUnique)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    struct Case
    {
        int row;
        const char *typed;
        const char *stored;
        bool refused;
    };
    const Case cases[] = {
        {0, "+12025550143", "+12025550143", false}, // unchanged: not rewritten
        {3, "+370 (6) 12-34", "+37061234", false},  // the "+" stays, the rest digits
        {4, "1234567890123456", "123456789012345", false},
        {5, "37-06-1234", "", true},          // row 3 has it with "+": refused
        {7, "12025550178", "", true},         // row 1 has +12025550178
        {3, "", "", false},                   // empty is always accepted
        {6, "", "", false},                   // ... also where other rows are empty
        {5, "37-06-1234", "37061234", false}, // row 3 gave it up
        {9, "++1-2", "+12", false},           // one "+", in front only
    };
    for (const Case &c : cases) {
        rig.scripted.boxes.clear();
        if (c.refused)
            rig.scripted.buttonAnswers.push_back(QMessageBox::Ok);
        rig.page().EditNumber(c.row, QString::fromLatin1(c.typed));
        EXPECT_EQ(rig.user(c.row).number, QByteArray(c.stored)) << c.typed;
        EXPECT_EQ(rig.shownNumber(c.row), QLatin1String(c.stored)) << c.typed;
        // A refusal is message 81, an error with OK.
        ASSERT_EQ(rig.scripted.boxes.size(), c.refused ? 1 : 0) << c.typed;
        if (c.refused) {
            EXPECT_EQ(rig.scripted.boxes.first().text, QStringLiteral("m81"));
            EXPECT_EQ(rig.scripted.boxes.first().icon, DialogSeam::Icon::Error);
        }
    }

    // Through the list's own editor: a click opens it, what the record would
    // drop is refused as it is typed, Enter ends it.
    rig.form->OpenConfigurationPages();
    QTableWidget *list = rig.list();
    const QRect cell = list->visualItemRect(list->item(8, TUsersPage::NumberColumn));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    auto *editor = list->viewport()->findChild<QLineEdit *>();
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, QStringLiteral("+44 20-7946x+1234567890"));
    EXPECT_EQ(editor->text(), QStringLiteral("+44207946123456")) << "15 characters at most";
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(waitFor([&] { return rig.user(8).number == "+44207946123456"; }));
    EXPECT_EQ(rig.shownNumber(8), QStringLiteral("+44207946123456"));
    EXPECT_TRUE(rig.sim->storedText(0x0B, 8).isEmpty()) << "editing sends nothing";

    // An international number opened and closed without a change keeps its "+".
    const QRect first = list->visualItemRect(list->item(0, TUsersPage::NumberColumn));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    editor = list->viewport()->findChild<QLineEdit *>();
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(rig.user(0).number, QByteArray("+12025550143"));
}

TEST(UsersPage, MovingToAnotherRowCommitsTheBoxes)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    int listChanges = 0;
    QObject::connect(&rig.form->announcer(), &SettingsAnnouncer::edited,
                     [&](SettingsAnnouncer::Area area) {
                         listChanges += area == SettingsAnnouncer::Area::Users;
                     });

    // A row with a number takes what the boxes show.
    rig.box(24)->click();
    EXPECT_EQ(rig.user(0).cr, 0x43 | 0x80) << "a click is committed at once";
    rig.list()->setCurrentCell(1, TUsersPage::NoColumn);
    EXPECT_EQ(rig.user(0).cr, 0x43 | 0x80);
    EXPECT_EQ(rig.page().displayedRow(), 1);
    EXPECT_EQ(listChanges, 1);

    // A row without a number gets zeros whatever the boxes show.
    rig.page().EditNumber(1, QString());
    rig.box(23)->click();
    rig.box(38)->click();
    rig.list()->setCurrentCell(0, TUsersPage::NoColumn);
    EXPECT_EQ(rig.user(1).cr, 0);
    EXPECT_EQ(rig.user(1).addCr, 0);

    // Leaving the page through the step list commits too.
    rig.box(38)->click();
    rig.page().LeavePage();
    EXPECT_EQ(SmsBackupRecords(rig.model()), QList<int>{0});
    EXPECT_EQ(SmsBackupList(rig.model()), QByteArray("+12025550143"));
    EXPECT_TRUE(AnyUserHasAlarmSms(rig.model()));
}

TEST(UsersPage, ANumberTypedInTheListIsCommittedWithItsBoxes)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    rig.form->OpenConfigurationPages();
    QTableWidget *list = rig.list();
    // The open editor: closed ones are hidden until they are deleted.
    const auto openEditor = [&]() -> QLineEdit * {
        for (QLineEdit *editor : list->viewport()->findChildren<QLineEdit *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    };
    const auto typeInto = [&](int row, const QString &text) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row, TUsersPage::NumberColumn)).center());
        QLineEdit *editor = openEditor();
        ASSERT_TRUE(editor);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
    };
    const auto clickRow = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row, TUsersPage::NoColumn)).center());
    };

    // Boxes ticked on an empty row, then its number typed, then another row.
    list->setCurrentCell(5, TUsersPage::NoColumn);
    rig.box(23)->click();
    typeInto(5, QStringLiteral("37061234"));
    clickRow(6);
    EXPECT_EQ(rig.user(5).number, QByteArray("37061234"));
    EXPECT_EQ(rig.user(5).cr & 0x40, 0x40) << "the Alarm SMS tick went with the number";

    // A number emptied in the list leaves zeros in its registers.
    ASSERT_NE(rig.user(0).cr, 0);
    typeInto(0, QString());
    clickRow(6);
    EXPECT_TRUE(rig.user(0).number.isEmpty());
    EXPECT_EQ(rig.user(0).cr, 0);
    EXPECT_EQ(rig.user(0).addCr, 0);

    // Leaving through the step list with the editor still open.
    rig.box(24)->click(); // row 6, no number yet
    typeInto(6, QStringLiteral("37069876"));
    rig.form->GoToPage(UsersPageIndex);
    QTest::mouseClick(rig.form->wizardTab()->stepList()->stepLabel(GprsPageIndex), Qt::LeftButton);
    EXPECT_EQ(rig.user(6).number, QByteArray("37069876"));
    EXPECT_EQ(rig.user(6).cr & 0x80, 0x80);
}

TEST(UsersPage, MandatoryCallRulesOutCallOnAlarm)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    QCheckBox *call = rig.box(7);
    call->click();
    rig.box(22)->click();
    EXPECT_FALSE(call->isChecked());
    EXPECT_FALSE(call->isEnabled());
    rig.box(22)->click();
    EXPECT_TRUE(call->isEnabled());
    EXPECT_FALSE(call->isChecked());

    // A row that the module gave both shows Mandatory Call alone.
    rig.user(1).cr = 0x04 | 0x10;
    rig.page().ShowRow(1);
    EXPECT_TRUE(rig.box(22)->isChecked());
    EXPECT_FALSE(call->isChecked());
    EXPECT_FALSE(call->isEnabled());
}

TEST(UsersPage, SmsBackupRulesOutCallsAndTestsAndWarnsWhenItBacksUpNothing)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    for (int n : {7, 9, 31})
        rig.box(n)->click();
    auto *warning = rig.find<QLabel>("TntLabel44");
    QWidget *interval = rig.find<QSpinBox>("se1");
    QWidget *days = rig.find<QLabel>("TntLabelDays");
    const QList<QWidget *> ruledOut{rig.box(7), rig.box(22), rig.box(9),
                                    interval,   days,        rig.box(31)};

    rig.box(38)->click();
    for (int n : {7, 22, 9, 31, 32})
        EXPECT_FALSE(rig.box(n)->isChecked()) << n;
    for (QWidget *w : ruledOut)
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(rig.box(39)->isHidden());
    EXPECT_TRUE(warning->isHidden()) << "row 0 gets SMS and channel 1 is used";

    // The warning stands while no SMS event box is ticked.
    for (int n : {5, 6, 23})
        rig.box(n)->click();
    EXPECT_FALSE(warning->isHidden());
    rig.box(29)->setChecked(true); // hidden, but it counts
    EXPECT_TRUE(warning->isHidden());
    rig.box(29)->setChecked(false);
    EXPECT_FALSE(warning->isHidden());

    // While the mouse rests on it, the six event boxes are drawn bold.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(warning, &enter);
    for (int n : {23, 5, 6, 30, 29, 24})
        EXPECT_TRUE(rig.box(n)->font().bold()) << n;
    EXPECT_FALSE(rig.box(9)->font().bold());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(warning, &leave);
    EXPECT_FALSE(rig.box(23)->font().bold());

    rig.box(39)->click();
    rig.box(38)->click();
    for (QWidget *w : ruledOut)
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_TRUE(rig.box(32)->isHidden()) << "not applicable in any work mode";
    EXPECT_FALSE(rig.box(39)->isChecked());
    EXPECT_TRUE(rig.box(39)->isHidden());
    EXPECT_TRUE(warning->isHidden());
}

TEST(UsersPage, SmsBackupWarnsWhileTheFirstChannelIsNotUsedAndKeepsABasicModelsCallsHidden)
{
    UsersRig rig(QStringLiteral("ykt4m-2030"));
    rig.sim->setRecord(0x04, 0, 0, QByteArray::fromHex("00000001")); // channel 1 not used
    ASSERT_TRUE(rig.ready());
    rig.box(38)->click();
    EXPECT_FALSE(rig.find<QLabel>("TntLabel44")->isHidden());
    rig.box(38)->click();
    EXPECT_TRUE(rig.box(7)->isHidden());
    EXPECT_TRUE(rig.box(22)->isHidden());
    EXPECT_FALSE(rig.box(9)->isHidden());
}

TEST(UsersPage, AccessPinHoldsUpToEightDigits)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    QLineEdit *pin = rig.pin();

    // From the module: the nibbles up to the first F.
    const std::pair<quint32, const char *> words[] = {
        {0x1234FFFF, "1234"}, {0xFFFFFFFF, ""},    {0x12345678, "12345678"},
        {0x12F4FFFF, "12"},   {0x1A34FFFF, "134"}, // not a digit: dropped
    };
    for (const auto &[word, shown] : words) {
        rig.form->model().users.accessPin = word;
        rig.form->announcer().announce(ReadAccessPIN, -1);
        EXPECT_EQ(pin->text(), QLatin1String(shown)) << std::hex << word;
    }

    // Typed: only digits get in; Ctrl+X is refused; any change keeps the digits.
    pin->clear();
    QTest::keyClicks(pin, QStringLiteral("1a2-3 4"));
    EXPECT_EQ(pin->text(), QStringLiteral("1234"));
    pin->selectAll();
    QTest::keyClick(pin, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(pin->text(), QStringLiteral("1234"));
    pin->setText(QStringLiteral("+370 612-345 67"));
    EXPECT_EQ(pin->text(), QStringLiteral("37061234"));

    // Light red under four digits.
    const QColor lightRed(255, 234, 234);
    EXPECT_NE(pin->palette().color(QPalette::Base), lightRed);
    pin->setText(QStringLiteral("123"));
    EXPECT_EQ(pin->palette().color(QPalette::Base), lightRed);

    // "Save new PIN" refuses three digits as the send does (message 92),
    // and sends four.
    const int written = rig.packets().size();
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok);
    rig.find<QPushButton>("TntButtonSaveNewPIN")->click();
    ASSERT_FALSE(rig.scripted.boxes.isEmpty());
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m92"));
    EXPECT_EQ(rig.packets().size(), written);
    EXPECT_EQ(rig.page().CheckBeforeSend()->message, 92);
    pin->setText(QStringLiteral("1239"));
    EXPECT_FALSE(rig.page().CheckBeforeSend());
    rig.find<QPushButton>("TntButtonSaveNewPIN")->click();
    EXPECT_EQ(rig.sim->record(0x14).value_or(QByteArray()).left(4),
              QByteArray::fromHex("1239FFFF"));
    EXPECT_EQ(rig.lastOpcode(), 0x41);
}

TEST(UsersPage, ClearSelectedNumberRemovesItFromTheModule)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    ASSERT_EQ(rig.sim->storedText(0x0B, 2), QByteArray("37060000002"));
    QPushButton *clear = rig.find<QPushButton>("TntButton7");

    // Nothing without a focused row.
    rig.list()->setCurrentCell(-1, -1);
    rig.sim->clearReceivedPackets();
    clear->click();
    EXPECT_TRUE(rig.sim->receivedPackets().isEmpty());

    rig.list()->setCurrentCell(2, TUsersPage::NoColumn);
    clear->click();
    EXPECT_TRUE(rig.user(2).number.isEmpty());
    EXPECT_EQ(rig.user(2).cr, 0);
    EXPECT_EQ(rig.user(2).addCr, 0);
    EXPECT_TRUE(rig.shownNumber(2).isEmpty());
    EXPECT_EQ(rig.find<QComboBox>("TntComboBox17")->currentIndex(), 0);
    EXPECT_TRUE(rig.sim->storedText(0x0B, 2).isEmpty());
    EXPECT_EQ(rig.sim->record(0x0B, 2).value().at(1), '\0');
    EXPECT_EQ(rig.sim->record(0x1A, 2).value().at(1), '\0');
    EXPECT_EQ(rig.lastOpcode(), 0x41);

    // Nothing while a read runs. The read then shows row 0 without taking
    // row 1's unsaved tick over what the module holds.
    rig.list()->setCurrentCell(1, TUsersPage::NoColumn);
    rig.box(24)->click();
    rig.sim->clearReceivedPackets();
    rig.form->findChild<QPushButton *>(QStringLiteral("TntButton19"))->click();
    ASSERT_TRUE(waitFor([&] { return rig.form->driver()->Reading(); }));
    clear->click();
    ASSERT_TRUE(rig.readDone(2));
    EXPECT_EQ(rig.packetsWith(0x0B), 0);
    EXPECT_EQ(rig.sim->storedText(0x0B, 1), QByteArray("+12025550178"));
    EXPECT_EQ(rig.shownNumber(1), QStringLiteral("+12025550178"));
    EXPECT_EQ(rig.user(1).cr, 0x01);
    EXPECT_EQ(rig.list()->currentRow(), 0);
}

TEST(UsersPage, SendUsersWritesNumbersWithTheirRegistersAndSkipsEmptyOnes)
{
    for (const char *spec : {"ykt4m-4005", "ykt3m-1024"}) {
        UsersRig rig(QString::fromLatin1(spec));
        ASSERT_TRUE(rig.ready()) << spec;
        const bool additional = rig.form->driver()->FirmwareVersion() > 1025;
        rig.page().EditNumber(1, QString());
        rig.page().EditNumber(3, QStringLiteral("37069999999"));
        rig.list()->setCurrentCell(3, TUsersPage::NoColumn);
        rig.box(24)->click();
        rig.box(38)->click();
        rig.page().CommitRow();
        rig.sim->clearReceivedPackets();

        rig.page().SendUsers();
        EXPECT_EQ(rig.sim->storedText(0x0B, 3), QByteArray("37069999999")) << spec;
        EXPECT_EQ(quint8(rig.sim->record(0x0B, 3).value().at(1)), 0x80) << spec;
        EXPECT_EQ(rig.sim->storedText(0x0B, 1), QByteArray("+12025550178"))
            << spec << ": an emptied number stays in the module";
        EXPECT_EQ(rig.packetsWith(0x0B), 3) << spec; // users 0, 2 and 3
        EXPECT_EQ(rig.packetsWith(0x1A), additional ? 3 : 0) << spec;
        if (additional) {
            EXPECT_EQ(quint8(rig.sim->record(0x1A, 3).value().at(1)), 0x10) << spec;
        }
    }
}

TEST(UsersPage, SendingStopsWhenTheWindowClosesOnTheWay)
{
    UsersRig rig;
    ASSERT_TRUE(rig.ready());
    QPointer<TYKT2> driver = rig.form->driver();
    // The close comes while the first command or pause lets the window go on;
    // the driver, and the virtual module with it, go once the send has
    // returned, and nothing after the close touches them.
    QTimer::singleShot(0, rig.form.get(), [&] { rig.form->close(); });
    rig.page().SendUsers();
    EXPECT_EQ(rig.form->driver(), nullptr);
    EXPECT_TRUE(waitFor([&] { return driver.isNull(); }));
}

} // namespace
} // namespace ykt::testing
