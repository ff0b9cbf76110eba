#include "settings/pages/summarypage.h"

#include "print/summarydocument.h"
#include "settings/pages/pagehost.h"
#include "wizard/pagelist.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace ykt {

TSummaryPage::TSummaryPage(PageHost &host, QWidget *parent)
    : TConfigPage(host, SummaryPageIndex, parent), m_memo(new QTextEdit(this))
{
    setObjectName(QStringLiteral("TSummaryPage"));
    m_memo->setObjectName(QStringLiteral("Memo_Summ"));
    m_memo->setReadOnly(true);
    m_memo->setUndoRedoEnabled(false);
    m_memo->setLineWrapMode(QTextEdit::NoWrap);
    m_memo->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
}

void TSummaryPage::Enter()
{
    fillSummaryDocument(m_memo->document(), host().BuildSummary());
    m_memo->moveCursor(QTextCursor::Start);
    m_memo->ensureCursorVisible();
}

bool TSummaryPage::eventFilter(QObject *watched, QEvent *event)
{
    // Each wheel step scrolls by one line: down when the wheel turns
    // towards the user.
    if (watched == m_memo->viewport() && event->type() == QEvent::Wheel) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const int steps = wheel->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
        if (steps != 0) {
            QScrollBar *bar = m_memo->verticalScrollBar();
            bar->setValue(bar->value() - steps * QFontMetrics(m_memo->font()).lineSpacing());
        }
        return true;
    }
    return TConfigPage::eventFilter(watched, event);
}

} // namespace ykt
