// Languages on real widgets: the class table applied to a small window of
// every widget kind, then the main window's start-up language, the language
// list, the messages and their box, the manual button, Settings.ini and the
// two developer buttons of the "Log" page.

#include "windowrig.h"

#include "app/forms/applylanguage.h"
#include "app/forms/documentviewer.h"
#include "app/forms/lamp.h"
#include "app/forms/languageclasses.h"
#include "app/forms/radiogroup.h"
#include "app/forms/secondaryforms.h"
#include "app/settingsini.h"
#include "localization/languagefile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <map>

using namespace ykt;
using namespace ykt::testing;

namespace {

// --- A window of every kind the table knows ------------------------------------------

template <class W> W *make(QWidget *parent, const char *name, W *w)
{
    w->setObjectName(QLatin1String(name));
    if (parent && w->parentWidget() != parent)
        w->setParent(parent);
    return w;
}

struct KindsWindow
{
    KindsWindow()
    {
        form.setObjectName("Form1");
        form.setWindowTitle("Built in");
        label = make(&form, "TntLabel1", new QLabel("label"));
        plainLabel = make(&form, "Label1", new QLabel("plain label"));
        button = make(&form, "TntButton1", new QPushButton("button"));
        check = make(&form, "TntCheckBox1", new QCheckBox("check"));
        group = make(&form, "TntGroupBox1", new QGroupBox("group"));
        radio = make(&form, "TntRadioButton1", new QRadioButton("radio"));
        tool = make(&form, "ToolButton1", new QToolButton);
        lamp = make(&form, "VrLed1", new Lamp("lamp"));
        combo = make(&form, "ComboBox1", new QComboBox);
        combo->addItems({"0", "1", "2", "3", "4"});
        combo->setCurrentIndex(3);
        radios = make(&form, "RadioGroup1", new RadioGroup("radios"));
        radios->setItems({"a", "b"});
        radios->setItemIndex(1);
        tabs = make(&form, "PageControl1", new QTabWidget);
        tabs->addTab(make<QWidget>(nullptr, "TntTabSheet1", new QWidget), "tab");
        edit = make(&form, "LabeledEdit1", new QLineEdit);
        editLabel = make(&form, "EditLabel", new QLabel("edit label"));
        editLabel->setBuddy(edit);
        action = new QAction("action", &form);
        action->setObjectName("N1");
        action->setToolTip("own tip");
        second = new QDialog(&form);
        second->setObjectName("Form2");
        secondButton = make(second, "TntButton1", new QPushButton("second button"));
    }

    QList<QWidget *> windows() { return {&form, second}; }

    QWidget form;
    QLabel *label, *plainLabel, *editLabel;
    QPushButton *button, *secondButton;
    QCheckBox *check;
    QGroupBox *group;
    QRadioButton *radio;
    QToolButton *tool;
    Lamp *lamp;
    QComboBox *combo;
    RadioGroup *radios;
    QTabWidget *tabs;
    QLineEdit *edit;
    QAction *action;
    QDialog *second;
};

LanguageState stateOf(const QByteArray &file)
{
    TKalbos table;
    const LanguageFileResult r = ParseLanguageFile(file, table);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    LanguageState state;
    state.setTable(table);
    return state;
}

QVariant charsetOf(const QObject *o)
{
    return o->property(kFontCharsetProperty);
}

// Byte 0xE0 is 'ą' in Windows-1257 and 'à' in Windows-1252.
const QString a1257 = QStringLiteral("ą");
const QString a1252 = QStringLiteral("à");

} // namespace

