#include "app/forms/documentviewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace ykt {

namespace {

DocumentOpener &installed()
{
    static DocumentOpener opener;
    return opener;
}

} // namespace

void openDocument(const QString &path)
{
    if (installed()) {
        installed()(path);
        return;
    }
    // A file that vanished meanwhile is the viewer's to report.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setDocumentOpener(DocumentOpener opener)
{
    installed() = std::move(opener);
}

} // namespace ykt
