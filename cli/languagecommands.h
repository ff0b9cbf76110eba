#pragma once

// The command-line subcommand for language files:
//
//   lang check [FILE]   read FILE (default comps.txt beside the program) as the
//                       loader does, list its languages and compare them
//
// Each language is printed with its charset (and the code page it selects),
// smsTable and its numbers of windows, control records and messages; then the
// comparison of "Comps OK?", one line per difference, ending with "Done".

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace ykt {

// args[0] is "lang". programFolder is where FILE is looked for when none is
// given. Returns 0 when the languages agree, 3 when the comparison found
// differences, 1 when the file is missing or has a bad line (the loader's
// error text on err) or holds no language, 2 for a usage error.
int runLanguageCommand(const QStringList &args, const QString &programFolder, QTextStream &out,
                       QTextStream &err);

// True for the subcommand word runLanguageCommand handles.
bool isLanguageCommand(const QString &word);

// The usage lines of this subcommand, each ended by a line break.
QString languageCommandsHelp();

} // namespace ykt
