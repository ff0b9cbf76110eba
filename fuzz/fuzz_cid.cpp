// libFuzzer target: CID_Descriptions.txt contents through the loader and the
// lookups that use what it built.

#include "refdata/ciddescriptions.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    ykt::TCIDDescriptions table;
    const ykt::TCIDLoadResult result = ykt::ParseCIDDescriptions(content, table);
    if (result.status == ykt::TCIDLoadStatus::BadCode && result.badLine <= 0)
        __builtin_trap();
    for (const ykt::TCIDDescription &d : table) {
        if (d.FileText.size() > ykt::kCIDTextLength || d.Code.size() > 4)
            __builtin_trap();
    }

    // Messages taken from the same bytes, "\" marks included.
    ykt::RefreshCIDTexts(table, [&content](int n) { return content.mid(n % 64, 80); });
    if (!table.isEmpty()) {
        ykt::FindCIDByText(table, table.last().Text);
        ykt::FindCIDByCode(table, content.left(5));
        ykt::EncodeCIDBytes(table.first(), content.size() % 120 - 10, content.size() * 7 % 1100);
        ykt::CIDEntrySetup(ykt::CIDKindOf(table.first().ZoneKind), int(size % 6));
    }
    return 0;
}
