#pragma once

// The Users page, the content of WPage1: the ten user phone numbers with what
// each of them is told, three module-wide SMS options and the access PIN that
// all users share.
//
// The numbers and their two registers (PnCR, PnAddCR) live in the settings
// model, phone records 0..9. The check boxes show the registers of one record
// at a time, the displayed row; they are written back into it when another
// row gets the focus, when the user leaves the page through the step list and
// before the users are sent. The boxes carry interlocks ("Mandatory Call"
// rules out "Call on Alarm", "SMS backup" rules out calls and tests ...) that
// run alike for a click and for a row being shown.
//
// Two buttons talk to the module at once: "Clear selected number" removes a
// number from the module (the send sequence skips empty numbers), and "Save
// new PIN" writes the access PIN.

#include "settings/pages/configpage.h"
#include "settings/registers.h"

#include <QByteArray>
#include <QCheckBox>
#include <QList>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class TUsersPage;
}

namespace ykt {

class NumberDelegate;
class PageHost;
struct PhoneRecord;

class TUsersPage : public TConfigPage
{
    Q_OBJECT
public:
    static constexpr int NoColumn = 0;
    static constexpr int NumberColumn = 1;
    static constexpr int MinPinLength = 4;
    static constexpr int MaxPinLength = 8;

    // The page shows the values the host's announcer tells of.
    explicit TUsersPage(PageHost &host, QWidget *parent = nullptr);
    ~TUsersPage() override;

    // --- The page ---
    // The numbers, the SMS options and the PIN from the model; row 0 shown.
    void Show() override;
    // The displayed row, the SMS options and the PIN into the model.
    void Commit() override;
    // The focused row takes the state of the check boxes.
    void Leave() override { LeavePage(); }
    // Hides "Change arm state on short call" for good and shows the
    // access-PIN panel only in Communicator mode, then selects the first
    // row (SelectFirstRow).
    void ApplyWorkMode(WorkMode mode) override;
    // A basic model has no voice calls: "Call on Alarm" and "Mandatory Call"
    // are hidden and marked not applicable.
    void ApplyCapabilities(const ModuleContext &context) override;
    // The hints that come from messages: the examples of output control and
    // the phone list.
    void ApplyLanguageTexts() override;
    // Message 92 and this page while the access PIN has fewer than four digits.
    std::optional<SendRefusal> CheckBeforeSend() const override;
    // "Alarm SMS", the target of the attention blink.
    QWidget *AttentionTarget() const override;
    // The examples of output control keep their lines.
    bool KeepsHintLines(const QWidget *widget) const override;

    // --- Rows ---
    // The row whose registers the check boxes show; -1 before the first display.
    int displayedRow() const { return m_displayedRow; }
    // Loads the check boxes from record r, running their rules, and makes r
    // the displayed row. Rows outside 0..9 are ignored.
    void ShowRow(int r);
    // Writes the check boxes into the displayed row's registers; a record
    // without a number gets 0 in both.
    void CommitRow();
    // Gives row 0 the focus and shows it. The row shown before is not
    // committed: this follows a read, a template or a work-mode change,
    // after which the model holds what counts.
    void SelectFirstRow();
    // The phone list drawn again from the records.
    void RedrawList();
    // The end of an edit of row r's number: a leading "+" and the digits are
    // stored, cut to 15 characters; a text that did not change is not
    // rewritten; a number that another user already has (with or without
    // the "+") is refused with message 81.
    void EditNumber(int r, const QString &text);
    // Leaving the page through the step list: the focused row takes the state
    // of the check boxes.
    void LeavePage();

    // --- Actions that talk to the module ---
    // Empties the focused row's number and registers, in the model and in
    // the module. Does nothing while a read runs or without a focused row.
    void ClearSelectedNumber();
    // Writes the access PIN; one of fewer than four digits is refused with
    // message 92, as the send refuses it.
    void SaveNewPin();
    // The users part of the send sequence: every record with a number, its
    // PnCR and (firmware above 1025) its PnAddCR, 5 ms apart. The caller
    // commits the displayed row first.
    void SendUsers();

    // The "!" beside "SMS backup": shown while the number backs up nothing.
    void UpdateWarning();

    // --- What other pages and the send sequence take from here ---
    // The digits of the access-PIN field.
    QByteArray AccessPinText() const;
    // The SMSPSTNCR options this page holds; shortCallSeconds keeps its default.
    SmsPstnCrFields PageSmsPstnFields() const;
    // --- Arrivals: the model holds the value already ---
    // Row idx shows its number; after the last one, row 0 is selected.
    void OnPhoneNumber(int idx);
    // After the last one, row 0 is shown again with all its registers.
    void OnPhoneNumberAdditionalCR(int idx);
    // The three options; the interval field is usable from now on.
    void OnSMSPSTNCR();
    // The field shows the PIN's digits.
    void OnAccessPIN();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpPhoneList();
    void bindRules();
    void onStored(quint8 answerType, int index);

    PhoneRecord &record(int r) const;
    void showNumber(int r);
    bool isNumberOfAnotherUser(const QByteArray &number, int r) const;
    bool hasAdditionalRegisters() const;

    void showFlags(const UserFlags &flags);
    UserFlags flagsOnScreen() const;
    Smartphone smartphoneChoice() const;

    // The rules of the check boxes.
    void periodicSmsTestRule();
    void mandatoryCallRule();
    void smsBackupRule();
    void smartphoneRule();
    std::array<QCheckBox *, 6> warningEventBoxes() const;
    void setWarningCaptionsBold(bool bold);

    // The access-PIN field.
    void paintPinField();

    // The number of row r as typed, reduced to its digits; false when another
    // user already has it (the record keeps its number then).
    bool storeNumber(int r, const QString &text);
    // A box changed by the user: the displayed row takes it at once, and the
    // pages that show a consequence hear of it.
    void flagsEdited();
    void refuseDuplicate();

    std::unique_ptr<Ui::TUsersPage> ui;
    NumberDelegate *m_numberDelegate = nullptr;
    int m_displayedRow = -1;
    bool m_smsOptionsRead = false; // SMSPSTNCR has arrived once
    bool m_showing = false;        // the boxes are being set from a record
};

} // namespace ykt
