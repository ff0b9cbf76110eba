#pragma once

// The fields of an input record as the Inputs page shows them, and the
// event picker's two entries (the group and the zone of a Contact ID event),
// as plain functions so that the page's rules can be tested without widgets.

#include "refdata/ciddescriptions.h"
#include "settings/settingsmodel.h"

#include <QByteArray>

#include <array>

namespace ykt {

// The component names of each input's controls (the Inputs page and the
// settings summary).
struct InputComponentNames
{
    const char *box, *function, *smsText, *type, *sensitivity, *event, *restore, *smsMark, *warning;
};
inline constexpr std::array<InputComponentNames, SettingsModel::InputCount> InputComponents = {{
    {"TntGroupBox8", "ComboBox5", "Edit15", "ComboBox12", "SpinEdit10", "ComboBox6",
     "TntCheckBox16", "TntLabel21", "TntLabel74"},
    {"TntGroupBox5", "ComboBox7", "Edit16", "ComboBox13", "SpinEdit12", "ComboBox18",
     "TntCheckBox17", "TntLabel22", "TntLabel75"},
    {"TntGroupBox6", "ComboBox8", "Edit17", "ComboBox14", "SpinEdit14", "ComboBox19",
     "TntCheckBox18", "TntLabel23", "TntLabel76"},
    {"TntGroupBox7", "ComboBox9", "Edit18", "ComboBox15", "SpinEdit16", "ComboBox20",
     "TntCheckBox19", "TntLabel24", "TntLabel77"},
    {"TntGroupBox9", "ComboBox10", "Edit19", "ComboBox16", "SpinEdit18", "ComboBox21",
     "TntCheckBox20", "TntLabel27", "TntLabel78"},
    {"TntGroupBox10", "ComboBox11", "Edit20", "ComboBox17", "SpinEdit20", "ComboBox22",
     "TntCheckBox21", "TntLabel29", "TntLabel79"},
}};

// The entries of an input's function list: their messages and the texts
// shown while the language has none.
inline constexpr std::array<int, 3> InputFunctionMessages = {93, 94, 95};
inline constexpr std::array<const char *, 3> InputFunctionDefaults = {"Not Used", "Send CID",
                                                                      "Send SMS"};

// The sensitivity field: 400 to 2500 ms in steps of 100.
constexpr int MinSensitivityMs = 400;
constexpr int MaxSensitivityMs = 2500;
// The longest no-reaction time the record holds (18:12:15).
constexpr int MaxNoReactionSeconds = 0xFFFF;

// What the field shows for the module's value (units of 100 ms), in range.
int sensitivityMsOf(quint8 sensivity);
// What is written for the field's value: tenths of a second, rounded down.
quint8 sensivityOf(int ms);
// A no-reaction time above 18:12:15 is set back to it.
int boundedNoReaction(int seconds);
// Violations pass through a field that holds 0 or 1.
quint8 violationsToWrite(quint8 violations);

// One parameter entry of an event picker. The name is not kept: it is the
// entry of the item-name table at the entry's position, looked up when the
// entry is drawn, so a rename anywhere shows everywhere.
struct TPickerEntry
{
    bool used = false;
    int number = -1;        // 0-based position in the name list; -1: none
    int numberingStart = 0; // what position 0 reports
    TCIDNameList nameList = TCIDNameList::None;
    int highestCount = 0;

    // What the input reports; 0 for an entry that is not used.
    int value() const { return used && number >= 0 ? numberingStart + number : 0; }
    // Whether the entry holds a position of its name list.
    bool holdsName() const { return used && number >= 0 && number < highestCount; }
};

// The item-name group (FDNr 1..5) of a name list; 0 for none.
int nameGroupOf(TCIDNameList list);
// The name at position k of a name list; empty outside the list.
QByteArray pickerName(const TextsArea &texts, TCIDNameList list, int k);
// The name an entry shows; empty when it holds none.
QByteArray entryName(const TextsArea &texts, const TPickerEntry &entry);

// An entry configured for the kind of an event (the kind table of the
// Contact ID descriptions); an unknown kind leaves it as it was.
TPickerEntry configuredEntry(const TPickerEntry &entry, const QByteArray &kindWord,
                             int inputPosition);
// A stored group or zone applied to an entry: only a value inside the range
// the entry offers is taken; otherwise the entry stays as it was.
TPickerEntry withStoredValue(const TPickerEntry &entry, int value);

// The Contact ID bytes of an input: the event's code and the two entries'
// values (the first one the group, the second one the zone).
QByteArray packInputCid(const TCIDDescription &event, const TPickerEntry &group,
                        const TPickerEntry &zone);

} // namespace ykt
