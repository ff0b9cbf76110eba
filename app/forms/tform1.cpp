#include "app/forms/tform1.h"

#include "app/forms/applylanguage.h"
#include "app/forms/documentviewer.h"
#include "app/forms/lamp.h"
#include "app/forms/logpage.h"
#include "app/forms/productiontest.h"
#include "app/forms/progressdialog.h"
#include "app/forms/secondaryforms.h"
#include "app/forms/startpicture.h"
#include "device/tykt2.h"
#include "localization/languagetools.h"
#include "settings/pages/configpage.h"
#include "settings/settingsreceiver.h"
#include "util/logging.h"
#include "wizard/mainscreen.h"
#include "wizard/wizardtab.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTime>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace ykt {

namespace {

constexpr int HintShowMs = 30000;
constexpr int SmallScreenHeight = 700;
constexpr int SmallScreenExtraWidth = 20;

// Hints appear at once.
class HintStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void useHintStyle()
{
    if (!dynamic_cast<HintStyle *>(QApplication::style()))
        QApplication::setStyle(new HintStyle(QApplication::style()->name()));
}

template <class W> W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

} // namespace

QString HintForDisplay(const QString &hint, const QFont &font, bool wrap)
{
    if (!wrap || Qt::mightBeRichText(hint))
        return hint;
    const QFontMetrics metrics(font);
    bool wide = false;
    for (const QString &line : hint.split(QLatin1Char('\n')))
        wide = wide || metrics.horizontalAdvance(line) > HintWrapWidth;
    if (!wide)
        return hint;
    return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
        .arg(HintWrapWidth)
        .arg(Qt::convertFromPlainText(hint, Qt::WhiteSpaceNormal));
}

TForm1::TForm1(std::unique_ptr<HidTransport> transport, AppEnvironment environment, QWidget *parent)
    : QMainWindow(parent), m_env(std::move(environment))
{
    setObjectName(QStringLiteral("Form1"));
    m_baseCaption = QLatin1String(ProgramTitle);
    setWindowTitle(m_baseCaption);

    // 1, 3: the window, its pages with their buttons hidden, "Main Screen" shown.
    buildWindow();
    // 2: hints at once, for 30 s.
    useHintStyle();
    qApp->installEventFilter(this);
    // 4: the settings file and its modes.
    readSettingsFile();
    // The APN list for the search on the GPRS page; no file, no list.
    LoadAPNList(QDir(m_env.programFolder).filePath(QStringLiteral("APN.txt")), m_apnList);
    // 5: the start time names the log file; the event log starts empty.
    m_startTime = QDateTime::currentDateTime();
    m_eventLog.clear();
    // 6: service mode shows the "Log" and "Main Screen" page buttons.
    setPageButtons(serviceMode(), serviceMode());
    // 8: the driver, every event bound.
    createDriver(std::move(transport));
    // 9: the page area only while offline editing; the start picture.
    showPageArea(offlineEditing());
    // 10: the status refresh.
    m_statusTimer.setInterval(m_env.timings.statusRefreshMs);
    connect(&m_statusTimer, &QTimer::timeout, this, &TForm1::refreshStatus);
    m_statusTimer.start();

    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setSingleShot(true);
    m_timer2.setInterval(m_env.timings.postConnectMs);
    connect(&m_timer2, &QTimer::timeout, this, &TForm1::postConnectCheck);
    m_timer6.setObjectName(QStringLiteral("Timer6"));
    m_timer6.setSingleShot(true);
    m_timer6.setInterval(m_env.timings.readPollMs);
    connect(&m_timer6, &QTimer::timeout, this, &TForm1::pollRead);
    m_changeSettingsTimer.setObjectName(QStringLiteral("ChangeSettingsTimer"));
    m_changeSettingsTimer.setSingleShot(true);
    m_changeSettingsTimer.setInterval(m_env.timings.changeSettingsMs);
    connect(&m_changeSettingsTimer, &QTimer::timeout, this, &TForm1::refreshAfterRead);
    m_protectedCheck.setObjectName(QStringLiteral("Timer_CheckPassword"));
    m_protectedCheck.setSingleShot(true);
    m_protectedCheck.setInterval(m_env.timings.protectedCheckMs);
    connect(&m_protectedCheck, &QTimer::timeout, this, [this] {
        m_pendingChecks &= ~ProtectedCheckPending;
        if (m_driver && m_driver->Connected())
            applyLockView(m_driver->SettingsLocked());
    });

    createSecondaryWindows();
    createPages();
    m_productionTest = new TProductionTest(*this);
    // Nothing typed yet.
    noteReported();

    // The language once the window stands.
    m_languageTimer.setObjectName(QStringLiteral("LanguageTimer"));
    m_languageTimer.setSingleShot(true);
    m_languageTimer.setInterval(m_env.timings.languageLoadMs);
    connect(&m_languageTimer, &QTimer::timeout, this, &TForm1::startLanguage);
    m_languageTimer.start();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    closeRequest();
}

