#include "util/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace ykt {

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (path.isEmpty())
        return fail(error, QStringLiteral("Cannot write a file without a name"));
    if (info.isDir())
        return fail(error, QStringLiteral("Cannot write %1: it is a folder").arg(shown));
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder))
        return fail(error, QStringLiteral("Cannot write %1: the folder %2 cannot be created")
                               .arg(shown, QDir::toNativeSeparators(folder)));

    // Unbuffered, so that a short write (a full disk) shows in the count that
    // write() returns; through the buffer it would go unnoticed and commit()
    // would put a cut-off file in place of the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, QStringLiteral("Cannot write %1: %2").arg(shown, file.errorString()));
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        // A short write sets no error of its own; it usually means a full disk.
        const QString reason = file.error() == QFileDevice::NoError
                                   ? QStringLiteral("is the disk full?")
                                   : file.errorString();
        file.cancelWriting();
        return fail(error, QStringLiteral("Cannot write %1: only %2 of %3 bytes written, %4")
                               .arg(shown)
                               .arg(std::max<qint64>(written, 0))
                               .arg(bytes.size())
                               .arg(reason));
    }
    if (!file.commit())
        return fail(error, QStringLiteral("Cannot write %1: %2").arg(shown, file.errorString()));
    return true;
}

} // namespace ykt
