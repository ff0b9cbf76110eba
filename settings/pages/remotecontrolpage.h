#pragma once

// The page "Outputs control from distance", the content of WPage5: up to 32
// phone numbers that may switch outputs by a call, each with the outputs it
// may switch. The entries are phone records 10..41 of the settings model
// (PGMPnCR the mask); the list shows them and the editor below it changes
// the selected one when "Save" is pressed. Only outputs whose function on
// the Outputs page is "Manual" can be ticked.

#include "settings/pages/configpage.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ykt {

class TOutputsPage;

class TRemoteControlPage : public TConfigPage
{
    Q_OBJECT
public:
    static constexpr int NoColumn = 0;
    static constexpr int NumberColumn = 1;
    static constexpr int OutputsColumn = 2;

    // outputs: the page whose functions decide which boxes can be ticked.
    TRemoteControlPage(PageHost &host, const TOutputsPage &outputs, QWidget *parent = nullptr);

    // The list from the model, the first entry selected.
    void Show() override;
    // The list's captions by module type.
    void AfterRead() override;
    // Advanced communicator has no OC 2.
    void ApplyWorkMode(WorkMode mode) override;
    // A relay-less model has no relays; a YKT3 names them "Relay".
    void ApplyCapabilities(const ModuleContext &context) override;
    // The list's header and the captions of the output boxes.
    void ApplyLanguageTexts() override;

    // The 32 entries written into the list.
    void FillList();
    // Row 0..31 becomes the selection and the editor shows its entry: a box
    // is ticked when the entry may switch its output and the box is enabled;
    // the field shows the number's digits.
    void SelectEntry(int row, bool focusField = false);
    // The editor into the selected entry (messages 108 and 81 refuse).
    void SaveEntry();
    // The selected entry emptied.
    void DeleteEntry();
    int selectedRow() const { return m_row; }

private:
    void onStored(quint8 answerType, int index);
    void showRow(int row);
    void outputsChanged();
    void SetOutputCaptions();
    bool serviceMode() const;

    const TOutputsPage &m_outputs;
    QTableWidget *m_list = nullptr;
    QLineEdit *m_number = nullptr;
    std::array<QCheckBox *, 4> m_boxes{};
    QPushButton *m_save = nullptr;
    QPushButton *m_delete = nullptr;
    int m_row = 0;
    bool m_ykt3 = false;
};

} // namespace ykt
