#include "app/forms/tform1.h"

#include "app/forms/applylanguage.h"
#include "app/forms/documentviewer.h"
#include "app/forms/lamp.h"
#include "app/forms/logpage.h"
#include "app/forms/progressdialog.h"
#include "app/forms/secondaryforms.h"
#include "app/forms/startpicture.h"
#include "device/tykt2.h"
#include "localization/languagetools.h"
#include "settings/settingsreceiver.h"
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

#include <cstdio>

namespace ykt {

namespace {

constexpr int HintShowMs = 30000;
constexpr int SmallScreenHeight = 700;
constexpr int SmallScreenExtraWidth = 20;

// The program's own title: the main window's built-in caption and the title
// of the plain message box.
const char ProgramTitle[] = "YKT4M Loader";

// The lists whose selected positions survive a language choice.
const char *const KeptSelections[] = {
    "ComboBox4",  "ComboBox2",  "ComboBox1",  "ComboBox3",  "ComboBox5",
    "ComboBox7",  "ComboBox8",  "ComboBox9",  "ComboBox10", "ComboBox11",
    "ComboBox6",  "ComboBox18", "ComboBox19", "ComboBox20", "ComboBox21",
    "ComboBox22", "ComboBox24", "ComboBox25", "ComboBox26", "ComboBox27",
};

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
            applyLockView();
    });

    createSecondaryWindows();
    createPages();

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
    m_receiver =
        std::make_unique<SettingsReceiver>(d, &m_model, [this] { return m_language.smsTable(); });
}

void TForm1::OnConnect()
{
    m_noticeLabel->hide();
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
    // 6. The pages instead of the start picture.
    m_connectLabel->hide();
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
    m_connectLabel->show();
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
    m_noticeLabel->show();
    m_statusCaption->setText(reason);
}

void TForm1::OnState(quint8 mc55iFlags, quint8 mc55iCR, quint8 mc55iSR, quint16 tcpsr,
                     quint8 outBufMessCount, quint8 sentCounter)
{
    m_registers = ModemRegisters{mc55iFlags, mc55iCR, mc55iSR, tcpsr};
    m_logPage->showState(m_registers, outBufMessCount, sentCounter);
    // The "GPRS Communication" group of the GSM modem page takes its copy
    // here once that page exists.
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
    if (m_driver->PasswordRequired()) {
        const std::optional<QString> password = dialogs().askText(
            this, QStringLiteral("Enter YKT2 password"), QStringLiteral("Password"), QString());
        if (!password) {
            terminateNow();
            return;
        }
        m_driver->SubmitPassword(password->toLatin1());
        m_timer2.start();
        return;
    }
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
        QString error;
        if (!ensureMarkerFile(m_env.programFolder, &error))
            std::fprintf(stderr, "%s\n", qPrintable(error));
        ShowMessageBox(MessageW(39), DialogSeam::Icon::Error);
        emit readFailed();
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
    m_lastRefreshMs = took.nsecsElapsed() / 1e6;
    emit settingsRefreshed();
}

// --- Messages ----------------------------------------------------------------------

QMessageBox::StandardButton TForm1::ShowMessageBox(const QString &text, DialogSeam::Icon icon,
                                                   QMessageBox::StandardButtons buttons)
{
    DialogSeam::Box box;
    box.icon = icon;
    switch (icon) {
    case DialogSeam::Icon::Warning:
        box.title = MessageW(29);
        break;
    case DialogSeam::Icon::Error:
        box.title = MessageW(26);
        break;
    case DialogSeam::Icon::Information:
        box.title = MessageW(27);
        break;
    case DialogSeam::Icon::Question:
        box.title = MessageW(28);
        break;
    case DialogSeam::Icon::None:
        box.title = QLatin1String(ProgramTitle);
        break;
    }
    box.text = text;
    box.buttons = buttons;
    // Empty captions (no language file) leave the toolkit's own in place
    // rather than buttons without a caption.
    box.yesText = MessageW(30);
    box.noText = MessageW(31);
    box.cancelText = MessageW(32);
    return dialogs().message(this, box);
}

void TForm1::ShowPlainMessage(const QString &text)
{
    DialogSeam::Box box;
    box.title = QLatin1String(ProgramTitle);
    box.text = text;
    box.buttons = QMessageBox::Ok;
    dialogs().message(this, box);
}

// --- Language ------------------------------------------------------------------------

QList<QWidget *> TForm1::languageWindows() const
{
    return {const_cast<TForm1 *>(this), m_form2, m_form3, m_form4, m_form5, m_form6, m_popup};
}

