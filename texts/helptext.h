#pragma once

// The help SMS text: one text of at most 140 characters that the module
// sends back on request. The module keeps it in three parts of 47, 47 and 46
// characters. It is not converted with the module character set.

#include <QByteArray>

#include <array>

namespace ykt {

constexpr int HelpTextMaxLength = 140;
constexpr int HelpTextPartCount = 3;
// Characters of part 0, 1 and 2.
constexpr int helpTextPartLength(int part)
{
    return part == 2 ? 46 : 47;
}

// The help text after part `part` has arrived from the module: part 0 starts
// the text afresh, parts 0 and 1 are appended as they came (blanks kept),
// part 2 is appended and then the trailing blanks of the whole text go.
// Control characters and 0xFF become ".". A part is cut to its length and
// the text to 140 characters; an unknown part number leaves the text as it
// was.
QByteArray addHelpTextPart(const QByteArray &text, int part, const QByteArray &received);

// The three parts to send: characters 1-47, 48-94 and 95-140 (shorter or
// empty when the text is shorter; the command fills the rest with blanks).
std::array<QByteArray, HelpTextPartCount> splitHelpText(const QByteArray &text);

} // namespace ykt
