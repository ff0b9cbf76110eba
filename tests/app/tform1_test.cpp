// The main window through its real widgets, offscreen, attached to the
// virtual module: start-up modes, connecting and reading, the USB password,
// failed reads, removal, the live status and the event log.

#include "windowrig.h"

#include "app/forms/lamp.h"
#include "app/forms/logpage.h"
#include "app/forms/progressdialog.h"
#include "device/protocoltrace.h"
#include "templates/encipheredtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTime>

using namespace ykt;
using namespace ykt::testing;

namespace {

QStringList logFiles(const WindowRig &rig)
{
    return QDir(rig.path(QStringLiteral("Logs"))).entryList(QDir::Files);
}

bool tabShown(const TForm1 &form, int page)
{
    // The page area itself may be hidden until a module connects.
    return !form.pageControl()->tabBar()->isHidden() &&
           form.pageControl()->tabBar()->isTabVisible(page);
}

} // namespace

TEST(MainWindow, NamedPartsExistInTheirPlaces)
{
    WindowRig rig(QStringLiteral("plugged=0"));
    TForm1 &f = *rig.form;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("YKT4M Loader"));
    EXPECT_EQ(f.objectName(), QStringLiteral("Form1"));
    ASSERT_EQ(f.pageControl()->count(), TForm1::PageCount);
    const QStringList tabs{"Log",   "Reporting",   "Inputs / Outputs",
                           "Names", "Main Screen", "Wizard"};
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(f.pageControl()->tabText(i), tabs.at(i));
    EXPECT_EQ(f.pageControl()->widget(TForm1::PageMainScreen)->objectName(),
              QStringLiteral("TntTabSheet4"));
    EXPECT_EQ(f.pageControl()->widget(TForm1::PageWizard)->objectName(),
              QStringLiteral("TntTabSheet3"));

    // The wizard's eleven pages in page order, and their step labels.
    const QStringList pages{"WPage1", "WPage2",  "WPage3", "WPage4",  "WPage5", "WPage6",
                            "WPage7", "WPage11", "WPage8", "WPage10", "WPage9"};
    ASSERT_EQ(f.wizardPages()->objectName(), QStringLiteral("wzrd1"));
    ASSERT_EQ(f.wizardPages()->count(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(f.wizardPages()->widget(i)->objectName(), pages.at(i));
    for (int i = 0; i <= 10; ++i)
        EXPECT_NE(f.findChild<QLabel *>(QStringLiteral("Step%1").arg(i)), nullptr) << i;
    EXPECT_EQ(f.findChild<QLabel *>(QStringLiteral("Step10"))->text(),
              QStringLiteral("Advanced settings"));

    // The secondary windows, with the progress dialog's parts.
    for (const char *name : {"Form2", "Form3", "Form4", "Form5", "Form6", "PopupForm"})
        EXPECT_NE(f.findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(f.form5()->Label3()->text(), QStringLiteral("Please wait..."));
    EXPECT_EQ(f.form5()->Label2()->text(), QStringLiteral("Reading YKT3 Settings"));
    EXPECT_NE(f.findChild<QPushButton *>(QStringLiteral("TntButton19")), nullptr);

    // No module: the start picture and the request to connect one.
    EXPECT_TRUE(f.startPicture()->isVisible());
    EXPECT_FALSE(f.pageControl()->isVisible());
    EXPECT_EQ(f.connectLabel()->text(), QStringLiteral("Please connect YKT module..."));
    EXPECT_TRUE(f.pageControl()->tabBar()->isHidden()); // normal mode: no page buttons
}

TEST(MainWindow, ConnectReadsEverythingBehindTheProgressDialog)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,delay=2"));
    ASSERT_TRUE(rig.connected());
    TForm1 &f = *rig.form;
    EXPECT_EQ(f.statusCaption()->text(), QStringLiteral("YKT4M v.4005b SN:4M40050001"));
    EXPECT_TRUE(f.pageControl()->isVisible());
    EXPECT_FALSE(f.startPicture()->isVisible());
    EXPECT_EQ(f.pageControl()->currentIndex(), int(TForm1::PageMainScreen));
    EXPECT_TRUE(f.capabilities().advancedCapable);

    // While the read runs the dialog blocks the window with an hourglass.
    ASSERT_TRUE(waitFor([&] { return f.form5()->isVisible(); }));
    EXPECT_EQ(QApplication::activeModalWidget(), f.form5());
    EXPECT_TRUE(f.form5()->Label2()->isVisible());
    EXPECT_FALSE(f.form5()->Label1()->isVisible());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    ASSERT_TRUE(rig.readDone());
    EXPECT_FALSE(f.form5()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(f.driver()->requestsWritten(), 348);
    EXPECT_TRUE(rig.scripted.boxes.isEmpty());

    // The first packet of a connection sets the module's clock.
    const QByteArray first = rig.sim->receivedPackets().value(0);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(quint8(first[0]), 0x43);
    const int sentHour = quint8(first[1]);
    const int hour = QTime::currentTime().hour();
    EXPECT_TRUE(sentHour == hour || sentHour == (hour + 23) % 24) << sentHour; // an hour may turn
    EXPECT_EQ(rig.sim->clockHour(), sentHour);

    // "Read YKT3 Settings" reads again.
    f.findChild<QPushButton *>(QStringLiteral("TntButton19"))->click();
    ASSERT_TRUE(rig.readDone(2));
    EXPECT_EQ(f.driver()->requestsWritten(), 2 * 348);
}

TEST(MainWindow, PasswordIsAskedUntilTheModuleTakesIt)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,password=1234,passwordonconnect=1"));
    rig.scripted.textAnswers = {QStringLiteral("1111"), QStringLiteral("1234")};
    ASSERT_TRUE(rig.readDone());
    EXPECT_EQ(rig.scripted.prompts, QStringList({"Enter YKT2 password", "Enter YKT2 password"}));
    // Typed hidden; the second prompt says why it came back.
    EXPECT_EQ(rig.scripted.echoes,
              QList<DialogSeam::Echo>({DialogSeam::Echo::Password, DialogSeam::Echo::Password}));
    ASSERT_EQ(rig.scripted.promptTexts.size(), 2);
    EXPECT_EQ(rig.scripted.promptTexts[0], "Password");
    EXPECT_TRUE(rig.scripted.promptTexts[1].contains("did not accept"));
    EXPECT_FALSE(rig.terminated);
}

TEST(MainWindow, CancelAtThePasswordEndsTheProgramWithoutALog)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,password=1234,passwordonconnect=1,traffic=5"));
    ASSERT_TRUE(waitFor([&] { return rig.terminated; }));
    EXPECT_EQ(rig.scripted.prompts.size(), 1);
    EXPECT_EQ(rig.form->driver()->requestsWritten(), 0);
    rig.form->close();
    EXPECT_TRUE(logFiles(rig).isEmpty());
}

