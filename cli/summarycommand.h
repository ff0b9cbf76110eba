#pragma once

// ykt4m-cli summary: the settings summary of a template or of the attached
// module, in the template's language (the module's: the first language of
// the language file), as text on stdout or as a PDF file.

#include "cli/modulesession.h"

#include <QString>

namespace ykt {

// templatePath empty: the module's settings. pdfPath empty: text. The PDF
// needs a QGuiApplication.
int runSummaryCommand(const SessionOptions &options, const QString &templatePath,
                      const QString &pdfPath);

QString summaryCommandHelp();

} // namespace ykt