TEST(ApplyLanguage, EachClassWithItsConversion)
{
    KindsWindow w;
    LanguageState state = stateOf("%Lietuviu\t186\t2\n"
                                  "=Form1\tLang\xE0s\n"
                                  "&TntLabel1\tTTntLabel\tetiket\xE0\tpatarimas \xE0\n"
                                  "&Label1\tTLabel\tpaprasta \xE0\n"
                                  "&TntButton1\tTTntButton\tmygtuk\xE0\tsistemos \xE0\n"
                                  "&TntCheckBox1\tTTntCheckBox\tvarnel\xE0\n"
                                  "&TntGroupBox1\tTTntGroupBox\tgrup\xE0\n"
                                  "&TntRadioButton1\tTTntRadioButton\tjungiklis\n"
                                  "&ToolButton1\tTToolButton\t\xE0rankis\tpatarimas\n"
                                  "&VrLed1\tTVrLed\tlempa \xE0\n"
                                  "&ComboBox1\tttntcombobox\tnulis\tvienas\tdu\ttrys \xE0\tketuri\n"
                                  "&RadioGroup1\tttntradiogroup\tpasirinkimas\tA \xE0\tB\tC\n"
                                  "&TntTabSheet1\tTTntTabSheet\tlapas \xE0\tlapo patarimas \xE0\n"
                                  "&LabeledEdit1\tTLabeledEdit\tlauko \xE0\tlauko patarimas\n"
                                  "&N1\tTMenuItem\tmeniu \xE0\tb\xFBsenos eilut\xEB\n"
                                  "=Form2\tAntras\n"
                                  "&TntButton1\tTTntButton\tantras mygtukas\n");
    ASSERT_TRUE(ApplyLanguage(state, "Lietuviu", w.windows()));
    EXPECT_EQ(state.codePage(), CodePage::Windows1257);

    EXPECT_EQ(w.form.windowTitle(), "Lang" + a1257 + "s");
    EXPECT_EQ(charsetOf(&w.form), 186);
    // Conv and 8-bit texts both show through the language's code page.
    EXPECT_EQ(w.label->text(), "etiket" + a1257);
    EXPECT_EQ(w.label->toolTip(), "patarimas " + a1257);
    EXPECT_EQ(w.plainLabel->text(), "paprasta " + a1257);
    // The hint of a Tnt button is in the system's 8-bit code page.
    EXPECT_EQ(w.button->text(), "mygtuk" + a1257);
    EXPECT_EQ(w.button->toolTip(), "sistemos " + a1252);
    EXPECT_EQ(w.check->text(), "varnel" + a1257);
    EXPECT_EQ(w.group->title(), "grup" + a1257);
    EXPECT_EQ(w.radio->text(), "jungiklis");
    EXPECT_EQ(w.tool->text(), a1257 + "rankis");
    EXPECT_EQ(w.lamp->text(), "lempa " + a1257);
    EXPECT_EQ(w.tabs->tabText(0), "lapas " + a1257);
    EXPECT_EQ(w.tabs->tabToolTip(0), "lapo patarimas " + a1252);
    EXPECT_EQ(w.editLabel->text(), "lauko " + a1257);
    EXPECT_EQ(w.edit->toolTip(), "lauko patarimas");
    // A menu item's hint goes to the status bar, not to a tool tip.
    EXPECT_EQ(w.action->text(), "meniu " + a1257);
    EXPECT_EQ(w.action->statusTip(), QStringLiteral("būsenos eilutė"));
    EXPECT_EQ(w.action->toolTip(), "own tip");

    // Items, each carrying its position; a radio group keeps no choice.
    ASSERT_EQ(w.combo->count(), 5);
    EXPECT_EQ(w.combo->itemText(3), "trys " + a1257);
    EXPECT_EQ(w.combo->itemData(4), 4);
    EXPECT_EQ(w.radios->title(), "pasirinkimas");
    EXPECT_EQ(w.radios->items(), QStringList({"A " + a1257, "B", "C"}));
    EXPECT_EQ(w.radios->itemIndex(), -1);

    // The font character set follows the table: not for tool buttons, menu
    // items and combo boxes; a labeled edit's goes to its label.
    EXPECT_EQ(charsetOf(w.label), 186);
    EXPECT_EQ(charsetOf(w.radios), 186);
    EXPECT_EQ(charsetOf(w.editLabel), 186);
    EXPECT_FALSE(charsetOf(w.tool).isValid());
    EXPECT_FALSE(charsetOf(w.action).isValid());
    EXPECT_FALSE(charsetOf(w.combo).isValid());
    EXPECT_FALSE(charsetOf(w.edit).isValid());

    // Each window's records reach only that window's components.
    EXPECT_EQ(w.second->windowTitle(), "Antras");
    EXPECT_EQ(w.secondButton->text(), "antras mygtukas");
}

