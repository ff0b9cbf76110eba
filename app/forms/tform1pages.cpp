// TForm1 and its configuration pages: creating them, the work mode, the
// module's capabilities, entering and leaving the pages, the step list, the
// attention blink and the texts of the pages that come from messages.

#include "app/forms/tform1.h"

#include "app/forms/secondaryforms.h"

#include "device/tykt2.h"
#include "localization/codepages.h"
#include "refdata/ciddescriptions.h"
#include "settings/pages/configpage.h"
#include "settings/pages/configpages.h"
#include "settings/pages/notapplicable.h"
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
    connect(m_wizardTab->sendButton(), &QPushButton::clicked, this, &TForm1::SendToModule);
    connect(m_mainScreen->factoryDefaultButton(), &QPushButton::clicked, this,
            &TForm1::FactoryDefaultPressed);
    connect(m_mainScreen->loadTemplateButton(), &QPushButton::clicked, this, &TForm1::LoadTemplate);
    connect(m_wizardTab->saveTemplateButton(), &QPushButton::clicked, this, &TForm1::SaveTemplate);
    connect(m_wizardTab->printButton(), &QPushButton::clicked, this, &TForm1::PrintSummary);
    connect(m_wizardTab->exportPdfButton(), &QPushButton::clicked, this, &TForm1::ExportSummaryPdf);
    m_blink.setInterval(m_env.timings.blinkMs);

    PageResources resources;
    resources.apnList = &m_apnList;
    resources.cidDescriptions = &m_cid;
    resources.editSmsText = [this](const QString &text) { return m_form4->EditText(text); };
    m_configPages = createConfigPages(*this, resources);
    for (TConfigPage *page : m_configPages) {
        m_wizardTab->page(page->pageIndex())->setContent(page);
        // An unlock on the GPRS page reaches every page and the main screen.
        connect(page, &TConfigPage::lockViewChanged, this, &TForm1::applyLockView);
        // The pages start in the common state of the Communicator mode; the
        // main screen's captions keep their defaults until a mode is applied.
        page->ApplyWorkMode(WorkMode::Communicator);
    }
}

TConfigPage *TForm1::configPage(int pageIndex) const
{
    for (TConfigPage *page : m_configPages) {
        if (page->pageIndex() == pageIndex)
            return page;
    }
    return nullptr;
}

QByteArray TForm1::FromUnicode(const QString &text) const
{
    return ::ykt::FromUnicode(text, m_language.codePage());
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
    // The mode change shows the pages anew; what the user was editing is
    // committed first. (During a read the model holds the module's values,
    // which the controls must not overwrite.)
    if (!reading) {
        for (TConfigPage *page : m_configPages)
            page->Leave();
    }
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
    // 5, 7. Each page shows and hides its blocks and groups, rebuilds its
    // choice lists and (the Users page) shows the first phone number row.
    for (TConfigPage *page : m_configPages)
        page->ApplyWorkMode(mode);
    // 4, 6.
    showWorkModeTexts();
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
    ModuleContext context;
    context.capabilities = m_capabilities;
    context.firmwareVersion = m_driver ? m_driver->FirmwareVersion() : context.firmwareVersion;
    context.pstnBoxes = m_startup.pstnBoxes;
    for (TConfigPage *page : m_configPages)
        page->ApplyCapabilities(context);
    m_mainScreen->advancedButton()->setVisible(m_capabilities.advancedCapable);
}

void TForm1::applyLockView(bool locked)
{
    // The main screen's part of the lock view; the GPRS and Security pages
    // hide their protected fields with theirs.
    for (TConfigPage *page : m_configPages)
        page->ApplyLockView(locked);
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
    m_wizardTab->exportPdfButton()->hide();
    // 4, 5.
    m_pages->setCurrentIndex(PageWizard);
    m_wizardTab->showPage(UsersPageIndex);
}

void TForm1::GoToPage(int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= ConfigurationPageCount)
        return;
    if (TConfigPage *page = configPage(pageIndex))
        page->Enter();
    m_wizardTab->printButton()->setVisible(pageIndex == SummaryPageIndex);
    m_wizardTab->exportPdfButton()->setVisible(pageIndex == SummaryPageIndex);
    m_pages->setCurrentIndex(PageWizard);
    m_wizardTab->showPage(pageIndex);
}

void TForm1::onStepClicked(int pageIndex)
{
    const int current = m_wizardTab->currentPage();
    // 1. The page left keeps what its controls show (the focused phone
    // number row its boxes); the pages that show a consequence of it have
    // heard of each change already.
    if (TConfigPage *page = configPage(current))
        page->Leave();
    // 2. The summary is rebuilt by its page as it is entered.
    m_wizardTab->printButton()->setVisible(pageIndex == SummaryPageIndex);
    m_wizardTab->exportPdfButton()->setVisible(pageIndex == SummaryPageIndex);
    // 3.
    if (pageIndex < ConfigurationPageCount) {
        if (TConfigPage *page = configPage(pageIndex))
            page->Enter();
        m_wizardTab->showPage(pageIndex);
    }
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
    if (TConfigPage *users = configPage(UsersPageIndex))
        m_blink.start(users->AttentionTarget());
}

// --- Texts from messages ------------------------------------------------------------------

void TForm1::ApplyPageLanguageTexts()
{
    // 4. First, so that the pages' event lists take the new names.
    RefreshCIDTexts(m_cid, [this](int number) { return Message(number); });
    // 1-3, 5-7, 9. The pages' own texts: the hints, the list headers, the
    // captions of the inputs' and outputs' blocks.
    for (TConfigPage *page : m_configPages)
        page->ApplyLanguageTexts();
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
