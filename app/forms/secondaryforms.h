#pragma once

// The secondary windows of the program, created once at start-up after the
// main window, in this order: Form2 (the SMS phrases the module's templates
// use; never shown), Form3 (the help SMS editor), Form4 (the SMS text editor),
// Form5 (progress, in progressdialog.h), Form6 (the additional SMS texts) and
// PopupForm. Their editing content comes with the text-editor pages; here
// they are the named windows the language file addresses.

#include <QDialog>
#include <QString>

#include <optional>

class QPlainTextEdit;

namespace ykt {

class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);
};

class TForm3 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
    // The module's help text arrives here, not at the main window.
    void OnHelpText(quint8 idx, const QByteArray &phrase);
    QByteArray helpText(int idx) const;

private:
    QByteArray m_parts[3];
};

// "Edit SMS Text": an input's SMS text in a multi-line field. Enter in the
// field presses "&OK", Esc "&Cancel".
class TForm4 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);
    QPlainTextEdit *Memo1() const { return m_memo; }
    // Opens the dialog, centred over its parent and modal, with text in the
    // field, all of it selected; the field's text on OK, nothing on Cancel.
    std::optional<QString> EditText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPlainTextEdit *m_memo;
};

class TForm6 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm6(QWidget *parent = nullptr);
};

class TPopupForm : public QDialog
{
    Q_OBJECT
public:
    explicit TPopupForm(QWidget *parent = nullptr);
};

} // namespace ykt
