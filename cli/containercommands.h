#pragma once

// The command-line subcommands for enciphered text files:
//
//   log show FILE.ykl          print the lines of a saved event log
//   template show FILE.tpl     print the lines of a template
//   template pack TEXT OUT.tpl encipher a plain text file of lines into a template
//
// Lines are printed one per output line; bytes outside printable ASCII are
// shown as \xHH and a backslash as \\.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace ykt {

// args[0] is the subcommand word ("log" or "template"). Returns 0 on success,
// 1 when a file cannot be read or written (with a message on err), 2 for a
// usage error (with the usage text on err).
int runContainerCommand(const QStringList &args, QTextStream &out, QTextStream &err);

// True for the subcommand words runContainerCommand handles.
bool isContainerCommand(const QString &word);

// The usage lines of these subcommands, each ended by a line break.
QString containerCommandsHelp();

} // namespace ykt