// --- Building the window ------------------------------------------------------

void TForm1::buildWindow()
{
    auto *content = named(new QWidget, "ClientArea");
    content->setFixedSize(ClientWidth, ClientHeight);

    m_pages = named(new QTabWidget(content), "TntPageControl1");
    m_pages->setGeometry(0, 0, ClientWidth, ClientHeight);
    m_logPage = named(new TLogPage, "TntTabSheet1");
    connect(m_logPage, &TLogPage::readRequested, this, &TForm1::StartPostConnectCheck);
    connect(m_logPage, &TLogPage::checkLanguageRequested, this, &TForm1::CheckLanguageFile);
    connect(m_logPage, &TLogPage::generateTemplateRequested, this,
            &TForm1::GenerateLanguageTemplate);
    m_pages->addTab(m_logPage, QStringLiteral("Log"));
    m_pages->addTab(named(new QWidget, "TntTabSheet2"), QStringLiteral("Reporting"));
    m_pages->addTab(named(new QWidget, "TntTabSheet5"), QStringLiteral("Inputs / Outputs"));
    m_pages->addTab(named(new QWidget, "TntTabSheet6"), QStringLiteral("Names"));
    m_mainScreen = new TMainScreen;
    m_pages->addTab(m_mainScreen, QStringLiteral("Main Screen"));
    m_wizardTab = new TWizardTab;
    m_pages->addTab(m_wizardTab, QStringLiteral("Wizard"));
    // Spare components only; never shown.
    m_pages->addTab(named(new QWidget, "TntTabSheet7"), QString());
    m_pages->setCurrentIndex(PageMainScreen);

    m_startPicture = named(new QLabel(content), "Image1");
    m_startPicture->setPixmap(drawStartPicture(QSize(420, 260)));
    m_startPicture->setGeometry((ClientWidth - 420) / 2, 120, 420, 260);
    m_connectLabel =
        named(new QLabel(QStringLiteral("Please connect YKT module..."), content), "TntLabel100");
    QFont big = m_connectLabel->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    m_connectLabel->setFont(big);
    m_connectLabel->setAlignment(Qt::AlignCenter);
    m_connectLabel->setWordWrap(true);
    m_connectLabel->setGeometry(40, 400, ClientWidth - 80, 80);
    m_noticeLabel = named(new QLabel(content), "TntLabel101");
    m_noticeLabel->setStyleSheet(QStringLiteral("color: rgb(220, 0, 0);"));
    m_noticeLabel->hide();

    m_scroll = named(new QScrollArea, "ScrollBox1");
    m_scroll->setWidget(content);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCentralWidget(m_scroll);
    buildStatusBar();

    // The client area is 904 x 644; a screen lower than 700 pixels gets a
    // vertical scroll bar and 20 pixels more width for it.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const bool small = screen && screen->geometry().height() < SmallScreenHeight;
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setVerticalScrollBarPolicy(small ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    const int statusHeight = statusBar()->sizeHint().height();
    int height = ClientHeight + statusHeight;
    if (small && screen)
        height = qMin(height, screen->availableGeometry().height() - 40);
    resize(ClientWidth + (small ? SmallScreenExtraWidth : 0), height);
}

void TForm1::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    m_statusCaption = named(new QLabel, "StatusPanel0");
    m_statusCaption->setMinimumWidth(300);
    m_statusMonitoring = named(new Lamp(QStringLiteral("Monitoring")), "VrLedStatusMonitoring");
    auto *spare = named(new QLabel, "StatusPanel2");
    m_modemData = named(new QLabel, "StatusPanel3");
    m_modemData->setMinimumWidth(220);
    bar->addWidget(m_statusCaption, 3);
    bar->addWidget(m_statusMonitoring);
    bar->addWidget(spare, 1);
    bar->addWidget(m_modemData, 2);
}

