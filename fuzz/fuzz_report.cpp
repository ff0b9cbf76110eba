// libFuzzer target: one input report of the module (63 data bytes, shorter or
// longer ones too) through the decoders of the status byte, the state block,
// the serial-traffic line and the typed answers, and the trace's description
// of the answer.

#include "device/messages.h"
#include "fuzz/fuzzsupport.h"

using ykt::fuzz::check;

namespace {

// The widest text an answer can carry: its field on the wire less what the
// decoder takes off the front (index and CR bytes).
int textWidth(const ykt::Message &m)
{
    switch (m.type) {
    case 0x80:
    case 0x81:
    case 0x85:
    case 0x86:
    case 0x93:
    case 0x96:
        return 50;
    case 0x82:
    case 0x83:
        return 32;
    case 0x87:
    case 0x89:
    case 0x8D:
    case 0x90:
    case 0x9C:
        return 16;
    case 0x97:
        return 28;
    case 0x98:
        return 8;
    case 0x88:
        return 4;
    case 0x8B:
    case 0x91:
    case 0x95:
        return 15;
    case 0x8E:
        return m.idx == 2 ? 46 : 47;
    case 0xA0:
        return 49;
    default:
        return 0;
    }
}

int bytesWidth(quint8 type)
{
    switch (type) {
    case 0x8F:
        return 5;
    case 0x9D:
        return 9;
    case 0x9F:
        return 16;
    default:
        return 0;
    }
}

bool printableAscii(const QByteArray &text)
{
    for (const char c : text) {
        if (uchar(c) < 0x20 || uchar(c) >= 0x7F)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ykt;
    const QByteArray report = fuzz::bytesOf(data, size);
    if (report.isEmpty())
        return 0;

    const quint8 first = quint8(report.at(0));
    const StatusBits status = decodeStatus(first);
    check(status.sequence == (first & 3) && status.busy == bool(first & 0x80) &&
          status.monitoring == bool(first & 0x20));

    const std::optional<StateBlock> block = decodeStateBlock(report);
    check(block.has_value() == (report.size() >= 8));

    if (const std::optional<UsartLine> line = decodeUsart(report)) {
        check(report.size() >= 10);
        check(line->text.size() <= MaxUsartText && line->text.size() <= report.size() - 10);
        check(line->sequence < 4 && line->outGoing == !(quint8(report.at(8)) & 0x40));
    } else {
        check(report.size() < 10);
    }

    if (const std::optional<Message> m = decodeMessage(report)) {
        check(m->type >= FirstMessageType && m->type <= LastMessageType);
        check(m->text.size() <= textWidth(*m));
        check(m->bytes.size() <= bytesWidth(m->type));
        const QByteArray described = describeMessage(*m);
        check(described.startsWith(eventName(m->type)));
        // The trace and the command-line tool print it as it is.
        check(printableAscii(described));
    } else {
        check(report.size() < 2 || eventName(quint8(report.at(1))) == nullptr);
    }
    return 0;
}
