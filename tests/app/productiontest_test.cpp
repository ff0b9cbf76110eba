// Production test programming through the real window in service mode on
// the virtual module: the test number list from and back to Settings.ini,
// programming with a list number, the prompt with Cancel (the module is left
// as it was) and with a short number, "Itraukti Nr." refusing a wrong length,
// and a module pulled out during the writes.

#include "app/forms/productiontest.h"
#include "app/forms/progressdialog.h"
#include "app/settingsini.h"
#include "settings/pages/userspage.h"

#include <QComboBox>
#include <QPushButton>

#include "pagerig.h"

namespace ykt::testing {
namespace {

const QByteArray ServiceIni = "; test station\r\n"
                              "[Settings]\r\n"
                              "Code=60493\r\n"
                              "PhoneNumber=37069999999\r\n"
                              "PhoneNumber1=37060000001\r\n"
                              "PhoneNumber2=3706000\r\n"
                              "PhoneNumber3=37060000003\r\n"
                              "Station=4\r\n";

// The scripted answers, and what each prompt was pre-filled with.
struct PrefillDialogs : ScriptedDialogs
{
    QStringList prefills;
    std::optional<QString> askText(QWidget *parent, const QString &title, const QString &prompt,
                                   const QString &initial, Echo echo) override
    {
        prefills.append(initial);
        return ScriptedDialogs::askText(parent, title, prompt, initial, echo);
    }
};

struct TestRig : PageRig
{
    TestRig() : PageRig(QString(), ServiceIni)
    {
        dialogs.failUnscripted = true;
        setDialogs(&dialogs);
    }
    ~TestRig() { setDialogs(&scripted); }

    PrefillDialogs dialogs;

    QComboBox *list() { return find<QComboBox>(QStringLiteral("TntComboBox1")); }
    void press(const char *button) { find<QPushButton>(QLatin1String(button))->click(); }
    // "Programuoti testavimui", with the box that ends it answered.
    void program()
    {
        dialogs.buttonAnswers.push_back(QMessageBox::Ok);
        press("TntButton25");
    }
    QString lastBox() const
    {
        return dialogs.boxes.isEmpty() ? QString() : dialogs.boxes.last().text;
    }
    QByteArray ini(const char *key) const
    {
        IniFile file;
        file.load(path(QStringLiteral("Settings.ini")));
        return file.value(kSettingsSection, key, "<none>");
    }
    // Every record the module keeps.
    QList<QByteArray> memory() const
    {
        QList<QByteArray> all;
        for (int item = 0; item <= 0x20; ++item)
            for (int index = 0; index < 64; ++index)
                for (int sub = 0; sub < (item == 0x10 ? 64 : 1); ++sub)
                    if (const auto r = sim->record(item, index, sub))
                        all.append(QByteArray::number(item) + '/' + QByteArray::number(index) +
                                   '/' + QByteArray::number(sub) + ':' + r->toHex());
        return all;
    }
    // User 0 as the module holds it: PnCR and number.
    std::pair<int, QByteArray> moduleUser() const
    {
        const auto r = sim->record(0x0B, 0);
        return {r ? quint8(r->at(1)) : -1, sim->storedText(0x0B, 0)};
    }
};

TEST(ProductionTest, ServiceModeListProgrammingAndSave)
{
    TestRig rig;
    ASSERT_TRUE(rig.ready());
    ASSERT_TRUE(rig.form->serviceMode());
    TForm1 &f = *rig.form;

    // The list: the stored numbers of eleven characters, the first selected.
    QComboBox *list = rig.list();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("37060000003"));
    EXPECT_EQ(list->currentText(), QStringLiteral("37060000001"));
    EXPECT_EQ(rig.find<QPushButton>(QStringLiteral("TntButton25"))->text(),
              QStringLiteral("Programuoti testavimui"));

    // A list number: nothing is asked, the module is prepared.
    rig.sim->clearReceivedPackets();
    rig.program();
    EXPECT_TRUE(rig.dialogs.prompts.isEmpty());
    EXPECT_EQ(rig.lastBox(), QStringLiteral("Paruosimas testavimui baigtas"));
    EXPECT_FALSE(f.form5()->isVisible());
    EXPECT_EQ(rig.ini("PhoneNumber1"), QByteArray("37060000001"));
    EXPECT_EQ(rig.moduleUser(), std::make_pair(0x43, QByteArray("37060000001")));
    for (int i = 0; i < 6; ++i) {
        const auto setting = rig.sim->record(0x0F, i);
        ASSERT_TRUE(setting) << i;
        EXPECT_EQ(setting->mid(1, 10).toHex(), QByteArray("02000400000000000000")) << i;
        EXPECT_EQ(rig.sim->storedText(0x13, i), "m23" + QByteArray::number(i + 1));
    }
    EXPECT_EQ(rig.sim->storedText(0x10, 3, 1), QByteArray("m201"));
    EXPECT_EQ(rig.sim->storedText(0x10, 4, 0), QByteArray("m221"));
    EXPECT_EQ(rig.sim->storedText(0x10, 2, 1), QByteArray("m211"));
    // The factory default went first, EndExchange last.
    EXPECT_EQ(rig.lastOpcode(), 0x41);
    EXPECT_GT(rig.packetsWith(0x14), 0); // the factory access PIN
    const int factoryPackets = rig.packets().size() - 17;
    // The model and the pages hold what was written.
    EXPECT_EQ(rig.model().phones[0].number, QByteArray("37060000001"));
    EXPECT_EQ(rig.model().phones[0].cr, 0x43);
    EXPECT_EQ(rig.model().texts.itemNames[2][1], QByteArray("m201"));
    EXPECT_EQ(rig.page<TUsersPage>(UsersPageIndex).displayedRow(), 0);
    for (const char *name :
         {"ComboBox5", "ComboBox7", "ComboBox8", "ComboBox9", "ComboBox10", "ComboBox11"})
        EXPECT_EQ(rig.find<QComboBox>(QLatin1String(name))->currentIndex(), 2) << name;
    EXPECT_FALSE(f.HasUnsentEdits());

