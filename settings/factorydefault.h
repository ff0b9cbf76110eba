#pragma once

// "Set settings to factory default": the model set to the module's factory
// values, and the packets that write them, in the module's fixed order with
// the pause after each.
//
// Two forms: the complete one (the main screen's button) also writes the
// default SMS phrases, the additional texts and the item names, and a read of
// all settings follows it; the partial one (production test programming)
// stops before them and no read follows, so the model keeps what was written.
//
// While the module's GPRS settings are locked, the GPRS area (addresses, APN
// and its login, accounts, channel use, heartbeat, the USB password and its
// two uses) keeps its values; it is still written as it is, except the USB
// password, which is not written at all.
//
// The default texts come from the current language's messages, 8-bit in its
// display code page; the plan converts them to the module's character set.

#include "settings/sendplan.h"
#include "texts/examplesms.h"

#include <QList>

namespace ykt {

// The access PIN the factory default writes.
inline constexpr char FactoryAccessPin[] = "1111";

// Messages of the default texts.
namespace factorymessages {
inline constexpr int InputSmsText = 23; // followed by the input number 1..6
inline constexpr int AdditionalText1 = 16;
inline constexpr int AdditionalText2 = 17;
} // namespace factorymessages

struct FactoryContext
{
    int firmwareVersion = DefaultFirmwareVersion;
    bool settingsLocked = false; // the module's GPRS settings are password-protected
    bool pstnBoxesShown = false; // Settings.ini PSTN: the "Put same to PSTN" boxes are shown
    bool complete = true;        // false: the partial form of production test programming
    int conversionType = 0;      // module character set of the current language
    // Message number -> its 8-bit text in the current language.
    MessageText message;

    // The same module as the send sees it (no template, work mode
    // Communicator).
    SendContext sendContext() const;
};

// The pause after each additional SMS text of the factory default.
constexpr int FactoryTextPauseMs = 50;
// The kiss-off time the factory default sets (0.8 s).
constexpr quint16 FactoryKissOff = 1600;

// Sets the model to what the factory default leaves in the module: the
// registers, inputs, outputs, users (numbers emptied, both registers 0),
// remote-control numbers, access PIN, additional texts, kiss-off time, zone
// voice indexes and alarm server options; with the complete form also the
// SMS phrases and item names. Applying it twice changes nothing more.
void applyFactoryDefaults(SettingsModel &model, const FactoryContext &context);

// Every packet of the factory default, for the model as applyFactoryDefaults
// leaves it (the model given is reset on a copy first, so the model before or
// after the reset gives the same plan). The read that follows the complete
// form is the caller's.
QList<SendStep> buildFactoryDefaultPlan(const SettingsModel &model, const FactoryContext &context);

} // namespace ykt
