#pragma once

// TForm1, the main window "YKT4M Loader": the page control with its seven
// pages, the status bar, the start picture shown while no module is attached,
// and the life of a connection: what attaching and removing a module does,
// the post-connect check with the USB password, the read of all settings with
// its progress dialog, the live status and the event log of the module's modem
// traffic.
//
// The module driver is created here and lives as long as the window; every
// driver event is bound to a handler. 100 ms after the window is created the
// language file is read, the Contact ID descriptions loaded and the language
// chosen in Settings.ini applied; the language list on the main screen
// changes it, and the manual button opens the manual of the language.
//
// The settings model lives here for the whole run. Every settings answer of
// the module is stored into it by the settings receiver, which then tells the
// pages; the pages are placed in the wizard's container and reach the driver,
// the model and the messages through the PageHost interface that this window
// implements. The main screen chooses the work mode; the window applies it,
// and the module's capabilities, across the pages.

#include "app/capabilities.h"
#include "app/eventlog.h"
#include "app/forms/dialogs.h"
#include "app/forms/environment.h"
#include "app/settingsini.h"
#include "localization/languagestate.h"
#include "refdata/apnlist.h"
#include "refdata/ciddescriptions.h"
#include "settings/pages/pagehost.h"
#include "settings/readbackcheck.h"
#include "settings/registers.h"
#include "settings/sendplan.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "templates/templatecodec.h"
#include "wizard/attentionblink.h"

#include <QDateTime>
#include <QMainWindow>
#include <QTimer>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabWidget;

namespace ykt {

class HidTransport;
class Lamp;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TLogPage;
class SettingsReceiver;
class TConfigPage;
class TPopupForm;
class TProductionTest;
class TYKT2;
class TMainScreen;
class TWizardTab;

// A hint as it is shown: a plain text wider than HintWrapWidth pixels in
// font is set as rich text that wraps at that width (its line breaks kept);
// anything else, and every hint when wrap is false, stays as it is.
inline constexpr int HintWrapWidth = 500;
QString HintForDisplay(const QString &hint, const QFont &font, bool wrap);

class TForm1 : public QMainWindow, public PageHost
{
    Q_OBJECT
    // Production test programming runs on the factory default's writes.
    friend class TProductionTest;

public:
    // Page positions in the page control.
    enum Page
    {
        PageLog = 0,
        PageReporting = 1,
        PageInputsOutputs = 2,
        PageNames = 3,
        PageMainScreen = 4,
        PageWizard = 5,
        PageSpare = 6,
        PageCount = 7
    };

    // Bits of the pending-checks word.
    static constexpr int EscapePressed = 2;
    static constexpr int ProtectedCheckPending = 4;

    // The program's own title: the main window's built-in caption and the
    // title of the plain message box.
    static constexpr char ProgramTitle[] = "YKT4M Loader";
    // What follows the main window's caption.
    static constexpr char VersionSuffix[] = " v.3.10";

    static constexpr int ClientWidth = 904;
    static constexpr int ClientHeight = 644;

    TForm1(std::unique_ptr<HidTransport> transport, AppEnvironment environment,
           QWidget *parent = nullptr);
    ~TForm1() override;

    // PageHost.
    TYKT2 *driver() const override { return m_driver.get(); }
    SettingsModel &model() override { return m_model; }
    SettingsAnnouncer &announcer() const override { return m_announcer; }
    const SettingsModel &settings() const { return m_model; }
    const AppEnvironment &environment() const { return m_env; }
    const StartupSettings &startupSettings() const { return m_startup; }
    bool serviceMode() const override { return m_startup.serviceMode; }
    QString voicePhraseFile() const override;
    bool offlineEditing() const { return m_startup.offlineEditing; }

    // The language table and the current language.
    const LanguageState &language() const { return m_language; }
    // Message number of the current language, 8-bit; empty outside 1 to the
    // number of messages, and while no language file has been read.
    QByteArray Message(int number) const { return m_language.Message(number); }
    // The same in Unicode, through the current language's code page.
    QString MessageW(int number) const override { return m_language.MessageW(number); }
    // An 8-bit text of the current language for display.
    QString ToUnicode(const QByteArray &text) const override { return m_language.toUnicode(text); }
    QByteArray FromUnicode(const QString &text) const override;

