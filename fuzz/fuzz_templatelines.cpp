// libFuzzer target: the plain text of a template through the line splitter and
// the generic value decoders (integer, boolean, real, hex bytes, tab list,
// text), with the encoders' round trips on whatever the decoders accept.

#include "fuzz/fuzzsupport.h"
#include "templates/encipheredtext.h"
#include "templates/templatelines.h"

#include <cmath>

using ykt::fuzz::check;

namespace {

using namespace ykt;

void decodeValue(const QByteArray &value)
{
    try {
        const qint32 number = decodeInteger(value);
        check(decodeInteger(encodeInteger(number)) == number);
    } catch (const ConversionError &) {
    }
    decodeBoolean(value);

    for (const char separator : {'.', ','}) {
        const double number = decodeReal(value, separator, 0.8);
        check(std::isfinite(number));
        check(std::isfinite(decodeReal(encodeReal(number, separator), separator, 0.8)));
    }

    try {
        const QByteArray bytes = decodeHexBytes(value);
        check(bytes.size() == value.size() / 2);
        check(decodeHexBytes(encodeHexBytes(bytes)) == bytes);
    } catch (const ConversionError &) {
    }

    for (const int count : {1, 5}) {
        try {
            const QList<qint32> numbers = decodeTabList(value, count);
            check(numbers.size() == count);
            check(decodeTabList(encodeTabList(numbers), count) == numbers);
        } catch (const ConversionError &) {
        }
    }

    check(decodeText(value, 16).size() <= 16);
    const QByteArray single = singleLineText(value);
    check(!single.contains('\r') && !single.contains('\n') && !single.contains('\0'));
    check(single.size() <= value.size());
    // A text written on one line reads back as one line with the same value.
    const QList<QByteArray> back = splitLines(joinLines({makeNamedLine("Name", single)}));
    check(back.size() == 1 && NamedValues(back).value("name") == single);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> lines = splitLines(fuzz::bytesOf(data, size));
    const NamedValues values(lines);
    for (const QByteArray &line : lines) {
        QByteArray name;
        QByteArray value;
        if (!splitNamedLine(line, &name, &value)) {
            check(!line.contains('='));
            continue;
        }
        check(!name.contains('=') && makeNamedLine(name, value) == line);
        // Of two lines with the same name the first one counts.
        check(values.contains(name));
        decodeValue(value);
    }
    return 0;
}
