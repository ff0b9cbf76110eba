#pragma once

// The settings summary as a rich-text document: its three tab stops, the
// underlined headings, bold labels and blue lines; printed once per copy, or
// written as a PDF file. Qt Gui only, so that the command line can export
// the PDF without widgets.

#include "settings/summary.h"

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace ykt {

// The document's tab stops, in pixels.
inline constexpr int SummaryTabStops[] = {50, 100, 350};

// Clears document and writes the summary into it. Every text goes in as
// plain text: a name holding "<b>" shows "<b>".
void fillSummaryDocument(QTextDocument *document, const Summary &summary);

// Paints the document on device (a printer or a PDF writer) copies times,
// each copy starting on a new page. False, with the reason, when the device
// cannot be painted on.
bool paintSummaryCopies(const QTextDocument &document, QPagedPaintDevice *device, int copies,
                        QString *error);

// Writes the document as a PDF file titled title. The file is replaced only
// once the whole PDF is written; false, with the reason, otherwise.
bool exportSummaryPdf(const QTextDocument &document, const QString &path, const QString &title,
                      QString *error);

} // namespace ykt
