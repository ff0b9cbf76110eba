#include "cli/modulecommands.h"

#include "cli/containercommands.h"
#include "cli/defaulttexts.h"
#include "device/tykt2.h"
#include "settings/factorydefault.h"
#include "settings/readbackcheck.h"
#include "templates/encipheredtext.h"
#include "templates/templatecodec.h"
#include "templates/templatelines.h"
#include "util/conversions.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace ykt {

namespace {

// The texts of the language file beside the program, with a note when the
// built-in English ones stand in.
DefaultTexts programTexts()
{
    DefaultTexts texts = loadDefaultTexts(QCoreApplication::applicationDirPath());
    if (texts.builtIn)
        errLine(QStringLiteral("No language file (%1): using the built-in English texts.")
                    .arg(texts.note));
    return texts;
}

bool reportDifferences(const QList<ReadBackDifference> &differences, const QByteArray &what)
{
    for (const ReadBackDifference &d : differences)
        outLine("Differs: " + d.setting.toUtf8() + ": written \"" + printableText(d.sent) +
                "\", read \"" + printableText(d.read) + "\"");
    if (differences.isEmpty()) {
        outLine("Read back: " + what);
        return true;
    }
    outLine("Read back: " + QByteArray::number(differences.size()) +
            " settings differ from what was written");
    return false;
}

// Writes plan with a line before and after; false when a packet did not go out.
bool writeWithReport(ModuleSession &session, const QList<SendStep> &plan, const QByteArray &what)
{
    outLine("Writing " + what + ": " + QByteArray::number(plan.size()) + " packets" +
            QByteArray(session.driver().SettingsLocked() ? ", GPRS settings locked" : ""));
    QElapsedTimer writing;
    writing.start();
    if (!session.writePlan(plan))
        return false;
    outLine("Written: " + QByteArray::number(plan.size()) + " packets in " +
            QByteArray::number(writing.elapsed()) + " ms");
    return true;
}

// The session's exit code after the command's own outcome: a command ends
// only when its last packet is out.
int closed(ModuleSession &session, int code)
{
    session.close();
    return code;
}

} // namespace

int runReadCommand(const SessionOptions &options)
{
    ModuleSession session(options);
    if (const int code = session.attach(); code != ModuleSession::Done)
        return code;
    SettingsModel model;
    const DefaultTexts texts = loadDefaultTexts(QCoreApplication::applicationDirPath());
    if (!session.readAll(&model, texts.conversionType,
                         [](const QByteArray &answer) { outLine(answer); }))
        return closed(session, ModuleSession::Failed);
    outLine("Read completed: " + QByteArray::number(session.requestsOfLastRead()) +
            " requests in " + QByteArray::number(session.msOfLastRead()) + " ms");
    return closed(session, ModuleSession::Done);
}

int runDefaultCommand(const SessionOptions &options, bool partial)
{
    const DefaultTexts texts = programTexts();
    ModuleSession session(options);
    if (const int code = session.attach(); code != ModuleSession::Done)
        return code;
    // The module is read first: a locked module keeps its GPRS area, and the
    // alarm block is written back only when one was read.
    SettingsModel model;
    if (!session.readAll(&model, texts.conversionType))
        return closed(session, ModuleSession::Failed);
    FactoryContext factory;
    factory.firmwareVersion = session.driver().FirmwareVersion();
    factory.settingsLocked = session.driver().SettingsLocked();
    factory.complete = !partial;
    factory.message = texts.message;
    factory.conversionType = texts.conversionType;
    const QList<SendStep> plan = buildFactoryDefaultPlan(model, factory);
    if (!writeWithReport(session, plan,
                         "the factory default (" + QByteArray(partial ? "partial" : "complete") +
                             ")"))
        return closed(session, ModuleSession::Failed);
    if (partial)
        return closed(session, ModuleSession::Done);
    SettingsModel readBack;
    if (!session.readAll(&readBack, texts.conversionType))
        return closed(session, ModuleSession::Failed);
    const bool same = reportDifferences(compareReadBack(plan, readBack, factory.sendContext()),
                                        "the module holds the factory settings");
    return closed(session, same ? ModuleSession::Done : ModuleSession::Failed);
}