TEST(ApplyLanguage, ComboPositionIsKeptWhenTheNewListHasIt)
{
    KindsWindow w;
    int changes = 0;
    QObject::connect(w.combo, &QComboBox::currentIndexChanged, [&] { ++changes; });
    LanguageState state = stateOf("%Long\t0\t0\n=Form1\tx\n&ComboBox1\tTComboBox\ta\tb\tc\td\n"
                                  "%Short\t0\t0\n=Form1\tx\n&ComboBox1\tTComboBox\ta\tb\t\n"
                                  "%Empty\t0\t0\n=Form1\tx\n&ComboBox1\tTComboBox\n");
    ASSERT_TRUE(ApplyLanguage(state, "Long", w.windows()));
    EXPECT_EQ(w.combo->count(), 4);
    EXPECT_EQ(w.combo->currentIndex(), 3);
    ASSERT_TRUE(ApplyLanguage(state, "Short", w.windows()));
    EXPECT_EQ(w.combo->count(), 2); // the trailing TAB gives no item
    EXPECT_EQ(w.combo->currentIndex(), 0);
    ASSERT_TRUE(ApplyLanguage(state, "Empty", w.windows()));
    EXPECT_EQ(w.combo->count(), 0);
    EXPECT_EQ(w.combo->currentIndex(), -1);
    // Applying a language fires no change handler.
    EXPECT_EQ(changes, 0);
}

TEST(ApplyLanguage, WrongClassIsSkippedAndTheRestApplied)
{
    KindsWindow w;
    LanguageState state = stateOf("%A\t0\t0\n=Form1\tx\n"
                                  "&ComboBox1\tTTntLabel\tnot a label\n"
                                  "&TntLabel1\tTComboBox\tnot\ta combo\n"
                                  "&RadioGroup1\tTGroupBox\tnot a plain group\n"
                                  "&NoSuchControl\tTTntLabel\tnowhere\n"
                                  "&TntButton1\tTNoSuchClass\tunknown\n"
                                  "&TntCheckBox1\tTTntCheckBox\tapplied\n");
    ASSERT_TRUE(ApplyLanguage(state, "A", w.windows()));
    EXPECT_EQ(w.combo->count(), 5);
    EXPECT_EQ(w.label->text(), "label");
    EXPECT_EQ(w.radios->title(), "radios");
    EXPECT_EQ(w.button->text(), "button");
    EXPECT_EQ(w.check->text(), "applied");
}

TEST(ApplyLanguage, LetterCaseRules)
{
    KindsWindow w;
    LanguageState state = stateOf("%Mixed\t0\t0\n=fORM1\tcaption\n"
                                  "&tntlabel1\tTTntLabel\tname in any case\n"
                                  "&Label1\ttlabel\tclass compared exactly\n"
                                  "&TntGroupBox1\tTTNTGROUPBOX\tclass in any case\n"
                                  "&TntButton1\tttntbutton\tclass compared exactly\n");
    // Language names are compared exactly: nothing changes.
    EXPECT_FALSE(ApplyLanguage(state, "mixed", w.windows()));
    EXPECT_FALSE(state.applied());
    EXPECT_EQ(w.form.windowTitle(), "Built in");

    ASSERT_TRUE(ApplyLanguage(state, "Mixed", w.windows()));
    EXPECT_EQ(w.form.windowTitle(), "caption");
    EXPECT_EQ(w.label->text(), "name in any case");
    EXPECT_EQ(w.plainLabel->text(), "plain label");
    EXPECT_EQ(w.group->title(), "class in any case");
    EXPECT_EQ(w.button->text(), "button");
}

TEST(ApplyLanguage, OnlyNamedTextsChangeAndAnEmptyHintClearsTheTip)
{
    KindsWindow w;
    w.label->setToolTip("old tip");
    LanguageState state = stateOf("%A\t0\t0\n=Form1\tA\n&TntLabel1\tTTntLabel\tfrom A\ttip A\n"
                                  "&TntButton1\tTTntButton\tbutton A\n"
                                  "%B\t204\t0\n=Form1\tB\n&TntLabel1\tTTntLabel\tfrom B\n");
    ASSERT_TRUE(ApplyLanguage(state, "A", w.windows()));
    ASSERT_TRUE(ApplyLanguage(state, "B", w.windows()));
    EXPECT_EQ(w.label->text(), "from B");
    EXPECT_TRUE(w.label->toolTip().isEmpty());
    // What B does not name keeps A's text, and the built-in ones stay.
    EXPECT_EQ(w.button->text(), "button A");
    EXPECT_EQ(w.check->text(), "check");
    EXPECT_EQ(charsetOf(w.label), 204);
    EXPECT_EQ(charsetOf(w.button), 0);
}

