#pragma once

// The send of all settings as a plan: every packet that "Send data to Module"
// writes, in the module's fixed order, with the pause the program keeps after
// each. The window's send and the command-line tool both run this one plan;
// the read-back check compares against it.
//
// The model holds the registers packed as the pages committed them (or as the
// module reported them); the plan packs them once more from their fields so
// that what goes out obeys the firmware: the TCPCR encryption bits only from
// firmware 2030, the "Put same to PSTN" bits set while their boxes are hidden,
// YKT2CR bit 7 (the module's own SIM PIN status) never, bits without a meaning
// always 0. Names, phrases and SMS texts are converted to the module's
// character set here; the model keeps them in the display code page.

#include "device/commands.h"
#include "device/firmware.h"
#include "settings/registers.h"
#include "settings/settingsmodel.h"

#include <QList>
#include <QString>

#include <optional>

namespace ykt {

// What the plan needs besides the model.
struct SendContext
{
    int firmwareVersion = DefaultFirmwareVersion;
    bool settingsLocked = false; // the module's GPRS settings are password-protected
    bool pstnBoxesShown = false; // Settings.ini PSTN: the "Put same to PSTN" boxes are shown
    bool templateLoaded = false; // a template was loaded: the help text goes out too
    // The work mode chosen on the main screen; none: the mode the model's
    // YKT2CR carries.
    std::optional<WorkMode> workMode;
    int conversionType = 0; // module character set of the current language
};

// One packet of the plan.
struct SendStep
{
    tduomenys packet; // 63 bytes, opcode first
    int pauseAfterMs; // the program's pause after the packet (0: none)
    QString name;     // the setting it writes, for progress and the read-back list
    quint8 opcode() const { return quint8(packet.at(0)); }
};

// The pause after most commands of a series.
constexpr int SendPauseMs = 5;
// The pause after each part of the help text.
constexpr int HelpTextPauseMs = 50;

// Collects the steps of a plan (the send's, the factory default's): each
// packet with the pause after it, texts converted to the module's character
// set.
class PlanBuilder
{
public:
    explicit PlanBuilder(int conversionType) : m_conversionType(conversionType) {}

    void add(tduomenys packet, QString name, int pauseMs = SendPauseMs);
    // A pause of its own, after whatever went before.
    void pause(int ms);
    QByteArray toModule(const QByteArray &text) const;
    QList<SendStep> take() { return std::move(m_plan); }

private:
    int m_conversionType;
    QList<SendStep> m_plan;
};

// The GPRS texts, the two channel accounts and the owner name, in the order
// in which the send and the factory default both write them; the USB password
// only while the module's settings are not locked.
void addGprsTexts(PlanBuilder &builder, const SettingsModel &model, bool settingsLocked);

// The whole plan. The pre-send checks (access PIN, used channels) are the
// caller's: the plan writes whatever the model holds.
QList<SendStep> buildSendPlan(const SettingsModel &model, const SendContext &context);

// The sum of the plan's pauses.
int totalPauseMs(const QList<SendStep> &plan);

// The registers as the plan writes them.
quint32 sentTCPCR(quint32 tcpcr, const SendContext &context);
quint32 sentYKT2CR(quint32 ykt2cr, const SendContext &context);

} // namespace ykt
