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

bool openDocument(const QString &path)
{
    if (installed())
        return installed()(path);
    // A file that vanished meanwhile is the viewer's to report.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setDocumentOpener(DocumentOpener opener)
{
    installed() = std::move(opener);
}

} // namespace ykt
