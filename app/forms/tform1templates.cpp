// TForm1 and template files: "Save New Template" writes the settings the
// pages hold, "Load Template" puts a template's settings on the pages as if
// they had been read from a module. Loading never talks to the module; the
// next send writes what was loaded, the help text included.
//
// A template is read and checked whole before anything is applied: a file
// that cannot be read, names a language this program does not have or holds
// a value that cannot be read changes nothing, the language included.

#include "app/forms/tform1.h"

#include "device/tykt2.h"
#include "settings/pages/configpage.h"
#include "templates/encipheredtext.h"
#include "templates/templatecodec.h"
#include "templates/templatelines.h"
#include "util/logging.h"
#include "wizard/mainscreen.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QStandardPaths>

namespace ykt {

namespace {

const QString TemplateFilter = QStringLiteral("Templates (*.tpl)");
const QString TemplateSuffix = QStringLiteral("tpl");

} // namespace

QString TForm1::templateFolder() const
{
    // Beside the program, as installers expect; a program folder the user
    // cannot write to (an installed package) sends them to their documents.
    const QFileInfo program(m_env.programFolder);
    if (program.isDir() && program.isWritable())
        return m_env.programFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

TemplateContext TForm1::templateContext() const
{
    const SendContext send = sendContext();
    TemplateContext context;
    context.languageName = m_language.currentName();
    context.firmwareVersion = send.firmwareVersion;
    context.settingsLocked = send.settingsLocked;
    context.pstnBoxesShown = send.pstnBoxesShown;
    context.workMode = m_workMode;
    const QString separator = QLocale().decimalPoint();
    context.decimalSeparator = separator == QLatin1String(",") ? ',' : '.';
    return context;
}

void TForm1::SaveTemplate()
{
    if (m_sending)
        return;
    // The row being edited on the Users page, and every other page, first.
    CommitPages();
    DialogSeam::FileChoice choice;
    choice.title = captionOf("TntButton26");
    choice.folder = templateFolder();
    choice.filter = TemplateFilter;
    choice.defaultSuffix = TemplateSuffix;
    std::optional<QString> chosen = dialogs().askSaveFile(this, choice);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + TemplateSuffix;
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo::exists(path) &&
        ShowMessageBox(MessageW(35) + name + MessageW(36), DialogSeam::Icon::Question,
                       QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;

    const QList<QByteArray> lines = encodeTemplate(m_model, templateContext());
    QString error;
    // The file is replaced whole or not at all: a failed write keeps the old one.
    if (!WriteEncipheredLines(path, kTemplatePassphrase, lines, &error)) {
        qCWarning(lcUi) << "Template not saved:" << error;
        ShowMessageBox(MessageOr(TemplateNotSavedMessage,
                                 "The template was not saved: %1. The file that was there "
                                 "before is kept.",
                                 {error}),
                       DialogSeam::Icon::Error);
        return;
    }
    ShowMessageBox(MessageW(104) + QLatin1Char(' ') + QDir::toNativeSeparators(path),
                   DialogSeam::Icon::Information);
}

void TForm1::LoadTemplate()
{
    // A read or a send in progress would overwrite or mix with the values.
    if (m_sending || (m_driver && m_driver->Reading()))
        return;
    DialogSeam::FileChoice choice;
    choice.title = captionOf("TntButton27");
    choice.folder = templateFolder();
    choice.filter = TemplateFilter;
    choice.defaultSuffix = TemplateSuffix;
    const std::optional<QString> chosen = dialogs().askOpenFile(this, choice);
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = *chosen;
    const QString name = QFileInfo(path).fileName();

    QList<QByteArray> lines;
    QString error;
    switch (ReadEncipheredLines(path, kTemplatePassphrase, &lines, &error)) {
    case ReadOutcome::Read:
        break;
    case ReadOutcome::Missing:
        ShowMessageBox(MessageW(107) + QLatin1Char(' ') + name, DialogSeam::Icon::Error);
        return;
    case ReadOutcome::Failed:
        ShowMessageBox(
            MessageOr(FileNotOpenedMessage, "The file %1 could not be opened: %2", {name, error}),
            DialogSeam::Icon::Error);
        return;
    }

    // The template's texts are in its language's code page: that language
    // must be here, and it is chosen before the texts are shown.
    const QByteArray language = NamedValues(lines).value("Language");
    const int languageIndex = FindLanguageContaining(m_language.table(), language);
    if (languageIndex < 0) {
        ShowPlainMessage(QStringLiteral("Couldn't find ") + QString::fromLatin1(language) +
                         QStringLiteral(" language on loader"));
        return;
    }
    // What a template does not carry keeps what the pages hold.
    CommitPages();
    const DecodedTemplate decoded = decodeTemplate(lines, m_model, sendContext().firmwareVersion);
    for (const TemplateProblem &problem : decoded.warnings)
        qCInfo(lcUi) << "Template" << name << problem.key << problem.text;
    if (!decoded.ok()) {
        for (const TemplateProblem &problem : decoded.errors)
            qCWarning(lcUi) << "Template" << name << problem.key << problem.text;
        ShowMessageBox(MessageW(106) + QLatin1Char(' ') + name, DialogSeam::Icon::Error);
        return;
    }

    SelectLanguage(m_language.table().at(languageIndex).name, false);
    m_model = decoded.model;
    ApplyWorkMode(decoded.workMode);
    for (TConfigPage *page : m_configPages)
        page->Show();
    m_templateLoaded = true;
    m_openedTemplate = name;
    showOpenedTemplate();
    ShowMessageBox(MessageW(105) + QLatin1Char(' ') + name, DialogSeam::Icon::Information);
}

void TForm1::showOpenedTemplate()
{
    m_mainScreen->openedTemplate()->setText(
        m_openedTemplate.isEmpty() ? MessageOr(NoTemplateMessage, "None") : m_openedTemplate);
}

} // namespace ykt