    // A message box through the dialog seam. Its title is message 29 for a
    // warning, 26 for an error, 27 for information and 28 for a confirmation
    // (Icon::Question); Yes, No and Cancel carry messages 30, 31 and 32 (the
    // toolkit's own captions while those are empty); OK keeps its own.
    QMessageBox::StandardButton
    ShowMessageBox(const QString &text, DialogSeam::Icon icon,
                   QMessageBox::StandardButtons buttons = QMessageBox::Ok) override;
    // The plain box: a title (the program's when empty), an untranslated
    // text and OK.
    void ShowPlainMessage(const QString &text, const QString &title = QString());
    // Message number of the current language, or the English text while the
    // language has none (an older language file).
    QString MessageOr(int number, const char *english) const;
    // The same with %1.. filled from arguments; one the translation left out
    // is added at its end.
    QString MessageOr(int number, const char *english, const QStringList &arguments) const;

    // Messages after the last one of the first language files.
    static constexpr int UnsentChangesMessage = 156;
    static constexpr int PasswordPromptTitleMessage = 157;
    static constexpr int PasswordPromptLabelMessage = 158;
    static constexpr int PasswordRejectedMessage = 159;
    static constexpr int ManualNotOpenedMessage = 160;
    static constexpr int LanguageTemplateWrittenMessage = 161;
    static constexpr int SettingsVerifiedMessage = 162;
    static constexpr int SettingsDifferMessage = 163;
    static constexpr int PrinterNotStartedMessage = 164;
    static constexpr int PdfNotWrittenMessage = 165;
    static constexpr int TemplateNotSavedMessage = 166;
    static constexpr int SummaryExportedMessage = 167;
    static constexpr int FileNotOpenedMessage = 168;
    static constexpr int NoTemplateMessage = 169;

    // The language choice: applies the language named name (when there is
    // one), puts the version after the caption, stores the name in
    // Settings.ini and refreshes what depends on the language. byUser: the
    // user chose it in the language list, so choosing the current language
    // again changes nothing.
    void SelectLanguage(const QByteArray &name, bool byUser);
    // The manual button: Manuals/<language>.pdf beside the program, else
    // Manuals/English.pdf; hidden when neither exists. open: also opens it.
    void RefreshManualButton(bool open);
    // "Comps OK?": compares the languages' structures, one plain box per
    // difference, then "Done".
    void CheckLanguageFile();
    // "Generate LangFile": writes comps2.txt to the working folder.
    void GenerateLanguageTemplate();

    // The windows a language addresses: Form1 ... Form6 and PopupForm.
    QList<QWidget *> languageWindows() const;
    QComboBox *languageList() const;
    QPushButton *manualButton() const;
    QLabel *manualLabel() const;
    // The Contact ID event table read at start-up.
    const TCIDDescriptions &cidDescriptions() const { return m_cid; }
    // The start-up language handling has run (whatever its outcome).
    bool languageStartupDone() const { return m_languageStartupDone; }

    // Arms Timer2: the post-connect check runs 100 ms later and starts a read.
    void StartPostConnectCheck();

    // --- Sending ---
    // "Send data to Module": the pages' checks, then the send plan behind the
    // progress dialog, then a read whose result is checked against what was
    // sent; sendFinished() tells the outcome.
    void SendToModule();
    // Every page's controls into the model, and the work mode into YKT2CR:
    // what a send writes and a template saves.
    void CommitPages();
    // Whether the pages hold values the module has not been given since it
    // last reported its settings.
    bool HasUnsentEdits();
    // "Set settings to factory default": message 24, then FactoryDefault(true).
    void FactoryDefaultPressed();
    // The factory default: the model and the pages set to the factory values
    // and written; the complete form reads back and checks (sendFinished),
    // the partial one (production test) keeps the progress dialog open.
    // False when nothing or not everything was written.
    bool FactoryDefault(bool complete);
    // What the plan is built with for this module now.
    SendContext sendContext() const;
    bool sending() const { return m_sending; }
    // The differences the last check after a send found.
    const QList<ReadBackDifference> &lastDifferences() const { return m_lastDifferences; }