TEST(MainWindow, FailedReadLeavesTheMarkerAndSaysSo)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,drop=1"));
    QDir(rig.dir.path()).mkpath(QStringLiteral("Debug"));
    const QByteArray before("earlier line\r\nsecond\r\n");
    {
        QFile marker(rig.path(QStringLiteral("Debug/Debug.txt")));
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.write(before);
    }
    ASSERT_TRUE(waitFor([&] { return rig.failures == 1; }));
    EXPECT_FALSE(rig.form->form5()->isVisible());
    ASSERT_EQ(rig.scripted.boxes.size(), 1);
    EXPECT_EQ(rig.scripted.boxes.first().icon, DialogSeam::Icon::Error);
    EXPECT_EQ(rig.scripted.boxes.first().buttons, QMessageBox::Ok);
    QFile marker(rig.path(QStringLiteral("Debug/Debug.txt")));
    ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
    EXPECT_EQ(marker.readAll(), before);
    EXPECT_EQ(rig.refreshes, 0);
}

TEST(MainWindow, FailedReadCreatesAnEmptyMarker)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,drop=3"));
    ASSERT_TRUE(waitFor([&] { return rig.failures == 1; }));
    QFile marker(rig.path(QStringLiteral("Debug/Debug.txt")));
    ASSERT_TRUE(marker.exists());
    EXPECT_EQ(marker.size(), 0);
}

