#include "refdata/voicephrases.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

bool Accepts(const QByteArray &line, int number = -1, const QByteArray &caption = QByteArray())
{
    TVoicePhrase phrase;
    if (!ParseVoicePhraseLine(line, phrase))
        return false;
    return (number < 0 || phrase.Number == number) &&
           (caption.isNull() || phrase.Caption == caption);
}

} // namespace

TEST(VoicePhrases, LineRules)
{
    EXPECT_TRUE(Accepts("word.0701_name.8=Front door", 701, "Front door"));
    // The number is made of the digits before "_", other characters ignored.
    EXPECT_TRUE(Accepts("w.v07x02_name.8=C", 702, "C"));
    EXPECT_TRUE(Accepts("w.0700_name.8=Lowest", 700));
    // Everything up to the first "." goes, so a later "." is part of the key.
    EXPECT_TRUE(Accepts("a.b.0703_name.8=C", 703));
    // One piece after "_" (cut at ".") must read 8; its other characters are ignored.
    EXPECT_TRUE(Accepts("w.0704_a.b.x8y=C", 704));
    EXPECT_TRUE(Accepts("w.0705_8=C", 705));
    EXPECT_TRUE(Accepts("w.0706_a.08=C", 706));
    // The caption is everything after the first "=".
    EXPECT_TRUE(Accepts("w.0707_a.8=x=y.z", 707, "x=y.z"));
    EXPECT_TRUE(Accepts("w.0708_a.8=", 708, ""));

    EXPECT_FALSE(Accepts("no dot 0701_a.8=C"));
    EXPECT_FALSE(Accepts("w.0699_a.8=Too low"));
    EXPECT_FALSE(Accepts("w.0701a.8=No underscore"));
    EXPECT_FALSE(Accepts("w._a.8=No digits"));
    EXPECT_FALSE(Accepts("w.0701_a.18=Eighteen"));
    EXPECT_FALSE(Accepts("w.0701_a.b=No eight"));
    EXPECT_FALSE(Accepts("w.0701_a.=Empty piece"));
    // The "_" must be in the key, not in the caption.
    EXPECT_FALSE(Accepts("w.0701=a_b.8"));
    EXPECT_FALSE(Accepts("w.99999999999999999999_a.8=Overflow"));
    EXPECT_FALSE(Accepts("w.0701_a.99999999999999999998=Overflow"));
    EXPECT_FALSE(Accepts(""));
}

TEST(VoicePhrases, FileGivesTheAcceptedLinesInOrder)
{
    const QList<TVoicePhrase> phrases =
        ParseVoicePhrases("# header\r\nv.0702_b.8=Second\r\nskip\nv.0701_a.8=First\rv.0600_c.8=x");
    ASSERT_EQ(phrases.size(), 2);
    EXPECT_EQ(phrases.at(0), (TVoicePhrase{702, "Second"}));
    EXPECT_EQ(phrases.at(1), (TVoicePhrase{701, "First"}));
}

// The file is cut into lines without copying them; every kind of line end,
// empty lines and a last line without an end still give the same phrases.
TEST(VoicePhrases, FileLineEnds)
{
    const QList<TVoicePhrase> both{{701, "A"}, {702, "B"}};
    const struct
    {
        QByteArray content;
        QList<TVoicePhrase> phrases;
    } cases[] = {
        {"v.0701_8=A\r\nv.0702_8=B", both},
        {"v.0701_8=A\rv.0702_8=B\r", both},
        {"v.0701_8=A\nv.0702_8=B\n", both},
        {"\r\n\r\rv.0701_8=A\r\r\nv.0702_8=B\n\n", both},
        {"v.0701_8=A\n\r\nv.0702_8=", {{701, "A"}, {702, ""}}},
        {"v.0701_8", {{701, QByteArray()}}},
        {"\r\n", {}},
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseVoicePhrases(c.content), c.phrases) << c.content.toStdString();
}

TEST(VoicePhrases, MenuStartsWithTheNoPhraseEntry)
{
    const TPhraseMenu menu =
        BuildPhraseMenu("(none)", {{701, "Zone"}, {702, "Door"}, {701, "Dup"}});
    ASSERT_EQ(menu.size(), 4);
    EXPECT_EQ(menu.at(0), (TVoicePhrase{0, "(none)"}));
    EXPECT_EQ(menu.at(2), (TVoicePhrase{702, "Door"}));

    QByteArray caption = "kept";
    EXPECT_TRUE(FindPhraseCaption(menu, 701, caption));
    EXPECT_EQ(caption, QByteArray("Zone"));
    // The first entry is not searched, so 0 finds nothing.
    caption = "kept";
    EXPECT_FALSE(FindPhraseCaption(menu, 0, caption));
    EXPECT_FALSE(FindPhraseCaption(menu, 955, caption));
    EXPECT_EQ(caption, QByteArray("kept"));
}

TEST(VoicePhrases, MissingFileKeepsThePreviousMenu)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(VoicePhraseFilePath(dir.path(), "Lithuanian"),
              dir.path() + "/voice phrases/Lithuanian.txt");

    TPhraseMenu menu = BuildPhraseMenu("none", {{701, "English"}});
    EXPECT_FALSE(LoadVoicePhrases(VoicePhraseFilePath(dir.path(), "Russian"), "nichego", menu));
    ASSERT_EQ(menu.size(), 2);
    EXPECT_EQ(menu.at(1).Caption, QByteArray("English"));

    QFile file(dir.filePath("Russian.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("r.0710_a.8=\xC7\xEE\xED\xE0\r\n");
    file.close();
    EXPECT_TRUE(LoadVoicePhrases(file.fileName(), "nichego", menu));
    ASSERT_EQ(menu.size(), 2);
    EXPECT_EQ(menu.at(0), (TVoicePhrase{0, "nichego"}));
    EXPECT_EQ(menu.at(1), (TVoicePhrase{710, "\xC7\xEE\xED\xE0"}));

    // An existing file without phrases empties the menu down to its first entry.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    EXPECT_TRUE(LoadVoicePhrases(file.fileName(), "none", menu));
    EXPECT_EQ(menu.size(), 1);
}
