#include "settings/inputfields.h"

#include <QtGlobal>

namespace ykt {

int sensitivityMsOf(quint8 sensivity)
{
    return qBound(MinSensitivityMs, int(sensivity) * 100, MaxSensitivityMs);
}

quint8 sensivityOf(int ms)
{
    return quint8(qBound(0, ms / 100, 255));
}

int boundedNoReaction(int seconds)
{
    return qBound(0, seconds, MaxNoReactionSeconds);
}

quint8 violationsToWrite(quint8 violations)
{
    return violations > 1 ? 1 : violations;
}

int nameGroupOf(TCIDNameList list)
{
    switch (list) {
    case TCIDNameList::Zones:
        return 1;
    case TCIDNameList::Modules:
        return 2;
    case TCIDNameList::Users:
        return 3;
    case TCIDNameList::Partitions:
        return 4;
    case TCIDNameList::None:
        break;
    }
    return 0;
}

QByteArray pickerName(const TextsArea &texts, TCIDNameList list, int k)
{
    const int group = nameGroupOf(list);
    if (group == 0 || k < 0 || k >= TextsArea::groupSize(group))
        return QByteArray();
    return texts.itemNames[size_t(group - 1)][size_t(k)];
}

QByteArray entryName(const TextsArea &texts, const TPickerEntry &entry)
{
    return entry.holdsName() ? pickerName(texts, entry.nameList, entry.number) : QByteArray();
}

TPickerEntry configuredEntry(const TPickerEntry &entry, const QByteArray &kindWord,
                             int inputPosition)
{
    const TCIDKind kind = CIDKindOf(kindWord);
    if (kind == TCIDKind::Other)
        return entry;
    const TCIDEntrySetup s = CIDEntrySetup(kind, inputPosition);
    TPickerEntry e;
    e.used = s.used;
    e.number = s.initialNumber;
    e.numberingStart = s.numberingStart;
    e.nameList = s.nameList;
    e.highestCount = s.highestCount;
    return e;
}

TPickerEntry withStoredValue(const TPickerEntry &entry, int value)
{
    const int position = value - entry.numberingStart;
    if (!entry.used || position < 0 || position >= entry.highestCount)
        return entry;
    TPickerEntry e = entry;
    e.number = position;
    return e;
}

QByteArray packInputCid(const TCIDDescription &event, const TPickerEntry &group,
                        const TPickerEntry &zone)
{
    return EncodeCIDBytes(event, group.value(), zone.value());
}

} // namespace ykt
