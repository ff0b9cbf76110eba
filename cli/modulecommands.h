#pragma once

// The command-line commands that talk to a module (or the virtual one):
//
//   read                 print the identity and every answer of a full read
//   default [--partial]  the factory default, the complete form checked by a read
//   backup OUT.tpl       read the module and save its settings as a template
//   restore IN.tpl       load a template over what the module holds, send it,
//                        read back and check every value
//
// Each returns the exit code: 0 only when everything it did went through (and,
// where it reads back, every value checked), 1 for a failure, 2 when no module
// was found or a file is missing, 3 for a password problem.

#include "cli/modulesession.h"

namespace ykt {

int runReadCommand(const SessionOptions &options);
int runDefaultCommand(const SessionOptions &options, bool partial);
int runBackupCommand(const SessionOptions &options, const QString &outPath);
int runRestoreCommand(const SessionOptions &options, const QString &inPath);

// The help lines of these commands, each ended by a line break.
QString moduleCommandsHelp();

} // namespace ykt
