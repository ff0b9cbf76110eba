#pragma once

// The texts the module composes its SMS messages from, as far as the tool
// builds them itself: the template phrase list with its initial values, the
// example SMS of an input that reports a Contact ID event, the SMS text of
// the "Edit SMS Text" dialog, and the default names, phrases and additional
// texts of the Phrases page. 8-bit texts are in the display code page of the
// current language.

#include "settings/settingsmodel.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace ykt {

// The template phrase list as the program starts with it.
std::array<QByteArray, TextsArea::PhraseCount> DefaultTemplatePhrases();

// The example SMS of an input whose event has the Contact ID code `code`
// (four characters, e.g. "1401"), with n1 and n2 the names the event picker
// shows in its first and second entry. Nothing for a code that gives no
// example.
std::optional<QByteArray>
BuildExampleSms(const QByteArray &code,
                const std::array<QByteArray, TextsArea::PhraseCount> &phrases, const QByteArray &n1,
                const QByteArray &n2);

// The longest SMS text of an input or an additional text.
constexpr int SmsTextLength = 50;
// The longest item name and SMS phrase.
constexpr int NameLength = 16;

// What the "Edit SMS Text" dialog gives the input: carriage returns removed,
// line feeds turned into blanks, the first 50 characters.
QString NormalizeSmsText(const QString &text);

// Message lookup of the current language, 8-bit.
using MessageText = std::function<QByteArray(int)>;

// The defaults of the Phrases page: every name of the five groups (message
// 19, 21, 20, 22 or 155 followed by the number), the 19 phrases (messages 1
// to 15 and 143 to 146) and the two additional texts (messages 16 and 17).
void SetDefaultTexts(TextsArea &texts, const MessageText &message);
// The default name of position idx of group fdNr (1..5), and its row label
// (the first character of the message and the number).
QByteArray DefaultItemName(int fdNr, int idx, const MessageText &message);
QByteArray ItemRowLabel(int fdNr, int idx, const MessageText &message);
// The number that position idx of group fdNr carries (zones, partitions and
// PGMs count from 1, modules and users from 0).
int ItemNumber(int fdNr, int idx);

} // namespace ykt