TEST(MainWindow, FailedReadMarkerGoesToTheUserFolderWhenTheProgramFolderRefusesIt)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,drop=3"));
    // A plain file where the folder should be: no Debug/ in the program
    // folder, as in an installed copy (root ignores permissions).
    {
        QFile blocker(rig.path(QStringLiteral("Debug")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(waitFor([&] { return rig.failures == 1; }));
    EXPECT_TRUE(QFileInfo(rig.path(QStringLiteral("Debug"))).isFile());
    EXPECT_TRUE(QFileInfo::exists(rig.path(QStringLiteral("userdata/Debug/Debug.txt"))));
}

TEST(MainWindow, RemovalShowsTheStartPictureAndClosesTheDialog)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,unplug=60"));
    ASSERT_TRUE(rig.connected());
    ASSERT_TRUE(waitFor([&] { return rig.form->form5()->isVisible(); }));
    ASSERT_TRUE(waitFor([&] { return !rig.form->driver()->Connected(); }));
    TForm1 &f = *rig.form;
    EXPECT_FALSE(f.form5()->isVisible());
    EXPECT_TRUE(f.startPicture()->isVisible());
    EXPECT_FALSE(f.pageControl()->isVisible());
    EXPECT_TRUE(f.connectLabel()->isVisible());
    EXPECT_TRUE(f.statusCaption()->text().isEmpty()); // message 25 of the language
    EXPECT_TRUE(f.modemDataPanel()->text().isEmpty());
    // The watchdog still ends the read; the dialog does not come back.
    ASSERT_TRUE(waitFor([&] { return rig.failures == 1; }));
    EXPECT_FALSE(f.form5()->isVisible());
}

TEST(MainWindow, ModesFromSettingsIni)
{
    {
        WindowRig service(QStringLiteral("plugged=0"), "[Settings]\r\nCode=60493\r\n");
        EXPECT_TRUE(service.form->serviceMode());
        EXPECT_TRUE(tabShown(*service.form, TForm1::PageLog));
        EXPECT_TRUE(tabShown(*service.form, TForm1::PageMainScreen));
        for (int page : {1, 2, 3, 5, 6})
            EXPECT_FALSE(service.form->pageControl()->tabBar()->isTabVisible(page)) << page;
        EXPECT_FALSE(service.form->pageControl()->isVisible());
    }
    {
        WindowRig offline(QStringLiteral("plugged=0"), "[settings]\r\ncode = 7\r\n");
        EXPECT_FALSE(offline.form->serviceMode());
        EXPECT_TRUE(offline.form->offlineEditing());
        EXPECT_TRUE(offline.form->pageControl()->isVisible());
        EXPECT_TRUE(offline.form->pageControl()->tabBar()->isHidden());
    }
    {
        WindowRig normal(QStringLiteral("plugged=0"), "[Settings]\r\nCode=60493x\r\n");
        EXPECT_FALSE(normal.form->serviceMode());
        EXPECT_FALSE(normal.form->offlineEditing());
    }
}

TEST(MainWindow, EventLogIsSavedAtCloseInNormalModeOnly)
{
    WindowRig normal(QStringLiteral("ykt4m-4005,traffic=5"));
    ASSERT_TRUE(normal.readDone());
    ASSERT_TRUE(waitFor([&] { return normal.form->eventLog().size() >= 3; }));
    normal.form->close();
    const QStringList files = logFiles(normal);
    ASSERT_EQ(files.size(), 1);
    const QRegularExpression name(
        QStringLiteral("^\\d{4}_\\d{1,2}_\\d{1,2} \\d{1,2}_\\d{1,2} - \\d{4}_\\d{1,2}_\\d{1,2} "
                       "\\d{1,2}_\\d{1,2}\\.ykl$"));
    EXPECT_TRUE(name.match(files.first()).hasMatch()) << files.first().toStdString();
    QList<QByteArray> lines;
    ASSERT_EQ(ReadEncipheredLines(normal.path(QStringLiteral("Logs/") + files.first()),
                                  kEventLogPassphrase, &lines),
              ReadOutcome::Read);
    EXPECT_EQ(lines, normal.form->eventLog());
    EXPECT_EQ(lines.first(), QByteArray(">>AT"));

    WindowRig service(QStringLiteral("ykt4m-4005,traffic=5"), "[Settings]\r\nCode=60493\r\n");
    ASSERT_TRUE(service.readDone());
    ASSERT_TRUE(waitFor([&] { return service.form->eventLog().size() >= 3; }));
    service.form->close();
    EXPECT_TRUE(logFiles(service).isEmpty());

    // No traffic since the connect: nothing to save.
    WindowRig quiet(QStringLiteral("ykt4m-4005,traffic=0"));
    ASSERT_TRUE(quiet.readDone());
    quiet.form->close();
    EXPECT_TRUE(logFiles(quiet).isEmpty());
}

TEST(MainWindow, LogGoesToTheUserFolderWhenThePogramFolderRefusesIt)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,traffic=5"));
    {
        // A file where the folder should be.
        QFile blocker(rig.path(QStringLiteral("Logs")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(waitFor([&] { return rig.form->eventLog().size() >= 2; }));
    rig.form->close();
    EXPECT_TRUE(rig.form->writtenLogPath().startsWith(rig.path(QStringLiteral("userdata"))));
    EXPECT_TRUE(QFile::exists(rig.form->writtenLogPath()));
}

TEST(MainWindow, MemoFollowsLockAndTheShownPage)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,traffic=5"), "[Settings]\r\nCode=60493\r\n");
    ASSERT_TRUE(rig.readDone());
    TForm1 &f = *rig.form;
    QPlainTextEdit *memo = f.logPage()->memo();
    // Not on the Log page: the list grows, the memo does not.
    spin(60);
    EXPECT_EQ(memo->blockCount(), 1);
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    f.pageControl()->setCurrentIndex(TForm1::PageLog);
    ASSERT_TRUE(waitFor([&] { return memo->blockCount() >= 3; }));
    EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral(">>")));

    f.findChild<QCheckBox *>(QStringLiteral("TntCheckBoxLock"))->setChecked(true); // Lock
    const QString locked = memo->toPlainText();
    const int listBefore = f.eventLog().size();
    ASSERT_TRUE(waitFor([&] { return f.eventLog().size() > listBefore + 2; }));
    EXPECT_EQ(memo->toPlainText(), locked);

    f.findChild<QPushButton *>(QStringLiteral("TntButtonClearLog"))->click(); // Clear
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_GT(f.eventLog().size(), listBefore + 2); // the list is kept
}

