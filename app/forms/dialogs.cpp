#include "app/forms/dialogs.h"

#include <QAbstractButton>
#include <QInputDialog>

namespace ykt {

namespace {

class QtDialogs : public DialogSeam
{
public:
    QMessageBox::StandardButton message(QWidget *parent, const Box &box) override
    {
        QMessageBox mb(parent);
        switch (box.icon) {
        case Icon::None:
            break;
        case Icon::Information:
            mb.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            mb.setIcon(QMessageBox::Warning);
            break;
        case Icon::Error:
            mb.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            mb.setIcon(QMessageBox::Question);
            break;
        }
        mb.setWindowTitle(box.title);
        mb.setText(box.text);
        mb.setStandardButtons(box.buttons);
        if (box.defaultButton != QMessageBox::NoButton)
            mb.setDefaultButton(box.defaultButton);
        const auto caption = [&mb](QMessageBox::StandardButton which, const QString &text) {
            if (QAbstractButton *b = mb.button(which); b && !text.isEmpty())
                b->setText(text);
        };
        caption(QMessageBox::Yes, box.yesText);
        caption(QMessageBox::No, box.noText);
        caption(QMessageBox::Cancel, box.cancelText);
        caption(QMessageBox::Ok, box.okText);
        return QMessageBox::StandardButton(mb.exec());
    }

    std::optional<QString> askText(QWidget *parent, const QString &title, const QString &prompt,
                                   const QString &initial, Echo echo) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(
            parent, title, prompt, echo == Echo::Password ? QLineEdit::Password : QLineEdit::Normal,
            initial, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }
};

QtDialogs qtDialogs;
DialogSeam *installed = nullptr;

} // namespace

DialogSeam &dialogs()
{
    return installed ? *installed : qtDialogs;
}

void setDialogs(DialogSeam *seam)
{
    installed = seam;
}

} // namespace ykt
