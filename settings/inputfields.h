#pragma once

// The fields of an input record as the Inputs page shows them, and the
// event picker's two entries (the group and the zone of a Contact ID event),
// as plain functions so that the page's rules can be tested without widgets.

#include "refdata/ciddescriptions.h"
#include "settings/settingsmodel.h"

#include <QByteArray>

namespace ykt {

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