TEST(MainWindow, LampsShowTheModuleState)
{
    WindowRig rig(QStringLiteral("ykt4m-4005,state=0"));
    ASSERT_TRUE(rig.readDone());
    TLogPage *log = rig.form->logPage();
    emit rig.form->driver()->OnState(0x46, 0x41, 0x01, 0xF203, 3, 17);
    for (const char *lit : {"VrLedPoweredUp", "VrLedSettedUp", "VrLedGSMAttached",
                            "VrLedTCPConnecting", "VrLedTCPConnected", "VrLedTCPSendingData",
                            "VrLedRequestCheckPresent", "VrLedRequestSetup", "VrLedProcessSetup"})
        EXPECT_TRUE(log->lamp(QLatin1String(lit))->isLit()) << lit;
    for (const char *dark : {"VrLedPresent", "VrLedOpening", "VrLedConnected", "VrLedTCPSending",
                             "VrLedTCPMessageSent", "VrLedProcessCheckPresent"})
        EXPECT_FALSE(log->lamp(QLatin1String(dark))->isLit()) << dark;
    EXPECT_EQ(log->levelBar()->value(), 15);
    EXPECT_EQ(log->bufferCount()->text(), QStringLiteral("3"));
    EXPECT_EQ(log->sentCount()->text(), QStringLiteral("17"));

    // The driver's flags, every refresh.
    ASSERT_TRUE(waitFor([&] { return !log->lamp(QStringLiteral("VrLedBusy"))->isLit(); }));
    // Removal: the whole "Status" group goes dark.
    rig.sim->unplug();
    ASSERT_TRUE(waitFor([&] {
        for (Lamp *l : log->statusLamps())
            if (l->isLit())
                return false;
        return true;
    }));
    EXPECT_FALSE(rig.form->statusMonitoringLamp()->isLit());
}

