#include "cli/containercommands.h"

#include "templates/encipheredtext.h"
#include "templates/templatecodec.h"
#include "templates/templatesettings.h"
#include "util/conversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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

enum class Contents
{
    EventLog,
    Template,
};

int show(const QString &path, Contents contents, QTextStream &out, QTextStream &err)
{
    const QByteArray passphrase =
        contents == Contents::Template ? kTemplatePassphrase : kEventLogPassphrase;
    QList<QByteArray> lines;
    QString error;
    if (ReadEncipheredLines(path, passphrase, &lines, &error) != ReadOutcome::Read)
        return fail(err, error);
    // The container has no check of its own: a wrong file deciphers to bytes
    // without meaning, which must not be printed as if they were its lines.
    const QString shown = QDir::toNativeSeparators(path);
    if (lines.isEmpty()) {
        return fail(err, QStringLiteral("%1 holds no text: it is not %2")
                             .arg(shown, contents == Contents::Template
                                             ? QStringLiteral("a template")
                                             : QStringLiteral("an event log")));
    }
    if (contents == Contents::Template && !looksLikeTemplateLines(lines)) {
        return fail(err, QStringLiteral("%1 is not a template: its text is not lines of "
                                        "Name=Value settings (another kind of file, or a "
                                        "damaged one)")
                             .arg(shown));
    }
    if (contents == Contents::EventLog && !looksLikeLogLines(lines)) {
        return fail(err, QStringLiteral("%1 is not an event log: its text is not lines of "
                                        "modem traffic (another kind of file, or a damaged one)")
                             .arg(shown));
    }
    for (const QByteArray &line : lines)
        out << QString::fromLatin1(shownLine(line)) << '\n';
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

    QList<QByteArray> lines = splitLines(plain);
    for (int n = 0; n < lines.size(); ++n) {
        lines[n] = unshownLine(lines[n]);
        // Escaped, these would end the text or split the line for every reader.
        for (const char c : {'\0', '\r', '\n'}) {
            if (lines[n].contains(c))
                return fail(err, QStringLiteral("Cannot pack %1: line %2 holds \\x%3, which "
                                                "a line cannot hold")
                                     .arg(shown)
                                     .arg(n + 1)
                                     .arg(int(c), 2, 16, QLatin1Char('0')));
        }
    }
    QString error;
    if (!WriteEncipheredLines(outPath, kTemplatePassphrase, lines, &error))
        return fail(err, error);
    out << QStringLiteral("Wrote %1 lines to %2\n")
               .arg(lines.size())
               .arg(QDir::toNativeSeparators(outPath));
    out.flush();
    return 0;
}

// A template file's settings. Templates do not name the firmware they were
// saved for: they are read as for the newest, so every line counts.
constexpr int DiffFirmware = 4005;

bool loadTemplate(const QString &path, DecodedTemplate *decoded, QTextStream &err)
{
    const QString shown = QDir::toNativeSeparators(path);
    QList<QByteArray> lines;
    QString error;
    if (!readTemplateLines(path, &lines, &error)) {
        err << error << '\n';
        return false;
    }
    *decoded = decodeTemplate(lines, SettingsModel(), DiffFirmware);
    // A few lines tell what is wrong; a damaged file would list hundreds.
    constexpr int ShownProblems = 10;
    int shownCount = 0;
    const auto report = [&](const QList<TemplateProblem> &problems, const QString &suffix) {
        for (const TemplateProblem &problem : problems) {
            if (shownCount++ < ShownProblems)
                err << QStringLiteral("%1: %2: %3%4\n")
                           .arg(shown, QString::fromLatin1(problem.key), problem.text, suffix);
        }
    };
    report(decoded->errors, QStringLiteral(" (the loader refuses this template)"));
    report(decoded->warnings, QString());
    if (shownCount > ShownProblems)
        err << QStringLiteral("%1: %2 more problems\n").arg(shown).arg(shownCount - ShownProblems);
    return true;
}

int diff(const QString &first, const QString &second, QTextStream &out, QTextStream &err)
{
    DecodedTemplate a;
    DecodedTemplate b;
    const bool read = loadTemplate(first, &a, err) && loadTemplate(second, &b, err);
    err.flush();
    if (!read)
        return 2;
    const QStringList differences = templateDifferences(a, b);
    for (const QString &line : differences)
        out << line << '\n';
    out.flush();
    return differences.isEmpty() ? 0 : 1;
}

} // namespace

