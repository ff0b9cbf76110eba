#include "refdata/voicephrases.h"

#include "refdata/textfields.h"

#include <QDir>

#include <limits>

namespace ykt {

namespace {

// The number made of the digits of text, other characters ignored. False
// when there are no digits or the number does not fit an int.
bool DigitValue(QByteArrayView text, int &value)
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

// The rules of one line, on a view of it: nothing but the caption of an
// accepted line is copied, so a file costs one pass and no copies of its
// lines.
bool ParseLine(QByteArrayView line, TVoicePhrase &phrase)
{
    const qsizetype dot = line.indexOf('.');
    if (dot < 0)
        return false;
    const QByteArrayView rest = line.sliced(dot + 1);
    const qsizetype eq = rest.indexOf('=');
    const QByteArrayView key = eq < 0 ? rest : rest.first(eq);

    const qsizetype underscore = key.indexOf('_');
    if (underscore < 0)
        return false;
    int number = 0;
    if (!DigitValue(key.first(underscore), number) || number < kVoicePhraseLowest)
        return false;

    // The pieces after "_", cut at ".": one of them must hold the digits of 8.
    const QByteArrayView pieces = key.sliced(underscore + 1);
    bool hasEight = false;
    for (qsizetype from = 0; from < pieces.size() && !hasEight;) {
        qsizetype end = pieces.indexOf('.', from);
        if (end < 0)
            end = pieces.size();
        int value = 0;
        hasEight = DigitValue(pieces.sliced(from, end - from), value) && value == 8;
        from = end + 1;
    }
    if (!hasEight)
        return false;

    phrase.Number = number;
    phrase.Caption = eq < 0 ? QByteArray() : rest.sliced(eq + 1).toByteArray();
    return true;
}

} // namespace

bool ParseVoicePhraseLine(const QByteArray &line, TVoicePhrase &phrase)
{
    return ParseLine(line, phrase);
}

QList<TVoicePhrase> ParseVoicePhrases(const QByteArray &content)
{
    // Lines end at CR LF, CR or LF, as in the other reference files.
    QList<TVoicePhrase> phrases;
    const QByteArrayView text(content);
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && text.at(i) != '\r' && text.at(i) != '\n')
            continue;
        if (i < n || start < n) {
            TVoicePhrase phrase;
            if (ParseLine(text.sliced(start, i - start), phrase))
                phrases.append(phrase);
        }
        if (i + 1 < n && text.at(i) == '\r' && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
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
