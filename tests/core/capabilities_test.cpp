#include "app/capabilities.h"

#include <gtest/gtest.h>

using namespace ykt;

TEST(Capabilities, EveryModelAndFirmwareThreshold)
{
    struct Row
    {
        const char *name;
        int firmware;
        ModuleCapabilities expected; // basic, YKT3 type, relay-less, advanced
    };
    const Row rows[] = {
        {"YKT4M", 2999, {true, false, false, false}},
        {"YKT4M", 3000, {false, false, true, false}},
        {"YKT4M", 3999, {false, false, true, false}},
        {"YKT4M", 4000, {false, false, true, true}},
        {"YKT3M", 1022, {true, true, false, false}},
        {"YKT3M", 4005, {true, true, false, false}},
        {"YKT3-2020", 2020, {false, true, false, false}},
        {"YKT5", 1000, {false, false, true, true}},
        {"YKT2", 4005, {false, false, false, false}},
        {"YKT 4M", 4005, {false, false, false, false}},
        // Anywhere in the name, in any case.
        {"Vendor yKt4m module", 4000, {false, false, true, true}},
        {"pro-ykt5", 0, {false, false, true, true}},
    };
    for (const Row &row : rows) {
        const ModuleCapabilities caps = capabilitiesOf(row.name, row.firmware);
        SCOPED_TRACE(::testing::Message() << row.name << " " << row.firmware);
        EXPECT_EQ(caps.basicModel, row.expected.basicModel);
        EXPECT_EQ(caps.ykt3Type, row.expected.ykt3Type);
        EXPECT_EQ(caps.relayLess, row.expected.relayLess);
        EXPECT_EQ(caps.advancedCapable, row.expected.advancedCapable);
    }
}