TEST(ApplyLanguage, DesignerClassesForTheTemplate)
{
    KindsWindow w;
    EXPECT_EQ(DesignerClassOf(w.label), "TTntLabel");
    EXPECT_EQ(DesignerClassOf(w.plainLabel), "TLabel");
    EXPECT_EQ(DesignerClassOf(w.group), "TTntGroupBox");
    EXPECT_EQ(DesignerClassOf(w.combo), "TComboBox");
    EXPECT_EQ(DesignerClassOf(w.radios), "TRadioGroup");
    EXPECT_EQ(DesignerClassOf(w.edit), "TLabeledEdit");
    EXPECT_EQ(DesignerClassOf(w.lamp), "TVrLed");
    EXPECT_EQ(DesignerClassOf(w.tabs->widget(0)), "TTntTabSheet");
    // A name whose class the widget cannot be says nothing.
    auto *fake = make(&w.form, "ComboBoxLike", new QLabel("panel"));
    EXPECT_TRUE(DesignerClassOf(fake).isEmpty());
    EXPECT_TRUE(DesignerClassOf(w.tabs).isEmpty());

    const QList<TemplateWindow> windows = TemplateWindowsOf(w.windows(), CodePage::Windows1257);
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows.at(0).name, "Form1");
    const auto find = [&](const QByteArray &name) {
        for (const TemplateControl &c : windows.at(0).controls)
            if (c.name == name)
                return c;
        return TemplateControl{};
    };
    EXPECT_EQ(find("ComboBox1").items, QList<QByteArray>({"0", "1", "2", "3", "4"}));
    EXPECT_EQ(find("LabeledEdit1").caption, "edit label");
    // Texts go back to 8-bit in the code page given.
    w.plainLabel->setText("Kalb" + a1257);
    fake->setProperty(kDesignerClassProperty, QByteArray("TPanel"));
    EXPECT_EQ(DesignerClassOf(fake), "TPanel");
    const QList<TemplateWindow> again = TemplateWindowsOf(w.windows(), CodePage::Windows1257);
    EXPECT_EQ(again.at(0).controls.size(), windows.at(0).controls.size() + 1);
    EXPECT_EQ(find("Label1").caption, "plain label");
    for (const TemplateControl &c : again.at(0).controls) {
        if (c.name == "Label1") {
            EXPECT_EQ(c.caption, "Kalb\xE0");
        }
    }
    // Form2's button belongs to Form2 only.
    ASSERT_EQ(windows.at(1).controls.size(), 1);
    EXPECT_EQ(windows.at(1).controls.at(0).caption, "second button");
}

// --- The main window ----------------------------------------------------------------

namespace {

// A language block of the inline language file: its header, window and
// control lines, then messages 1 to count ("<name> message N" unless given).
QByteArray languageBlock(const QByteArray &header, const QByteArray &records,
                         const std::map<int, QByteArray> &messages, int count = 140)
{
    QByteArray text = header + "\r\n" + records;
    const QByteArray name = header.mid(1, header.indexOf('\t') - 1);
    for (int n = 1; n <= count; ++n) {
        const auto given = messages.find(n);
        text +=
            "$" +
            (given != messages.end() ? given->second : name + " message " + QByteArray::number(n)) +
            "\r\n";
    }
    return text;
}

const QByteArray English = languageBlock("%English\t0\t0",
                                         "=Form4\tEdit SMS Text\r\n"
                                         "&TntButton1\tTTntButton\t&OK\r\n",
                                         {{25, "No module"},
                                          {26, "Error"},
                                          {28, "Confirmation"},
                                          {30, "Yes"},
                                          {31, "No"},
                                          {32, "Cancel"},
                                          {34, "CID_Descriptions.txt is missing"},
                                          {140, "Manual"}});

const QByteArray Lithuanian =
    languageBlock("%Lithuanian\t186\t2",
                  "=Form1\t\xC1k\xEBl\xEBjas\r\n"
                  "&Label120\tTLabel\tKalb\xE0\r\n"
                  "&TntLabel32\tTTntLabel\t\xC1renginio tipas\r\n"
                  "&TntTabSheet4\tTTntTabSheet\tPagrindinis\r\n"
                  "&TntButton27\tTTntButton\t\xC1kelti \xF0\x61\x62lon\xE0\t\xE0\r\n"
                  "&tntbutton1\tTTntButton\tSi\xF8sti\r\n"
                  "&TntBitBtn1\tTTntLabel\tWrong class\r\n"
                  "&TntButton30\tTTntButton\tRankinis\r\n"
                  "&NoSuchControl\tTLabel\tnowhere\r\n"
                  "&VrLedBusy\tTVrLed\tU\xFEimtas\r\n"
                  "=FormX\tno such window\r\n"
                  "&Label1\tTLabel\tnothing\r\n"
                  "=Form4\tSMS tekstas\r\n"
                  "&TntButton1\tTTntButton\tGerai\r\n",
                  {{25, "Prijunkite modul\xE6"},
                   {28, "Patvirtinimas"},
                   {30, "Taip"},
                   {31, "Ne"},
                   {32, "At\xF0\x61ukti"},
                   {140, "Vadovas"}});

const QByteArray Russian = languageBlock("%Russian\t204\t1",
                                         "=Form1\t\xC7\xE0\xE3\xF0\xF3\xE7\xF7\xE8\xEA\r\n"
                                         "&TntLabel32\tTTntLabel\t\xD2\xE8\xEF\r\n",
                                         {{25, "\xCD\xE5\xF2 \xEC\xEE\xE4\xF3\xEB\xFF"}});

const QByteArray ThreeLanguages = English + Lithuanian + Russian;

struct LanguageRig : WindowRig
{
    explicit LanguageRig(const QByteArray &comps = ThreeLanguages,
                         const QByteArray &settings = "[Settings]\r\nLanguage=English\r\n",
                         const QString &sim = QStringLiteral("plugged=0"))
        : WindowRig(sim, settings)
    {
        // The window reads its files 100 ms after its start: they are in
        // place before the event loop runs.
        if (comps.isNull())
            QFile::remove(path(QStringLiteral("comps.txt")));
        else
            writeFile(QStringLiteral("comps.txt"), comps);
        setDocumentOpener([this](const QString &p) {
            opened.append(p);
            return viewerInstalled;
        });
    }
    ~LanguageRig() { setDocumentOpener({}); }

