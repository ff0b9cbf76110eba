// The zone voice page through the real window on the virtual module: the
// records a read shows, choosing a phrase, the language's phrase menu and
// what a send writes.

#include "settings/pages/zonevoicepage.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

#include "pagerig.h"

namespace ykt::testing {
namespace {

constexpr int ZoneVoiceItem = 0x1D;

struct ZoneVoiceRig : PageRig
{
    ZoneVoiceRig()
    {
        QDir(dir.path()).mkdir(QStringLiteral("voice phrases"));
        writeFile(QStringLiteral("voice phrases/English.txt"),
                  "x.0701_one.8=Alarm\r\nno dot line\r\nx.0699_low.8=Low\r\n"
                  "x.0702_two.8=Door\r\nx.0703_three.5=Not eight\r\n");
        // Zone 5: phrase 701, then "no phrase" as 0 and 255, then a phrase
        // the file does not know.
        sim->setRecord(ZoneVoiceItem, 5, 0, QByteArray("\x05\x01\x00\xFF\x63\0\0\0\0", 9));
    }
    TZoneVoicePage &page() { return PageRig::page<TZoneVoicePage>(ZoneVoicePageIndex); }
    QTreeWidgetItem *slot(int zone, int s) { return page().tree()->topLevelItem(zone)->child(s); }
};

TEST(ZoneVoicePage, ShowsChoosesAndSendsThePhrases)
{
    ZoneVoiceRig rig;
    ASSERT_TRUE(rig.ready());
    TZoneVoicePage &page = rig.page();
    // The menu: message 152, then the accepted lines.
    ASSERT_EQ(page.phraseMenu().size(), 3);
    EXPECT_EQ(page.menuList()->item(0)->text(), QStringLiteral("m152"));
    EXPECT_EQ(page.menuList()->item(2)->text(), QStringLiteral("Door"));

    EXPECT_EQ(page.tree()->topLevelItem(5)->text(0), QStringLiteral("Zone 6"));
    EXPECT_EQ(rig.slot(5, 0)->text(0), QStringLiteral("Alarm"));
    EXPECT_EQ(rig.slot(5, 1)->text(0), QString());
    EXPECT_EQ(rig.slot(5, 2)->text(0), QString());
    EXPECT_EQ(rig.slot(5, 3)->text(0), QStringLiteral("799"));
    EXPECT_EQ(rig.find<QLabel>("TntLabelVoiceLanguageName")->text(), QStringLiteral("English"));

    // No menu on a zone entry.
    page.tree()->setCurrentItem(page.tree()->topLevelItem(7));
    EXPECT_FALSE(page.OpenPhraseMenu(QPoint(10, 10)));
    page.ChoosePhrase(2);
    EXPECT_EQ(rig.model().zoneVoice.records[7], QByteArray("\x07\0\0\0\0\0\0\0\0", 9));
    // A slot takes the chosen phrase; the first entry empties it.
    page.tree()->setCurrentItem(rig.slot(7, 3));
    EXPECT_TRUE(page.OpenPhraseMenu(QPoint(10, 10)));
    page.menuList()->hide();
    page.ChoosePhrase(2);
    EXPECT_EQ(rig.slot(7, 3)->text(0), QStringLiteral("Door"));
    page.tree()->setCurrentItem(rig.slot(5, 0));
    page.ChoosePhrase(0);
    EXPECT_EQ(rig.slot(5, 0)->text(0), QString());

    // A language without a phrase file keeps the menu.
    rig.writeFile(QStringLiteral("comps.txt"),
                  numberedMessages() + numberedMessages().replace("English", "Other"));
    rig.form->SelectLanguage("Other", true);
    EXPECT_EQ(page.phraseMenu().size(), 3);

    rig.sim->clearReceivedPackets();
    rig.scripted.buttonAnswers = {QMessageBox::Ok};
    rig.form->SendToModule();
    ASSERT_TRUE(rig.readDone(2));
    QList<QByteArray> records;
    for (const QByteArray &p : rig.packets()) {
        if (quint8(p.at(0)) == ZoneVoiceItem)
            records.append(p.mid(1, 9));
    }
    ASSERT_EQ(records.size(), 64);
    EXPECT_EQ(records[5], QByteArray("\x05\x00\x00\xFF\x63\0\0\0\0", 9));
    EXPECT_EQ(records[7], QByteArray("\x07\0\0\0\x02\0\0\0\0", 9));
    EXPECT_EQ(records[63], QByteArray("\x3F\0\0\0\0\0\0\0\0", 9));
}

} // namespace
} // namespace ykt::testing
