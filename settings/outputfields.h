#pragma once

// The outputs and the remote output-control list as the Outputs pages edit
// them, as functions of the settings model: the function list, the pulse
// length, the captions by module type, and the rules that tie the list's
// masks to the outputs' functions.

#include "settings/settingsmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace ykt {

// The component names of each output's controls (the Outputs page and the
// settings summary), and the caption of its box before the captions by
// module type are set.
struct OutputComponentNames
{
    const char *group;
    const char *function;
    const char *pulse;
    const char *biswitch;
    const char *length;
    const char *siren;
    const char *inversion;
    const char *defaultCaption;
};

inline constexpr std::array<OutputComponentNames, SettingsModel::OutputCount> OutputComponents = {{
    {"TntGroupBox4", "ComboBox24", "TntRadioButton1", "TntRadioButton2", "DaTiDuration1",
     "TntCheckBox34", "TntCheckBox55", "OC 1"},
    {"TntGroupBox11", "ComboBox25", "TntRadioButton3", "TntRadioButton4", "DaTiDuration2",
     "TntCheckBox35", "TntCheckBox56", "OC 2"},
    {"TntGroupBox12", "ComboBox26", "TntRadioButton5", "TntRadioButton6", "DaTiDuration3",
     "TntCheckBox36", "TntCheckBox57", "Relay 1"},
    {"TntGroupBox13", "ComboBox27", "TntRadioButton7", "TntRadioButton8", "DaTiDuration4",
     "TntCheckBox37", "TntCheckBox58", "Relay 2"},
}};

// The remote-control list's boxes of the four outputs, with their captions
// before the captions by module type are set.
inline constexpr std::array<const char *, SettingsModel::OutputCount> RemoteOutputBoxNames = {
    "TntCheckBox2", "TntCheckBox4", "TntCheckBox11", "TntCheckBox14"};
inline constexpr std::array<const char *, SettingsModel::OutputCount> RemoteOutputBoxCaptions = {
    "OC1 (1)", "OC2 (2)", "Relay 1 (3)", "Relay 2 (4)"};

// The functions the Outputs page offers, in list order, with their messages
// ("Manual", "Arm", "Disarm", "Clear Alarm"); the list position is the code.
inline constexpr std::array<int, 4> OutputFunctionMessages = {97, 98, 99, 100};
inline constexpr int ManualFunction = 0;
inline constexpr int SirenFunction = 4;
inline constexpr int ArmStatusFunction = 5;

// Bits 0-2 of OutputSettingsCR.
inline int outputFunctionOf(quint8 cr)
{
    return cr & 0x07;
}
// Whether the page's function list has an entry for the code.
inline bool isOfferedFunction(int code)
{
    return code >= 0 && code < int(OutputFunctionMessages.size());
}

// The pulse length field: 00:00:01 .. 18:12:15.
inline constexpr int MinPulseSeconds = 1;
inline constexpr int MaxPulseSeconds = 65535;
int clampPulseSeconds(int seconds);

// The length the module is sent for a record: doubled for an arm-status
// output (the module halves it, the model holds it halved), saturating at
// 65535.
quint16 sentImpLength(quint8 cr, quint16 impLength);

// The captions of the outputs by module type: outputs 1 and 2 are "OC 1" and
// "OC 2"; outputs 3 and 4 "Relay 1" and "Relay 2" on a YKT3, else "OC 3" and
// "OC 4". prefixOc and prefixRelay are messages 87 and 88.
struct OutputCaption
{
    QString group;  // the output's box on the Outputs page
    QString remote; // its check box on the remote-control page
};
OutputCaption outputCaption(int output, bool ykt3, const QString &prefixOc,
                            const QString &prefixRelay);

// PGMPnCR bit of output 0..3 (bit 7 for output 1 ... bit 4 for output 4).
inline quint8 outputMaskBit(int output)
{
    return quint8(0x80 >> output);
}

// The remote-control list's third column: the output numbers each followed
// by "," ("1,3,").
QString outputsText(quint8 pgmPnCr);

// The records (10..59) whose mask lets them switch output 0..3.
QList<int> recordsSwitching(const SettingsModel &model, int output);
// Message 109's list: the numbers of those records, each followed by "; ".
QByteArray switchingNumbers(const SettingsModel &model, const QList<int> &records);
// Takes the output out of every mask of records 10..59; a record whose mask
// becomes 0 loses its number. Returns whether anything changed.
bool removeOutputFromRecords(SettingsModel &model, int output);

// Why the editor of the remote-control list refuses to save.
enum class RemoteEntryRefusal
{
    None,
    NoOutput,  // a number without an output ticked: message 108
    Duplicate, // another record has the number: message 81
};
// number is the editor's text, digits only; record is 10..41. A number is
// another record's when their digits are the same (a number from the module
// keeps its "+"). checkDuplicates is off in the service mode.
RemoteEntryRefusal checkRemoteEntry(const SettingsModel &model, int record,
                                    const QByteArray &number, quint8 mask, bool checkDuplicates);
// The digits of a number, in order.
QByteArray numberDigits(const QByteArray &number);

} // namespace ykt
