#include "texts/helptext.h"

#include <gtest/gtest.h>

using namespace ykt;

namespace {

// What the module answers for each part: the part's characters, padded with
// blanks to the part's length.
QByteArray readBack(const std::array<QByteArray, HelpTextPartCount> &parts)
{
    QByteArray text = "stale text";
    for (int i = 0; i < HelpTextPartCount; ++i)
        text = addHelpTextPart(text, i, parts[i].leftJustified(helpTextPartLength(i), ' '));
    return text;
}

} // namespace

TEST(HelpText, SplitsIntoThreePartsAndReadsBackTheSame)
{
    QByteArray full;
    for (int i = 0; i < HelpTextMaxLength; ++i)
        full.append(char('A' + i % 26));
    const auto parts = splitHelpText(full);
    EXPECT_EQ(parts[0].size(), 47);
    EXPECT_EQ(parts[1].size(), 47);
    EXPECT_EQ(parts[2].size(), 46);
    EXPECT_EQ(parts[0] + parts[1] + parts[2], full);
    EXPECT_EQ(readBack(parts), full);

    // A short text with blanks inside and at its end: the inner blanks stay,
    // the padding goes.
    const QByteArray shortText = QByteArray(47, 'x') + "  SEND STATUS  ";
    const auto shortParts = splitHelpText(shortText);
    EXPECT_EQ(shortParts[2], QByteArray());
    EXPECT_EQ(readBack(shortParts), QByteArray(47, 'x') + "  SEND STATUS");

    // More than 140 characters: the rest is not sent.
    EXPECT_EQ(splitHelpText(full + "tail")[2], parts[2]);
}

TEST(HelpText, ControlCharactersShowAsDots)
{
    const QByteArray part0 = QByteArray("Call\x01me\x1F\xFF") + char(0) + QByteArray(37, ' ');
    EXPECT_EQ(addHelpTextPart("", 0, part0), QByteArray("Call.me...") + QByteArray(37, ' '));
}

TEST(HelpText, PartsBuildTheTextInTurn)
{
    // The first part starts afresh; the first two keep their blanks; the last
    // one ends the text without trailing blanks.
    QByteArray t = addHelpTextPart("old", 0, "abc ");
    EXPECT_EQ(t, QByteArray("abc "));
    t = addHelpTextPart(t, 1, "def  ");
    EXPECT_EQ(t, QByteArray("abc def  "));
    EXPECT_EQ(addHelpTextPart(t, 2, "   "), QByteArray("abc def"));

    // Over-long parts are cut to their length, the text to 140 characters.
    const QByteArray big(300, 'z');
    t = addHelpTextPart("", 0, big);
    EXPECT_EQ(t.size(), 47);
    t = addHelpTextPart(t, 1, big);
    t = addHelpTextPart(t, 1, big); // a repeated part appends again, up to the limit
    EXPECT_EQ(t.size(), HelpTextMaxLength);
    EXPECT_EQ(addHelpTextPart(t, 2, big).size(), HelpTextMaxLength);

    // Unknown parts change nothing.
    for (int part : {-1, 3, 255})
        EXPECT_EQ(addHelpTextPart("kept", part, "x"), QByteArray("kept")) << part;
}
