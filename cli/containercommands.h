#pragma once

// The command-line subcommands for enciphered text files:
//
//   log show FILE.ykl          print the lines of a saved event log
//   template show FILE.tpl     print the lines of a template
//   template pack TEXT OUT.tpl encipher a plain text file of lines into a template
//   template diff A.tpl B.tpl  list the settings that differ, in words
//
// Lines are printed one per output line; a TAB is printed as it is, other
// bytes outside printable ASCII as \xHH and a backslash as \\. pack reads
// those two escapes back (any other backslash stays as it is), so what show
// prints packs back to the same file.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace ykt {

// args[0] is the subcommand word ("log" or "template"). Returns 0 on success,
// 1 when a file cannot be read or written, or when the file shown is not a
// log or template (with a message on err), 2 for a usage error (with the
// usage text on err). template diff returns 0 when the settings are the same,
// 1 when they differ (one line each on out) and 2 when a file is missing or
// not a template.
int runContainerCommand(const QStringList &args, QTextStream &out, QTextStream &err);

// True for the subcommand words runContainerCommand handles.
bool isContainerCommand(const QString &word);

// The usage lines of these subcommands, each ended by a line break.
QString containerCommandsHelp();

// A line as show prints it, and the line that pack makes of it.
QByteArray shownLine(const QByteArray &line);
QByteArray unshownLine(const QByteArray &text);

// The lines of the template at path; false with the reason when the file is
// missing, unreadable or not a template.
bool readTemplateLines(const QString &path, QList<QByteArray> *lines, QString *error);

// What a deciphered file must look like to be shown. The container has no
// check of its own, and a wrong file or passphrase gives random bytes, of
// which about one in nine is a control byte and '=' after a run of letters
// is rare. Texts are 8-bit, in any code page.
//
// A text line holds no control byte but TAB, Ctrl-Z and Esc (the modem's
// end and cancel of an SMS text), and no DEL.
bool isTextLine(const QByteArray &line);
// "Name=Value" with a name of ASCII letters, digits and '_'.
bool isNamedLine(const QByteArray &line);
// An event log: at least one line, every line one the program writes: modem
// traffic (">>" or "<<" and the text as the module sent it, control bytes
// included) or a register line ("MC55iCR:", a text line); empty lines pass.
bool looksLikeLogLines(const QList<QByteArray> &lines);
// A template: its first non-empty line and at least half of its non-empty
// lines are named lines. Values may hold any byte (texts read from a module),
// and a multi-line help text written by another copy of the program leaves
// stray lines without a name, which a reader ignores.
bool looksLikeTemplateLines(const QList<QByteArray> &lines);

} // namespace ykt
