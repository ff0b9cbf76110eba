#include "refdata/voicephrases.h"

#include "refdata/textfields.h"

#include <QDir>

#include <limits>

namespace ykt {

namespace {

// The number made of the digits of text, other characters ignored. False
// when there are no digits or the number does not fit an int.
bool DigitValue(const QByteArray &text, int &value)
{
    qint64 acc = 0;
    bool any = false;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        any = true;
        acc = acc * 10 + (c - '0');
        if (acc > std::numeric_limits<int>::max())
            return false;
    }
    if (!any)
        return false;
    value = int(acc);
    return true;
}

} // namespace

bool ParseVoicePhraseLine(const QByteArray &line, TVoicePhrase &phrase)
{
    const qsizetype dot = line.indexOf('.');
    if (dot < 0)
        return false;
    QByteArray rest = line.mid(dot + 1);
    const qsizetype eq = rest.indexOf('=');
    const QByteArray key = eq < 0 ? rest : rest.left(eq);
    const QByteArray caption = eq < 0 ? QByteArray() : rest.mid(eq + 1);

    const qsizetype underscore = key.indexOf('_');
    if (underscore < 0)
        return false;
    int number = 0;
    if (!DigitValue(key.left(underscore), number) || number < kVoicePhraseLowest)
        return false;

    refdata::ByteFields pieces(key.mid(underscore + 1), '.');
    bool hasEight = false;
    while (pieces.hasMore() && !hasEight) {
        int value = 0;
        hasEight = DigitValue(pieces.next(), value) && value == 8;
    }
    if (!hasEight)
        return false;

    phrase.Number = number;
    phrase.Caption = caption;
    return true;
}

QList<TVoicePhrase> ParseVoicePhrases(const QByteArray &content)
{
    QList<TVoicePhrase> phrases;
    for (const QByteArray &line : refdata::SplitTextLines(content)) {
        TVoicePhrase phrase;
        if (ParseVoicePhraseLine(line, phrase))
            phrases.append(phrase);
    }
    return phrases;
}

TPhraseMenu BuildPhraseMenu(const QByteArray &noPhraseCaption, const QList<TVoicePhrase> &phrases)
{
    TPhraseMenu menu;
    menu.reserve(phrases.size() + 1);
    menu.append(TVoicePhrase{0, noPhraseCaption});
    menu.append(phrases);
    return menu;
}

QString VoicePhraseFilePath(const QString &programFolder, const QString &languageName)
{
    return QDir(programFolder)
        .filePath(QStringLiteral("voice phrases/") + languageName + QStringLiteral(".txt"));
}

bool LoadVoicePhrases(const QString &path, const QByteArray &noPhraseCaption, TPhraseMenu &menu)
{
    const std::optional<QByteArray> content = refdata::ReadWholeFile(path);
    if (!content)
        return false;
    menu = BuildPhraseMenu(noPhraseCaption, ParseVoicePhrases(*content));
    return true;
}

bool FindPhraseCaption(const TPhraseMenu &menu, int number, QByteArray &caption)
{
    for (qsizetype i = 1; i < menu.size(); ++i) {
        if (menu.at(i).Number == number) {
            caption = menu.at(i).Caption;
            return true;
        }
    }
    return false;
}

} // namespace ykt