    // --- Templates ---
    // "Save New Template": the pages' settings into a template file.
    void SaveTemplate();
    // "Load Template": a template's settings onto the pages (nothing is
    // written to the module); a file that cannot be used changes nothing.
    void LoadTemplate();
    // Where the template choosers start: the program folder, or the user's
    // documents when that is not writable.
    QString templateFolder() const;
    // The file name of the template last loaded; empty since the module
    // was attached.
    QString openedTemplate() const { return m_openedTemplate; }

    // --- The summary ---
    // The summary of what the pages show, in the captions of their controls.
    Summary BuildSummary() override;
    // "Print": the printer dialog, then the summary once per copy asked for.
    void PrintSummary();
    // "Export PDF...": the summary as a PDF file.
    void ExportSummaryPdf();
    // The title of the printed summary: the module's product name and
    // " settings".
    QString summaryTitle() const;

    // --- The work mode and the configuration pages. ---
    WorkMode CurrentWorkMode() const { return m_workMode; }
    // Switches every page to a work mode.
    void ApplyWorkMode(WorkMode mode);
    // Shows and hides what the attached module can or cannot do.
    void ApplyModuleCapabilities();
    // "Manual Configuration": the configuration pages from the Users page on.
    void OpenConfigurationPages();
    // Shows a configuration page and highlights its step label.
    void GoToPage(int pageIndex) override;
    // The blink of "Alarm SMS" on the Users page.
    void StartAttentionBlink() override;
    // The texts of the configuration pages that come from messages rather
    // than from the language's control records.
    void ApplyPageLanguageTexts();
    bool modeChangeConfirmed() const { return m_modeChangeConfirmed; }

    // Parts of the window, for the pages to come and for tests.
    QTabWidget *pageControl() const { return m_pages; }
    TLogPage *logPage() const { return m_logPage; }
    QStackedWidget *wizardPages() const;
    TMainScreen *mainScreen() const { return m_mainScreen; }
    TWizardTab *wizardTab() const { return m_wizardTab; }
    // The configuration pages, in the order they were created, and the page
    // at a page index (nullptr where there is none yet).
    const QList<TConfigPage *> &configPages() const { return m_configPages; }
    TConfigPage *configPage(int pageIndex) const;
    // The APN list read from APN.txt at the window's creation.
    const TAPNList &apnList() const { return m_apnList; }
    const TAttentionBlink &attentionBlink() const { return m_blink; }
    QLabel *statusCaption() const { return m_statusCaption; }
    QLabel *modemDataPanel() const { return m_modemData; }
    Lamp *statusMonitoringLamp() const { return m_statusMonitoring; }
    QLabel *startPicture() const { return m_startPicture; }
    QLabel *connectLabel() const { return m_connectLabel; }
    TForm2 *form2() const { return m_form2; }
    TForm3 *form3() const { return m_form3; }
    TForm4 *form4() const { return m_form4; }
    TForm5 *form5() const { return m_form5; }
    TForm6 *form6() const { return m_form6; }
    TPopupForm *popupForm() const { return m_popup; }
    TProductionTest *productionTest() const { return m_productionTest; }

    const QList<QByteArray> &eventLog() const { return m_eventLog; }
    const ModuleCapabilities &capabilities() const { return m_capabilities; }
    int pendingChecks() const { return m_pendingChecks; }
    bool templateLoaded() const { return m_templateLoaded; }
    QDateTime startTime() const { return m_startTime; }
    // How long the last refresh after a read took, in milliseconds.
    double lastRefreshMs() const { return m_lastRefreshMs; }
    // Where the event log went at close (empty when none was written).
    QString writtenLogPath() const { return m_writtenLog; }

signals:
    // The refresh after a completed read has run.
    void settingsRefreshed();
    // A read has failed and message 39 was shown.
    void readFailed();
    // SelectLanguage has run through.
    void languageSelected();
    // A send ended: written and read back with every value as sent (true),
    // or failed or read back with differences (false).
    void sendFinished(bool verified);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildStatusBar();
    void createSecondaryWindows();
    // The pages in the wizard's container, bound to the model's receiver.
    void createPages();
    void createDriver(std::unique_ptr<HidTransport> transport);
    void bindDriverEvents();
    void setPageButtons(bool log, bool mainScreen);
    void showPageArea(bool visible);
    void readSettingsFile();

