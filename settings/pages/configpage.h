#pragma once

// One configuration page of the wizard, as the main window sees it. Every
// page (Users, GPRS Reporting, Inputs ...) derives from TConfigPage and fills
// in the verbs it needs; the window creates the pages in one place
// (createConfigPages), keeps them in a list and runs each verb across the
// list, so it never names a page's controls.
//
// The settings model is the truth: Show() puts the model on the controls,
// running the page's screen rules as a user change would; Commit() takes
// the controls back into the model. A page commits what the user changes as
// it changes (or at the latest when Commit() is called: leaving the page, a
// send, a template save), and then announces the change when other pages
// show a consequence of it. Whatever a page sends or saves is in the model
// after Commit(), so the send plan, the templates and the summary need no
// page.
//
// How a page is added:
// - settings/pages/<name>page.ui holds every control with its component name
//   as objectName (the language file addresses them by that name);
// - settings/pages/<name>page.{h,cpp}: class T<Name>Page : public TConfigPage,
//   constructed with the PageHost; it connects to host.announcer() for the
//   values it shows and implements the verbs below;
// - registers are packed and unpacked through settings/registers.h only;
// - one line in createConfigPages (settings/pages/configpages.cpp);
// - its records in the three languages of comps.txt;
// - tests/app/<name>page_test.cpp, through the real window on the virtual
//   module (tests/app/pagerig.h), and pure table tests of its rules.

#include "app/capabilities.h"
#include "settings/registers.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

class QComboBox;

namespace ykt {

class PageHost;
struct ModemRegisters;

// What the attached module is and what the program was started with, as far
// as the pages adapt to it at connect.
struct ModuleContext
{
    ModuleCapabilities capabilities;
    int firmwareVersion = 1133;
    bool pstnBoxes = false; // Settings.ini PSTN=1: the "Put same to PSTN" boxes
};

// Why a send may not start: the message to show and the page to open.
struct SendRefusal
{
    int message = 0;
    int page = 0;
};

class TConfigPage : public QWidget
{
    Q_OBJECT
public:
    TConfigPage(PageHost &host, int pageIndex, QWidget *parent = nullptr);

    // The page's position in the wizard (UsersPageIndex ...).
    int pageIndex() const { return m_pageIndex; }

    // Model -> controls, with the screen rules run. Called after a read
    // completed, a template was loaded or the factory default was applied.
    virtual void Show() {}
    // Controls -> model: everything the page sends or saves.
    virtual void Commit() {}
    // The page is left through the step list (or the window closes it);
    // by default its values are committed.
    virtual void Leave() { Commit(); }
    // The page is about to be shown.
    virtual void Enter() {}

    // A read of all settings has completed and the work mode the module
    // holds is applied; the values arrived one by one before.
    virtual void AfterRead() {}

    // The module's live state, as its state reports bring it.
    virtual void ShowState(const ModemRegisters &, quint8 /*outBufMessCount*/,
                           quint8 /*sentCounter*/)
    {}

    // The check before a send: empty when the page's values may be sent.
    virtual std::optional<SendRefusal> CheckBeforeSend() const { return std::nullopt; }

    // The rules of the window.
    virtual void ApplyWorkMode(WorkMode) {}
    virtual void ApplyCapabilities(const ModuleContext &) {}
    // The module's protection of its GPRS settings: locked hides what the
    // lock covers.
    virtual void ApplyLockView(bool) {}
    // The texts that come from messages rather than from the language's
    // control records.
    virtual void ApplyLanguageTexts() {}
    // The choice lists whose selected position survives a language choice
    // (the language file replaces their items).
    virtual QList<QComboBox *> KeptSelections() const { return {}; }

    // A widget the window blinks to draw the eye (the attention blink), or
    // nullptr.
    virtual QWidget *AttentionTarget() const { return nullptr; }

    // Whether tooltips on this control keep their own line breaks instead of
    // wrapping at the window's hint width.
    virtual bool KeepsHintLines(const QWidget *) const { return false; }

signals:
    // The page learnt that the module's lock of its GPRS settings changed
    // (an unlock went through) and applied its own part of the lock view:
    // the window applies it to the other pages and the main screen.
    void lockViewChanged(bool locked);

protected:
    PageHost &host() const { return m_host; }

private:
    PageHost &m_host;
    int m_pageIndex;
};

} // namespace ykt
