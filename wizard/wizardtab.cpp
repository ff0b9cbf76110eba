#include "wizard/wizardtab.h"

#include "wizard/steplist.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ykt {

namespace {

QPushButton *button(const char *caption, const char *name)
{
    auto *b = new QPushButton(QLatin1String(caption));
    if (name)
        b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

TWizardPage::TWizardPage(int pageIndex, QWidget *parent) : QWidget(parent), m_index(pageIndex)
{
    const ConfigurationPage &p = ConfigurationPages[pageIndex];
    setObjectName(QLatin1String(p.name));
    m_header = new QWidget(this);
    m_header->setObjectName(QLatin1String(p.name) + QStringLiteral("Header"));
    m_header->setFixedHeight(TWizardTab::HeaderHeight);
    auto *headerLayout = new QHBoxLayout(m_header);
    headerLayout->setContentsMargins(8, 0, 8, 0);
    m_title = new QLabel(QLatin1String(p.defaultTitle), m_header);
    m_title->setObjectName(QLatin1String(p.name) + QStringLiteral("Title"));
    QFont f = m_title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    m_title->setFont(f);
    m_subtitle = new QLabel(m_header);
    m_subtitle->setObjectName(QLatin1String(p.name) + QStringLiteral("Subtitle"));
    m_watermark = new QLabel(m_header);
    m_watermark->setObjectName(QLatin1String(p.name) + QStringLiteral("Watermark"));
    headerLayout->addWidget(m_title);
    headerLayout->addWidget(m_subtitle, 1);
    headerLayout->addWidget(m_watermark);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_header);
    m_layout->addStretch(1);
}

void TWizardPage::setContent(QWidget *content)
{
    if (m_content) {
        m_layout->removeWidget(m_content);
        m_content->deleteLater();
    } else {
        // The stretch kept the header at the top of an empty page.
        delete m_layout->takeAt(1);
    }
    m_content = content;
    content->setParent(this);
    m_layout->addWidget(content, 1);
}

TWizardTab::TWizardTab(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TntTabSheet3"));
    m_steps = new TStepList(this);
    connect(m_steps, &TStepList::stepClicked, this, &TWizardTab::stepClicked);

    m_container = new QStackedWidget;
    m_container->setObjectName(QStringLiteral("wzrd1"));
    for (int i = 0; i < ConfigurationPageCount; ++i) {
        m_pages[i] = new TWizardPage(i);
        m_container->addWidget(m_pages[i]);
    }

    // The container's own buttons.
    m_back = button("< Back", nullptr);
    m_next = button("Next >", nullptr);
    m_cancel = button("Cancel", nullptr);
    m_back->hide();
    m_next->hide();
    connect(m_cancel, &QPushButton::clicked, this, &TWizardTab::cancelClicked);
    // Esc presses Cancel while the pages are shown.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, m_cancel, &QPushButton::click);
    auto *containerButtons = new QHBoxLayout;
    containerButtons->addStretch(1);
    containerButtons->addWidget(m_back);
    containerButtons->addWidget(m_next);
    containerButtons->addWidget(m_cancel);

    m_manageMessages = button("Manage Messages", "TntBitBtn1");
    m_manageMessages->hide();
    m_saveTemplate = button("Save New Template", "TntButton26");
    m_print = button("Print", "TntBitBtn2");
    m_exportPdf = button("Export PDF...", "TntBitBtnExportPdf");
    m_send = button("Send data to Module", "TntButton1");
    // Enter presses it.
    m_send->setDefault(true);
    m_send->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_manageMessages);
    buttons->addStretch(1);
    buttons->addWidget(m_saveTemplate);
    buttons->addWidget(m_print);
    buttons->addWidget(m_exportPdf);
    buttons->addWidget(m_send);

    auto *right = new QVBoxLayout;
    right->addWidget(m_container, 1);
    right->addLayout(containerButtons);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 4, 4);
    layout->addWidget(m_steps);
    layout->addLayout(right, 1);
}

TWizardPage *TWizardTab::page(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= ConfigurationPageCount)
        return nullptr;
    return m_pages[pageIndex];
}

int TWizardTab::currentPage() const
{
    return m_container->currentIndex();
}

void TWizardTab::showPage(int pageIndex)
{
    if (!page(pageIndex))
        return;
    m_container->setCurrentIndex(pageIndex);
    m_steps->highlight(pageIndex);
}

void TWizardTab::setPageSkipped(int pageIndex, bool skipped)
{
    if (!page(pageIndex))
        return;
    m_pages[pageIndex]->setEnabled(!skipped);
    m_steps->stepLabel(pageIndex)->setVisible(!skipped);
    m_steps->layOut();
}

bool TWizardTab::pageSkipped(int pageIndex) const
{
    return page(pageIndex) && !m_pages[pageIndex]->isEnabled();
}

void TWizardTab::prepareHeaders()
{
    for (TWizardPage *p : m_pages) {
        p->subtitle()->hide();
        p->watermark()->hide();
        p->header()->setFixedHeight(HeaderHeight);
    }
    m_back->hide();
    m_next->hide();
    m_cancel->show();
}

void TWizardTab::setPageTexts(int pageIndex, const QString &title, const QString &subtitle)
{
    if (!page(pageIndex))
        return;
    m_pages[pageIndex]->title()->setText(title);
    m_pages[pageIndex]->subtitle()->setText(subtitle);
    m_steps->stepLabel(pageIndex)->setText(title);
}

void TWizardTab::setContainerButtonTexts(const QString &next, const QString &back,
                                         const QString &cancel)
{
    m_next->setText(next);
    m_back->setText(back);
    m_cancel->setText(cancel);
}

} // namespace ykt