    // The language.
    void startLanguage();
    bool loadContactIdDescriptions();
    void onLanguageListChanged(int index);
    void writeLanguageSetting(const QByteArray &name);
    QString captionOf(const char *buttonName) const;
    void refreshModuleCaption();
    // What SelectLanguage refreshes beyond the controls the language names
    // and the pages' message texts; the pages add theirs as they come.
    void refreshInputsAndOutputs();
    void reloadVoicePhrases();

    // Driver events.
    void OnConnect();
    void OnDisconnect();
    void OnState(quint8 mc55iFlags, quint8 mc55iCR, quint8 mc55iSR, quint16 tcpsr,
                 quint8 outBufMessCount, quint8 sentCounter);
    void OnModemData(const QByteArray &output);
    void OnUsart(const QByteArray &output, bool outGoing);
    void onAccessProblem(const QString &reason);

    // The main screen and the wizard.
    void onWorkModePressed(WorkMode mode);
    void showWorkModeTexts();
    void onStepClicked(int pageIndex);
    void onWizardCancel();
    void applyLockView(bool locked);

    // Timers.
    void refreshStatus();
    void postConnectCheck();
    void pollRead();
    void refreshAfterRead();

    // Sending.
    void noteReported();
    void verifyReadBack();
    // Writes a plan behind the progress dialog; false (message 39 shown
    // unless the window closed) when a packet did not go out.
    bool runPlan(const QList<SendStep> &plan);
    // At close: false when the user keeps the window (or sends first).
    bool askAboutUnsentEdits();

    // Templates.
    TemplateContext templateContext() const;
    void showOpenedTemplate();

    // Close request and close.
    void closeRequest();
    void closeSteps();
    void terminateNow();

    AppEnvironment m_env;
    StartupSettings m_startup;
    std::unique_ptr<TYKT2> m_driver;

    QScrollArea *m_scroll = nullptr;
    QTabWidget *m_pages = nullptr;
    TLogPage *m_logPage = nullptr;
    TMainScreen *m_mainScreen = nullptr;
    TWizardTab *m_wizardTab = nullptr;
    QList<TConfigPage *> m_configPages;
    QLabel *m_startPicture = nullptr;
    QLabel *m_connectLabel = nullptr;
    QLabel *m_noticeLabel = nullptr;
    QLabel *m_statusCaption = nullptr;
    QLabel *m_modemData = nullptr;
    Lamp *m_statusMonitoring = nullptr;

    TForm2 *m_form2 = nullptr;
    TForm3 *m_form3 = nullptr;
    TForm4 *m_form4 = nullptr;
    TForm5 *m_form5 = nullptr;
    TForm6 *m_form6 = nullptr;
    TPopupForm *m_popup = nullptr;
    TProductionTest *m_productionTest = nullptr;

    QTimer m_statusTimer; // the 200 ms status refresh
    QTimer m_timer2;      // post-connect check
    QTimer m_timer6;      // read completion poll
    QTimer m_changeSettingsTimer;
    QTimer m_protectedCheck;
    QTimer m_languageTimer; // the language, 100 ms after start

    SettingsModel m_model;
    mutable SettingsAnnouncer m_announcer;
    std::unique_ptr<SettingsReceiver> m_receiver;
    TAPNList m_apnList;
    WorkMode m_workMode = WorkMode::Communicator;
    bool m_modeChangeConfirmed = false;
    TAttentionBlink m_blink;

    LanguageState m_language;
    TCIDDescriptions m_cid;
    // The main window's caption as the language left it, without the version.
    QString m_baseCaption;
    bool m_languageStartupDone = false;

    QDateTime m_startTime;
    QList<QByteArray> m_eventLog;
    ModemRegisters m_registers;
    ModuleCapabilities m_capabilities;
    int m_pendingChecks = 0;
    bool m_templateLoaded = false;
    QString m_openedTemplate;
    double m_lastRefreshMs = 0;
    bool m_passwordSubmitted = false; // the post-connect check gave the module a password
    bool m_readCompleted = false;     // this connection completed a read
    bool m_sending = false;
    bool m_verifyPending = false; // the read running follows a send
    bool m_closeAfterSend = false;
    SettingsModel m_reported; // the model as the module last reported it
    QList<SendStep> m_sentPlan;
    SendContext m_sentContext;
    QList<ReadBackDifference> m_lastDifferences;
    bool m_closeRequested = false;
    bool m_closed = false;
    bool m_terminated = false;
    QString m_writtenLog;
};

} // namespace ykt