void TForm1::createSecondaryWindows()
{
    // In this order, after the main window.
    m_form2 = new TForm2(this);
    m_form3 = new TForm3(this);
    m_form4 = new TForm4(this);
    m_form5 = new TForm5(this);
    m_form6 = new TForm6(this);
    m_popup = new TPopupForm(this);
    connect(m_driver.get(), &TYKT2::OnHelpText, m_form3, &TForm3::OnHelpText);
}

void TForm1::setPageButtons(bool log, bool mainScreen)
{
    QTabBar *bar = m_pages->tabBar();
    for (int i = 0; i < PageCount; ++i)
        bar->setTabVisible(i, (i == PageLog && log) || (i == PageMainScreen && mainScreen));
    bar->setVisible(log || mainScreen);
    m_pages->setCurrentIndex(PageMainScreen);
}

void TForm1::showPageArea(bool visible)
{
    m_pages->setVisible(visible);
    m_startPicture->setVisible(!visible);
    // "Please connect YKT module..." and the access notice belong to the
    // start picture: drawn over the pages (offline editing) they would hide
    // and block their controls.
    m_connectLabel->setVisible(!visible);
    if (visible)
        m_noticeLabel->hide();
}

void TForm1::readSettingsFile()
{
    IniFile ini;
    ini.load(QDir(m_env.programFolder).filePath(QStringLiteral("Settings.ini")));
    m_startup = readStartupSettings(ini);
}

// --- The driver ------------------------------------------------------------------

void TForm1::createDriver(std::unique_ptr<HidTransport> transport)
{
    m_driver = std::make_unique<TYKT2>(std::move(transport));
    m_driver->setTimings(m_env.driverTimings);
    if (m_env.trace)
        m_driver->setTrace(m_env.trace);
    bindDriverEvents();
}

void TForm1::bindDriverEvents()
{
    TYKT2 *d = m_driver.get();
    connect(d, &TYKT2::OnConnect, this, &TForm1::OnConnect);
    connect(d, &TYKT2::OnDisconnect, this, &TForm1::OnDisconnect);
    connect(d, &TYKT2::OnState, this, &TForm1::OnState);
    connect(d, &TYKT2::OnModemData, this, &TForm1::OnModemData);
    connect(d, &TYKT2::OnUsart, this, &TForm1::OnUsart);
    connect(d, &TYKT2::AccessProblemChanged, this, &TForm1::onAccessProblem);
    // Every settings answer goes into the model; the pages hear of it from
    // the receiver.
    m_receiver = std::make_unique<SettingsReceiver>(d, &m_model, &m_announcer,
                                                    [this] { return m_language.smsTable(); });
}

void TForm1::OnConnect()
{
    m_noticeLabel->hide();
    m_passwordSubmitted = false;
    m_readCompleted = false;
    // 1. The module in the status bar.
    m_statusCaption->setText(
        QString::fromLatin1(m_driver->ProductName() + " SN:" + m_driver->SerialNumber()));
    // 2. Normal mode always starts on the main screen.
    if (!serviceMode())
        m_pages->setCurrentIndex(PageMainScreen);
    // 3. The module's clock.
    m_driver->SetClockHour(quint8(QTime::currentTime().hour()));
    // The window may have been closed while the command waited.
    if (!m_driver)
        return;
    // 4. The pages adapt to the firmware (each page as it comes).
    // 5. No template is loaded.
    m_templateLoaded = false;
    m_openedTemplate.clear();
    showOpenedTemplate();
    // 6. The pages instead of the start picture.
    showPageArea(true);
    // 7. The post-connect check, then the read.
    StartPostConnectCheck();
    // 8. What the module can do.
    m_capabilities = capabilitiesOf(m_driver->ProductName(), m_driver->FirmwareVersion());
    ApplyModuleCapabilities();
    // 9. The protected-settings check.
    m_pendingChecks |= ProtectedCheckPending;
    m_protectedCheck.start();
    // 10. The event log starts afresh with every connect.
    m_eventLog.clear();
}

void TForm1::OnDisconnect()
{
    // 1.
    m_templateLoaded = false;
    // 2.
    m_mainScreen->loadTemplateButton()->hide();
    m_mainScreen->factoryDefaultButton()->hide();
    m_noticeLabel->hide();
    m_modemData->clear();
    // 3.
    showPageArea(false);
    // 4.
    refreshModuleCaption();
    // 5.
    if (m_form5->isVisible())
        m_form5->hide();
}