QByteArray shownLine(const QByteArray &line)
{
    QByteArray out;
    out.reserve(line.size());
    for (const char c : line)
        out += c == '\t' ? QByteArray(1, c) : printableText(QByteArray(1, c));
    return out;
}

QByteArray unshownLine(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '\\' && i + 1 < text.size() && text.at(i + 1) == '\\') {
            out += '\\';
            ++i;
        } else if (c == '\\' && i + 3 < text.size() && text.at(i + 1) == 'x' &&
                   hexDigit(text.at(i + 2)) >= 0 && hexDigit(text.at(i + 3)) >= 0) {
            out += char(hexDigit(text.at(i + 2)) << 4 | hexDigit(text.at(i + 3)));
            i += 3;
        } else {
            out += c;
        }
    }
    return out;
}

bool readTemplateLines(const QString &path, QList<QByteArray> *lines, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QString why;
    if (ReadEncipheredLines(path, kTemplatePassphrase, lines, &why) != ReadOutcome::Read) {
        *error = why.isEmpty() ? QStringLiteral("%1 does not exist").arg(shown) : why;
        return false;
    }
    if (!looksLikeTemplateLines(*lines)) {
        *error = QStringLiteral("%1 is not a template: its text is not lines of Name=Value "
                                "settings (another kind of file, or a damaged one)")
                     .arg(shown);
        return false;
    }
    return true;
}

bool isTextLine(const QByteArray &line)
{
    for (const char c : line) {
        const uchar u = uchar(c);
        // 8-bit characters of any code page are text; of the control bytes
        // only TAB, and Ctrl-Z and Esc, which end and cancel an SMS text
        // typed to the modem and so come up in its traffic.
        if (u == 0x7F || (u < 0x20 && u != '\t' && u != 0x1A && u != 0x1B))
            return false;
    }
    return true;
}

bool isNamedLine(const QByteArray &line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0)
        return false;
    for (qsizetype i = 0; i < eq; ++i) {
        const char c = line.at(i);
        const bool word =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!word)
            return false;
    }
    return true;
}

bool looksLikeLogLines(const QList<QByteArray> &lines)
{
    // The modem's text is logged byte for byte but for CR, LF and zero bytes,
    // so a traffic line may hold any other control byte; random bytes rarely
    // start every line with the direction mark.
    const auto isLogLine = [](const QByteArray &line) {
        return line.isEmpty() || line.startsWith(">>") || line.startsWith("<<") ||
               (line.startsWith("MC55iCR:") && isTextLine(line));
    };
    return !lines.isEmpty() && std::all_of(lines.cbegin(), lines.cend(), isLogLine);
}

bool looksLikeTemplateLines(const QList<QByteArray> &lines)
{
    qsizetype filled = 0;
    qsizetype named = 0;
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        const bool isNamed = isNamedLine(line);
        if (filled == 0 && !isNamed)
            return false;
        ++filled;
        if (isNamed)
            ++named;
    }
    return filled > 0 && 2 * named >= filled;
}

bool isContainerCommand(const QString &word)
{
    return word == QLatin1String("log") || word == QLatin1String("template");
}

QString containerCommandsHelp()
{
    return QStringLiteral("  log show FILE.ykl           print the lines of a saved event log\n"
                          "  template show FILE.tpl      print the lines of a template file\n"
                          "  template pack TEXT OUT.tpl  encipher a text file of lines into a "
                          "template file\n"
                          "  template diff A.tpl B.tpl   list the settings that differ; exit 0 "
                          "when none, 1 when some, 2 when a file is not a template\n");
}

int runContainerCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() < 2)
        return usage(err);
    const QString &word = args.at(0);
    const QString &action = args.at(1);
    if (word == QLatin1String("log") && action == QLatin1String("show") && args.size() == 3)
        return show(args.at(2), Contents::EventLog, out, err);
    if (word == QLatin1String("template") && action == QLatin1String("show") && args.size() == 3)
        return show(args.at(2), Contents::Template, out, err);
    if (word == QLatin1String("template") && action == QLatin1String("pack") && args.size() == 4)
        return pack(args.at(2), args.at(3), out, err);
    if (word == QLatin1String("template") && action == QLatin1String("diff") && args.size() == 4)
        return diff(args.at(2), args.at(3), out, err);
    return usage(err);
}

} // namespace ykt
