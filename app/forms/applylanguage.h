#pragma once

// A language of the table applied to the program's windows by component
// name, and the windows as the language template sees them.

#include "localization/languagestate.h"
#include "localization/languagetools.h"

#include <QList>

class QObject;
class QWidget;

namespace ykt {

// Finds the language named name exactly, makes it current and applies its
// texts: each window record to the window with that component name, each
// control record to the component of that window with that name (letter
// case ignored in both), by the record's class (languageclasses.cpp). Records
// whose window or component does not exist, or whose component does not fit
// the class, are skipped; the rest are still applied. Texts the language does
// not name stay as they are. False, changing nothing, when no language has
// this name.
bool ApplyLanguage(LanguageState &state, const QByteArray &name, const QList<QWidget *> &windows);

// The component of window named name (letter case ignored): any object under
// it, widgets and actions, but not inside another window; the first one found
// when a name is used twice. Null when there is none.
QObject *FindComponent(QWidget *window, const QByteArray &name);

// The windows and their components with a designer class, their texts
// converted back to 8-bit with page, for LanguageTemplateLines.
QList<TemplateWindow> TemplateWindowsOf(const QList<QWidget *> &windows, CodePage page);

} // namespace ykt
