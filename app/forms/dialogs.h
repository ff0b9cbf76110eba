#pragma once

// The one seam through which the program asks the user something in a modal
// dialog: message boxes, text prompts, file choosers and the printer dialog.
// The windows never call exec() on a QMessageBox or a
// QInputDialog themselves, so tests can answer in advance instead of hanging
// on a modal loop.

#include <QMessageBox>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace ykt {

class DialogSeam
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Error,
        Question
    };

    struct Box
    {
        Icon icon = Icon::None;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        // Captions for the buttons, when the language gives them.
        QString yesText, noText, cancelText, okText;
    };

    virtual ~DialogSeam() = default;

    // A modal message box; the button pressed (Cancel or the default when
    // the box is closed otherwise).
    virtual QMessageBox::StandardButton message(QWidget *parent, const Box &box) = 0;

    // How a prompt shows what is typed.
    enum class Echo
    {
        Normal,
        Password // typed hidden
    };

    // A modal one-line prompt; nothing when the user cancels.
    virtual std::optional<QString> askText(QWidget *parent, const QString &title,
                                           const QString &prompt, const QString &initial,
                                           Echo echo = Echo::Normal) = 0;

    // What a file chooser offers.
    struct FileChoice
    {
        QString title;
        QString folder;        // where it starts
        QString fileName;      // proposed (save) or empty
        QString filter;        // "Templates (*.tpl)"
        QString defaultSuffix; // added to a name typed without one (save)
    };
    // The save and open choosers: the chosen path, nothing on Cancel. The
    // save chooser does not ask about an existing file; the caller does.
    // A seam that does not offer them cancels.
    virtual std::optional<QString> askSaveFile(QWidget *, const FileChoice &)
    {
        return std::nullopt;
    }
    virtual std::optional<QString> askOpenFile(QWidget *, const FileChoice &)
    {
        return std::nullopt;
    }

    // The printer dialog on printer: true when the user confirmed.
    virtual bool askPrinter(QWidget *, QPrinter *) { return false; }
};

// The dialogs the program uses: Qt's own unless a test installed others.
DialogSeam &dialogs();
// Installs another seam (tests); null restores Qt's dialogs.
void setDialogs(DialogSeam *seam);

} // namespace ykt
