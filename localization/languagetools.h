#pragma once

// The translator's and developer's tools of the language file: the template
// of a new language (comps2.txt) made from the windows as they are, and the
// "Comps OK?" comparison of the languages' structures.

#include "localization/languagefile.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ykt {

// The file the template is written to, in the working folder.
inline constexpr char kLanguageTemplateFileName[] = "comps2.txt";
// The last report of the comparison.
inline constexpr char kCheckDoneText[] = "Done";
// Window positions the comparison keeps and compares.
inline constexpr int kCheckedWindowPositions = 21;

// A control as the template sees it: its component name, its designer class
// name and its texts, 8-bit.
struct TemplateControl
{
    QByteArray name;
    QByteArray className;
    QByteArray caption; // for TLabeledEdit the caption of its label
    QByteArray hint;
    QList<QByteArray> items; // combo box and radio group items
};

struct TemplateWindow
{
    QByteArray name;
    QByteArray caption;
    QList<TemplateControl> controls;
};

// The lines of the template: "%Lithuania" TAB "186" TAB smsTable, then per
// named window "=" name TAB caption and per control that has texts by its
// exact class name, and a caption that is not empty, "&" name TAB className
// TAB caption TAB hint:
//   TRadioButton, TToolButton, TSpeedButton, TPanel, TGroupBox, TLabel,
//   TCheckBox, TButton, TLabeledEdit: caption and hint;
//   TRadioGroup: caption, and as hint every item followed by a TAB;
//   TComboBox: as caption every item followed by a TAB, no hint;
//   any other class, the Unicode-capable Tnt classes included: nothing.
// The line of a combo box carries no separator before its (always empty)
// hint: the reader takes everything after a combo box's class name as its
// items, and that separator would read back as one more, empty, item.
QList<QByteArray> LanguageTemplateLines(qint32 smsTable, const QList<TemplateWindow> &windows);

// Writes the lines, each ended by CR LF, as comps2.txt in folder, replacing
// any file there. False with a message when the file cannot be written.
bool WriteLanguageTemplate(const QList<QByteArray> &lines, const QString &folder,
                           QString *error = nullptr);

// The comparison behind "Comps OK?": each reference count comes from the
// first language where that count is not zero (the number of windows, the
// number of control records at each window position up to 21, the number of
// messages); every language is compared with them. One report per
// difference, in order: the language name followed by
// " turi skirtinga kieki formu" (windows), the window name followed by
// " turi skirtinga kieki komponentu" (controls at a position), the language
// name followed by " turi skirtinga kieki zinuciu" (messages). Counts only:
// names and texts are never compared. The last report is always "Done".
struct LanguageCheckReport
{
    QByteArray text;   // 8-bit, in the code page of the language concerned
    int language = -1; // position of that language; -1 for "Done"
};
QList<LanguageCheckReport> CheckLanguageFile(const TKalbos &table);

} // namespace ykt
