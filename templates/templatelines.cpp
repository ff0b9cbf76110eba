#include "templates/templatelines.h"

#include "util/conversions.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ykt {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool parseInteger(const QByteArray &text, qint32 *number)
{
    qsizetype k = 0;
    bool negative = false;
    if (k < text.size() && (text.at(k) == '-' || text.at(k) == '+')) {
        negative = text.at(k) == '-';
        ++k;
    }
    if (k == text.size())
        return false;
    // Accumulated as a negative number so that the most negative value fits.
    qint64 value = 0;
    for (; k < text.size(); ++k) {
        const char c = text.at(k);
        if (!isDigit(c))
            return false;
        value = value * 10 - (c - '0');
        if (value < qint64(std::numeric_limits<qint32>::min()))
            return false;
    }
    if (!negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max())
        return false;
    *number = qint32(value);
    return true;
}

// Sign, digits with at most one decimal separator, optional exponent.
bool isRealText(const QByteArray &text, char separator)
{
    qsizetype k = 0;
    if (k < text.size() && (text.at(k) == '-' || text.at(k) == '+'))
        ++k;
    int digits = 0;
    while (k < text.size() && isDigit(text.at(k))) {
        ++k;
        ++digits;
    }
    if (k < text.size() && text.at(k) == separator) {
        ++k;
        while (k < text.size() && isDigit(text.at(k))) {
            ++k;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (k < text.size() && (text.at(k) == 'e' || text.at(k) == 'E')) {
        ++k;
        if (k < text.size() && (text.at(k) == '-' || text.at(k) == '+'))
            ++k;
        int exponentDigits = 0;
        while (k < text.size() && isDigit(text.at(k))) {
            ++k;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return k == text.size();
}

} // namespace

QByteArray makeNamedLine(const QByteArray &name, const QByteArray &value)
{
    return name + '=' + value;
}

bool splitNamedLine(const QByteArray &line, QByteArray *name, QByteArray *value)
{
    const qsizetype p = line.indexOf('=');
    if (p < 0)
        return false;
    if (name)
        *name = line.left(p);
    if (value)
        *value = line.mid(p + 1);
    return true;
}

NamedValues::NamedValues(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines) {
        QByteArray name;
        QByteArray value;
        if (!splitNamedLine(line, &name, &value))
            continue;
        const QByteArray key = AsciiLower(name);
        if (!m_values.contains(key))
            m_values.insert(key, value);
    }
}

QByteArray NamedValues::value(const QByteArray &name) const
{
    return m_values.value(AsciiLower(name));
}

bool NamedValues::contains(const QByteArray &name) const
{
    return m_values.contains(AsciiLower(name));
}

QByteArray encodeInteger(qint32 number)
{
    return QByteArray::number(number);
}

qint32 decodeInteger(const QByteArray &value)
{
    qint32 number = 0;
    if (!parseInteger(value, &number))
        throw ConversionError("Not an integer: '" + printableText(value) + "'");
    return number;
}

QByteArray encodeBoolean(bool flag)
{
    return flag ? QByteArray("-1") : QByteArray("0");
}

bool decodeBoolean(const QByteArray &value)
{
    qint32 number = 0;
    if (parseInteger(value, &number))
        return number != 0;
    return AsciiLower(value) == "true";
}

QByteArray encodeReal(double number, char decimalSeparator)
{
    QByteArray text = QByteArray::number(number, 'g', 15);
    if (decimalSeparator != '.')
        text.replace('.', decimalSeparator);
    return text;
}

double decodeReal(const QByteArray &value, char decimalSeparator, double fallback)
{
    if (!isRealText(value, decimalSeparator))
        return fallback;
    QByteArray text = value;
    if (decimalSeparator != '.')
        text.replace(decimalSeparator, '.');
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && std::isfinite(number) ? number : fallback;
}

char localeDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80)
        return char(point.at(0).unicode());
    return '.';
}

QByteArray encodeHexBytes(const QByteArray &bytes)
{
    return BytesToHex(bytes);
}

QByteArray decodeHexBytes(const QByteArray &value)
{
    return HexToBytes(value);
}

QByteArray encodeTabList(const QList<qint32> &numbers)
{
    QByteArray text;
    for (const qint32 number : numbers) {
        text += QByteArray::number(number);
        text += '\t';
    }
    return text;
}

QList<qint32> decodeTabList(const QByteArray &value, int count)
{
    QList<qint32> numbers;
    QByteArray rest = value;
    for (int n = 0; n < count; ++n) {
        if (rest.isEmpty()) {
            throw ConversionError("Too few numbers in '" + printableText(value) +
                                  "': " + QByteArray::number(count) + " expected");
        }
        numbers.append(decodeInteger(SplitFirst(rest, '\t')));
    }
    return numbers;
}

QByteArray decodeText(const QByteArray &value, int maxLength)
{
    return value.left(std::max(maxLength, 0));
}

QByteArray singleLineText(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char c = text.at(k);
        if (c == '\r' && k + 1 < text.size() && text.at(k + 1) == '\n')
            ++k;
        out += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
    }
    return out;
}

} // namespace ykt
