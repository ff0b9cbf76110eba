#include "device/readplan.h"

#include "device/commands.h"

namespace ykt {

namespace {

constexpr ReadPlanEntry Plan[] = {
    {0x80, 0, 0}, {0x81, 0, 0},  {0x82, 0, 0}, {0x83, 0, 0}, {0x84, 0, 0},  {0x85, 0, 0},
    {0x86, 0, 0}, {0x87, 0, 0},  {0x88, 1, 0}, {0x89, 0, 0}, {0x8A, 0, 0},  {0x8B, 9, 0},
    {0x8C, 0, 0}, {0x8D, 18, 0}, {0x8E, 2, 0}, {0x8F, 5, 0}, {0x90, 5, 63}, {0x91, 31, 0},
    {0x92, 3, 0}, {0x93, 5, 0},  {0x94, 0, 0}, {0x95, 0, 0}, {0x96, 1, 0},  {0x97, 0, 0},
    {0x98, 0, 0}, {0x99, 0, 0},  {0x9A, 9, 0}, {0x9B, 0, 0}, {0x9C, 1, 0},  {0x9D, 63, 0},
    {0x9E, 0, 0}, {0x9F, 0, 0},  {0xA0, 0, 0},
};
constexpr int PlanSize = sizeof(Plan) / sizeof(Plan[0]);
static_assert(PlanSize == 33);

constexpr quint8 ItemNames = 0x90;

} // namespace

const ReadPlanEntry *ReadPlan::entries()
{
    return Plan;
}
int ReadPlan::entryCount()
{
    return PlanSize;
}

quint8 ReadPlan::lastTypeFor(int firmwareVersion)
{
    if (firmwareVersion >= 4005)
        return 0xA0;
    if (firmwareVersion >= 4003)
        return 0x9F;
    if (firmwareVersion >= 2030)
        return 0x9C;
    if (firmwareVersion >= 1026)
        return 0x9B;
    if (firmwareVersion >= 1024)
        return 0x98;
    if (firmwareVersion >= 1022)
        return 0x97;
    return 0x96;
}

std::optional<ReadRequest> ReadPlan::next(const ReadRequest &answered, int firmwareVersion)
{
    int at = -1;
    for (int k = 0; k < PlanSize; ++k)
        if (Plan[k].type == answered.type)
            at = k;
    if (at < 0)
        return std::nullopt;

    const ReadPlanEntry &entry = Plan[at];
    const int lastSub = entry.type == ItemNames ? itemNameCount(answered.index, firmwareVersion) - 1
                                                : entry.lastSub;
    if (answered.sub + 1 <= lastSub)
        return ReadRequest{answered.type, answered.index, quint8(answered.sub + 1)};
    if (answered.index + 1 <= entry.lastIndex)
        return ReadRequest{answered.type, quint8(answered.index + 1), 0};
    if (at + 1 >= PlanSize || Plan[at + 1].type > lastTypeFor(firmwareVersion))
        return std::nullopt;
    const quint8 type = Plan[at + 1].type;
    return ReadRequest{type, quint8(type == ItemNames ? 1 : 0), 0};
}

int ReadPlan::requestCount(int firmwareVersion)
{
    int count = 1;
    for (auto r = next(first(), firmwareVersion); r; r = next(*r, firmwareVersion))
        ++count;
    return count;
}

} // namespace ykt
