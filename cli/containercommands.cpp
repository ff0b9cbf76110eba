#include "cli/containercommands.h"

#include "templates/encipheredtext.h"
#include "util/conversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ykt {

namespace {

// A plain text file larger than this is surely not a template.
constexpr qint64 kMaxPlainSize = qint64(64) * 1024 * 1024;

int usage(QTextStream &err)
{
    err << "usage:\n" << containerCommandsHelp();
    err.flush();
    return 2;
}

int fail(QTextStream &err, const QString &message)
{
    err << message << '\n';
    err.flush();
    return 1;
}

int show(const QString &path, const QByteArray &passphrase, QTextStream &out, QTextStream &err)
{
    QList<QByteArray> lines;
    QString error;
    if (ReadEncipheredLines(path, passphrase, &lines, &error) != ReadOutcome::Read)
        return fail(err, error);
    for (const QByteArray &line : lines)
        out << QString::fromLatin1(printableText(line)) << '\n';
    out.flush();
    return 0;
}

int pack(const QString &textPath, const QString &outPath, QTextStream &out, QTextStream &err)
{
    const QString shown = QDir::toNativeSeparators(textPath);
    const QFileInfo info(textPath);
    if (!info.exists())
        return fail(err, QStringLiteral("%1 does not exist").arg(shown));
    if (!info.isFile())
        return fail(err, QStringLiteral("Cannot read %1: it is not a regular file").arg(shown));
    if (info.size() > kMaxPlainSize)
        return fail(err, QStringLiteral("Cannot read %1: the file is too large").arg(shown));
    QFile file(textPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(err, QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
    const QByteArray plain = file.read(kMaxPlainSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(err, QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
    if (plain.size() > kMaxPlainSize)
        return fail(err, QStringLiteral("Cannot read %1: the file is too large").arg(shown));
    // A zero byte would silently end the text for every reader of the result.
    const qsizetype zero = plain.indexOf('\0');
    if (zero >= 0) {
        return fail(err, QStringLiteral("Cannot pack %1: it holds a zero byte at offset %2")
                             .arg(shown)
                             .arg(zero));
    }

    const QList<QByteArray> lines = splitLines(plain);
    QString error;
    if (!WriteEncipheredLines(outPath, kTemplatePassphrase, lines, &error))
        return fail(err, error);
    out << QStringLiteral("Wrote %1 lines to %2\n")
               .arg(lines.size())
               .arg(QDir::toNativeSeparators(outPath));
    out.flush();
    return 0;
}

} // namespace

bool isContainerCommand(const QString &word)
{
    return word == QLatin1String("log") || word == QLatin1String("template");
}

QString containerCommandsHelp()
{
    return QStringLiteral("  log show FILE.ykl           print the lines of a saved event log\n"
                          "  template show FILE.tpl      print the lines of a template file\n"
                          "  template pack TEXT OUT.tpl  encipher a text file of lines into a "
                          "template file\n");
}

int runContainerCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() < 2)
        return usage(err);
    const QString &word = args.at(0);
    const QString &action = args.at(1);
    if (word == QLatin1String("log") && action == QLatin1String("show") && args.size() == 3)
        return show(args.at(2), kEventLogPassphrase, out, err);
    if (word == QLatin1String("template") && action == QLatin1String("show") && args.size() == 3)
        return show(args.at(2), kTemplatePassphrase, out, err);
    if (word == QLatin1String("template") && action == QLatin1String("pack") && args.size() == 4)
        return pack(args.at(2), args.at(3), out, err);
    return usage(err);
}

} // namespace ykt
