#include "texts/examplesms.h"

#include <QByteArrayList>

#include <initializer_list>

namespace ykt {

namespace {

// The message that names each group.
int groupMessage(int fdNr)
{
    constexpr int messages[TextsArea::NameGroups] = {19, 21, 20, 22, 155};
    return fdNr >= 1 && fdNr <= TextsArea::NameGroups ? messages[fdNr - 1] : 0;
}

int phraseMessage(int i)
{
    return i < 15 ? i + 1 : i + 128;
}

} // namespace

std::array<QByteArray, TextsArea::PhraseCount> DefaultTemplatePhrases()
{
    return TextsArea().templatePhrases;
}

std::optional<QByteArray> BuildExampleSms(const QByteArray &code,
                                          const std::array<QByteArray, TextsArea::PhraseCount> &p,
                                          const QByteArray &n1, const QByteArray &n2)
{
    const auto join = [](std::initializer_list<QByteArray> parts) {
        return QByteArrayList(parts).join(' ');
    };
    const auto is = [&code](std::initializer_list<const char *> codes) {
        for (const char *c : codes) {
            if (code == c)
                return true;
        }
        return false;
    };
    if (is({"1100", "1101"}))
        return join({p[0], p[6], n2});
    if (is({"1110", "1115", "1131", "1132", "1134"}))
        return join({p[0], n2});
    if (is({"1120"}))
        return join({p[0], p[8], n2});
    if (is({"1121"}))
        return join({p[0], p[9], n2});
    if (is({"1145"}))
        return join({p[0], p[10], n2});
    if (is({"1401"}))
        return join({n2, p[2], n1});
    if (is({"3401"}))
        return join({n2, p[1], n1});
    return std::nullopt;
}

QString NormalizeSmsText(const QString &text)
{
    QString s = text;
    s.remove(QLatin1Char('\r'));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s.left(SmsTextLength);
}

int ItemNumber(int fdNr, int idx)
{
    return fdNr == 2 || fdNr == 3 ? idx : idx + 1;
}

QByteArray DefaultItemName(int fdNr, int idx, const MessageText &message)
{
    return message(groupMessage(fdNr)) + QByteArray::number(ItemNumber(fdNr, idx));
}

QByteArray ItemRowLabel(int fdNr, int idx, const MessageText &message)
{
    return message(groupMessage(fdNr)).left(1) + QByteArray::number(ItemNumber(fdNr, idx));
}

void SetDefaultTexts(TextsArea &texts, const MessageText &message)
{
    for (int g = 1; g <= TextsArea::NameGroups; ++g) {
        for (int i = 0; i < TextsArea::groupSize(g); ++i)
            texts.itemNames[size_t(g - 1)][size_t(i)] = DefaultItemName(g, i, message);
    }
    for (int i = 0; i < TextsArea::PhraseCount; ++i)
        texts.smsPhrases[size_t(i)] = message(phraseMessage(i)).left(NameLength);
    texts.additionalTexts[0] = message(16).left(SmsTextLength);
    texts.additionalTexts[1] = message(17).left(SmsTextLength);
}

} // namespace ykt
