// libFuzzer target: texts through the module character set conversions, both
// directions, every conversion type and a few that have no table.

#include "fuzz/fuzzsupport.h"
#include "texts/modulecharset.h"

#include <limits>

using ykt::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ykt;
    const QByteArray text = fuzz::bytesOf(data, size);
    for (int type = -1; type <= LastConversionType + 1; ++type) {
        const QByteArray sent = toModule(text, type);
        const QByteArray shown = fromModule(text, type);
        // One byte for one byte.
        check(sent.size() == text.size() && shown.size() == text.size());
        if (type < 1 || type > LastConversionType)
            check(sent == text && shown == text);
        // A text sent, read back from the module and sent again goes out
        // the same the second time (the read-back check relies on it).
        check(toModule(fromModule(sent, type), type) == sent);
    }
    for (const int type : {9, 10})
        check(toModule(text, type) == toModule(text, 8) &&
              fromModule(text, type) == fromModule(text, 8));
    // The largest and smallest numbers are types without a table as well.
    check(toModule(text, std::numeric_limits<int>::max()) == text &&
          fromModule(text, std::numeric_limits<int>::min()) == text);
    return 0;
}
