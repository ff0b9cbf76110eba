#pragma once

// The zone voice records: what the module says for each of its 64 zones, as
// one 9-byte record per zone (the zone number, then one phrase byte for each
// of the eight slots). The settings model keeps the records as they travel;
// the page shows each slot's phrase number decoded from its byte.

#include "refdata/voicephrases.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace ykt {

inline constexpr int ZoneVoiceSlots = 8;
inline constexpr int ZoneVoiceRecordSize = 1 + ZoneVoiceSlots;
using ZoneSlots = std::array<int, ZoneVoiceSlots>; // phrase numbers, 0 = no phrase

// A slot's phrase number as its byte: 701..955 give n - 700, anything else
// (no phrase, 700, beyond 955) 0. Numbers never wrap round.
quint8 phraseByte(int number);
// A byte as the slot's phrase number: 0 and 255 give no phrase (0), any
// other value v phrase 700 + v.
int phraseNumber(quint8 byte);

// The 9-byte record of a zone.
QByteArray buildZoneVoiceRecord(int zone, const ZoneSlots &phrases);
// The phrase numbers of a record; false (untouched) for a record shorter than
// nine bytes or a zone above 63.
bool readZoneVoiceRecord(const QByteArray &record, int &zone, ZoneSlots &phrases);
// The record of a zone with every slot empty.
QByteArray emptyZoneVoiceRecord(int zone);

// What a slot shows for its phrase number: empty for no phrase, the menu's
// caption, or the number itself when the menu has no such phrase.
QByteArray slotCaption(const TPhraseMenu &menu, int number);

} // namespace ykt
