#include "device/readplan.h"
#include <QList>

#include <gtest/gtest.h>

#include <set>

using namespace ykt;

namespace {

QList<ReadRequest> walk(int firmware)
{
    QList<ReadRequest> requests{ReadPlan::first()};
    for (auto r = ReadPlan::next(requests.last(), firmware); r; r = ReadPlan::next(*r, firmware))
        requests << *r;
    return requests;
}

} // namespace

TEST(ReadPlan, FullReadOfTheNewestFirmware)
{
    const QList<ReadRequest> requests = walk(4005);
    EXPECT_EQ(requests.size(), 348);
    int names = 0;
    for (const ReadRequest &r : requests)
        names += r.type == 0x90;
    EXPECT_EQ(names, 168);
    EXPECT_EQ(requests.last().type, 0xA0);
    // No request is sent twice.
    std::set<int> seen;
    for (const ReadRequest &r : requests)
        EXPECT_TRUE(seen.insert(r.type << 16 | r.index << 8 | r.sub).second);
}

TEST(ReadPlan, LastTypeFollowsTheFirmware)
{
    EXPECT_EQ(walk(1133).last().type, 0x9B);
    EXPECT_EQ(walk(1021).last().type, 0x96);
    EXPECT_EQ(walk(1022).last().type, 0x97);
    EXPECT_EQ(walk(1024).last().type, 0x98);
    EXPECT_EQ(walk(1026).last().type, 0x9B);
    EXPECT_EQ(walk(2029).last().type, 0x9B);
    EXPECT_EQ(walk(2030).last().type, 0x9C);
    EXPECT_EQ(walk(4002).last().type, 0x9C);
    EXPECT_EQ(walk(4003).last().type, 0x9F);
    EXPECT_EQ(walk(4004).last().type, 0x9F);
    EXPECT_EQ(ReadPlan::requestCount(4003), 347);
    // After 0x9B a 1133 module gets EndExchange, not a request for 0x9C.
    EXPECT_FALSE(ReadPlan::next({0x9B, 0, 0}, 1133));
}

TEST(ReadPlan, UserNamesFollowTheFirmware)
{
    const auto lastUserName = [](int firmware) {
        int last = -1;
        for (const ReadRequest &r : walk(firmware))
            if (r.type == 0x90 && r.index == 3)
                last = r.sub;
        return last;
    };
    EXPECT_EQ(lastUserName(4002), 31);
    EXPECT_EQ(lastUserName(4003), 63);
    // 4003 adds 32 user names and the types 0x9D (64 blocks), 0x9E and 0x9F.
    EXPECT_EQ(ReadPlan::requestCount(4002), 249);
    EXPECT_EQ(ReadPlan::requestCount(4003), 249 + 32 + 64 + 2);
    EXPECT_EQ(ReadPlan::requestCount(4005), 348);
}

TEST(ReadPlan, ItemNamesGoGroupByGroup)
{
    EXPECT_EQ(*ReadPlan::next({0x8F, 5, 0}, 4005), (ReadRequest{0x90, 1, 0}));
    EXPECT_EQ(*ReadPlan::next({0x90, 1, 63}, 4005), (ReadRequest{0x90, 2, 0}));
    EXPECT_EQ(*ReadPlan::next({0x90, 4, 7}, 4005), (ReadRequest{0x90, 5, 0}));
    EXPECT_EQ(*ReadPlan::next({0x90, 5, 15}, 4005), (ReadRequest{0x91, 0, 0}));
    EXPECT_EQ(*ReadPlan::next({0x8B, 3, 0}, 4005), (ReadRequest{0x8B, 4, 0}));
}

TEST(ReadPlan, AnswersOutsideThePlanStillMoveOn)
{
    // An index past the plan's end goes to the next type.
    EXPECT_EQ(*ReadPlan::next({0x8B, 200, 0}, 4005), (ReadRequest{0x8C, 0, 0}));
    // An item-name group that does not exist jumps to the next group.
    EXPECT_EQ(*ReadPlan::next({0x90, 0, 9}, 4005), (ReadRequest{0x90, 1, 0}));
    EXPECT_EQ(*ReadPlan::next({0x90, 9, 0}, 4005), (ReadRequest{0x91, 0, 0}));
    // A type the plan does not hold ends nothing and starts nothing.
    EXPECT_FALSE(ReadPlan::next({0x7F, 0, 0}, 4005));
    // A type beyond the firmware's last one ends the read.
    EXPECT_FALSE(ReadPlan::next({0x9F, 0, 0}, 2030));
}
