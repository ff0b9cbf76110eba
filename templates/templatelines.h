#pragma once

// The lines of a template's plain text and the generic encodings of their
// values. A template line is Name=Value: the name is everything before the
// first "=", the value everything after it, "=", blanks and TABs included and
// nothing trimmed. A line without "=" has no name.
//
// The decoders that can meet a format error (integer, hex bytes, tab list)
// raise ConversionError with a message naming the offending text; a loader
// stops at the first one. The others always give a value.

#include "util/conversions.h"

#include <QByteArray>
#include <QHash>
#include <QList>

namespace ykt {

// "Name=Value".
QByteArray makeNamedLine(const QByteArray &name, const QByteArray &value);
// Splits at the first "="; false (and nothing set) for a line without one.
bool splitNamedLine(const QByteArray &line, QByteArray *name, QByteArray *value);

// The values of a list of lines by name. Names are compared without regard to
// the case of the letters A..Z; of two lines with the same name the first one
// counts. Lines without "=" and names nobody asks for are ignored.
class NamedValues
{
public:
    NamedValues() = default;
    explicit NamedValues(const QList<QByteArray> &lines);

    // The value of the first line with this name; empty when there is none.
    QByteArray value(const QByteArray &name) const;
    bool contains(const QByteArray &name) const;

private:
    QHash<QByteArray, QByteArray> m_values; // keyed by the lower-cased name
};

// Integer: decimal text of a 32-bit signed number, "-" for negative values.
QByteArray encodeInteger(qint32 number);
// Strict: an optional sign and decimal digits that fit 32 bits, nothing else.
// Raises ConversionError for empty or non-numeric text.
qint32 decodeInteger(const QByteArray &value);

// Boolean: "-1" for true, "0" for false. Any other integer text reads as true,
// so does "True" in any case; "False", any other word and the empty value read
// as false.
QByteArray encodeBoolean(bool flag);
bool decodeBoolean(const QByteArray &value);

// Real: at most 15 significant digits, as short as that allows, with the given
// decimal separator (the user's locale setting, see localeDecimalSeparator).
QByteArray encodeReal(double number, char decimalSeparator);
// Text that is not a number written with this separator reads as fallback.
double decodeReal(const QByteArray &value, char decimalSeparator, double fallback = 0.8);
// The decimal separator of the user's locale settings; "." when it is not a
// single 8-bit character.
char localeDecimalSeparator();

// Hex bytes: two upper-case digits a byte, no separators. Reading takes digits
// of either case in pairs and ignores an odd last digit; any other character
// raises ConversionError.
QByteArray encodeHexBytes(const QByteArray &bytes);
QByteArray decodeHexBytes(const QByteArray &value);

// Tab list: every number followed by one TAB, the last one included.
QByteArray encodeTabList(const QList<qint32> &numbers);
// The first count numbers of the list; pieces after them are not looked at.
// Fewer numbers, or a piece that is not an integer, raises ConversionError.
QList<qint32> decodeTabList(const QByteArray &value, int count);

// Text: written as it is; a fixed-size field keeps at most maxLength
// characters on reading.
QByteArray decodeText(const QByteArray &value, int maxLength);
// A value cannot hold a line break: it would end the line and the rest would
// be lost on reading. Every line break (CR LF, CR or LF) becomes one blank,
// and so does a zero byte, which would end the whole text.
QByteArray singleLineText(const QByteArray &text);

} // namespace ykt