void TForm1::onAccessProblem(const QString &reason)
{
    // A module is there but cannot be opened: the red notice under "Please
    // connect YKT module..." and the status bar say why and how to fix it.
    // The reason comes from the HID layer, in English, with the file name of
    // the udev rule.
    if (m_driver->Connected())
        return;
    if (reason.isEmpty()) {
        m_noticeLabel->hide();
        refreshModuleCaption();
        return;
    }
    m_noticeLabel->setText(reason);
    m_noticeLabel->setWordWrap(true);
    m_noticeLabel->setGeometry(40, 480, ClientWidth - 80, 80);
    m_noticeLabel->setAlignment(Qt::AlignCenter);
    m_noticeLabel->setVisible(m_startPicture->isVisible());
    m_statusCaption->setText(reason);
}

void TForm1::OnState(quint8 mc55iFlags, quint8 mc55iCR, quint8 mc55iSR, quint16 tcpsr,
                     quint8 outBufMessCount, quint8 sentCounter)
{
    m_registers = ModemRegisters{mc55iFlags, mc55iCR, mc55iSR, tcpsr};
    m_logPage->showState(m_registers, outBufMessCount, sentCounter);
    for (TConfigPage *page : m_configPages)
        page->ShowState(m_registers, outBufMessCount, sentCounter);
}

void TForm1::OnModemData(const QByteArray &output)
{
    m_modemData->setText(QString::fromLatin1(output));
}

void TForm1::OnUsart(const QByteArray &output, bool outGoing)
{
    const QByteArray line = usartLogLine(output, outGoing, m_logPage->putRegisters(), m_registers);
    m_eventLog.append(line);
    if (serviceMode() && !m_logPage->locked() && m_pages->currentIndex() == PageLog)
        m_logPage->appendToMemo(line);
}

// --- Timers ------------------------------------------------------------------------

void TForm1::refreshStatus()
{
    if (!m_driver)
        return;
    const bool connected = m_driver->Connected();
    m_logPage->showDriverFlags(m_driver->Busy(), m_driver->Monitoring(), m_driver->ModuleError());
    m_statusMonitoring->setLit(m_driver->Monitoring());
    if (!connected)
        m_logPage->switchOffStatus();
}

void TForm1::StartPostConnectCheck()
{
    m_timer2.start();
}

void TForm1::postConnectCheck()
{
    m_timer2.stop();
    if (!m_driver)
        return; // closing
    // 1. The module went away meanwhile.
    if (!m_driver->Connected()) {
        m_form5->hide();
        return;
    }
    // 2. The module wants its USB password first; it is asked for as long as
    // the module keeps asking.
    // After a password the module still asks: it did not accept it, and the
    // prompt says so.
    if (m_driver->PasswordRequired()) {
        const QString prompt =
            m_passwordSubmitted
                ? MessageOr(PasswordRejectedMessage,
                            "The module did not accept this password. Enter the password again:")
                : MessageOr(PasswordPromptLabelMessage, "Password");
        const std::optional<QString> password =
            dialogs().askText(this, MessageOr(PasswordPromptTitleMessage, "Enter YKT2 password"),
                              prompt, QString(), DialogSeam::Echo::Password);
        if (!password) {
            terminateNow();
            return;
        }
        // The same code page as the USB password field and the unlock field.
        m_driver->SubmitPassword(FromUnicode(*password));
        m_passwordSubmitted = true;
        m_timer2.start();
        return;
    }
    m_passwordSubmitted = false;
    // 3. Linux installs nothing in the background: no installation wait.
    // 4. The read.
    m_driver->StartReadAll();
    m_timer6.start();
}

void TForm1::pollRead()
{
    m_timer6.stop();
    if (!m_driver)
        return; // closing
    if (!m_driver->Reading()) {
        m_form5->hide();
        m_changeSettingsTimer.start();
        return;
    }
    if (m_driver->ReadAborted()) {
        m_form5->hide();
        // A send whose read-back failed is not checked, and not reported
        // as a success.
        const bool afterSend = m_verifyPending;
        m_verifyPending = false;
        m_closeAfterSend = false;
        // What arrived before the failure is the module's, not the user's.
        noteReported();
        // An installed copy's program folder refuses it: the marker goes to
        // the user's data folder then, like the event log.
        QString error;
        if (!ensureMarkerFile(m_env.programFolder, &error)) {
            QString fallbackError;
            if (m_env.fallbackFolder.isEmpty() ||
                !ensureMarkerFile(m_env.fallbackFolder, &fallbackError))
                qCWarning(lcUi).noquote() << error << fallbackError;
            else
                qCWarning(lcUi).noquote()
                    << QStringLiteral("%1; the marker of the failed read is in %2")
                           .arg(error, QDir::toNativeSeparators(m_env.fallbackFolder));
        }
        ShowMessageBox(MessageW(39), DialogSeam::Icon::Error);
        emit readFailed();
        if (afterSend)
            emit sendFinished(false);
        return;
    }
    // The dialog stays away while no module is attached; the watchdog ends
    // the read in a few seconds.
    if (m_driver->Connected())
        m_form5->showFor(true);
    m_timer6.start();
}