    bool started()
    {
        return waitFor([this] { return form->languageStartupDone(); });
    }

    template <class W = QWidget> W *child(const char *name)
    {
        return form->findChild<W *>(QLatin1String(name));
    }

    QByteArray storedLanguage()
    {
        IniFile ini;
        ini.load(path(QStringLiteral("Settings.ini")));
        return ini.value("Settings", "Language", "<none>");
    }

    void choose(int index) { form->languageList()->setCurrentIndex(index); }

    QStringList opened;
    bool viewerInstalled = true;
};

} // namespace

TEST(LanguageWindow, StartUpAppliesTheStoredLanguage)
{
    LanguageRig rig(ThreeLanguages, "[Settings]\r\nCode=0\r\nLanguage=lithuanian\r\n");
    TForm1 &f = *rig.form;
    // Nothing happens before the 100 ms.
    EXPECT_EQ(f.windowTitle(), "YKT4M Loader");
    EXPECT_EQ(f.languageList()->count(), 0);
    ASSERT_TRUE(rig.started());
    EXPECT_TRUE(rig.scripted.boxes.isEmpty());

    // The list in file order; the stored name matched without letter case.
    QStringList entries;
    for (int i = 0; i < f.languageList()->count(); ++i)
        entries.append(f.languageList()->itemText(i));
    EXPECT_EQ(entries, QStringList({"English", "Lithuanian", "Russian"}));
    EXPECT_EQ(f.languageList()->currentIndex(), 1);
    EXPECT_EQ(f.language().currentName(), "Lithuanian");
    EXPECT_EQ(rig.storedLanguage(), "Lithuanian");

    // The texts, in Baltic letters.
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Įkėlėjas v.3.10"));
    EXPECT_EQ(rig.child<QLabel>("Label120")->text(), QStringLiteral("Kalbą"));
    EXPECT_EQ(rig.child<QLabel>("TntLabel32")->text(), QStringLiteral("Įrenginio tipas"));
    EXPECT_EQ(f.pageControl()->tabText(TForm1::PageMainScreen), "Pagrindinis");
    auto *load = rig.child<QPushButton>("TntButton27");
    EXPECT_EQ(load->text(), QStringLiteral("Įkelti šabloną"));
    EXPECT_EQ(load->toolTip(), a1252);
    EXPECT_EQ(rig.child<QPushButton>("TntButton1")->text(), QStringLiteral("Siųsti"));
    EXPECT_EQ(rig.child<Lamp>("VrLedBusy")->text(), QStringLiteral("Užimtas"));
    // The wrong class was skipped, the next record applied.
    EXPECT_EQ(rig.child<QPushButton>("TntBitBtn1")->text(), "Manage Messages");
    EXPECT_EQ(rig.child<QPushButton>("TntButton30")->text(), "Rankinis");
    // The mode label follows the caption of the work mode's radio button.
    EXPECT_EQ(rig.child<QLabel>("TntLabel59")->text(),
              rig.child<QRadioButton>("TntRadioButton10")->text());
    // Form4 is a window of its own with its own TntButton1.
    EXPECT_EQ(f.form4()->windowTitle(), "SMS tekstas");
    EXPECT_EQ(f.form4()->findChild<QPushButton *>("TntButton1")->text(), "Gerai");
    EXPECT_EQ(f.property(kFontCharsetProperty), 186);

    // No module: message 25 of the language in the status bar.
    EXPECT_EQ(f.statusCaption()->text(), QStringLiteral("Prijunkite modulę"));
    EXPECT_EQ(f.MessageW(32), QStringLiteral("Atšaukti"));
}

