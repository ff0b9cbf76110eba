#pragma once

// The "Main Screen" tab (TntTabSheet4): the work-mode choice with its
// description, the language list, the manual button, "Load Template" with the
// name of the template last loaded under it ("Opened:"), "Set settings to
// factory default" and "Manual Configuration".
//
// A press on a work-mode radio button does not check it by itself: the
// press is reported (workModePressed) before the button changes, and the
// window decides whether the mode changes (it may ask first); the button of
// the mode then in force is checked by showWorkMode.

#include "settings/registers.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ykt {

class TMainScreen : public QWidget
{
    Q_OBJECT
public:
    explicit TMainScreen(QWidget *parent = nullptr);

    QRadioButton *communicatorButton() const { return m_communicator; }
    QRadioButton *advancedButton() const { return m_advanced; }
    QRadioButton *magellanButton() const { return m_magellan; }
    QRadioButton *alarmSystemButton() const { return m_alarmSystem; }
    QRadioButton *radioButtonOf(WorkMode mode) const;
    QPlainTextEdit *description() const { return m_description; }
    QComboBox *languageList() const { return m_languageList; }
    QLabel *manualLabel() const { return m_manualLabel; }
    QPushButton *manualButton() const { return m_manualButton; }
    QPushButton *loadTemplateButton() const { return m_loadTemplate; }
    QPushButton *factoryDefaultButton() const { return m_factoryDefault; }
    QLabel *openedCaption() const { return m_openedCaption; }
    QLabel *openedTemplate() const { return m_openedTemplate; }
    QPushButton *manualConfigurationButton() const { return m_manualConfiguration; }

    // Checks the mode's radio button, draws its caption white and the other
    // three light grey, and shows the description; every "\" of it becomes a
    // line break.
    void showWorkMode(WorkMode mode, const QString &description);
    // A declined change: the mode's button is checked again and has the focus.
    void restoreWorkMode(WorkMode mode);

signals:
    // A work-mode radio button was pressed; the mode it stands for
    // (Communicator for any button but "Advanced communicator" and "Magellan").
    void workModePressed(WorkMode mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRadioButton *m_communicator;
    QRadioButton *m_advanced;
    QRadioButton *m_magellan;
    QRadioButton *m_alarmSystem;
    QPlainTextEdit *m_description;
    QComboBox *m_languageList;
    QLabel *m_manualLabel;
    QPushButton *m_manualButton;
    QPushButton *m_loadTemplate;
    QPushButton *m_factoryDefault;
    QLabel *m_openedCaption;
    QLabel *m_openedTemplate; // the file name; not a control the language names
    QPushButton *m_manualConfiguration;
};

} // namespace ykt
