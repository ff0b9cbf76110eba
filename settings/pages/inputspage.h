#pragma once

// The Inputs page, the content of WPage3: the six inputs of the module, each
// with what it does when it trips (nothing, a Contact ID event to the
// monitoring station or an SMS text to the users), its contact type,
// sensitivity and no-reaction time, its Contact ID event with the event
// picker of the event's group and zone, and its SMS text.
//
// The six input records live in the settings model. The page shows them
// after a read, a template or the factory default and writes every change of
// a control into its record at once, so the model always holds what the
// page shows, with two exceptions that keep what the module holds until the
// user changes the input: a function code that the function list does not
// offer, and a Contact ID code that no event of CID_Descriptions.txt has
// (the record's bytes and its Restore bit stay as they were).
//
// Events are chosen by their position in the Contact ID table; the picker's
// names are those of the item-name table, and a rename through a picker goes
// into that table at once (the Phrases page and every other picker hear of
// it through the announcer).

#include "settings/inputfields.h"
#include "settings/pages/configpage.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;
class QWidget;

namespace ykt {

class TEventPicker;

class TInputsPage : public TConfigPage
{
    Q_OBJECT
public:
    static constexpr int InputCount = SettingsModel::InputCount;
    // The function codes of the function list.
    enum Function
    {
        NotUsed = 0,
        SendCID = 1,
        SendSMS = 2
    };

    // The SMS text dialog: the text given, the text accepted (nothing when
    // cancelled).
    using SmsTextEditor = std::function<std::optional<QString>(const QString &)>;

    // cid is the Contact ID table the window keeps (it may be refilled; the
    // lists are rebuilt with the language). editor opens "Edit SMS Text".
    TInputsPage(PageHost &host, const TCIDDescriptions *cid, SmsTextEditor editor,
                QWidget *parent = nullptr);
    ~TInputsPage() override;

    // --- The page ---
    // Every input from its record, then the rules of all six.
    void Show() override;
    // Every input into its record (the exceptions above keep the record).
    void Commit() override;
    // The "!" rule, which follows the Users page.
    void Enter() override;
    // The refresh after a read: as Show.
    void AfterRead() override { Show(); }
    // The lists rebuilt with their first entry selected; the Advanced
    // communicator has no inputs 5 and 6.
    void ApplyWorkMode(WorkMode mode) override;
    // The captions of input 1 passed on to inputs 2 to 6, the unit label of
    // the no-reaction time and the lists (their selections kept).
    void ApplyLanguageTexts() override;

    // --- One input (i = 0 for input 1 ... 5 for input 6) ---
    // Record i on the controls (its rules not yet applied).
    void ShowInput(int i);
    // What the controls of input i show, into record i.
    void CommitInput(int i);
    // Shows and hides the parts of input i for its function.
    void ApplyFunctionRule(int i);
    void ApplyAllInputRules();
    // The "!" marks: an input sending SMS while no user with a number gets
    // the alarm SMS.
    void ApplyWarningRule();
    // The example SMS of input i, shown as the hint of its "SMS" mark;
    // nothing when its event gives none.
    std::optional<QString> ExampleSms(int i) const { return m_example[size_t(i)]; }
    // Opens "Edit SMS Text" for input i.
    void EditSmsText(int i);
    // The name of the entry on side `side` of input i's picker becomes text,
    // in the item-name table and in every picker showing that item.
    void RenameItem(int i, int side, const QString &text);

    TEventPicker *picker(int i) const;

    // --- Arrivals: the model holds the value already ---
    // Before firmware 1026 the SMS texts come last: each input is shown as
    // its text arrives, and after input 6 the rules of all of them run.
    void OnInputSMSText(int idx);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct InputControls
    {
        QGroupBox *box = nullptr;
        QComboBox *function = nullptr;
        QWidget *smsPanel = nullptr;
        QLineEdit *smsText = nullptr;
        QPushButton *edit = nullptr;
        QWidget *parameters = nullptr;
        QLabel *parametersLabel = nullptr;
        QComboBox *type = nullptr;
        QSpinBox *sensitivity = nullptr;
        QTimeEdit *noReaction = nullptr;
        QWidget *cidPanel = nullptr;
        QComboBox *event = nullptr;
        TEventPicker *picker = nullptr;
        QCheckBox *restore = nullptr;
        QCheckBox *event24h = nullptr;
        QLabel *smsMark = nullptr;
        QLabel *warning = nullptr;
        // The captions input 1 passes on, in the order of copyCaptions.
        QList<QWidget *> captions;
    };

    void buildInput(int i, QWidget *parent);
    void bindInput(int i);
    void fillFunctionList(int i);
    void fillEventList(int i);
    // The picker and the Restore and 24-hour boxes for the chosen event.
    void applyCidChoice(int i);
    void rebuildExample(int i);
    void edited(int i);
    void redrawPickers();
    const TCIDDescription *chosenEvent(int i) const;
    QString nameOf(TCIDNameList list, int k) const;

    const TCIDDescriptions *m_cid;
    SmsTextEditor m_editor;
    std::array<InputControls, InputCount> m_in;
    QLabel *m_heading = nullptr;
    std::array<std::optional<QString>, InputCount> m_example;
    // The record's function is in the list, so the controls show it.
    std::array<bool, InputCount> m_functionShown{};
    // The record's Contact ID code has no event: its bytes are kept.
    std::array<bool, InputCount> m_cidKept{};
    // The user changed one of the input's controls since it was shown.
    std::array<bool, InputCount> m_touched{};
    bool m_showing = false;
    WorkMode m_mode = WorkMode::Communicator;
};

} // namespace ykt
