#include "app/forms/progressdialog.h"

#include "app/forms/busybar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace ykt {

TForm5::TForm5(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_label1(new QLabel(QStringLiteral("Reading YKT3 Settings"), this)),
      m_label2(new QLabel(QStringLiteral("Reading YKT3 Settings"), this)),
      m_label3(new QLabel(QStringLiteral("Please wait..."), this)), m_bar(new BusyBar(this))
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("YKT4M Loader"));
    setWindowModality(Qt::ApplicationModal);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_bar->setObjectName(QStringLiteral("MDHProgress1"));
    for (QLabel *l : {m_label1, m_label2, m_label3})
        l->setAlignment(Qt::AlignCenter);
    QFont bold = m_label1->font();
    bold.setBold(true);
    m_label1->setFont(bold);
    m_label2->setFont(bold);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(m_label1);
    layout->addWidget(m_label2);
    layout->addWidget(m_label3);
    layout->addWidget(m_bar);
    m_label1->hide();
    setFixedSize(300, 120);
}

void TForm5::showFor(bool reading)
{
    m_label1->setVisible(!reading);
    m_label2->setVisible(reading);
    if (isVisible())
        return;
    if (QWidget *p = parentWidget())
        move(p->geometry().center() - rect().center());
    show();
}

void TForm5::showEvent(QShowEvent *event)
{
    if (!m_waitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitCursor = true;
    }
    QDialog::showEvent(event);
}

void TForm5::hideEvent(QHideEvent *event)
{
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
    QDialog::hideEvent(event);
}

// The user cannot dismiss the dialog; the program closes it when the work ends.
void TForm5::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TForm5::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace ykt
