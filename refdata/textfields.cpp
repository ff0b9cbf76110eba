#include "refdata/textfields.h"

#include "util/conversions.h"

#include <limits>

namespace ykt::refdata {

QList<QByteArray> SplitTextLines(const QByteArray &content)
{
    QList<QByteArray> lines;
    const qsizetype n = content.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = content.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == '\r' && i + 1 < n && content.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(content.mid(start));
    return lines;
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

} // namespace ykt::refdata
