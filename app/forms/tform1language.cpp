// TForm1's messages and languages: the translated message box, the language
// file and the Contact ID descriptions read 100 ms after start, the language
// choice with what it refreshes, the manual button and the translator's two
// functions of the service-mode Log page.

#include "app/forms/tform1.h"

#include "app/forms/applylanguage.h"
#include "app/forms/documentviewer.h"
#include "app/forms/logpage.h"
#include "app/forms/progressdialog.h"
#include "app/forms/secondaryforms.h"
#include "device/tykt2.h"
#include "localization/languagetools.h"
#include "refdata/voicephrases.h"
#include "settings/pages/configpage.h"
#include "util/logging.h"
#include "wizard/mainscreen.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace ykt {

// --- Messages ----------------------------------------------------------------------

QMessageBox::StandardButton TForm1::ShowMessageBox(const QString &text, DialogSeam::Icon icon,
                                                   QMessageBox::StandardButtons buttons)
{
    DialogSeam::Box box;
    box.icon = icon;
    switch (icon) {
    case DialogSeam::Icon::Warning:
        box.title = MessageW(29);
        break;
    case DialogSeam::Icon::Error:
        box.title = MessageW(26);
        break;
    case DialogSeam::Icon::Information:
        box.title = MessageW(27);
        break;
    case DialogSeam::Icon::Question:
        box.title = MessageW(28);
        break;
    case DialogSeam::Icon::None:
        box.title = QLatin1String(ProgramTitle);
        break;
    }
    box.text = text;
    box.buttons = buttons;
    // Empty captions (no language file) leave the toolkit's own in place
    // rather than buttons without a caption.
    box.yesText = MessageW(30);
    box.noText = MessageW(31);
    box.cancelText = MessageW(32);
    return dialogs().message(this, box);
}

// The caption of a button of the Log page, as the language left it.
QString TForm1::captionOf(const char *buttonName) const
{
    const auto *button = m_logPage->findChild<QPushButton *>(QLatin1String(buttonName));
    return button ? button->text() : QString();
}

QString TForm1::MessageOr(int number, const char *english) const
{
    const QString text = MessageW(number);
    return text.isEmpty() ? QString::fromLatin1(english) : text;
}

QString TForm1::MessageOr(int number, const char *english, const QStringList &arguments) const
{
    return withArguments(MessageOr(number, english), arguments);
}

void TForm1::ShowPlainMessage(const QString &text, const QString &title)
{
    DialogSeam::Box box;
    box.title = title.isEmpty() ? QLatin1String(ProgramTitle) : title;
    box.text = text;
    box.buttons = QMessageBox::Ok;
    dialogs().message(this, box);
}

// --- Language ------------------------------------------------------------------------

QList<QWidget *> TForm1::languageWindows() const
{
    return {const_cast<TForm1 *>(this), m_form2, m_form3, m_form4, m_form5, m_form6, m_popup};
}

void TForm1::startLanguage()
{
    m_languageStartupDone = true;
    // 1. The language file; without it the built-in texts stay and the
    // messages are empty.
    TKalbos table;
    const LanguageFileResult loaded = LoadLanguageFile(
        QDir(m_env.programFolder).filePath(QLatin1String(kLanguageFileName)), table);
    if (!loaded.ok) {
        ShowMessageBox(loaded.error, DialogSeam::Icon::Error);
        return;
    }
    m_language.setTable(std::move(table));
    // 2. The Contact ID descriptions; a failure ends the program.
    if (!loadContactIdDescriptions())
        return;
    // 3. The language list, each name in its own language's code page.
    {
        const QSignalBlocker quiet(m_mainScreen->languageList());
        m_mainScreen->languageList()->clear();
        for (const tkalba &l : m_language.table())
            m_mainScreen->languageList()->addItem(
                ::ykt::ToUnicode(l.name, CodePageOfCharset(l.charset)));
        m_mainScreen->languageList()->setCurrentIndex(-1);
    }
    // 4. Message 25 of the first language while no module is attached.
    refreshModuleCaption();
    // 5. The stored choice, letter case ignored; no entry when none matches.
    const QByteArray stored =
        ReadSetting({m_env.programFolder, m_env.fallbackFolder}, "Language", "English");
    int selected = -1;
    for (int i = 0; i < m_language.table().size() && selected < 0; ++i) {
        const tkalba &l = m_language.table().at(i);
        if (::ykt::ToUnicode(stored, CodePageOfCharset(l.charset))
                .compare(m_mainScreen->languageList()->itemText(i), Qt::CaseInsensitive) == 0)
            selected = i;
    }
    {
        const QSignalBlocker quiet(m_mainScreen->languageList());
        m_mainScreen->languageList()->setCurrentIndex(selected);
    }
    // 6.
    SelectLanguage(selected >= 0 ? m_language.table().at(selected).name : QByteArray(), false);
}

bool TForm1::loadContactIdDescriptions()
{
    const TCIDLoadResult result = LoadCIDDescriptions(
        QDir(m_env.programFolder).filePath(QStringLiteral("CID_Descriptions.txt")), m_cid);
    if (result.ok())
        return true;
    // The box first, then the end; the window is complete meanwhile.
    ShowMessageBox(MessageW(result.messageNumber()), DialogSeam::Icon::Error);
    terminateNow();
    return false;
}

void TForm1::onLanguageListChanged(int index)
{
    if (index < 0)
        return;
    // The entry's language; a list replaced by a language record falls back
    // to the entry's text.
    const QString text = m_mainScreen->languageList()->itemText(index);
    QByteArray name = ::ykt::FromUnicode(text, m_language.codePage());
    for (const tkalba &l : m_language.table()) {
        if (::ykt::ToUnicode(l.name, CodePageOfCharset(l.charset)) == text) {
            name = l.name;
            break;
        }
    }
    SelectLanguage(name, true);
}

