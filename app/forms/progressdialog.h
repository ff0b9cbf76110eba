#pragma once

// Form5, the progress dialog of a read or a write: "Please wait..." over an
// endless animation. While it is shown the main window is blocked and the
// pointer is an hourglass.

#include <QDialog>

class QLabel;

namespace ykt {

class BusyBar;

class TForm5 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    QLabel *Label1() const { return m_label1; } // while settings are written
    QLabel *Label2() const { return m_label2; } // while they are read
    QLabel *Label3() const { return m_label3; }
    BusyBar *MDHProgress1() const { return m_bar; }

    // Shows the dialog for a read (Label2) or a write (Label1), centred on
    // its parent; a dialog already shown stays as it is.
    void showFor(bool reading);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_label1;
    QLabel *m_label2;
    QLabel *m_label3;
    BusyBar *m_bar;
    bool m_waitCursor = false;
};

} // namespace ykt
