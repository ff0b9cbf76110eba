#include "app/forms/dialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>

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

    std::optional<QString> askSaveFile(QWidget *parent, const FileChoice &choice) override
    {
        QFileDialog dialog(parent, choice.title, choice.folder, choice.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The caller asks its own overwrite question, in the user's language.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(choice.defaultSuffix);
        if (!choice.fileName.isEmpty())
            dialog.selectFile(choice.fileName);
        return chosen(dialog);
    }

    std::optional<QString> askOpenFile(QWidget *parent, const FileChoice &choice) override
    {
        // Any path may be chosen: a missing file is the caller's message.
        QFileDialog dialog(parent, choice.title, choice.folder, choice.filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        return chosen(dialog);
    }

    bool askPrinter(QWidget *parent, QPrinter *printer) override
    {
        QPrintDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

private:
    static std::optional<QString> chosen(QFileDialog &dialog)
    {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
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
