#include "settings/phonenumber.h"

namespace ykt {

QByteArray PhoneNumberOf(const QString &text)
{
    const QString trimmed = text.trimmed();
    QByteArray number;
    if (trimmed.startsWith(QLatin1Char('+')))
        number += '+';
    for (QChar c : trimmed) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            number += char(c.unicode());
    }
    return number.left(MaxPhoneNumberLength);
}

bool SamePhoneNumber(const QByteArray &a, const QByteArray &b)
{
    const auto bare = [](const QByteArray &n) { return n.startsWith('+') ? n.mid(1) : n; };
    return bare(a) == bare(b);
}

QString PhoneNumberPattern()
{
    return QStringLiteral("\\+?[0-9]*");
}

} // namespace ykt
