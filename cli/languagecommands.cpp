#include "cli/languagecommands.h"

#include "localization/codepages.h"
#include "localization/languagefile.h"
#include "localization/languagetools.h"

#include <QDir>

namespace ykt {

namespace {

int usage(QTextStream &err)
{
    err << "usage:\n" << languageCommandsHelp();
    err.flush();
    return 2;
}

} // namespace

bool isLanguageCommand(const QString &word)
{
    return word == QLatin1String("lang");
}

QString languageCommandsHelp()
{
    return QStringLiteral("  lang check [FILE]           list the languages of a language file "
                          "(default\n"
                          "                              comps.txt beside the program) and "
                          "compare them\n");
}

int runLanguageCommand(const QStringList &args, const QString &programFolder, QTextStream &out,
                       QTextStream &err)
{
    if (args.size() < 2 || args.size() > 3 || args.at(1) != QLatin1String("check"))
        return usage(err);
    const QString path = args.size() == 3
                             ? args.at(2)
                             : QDir(programFolder).filePath(QLatin1String(kLanguageFileName));

    TKalbos table;
    const LanguageFileResult loaded = LoadLanguageFile(path, table);
    if (!loaded.ok) {
        err << loaded.error << '\n';
        err.flush();
        return 1;
    }
    // Nothing to compare: the file is not a language file at all.
    if (table.isEmpty()) {
        err << QStringLiteral("%1 holds no language: not a language file")
                   .arg(QDir::toNativeSeparators(path))
            << '\n';
        err.flush();
        return 1;
    }

    for (const tkalba &l : table) {
        const CodePage page = CodePageOfCharset(l.charset);
        qsizetype controls = 0;
        for (const tforma &form : l.forms)
            controls += form.components.size();
        out << ToUnicode(l.name, page) << "  charset " << l.charset << " (" << CodePageName(page)
            << ")  smsTable " << l.smsTable << "  windows " << l.forms.size() << "  controls "
            << controls << "  messages " << l.messages.size() << '\n';
    }
    const QList<LanguageCheckReport> reports = CheckLanguageFile(table);
    for (const LanguageCheckReport &report : reports) {
        const CodePage page = report.language >= 0
                                  ? CodePageOfCharset(table.at(report.language).charset)
                                  : SystemCodePage;
        out << ToUnicode(report.text, page) << '\n';
    }
    out.flush();
    return reports.size() == 1 ? 0 : 3;
}

} // namespace ykt
