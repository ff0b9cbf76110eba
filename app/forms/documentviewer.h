#pragma once

// Opening a document (the PDF manuals) with the desktop's viewer, behind a
// seam so that tests see what would be opened instead of starting a viewer.

#include <QString>

#include <functional>

namespace ykt {

// Returns whether a viewer was started.
using DocumentOpener = std::function<bool(const QString &path)>;

// Opens the file at path with the system's default viewer for its kind;
// false when no viewer could be started (none is installed).
bool openDocument(const QString &path);

// Installs another opener (tests); an empty one restores the desktop's.
void setDocumentOpener(DocumentOpener opener);

} // namespace ykt
