// The settings summary of the window: built from the model with the
// captions of the live controls, shown on the Summary page, printed and
// exported as PDF.

#include "app/forms/tform1.h"

#include "device/tykt2.h"
#include "print/summarydocument.h"
#include "util/logging.h"
#include "wizard/mainscreen.h"
#include "wizard/wizardtab.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>

namespace ykt {

namespace {

// The captions as the window shows them now: the language applied to the
// controls, the captions the pages set themselves (the outputs' names by
// module type) included.
class WindowSummaryTexts : public SummaryTexts
{
public:
    WindowSummaryTexts(const TForm1 &form, QList<const QWidget *> roots)
        : m_form(form), m_roots(std::move(roots))
    {}

    QString caption(const char *component, const char *fallback) const override
    {
        QString text;
        if (const QWidget *w = find(component)) {
            if (const auto *label = qobject_cast<const QLabel *>(w))
                text = label->text();
            else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
                text = button->text();
            else if (const auto *group = qobject_cast<const QGroupBox *>(w))
                text = group->title();
        }
        return text.isEmpty() ? QString::fromUtf8(fallback) : text;
    }

    QString item(const char *component, int index, const char *fallback) const override
    {
        const auto *list = qobject_cast<const QComboBox *>(find(component));
        if (list && index >= 0 && index < list->count())
            return list->itemText(index);
        return QString::fromUtf8(fallback);
    }

    QString message(int number) const override { return m_form.MessageW(number); }
    QString text(const QByteArray &bytes) const override { return m_form.ToUnicode(bytes); }

private:
    const QWidget *find(const char *component) const
    {
        const QString name = QLatin1String(component);
        for (const QWidget *root : m_roots) {
            if (const auto *w = root->findChild<const QWidget *>(name))
                return w;
        }
        return nullptr;
    }

    const TForm1 &m_form;
    QList<const QWidget *> m_roots;
};

} // namespace

Summary TForm1::BuildSummary()
{
    CommitPages();
    SummaryContext context;
    context.workMode = m_workMode;
    context.basicModel = m_capabilities.basicModel;
    context.ykt3Type = m_capabilities.ykt3Type;
    context.relayLess = m_capabilities.relayLess;
    const SendContext send = sendContext();
    context.settingsLocked = send.settingsLocked;
    context.firmwareVersion = send.firmwareVersion;
    context.events = &m_cid;
    // The wizard's pages first: the progress dialog has controls of the
    // same names.
    const WindowSummaryTexts texts(*this, {m_wizardTab, m_mainScreen});
    return buildSummary(m_model, context, texts);
}

QString TForm1::summaryTitle() const
{
    const QByteArray product = m_driver ? m_driver->ProductName() : QByteArray();
    return QString::fromLatin1(product) + QStringLiteral(" settings");
}

void TForm1::PrintSummary()
{
    QTextDocument document;
    fillSummaryDocument(&document, BuildSummary());
    QPrinter printer;
    printer.setDocName(summaryTitle());
    // Cancel in the printer dialog leaves everything as it is.
    if (!dialogs().askPrinter(this, &printer))
        return;
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    QString error;
    if (!paintSummaryCopies(document, &printer, copies, &error)) {
        qCWarning(lcUi) << "Summary not printed:" << error;
        ShowMessageBox(
            MessageOr(PrinterNotStartedMessage, "The printer could not be started: %1", {error}),
            DialogSeam::Icon::Error);
    }
}

void TForm1::ExportSummaryPdf()
{
    DialogSeam::FileChoice choice;
    choice.title = captionOf("TntBitBtnExportPdf");
    choice.folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    choice.fileName = summaryTitle().trimmed() + QStringLiteral(".pdf");
    choice.filter = QStringLiteral("PDF (*.pdf)");
    choice.defaultSuffix = QStringLiteral("pdf");
    std::optional<QString> chosen = dialogs().askSaveFile(this, choice);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = *chosen;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QTextDocument document;
    fillSummaryDocument(&document, BuildSummary());
    QString error;
    if (!exportSummaryPdf(document, path, summaryTitle(), &error)) {
        qCWarning(lcUi) << "Summary not exported:" << error;
        ShowMessageBox(
            MessageOr(PdfNotWrittenMessage, "The PDF file could not be written: %1", {error}),
            DialogSeam::Icon::Error);
        return;
    }
    ShowMessageBox(MessageOr(SummaryExportedMessage, "The summary was exported to %1",
                             {QDir::toNativeSeparators(path)}),
                   DialogSeam::Icon::Information);
}

} // namespace ykt