void TForm1::refreshAfterRead()
{
    m_changeSettingsTimer.stop();
    QElapsedTimer took;
    took.start();
    // 1. The work mode the module holds.
    ApplyWorkMode(workModeOf(m_model.security.ykt2cr));
    // 2-5. The input records and their rules, the output records and their
    // rules, the output captions and the zone names, by their pages.
    for (TConfigPage *page : m_configPages)
        page->AfterRead();
    m_readCompleted = true;
    noteReported();
    m_lastRefreshMs = took.nsecsElapsed() / 1e6;
    emit settingsRefreshed();
    if (m_verifyPending)
        verifyReadBack();
}

// --- Closing -------------------------------------------------------------------------

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);
    // Esc is seen as a shortcut first (it presses the container's Cancel),
    // and as a key press where no shortcut takes it.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        m_pendingChecks |= EscapePressed;
    } else if (event->type() == QEvent::MouseButtonPress) {
        // An Esc that an editor took (it ends the edit) must not swallow the
        // next click on Cancel: a click is never an Esc.
        m_pendingChecks &= ~EscapePressed;
    } else if (event->type() == QEvent::ToolTip && !widget->toolTip().isEmpty()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        // The examples of output control are laid out line by line and keep
        // their lines; every other hint wraps at 500 pixels.
        const bool wraps = std::none_of(
            m_configPages.begin(), m_configPages.end(),
            [widget](const TConfigPage *page) { return page->KeepsHintLines(widget); });
        QToolTip::showText(help->globalPos(),
                           HintForDisplay(widget->toolTip(), QToolTip::font(), wraps), widget,
                           QRect(), HintShowMs);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Edits the module has not been given are sent, dropped, or kept open.
    if (!m_closeRequested && !askAboutUnsentEdits()) {
        event->ignore();
        return;
    }
    closeRequest();
    closeSteps();
    event->accept();
}

void TForm1::closeRequest()
{
    if (m_closeRequested)
        return;
    m_closeRequested = true;
    if (!m_driver)
        return;
    // Waiting sends give up; no event changes the window from here on.
    m_driver->SetClosing();
    m_statusTimer.stop();
    m_languageTimer.stop();
    m_timer2.stop();
    m_timer6.stop();
    // No event of the driver reaches the windows any more (OnState and
    // OnUsart above all; the log list is written next).
    TYKT2 *driver = m_driver.release();
    driver->disconnect();
    // A send of the driver may be waiting further up this very call stack:
    // the close came through its local event loop, or through a dialog shown
    // inside it. A plain deleteLater is not enough then: an event loop nested
    // inside the wait handles the deferred delete too, and the wait would
    // return into a destroyed driver. So it goes once its waits are off the
    // stack, and with the window as its parent with the window at the latest.
    driver->setParent(this);
    driver->deleteWhenIdle();
}

void TForm1::closeSteps()
{
    if (m_closed || m_terminated)
        return;
    m_closed = true;
    const QDateTime end = QDateTime::currentDateTime();
    if (!serviceMode()) {
        const LogWriteResult written =
            writeEventLog(m_eventLog, m_env.programFolder, m_env.fallbackFolder, m_startTime, end);
        m_writtenLog = written.path;
        if (!written.ok)
            qCWarning(lcLog) << "The event log could not be saved:" << written.error;
        else if (written.usedFallback)
            qCWarning(lcLog) << "The event log was saved to" << written.path;
    } else if (m_productionTest) {
        // Service mode keeps the test numbers instead.
        m_productionTest->SaveTestNumbers();
    }
}

void TForm1::terminateNow()
{
    // At once: neither the close request nor the close steps run, so no log
    // file is written.
    m_terminated = true;
    if (m_env.terminate)
        m_env.terminate();
    else
        QCoreApplication::exit(0);
}

} // namespace ykt
