#include "cli/summarycommand.h"

#include "app/capabilities.h"
#include "cli/containercommands.h"
#include "cli/defaulttexts.h"
#include "device/tykt2.h"
#include "print/summarydocument.h"
#include "refdata/ciddescriptions.h"
#include "settings/summary.h"
#include "templates/templatecodec.h"
#include "templates/templatelines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

#include <memory>

namespace ykt {

namespace {

// A template names no firmware: every line it carries is taken.
constexpr int AnyFirmware = 9999;

// Without a language file: the English captions the program is built with.
class BuiltInSummaryTexts : public SummaryTexts
{
public:
    QString caption(const char *, const char *fallback) const override
    {
        return QString::fromUtf8(fallback);
    }
    QString item(const char *, int, const char *fallback) const override
    {
        return QString::fromUtf8(fallback);
    }
    QString message(int number) const override
    {
        return QString::fromLatin1(builtInEnglishMessage(number));
    }
    QString text(const QByteArray &bytes) const override { return QString::fromLatin1(bytes); }
};

// The events of the Contact ID list beside the program, named in language.
bool loadEvents(TCIDDescriptions *events, const tkalba *language)
{
    const QString path = QDir(QCoreApplication::applicationDirPath())
                             .filePath(QStringLiteral("CID_Descriptions.txt"));
    if (!LoadCIDDescriptions(path, *events).ok()) {
        errLine(QStringLiteral("%1 could not be read: the inputs show no event names.")
                    .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (language) {
        RefreshCIDTexts(*events, [language](int n) {
            return n >= 1 && n <= language->messages.size() ? language->messages.at(n - 1)
                                                            : QByteArray();
        });
    }
    return true;
}

int printSummary(const Summary &summary, const QString &pdfPath, const QString &title)
{
    if (pdfPath.isEmpty()) {
        outLine(summaryPlainText(summary).toUtf8().chopped(1));
        return ModuleSession::Done;
    }
    QTextDocument document;
    fillSummaryDocument(&document, summary);
    QString error;
    if (!exportSummaryPdf(document, pdfPath, title, &error)) {
        errLine(QStringLiteral("The PDF file could not be written: %1").arg(error));
        return ModuleSession::Failed;
    }
    outLine("Summary written to " + QDir::toNativeSeparators(pdfPath).toLocal8Bit());
    return ModuleSession::Done;
}

} // namespace

int runSummaryCommand(const SessionOptions &options, const QString &templatePath,
                      const QString &pdfPath)
{
    DefaultTexts texts = loadDefaultTexts(QCoreApplication::applicationDirPath());
    if (texts.builtIn)
        errLine(QStringLiteral("No language file (%1): using the built-in English texts.")
                    .arg(texts.note));
    const tkalba *language = texts.table->isEmpty() ? nullptr : &texts.table->first();
    SettingsModel model;
    SummaryContext context;
    QString title;
    std::unique_ptr<ModuleSession> session;

    if (!templatePath.isEmpty()) {
        QList<QByteArray> lines;
        QString error;
        if (!readTemplateLines(templatePath, &lines, &error)) {
            errLine(error);
            return ModuleSession::Failed;
        }
        const QByteArray name = NamedValues(lines).value("Language");
        const int index = FindLanguageContaining(*texts.table, name);
        if (index >= 0) {
            language = &texts.table->at(index);
        } else if (!texts.builtIn) {
            errLine(QStringLiteral("Couldn't find %1 language on loader")
                        .arg(QString::fromLatin1(printableText(name))));
            return ModuleSession::Failed;
        }
        const DecodedTemplate decoded = decodeTemplate(lines, SettingsModel(), AnyFirmware);
        const QString shown = QDir::toNativeSeparators(templatePath);
        if (!decoded.ok()) {
            for (const TemplateProblem &problem : decoded.errors)
                errLine(QStringLiteral("%1: %2: %3")
                            .arg(shown, QString::fromLatin1(problem.key), problem.text));
            return ModuleSession::Failed;
        }
        model = decoded.model;
        context.workMode = decoded.workMode;
        context.firmwareVersion = AnyFirmware;
        title = QFileInfo(templatePath).completeBaseName() + QStringLiteral(" settings");
    } else {
        session = std::make_unique<ModuleSession>(options);
        if (const int code = session->attach(); code != ModuleSession::Done)
            return code;
        const int conversionType = language ? language->smsTable : texts.conversionType;
        if (!session->readAll(&model, conversionType)) {
            session->close();
            return ModuleSession::Failed;
        }
        session->close();
        const TYKT2 &driver = session->driver();
        const ModuleCapabilities capabilities =
            capabilitiesOf(driver.ProductName(), driver.FirmwareVersion());
        context.workMode = workModeOf(model.security.ykt2cr);
        context.basicModel = capabilities.basicModel;
        context.ykt3Type = capabilities.ykt3Type;
        context.relayLess = capabilities.relayLess;
        context.settingsLocked = driver.SettingsLocked();
        context.firmwareVersion = driver.FirmwareVersion();
        title = QString::fromLatin1(driver.ProductName()) + QStringLiteral(" settings");
    }

    TCIDDescriptions events;
    if (loadEvents(&events, language))
        context.events = &events;
    std::unique_ptr<SummaryTexts> captions;
    if (language)
        captions = std::make_unique<LanguageSummaryTexts>(*language);
    else
        captions = std::make_unique<BuiltInSummaryTexts>();
    return printSummary(buildSummary(model, context, *captions), pdfPath, title);
}

QString summaryCommandHelp()
{
    return QStringLiteral(
        "  summary IN.tpl|--module [--pdf OUT.pdf] [options]\n"
        "                              the settings summary of a template (in its language)\n"
        "                              or of the module, as text or as a PDF file\n");
}

} // namespace ykt
