#include "util/conversions.h"

#include <limits>

namespace ykt {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

namespace {

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

quint32 HexToInt(const QByteArray &text)
{
    quint32 value = 0;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0)
            throw ConversionError("Ne HEX " + text);
        value = value * 16u + quint32(digit);
    }
    return value;
}

QByteArray BytesToHex(const tduomenys &bytes)
{
    return bytes.toHex().toUpper();
}

tduomenys HexToBytes(const QByteArray &text)
{
    tduomenys bytes(text.size() / 2, '\0');
    for (int k = 0; k < bytes.size(); ++k)
        bytes[k] = char(HexToInt(text.mid(2 * k, 2)));
    return bytes;
}

QByteArray HexKeyToBytes(const QByteArray &text)
{
    QByteArray digits = text.left(32);
    if (digits.size() < 32)
        digits.append(32 - digits.size(), '0');
    return HexToBytes(digits);
}

QByteArray SplitFirst(QByteArray &text, char separator)
{
    const int p = text.indexOf(separator);
    if (p < 0) {
        QByteArray head = text;
        text.clear();
        return head;
    }
    QByteArray head = text.left(p);
    text = text.mid(p + 1);
    return head;
}

QString SplitFirst(QString &text, QChar separator)
{
    const int p = text.indexOf(separator);
    if (p < 0) {
        QString head = text;
        text.clear();
        return head;
    }
    QString head = text.left(p);
    text = text.mid(p + 1);
    return head;
}

void FillBytes(tduomenys &bytes, quint8 value)
{
    if (!bytes.isEmpty())
        bytes.fill(char(value));
}

void CopyBytes(tduomenys &destination, const tduomenys &source, int dstPos, int count, int srcPos)
{
    if (dstPos < 0 || srcPos < 0)
        return;
    for (int k = 0; k < count && dstPos + k < destination.size() && srcPos + k < source.size(); ++k)
        destination[dstPos + k] = source[srcPos + k];
}

void CopyBytesAt(tduomenys &destination, const tduomenys &source, int dstPos)
{
    CopyBytes(destination, source, dstPos, source.size(), 0);
}

int IndexOfText(const QByteArray &text, const QList<QByteArray> &list)
{
    for (int i = 0; i < list.size(); ++i) {
        const QByteArray &item = list.at(i);
        if (item.size() != text.size())
            continue;
        bool equal = true;
        for (int k = 0; k < text.size() && equal; ++k)
            equal = asciiLower(text.at(k)) == asciiLower(item.at(k));
        if (equal)
            return i;
    }
    return -1;
}

QByteArray printableText(const QByteArray &text)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\') {
            out += "\\\\";
        } else if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

QByteArray AsciiLower(QByteArray text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

bool ParseDecimal(const QByteArray &text, qint64 &value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == '+' || text.at(i) == '-')) {
        negative = text.at(i) == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    // Accumulate as a negative number so that the most negative value fits.
    qint64 acc = 0;
    const qint64 lowest = std::numeric_limits<qint64>::min();
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c < '0' || c > '9')
            return false;
        const int digit = c - '0';
        if (acc < (lowest + digit) / 10)
            return false;
        acc = acc * 10 - digit;
    }
    if (!negative) {
        if (acc == lowest)
            return false;
        acc = -acc;
    }
    value = acc;
    return true;
}

} // namespace ykt
