#include "texts/helptext.h"

namespace ykt {

QByteArray addHelpTextPart(const QByteArray &text, int part, const QByteArray &received)
{
    if (part < 0 || part >= HelpTextPartCount)
        return text;
    QByteArray piece = received.left(helpTextPartLength(part));
    for (char &c : piece) {
        const quint8 b = quint8(c);
        if (b < 32 || b == 255)
            c = '.';
    }
    QByteArray result = part == 0 ? piece : text + piece;
    if (part == 2) {
        while (result.endsWith(' '))
            result.chop(1);
    }
    result.truncate(HelpTextMaxLength);
    return result;
}

std::array<QByteArray, HelpTextPartCount> splitHelpText(const QByteArray &text)
{
    const QByteArray t = text.left(HelpTextMaxLength);
    return {t.mid(0, 47), t.mid(47, 47), t.mid(94, 46)};
}

} // namespace ykt
