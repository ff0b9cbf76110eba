#pragma once

// What a configuration page needs from the window that holds it: the module
// driver, the settings model, the current language's messages and the
// message box. The main window implements it; a page keeps a reference and
// knows nothing else about the window.
//
// How a page is built (the Users page, settings/pages/userspage.*, is the
// example to follow):
// - settings/pages/<name>page.ui holds every control with its component
//   name as objectName, so the language file can address it;
// - the page class T<Name>Page takes a PageHost and offers the same verbs:
//   Show... (model -> controls, running the screen rules), Commit... (controls
//   -> model), the rules as small private functions bound to the controls'
//   signals and called explicitly after a show, ApplyWorkMode /
//   ApplyCapabilities / ApplyLanguageTexts for the window, Send... for the
//   send sequence, and On<Answer> arrival handlers, called from the
//   receiver's stored() signal once the model holds the value;
// - register values are packed and unpacked through settings/registers.h
//   only; the page never shifts bits itself;
// - the window creates the page in TForm1::createPages, puts it into its
//   wizard page and calls its verbs from ApplyWorkMode, ApplyModuleCapabilities
//   and ApplyPageLanguageTexts;
// - tests go through the real window on the virtual module
//   (tests/app/<name>page_test.cpp).

#include "app/forms/dialogs.h"

#include <QByteArray>
#include <QMessageBox>
#include <QString>

namespace ykt {

class TYKT2;
class SettingsReceiver;
struct SettingsModel;

class PageHost
{
public:
    virtual ~PageHost() = default;

    virtual TYKT2 *driver() const = 0;
    virtual SettingsModel &model() = 0;
    // Raises stored(type, index) after each answer has been put in the model.
    virtual SettingsReceiver *receiver() const = 0;

    // Message number of the current language, in Unicode.
    virtual QString MessageW(int number) const = 0;
    // An 8-bit text of the current language for display, and back.
    virtual QString ToUnicode(const QByteArray &text) const = 0;
    // A translated message box through the dialog seam.
    virtual QMessageBox::StandardButton
    ShowMessageBox(const QString &text, DialogSeam::Icon icon,
                   QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;

    // Whether the first GPRS reporting channel is in use ("Used" rather than
    // "Not used").
    virtual bool firstReportingChannelUsed() const = 0;
};

} // namespace ykt
