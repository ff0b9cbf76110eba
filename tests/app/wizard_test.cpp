// The main screen's work-mode choice and the configuration pages' step list,
// through the real window attached to the virtual module.

#include "settings/pages/notapplicable.h"
#include "settings/pages/userspage.h"
#include "wizard/mainscreen.h"
#include "wizard/steplist.h"
#include "wizard/wizardtab.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>

#include "windowrig.h"

namespace ykt::testing {
namespace {

QByteArray u32(quint32 v)
{
    const char bytes[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(bytes, 4);
}

// Presses a work-mode radio button with the mouse, as the user does.
void press(QRadioButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

int questions(const ScriptedDialogs &d)
{
    int n = 0;
    for (const auto &box : d.boxes)
        n += box.icon == DialogSeam::Icon::Question;
    return n;
}

TEST(WorkMode, QuestionIsAskedOnceUntilThePagesAreOpenedAgain)
{
    WindowRig rig;
    ASSERT_TRUE(rig.readDone());
    TMainScreen *screen = rig.form->mainScreen();
    ASSERT_TRUE(screen->advancedButton()->isVisibleTo(screen)) << "firmware 4005 offers it";

    // Declined: the Communicator button stays checked and takes the focus.
    rig.scripted.buttonAnswers = {QMessageBox::No};
    press(screen->advancedButton());
    EXPECT_EQ(questions(rig.scripted), 1);
    EXPECT_EQ(rig.form->CurrentWorkMode(), WorkMode::Communicator);
    EXPECT_TRUE(screen->communicatorButton()->isChecked());
    EXPECT_FALSE(screen->advancedButton()->isChecked());
    EXPECT_EQ(rig.form->focusWidget(), screen->communicatorButton());

    // Accepted: the mode changes, and later changes ask no more.
    rig.scripted.buttonAnswers = {QMessageBox::Yes};
    press(screen->advancedButton());
    EXPECT_EQ(questions(rig.scripted), 2);
    EXPECT_EQ(rig.form->CurrentWorkMode(), WorkMode::AdvancedCommunicator);
    EXPECT_TRUE(screen->advancedButton()->isChecked());
    press(screen->communicatorButton());
    EXPECT_EQ(questions(rig.scripted), 2);
    EXPECT_EQ(rig.form->CurrentWorkMode(), WorkMode::Communicator);

    // "Manual Configuration" clears the acceptance.
    rig.form->OpenConfigurationPages();
    rig.form->pageControl()->setCurrentIndex(TForm1::PageMainScreen);
    rig.scripted.buttonAnswers = {QMessageBox::No};
    press(screen->advancedButton());
    EXPECT_EQ(questions(rig.scripted), 3);
    EXPECT_EQ(rig.form->CurrentWorkMode(), WorkMode::Communicator);
}

TEST(WorkMode, EveryChangeShowsTheFirstPhoneNumberRow)
{
    WindowRig rig;
    ASSERT_TRUE(rig.readDone());
    auto *users = qobject_cast<TUsersPage *>(rig.form->configPage(UsersPageIndex));
    auto *list = users->findChild<QTableWidget *>(QStringLiteral("VStringTree1"));
    ASSERT_TRUE(list);
    list->setCurrentCell(3, TUsersPage::NoColumn);
    ASSERT_EQ(users->displayedRow(), 3);
    rig.form->ApplyWorkMode(WorkMode::AdvancedCommunicator);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(users->displayedRow(), 0);
}

TEST(WorkMode, ChangingTheModeKeepsTheBoxesOfTheRowBeingEdited)
{
    WindowRig rig;
    ASSERT_TRUE(rig.readDone());
    auto *users = qobject_cast<TUsersPage *>(rig.form->configPage(UsersPageIndex));
    auto *list = users->findChild<QTableWidget *>(QStringLiteral("VStringTree1"));
    auto *troubleSms = users->findChild<QCheckBox *>(QStringLiteral("TntCheckBox24"));
    ASSERT_TRUE(list && troubleSms);
    // Row 1 holds a number in the virtual module's factory settings.
    ASSERT_FALSE(rig.form->model().phones[1].number.isEmpty());
    list->setCurrentCell(1, TUsersPage::NoColumn);
    troubleSms->setChecked(!troubleSms->isChecked());
    const bool ticked = troubleSms->isChecked();

    rig.scripted.buttonAnswers = {QMessageBox::Yes};
    press(rig.form->mainScreen()->advancedButton());
    ASSERT_EQ(rig.form->CurrentWorkMode(), WorkMode::AdvancedCommunicator);
    EXPECT_EQ(bool(rig.form->model().phones[1].cr & 0x80), ticked);
}

TEST(WorkMode, AppliedWithoutAQuestionWhileReading)
{
    WindowRig rig;
    ASSERT_TRUE(waitFor([&] { return rig.form->driver()->Reading(); }));
    press(rig.form->mainScreen()->advancedButton());
    EXPECT_EQ(questions(rig.scripted), 0);
    EXPECT_EQ(rig.form->CurrentWorkMode(), WorkMode::AdvancedCommunicator);
}

TEST(WorkMode, AdvancedCommunicatorHidesTheInputsStepAndTheStepsBelowMoveUp)
{
    WindowRig rig;
    ASSERT_TRUE(rig.readDone());
    TWizardTab *wizard = rig.form->wizardTab();
    TStepList *steps = wizard->stepList();
    rig.form->OpenConfigurationPages();
    const int inputsTop = steps->stepLabel(InputsPageIndex)->y();
    const int outputsTop = steps->stepLabel(OutputsPageIndex)->y();
    ASSERT_GT(outputsTop, inputsTop);

    rig.form->ApplyWorkMode(WorkMode::AdvancedCommunicator);
    EXPECT_TRUE(steps->stepLabel(InputsPageIndex)->isHidden());
    EXPECT_FALSE(wizard->page(InputsPageIndex)->isEnabled());
    EXPECT_EQ(steps->stepLabel(OutputsPageIndex)->y(), inputsTop);
    EXPECT_EQ(steps->modeLabel()->text(), QStringLiteral("Advanced communicator"));
    // The access PIN belongs to the Communicator mode only.
    auto *pinPanel =
        rig.form->configPage(UsersPageIndex)->findChild<QWidget *>(QStringLiteral("TntPanel23"));
    ASSERT_TRUE(pinPanel);
    EXPECT_TRUE(pinPanel->isHidden());

    rig.form->ApplyWorkMode(WorkMode::Communicator);
    EXPECT_FALSE(steps->stepLabel(InputsPageIndex)->isHidden());
    EXPECT_TRUE(wizard->page(InputsPageIndex)->isEnabled());
    EXPECT_EQ(steps->stepLabel(OutputsPageIndex)->y(), outputsTop);
    EXPECT_FALSE(pinPanel->isHidden());
    // "Change arm state on short call" is never offered.
    auto *shortCall = rig.form->configPage(UsersPageIndex)
                          ->findChild<QCheckBox *>(QStringLiteral("TntCheckBox32"));
    ASSERT_TRUE(shortCall);
    EXPECT_TRUE(shortCall->isHidden());
    EXPECT_TRUE(isNotApplicable(shortCall));
}

TEST(WorkMode, TheReadAppliesTheModuleModeMagellanWinning)
{
    WindowRig rig;
    // Both mode bits set: Magellan.
    rig.sim->setRecord(0x0A, 0, 0, u32(1u << 26 | 1u << 27 | 600u << 8));
    ASSERT_TRUE(rig.readDone());
    EXPECT_EQ(rig.form->CurrentWorkMode(), WorkMode::Magellan);
    EXPECT_TRUE(rig.form->mainScreen()->magellanButton()->isChecked());
    EXPECT_TRUE(rig.form->mainScreen()->magellanButton()->isHidden()) << "never visible";
    EXPECT_EQ(questions(rig.scripted), 0);
}

TEST(Capabilities, BasicModelHasNoOutputStepsNorCallBoxes)
{
    WindowRig rig(QStringLiteral("ykt4m-2030"));
    ASSERT_TRUE(rig.readDone());
    TStepList *steps = rig.form->wizardTab()->stepList();
    EXPECT_TRUE(steps->stepLabel(OutputsPageIndex)->isHidden());
    EXPECT_TRUE(steps->stepLabel(OutputsControlPageIndex)->isHidden());
    EXPECT_FALSE(rig.form->wizardTab()->page(OutputsPageIndex)->isEnabled());
    EXPECT_TRUE(rig.form->mainScreen()->advancedButton()->isHidden());
    for (const char *name : {"TntCheckBox7", "TntCheckBox22"}) {
        auto *box =
            rig.form->configPage(UsersPageIndex)->findChild<QCheckBox *>(QLatin1String(name));
        ASSERT_TRUE(box) << name;
        EXPECT_TRUE(box->isHidden()) << name;
        EXPECT_TRUE(isNotApplicable(box)) << name;
    }
    // The steps below the hidden ones close up: Security follows Inputs.
    const QLabel *inputs = steps->stepLabel(InputsPageIndex);
    EXPECT_EQ(steps->stepLabel(SecurityPageIndex)->y(),
              inputs->geometry().bottom() + 1 + TStepList::Spacing);
}

TEST(MainScreen, ProtectedSettingsHideTheTemplateAndFactoryButtons)
{
    for (const bool locked : {false, true}) {
        WindowRig rig(locked ? QStringLiteral("ykt4m-4005,password=1234,lock=1")
                             : QStringLiteral("ykt4m-4005"));
        ASSERT_TRUE(rig.readDone());
        TMainScreen *screen = rig.form->mainScreen();
        // The check runs half a second after the connect.
        ASSERT_TRUE(
            waitFor([&] { return !(rig.form->pendingChecks() & TForm1::ProtectedCheckPending); }));
        EXPECT_EQ(screen->factoryDefaultButton()->isHidden(), locked) << locked;
        EXPECT_EQ(screen->loadTemplateButton()->isHidden(), locked) << locked;
        EXPECT_EQ(isNotApplicable(screen->loadTemplateButton()), locked) << locked;
        // Opening the pages does not show a template button the lock hid.
        rig.form->OpenConfigurationPages();
        EXPECT_EQ(rig.form->wizardTab()->saveTemplateButton()->isHidden(), locked) << locked;
    }
}

TEST(StepList, ClickShowsThePageAndHighlightsItsLabel)
{
    WindowRig rig;
    ASSERT_TRUE(rig.readDone());
    rig.form->OpenConfigurationPages();
    TWizardTab *wizard = rig.form->wizardTab();
    EXPECT_EQ(rig.form->pageControl()->currentIndex(), TForm1::PageWizard);
    EXPECT_EQ(wizard->currentPage(), UsersPageIndex);
    EXPECT_TRUE(wizard->stepList()->stepLabel(UsersPageIndex)->font().bold());
    EXPECT_FALSE(wizard->printButton()->isVisibleTo(wizard));
    EXPECT_TRUE(wizard->sendButton()->isVisibleTo(wizard));

    // Security is page index 5; the Advanced page (index 7) is Step10.
    QTest::mouseClick(wizard->stepList()->stepLabel(SecurityPageIndex), Qt::LeftButton);
    EXPECT_EQ(wizard->currentPage(), SecurityPageIndex);
    EXPECT_EQ(wizard->container()->currentWidget()->objectName(), QStringLiteral("WPage6"));
    const TStepLabel *chosen = wizard->stepList()->stepLabel(SecurityPageIndex);
    EXPECT_TRUE(chosen->font().bold());
    EXPECT_EQ(chosen->font().pointSize(), 9);
    EXPECT_EQ(chosen->palette().color(QPalette::WindowText), QColor(Qt::white));
    const TStepLabel *plain = wizard->stepList()->stepLabel(UsersPageIndex);
    EXPECT_FALSE(plain->font().bold());
    EXPECT_TRUE(plain->font().underline());
    EXPECT_EQ(plain->palette().color(QPalette::WindowText), QColor(TStepList::LightGrey));
    EXPECT_EQ(wizard->stepList()->stepLabel(AdvancedPageIndex)->objectName(),
              QStringLiteral("Step10"));

    // The summary shows "Print"; any other page hides it again.
    QTest::mouseClick(wizard->stepList()->stepLabel(SummaryPageIndex), Qt::LeftButton);
    EXPECT_EQ(wizard->container()->currentWidget()->objectName(), QStringLiteral("WPage9"));
    EXPECT_TRUE(wizard->printButton()->isVisibleTo(wizard));
    QTest::mouseClick(wizard->stepList()->stepLabel(PhrasesPageIndex), Qt::LeftButton);
    EXPECT_FALSE(wizard->printButton()->isVisibleTo(wizard));
}

TEST(StepList, NameTableAndOutOfRangeIndexes)
{
    const char *expected[] = {"Step0", "Step1",  "Step2", "Step3", "Step4", "Step5",
                              "Step6", "Step10", "Step7", "Step9", "Step8"};
    for (int i = 0; i < ConfigurationPageCount; ++i)
        EXPECT_EQ(stepLabelName(i), QLatin1String(expected[i])) << i;
    EXPECT_TRUE(stepLabelName(11).isEmpty());
    EXPECT_TRUE(stepLabelName(-1).isEmpty());
}

TEST(ConfigurationPages, EscNeverLeavesThePagesAndAnEarlierEscIsConsumedOnce)
{
    WindowRig rig;
    ASSERT_TRUE(rig.readDone());
    TWizardTab *wizard = rig.form->wizardTab();
    // Shortcuts work in the active window.
    QApplication::setActiveWindow(rig.form.get());
    ASSERT_EQ(QApplication::activeWindow(), rig.form.get());
    rig.form->OpenConfigurationPages();
    wizard->sendButton()->setFocus();

    // Esc presses Cancel, which the Esc flag stops.
    QTest::keyClick(wizard->sendButton(), Qt::Key_Escape);
    EXPECT_EQ(rig.form->pageControl()->currentIndex(), TForm1::PageWizard);
    EXPECT_EQ(rig.form->pendingChecks() & TForm1::EscapePressed, 0);

    // Cancel itself returns to the main screen.
    QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(rig.form->pageControl()->currentIndex(), TForm1::PageMainScreen);

    // An Esc that something else took (the main screen, a number editor
    // ending its edit) never swallows a click: one click on Cancel always
    // leaves the pages.
    QTest::keyClick(rig.form->mainScreen()->manualConfigurationButton(), Qt::Key_Escape);
    rig.form->OpenConfigurationPages();
    QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(rig.form->pageControl()->currentIndex(), TForm1::PageMainScreen);

    rig.form->OpenConfigurationPages();
    auto *list = rig.form->configPage(UsersPageIndex)->findChild<QTableWidget *>("VStringTree1");
    list->editItem(list->item(3, TUsersPage::NumberColumn));
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit *>(editor));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(rig.form->pageControl()->currentIndex(), TForm1::PageWizard);
    QTest::mouseClick(wizard->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(rig.form->pageControl()->currentIndex(), TForm1::PageMainScreen);
}

TEST(ConfigurationPages, AttentionBlinkEndsPlainAfterSixTicks)
{
    WindowRig rig;
    ASSERT_TRUE(rig.readDone());
    QCheckBox *alarmSms =
        static_cast<QCheckBox *>(rig.form->configPage(UsersPageIndex)->AttentionTarget());
    QList<bool> seen;
    rig.form->StartAttentionBlink();
    // Samples the caption after every tick.
    ASSERT_TRUE(waitFor([&] {
        if (seen.size() < rig.form->attentionBlink().count())
            seen << alarmSms->font().bold();
        return !rig.form->attentionBlink().running();
    }));
    EXPECT_FALSE(alarmSms->font().bold());
    EXPECT_EQ(rig.form->attentionBlink().count(), 0);
    EXPECT_EQ(rig.form->attentionBlink().target(), nullptr);
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_TRUE(seen.first()) << "the first tick makes it bold";
}

TEST(ConfigurationPages, TitlesStepsAndDescriptionComeFromTheLanguage)
{
    WindowRig rig;
    QFile shipped(QStringLiteral(YKT_DATA_DIR "/comps.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    rig.writeFile(QStringLiteral("comps.txt"), shipped.readAll());
    ASSERT_TRUE(waitFor([&] { return rig.form->languageStartupDone(); }));
    TWizardTab *wizard = rig.form->wizardTab();
    for (int i = 0; i < ConfigurationPageCount; ++i) {
        const QString title = rig.form->MessageW(ConfigurationPages[i].titleMessage);
        ASSERT_FALSE(title.isEmpty()) << i;
        EXPECT_EQ(wizard->page(i)->title()->text(), title) << i;
        EXPECT_EQ(wizard->stepList()->stepLabel(i)->text(), title) << i;
    }
    EXPECT_EQ(wizard->cancelButton()->text(), rig.form->MessageW(73));
    QString description = rig.form->MessageW(54);
    description.replace(QLatin1Char('\\'), QLatin1Char('\n'));
    EXPECT_EQ(rig.form->mainScreen()->description()->toPlainText(), description);
}

TEST(Hints, WideHintsWrapAtTheirWidthAndTheExamplesKeepTheirLines)
{
    const QFont font;
    const QString shortHint = QStringLiteral("Alarm SMS");
    EXPECT_EQ(HintForDisplay(shortHint, font, true), shortHint);

    const QString longHint = QString(QStringLiteral("word ")).repeated(200).trimmed() +
                             QStringLiteral("\nsecond & line");
    const QString shown = HintForDisplay(longHint, font, true);
    EXPECT_TRUE(shown.contains(QStringLiteral("width=\"500\""))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("<br>\nsecond &amp; line")))
        << "line breaks kept, text escaped";

    // The examples of output control are never wrapped.
    EXPECT_EQ(HintForDisplay(longHint, font, false), longHint);
}

} // namespace
} // namespace ykt::testing