int runBackupCommand(const SessionOptions &options, const QString &outPath)
{
    const DefaultTexts texts = programTexts();
    ModuleSession session(options);
    if (const int code = session.attach(); code != ModuleSession::Done)
        return code;
    SettingsModel model;
    if (!session.readAll(&model, texts.conversionType))
        return closed(session, ModuleSession::Failed);
    outLine("Read completed: " + QByteArray::number(session.requestsOfLastRead()) +
            " requests in " + QByteArray::number(session.msOfLastRead()) + " ms");
    TemplateContext context;
    context.languageName = texts.languageName;
    context.firmwareVersion = session.driver().FirmwareVersion();
    context.settingsLocked = session.driver().SettingsLocked();
    const QList<QByteArray> lines = encodeTemplate(model, context);
    QString error;
    if (!WriteEncipheredLines(outPath, kTemplatePassphrase, lines, &error)) {
        errLine(error);
        return closed(session, ModuleSession::Failed);
    }
    if (context.settingsLocked)
        errLine(QStringLiteral("The module's GPRS settings are locked: the template holds no "
                               "GPRS password."));
    outLine("Saved " + QByteArray::number(lines.size()) + " lines to " +
            QDir::toNativeSeparators(outPath).toLocal8Bit());
    return closed(session, ModuleSession::Done);
}

int runRestoreCommand(const SessionOptions &options, const QString &inPath)
{
    // The file is checked before the module is touched.
    QList<QByteArray> lines;
    QString error;
    if (!readTemplateLines(inPath, &lines, &error)) {
        errLine(error);
        return ModuleSession::NoModule;
    }
    const DefaultTexts texts = programTexts();
    const QByteArray language = NamedValues(lines).value("Language");
    const int languageIndex = FindLanguageContaining(*texts.table, language);
    // The texts of a template are in its language's code page; without that
    // language their conversion to the module is unknown.
    if (languageIndex < 0 && !(texts.builtIn && AsciiLower(language) == "english")) {
        errLine(QStringLiteral("Couldn't find %1 language on loader")
                    .arg(QString::fromLatin1(printableText(language))));
        return ModuleSession::Failed;
    }
    const int conversionType =
        languageIndex >= 0 ? texts.table->at(languageIndex).smsTable : texts.conversionType;

    ModuleSession session(options);
    if (const int code = session.attach(); code != ModuleSession::Done)
        return code;
    SettingsModel model;
    if (!session.readAll(&model, conversionType))
        return closed(session, ModuleSession::Failed);
    // What the template does not carry keeps what the module holds.
    const DecodedTemplate decoded =
        decodeTemplate(lines, model, session.driver().FirmwareVersion());
    const QString shown = QDir::toNativeSeparators(inPath);
    for (const TemplateProblem &problem : decoded.warnings)
        errLine(QStringLiteral("%1: %2: %3")
                    .arg(shown, QString::fromLatin1(problem.key), problem.text));
    if (!decoded.ok()) {
        for (const TemplateProblem &problem : decoded.errors)
            errLine(QStringLiteral("%1: %2: %3")
                        .arg(shown, QString::fromLatin1(problem.key), problem.text));
        errLine(QStringLiteral("%1 was not sent: nothing was written to the module.").arg(shown));
        return closed(session, ModuleSession::Failed);
    }
    SendContext context = session.sendContext(conversionType, true);
    context.workMode = decoded.workMode;
    const QList<SendStep> plan = buildSendPlan(decoded.model, context);
    if (!writeWithReport(session, plan, "the template " + shown.toLocal8Bit()))
        return closed(session, ModuleSession::Failed);
    SettingsModel readBack;
    if (!session.readAll(&readBack, conversionType))
        return closed(session, ModuleSession::Failed);
    const bool same = reportDifferences(compareReadBack(plan, readBack, context),
                                        "the module holds every value that was sent");
    return closed(session, same ? ModuleSession::Done : ModuleSession::Failed);
}

QString moduleCommandsHelp()
{
    return QStringLiteral(
        "  read [options]              find the module, print its identity and read every "
        "setting\n"
        "  default [--partial] [options]  set the module to its factory settings;\n"
        "                              the complete form reads them back and checks them\n"
        "  backup OUT.tpl [options]    read the module and save its settings as a template\n"
        "  restore IN.tpl [options]    send a template to the module, read it back and check\n"
        "                              every value (what the template does not carry keeps\n"
        "                              what the module holds)\n");
}

} // namespace ykt
