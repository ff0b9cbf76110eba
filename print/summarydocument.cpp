#include "print/summarydocument.h"

#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <memory>

namespace ykt {

namespace {

QTextCharFormat styleOf(SummaryPiece::Kind kind)
{
    QTextCharFormat format;
    switch (kind) {
    case SummaryPiece::Kind::Heading:
        format.setFontUnderline(true);
        break;
    case SummaryPiece::Kind::Label:
        format.setFontWeight(QFont::Bold);
        break;
    case SummaryPiece::Kind::BlueLine:
        format.setForeground(Qt::blue);
        break;
    default:
        break;
    }
    return format;
}

} // namespace

void fillSummaryDocument(QTextDocument *document, const Summary &summary)
{
    document->clear();
    QTextOption option = document->defaultTextOption();
    QList<QTextOption::Tab> tabs;
    for (int stop : SummaryTabStops)
        tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
    option.setTabs(tabs);
    document->setDefaultTextOption(option);

    // Every line carries the tab stops (a text edit lays its blocks out
    // with their own format).
    QTextBlockFormat line;
    line.setTabPositions(tabs);
    QTextCursor cursor(document);
    cursor.setBlockFormat(line);
    const QTextCharFormat plain = styleOf(SummaryPiece::Kind::PlainLine);
    const auto newLine = [&](const QString &text, const QTextCharFormat &format) {
        cursor.insertBlock(line, plain);
        cursor.insertText(text, format);
    };
    for (const SummaryPiece &p : summary) {
        switch (p.kind) {
        case SummaryPiece::Kind::Heading:
        case SummaryPiece::Kind::Label:
        case SummaryPiece::Kind::BlueLine:
        case SummaryPiece::Kind::PlainLine:
            newLine(p.text, styleOf(p.kind));
            break;
        case SummaryPiece::Kind::Value:
            cursor.insertText(p.text, plain);
            break;
        case SummaryPiece::Kind::BlankLine:
            newLine(QStringLiteral(" "), plain);
            break;
        case SummaryPiece::Kind::Separator:
            newLine(QString(SummarySeparatorLength, QLatin1Char('_')), plain);
            newLine(QStringLiteral(" "), plain);
            break;
        }
    }
}

bool paintSummaryCopies(const QTextDocument &source, QPagedPaintDevice *device, int copies,
                        QString *error)
{
    QPainter painter;
    if (!painter.begin(device)) {
        *error = QStringLiteral("the printer or file could not be opened");
        return false;
    }
    // Laid out as on the screen and scaled to the device, so that the tab
    // stops and the fonts keep their proportions on paper.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal screenDpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    const qreal scale = device->logicalDpiX() / screenDpi;
    const QRect paint = device->pageLayout().paintRectPixels(device->logicalDpiX());
    const QSizeF page(paint.width() / scale, paint.height() / scale);
    std::unique_ptr<QTextDocument> document(source.clone());
    document->setPageSize(page);
    const int pages = document->pageCount();
    bool first = true;
    for (int copy = 0; copy < qMax(1, copies); ++copy) {
        for (int p = 0; p < pages; ++p) {
            if (!first && !device->newPage()) {
                *error = QStringLiteral("a new page could not be started");
                return false;
            }
            first = false;
            painter.save();
            painter.scale(scale, scale);
            painter.translate(0, -p * page.height());
            document->drawContents(&painter, QRectF(QPointF(0, p * page.height()), page));
            painter.restore();
        }
    }
    return painter.end();
}

bool exportSummaryPdf(const QTextDocument &document, const QString &path, const QString &title,
                      QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QGuiApplication::applicationName());
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        if (!paintSummaryCopies(document, &writer, 1, error))
            return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ykt
