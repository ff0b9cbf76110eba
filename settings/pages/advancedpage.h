#pragma once

// The Advanced settings page, the content of WPage11: the PSTN kiss-off time
// and, in the Advanced communicator and Magellan work modes, the alarm
// server options "Alarm server reporting" and "Alarm server privacy".
//
// The kiss-off time is held in whole tenths of a second (securityfields.h).
// The alarm server options live inside the 16-byte alarm settings block the
// module sent, which the model keeps whole: committing merges the options
// into it and leaves every other bit as received. A block of fewer than 16
// bytes (none read yet, or a short answer) is neither shown nor changed, and
// while there is none the two groups are disabled. Both settings exist from
// firmware 4003 on; with an older module their controls are disabled.

#include "settings/pages/configpage.h"
#include "settings/securityfields.h"

#include <memory>

namespace Ui {
class TAdvancedPage;
}

namespace ykt {

class TAdvancedPage : public TConfigPage
{
    Q_OBJECT
public:
    // The first firmware that reports the kiss-off time and the alarm block.
    static constexpr int AlarmSettingsFirmware = 4003;

    explicit TAdvancedPage(PageHost &host, QWidget *parent = nullptr);
    ~TAdvancedPage() override;

    void Show() override;
    void Commit() override;
    // The two alarm server groups only in Advanced communicator and Magellan.
    void ApplyWorkMode(WorkMode mode) override;
    void ApplyCapabilities(const ModuleContext &context) override;
    // The three interval lists get their items from the language file.
    QList<QComboBox *> KeptSelections() const override;

    // The kiss-off time on the screen, in tenths of a second.
    int kissOffTenths() const;

private:
    void onStored(quint8 answerType, int index);
    void showKissOff();
    void showAlarmSettings();
    AlarmServerOptions optionsOnScreen() const;

    // While ticked, "Every event" disables the event log choice (which keeps
    // its value and is still written).
    void everyEventRule();
    // Enables what the module and the block allow.
    void enableControls();

    std::unique_ptr<Ui::TAdvancedPage> ui;
    bool m_moduleHasSettings = true; // no module has said otherwise yet
};

} // namespace ykt