TEST(LanguageWindow, ChoosingInTheList)
{
    LanguageRig rig;
    TForm1 &f = *rig.form;
    ASSERT_TRUE(rig.started());
    // English names no caption of Form1: the built-in one and the version.
    EXPECT_EQ(f.windowTitle(), "YKT4M Loader v.3.10");
    EXPECT_EQ(f.form4()->windowTitle(), "Edit SMS Text");

    int selected = 0;
    QObject::connect(&f, &TForm1::languageSelected, [&] { ++selected; });
    rig.choose(2);
    ASSERT_EQ(selected, 1);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Загрузчик v.3.10"));
    EXPECT_EQ(rig.child<QLabel>("TntLabel32")->text(), QStringLiteral("Тип"));
    EXPECT_EQ(f.statusCaption()->text(), QStringLiteral("Нет модуля"));
    EXPECT_EQ(rig.storedLanguage(), "Russian");

    // Back to English: Russian's caption stays (English names none), and the
    // version is not added twice.
    rig.choose(0);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Загрузчик v.3.10"));
    EXPECT_EQ(f.statusCaption()->text(), "No module");

    // Choosing the current language again does nothing, not even a write.
    ASSERT_TRUE(QFile::remove(rig.path("Settings.ini")));
    selected = 0;
    f.SelectLanguage("English", true);
    EXPECT_EQ(selected, 0);
    EXPECT_FALSE(QFile::exists(rig.path("Settings.ini")));
    // Not chosen by the user (a template's language): applied again.
    f.SelectLanguage("English", false);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(rig.storedLanguage(), "English");
}

TEST(LanguageWindow, StoredLanguageNotInTheFile)
{
    LanguageRig rig(ThreeLanguages, "[Settings]\r\nLanguage=Klingon\r\n");
    TForm1 &f = *rig.form;
    ASSERT_TRUE(rig.started());
    EXPECT_EQ(f.languageList()->count(), 3);
    EXPECT_EQ(f.languageList()->currentIndex(), -1);
    EXPECT_FALSE(f.language().applied());
    // Nothing applied, the empty name stored, messages of the first language.
    EXPECT_EQ(rig.child<QLabel>("Label120")->text(), "Language");
    EXPECT_EQ(f.windowTitle(), "YKT4M Loader v.3.10");
    EXPECT_EQ(rig.storedLanguage(), "");
    EXPECT_EQ(f.Message(30), "Yes");
    EXPECT_EQ(f.statusCaption()->text(), "No module");
    // The first language stood in only for the messages: choosing it applies it.
    rig.choose(0);
    EXPECT_TRUE(f.language().applied());
    EXPECT_EQ(f.form4()->windowTitle(), "Edit SMS Text");
    EXPECT_EQ(rig.storedLanguage(), "English");
}

