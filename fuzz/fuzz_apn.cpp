// libFuzzer target: APN.txt contents in any of its encodings through the
// loader, then the search's lookups on the result.

#include "refdata/apnlist.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    const ykt::TAPNList list = ykt::ParseAPNList(content);
    for (const ykt::TAPNItem &item : list) {
        if (ykt::FindAPNLocation(list, item.Name) == nullptr)
            __builtin_trap();
        for (const ykt::TOperator &op : item.Operators)
            ykt::FindAPNOperator(item, op.Name);
    }
    ykt::PreselectedAPNLocation(list, size % 300);
    return 0;
}
