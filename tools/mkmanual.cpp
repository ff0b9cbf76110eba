// mkmanual IN.md OUT.pdf
//
// Renders a user manual written in Markdown (GitHub dialect: headings, lists,
// tables, code blocks) to an A4 PDF with Qt alone, so the build needs no
// document tool of its own. Runs headless: the build starts it with
// QT_QPA_PLATFORM=offscreen.
//
// The document gets the page size of the PDF's printable area, so
// QTextDocument::print() lays it out page by page as it is and adds no page
// numbers of its own. The PDF is written to memory first and saved in one go,
// so a failed run leaves no half-written file behind.

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Resolution = 300;   // dots per inch of the PDF's coordinate system
constexpr qreal LayoutDpi = 96.0; // the unit of the document's own layout
constexpr qreal MarginMm = 20.0;
constexpr qreal BodyPointSize = 10.0;

int fail(const QString &text)
{
    std::fprintf(stderr, "mkmanual: %s\n", qPrintable(text));
    return 1;
}

// Headings of level 1 and 2 keep some air around them; code blocks get a grey
// background; tables get thin grey borders, a bold header row and cells whose
// text starts at the top.
void tidy(QTextDocument &doc)
{
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level == 1 || level == 2) {
            format.setTopMargin(level == 1 ? 18 : 14);
            format.setBottomMargin(6);
        } else if (format.hasProperty(QTextFormat::BlockCodeFence)) {
            format.setBackground(QColor(238, 238, 238));
            format.setLeftMargin(8);
            const bool first =
                !block.previous().blockFormat().hasProperty(QTextFormat::BlockCodeFence);
            const bool last = !block.next().blockFormat().hasProperty(QTextFormat::BlockCodeFence);
            format.setTopMargin(first ? 4 : 0);
            format.setBottomMargin(last ? 8 : 0);
        } else {
            continue;
        }
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    const QList<QTextFrame *> frames = doc.rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(1);
        format.setBorderBrush(QColor(128, 128, 128));
        format.setCellSpacing(0);
        format.setCellPadding(3);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                // Qt's Markdown reader may open a cell with an empty paragraph.
                QTextCursor start = cell.firstCursorPosition();
                if (start.block().text().isEmpty() &&
                    start.block().next().position() <= cell.lastCursorPosition().position())
                    start.deleteChar();
                QTextCharFormat cellFormat = cell.format();
                cellFormat.setVerticalAlignment(QTextCharFormat::AlignTop);
                if (row == 0)
                    cellFormat.setFontWeight(QFont::Bold);
                if (row == 0) {
                    QTextCursor text = cell.firstCursorPosition();
                    text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    text.mergeCharFormat(cellFormat);
                }
                cell.setFormat(cellFormat);
            }
        }
    }
}

// Qt has no "keep with next": a heading that would stand at the foot of a
// page, with less than a few lines of room under it, starts the next page.
// One heading at a time from the top, each after a fresh layout, since every
// break moves what follows.
void keepHeadingsWithText(QTextDocument &doc)
{
    const qreal pageHeight = doc.pageSize().height();
    const qreal room = 4 * QFontMetricsF(doc.defaultFont()).lineSpacing();
    QTextBlock from = doc.begin();
    for (;;) {
        doc.markContentsDirty(0, doc.characterCount());
        doc.pageCount(); // lays the whole document out
        QTextBlock found;
        for (QTextBlock block = from; block.isValid(); block = block.next()) {
            const QTextBlockFormat format = block.blockFormat();
            if (format.headingLevel() < 1 || !block.next().isValid() ||
                format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            const QRectF box = doc.documentLayout()->blockBoundingRect(block);
            if (box.top() > 0 && pageHeight - std::fmod(box.bottom(), pageHeight) < room) {
                found = block;
                break;
            }
        }
        if (!found.isValid())
            return;
        QTextBlockFormat format = found.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(found).setBlockFormat(format);
        from = found.next();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    if (args.size() != 2)
        return fail(QStringLiteral("usage: mkmanual IN.md OUT.pdf"));
    const QString inPath = args.at(0);
    const QString outPath = args.at(1);

    QFile in(inPath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(inPath, in.errorString()));
    const QString markdown = QString::fromUtf8(in.readAll());
    in.close();
    if (markdown.trimmed().isEmpty())
        return fail(QStringLiteral("%1 is empty").arg(inPath));

    QTextDocument doc;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSizeF(BodyPointSize);
    doc.setDefaultFont(body);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (doc.isEmpty())
        return fail(QStringLiteral("%1 gave an empty document").arg(inPath));
    tidy(doc);

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(Resolution);
        const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                 QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                 QPageLayout::Millimeter);
        if (!writer.setPageLayout(layout))
            return fail(QStringLiteral("the A4 page layout was refused"));
        writer.setTitle(QFileInfo(inPath).completeBaseName() + QStringLiteral(" - YKT4M Loader"));
        writer.setCreator(QStringLiteral("mkmanual"));

        // The printable area in the document's layout units: a paginated
        // document is printed page for page, scaled to that area.
        const QSizeF area = writer.pageLayout().paintRect(QPageLayout::Inch).size() * LayoutDpi;
        doc.setPageSize(area);
        keepHeadingsWithText(doc);
        doc.print(&writer);
    }
    pdf.close();
    const QByteArray bytes = pdf.data();
    if (!bytes.startsWith("%PDF") || doc.pageCount() < 1)
        return fail(QStringLiteral("no PDF was produced for %1").arg(inPath));

    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(outPath, out.errorString()));
    if (out.write(bytes) != bytes.size() || !out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(outPath, out.errorString()));
    std::printf("%s: %d pages\n", qPrintable(QFileInfo(outPath).fileName()), doc.pageCount());
    return 0;
}