TEST(LanguageWindow, MessagesAndTheirBox)
{
    LanguageRig rig(ThreeLanguages, "[Settings]\r\nLanguage=Lithuanian\r\n");
    TForm1 &f = *rig.form;
    ASSERT_TRUE(rig.started());
    EXPECT_TRUE(f.Message(0).isEmpty());
    EXPECT_TRUE(f.Message(141).isEmpty());
    EXPECT_TRUE(f.MessageW(-3).isEmpty());
    EXPECT_EQ(f.Message(1), "Lithuanian message 1");
    EXPECT_EQ(f.Message(140), "Vadovas");

    rig.scripted.buttonAnswers = {QMessageBox::No};
    EXPECT_EQ(f.ShowMessageBox("Sure?", DialogSeam::Icon::Question,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
              QMessageBox::No);
    ASSERT_EQ(rig.scripted.boxes.size(), 1);
    const DialogSeam::Box &box = rig.scripted.boxes.first();
    EXPECT_EQ(box.title, "Patvirtinimas");
    EXPECT_EQ(box.text, "Sure?");
    EXPECT_EQ(box.yesText, "Taip");
    EXPECT_EQ(box.noText, "Ne");
    EXPECT_EQ(box.cancelText, QStringLiteral("Atšaukti"));
    EXPECT_TRUE(box.okText.isEmpty());

    f.ShowMessageBox("Broken", DialogSeam::Icon::Warning);
    EXPECT_EQ(rig.scripted.boxes.last().title, "Lithuanian message 29");
    f.ShowPlainMessage("Plain");
    EXPECT_EQ(rig.scripted.boxes.last().title, "YKT4M Loader");
    EXPECT_EQ(rig.scripted.boxes.last().buttons, QMessageBox::Ok);
}

TEST(LanguageWindow, MissingOrBadLanguageFile)
{
    {
        LanguageRig rig{QByteArray()};
        ASSERT_TRUE(rig.started());
        ASSERT_EQ(rig.scripted.boxes.size(), 1);
        EXPECT_EQ(rig.scripted.boxes.first().text, "Not found comps.txt");
        EXPECT_EQ(rig.scripted.boxes.first().icon, DialogSeam::Icon::Error);
        EXPECT_TRUE(rig.scripted.boxes.first().title.isEmpty());
        EXPECT_EQ(rig.form->languageList()->count(), 0);
        EXPECT_EQ(rig.form->windowTitle(), "YKT4M Loader");
        EXPECT_FALSE(rig.terminated);
    }
    {
        // The first language is read in full before the bad line, yet the
        // program goes on without messages.
        LanguageRig rig(English + "%Broken\t204\r\n" + Russian);
        ASSERT_TRUE(rig.started());
        ASSERT_EQ(rig.scripted.boxes.size(), 1);
        const int badLine = int(English.count('\n')) + 1;
        EXPECT_EQ(rig.scripted.boxes.first().text,
                  QString::number(badLine) + " bloga eilute RQMcomps.txt");
        EXPECT_TRUE(rig.form->Message(30).isEmpty());
        EXPECT_EQ(rig.form->languageList()->count(), 0);
        EXPECT_EQ(rig.storedLanguage(), "English"); // untouched
    }
}

TEST(LanguageWindow, ContactIdFileFailuresEndTheProgram)
{
    {
        LanguageRig rig;
        QFile::remove(rig.path("CID_Descriptions.txt"));
        ASSERT_TRUE(rig.started());
        ASSERT_TRUE(rig.terminated);
        ASSERT_EQ(rig.scripted.boxes.size(), 1);
        EXPECT_EQ(rig.scripted.boxes.first().text, "CID_Descriptions.txt is missing");
        EXPECT_EQ(rig.scripted.boxes.first().title, "Error");
        EXPECT_EQ(rig.form->languageList()->count(), 0);
    }
    {
        LanguageRig rig;
        rig.writeFile("CID_Descriptions.txt", "Burglary\t113\tpartition\tzone\t1\t0\n");
        ASSERT_TRUE(rig.started());
        EXPECT_TRUE(rig.terminated);
        ASSERT_EQ(rig.scripted.boxes.size(), 1);
        EXPECT_EQ(rig.scripted.boxes.first().text, "English message 33");
    }
    {
        // A good file is read and follows the language.
        LanguageRig rig(ThreeLanguages, "[Settings]\r\nLanguage=Russian\r\n");
        rig.writeFile("CID_Descriptions.txt", "Burglary\t1130\tpartition\tzone\t1\t0\t7\n");
        ASSERT_TRUE(rig.started());
        EXPECT_FALSE(rig.terminated);
        ASSERT_EQ(rig.form->cidDescriptions().size(), 1);
        EXPECT_EQ(rig.form->cidDescriptions().first().Text, "Russian message 7");
    }
}

TEST(LanguageWindow, ManualButtonFindsTheManualOfTheLanguage)
{
    LanguageRig rig(ThreeLanguages, "[Settings]\r\nLanguage=Lithuanian\r\n");
    TForm1 &f = *rig.form;
    ASSERT_TRUE(rig.started());
    // No manuals at all: button and label hidden.
    EXPECT_TRUE(f.manualButton()->isHidden());
    EXPECT_TRUE(f.manualLabel()->isHidden());

    ASSERT_TRUE(QDir(rig.dir.path()).mkpath("Manuals"));
    rig.writeFile("Manuals/English.pdf", "%PDF");
    f.RefreshManualButton(false);
    EXPECT_FALSE(f.manualButton()->isHidden());
    EXPECT_FALSE(f.manualLabel()->isHidden());
    EXPECT_EQ(f.manualButton()->text(), "Vadovas English.pdf");
    EXPECT_TRUE(rig.opened.isEmpty());

    rig.writeFile("Manuals/Lithuanian.pdf", "%PDF");
    f.manualButton()->click();
    EXPECT_EQ(f.manualButton()->text(), "Vadovas Lithuanian.pdf");
    EXPECT_EQ(rig.opened, QStringList({rig.path("Manuals/Lithuanian.pdf")}));

    // Without a viewer the box says so and where the manual is.
    rig.viewerInstalled = false;
    rig.scripted.boxes.clear();
    f.manualButton()->click();
    ASSERT_EQ(rig.scripted.boxes.size(), 1);
    EXPECT_TRUE(rig.scripted.boxes.first().text.contains(rig.path("Manuals/Lithuanian.pdf")));
    rig.viewerInstalled = true;

    // The fallback serves every other language.
    rig.choose(2);
    EXPECT_EQ(f.manualButton()->text(), "Russian message 140 English.pdf");
}

TEST(LanguageWindow, ChoiceGoesToTheUserFolderWhenTheProgramFolderRefusesIt)
{
    LanguageRig rig(ThreeLanguages, QByteArray());
    // A folder where the file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir(rig.dir.path()).mkdir("Settings.ini"));
    ASSERT_TRUE(rig.started());
    rig.choose(2);
    IniFile ini;
    ASSERT_TRUE(ini.load(rig.path("userdata/Settings.ini")));
    EXPECT_EQ(ini.value("Settings", "Language"), "Russian");
    // Read from there at the next start.
    LanguageRig next(ThreeLanguages, QByteArray());
    QDir(next.dir.path()).mkdir("userdata");
    next.writeFile("userdata/Settings.ini", "[Settings]\r\nLanguage=Russian\r\n");
    next.writeFile("Settings.ini", "[Settings]\r\nLanguage=English\r\n");
    ASSERT_TRUE(next.started());
    EXPECT_EQ(next.form->language().currentName(), "Russian");
}

TEST(LanguageWindow, LogPageCompareAndTemplateButtons)
{
    LanguageRig rig(English + Lithuanian + languageBlock("%Short\t0\t0", "", {}, 100),
                    "[Settings]\r\nCode=60493\r\nLanguage=English\r\n");
    ASSERT_TRUE(rig.started());
    rig.scripted.boxes.clear();
    rig.child<QPushButton>("TntButtonCompsOK")->click();
    QStringList texts;
    for (const DialogSeam::Box &b : rig.scripted.boxes) {
        texts.append(b.text);
        EXPECT_EQ(b.title, "Comps OK?");
    }
    EXPECT_EQ(texts, QStringList({"Lithuanian turi skirtinga kieki formu",
                                  "Form1 turi skirtinga kieki komponentu",
                                  "Short turi skirtinga kieki formu",
                                  "Short turi skirtinga kieki zinuciu", "Done"}));

    // The template goes to the working folder.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(rig.dir.path()));
    rig.scripted.boxes.clear();
    rig.child<QPushButton>("TntButtonGenerateLangFile")->click();
    QDir::setCurrent(before);
    // The box names the file written.
    ASSERT_EQ(rig.scripted.boxes.size(), 1);
    EXPECT_TRUE(rig.scripted.boxes.first().text.contains(rig.path("comps2.txt")));
    QFile file(rig.path("comps2.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(lines.value(0), "%Lithuania\t186\t0\r");
    EXPECT_TRUE(lines.contains("=Form1\tYKT4M Loader v.3.10\r"));
    EXPECT_TRUE(lines.contains("&Label120\tTLabel\tLanguage\t\r"));
    EXPECT_TRUE(lines.contains("&ComboBox28\tTComboBox\tEnglish\tLithuanian\tShort\t\r"));
    EXPECT_TRUE(lines.contains("=PopupForm\t\r"));
    for (const QByteArray &line : lines)
        EXPECT_FALSE(line.contains("\tTTnt")) << line.constData();
}