void TForm1::startLanguage()
{
    m_languageStartupDone = true;
    // 1. The language file; without it the built-in texts stay and the
    // messages are empty.
    TKalbos table;
    const LanguageFileResult loaded = LoadLanguageFile(
        QDir(m_env.programFolder).filePath(QLatin1String(kLanguageFileName)), table);
    if (!loaded.ok) {
        ShowMessageBox(loaded.error, DialogSeam::Icon::Error);
        return;
    }
    m_language.setTable(std::move(table));
    // 2. The Contact ID descriptions; a failure ends the program.
    if (!loadContactIdDescriptions())
        return;
    // 3. The language list, each name in its own language's code page.
    {
        const QSignalBlocker quiet(m_mainScreen->languageList());
        m_mainScreen->languageList()->clear();
        for (const tkalba &l : m_language.table())
            m_mainScreen->languageList()->addItem(
                ::ykt::ToUnicode(l.name, CodePageOfCharset(l.charset)));
        m_mainScreen->languageList()->setCurrentIndex(-1);
    }
    // 4. Message 25 of the first language while no module is attached.
    refreshModuleCaption();
    // 5. The stored choice, letter case ignored; no entry when none matches.
    const QByteArray stored = readLanguageSetting();
    int selected = -1;
    for (int i = 0; i < m_language.table().size() && selected < 0; ++i) {
        const tkalba &l = m_language.table().at(i);
        if (::ykt::ToUnicode(stored, CodePageOfCharset(l.charset))
                .compare(m_mainScreen->languageList()->itemText(i), Qt::CaseInsensitive) == 0)
            selected = i;
    }
    {
        const QSignalBlocker quiet(m_mainScreen->languageList());
        m_mainScreen->languageList()->setCurrentIndex(selected);
    }
    // 6.
    SelectLanguage(selected >= 0 ? m_language.table().at(selected).name : QByteArray(), false);
}

bool TForm1::loadContactIdDescriptions()
{
    const TCIDLoadResult result = LoadCIDDescriptions(
        QDir(m_env.programFolder).filePath(QStringLiteral("CID_Descriptions.txt")), m_cid);
    if (result.ok())
        return true;
    // The box first, then the end; the window is complete meanwhile.
    ShowMessageBox(MessageW(result.messageNumber()), DialogSeam::Icon::Error);
    terminateNow();
    return false;
}

void TForm1::onLanguageListChanged(int index)
{
    if (index < 0)
        return;
    // The entry's language; a list replaced by a language record falls back
    // to the entry's text.
    const QString text = m_mainScreen->languageList()->itemText(index);
    QByteArray name = FromUnicode(text, m_language.codePage());
    for (const tkalba &l : m_language.table()) {
        if (::ykt::ToUnicode(l.name, CodePageOfCharset(l.charset)) == text) {
            name = l.name;
            break;
        }
    }
    SelectLanguage(name, true);
}

void TForm1::SelectLanguage(const QByteArray &name, bool byUser)
{
    // 1. The user's choice of the language already applied changes nothing.
    // (Before any language was applied the first one only stands in for the
    // messages, so choosing it applies it.)
    if (byUser && m_language.applied() && name == m_language.currentName())
        return;
    // 2. Lists whose positions the new items must not lose.
    QList<std::pair<QComboBox *, int>> kept;
    for (const char *listName : KeptSelections) {
        if (auto *list = qobject_cast<QComboBox *>(FindComponent(this, listName)))
            kept.append({list, list->currentIndex()});
    }
    // 3, 4. The language, then the version after the caption it left. The
    // caption is the one without the version while the language is applied,
    // so a language that names no caption does not add a second version.
    setWindowTitle(m_baseCaption);
    ApplyLanguage(m_language, name, languageWindows());
    m_baseCaption = windowTitle();
    setWindowTitle(m_baseCaption + QLatin1String(VersionSuffix));
    // 5. The choice is stored at once, an unknown name too.
    writeLanguageSetting(name);
    // 6.
    refreshModuleCaption();
    // 7. What the pages take from the messages.
    ApplyPageLanguageTexts();
    // 8.
    // A position the new list no longer has keeps what the language chose.
    for (const auto &[list, position] : kept) {
        const QSignalBlocker quiet(list);
        if (position < list->count())
            list->setCurrentIndex(position);
    }
    refreshInputsAndOutputs();
    // 9.
    RefreshManualButton(false);
    // 10. The layouts follow the new caption widths by themselves.
    // 11.
    reloadVoicePhrases();
    emit languageSelected();
}

void TForm1::refreshModuleCaption()
{
    if (m_driver && m_driver->Connected()) {
        m_statusCaption->setText(
            QString::fromLatin1(m_driver->ProductName() + " SN:" + m_driver->SerialNumber()));
        return;
    }
    // A module that is there but cannot be opened keeps its explanation.
    if (m_driver && !m_driver->AccessProblem().isEmpty())
        return;
    m_statusCaption->setText(MessageW(25));
}

