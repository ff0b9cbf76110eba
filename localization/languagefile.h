#pragma once

// comps.txt: every language of the program in one 8-bit text file, read into
// the language table TKalbos.
//
// Lines end at CR LF, CR or LF; the first character of a line says what it is:
//
//   %name TAB charset TAB smsTable            a language
//   =name TAB caption                         a window of the last language
//   &name TAB className TAB text1 [TAB text2] a control of the last window
//   $text                                     the next message of the last language
//
// Any other line, and an empty one, is ignored. Fields are split by the rule
// of SplitField below. The class name decides how the rest of a control line
// is cut:
//   tcombobox, ttntcombobox (any letter case): text1 is everything after the
//     class name, the items with their TABs; text2 stays empty;
//   tradiogroup, ttntradiogroup (any letter case): text1 is the caption,
//     text2 everything after it (the items with their TABs);
//   any other class: text1 is the caption, text2 the hint, the rest is dropped.
// A message ends at its first TAB.
//
// A line is bad when a language's charset or smsTable is not a decimal
// number (the whole table is then emptied), a window, control or message has
// no language before it, a control has no window of its language before it,
// or a window name, control name, class name or message text is empty. The
// first bad line ends the reading; what was read before it stays.

#include "util/fields.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ykt {

// Longest names and captions kept from the file; longer ones are cut.
inline constexpr int kLanguageNameLength = 30;
inline constexpr int kComponentNameLength = 30;
inline constexpr int kCaptionLength = 100;

// The file the program reads at start-up, in its own folder.
inline constexpr char kLanguageFileName[] = "comps.txt";
// What follows the line number in the error text of a bad line.
inline constexpr char kBadLineText[] = " bloga eilute RQMcomps.txt";
// What precedes the file name when the file is missing or unreadable.
inline constexpr char kNotFoundText[] = "Not found ";

// One control of a window.
struct tkomponentas
{
    QByteArray name;      // component name inside its window
    QByteArray className; // decides how text1 and text2 are applied
    QByteArray text1;     // caption; a combo box's items, TAB-separated
    QByteArray text2;     // hint; a radio group's items, TAB-separated
};

// One window of a language.
struct tforma
{
    QByteArray name; // Form1 ... Form6, PopupForm
    QByteArray caption;
    QList<tkomponentas> components;
};

// One numbered message: never empty, never holds a TAB.
using tsoobshenije = QByteArray;

// One language.
struct tkalba
{
    QByteArray name; // as shown in the language list; compared with case
    qint32 charset = 0;
    qint32 smsTable = 0;
    QList<tforma> forms;
    QList<tsoobshenije> messages; // message 1 first
};

using TKalbos = QList<tkalba>;

// The outcome of reading a language file.
struct LanguageFileResult
{
    bool ok = false;
    QString error;   // "Not found comps.txt", "12 bloga eilute RQMcomps.txt"; empty when ok
    int badLine = 0; // 1-based, counting every line; 0 when there is none
};

// Reads the file at path into table (emptied first).
LanguageFileResult LoadLanguageFile(const QString &path, TKalbos &table);
// The same on the file's bytes.
LanguageFileResult ParseLanguageFile(const QByteArray &content, TKalbos &table);

// The pieces of an item list: taken while anything remains, so a trailing TAB
// gives no empty last item and two TABs in a row give an empty item.
QList<QByteArray> SplitItems(const QByteArray &list);
QStringList SplitItems(const QString &list);

// The language a template names: the first one whose name contains name,
// without regard to case; -1 when none does (an empty name never matches).
int FindLanguageContaining(const TKalbos &table, const QByteArray &name);

// A decimal integer as the file holds it: an optional sign and digits only,
// within 32 bits.
bool ParseStrictInt(const QByteArray &text, qint32 *value);

} // namespace ykt
