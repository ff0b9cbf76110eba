// ykt4m-cli: the loader's command-line companion, for support staff, scripts
// and machines without a screen.
//
//   ykt4m-cli read [--simulate[=PROFILE]] [--trace FILE] [--password TEXT]
//
// finds the module (or attaches the virtual one), prints its identity, reads
// every setting with the module's read-all sequence, one line per answer, and
// ends with the outcome. The exit code is 0 only for a completed read.
//
//   ykt4m-cli default [--partial] [--simulate[=PROFILE]] [--trace FILE] [--password TEXT]
//
// sets the module to its factory settings: reads it, writes every packet of
// the factory default and, for the complete form, reads everything back and
// checks it. The exit code is 0 only when every packet went out and the
// read-back completed and showed the factory values.
//
//   ykt4m-cli backup OUT.tpl [options] | restore IN.tpl [options]
//
// saves what the module holds as a template, or sends a template to it and
// checks what it then holds, value by value.
//
//   ykt4m-cli summary IN.tpl|--module [--pdf OUT.pdf] [options]
//
// prints the settings summary of a template or of the module, or writes it
// as a PDF file.
//
//   ykt4m-cli log show FILE.ykl | template show FILE.tpl | template pack TEXT OUT.tpl
//
// deciphers a saved event log or template, or enciphers a text file of lines.
//
//   ykt4m-cli lang check [FILE]
//
// reads a language file (comps.txt beside the program unless FILE is given),
// lists its languages and compares their structures as "Comps OK?" does.

#include "app/transportoption.h"
#include "cli/containercommands.h"
#include "cli/languagecommands.h"
#include "cli/modulecommands.h"
#include "cli/summarycommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>

namespace {

using namespace ykt;

// The help: on stdout when asked for, on stderr after a usage error.
int usage(int code)
{
    const QString text =
        QStringLiteral("usage: ykt4m-cli COMMAND ...\n"
                       "commands:\n"
                       "%1%5%2%3"
                       "options of the commands that talk to a module:\n"
                       "%4"
                       "  --password TEXT   the module's USB password, if it "
                       "asks for one\n"
                       "  --wait SECONDS    how long to look for a module "
                       "(default 10)\n"
                       "  -h, --help   show this help\n")
            .arg(moduleCommandsHelp(), containerCommandsHelp(), languageCommandsHelp(),
                 transportOptionsHelp(), summaryCommandHelp());
    QTextStream(code == 0 ? stdout : stderr) << text;
    return code;
}

} // namespace

int main(int argc, char **argv)
{
    // A PDF is laid out with the fonts of Qt Gui, which needs no screen.
    bool pdf = false;
    for (int i = 1; i < argc; ++i)
        pdf = pdf || qstrcmp(argv[i], "--pdf") == 0;
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = pdf ? std::make_unique<QGuiApplication>(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ykt4m-cli"));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.contains(QLatin1String("--help")) ||
        args.contains(QLatin1String("-h")))
        return usage(args.isEmpty() ? 2 : 0);

    if (isContainerCommand(args.first())) {
        QTextStream output(stdout);
        QTextStream errors(stderr);
        return runContainerCommand(args, output, errors);
    }

    if (isLanguageCommand(args.first())) {
        QTextStream output(stdout);
        QTextStream errors(stderr);
        return runLanguageCommand(args, QCoreApplication::applicationDirPath(), output, errors);
    }

    const QString command = args.takeFirst();
    const QStringList known = {QStringLiteral("read"), QStringLiteral("default"),
                               QStringLiteral("backup"), QStringLiteral("restore"),
                               QStringLiteral("summary")};
    if (!known.contains(command)) {
        errLine(QStringLiteral("unknown command '%1'").arg(command));
        return usage(2);
    }

    SessionOptions options;
    const bool partial =
        command == QLatin1String("default") && args.removeAll(QStringLiteral("--partial")) > 0;
    const bool fromModule =
        command == QLatin1String("summary") && args.removeAll(QStringLiteral("--module")) > 0;
    QString pdfPath;
    QString error;
    if (!takeTransportOptions(args, &options.transport, &error)) {
        errLine(error);
        return 2;
    }
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString arg = args.at(i);
        if (arg == QLatin1String("--pdf") && command == QLatin1String("summary") &&
            i + 1 < args.size()) {
            pdfPath = args.at(++i);
        } else if ((arg == QLatin1String("--password") || arg == QLatin1String("--wait")) &&
                   i + 1 < args.size()) {
            const QString value = args.at(++i);
            if (arg == QLatin1String("--password")) {
                options.password = value.toLatin1();
            } else {
                bool ok = false;
                options.waitSeconds = value.toInt(&ok);
                if (!ok || options.waitSeconds < 1) {
                    errLine(QStringLiteral("--wait takes a whole number of seconds"));
                    return 2;
                }
            }
        } else if (!arg.startsWith(QLatin1Char('-'))) {
            files.append(arg);
        } else {
            errLine(QStringLiteral("unknown option '%1'").arg(arg));
            return usage(2);
        }
    }
    const bool takesFile = command == QLatin1String("backup") ||
                           command == QLatin1String("restore") ||
                           (command == QLatin1String("summary") && !fromModule);
    if (files.size() != (takesFile ? 1 : 0)) {
        errLine(takesFile ? QStringLiteral("%1 takes one template file").arg(command)
                          : QStringLiteral("%1 takes no file").arg(command));
        return usage(2);
    }
    if (command == QLatin1String("read"))
        return runReadCommand(options);
    if (command == QLatin1String("default"))
        return runDefaultCommand(options, partial);
    if (command == QLatin1String("summary"))
        return runSummaryCommand(options, fromModule ? QString() : files.first(), pdfPath);
    if (command == QLatin1String("backup"))
        return runBackupCommand(options, files.first());
    return runRestoreCommand(options, files.first());
}
