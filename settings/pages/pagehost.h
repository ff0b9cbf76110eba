#pragma once

// What a configuration page needs from the window that holds it: the module
// driver, the settings model and its announcer, the current language's
// messages, the message box and the way to another page. The main window
// implements it; a page keeps a reference and knows nothing else about the
// window. How a page is built is written down in configpage.h.

#include "app/forms/dialogs.h"
#include "settings/summary.h"

#include <QByteArray>
#include <QMessageBox>
#include <QString>

namespace ykt {

class SettingsAnnouncer;
class TYKT2;
struct SettingsModel;

class PageHost
{
public:
    virtual ~PageHost() = default;

    virtual TYKT2 *driver() const = 0;
    virtual SettingsModel &model() = 0;
    // Raises stored(type, index) after each value has been put in the model
    // (an answer of the module, a template, the factory default), and
    // edited(area) after a page committed a change other pages depend on.
    virtual SettingsAnnouncer &announcer() const = 0;

    // Message number of the current language, in Unicode.
    virtual QString MessageW(int number) const = 0;
    // An 8-bit text of the current language for display, and back.
    virtual QString ToUnicode(const QByteArray &text) const = 0;
    virtual QByteArray FromUnicode(const QString &text) const = 0;
    // A translated message box through the dialog seam.
    virtual QMessageBox::StandardButton
    ShowMessageBox(const QString &text, DialogSeam::Icon icon,
                   QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;

    // Shows configuration page pageIndex (PageIndex of wizard/pagelist.h).
    virtual void GoToPage(int pageIndex) = 0;
    // Makes the Users page's "Alarm SMS" blink (the attention blink).
    virtual void StartAttentionBlink() {}

    // The settings summary of the model, in the captions the window shows.
    virtual Summary BuildSummary() { return {}; }

    // Whether the program runs in its service mode.
    virtual bool serviceMode() const { return false; }
    // The voice phrase file of the current language ("voice phrases/<name>.txt"
    // in the program's folder); empty while no language is known.
    virtual QString voicePhraseFile() const { return QString(); }
};

} // namespace ykt
