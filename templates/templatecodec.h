#pragma once

// The settings of a template file: the settings model to the template's
// Name=Value lines and back.
//
// The file format is shared with every other copy of the program, older ones
// included, so the names, their order and the value encodings are fixed. The
// writer emits every line in its place; the reader looks every name up and
// does not depend on the order.
//
// Registers travel as decimal numbers that carry only some of their bits:
// "CR" the reporting channels of TCPCR (the encryption bits only from
// firmware 2030), "YKT2CR" the USB password, heartbeat, modem restart and TCP
// statistics bits (the SIM PIN bit has a line of its own, the work mode is a
// word, the GPRS-settings password is never carried), "SMSPSTNCR" the short
// call, SMS test and registered-numbers bits (limited trouble SMS has a line
// of its own). A bit a template does not carry keeps the value it had before
// the load.
//
// Loading never fails: whatever the lines hold, the result is a complete
// model. Values that cannot be read keep what the model held before and are
// listed as errors (the window refuses such a file as a whole); values outside
// their field are brought into it and listed as warnings.

#include "settings/registers.h"
#include "settings/settingsmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace ykt {

// What a template carries or needs besides the model.
struct TemplateContext
{
    QByteArray languageName;     // the current language as the language list shows it
    int firmwareVersion = 1133;  // of the attached module: the encryption lines need 2030
    bool settingsLocked = false; // the GPRS password is saved empty while it is set
    bool pstnBoxesShown = false; // the "Put same to PSTN" boxes are shown (Settings.ini PSTN)
    // The work mode chosen on the main screen; none: the one the model's
    // YKT2CR carries.
    std::optional<WorkMode> workMode;
    // The user's decimal separator, for the kiss-off time.
    char decimalSeparator = '.';
};

// The program version a template names; written, never read.
inline constexpr char kTemplateLoaderVersion[] = " v.3.10";

// The lines of a template, in their order.
QList<QByteArray> encodeTemplate(const SettingsModel &model, const TemplateContext &context);

struct TemplateProblem
{
    QByteArray key; // the template line concerned
    QString text;   // what is wrong, in words
};

struct DecodedTemplate
{
    SettingsModel model;     // the settings after the load
    QByteArray languageName; // the template's "Language"
    WorkMode workMode = WorkMode::Communicator;
    // Values that cannot be read: a missing or non-numeric integer, a bad hex
    // digit, a Contact ID code with fewer than five numbers or one outside
    // 0..255. The window shows its format error and applies nothing.
    QList<TemplateProblem> errors;
    // Values brought into their field (a number too large, a key that is not
    // hexadecimal ...). The load goes on with the corrected value.
    QList<TemplateProblem> warnings;
    bool ok() const { return errors.isEmpty(); }
};

// The settings of the lines, over base: what a template does not carry (and
// what cannot be read) keeps base's value. firmwareVersion decides whether the
// encryption lines count and how many protocols there are; the kiss-off time
// reads with "." or ",".
DecodedTemplate decodeTemplate(const QList<QByteArray> &lines, const SettingsModel &base,
                               int firmwareVersion);

// "communicator", "advanced" and "paradox" (Magellan).
QByteArray workModeWord(WorkMode mode);
// Compared without regard to case; any other word is Communicator.
WorkMode workModeFromWord(const QByteArray &word);

// The access PIN as the users page shows it: the nibbles as hexadecimal digits
// up to the first F.
QByteArray accessPinText(quint32 word);

// The bits of each register a template carries.
inline constexpr quint32 kTemplateTcpCrBits = 0x3300'3BFFu;
inline constexpr quint32 kTemplateYkt2CrBits = 0x01FF'FF3Du;
inline constexpr quint32 kTemplateSmsPstnCrBits = 0x401F'0000u;

} // namespace ykt
