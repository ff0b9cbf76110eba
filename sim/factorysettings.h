#pragma once

// What a module holds when it leaves the factory: a small demonstration
// set-up (one reporting channel to a documentation address, the APN
// "internet", two users, named zones) so that a read shows something on
// every page.

#include "sim/itemtable.h"
#include "sim/profiles.h"

namespace ykt::sim {

// One record for every item and index the profile's firmware has.
ItemStore factorySettings(const Profile &profile);

} // namespace ykt::sim