TEST(MainWindow, ModuleThatCannotBeOpenedIsExplained)
{
    WindowRig rig(QStringLiteral("plugged=0"));
    rig.sim->setOpenFailure(
        QStringLiteral("Permission denied: install the udev rule 69-ykt4m-loader.rules"));
    rig.sim->plug();
    ASSERT_TRUE(waitFor(
        [&] { return rig.form->statusCaption()->text().contains(QStringLiteral("udev")); }));
    QLabel *notice = rig.form->findChild<QLabel *>(QStringLiteral("TntLabel101"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains(QStringLiteral("udev")));
    rig.sim->setOpenFailure(QString());
    ASSERT_TRUE(rig.readDone());
    EXPECT_TRUE(rig.form->statusCaption()->text().startsWith(QStringLiteral("YKT4M")));
}

TEST(MainWindow, EscapeAnywhereSetsItsBit)
{
    WindowRig rig(QStringLiteral("plugged=0"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(rig.form->connectLabel(), &press);
    EXPECT_TRUE(rig.form->pendingChecks() & TForm1::EscapePressed);
}

// The window closes while a send waits on Busy: the wait gives up, nothing
// more reaches the module, the close steps run, and the driver is deleted
// only once its wait is off the stack, also when the close comes through an
// event loop nested inside that wait (as a dialog shown meanwhile runs one).
TEST(MainWindow, ClosingWhileASendWaitsOnBusyWritesNothingMore)
{
    for (const bool throughNestedLoop : {false, true}) {
        SCOPED_TRACE(throughNestedLoop ? "closed inside a loop nested in the wait"
                                       : "closed from the wait's own loop");
        // The module never clears Busy after the clock packet, so the read's
        // first request waits.
        WindowRig rig(QStringLiteral("ykt4m-4005,stuckbusy=1,traffic=5"));
        // The virtual module belongs to the driver and goes with it; what was
        // written after that is read from a trace, which outlives both. Set
        // before the event loop runs, so before any reader thread.
        auto trace = std::make_shared<ProtocolTrace>();
        ASSERT_TRUE(trace->open(rig.path(QStringLiteral("trace.txt")), nullptr));
        rig.form->driver()->setTrace(trace);
        ASSERT_TRUE(rig.connected());
        const QPointer<TYKT2> driver = rig.form->driver();

        bool closedInsideWait = false;
        qsizetype receivedAtClose = -1;
        bool aliveAfterNestedLoop = false;
        QTimer::singleShot(300, rig.form.get(), [&] {
            if (!driver)
                return;
            closedInsideWait = driver->Waiting() && driver->Busy();
            receivedAtClose = rig.sim->receivedPackets().size();
            if (!throughNestedLoop) {
                rig.form->close();
                return;
            }
            QTimer::singleShot(0, rig.form.get(), [&] { rig.form->close(); });
            spin(100);
            aliveAfterNestedLoop = !driver.isNull();
        });
        ASSERT_TRUE(waitFor([&] { return driver.isNull(); }));
        EXPECT_TRUE(closedInsideWait);
        EXPECT_EQ(receivedAtClose, 1); // only SetClockHour
        if (throughNestedLoop) {
            EXPECT_TRUE(aliveAfterNestedLoop);
        }
        EXPECT_EQ(rig.form->driver(), nullptr);
        EXPECT_FALSE(rig.form->writtenLogPath().isEmpty()); // the close steps ran

        trace.reset(); // closes the file
        QFile file(rig.path(QStringLiteral("trace.txt")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QList<QByteArray> written;
        for (const QByteArray &line : file.readAll().split('\n'))
            if (line.contains(" OUT "))
                written.append(line.mid(line.indexOf(" OUT ") + 5));
        ASSERT_EQ(written.size(), 1);
        EXPECT_TRUE(written.first().startsWith("00 43 ")) << written.first().constData();
    }
}
