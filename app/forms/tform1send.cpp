// TForm1 writing to the module: "Send data to Module" with the checks of the
// pages, the send plan written packet by packet behind the progress dialog,
// the read that follows and the check of what it brought back; and the
// question at close while the pages hold edits the module has not been sent;
// "Set settings to factory default" through the same runner.

#include "app/forms/tform1.h"

#include "app/forms/progressdialog.h"
#include "device/tykt2.h"
#include "settings/factorydefault.h"
#include "settings/pages/configpage.h"
#include "settings/readbackcheck.h"
#include "util/logging.h"
#include "util/pause.h"
#include "wizard/mainscreen.h"
#include "wizard/wizardtab.h"

#include <QCloseEvent>
#include <QPushButton>

namespace ykt {

void TForm1::CommitPages()
{
    for (TConfigPage *page : m_configPages)
        page->Commit();
    // The work mode is the main screen's; it travels in YKT2CR.
    m_model.security.ykt2cr = withWorkMode(m_model.security.ykt2cr, m_workMode);
}

bool TForm1::HasUnsentEdits()
{
    CommitPages();
    return !(m_model == m_reported);
}

void TForm1::noteReported()
{
    // What the pages show right after a read is what the module holds; a
    // later difference is an edit.
    CommitPages();
    m_reported = m_model;
}

SendContext TForm1::sendContext() const
{
    SendContext context;
    context.firmwareVersion = m_driver ? m_driver->FirmwareVersion() : context.firmwareVersion;
    context.settingsLocked = m_driver && m_driver->SettingsLocked();
    context.pstnBoxesShown = m_startup.pstnBoxes;
    context.templateLoaded = m_templateLoaded;
    context.workMode = m_workMode;
    context.conversionType = m_language.smsTable();
    return context;
}

void TForm1::SendToModule()
{
    if (m_sending || (m_driver && m_driver->Reading()))
        return;
    CommitPages();
    // The pages' checks, in their order: the first that fails says why and
    // opens its page; nothing is written.
    for (const TConfigPage *page : m_configPages) {
        if (const std::optional<SendRefusal> refusal = page->CheckBeforeSend()) {
            ShowMessageBox(MessageW(refusal->message), DialogSeam::Icon::Error);
            GoToPage(refusal->page);
            return;
        }
    }
    // Only what was read from this module, loaded from a template or typed
    // on top of either is written.
    if (!m_driver || !m_driver->Connected() || (!m_readCompleted && !m_templateLoaded)) {
        ShowMessageBox(MessageW(39), DialogSeam::Icon::Error);
        return;
    }
    const SendContext context = sendContext();
    const QList<SendStep> plan = buildSendPlan(m_model, context);
    qCDebug(lcUi) << "Sending" << plan.size() << "packets";

    if (!runPlan(plan))
        return;
    if (context.templateLoaded)
        m_templateLoaded = false;
    // The read that follows shows what the module now holds and is checked
    // against what was sent.
    m_sentPlan = plan;
    m_sentContext = context;
    m_verifyPending = true;
    StartPostConnectCheck();
}

bool TForm1::runPlan(const QList<SendStep> &plan)
{
    m_sending = true;
    m_form5->showFor(false);
    bool written = true;
    for (const SendStep &step : plan) {
        // Each write and pause lets the window go on: a close takes the
        // driver away, a removal ends the run at once, and nothing more is
        // written to whatever module appears next.
        TYKT2 *driver = m_driver.get();
        if (!driver || m_closeRequested ||
            !driver->WritePacket(step.packet, m_env.driverTimings.watchdogMs)) {
            written = false;
            qCWarning(lcUi) << "The writes stopped at" << step.name;
            break;
        }
        if (step.pauseAfterMs > 0)
            Pause(step.pauseAfterMs);
    }
    m_sending = false;
    if (!m_driver || m_closeRequested)
        return false; // the window closed meanwhile
    if (!written) {
        m_form5->hide();
        ShowMessageBox(MessageW(39), DialogSeam::Icon::Error);
        m_closeAfterSend = false;
        emit sendFinished(false);
    }
    return written;
}

void TForm1::FactoryDefaultPressed()
{
    if (ShowMessageBox(MessageW(24), DialogSeam::Icon::Question,
                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        FactoryDefault(true);
}

bool TForm1::FactoryDefault(bool complete)
{
    if (m_sending || !m_driver || !m_driver->Connected() || m_driver->Reading())
        return false;
    // The block of alarm options and a locked GPRS area are written as the
    // module reported them: a read must have completed.
    if (!m_readCompleted) {
        ShowMessageBox(MessageW(39), DialogSeam::Icon::Error);
        return false;
    }
    FactoryContext context;
    context.firmwareVersion = m_driver->FirmwareVersion();
    context.settingsLocked = m_driver->SettingsLocked();
    context.pstnBoxesShown = m_startup.pstnBoxes;
    context.complete = complete;
    context.conversionType = m_language.smsTable();
    context.message = [this](int number) { return Message(number); };
    // The model and the pages hold the factory values from now on, the work
    // mode Communicator with them.
    const QList<SendStep> plan = buildFactoryDefaultPlan(m_model, context);
    applyFactoryDefaults(m_model, context);
    ApplyWorkMode(WorkMode::Communicator);
    for (TConfigPage *page : m_configPages)
        page->Show();
    m_templateLoaded = false;
    if (!runPlan(plan))
        return false;
    if (!complete) {
        // Production test goes on with the dialog open; the model holds what
        // was written.
        noteReported();
        return true;
    }
    // The read that follows is checked against what was written.
    m_sentPlan = plan;
    m_sentContext = context.sendContext();
    m_verifyPending = true;
    StartPostConnectCheck();
    return true;
}

void TForm1::verifyReadBack()
{
    m_verifyPending = false;
    const QList<ReadBackDifference> differences =
        compareReadBack(m_sentPlan, m_model, m_sentContext);
    m_lastDifferences = differences;
    if (differences.isEmpty()) {
        ShowMessageBox(MessageOr(SettingsVerifiedMessage,
                                 "The settings were written to the module and read back: the "
                                 "module holds every value that was sent."),
                       DialogSeam::Icon::Information);
    } else {
        QString text = MessageOr(SettingsDifferMessage,
                                 "The settings were written, but the module holds other values "
                                 "than were sent:");
        for (const ReadBackDifference &d : differences)
            text += QStringLiteral("\n%1: %2 -> %3")
                        .arg(d.setting, ToUnicode(d.sent), ToUnicode(d.read));
        ShowMessageBox(text, DialogSeam::Icon::Warning);
    }
    emit sendFinished(differences.isEmpty());
    if (m_closeAfterSend && differences.isEmpty()) {
        m_closeAfterSend = false;
        close();
    }
}

bool TForm1::askAboutUnsentEdits()
{
    if (m_sending || (m_driver && m_driver->Reading()) || !HasUnsentEdits())
        return true;
    const auto answer = ShowMessageBox(
        MessageOr(UnsentChangesMessage,
                  "The settings you changed have not been sent to the module. Send them before "
                  "closing? Yes: send, No: close without sending, Cancel: go on editing."),
        DialogSeam::Icon::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No)
        return true;
    if (answer == QMessageBox::Yes) {
        // The window closes once the module holds what was sent.
        m_closeAfterSend = true;
        QMetaObject::invokeMethod(this, &TForm1::SendToModule, Qt::QueuedConnection);
    }
    return false;
}

} // namespace ykt
