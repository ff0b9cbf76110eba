#pragma once

// The Outputs page, the content of WPage4: the module's four outputs, each
// with its function, pulse or bistable switching, the pulse length and the
// inversion. The records live in the settings model (outputs 0..3); the
// remote-control list (TRemoteControlPage) lets only outputs whose function
// is "Manual" be switched by phone, so a function change here may take the
// output out of the list's masks (message 109).

#include "settings/pages/configpage.h"

#include <QTimer>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTimeEdit;

namespace ykt {

class TOutputsPage : public TConfigPage
{
    Q_OBJECT
public:
    static constexpr int Timer4Ms = 100;

    explicit TOutputsPage(PageHost &host, QWidget *parent = nullptr);

    // The four records with their rules; no question is asked.
    void Show() override;
    // The four outputs into the model. An output whose function the list
    // does not offer keeps its code until the user picks one.
    void Commit() override;
    // The records, their rules (message 109 for every output that is no
    // longer "Manual" while numbers may switch it) and the captions.
    void AfterRead() override;
    // The function lists rebuilt with "Manual" chosen; Advanced communicator
    // hides OC 2.
    void ApplyWorkMode(WorkMode mode) override;
    // A relay-less model has no relays; a YKT3 names them "Relay".
    void ApplyCapabilities(const ModuleContext &context) override;
    // The function lists, the captions by module type and what OC 2, Relay 1
    // and Relay 2 take from OC 1.
    void ApplyLanguageTexts() override;
    QList<QComboBox *> KeptSelections() const override;

    // Whether output 0..3 shows "Manual" (the first function): only such an
    // output can be switched by phone.
    bool isManual(int output) const;
    // The shown captions of the outputs as the remote-control page names
    // its check boxes.
    bool ykt3Naming() const { return m_ykt3; }
    // Timer4: the rules once all outputs of a read have arrived.
    const QTimer &timer4() const { return m_timer4; }

    // Shows record i (algorithm of the page: its function, switching, length,
    // siren confirmation and inversion).
    void ShowOutput(int i);
    // The function rule and the pulse rule of output i. mayAsk: message 109
    // may be asked (never during a read).
    void ApplyOutputRules(int i, bool mayAsk);
    void ApplyAllOutputRules(bool mayAsk);
    // The captions of the four boxes by module type.
    void SetOutputCaptions();

signals:
    // The functions on screen changed: the remote-control page enables its
    // check boxes anew.
    void functionsChanged();

private:
    struct OutputControls
    {
        QGroupBox *group = nullptr;
        QLabel *parameters = nullptr;
        QComboBox *function = nullptr;
        QRadioButton *pulse = nullptr;
        QRadioButton *biswitch = nullptr;
        QLabel *duration = nullptr;
        QTimeEdit *length = nullptr;
        QLabel *unit = nullptr;
        QCheckBox *siren = nullptr;
        QCheckBox *inversion = nullptr;
    };

    void buildOutput(int i, QWidget *parent);
    void fillFunctionList(QComboBox *list);
    void functionChosen(int i);
    void functionRule(int i, bool mayAsk);
    void pulseRule(int i);
    void commitOutput(int i);
    void onStored(quint8 answerType, int index);
    int shownCode(int i) const;
    bool reading() const;

    std::array<OutputControls, 4> m_out;
    std::array<int, 4> m_lastChoice{{0, 0, 0, 0}};
    QTimer m_timer4;
    bool m_ykt3 = false;
    bool m_relayLess = false;
    bool m_showing = false;
};

} // namespace ykt
