#pragma once

// The read plan of the read-all sequence: every item type in a fixed order,
// each with the last index and last sub-index to request. Item names (0x90) use
// the index as the group FDNr (1..5) and the sub-index as the name's Idx.

#include <QtGlobal>

#include <optional>

namespace ykt {

struct ReadRequest
{
    quint8 type = 0;
    quint8 index = 0;
    quint8 sub = 0;

    bool operator==(const ReadRequest &o) const
    {
        return type == o.type && index == o.index && sub == o.sub;
    }
};

struct ReadPlanEntry
{
    quint8 type;
    int lastIndex;
    int lastSub;
};

class ReadPlan
{
public:
    static const ReadPlanEntry *entries();
    static int entryCount();

    // The last item type a module with this firmware answers.
    static quint8 lastTypeFor(int firmwareVersion);

    // The first request of a read-all.
    static ReadRequest first() { return {0x80, 0, 0}; }

    // The request that follows the answer (type, index, sub); nothing when the
    // plan is done for this firmware and EndExchange is due.
    static std::optional<ReadRequest> next(const ReadRequest &answered, int firmwareVersion);

    // How many requests a full read of this firmware sends.
    static int requestCount(int firmwareVersion);
};

} // namespace ykt