void TForm1::SelectLanguage(const QByteArray &name, bool byUser)
{
    // 1. The user's choice of the language already applied changes nothing.
    // (Before any language was applied the first one only stands in for the
    // messages, so choosing it applies it.)
    if (byUser && m_language.applied() && name == m_language.currentName())
        return;
    // 2. Lists whose positions the new items must not lose.
    QList<std::pair<QComboBox *, int>> kept;
    for (const TConfigPage *page : m_configPages) {
        for (QComboBox *list : page->KeptSelections())
            kept.append({list, list->currentIndex()});
    }
    // 3, 4. The language, then the version after the caption it left. The
    // caption is the one without the version while the language is applied,
    // so a language that names no caption does not add a second version.
    setWindowTitle(m_baseCaption);
    ApplyLanguage(m_language, name, languageWindows());
    m_baseCaption = windowTitle();
    setWindowTitle(m_baseCaption + QLatin1String(VersionSuffix));
    // 5. The choice is stored at once, an unknown name too.
    writeLanguageSetting(name);
    // 6.
    refreshModuleCaption();
    // 7. What the pages take from the messages.
    ApplyPageLanguageTexts();
    showOpenedTemplate();
    // 8.
    // A position the new list no longer has keeps what the language chose.
    for (const auto &[list, position] : kept) {
        const QSignalBlocker quiet(list);
        if (position < list->count())
            list->setCurrentIndex(position);
    }
    refreshInputsAndOutputs();
    // 9.
    RefreshManualButton(false);
    // 10. The layouts follow the new caption widths by themselves.
    // 11.
    reloadVoicePhrases();
    emit languageSelected();
}

void TForm1::refreshModuleCaption()
{
    if (m_driver && m_driver->Connected()) {
        m_statusCaption->setText(
            QString::fromLatin1(m_driver->ProductName() + " SN:" + m_driver->SerialNumber()));
        return;
    }
    // A module that is there but cannot be opened keeps its explanation.
    if (m_driver && !m_driver->AccessProblem().isEmpty())
        return;
    m_statusCaption->setText(MessageW(25));
}

void TForm1::refreshInputsAndOutputs()
{
    // The inputs and outputs pages refresh here once they exist.
}

void TForm1::reloadVoicePhrases()
{
    // The zone voice page reloads its phrase menu for the language and
    // refreshes the zone names here once it exists.
}

QString TForm1::voicePhraseFile() const
{
    const QByteArray name = m_language.currentName();
    if (name.isEmpty())
        return QString();
    return VoicePhraseFilePath(m_env.programFolder, m_language.toUnicode(name));
}

void TForm1::writeLanguageSetting(const QByteArray &name)
{
    const SettingWritten written =
        WriteSetting({m_env.programFolder, m_env.fallbackFolder}, "Language", name);
    if (!written.ok)
        qCWarning(lcSettings) << "The language choice could not be saved:" << written.error;
    else if (written.fellBack)
        qCWarning(lcSettings).noquote() << written.error << "; the language choice was saved to"
                                        << QDir::toNativeSeparators(written.path);
}

void TForm1::RefreshManualButton(bool open)
{
    const QDir manuals(QDir(m_env.programFolder).filePath(QStringLiteral("Manuals")));
    QString file = m_mainScreen->languageList()->currentText() + QStringLiteral(".pdf");
    if (!QFileInfo(manuals.filePath(file)).isFile())
        file = QStringLiteral("English.pdf");
    if (!QFileInfo(manuals.filePath(file)).isFile()) {
        m_mainScreen->manualButton()->hide();
        m_mainScreen->manualLabel()->hide();
        return;
    }
    m_mainScreen->manualButton()->setText(MessageW(140) + QLatin1Char(' ') + file);
    m_mainScreen->manualButton()->show();
    m_mainScreen->manualLabel()->show();
    if (open && !openDocument(manuals.filePath(file))) {
        // No viewer could be started: the user can still open the file.
        ShowMessageBox(MessageOr(ManualNotOpenedMessage,
                                 "No program to show PDF files could be started. The "
                                 "manual is the file\n%1",
                                 {QDir::toNativeSeparators(manuals.filePath(file))}),
                       DialogSeam::Icon::Warning);
    }
}

void TForm1::CheckLanguageFile()
{
    const TKalbos &table = m_language.table();
    for (const LanguageCheckReport &report : ::ykt::CheckLanguageFile(table)) {
        const CodePage page = report.language >= 0
                                  ? CodePageOfCharset(table.at(report.language).charset)
                                  : m_language.codePage();
        ShowPlainMessage(::ykt::ToUnicode(report.text, page), captionOf("TntButtonCompsOK"));
    }
}

void TForm1::GenerateLanguageTemplate()
{
    const QList<QByteArray> lines = LanguageTemplateLines(
        m_language.smsTable(), TemplateWindowsOf(languageWindows(), m_language.codePage()));
    QString error;
    const QString path = QDir::current().filePath(QStringLiteral("comps2.txt"));
    if (!WriteLanguageTemplate(lines, QDir::currentPath(), &error)) {
        qCWarning(lcUi) << "The language template could not be written:" << error;
        ShowMessageBox(error, DialogSeam::Icon::Error);
        return;
    }
    ShowPlainMessage(MessageOr(LanguageTemplateWrittenMessage,
                               "The language template was written to\n%1",
                               {QDir::toNativeSeparators(path)}),
                     captionOf("TntButtonGenerateLangFile"));
}

} // namespace ykt
