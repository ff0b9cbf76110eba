#include "app/eventlog.h"

#include "util/savefile.h"

#include "templates/encipheredtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ykt {

namespace {

QByteArray hex(uint value, int digits)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

QString moment(const QDateTime &time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return QStringLiteral("%1_%2_%3 %4_%5")
        .arg(d.year())
        .arg(d.month())
        .arg(d.day())
        .arg(t.hour())
        .arg(t.minute());
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

// Names are tried up to this number: far more sessions than can end in one minute.
constexpr int kMaxLogNameNumber = 9999;

// Takes the first free name of folder/Logs/name, name (2), name (3) ... by
// creating it empty, so that another writer cannot take the same name between
// the look and the write; then the log replaces the empty file as a whole.
bool writeLogInto(const QString &folder, const QString &name, const QList<QByteArray> &lines,
                  QString *path, QString *error)
{
    const QString logs = QDir(folder).filePath(QLatin1String(kLogsFolder));
    *path = QDir(logs).filePath(name);
    if (!QDir().mkpath(logs)) {
        *error = QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(logs));
        return false;
    }
    for (int number = 1; number <= kMaxLogNameNumber; ++number) {
        *path = QDir(logs).filePath(numberedLogFileName(name, number));
        if (QFileInfo::exists(*path))
            continue;
        QFile claim(*path);
        if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(*path))
                continue; // taken a moment ago by another writer
            *error = QStringLiteral("Cannot write %1: %2")
                         .arg(QDir::toNativeSeparators(*path), claim.errorString());
            return false;
        }
        claim.close();
        if (WriteEncipheredLines(*path, kEventLogPassphrase, lines, error))
            return true;
        QFile::remove(*path);
        return false;
    }
    *error = QStringLiteral("Cannot write the event log: %1 already holds %2 logs named %3")
                 .arg(QDir::toNativeSeparators(logs))
                 .arg(kMaxLogNameNumber)
                 .arg(name);
    return false;
}

} // namespace

QByteArray usartLogLine(QByteArray text, bool outGoing, bool putRegisters,
                        const ModemRegisters &registers)
{
    text.replace("\r", "");
    text.replace('\n', ' ');
    text.replace('\0', '.');
    if (!outGoing)
        return "<<" + text;
    if (!putRegisters)
        return ">>" + text;
    return "MC55iCR:" + hex(registers.mc55iCR, 2) + " MC55iSR" + hex(registers.mc55iSR, 2) +
           " MC55iFlags" + hex(registers.mc55iFlags, 2) + " TCPSR" + hex(registers.tcpsr, 4) +
           "\r\n>>" + text;
}

QString logFileName(const QDateTime &start, const QDateTime &written)
{
    return moment(start) + QStringLiteral(" - ") + moment(written) + QStringLiteral(".ykl");
}

QString numberedLogFileName(const QString &name, int number)
{
    if (number < 2)
        return name;
    const QString suffix = QStringLiteral(".ykl");
    const QString stem = name.endsWith(suffix) ? name.chopped(suffix.size()) : name;
    return stem + QStringLiteral(" (%1)").arg(number) +
           (stem.size() < name.size() ? suffix : QString());
}

LogWriteResult writeEventLog(const QList<QByteArray> &lines, const QString &programFolder,
                             const QString &fallbackFolder, const QDateTime &start,
                             const QDateTime &written)
{
    LogWriteResult result;
    if (lines.isEmpty()) {
        result.ok = true;
        return result;
    }
    const QString name = logFileName(start, written);

    QString path;
    QString firstError;
    if (!programFolder.isEmpty()) {
        if (writeLogInto(programFolder, name, lines, &path, &firstError)) {
            result.ok = true;
            result.path = path;
            return result;
        }
    } else {
        firstError = QStringLiteral("The program folder is not known");
    }

    if (fallbackFolder.isEmpty() || QFileInfo(fallbackFolder).absoluteFilePath() ==
                                        QFileInfo(programFolder).absoluteFilePath()) {
        result.error = firstError;
        return result;
    }
    QString secondError;
    if (writeLogInto(fallbackFolder, name, lines, &path, &secondError)) {
        result.ok = true;
        result.path = path;
        result.usedFallback = true;
        result.error = firstError;
        return result;
    }
    result.error = firstError + QStringLiteral("; ") + secondError;
    return result;
}

bool ensureMarkerFile(const QString &programFolder, QString *error)
{
    const QString folder = QDir(programFolder).filePath(QLatin1String(kDebugFolder));
    const QString path = QDir(folder).filePath(QLatin1String(kMarkerFileName));
    const QString shown = QDir::toNativeSeparators(path);
    if (!QDir().mkpath(folder)) {
        setError(
            error,
            QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder)));
        return false;
    }

    // The old content is taken as raw bytes and written back as it is: going
    // through lines would change line ends or a missing last line break.
    QByteArray content;
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile()) {
            setError(error, QStringLiteral("Cannot write %1: it is not a regular file").arg(shown));
            return false;
        }
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) {
            setError(error, QStringLiteral("Cannot read %1: %2").arg(shown, old.errorString()));
            return false;
        }
        content = old.readAll();
        if (old.error() != QFileDevice::NoError) {
            setError(error, QStringLiteral("Cannot read %1: %2").arg(shown, old.errorString()));
            return false;
        }
    }

    return saveFileAtomically(path, content, error);
}

} // namespace ykt
