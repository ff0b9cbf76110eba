// The Phrases page through the real window, attached to the virtual module:
// what a read shows, edits into the texts the send writes, a rename through
// an input's event picker reaching the name grid, and "Set default".

#include "settings/pages/eventpicker.h"
#include "settings/pages/inputspage.h"
#include "settings/pages/phrasespage.h"
#include "settings/sendplan.h"
#include "wizard/pagelist.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "pagerig.h"

namespace ykt::testing {
namespace {

struct PhrasesRig : PageRig
{
    PhrasesRig()
    {
        writeFile(QStringLiteral("CID_Descriptions.txt"),
                  "Burglary\t1130\tpartition\tzone\t1\t0\r\n");
        // Input 1 reports a burglary in partition 1, zone 5.
        sim->setRecord(0x0F, 0, 0, QByteArray::fromHex("0001000400000613001005"));
    }
    TPhrasesPage &page() { return PageRig::page<TPhrasesPage>(PhrasesPageIndex); }
    QString cell(int fdNr, int row, int column = 1)
    {
        return page().nameGrid(fdNr)->item(row, column)->text();
    }
    int stepsWith(quint8 opcode)
    {
        form->CommitPages();
        int n = 0;
        for (const SendStep &s : buildSendPlan(model(), form->sendContext()))
            n += s.opcode() == opcode;
        return n;
    }
};

TEST(PhrasesPage, AReadShowsTheTextsAndEditsGoIntoTheModel)
{
    PhrasesRig rig;
    ASSERT_TRUE(rig.ready());
    TPhrasesPage &page = rig.page();
    const TextsArea &texts = rig.model().texts;
    // Every grid shows its group with its row labels: zones, partitions and
    // PGMs from 1, modules and users from 0.
    const struct
    {
        int fdNr, rows;
        const char *firstLabel;
    } groups[] = {{1, 64, "m1"}, {2, 16, "m0"}, {3, 64, "m0"}, {4, 8, "m1"}, {5, 16, "m1"}};
    for (const auto &g : groups) {
        EXPECT_EQ(page.nameGrid(g.fdNr)->rowCount(), g.rows);
        EXPECT_EQ(rig.cell(g.fdNr, 0, 0), QLatin1String(g.firstLabel)) << g.fdNr;
        EXPECT_EQ(rig.cell(g.fdNr, g.rows - 1),
                  rig.form->ToUnicode(texts.itemNames[size_t(g.fdNr - 1)][size_t(g.rows - 1)]));
    }
    EXPECT_EQ(page.phraseGrid()->item(18, 0)->text(), rig.form->ToUnicode(texts.smsPhrases[18]));
    auto *failure = rig.find<QLineEdit>(QStringLiteral("AdSMSEdit0"));
    EXPECT_EQ(failure->text(), rig.form->ToUnicode(texts.additionalTexts[0]));

    // Edits: the model at once, cut to the module's widths.
    page.nameGrid(4)->item(1, 1)->setText(QStringLiteral("Garage and garden"));
    EXPECT_EQ(texts.itemNames[3][1], QByteArray("Garage and garde"));
    page.phraseGrid()->item(3, 0)->setText(QStringLiteral("All off"));
    EXPECT_EQ(texts.smsPhrases[3], QByteArray("All off"));
    failure->setText(QStringLiteral("No GPRS"));
    EXPECT_EQ(texts.additionalTexts[0], QByteArray("No GPRS"));

    // A zone renamed in the grid shows in input 1's picker; a rename
    // through the picker shows in the grid.
    auto &inputs = rig.PageRig::page<TInputsPage>(InputsPageIndex);
    page.nameGrid(1)->item(4, 1)->setText(QStringLiteral("Hall"));
    EXPECT_EQ(inputs.picker(0)->nameText(1), QStringLiteral("Hall"));
    inputs.picker(0)->editName(1, QStringLiteral("Front hall"));
    EXPECT_EQ(rig.cell(1, 4), QStringLiteral("Front hall"));
    EXPECT_EQ(texts.itemNames[0][4], QByteArray("Front hall"));

    // What a send writes: 64 zones, 16 modules, 64 users on this firmware,
    // 8 partitions, 16 PGMs; 19 phrases and 2 additional texts.
    EXPECT_EQ(rig.stepsWith(0x10), 64 + 16 + 64 + 8 + 16);
    EXPECT_EQ(rig.stepsWith(0x0D), 19);
    EXPECT_EQ(rig.stepsWith(0x16), 2);
}

TEST(PhrasesPage, SetDefaultTakesTheMessagesAndSendsNothing)
{
    PhrasesRig rig;
    ASSERT_TRUE(rig.ready());
    const int packets = rig.packets().size();
    rig.find<QPushButton>(QStringLiteral("TntButton24"))->click();
    const TextsArea &texts = rig.model().texts;
    EXPECT_EQ(texts.itemNames[0][0], QByteArray("m191"));
    EXPECT_EQ(texts.itemNames[2][0], QByteArray("m200"));
    EXPECT_EQ(texts.smsPhrases[15], QByteArray("m143"));
    EXPECT_EQ(texts.additionalTexts[1], QByteArray("m17"));
    EXPECT_EQ(rig.cell(5, 15), QStringLiteral("m15516"));
    EXPECT_EQ(rig.page().phraseGrid()->item(0, 0)->text(), QStringLiteral("m1"));
    EXPECT_EQ(rig.find<QLineEdit>(QStringLiteral("AdSMSEdit1"))->text(), QStringLiteral("m17"));
    EXPECT_EQ(rig.PageRig::page<TInputsPage>(InputsPageIndex).picker(0)->nameText(1),
              QStringLiteral("m195"));
    EXPECT_EQ(rig.packets().size(), packets);
}

} // namespace
} // namespace ykt::testing
