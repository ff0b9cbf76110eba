#pragma once

// The voice phrase files: "voice phrases/<language>.txt" beside the program,
// one phrase per line, 8-bit in the language's code page. They fill the menu
// from which each zone's eight voice slots pick their phrases.
//
// A line is accepted when it reads
//     <anything> "." <digits, at least 700> "_" <pieces cut at "."> "=" <caption>
// and one of the pieces holds the digits of 8 (other characters ignored), e.g.
//     phrase.0701_alarm.8=Alarm
// Everything else is skipped silently.

#include <QByteArray>
#include <QList>
#include <QString>

namespace ykt {

constexpr int kVoicePhraseLowest = 700; // the lowest phrase number a file may give
constexpr int kNoPhraseMessage = 152;   // caption of the menu's first entry
constexpr int kEmptySlotMessage = 151;  // grey placeholder of an empty slot
constexpr int kPhraseMenuVisibleRows = 20;

struct TVoicePhrase
{
    int Number = 0;     // 0 = no phrase, otherwise 700 or more
    QByteArray Caption; // 8-bit, the language's code page

    bool operator==(const TVoicePhrase &o) const
    {
        return Number == o.Number && Caption == o.Caption;
    }
};

// The menu entries in order: the "no phrase" entry first, then the file's phrases.
using TPhraseMenu = QList<TVoicePhrase>;

// One line of a voice phrase file; false when the line is not a phrase.
bool ParseVoicePhraseLine(const QByteArray &line, TVoicePhrase &phrase);
// Every accepted line of a file, in file order.
QList<TVoicePhrase> ParseVoicePhrases(const QByteArray &content);

// The menu for the given phrases: {0, noPhraseCaption} first.
TPhraseMenu BuildPhraseMenu(const QByteArray &noPhraseCaption, const QList<TVoicePhrase> &phrases);

// "voice phrases/<language>.txt" in the program's folder.
QString VoicePhraseFilePath(const QString &programFolder, const QString &languageName);

// Rebuilds menu from the file. When the file does not exist or cannot be read
// the menu keeps what it had and the result is false.
bool LoadVoicePhrases(const QString &path, const QByteArray &noPhraseCaption, TPhraseMenu &menu);

// The caption a slot gets for a phrase number: the first entry after the
// "no phrase" entry that carries the number. False when the menu has none.
bool FindPhraseCaption(const TPhraseMenu &menu, int number, QByteArray &caption);

} // namespace ykt
