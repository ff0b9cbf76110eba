// TForm1 and its configuration pages: creating them, the work mode, the
// module's capabilities, entering and leaving the pages, the step list, the
// attention blink and the texts of the pages that come from messages.

#include "app/forms/tform1.h"

#include "device/tykt2.h"
#include "refdata/ciddescriptions.h"
#include "settings/pages/notapplicable.h"
#include "settings/pages/userspage.h"
#include "settings/settingsreceiver.h"
#include "wizard/mainscreen.h"
#include "wizard/steplist.h"
#include "wizard/wizardtab.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

namespace ykt {

void TForm1::createPages()
{
    connect(m_mainScreen->languageList(), &QComboBox::currentIndexChanged, this,
            &TForm1::onLanguageListChanged);
    connect(m_mainScreen->manualButton(), &QPushButton::clicked, this,
            [this] { RefreshManualButton(true); });
    connect(m_mainScreen, &TMainScreen::workModePressed, this, &TForm1::onWorkModePressed);
    connect(m_mainScreen->manualConfigurationButton(), &QPushButton::clicked, this,
            &TForm1::OpenConfigurationPages);
    connect(m_wizardTab, &TWizardTab::stepClicked, this, &TForm1::onStepClicked);
    connect(m_wizardTab, &TWizardTab::cancelClicked, this, &TForm1::onWizardCancel);
    m_blink.setInterval(m_env.timings.blinkMs);

    m_usersPage = new TUsersPage(*this);
    m_wizardTab->page(UsersPageIndex)->setContent(m_usersPage);
    // The other pages take their places here as they come.

    // The pages start in the common state of the Communicator mode; the
    // main screen's captions keep their defaults until a mode is applied.
    m_usersPage->ApplyWorkMode(WorkMode::Communicator);
}

QComboBox *TForm1::languageList() const
{
    return m_mainScreen->languageList();
}

QPushButton *TForm1::manualButton() const
{
    return m_mainScreen->manualButton();
}

QLabel *TForm1::manualLabel() const
{
    return m_mainScreen->manualLabel();
}

QStackedWidget *TForm1::wizardPages() const
{
    return m_wizardTab->container();
}

bool TForm1::firstReportingChannelUsed() const
{
    // Until the GPRS page holds the channel choice, the module's register says.
    return unpackTCPCR(m_model.gprs.tcpcr, 3).channel1Used;
}

// --- The work mode ---------------------------------------------------------------------

void TForm1::onWorkModePressed(WorkMode mode)
{
    const bool reading = m_driver && m_driver->Reading();
    // During a read, or once the question was accepted, the mode changes at once.
    if (!reading && !m_modeChangeConfirmed) {
        const auto answer = ShowMessageBox(MessageW(80), DialogSeam::Icon::Question,
                                           QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            m_mainScreen->restoreWorkMode(m_workMode);
            return;
        }
        m_modeChangeConfirmed = true;
    }
    // The mode change shows the first phone number row; the row the user was
    // editing keeps what its boxes show. (During a read the model holds the
    // module's values, which the boxes of an earlier row must not overwrite.)
    if (!reading)
        m_usersPage->LeavePage();
    ApplyWorkMode(mode);
}

void TForm1::ApplyWorkMode(WorkMode mode)
{
    // 1.
    m_workMode = mode;
    // 2, 3. Every page returns to the common state, then takes what the mode
    // adds or removes.
    m_wizardTab->setPageSkipped(PhrasesPageIndex, false);
    const bool advanced = mode == WorkMode::AdvancedCommunicator;
    m_wizardTab->setPageSkipped(InputsPageIndex, advanced);
    m_usersPage->ApplyWorkMode(mode);
    // The Inputs, Outputs, Outputs-control, Advanced and Phrases pages apply
    // their blocks and groups here as they come.
    // 4, 6.
    showWorkModeTexts();
    // 5. The first phone number row.
    m_usersPage->SelectFirstRow();
    // 7. The choice lists of the input functions, events and output
    // functions are rebuilt by their pages.
}

void TForm1::showWorkModeTexts()
{
    // The mode's radio button checked with the caption colours, its caption
    // in the step list's mode label, its description on the main screen.
    m_mainScreen->showWorkMode(m_workMode,
                               MessageW(m_workMode == WorkMode::Communicator ? 54 : 142));
    m_wizardTab->stepList()->modeLabel()->setText(m_mainScreen->radioButtonOf(m_workMode)->text());
}

void TForm1::ApplyModuleCapabilities()
{
    const bool basic = m_capabilities.basicModel;
    m_wizardTab->setPageSkipped(OutputsPageIndex, basic);
    m_wizardTab->setPageSkipped(OutputsControlPageIndex, basic);
    m_usersPage->ApplyCapabilities(m_capabilities);
    // Relay-less models lose the relay blocks of the output pages there.
    m_mainScreen->advancedButton()->setVisible(m_capabilities.advancedCapable);
}

void TForm1::applyLockView()
{
    // The main screen's part of the lock view; the GPRS and Security pages
    // hide their protected fields with theirs.
    const bool locked = m_driver->SettingsLocked();
    m_mainScreen->factoryDefaultButton()->setVisible(!locked);
    for (QWidget *templateButton : {static_cast<QWidget *>(m_mainScreen->loadTemplateButton()),
                                    static_cast<QWidget *>(m_wizardTab->saveTemplateButton())}) {
        templateButton->setVisible(!locked);
        setNotApplicable(templateButton, locked);
    }
}

// --- Entering, moving through and leaving the pages ---------------------------------------

void TForm1::OpenConfigurationPages()
{
    // 1.
    m_modeChangeConfirmed = false;
    // 2.
    m_wizardTab->prepareHeaders();
    // 3.
    m_wizardTab->sendButton()->show();
    showUnlessNotApplicable(m_wizardTab->saveTemplateButton(), true);
    m_wizardTab->manageMessagesButton()->hide();
    m_wizardTab->printButton()->hide();
    // 4, 5.
    m_pages->setCurrentIndex(PageWizard);
    m_wizardTab->showPage(UsersPageIndex);
}

void TForm1::GoToPage(int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= ConfigurationPageCount)
        return;
    m_pages->setCurrentIndex(PageWizard);
    m_wizardTab->showPage(pageIndex);
}

