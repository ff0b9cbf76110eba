#include "settings/gprsfields.h"

#include "util/conversions.h"

#include <algorithm>

namespace ykt::gprs {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// The hexadecimal letter c as a capital between from and 'F', or a null
// character when it is none.
QChar hexLetterFrom(QChar c, char from)
{
    const QChar upper = c.toUpper();
    return upper >= QLatin1Char(from) && upper <= QLatin1Char('F') ? upper : QChar();
}

// The character as the field keeps it, or a null character when the field
// refuses it.
QChar typed(Field field, QChar c)
{
    switch (field) {
    case Field::Address:
        return isAsciiLetter(c) || isAsciiDigit(c) || c == QLatin1Char('.') || c == QLatin1Char('-')
                   ? c
                   : QChar();
    case Field::Port:
    case Field::HeartbeatCode:
        return isAsciiDigit(c) ? c : QChar();
    case Field::Account:
        return isAsciiDigit(c) ? c : hexLetterFrom(c, 'B');
    case Field::Key:
        return isAsciiDigit(c) ? c : hexLetterFrom(c, 'A');
    }
    return QChar();
}

bool isPort(const QByteArray &text)
{
    return !text.isEmpty() && text.size() <= MaxPortLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

Station splitConnectionString(const QByteArray &text)
{
    QByteArray rest = text;
    Station station;
    station.address = SplitFirst(rest, ':');
    if (isPort(rest))
        station.port = rest;
    return station;
}

QByteArray joinConnectionString(const QByteArray &address, const QByteArray &port)
{
    const QByteArray joined = port.isEmpty() ? address : address + ':' + port;
    return joined.left(MaxConnectionStringLength);
}

std::optional<QByteArray> keyTextToBytes(const QString &text)
{
    const QString digits = text.left(KeyDigits).leftJustified(KeyDigits, QLatin1Char('0'));
    QByteArray bytes(KeyBytes, '\0');
    for (int k = 0; k < KeyBytes; ++k) {
        const QChar high = digits.at(2 * k);
        const QChar low = digits.at(2 * k + 1);
        const int h = high.unicode() < 0x80 ? hexDigit(char(high.unicode())) : -1;
        const int l = low.unicode() < 0x80 ? hexDigit(char(low.unicode())) : -1;
        if (h < 0 || l < 0)
            return std::nullopt;
        bytes[k] = char(h << 4 | l);
    }
    return bytes;
}

QString keyBytesToText(const QByteArray &bytes)
{
    QByteArray full = bytes.left(KeyBytes);
    full.append(KeyBytes - full.size(), '\0');
    return QString::fromLatin1(BytesToHex(full));
}

int maxLengthOf(Field field)
{
    switch (field) {
    case Field::Address:
        return MaxAddressLength;
    case Field::Port:
        return MaxPortLength;
    case Field::Account:
        return MaxAccountLength;
    case Field::Key:
        return KeyDigits;
    case Field::HeartbeatCode:
        return HeartbeatCodeLength;
    }
    return 0;
}

bool acceptsTyped(Field field, QChar c)
{
    return !typed(field, c).isNull();
}

QString filterTyped(Field field, const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        const QChar k = typed(field, c);
        if (!k.isNull())
            kept.append(k);
    }
    return kept;
}

FilteredEdit filterEdit(Field field, const QString &before, const QString &after, int cursor)
{
    cursor = std::clamp(cursor, 0, int(after.size()));
    const int shorter = int(std::min(before.size(), after.size()));
    // The unchanged tail ends no earlier than the cursor: an insertion ends
    // where the cursor stands after it.
    int tail = 0;
    while (tail < shorter && tail < after.size() - cursor &&
           before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    int head = 0;
    while (head < shorter - tail && before.at(head) == after.at(head))
        ++head;
    const int insertedLength = int(after.size()) - head - tail;
    const QString inserted = after.mid(head, insertedLength);
    const int room = std::max(0, maxLengthOf(field) - head - tail);
    const QString kept = filterTyped(field, inserted).left(room);

    FilteredEdit out;
    out.text = after.left(head) + kept + after.right(tail);
    if (cursor <= head)
        out.cursor = cursor;
    else if (cursor >= head + insertedLength)
        out.cursor = cursor - int(inserted.size() - kept.size());
    else
        out.cursor = head + int(std::min(filterTyped(field, inserted.left(cursor - head)).size(),
                                         kept.size()));
    return out;
}

} // namespace ykt::gprs
