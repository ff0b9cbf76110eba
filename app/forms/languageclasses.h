#pragma once

// How the class names of the language file map onto the program's widgets:
// the one place that says which widget kinds answer to TTntLabel, TComboBox,
// ttntradiogroup, TVrLed, TMenuItem and the rest, how a control record's
// texts are applied to them, and which designer class name a widget carries
// for the language template. The table itself is in languageclasses.cpp.

#include "localization/codepages.h"
#include "localization/languagefile.h"
#include "localization/languagetools.h"

class QObject;

namespace ykt {

// The dynamic property that holds a widget's (or window's) font character
// set, the language's charset number, once a language has set it. Qt fonts
// have no character set; texts are converted when they are set, and later
// code that shows 8-bit texts in a control may read the number here.
inline constexpr char kFontCharsetProperty[] = "fontCharset";

// The dynamic property that names a widget's designer class when its
// component name does not say it (see DesignerClassOf).
inline constexpr char kDesignerClassProperty[] = "designerClass";

// What applying a record needs of the current language.
struct LanguageTextContext
{
    CodePage codePage = CodePage::Windows1250;
    qint32 charset = 0;
};

// Applies one control record to component by the record's class name. False,
// with component unchanged, when the class name is unknown or component does
// not answer to it (a TTntLabel record on a combo box, say).
bool ApplyControlRecord(QObject *component, const tkomponentas &record,
                        const LanguageTextContext &context);

// The designer class of a component: the kDesignerClassProperty when set,
// otherwise the class its component name begins with by the usual naming
// ("Label120" is a TLabel, "TntButton27" a TTntButton, "VrLedBusy" a TVrLed,
// "ComboBox28" a TComboBox), provided the widget answers to that class.
// Empty when neither says a class the widget answers to.
QByteArray DesignerClassOf(const QObject *component);

// The template's view of component: its name, designer class and 8-bit
// texts (converted back with page). False when it has no designer class.
bool TemplateControlOf(const QObject *component, CodePage page, TemplateControl *control);

} // namespace ykt