void TForm1::refreshInputsAndOutputs()
{
    // The inputs and outputs pages refresh here once they exist.
}

void TForm1::reloadVoicePhrases()
{
    // The zone voice page reloads its phrase menu for the language and
    // refreshes the zone names here once it exists.
}

QByteArray TForm1::readLanguageSetting() const
{
    // Where the choice was stored: the user's data folder once the program
    // folder refused it, else the program folder.
    const QString fallback = QDir(m_env.fallbackFolder).filePath(QStringLiteral("Settings.ini"));
    IniFile ini;
    if (!m_env.fallbackFolder.isEmpty() && QFileInfo(fallback).isFile() && ini.load(fallback) &&
        ini.contains(kSettingsSection, "Language"))
        return ini.value(kSettingsSection, "Language");
    ini.load(QDir(m_env.programFolder).filePath(QStringLiteral("Settings.ini")));
    return ini.value(kSettingsSection, "Language", "English");
}

void TForm1::writeLanguageSetting(const QByteArray &name)
{
    const QString path = QDir(m_env.programFolder).filePath(QStringLiteral("Settings.ini"));
    const QString fallback = QDir(m_env.fallbackFolder).filePath(QStringLiteral("Settings.ini"));
    const bool usingFallback = !m_env.fallbackFolder.isEmpty() && QFileInfo(fallback).isFile();
    QString error;
    if (!usingFallback) {
        IniFile ini;
        if (ini.load(path, &error)) {
            ini.setValue(kSettingsSection, "Language", name);
            if (ini.save(path, &error))
                return;
        }
    }
    if (m_env.fallbackFolder.isEmpty()) {
        std::fprintf(stderr, "The language choice could not be saved: %s\n", qPrintable(error));
        return;
    }
    // The copy in the user's data folder starts from the program folder's.
    IniFile ini;
    if (!usingFallback || !ini.load(fallback))
        ini.load(path);
    ini.setValue(kSettingsSection, "Language", name);
    QString fallbackError;
    if (!ini.save(fallback, &fallbackError)) {
        std::fprintf(stderr, "The language choice could not be saved: %s\n",
                     qPrintable(fallbackError));
        return;
    }
    if (!usingFallback)
        std::fprintf(stderr, "%s; the language choice was saved to %s\n", qPrintable(error),
                     qPrintable(QDir::toNativeSeparators(fallback)));
}

void TForm1::RefreshManualButton(bool open)
{
    const QDir manuals(QDir(m_env.programFolder).filePath(QStringLiteral("Manuals")));
    QString file = m_mainScreen->languageList()->currentText() + QStringLiteral(".pdf");
    if (!QFileInfo(manuals.filePath(file)).isFile())
        file = QStringLiteral("English.pdf");
    if (!QFileInfo(manuals.filePath(file)).isFile()) {
        m_mainScreen->manualButton()->hide();
        m_mainScreen->manualLabel()->hide();
        return;
    }
    m_mainScreen->manualButton()->setText(MessageW(140) + QLatin1Char(' ') + file);
    m_mainScreen->manualButton()->show();
    m_mainScreen->manualLabel()->show();
    if (open)
        openDocument(manuals.filePath(file));
}

void TForm1::CheckLanguageFile()
{
    const TKalbos &table = m_language.table();
    for (const LanguageCheckReport &report : ::ykt::CheckLanguageFile(table)) {
        const CodePage page = report.language >= 0
                                  ? CodePageOfCharset(table.at(report.language).charset)
                                  : m_language.codePage();
        ShowPlainMessage(::ykt::ToUnicode(report.text, page));
    }
}

void TForm1::GenerateLanguageTemplate()
{
    const QList<QByteArray> lines = LanguageTemplateLines(
        m_language.smsTable(), TemplateWindowsOf(languageWindows(), m_language.codePage()));
    QString error;
    if (!WriteLanguageTemplate(lines, QDir::currentPath(), &error))
        std::fprintf(stderr, "%s\n", qPrintable(error));
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
    } else if (event->type() == QEvent::ToolTip && !widget->toolTip().isEmpty()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        // The examples of output control are laid out line by line and keep
        // their lines; every other hint wraps at 500 pixels.
        const bool wraps = widget->objectName() != QLatin1String("TntLabel9");
        QToolTip::showText(help->globalPos(),
                           HintForDisplay(widget->toolTip(), QToolTip::font(), wraps), widget,
                           QRect(), HintShowMs);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing is always allowed.
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
            std::fprintf(stderr, "The event log could not be saved: %s\n",
                         qPrintable(written.error));
        else if (written.usedFallback)
            std::fprintf(stderr, "The event log was saved to %s\n", qPrintable(written.path));
    }
    // The service mode's test numbers are saved here with production test
    // programming.
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
