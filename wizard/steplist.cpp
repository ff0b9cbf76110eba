#include "wizard/steplist.h"

#include <QMouseEvent>

namespace ykt {

namespace {

constexpr int LeftMargin = 12;
constexpr int FirstStepTop = 44;
constexpr int PanelWidth = 190;

} // namespace

TStepLabel::TStepLabel(int pageIndex, QWidget *parent) : QLabel(parent), m_pageIndex(pageIndex)
{
    setObjectName(stepLabelName(pageIndex));
    setProperty("Tag", pageIndex);
    setText(QLatin1String(ConfigurationPages[pageIndex].defaultTitle));
    setWordWrap(true);
    setHighlighted(false);
}

void TStepLabel::setHighlighted(bool on)
{
    m_highlighted = on;
    QFont f = font();
    f.setBold(on);
    f.setUnderline(!on);
    f.setPointSize(on ? 9 : 8);
    setFont(f);
    setColour(on ? QColor(Qt::white) : QColor(TStepList::LightGrey));
    fitToText();
}

void TStepLabel::fitToText()
{
    const int width = PanelWidth - 2 * LeftMargin;
    resize(width, heightForWidth(width));
}

void TStepLabel::setColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void TStepLabel::enterEvent(QEnterEvent *event)
{
    setColour(Qt::white);
    setCursor(Qt::PointingHandCursor);
    QLabel::enterEvent(event);
}

void TStepLabel::leaveEvent(QEvent *event)
{
    if (!font().bold())
        setColour(QColor(TStepList::LightGrey));
    unsetCursor();
    QLabel::leaveEvent(event);
}

void TStepLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(m_pageIndex);
    QLabel::mousePressEvent(event);
}

TStepList::TStepList(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TntPanel11"));
    setFixedWidth(PanelWidth);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(TStepList::PanelColour));
    setPalette(p);

    m_modeLabel = new QLabel(QStringLiteral("Indipendent Alarm System"), this);
    m_modeLabel->setObjectName(QStringLiteral("TntLabel59"));
    QFont bold = m_modeLabel->font();
    bold.setBold(true);
    m_modeLabel->setFont(bold);
    QPalette white = m_modeLabel->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_modeLabel->setPalette(white);
    m_modeLabel->setWordWrap(true);
    m_modeLabel->setGeometry(LeftMargin, 10, PanelWidth - 2 * LeftMargin, 28);

    for (int i = 0; i < ConfigurationPageCount; ++i) {
        m_steps[i] = new TStepLabel(i, this);
        connect(m_steps[i], &TStepLabel::clicked, this, &TStepList::stepClicked);
    }
    m_steps[0]->move(LeftMargin, FirstStepTop);
    layOut();
}

TStepLabel *TStepList::stepLabel(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= ConfigurationPageCount)
        return nullptr;
    return m_steps[pageIndex];
}

void TStepList::highlight(int pageIndex)
{
    for (TStepLabel *label : m_steps)
        label->setHighlighted(label->pageIndex() == pageIndex);
    layOut();
}

void TStepList::layOut()
{
    // isHidden, not isVisible: the list lays out also while its tab is not shown.
    const TStepLabel *previous = nullptr;
    for (TStepLabel *label : m_steps) {
        if (label->isHidden())
            continue;
        label->fitToText();
        if (previous)
            label->move(previous->x(), previous->geometry().bottom() + 1 + Spacing);
        previous = label;
    }
}

} // namespace ykt
