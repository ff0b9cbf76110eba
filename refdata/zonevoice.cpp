#include "refdata/zonevoice.h"

namespace ykt {

namespace {

constexpr int ZoneCount = 64;
constexpr int PhraseBase = 700;
constexpr int NoPhraseByte = 255;
constexpr int HighestPhrase = PhraseBase + NoPhraseByte; // 955

} // namespace

quint8 phraseByte(int number)
{
    if (number <= PhraseBase || number > HighestPhrase)
        return 0;
    return quint8(number - PhraseBase);
}

int phraseNumber(quint8 byte)
{
    if (byte == 0 || byte == NoPhraseByte)
        return 0;
    return PhraseBase + byte;
}

QByteArray buildZoneVoiceRecord(int zone, const ZoneSlots &phrases)
{
    QByteArray record(ZoneVoiceRecordSize, '\0');
    record[0] = char(quint8(zone));
    for (int k = 0; k < ZoneVoiceSlots; ++k)
        record[1 + k] = char(phraseByte(phrases[size_t(k)]));
    return record;
}

bool readZoneVoiceRecord(const QByteArray &record, int &zone, ZoneSlots &phrases)
{
    if (record.size() < ZoneVoiceRecordSize || quint8(record.at(0)) >= ZoneCount)
        return false;
    zone = quint8(record.at(0));
    for (int k = 0; k < ZoneVoiceSlots; ++k)
        phrases[size_t(k)] = phraseNumber(quint8(record.at(1 + k)));
    return true;
}

QByteArray emptyZoneVoiceRecord(int zone)
{
    return buildZoneVoiceRecord(zone, ZoneSlots{});
}

QByteArray slotCaption(const TPhraseMenu &menu, int number)
{
    if (number == 0)
        return QByteArray();
    QByteArray caption;
    if (FindPhraseCaption(menu, number, caption))
        return caption;
    return QByteArray::number(number);
}

} // namespace ykt
