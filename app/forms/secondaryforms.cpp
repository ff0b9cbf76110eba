#include "app/forms/secondaryforms.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ykt {

namespace {

void name(QDialog *d, const char *objectName, const char *title)
{
    d->setObjectName(QLatin1String(objectName));
    d->setWindowTitle(QLatin1String(title));
}

} // namespace

TForm2::TForm2(QWidget *parent) : QDialog(parent)
{
    name(this, "Form2", "YKT3 SMS Phrases");
}

TForm3::TForm3(QWidget *parent) : QDialog(parent)
{
    name(this, "Form3", "Help SMS");
}

void TForm3::OnHelpText(quint8 idx, const QByteArray &phrase)
{
    if (idx < 3)
        m_parts[idx] = phrase;
}

QByteArray TForm3::helpText(int idx) const
{
    return idx >= 0 && idx < 3 ? m_parts[idx] : QByteArray();
}

TForm4::TForm4(QWidget *parent) : QDialog(parent), m_memo(new QPlainTextEdit(this))
{
    name(this, "Form4", "Edit SMS Text");
    m_memo->setObjectName(QStringLiteral("Memo1"));
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("TntButton1"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("TntButton2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addWidget(buttons);
    m_memo->installEventFilter(this);
}

std::optional<QString> TForm4::EditText(const QString &text)
{
    m_memo->setPlainText(text);
    m_memo->selectAll();
    m_memo->setFocus();
    if (QWidget *owner = parentWidget()) {
        adjustSize();
        move(owner->frameGeometry().center() - rect().center());
    }
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_memo->toPlainText();
}

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the text field closes the dialog with OK instead of starting
    // a new line.
    if (watched == m_memo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

TForm6::TForm6(QWidget *parent) : QDialog(parent)
{
    name(this, "Form6", "Additional SMS Texts");
}

TPopupForm::TPopupForm(QWidget *parent) : QDialog(parent, Qt::Popup)
{
    name(this, "PopupForm", "");
}

} // namespace ykt