void TForm1::onStepClicked(int pageIndex)
{
    const int current = m_wizardTab->currentPage();
    // 1. The focused phone number row keeps what its boxes show.
    if (current == UsersPageIndex) {
        m_usersPage->LeavePage();
        // Going to the GPRS page, its list of SMS backup numbers is refreshed
        // there once it exists.
    }
    // 2. The summary is rebuilt by its page (not from the Phrases page).
    m_wizardTab->printButton()->setVisible(pageIndex == SummaryPageIndex);
    // 3.
    if (pageIndex < ConfigurationPageCount)
        m_wizardTab->showPage(pageIndex);
}

void TForm1::onWizardCancel()
{
    // An Esc press is consumed here and leaves the pages open.
    const bool escape = m_pendingChecks & EscapePressed;
    m_pendingChecks &= ~EscapePressed;
    if (!escape)
        m_pages->setCurrentIndex(PageMainScreen);
}

void TForm1::StartAttentionBlink()
{
    m_blink.start(m_usersPage->AlarmSmsBox());
}

// --- Texts from messages ------------------------------------------------------------------

void TForm1::ApplyPageLanguageTexts()
{
    // 1. The remote-control list's header comes with the Outputs-control page.
    // 2, 9. The Users page's hints.
    m_usersPage->ApplyLanguageTexts();
    // 3, 5, 6, 7. The captions of the inputs' and outputs' blocks come with
    // their pages.
    // 4.
    RefreshCIDTexts(m_cid, [this](int number) { return Message(number); });
    // 8. A message the language leaves empty keeps the default title.
    for (int i = 0; i < ConfigurationPageCount; ++i) {
        const ConfigurationPage &p = ConfigurationPages[i];
        QString title = MessageW(p.titleMessage);
        if (title.isEmpty())
            title = QLatin1String(p.defaultTitle);
        m_wizardTab->setPageTexts(i, title, MessageW(p.subtitleMessage));
    }
    m_wizardTab->setContainerButtonTexts(MessageW(71), MessageW(72), MessageW(73));
    m_wizardTab->stepList()->layOut();
    // 10.
    showWorkModeTexts();
    // 11. Qt widgets show Unicode; the texts were converted when applied.
}

} // namespace ykt