    // No list number: the prompt comes before anything is written, and its
    // Cancel leaves the module untouched.
    list->setEditText(QStringLiteral("3706"));
    const QList<QByteArray> before = rig.memory();
    const int sent = rig.packets().size();
    rig.dialogs.textAnswers.push_back(std::nullopt);
    rig.press("TntButton25");
    ASSERT_EQ(rig.dialogs.prompts, QStringList{QStringLiteral("Enter testing number")});
    EXPECT_EQ(rig.dialogs.promptTexts.last(), QStringLiteral("Number (e.g: 37060000000)"));
    EXPECT_EQ(rig.dialogs.prefills.last(), QStringLiteral("37060000001"));
    EXPECT_EQ(rig.packets().size(), sent);
    EXPECT_EQ(rig.memory(), before);
    EXPECT_FALSE(f.form5()->isVisible());
    EXPECT_EQ(rig.ini("PhoneNumber1"), QByteArray("37060000001"));

    // Eight characters at the prompt are taken and kept as PhoneNumber1.
    rig.dialogs.textAnswers.push_back(QStringLiteral("37060000"));
    rig.program();
    EXPECT_EQ(rig.lastBox(), QStringLiteral("Paruosimas testavimui baigtas"));
    EXPECT_EQ(rig.ini("PhoneNumber1"), QByteArray("37060000"));
    EXPECT_EQ(rig.moduleUser(), std::make_pair(0x43, QByteArray("37060000")));

    // "Itraukti Nr.": a wrong length is refused, eleven characters join.
    rig.dialogs.textAnswers.push_back(QStringLiteral("370600000055"));
    rig.dialogs.buttonAnswers.push_back(QMessageBox::Ok);
    rig.press("TntButton28");
    EXPECT_EQ(rig.dialogs.prompts.last(), QStringLiteral("Iveskite testavimo numeri"));
    EXPECT_EQ(rig.dialogs.promptTexts.last(), QStringLiteral("Numeris (pvz: 37060000000)"));
    EXPECT_EQ(rig.dialogs.prefills.last(), QStringLiteral("37069999999"));
    EXPECT_EQ(rig.lastBox(), QStringLiteral("Numeris neteisingas"));
    EXPECT_EQ(list->count(), 2);
    for (const char *number : {"37060000005", "37060000006"}) {
        rig.dialogs.textAnswers.push_back(QLatin1String(number));
        rig.press("TntButton28");
        EXPECT_EQ(list->currentText(), QLatin1String(number));
    }
    EXPECT_EQ(list->count(), 4);
    const int boxes = rig.dialogs.boxes.size();
    rig.dialogs.textAnswers.push_back(std::nullopt);
    rig.press("TntButton28");
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(rig.dialogs.boxes.size(), boxes);

    // The module pulled out in the middle of the test writes: "Klaida",
    // nothing more written.
    sim::Faults pulledOut;
    pulledOut.unplugAt = factoryPackets + 5;
    rig.sim->setFaults(pulledOut);
    rig.sim->clearReceivedPackets();
    rig.program();
    EXPECT_EQ(rig.lastBox(), QStringLiteral("Klaida"));
    EXPECT_FALSE(f.form5()->isVisible());
    EXPECT_FALSE(f.productionTest()->running());
    EXPECT_EQ(rig.packets().size(), factoryPackets + 5); // the last one went with the module
    EXPECT_EQ(rig.packetsWith(0x41), 0);

    // At close: the first three items, each of eleven characters, to
    // PhoneNumber1..3; the second is not, so PhoneNumber2 keeps its value;
    // the fourth item is not saved; the rest of the file stays.
    list->setItemText(1, QStringLiteral("3706"));
    rig.dialogs.buttonAnswers.push_back(QMessageBox::No); // edits the module did not get
    f.close();
    EXPECT_EQ(rig.ini("PhoneNumber1"), QByteArray("37060000001"));
    EXPECT_EQ(rig.ini("PhoneNumber2"), QByteArray("3706000"));
    EXPECT_EQ(rig.ini("PhoneNumber3"), QByteArray("37060000005"));
    EXPECT_EQ(rig.ini("PhoneNumber"), QByteArray("37069999999"));
    EXPECT_EQ(rig.ini("Station"), QByteArray("4"));
    QFile file(rig.path(QStringLiteral("Settings.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("; test station\r\n[Settings]\r\nCode=60493\r\n"));
    EXPECT_TRUE(f.writtenLogPath().isEmpty());
}

} // namespace
} // namespace ykt::testing
