// The Summary page through the real window on the virtual module, in the
// shipped English: the settings read, in the captions of the controls,
// rebuilt on every visit; printed once per copy under the module's name;
// exported as PDF. The command line's captions from the language file give
// the same summary.

#include "localization/languagefile.h"
#include "print/summarydocument.h"
#include "wizard/steplist.h"
#include "wizard/wizardtab.h"

#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextEdit>

#include "windowrig.h"

namespace ykt::testing {
namespace {

// The pages of a PDF file; -1 when it is none.
int pagesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

QTextCharFormat formatOfLine(QTextDocument *document, const QString &line)
{
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        if (b.text() == line)
            return b.begin().fragment().charFormat();
    }
    ADD_FAILURE() << "no line " << line.toStdString();
    return {};
}

TEST(SummaryPage, ShowsTheSettingsReadAndPrintsAndExportsThem)
{
    WindowRig rig;
    rig.copyShipped("comps.txt");
    rig.copyShipped("CID_Descriptions.txt");
    ASSERT_TRUE(rig.readDone());
    ASSERT_TRUE(waitFor([&] { return rig.form->languageStartupDone(); }));
    TForm1 &f = *rig.form;
    f.OpenConfigurationPages();
    f.findChild<QLineEdit *>(QStringLiteral("Edit8"))->setText(QStringLiteral("<b>Shop</b>"));
    emit f.wizardTab()->stepList()->stepClicked(SummaryPageIndex);

    auto *memo = f.findChild<QTextEdit *>(QStringLiteral("Memo_Summ"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->textCursor().position(), 0);
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.mid(0, 3), (QStringList{QString(), QStringLiteral(" "),
                                            QStringLiteral("\tYKT Type:\tCommunicator")}));
    for (const char *line : {"\t\t+12025550143:\tArming SMS;", "\t\t\tDisarming SMS;",
                             "\t\tYKT3 access PIN for all users:\t1234", "\t\tAPN:\tinternet",
                             "\t\tProtocol:\tE2", "\t\tYKT3 owner name:\t<b>Shop</b>",
                             "\t\tModem restart every (hour):\t6", "\t\tEvent log:\tNo"})
        EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;
    EXPECT_TRUE(
        formatOfLine(memo->document(), QStringLiteral("Alarm server reporting")).fontUnderline());
    EXPECT_EQ(formatOfLine(memo->document(), QStringLiteral("\t\tAPN:\tinternet")).fontWeight(),
              QFont::Bold);
    EXPECT_EQ(memo->document()->defaultTextOption().tabs().size(), 3);

    // The command line's captions, from the same language file, agree.
    TKalbos table;
    ASSERT_TRUE(LoadLanguageFile(rig.path(QStringLiteral("comps.txt")), table).ok);
    SummaryContext context;
    context.relayLess = f.capabilities().relayLess;
    context.firmwareVersion = f.driver()->FirmwareVersion();
    context.events = &f.cidDescriptions();
    EXPECT_EQ(summaryPlainText(buildSummary(f.model(), context, LanguageSummaryTexts(table[0]))),
              memo->toPlainText() + QLatin1Char('\n'));

    // Rebuilt on the next visit, also from the Phrases page.
    emit f.wizardTab()->stepList()->stepClicked(PhrasesPageIndex);
    f.GoToPage(SecurityPageIndex);
    f.findChild<QLineEdit *>(QStringLiteral("Edit8"))->setText(QStringLiteral("Warehouse"));
    emit f.wizardTab()->stepList()->stepClicked(PhrasesPageIndex);
    emit f.wizardTab()->stepList()->stepClicked(SummaryPageIndex);
    EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral("\t\tYKT3 owner name:\tWarehouse")));

    // Print: the dialog, then one print per copy, titled by the module.
    QPushButton *print = f.wizardTab()->printButton();
    QPushButton *exportPdf = f.wizardTab()->exportPdfButton();
    EXPECT_TRUE(print->isVisible() && exportPdf->isVisible());
    const QString printed = rig.path(QStringLiteral("printed.pdf"));
    QString title;
    rig.scripted.printerSetup = [&](QPrinter *printer) {
        title = printer->docName();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printed);
        printer->setCopyCount(3);
    };
    print->click();
    EXPECT_EQ(title, QString::fromLatin1(f.driver()->ProductName()) + QStringLiteral(" settings"));
    EXPECT_TRUE(rig.scripted.boxes.isEmpty());

    // Export PDF: one copy.
    const QString exported = rig.path(QStringLiteral("summary.pdf"));
    rig.scripted.fileAnswers.push_back(exported);
    exportPdf->click();
    ASSERT_EQ(rig.scripted.boxes.size(), 1);
    EXPECT_EQ(rig.scripted.boxes.last().icon, DialogSeam::Icon::Information);
    EXPECT_TRUE(rig.scripted.boxes.last().text.contains(QDir::toNativeSeparators(exported)));
    const int pages = pagesOf(exported);
    EXPECT_GE(pages, 1);
    EXPECT_EQ(pagesOf(printed), 3 * pages);

    // Cancel in the printer dialog says nothing and prints nothing.
    QFile::remove(printed);
    rig.scripted.printAnswers.push_back(false);
    print->click();
    EXPECT_EQ(rig.scripted.printDialogs, 2);
    EXPECT_EQ(rig.scripted.boxes.size(), 1);
    EXPECT_FALSE(QFile::exists(printed));

    // A file that cannot be written is said so, and nothing else is left.
    rig.scripted.fileAnswers.push_back(rig.path(QStringLiteral("no/such/folder/summary.pdf")));
    exportPdf->click();
    ASSERT_EQ(rig.scripted.boxes.size(), 2);
    EXPECT_EQ(rig.scripted.boxes.last().icon, DialogSeam::Icon::Error);
    EXPECT_EQ(pagesOf(exported), pages);

    // Off the Summary page the two buttons go.
    emit f.wizardTab()->stepList()->stepClicked(UsersPageIndex);
    EXPECT_FALSE(print->isVisible() || exportPdf->isVisible());
}

} // namespace
} // namespace ykt::testing
