#include "reportdescriptor.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <vector>

namespace ykt::hidraw {

namespace {

// Item types and tags of the short items that matter here.
constexpr int TypeMain = 0;
constexpr int TypeGlobal = 1;
constexpr int MainInput = 0x8;
constexpr int MainOutput = 0x9;
constexpr int GlobalReportSize = 0x7;
constexpr int GlobalReportId = 0x8;
constexpr int GlobalReportCount = 0x9;
constexpr int GlobalPush = 0xA;
constexpr int GlobalPop = 0xB;
constexpr quint8 LongItemPrefix = 0xFE;

// Bounds that keep a hostile descriptor from overflowing the sums; a real one
// is at most 4096 bytes and its reports far shorter.
constexpr qint64 MaxReportBits = qint64(1) << 24;
constexpr size_t MaxPushDepth = 64;

struct GlobalState
{
    quint32 reportSize = 0;
    quint32 reportCount = 0;
    quint32 reportId = 0;
};

} // namespace

std::optional<ReportLayout> parseReportDescriptor(const QByteArray &descriptor)
{
    if (descriptor.isEmpty())
        return std::nullopt;

    const auto *bytes = reinterpret_cast<const quint8 *>(descriptor.constData());
    const int length = descriptor.size();

    GlobalState globals;
    std::vector<GlobalState> stack;
    // Bits per report id, of the input and of the output reports.
    std::map<quint32, qint64> inputBits;
    std::map<quint32, qint64> outputBits;
    bool numbered = false;

    int pos = 0;
    while (pos < length) {
        const quint8 prefix = bytes[pos];
        if (prefix == LongItemPrefix) {
            // bDataSize, bLongItemTag, then the data; nothing in them counts here.
            if (pos + 2 >= length)
                return std::nullopt;
            const int dataSize = bytes[pos + 1];
            pos += 3 + dataSize;
            if (pos > length)
                return std::nullopt;
            continue;
        }

        const int sizeCode = prefix & 0x3;
        const int dataSize = sizeCode == 3 ? 4 : sizeCode;
        const int type = (prefix >> 2) & 0x3;
        const int tag = prefix >> 4;
        if (pos + 1 + dataSize > length)
            return std::nullopt;
        quint32 value = 0;
        for (int i = 0; i < dataSize; ++i)
            value |= quint32(bytes[pos + 1 + i]) << (8 * i);
        pos += 1 + dataSize;

        if (type == TypeGlobal) {
            switch (tag) {
            case GlobalReportSize:
                globals.reportSize = value;
                break;
            case GlobalReportId:
                globals.reportId = value;
                numbered = true;
                break;
            case GlobalReportCount:
                globals.reportCount = value;
                break;
            case GlobalPush:
                if (stack.size() < MaxPushDepth)
                    stack.push_back(globals);
                break;
            case GlobalPop:
                if (!stack.empty()) {
                    globals = stack.back();
                    stack.pop_back();
                }
                break;
            default:
                break;
            }
        } else if (type == TypeMain && (tag == MainInput || tag == MainOutput)) {
            qint64 &bits = (tag == MainInput ? inputBits : outputBits)[globals.reportId];
            const qint64 size = std::min<qint64>(globals.reportSize, MaxReportBits);
            const qint64 count = std::min<qint64>(globals.reportCount, MaxReportBits);
            bits = std::min(MaxReportBits, bits + std::min(MaxReportBits, size * count));
        }
    }

    const auto longestInBytes = [](const std::map<quint32, qint64> &bitsPerReport) {
        qint64 longest = 0;
        for (const auto &entry : bitsPerReport)
            longest = std::max(longest, entry.second);
        return int((longest + 7) / 8);
    };
    ReportLayout layout;
    layout.numbered = numbered;
    layout.inputLength = longestInBytes(inputBits);
    layout.outputLength = longestInBytes(outputBits);
    return layout;
}

std::optional<ReportLayout> readReportLayout(const QString &devicePath)
{
    const QString node = QFileInfo(devicePath).fileName();
    if (!node.startsWith(QLatin1String("hidraw")))
        return std::nullopt;
    QFile file(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor").arg(node));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseReportDescriptor(file.readAll());
}

} // namespace ykt::hidraw
