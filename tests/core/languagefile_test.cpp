// The language file reader, the language table's messages, the code pages,
// and the translator's tools ("Comps OK?" and the template).

#include "localization/codepages.h"
#include "localization/languagefile.h"
#include "localization/languagestate.h"
#include "localization/languagetools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

TKalbos parsed(const QByteArray &content, LanguageFileResult *result = nullptr)
{
    TKalbos table;
    const LanguageFileResult r = ParseLanguageFile(content, table);
    if (result)
        *result = r;
    return table;
}

QByteArray repeated(const QByteArray &line, int times)
{
    QByteArray text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

} // namespace

// --- Reading ----------------------------------------------------------------------

TEST(LanguageFile, ReadsEveryKindOfLine)
{
    LanguageFileResult r;
    const TKalbos t = parsed("%English\t0\t0\r\n"
                             "; anything else is ignored\r\n"
                             "=Form1\tYKT4M Loader\r\n"
                             "&TntLabel32\tTTntLabel\tYKT Type\tthe type\tdropped\r\n"
                             "&ComboBox4\tTComboBox\tOne\tTwo\t\tFour\t\r\n"
                             "&RadioGroup1\tttntRadioGroup\tMode\tA\tB\r\n"
                             "&TntLabel9\tTTntLabel\r\n"
                             "$First message\tnot part of it\r\n"
                             "$Second\r\n"
                             "%Lietuviu\t186\t2\n"
                             "=Form4\tTekstas\n"
                             "$Pirmas\n",
                             &r);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.error.isEmpty());
    ASSERT_EQ(t.size(), 2);

    const tkalba &en = t.at(0);
    EXPECT_EQ(en.name, "English");
    EXPECT_EQ(en.charset, 0);
    ASSERT_EQ(en.forms.size(), 1);
    EXPECT_EQ(en.forms.at(0).name, "Form1");
    EXPECT_EQ(en.forms.at(0).caption, "YKT4M Loader");
    const QList<tkomponentas> &c = en.forms.at(0).components;
    ASSERT_EQ(c.size(), 4);
    // Caption and hint; what follows a further TAB is dropped.
    EXPECT_EQ(c.at(0).text1, "YKT Type");
    EXPECT_EQ(c.at(0).text2, "the type");
    // A combo box keeps all that follows its class name, TABs included.
    EXPECT_EQ(c.at(1).text1, "One\tTwo\t\tFour\t");
    EXPECT_TRUE(c.at(1).text2.isEmpty());
    // A radio group (class compared in lower case): caption, then all items.
    EXPECT_EQ(c.at(2).className, "ttntRadioGroup");
    EXPECT_EQ(c.at(2).text1, "Mode");
    EXPECT_EQ(c.at(2).text2, "A\tB");
    // Missing fields are empty.
    EXPECT_TRUE(c.at(3).text1.isEmpty() && c.at(3).text2.isEmpty());
    EXPECT_EQ(en.messages, QList<QByteArray>({"First message", "Second"}));

    const tkalba &lt = t.at(1);
    EXPECT_EQ(lt.charset, 186);
    EXPECT_EQ(lt.smsTable, 2);
    ASSERT_EQ(lt.forms.size(), 1);
    EXPECT_EQ(lt.forms.at(0).name, "Form4");
    EXPECT_EQ(lt.messages, QList<QByteArray>({"Pirmas"}));
}

TEST(LanguageFile, LongNamesAndCaptionsAreCut)
{
    const QByteArray name40 = repeated("n", 40);
    const TKalbos t =
        parsed("%" + name40 + "\t0\t0\n=" + name40 + "\t" + repeated("c", 150) + "\n&" + name40 +
               "\t" + "TTntLabel" + repeated("x", 30) + "\t" + repeated("t", 500) + "\n");
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t.at(0).name.size(), 30);
    EXPECT_EQ(t.at(0).forms.at(0).name.size(), 30);
    EXPECT_EQ(t.at(0).forms.at(0).caption.size(), 100);
    const tkomponentas &c = t.at(0).forms.at(0).components.at(0);
    EXPECT_EQ(c.name.size(), 30);
    EXPECT_EQ(c.className, "TTntLabel" + repeated("x", 21));
    EXPECT_EQ(c.text1.size(), 500); // texts are not cut
}

TEST(LanguageFile, NumbersAreStrictlyDecimal)
{
    for (const char *good : {"0", "186", "+204", "-1", "2147483647", "-2147483648", "007"}) {
        qint32 v = 99;
        EXPECT_TRUE(ParseStrictInt(good, &v)) << good;
    }
    for (const char *bad : {"", "+", "-", " 186", "186 ", "18a", "0x10", "$FF", "2147483648",
                            "-2147483649", "99999999999999999999"}) {
        qint32 v = 99;
        EXPECT_FALSE(ParseStrictInt(bad, &v)) << bad;
        EXPECT_EQ(v, 99) << bad;
    }
}

struct BadFile
{
    const char *what;
    QByteArray content;
    int line;
    int languagesLeft;
};

TEST(LanguageFile, FirstBadLineIsNamedAndStopsTheReading)
{
    const BadFile cases[] = {
        {"window before any language", "=Form1\tx\n%A\t0\t0\n", 1, 0},
        {"message before any language", "\n$hello\n", 2, 0},
        {"control before any window", "%A\t0\t0\n&TntLabel1\tTTntLabel\tx\n", 2, 1},
        {"control before a window of its own language",
         "%A\t0\t0\n=Form1\tx\n%B\t0\t0\n&TntLabel1\tTTntLabel\tx\n", 4, 2},
        {"empty message", "%A\t0\t0\n$ok\n$\n$never read\n", 3, 1},
        {"message that is empty before its TAB", "%A\t0\t0\n$\tlost\n", 2, 1},
        {"window without a name", "%A\t0\t0\n=\tcaption\n", 2, 1},
        {"control without a name", "%A\t0\t0\n=Form1\tx\n&\tTLabel\tx\n", 3, 1},
        {"control without a class", "%A\t0\t0\n=Form1\tx\n&Label1\t\tx\n", 3, 1},
        {"control with nothing after its name", "%A\t0\t0\n=Form1\tx\n&Label1\n", 3, 1},
        // A bad language line empties the whole table.
        {"charset not a number", "%A\t0\t0\n$m\n%B\tCyrillic\t1\n$n\n", 3, 0},
        {"smsTable missing", "%A\t0\t0\n%B\t204\n", 2, 0},
        {"charset with a blank", "%A\t 0\t0\n", 1, 0},
    };
    for (const BadFile &c : cases) {
        LanguageFileResult r;
        const TKalbos t = parsed(c.content, &r);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.badLine, c.line) << c.what;
        EXPECT_EQ(r.error, QString::number(c.line) + " bloga eilute RQMcomps.txt") << c.what;
        EXPECT_EQ(t.size(), c.languagesLeft) << c.what;
    }
}

TEST(LanguageFile, RecordsBeforeTheBadLineStay)
{
    LanguageFileResult r;
    const TKalbos t = parsed("%A\t0\t0\n=Form1\tx\n&L\tTLabel\ty\n$one\n$\n$two\n", &r);
    EXPECT_EQ(r.badLine, 5);
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t.at(0).forms.at(0).components.size(), 1);
    EXPECT_EQ(t.at(0).messages, QList<QByteArray>({"one"}));
}

TEST(LanguageFile, LineNumbersCountEveryLineAndEveryKindOfBreak)
{
    // CR LF is one break, a CR alone and an LF alone are one each; empty and
    // ignored lines count.
    LanguageFileResult r;
    parsed("%A\t0\t0\r\n\r\n# note\r\rplain\n\n$\r\n", &r);
    EXPECT_EQ(r.badLine, 7);
    // LF CR is two breaks.
    parsed("%A\t0\t0\n\r$\n", &r);
    EXPECT_EQ(r.badLine, 3);
    // The last line needs no break.
    parsed("%A\t0\t0\n$", &r);
    EXPECT_EQ(r.badLine, 2);
}

TEST(LanguageFile, MissingOrUnreadableFileIsNotFound)
{
    QTemporaryDir dir;
    TKalbos table{tkalba{}};
    LanguageFileResult r = LoadLanguageFile(dir.filePath("comps.txt"), table);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Not found comps.txt");
    EXPECT_EQ(r.badLine, 0);
    EXPECT_TRUE(table.isEmpty());

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
    r = LoadLanguageFile(dir.filePath("folder.txt"), table);
    EXPECT_EQ(r.error, "Not found folder.txt");

    QFile file(dir.filePath("good.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%A\t0\t0\n$x\n");
    file.close();
    r = LoadLanguageFile(dir.filePath("good.txt"), table);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(table.size(), 1);
}

TEST(LanguageFile, ItemListsFollowTheSplittingRule)
{
    using L = QList<QByteArray>;
    EXPECT_EQ(SplitItems(QByteArray("a\tb\t")), L({"a", "b"})); // no empty last item
    EXPECT_EQ(SplitItems(QByteArray("a\t\tb")), L({"a", "", "b"}));
    EXPECT_EQ(SplitItems(QByteArray("\t")), L({""}));
    EXPECT_EQ(SplitItems(QByteArray("a\t\t")), L({"a", ""}));
    EXPECT_TRUE(SplitItems(QByteArray()).isEmpty());
    EXPECT_EQ(SplitItems(QStringLiteral("x\t\ty\t")), QStringList({"x", "", "y"}));

    // A million TABs are split in one walk.
    const QList<QByteArray> many = SplitItems(QByteArray(1000000, '\t'));
    EXPECT_EQ(many.size(), 1000000);
}

// --- Code pages ------------------------------------------------------------------

TEST(CodePages, CharsetSelectsThePage)
{
    EXPECT_EQ(CodePageOfCharset(186), CodePage::Windows1257);
    EXPECT_EQ(CodePageOfCharset(204), CodePage::Windows1251);
    EXPECT_EQ(CodePageOfCharset(161), CodePage::Windows1253);
    EXPECT_EQ(CodePageOfCharset(162), CodePage::Windows1254);
    EXPECT_EQ(CodePageOfCharset(163), CodePage::Windows1258);
    for (int other : {0, 238, 1, 177, -5, 100000})
        EXPECT_EQ(CodePageOfCharset(other), CodePage::Windows1250) << other;
}

TEST(CodePages, Byte8AInEachPage)
{
    const QByteArray b("\x8A");
    EXPECT_EQ(ToUnicode(b, CodePageOfCharset(238)), QString(QChar(0x0160)));
    EXPECT_EQ(ToUnicode(b, CodePageOfCharset(204)), QString(QChar(0x0409)));
    EXPECT_EQ(ToUnicode(b, CodePageOfCharset(186)), QString(QChar(0x008A)));
    EXPECT_EQ(ToUnicode(b, CodePage::Windows1252), QString(QChar(0x0160)));
    EXPECT_EQ(ToUnicode(b, CodePage::Windows1253), QString(QChar(0x008A)));
    EXPECT_EQ(ToUnicode(b, CodePage::Windows1254), QString(QChar(0x0160)));
    EXPECT_EQ(ToUnicode(b, CodePage::Windows1258), QString(QChar(0x008A)));
}

TEST(CodePages, LettersOfEachPage)
{
    struct Letter
    {
        CodePage page;
        quint8 byte;
        char16_t code;
    };
    const Letter letters[] = {
        {CodePage::Windows1250, 0xA3, 0x0141}, {CodePage::Windows1250, 0xFF, 0x02D9},
        {CodePage::Windows1251, 0xC0, 0x0410}, {CodePage::Windows1251, 0xFF, 0x044F},
        {CodePage::Windows1251, 0xA8, 0x0401}, {CodePage::Windows1251, 0xB9, 0x2116},
        {CodePage::Windows1252, 0x80, 0x20AC}, {CodePage::Windows1252, 0xE0, 0x00E0},
        {CodePage::Windows1253, 0xC1, 0x0391}, {CodePage::Windows1253, 0xFE, 0x03CE},
        {CodePage::Windows1254, 0xDD, 0x0130}, {CodePage::Windows1254, 0xFE, 0x015F},
        {CodePage::Windows1257, 0xE0, 0x0105}, {CodePage::Windows1257, 0xD0, 0x0160},
        {CodePage::Windows1257, 0xFE, 0x017E}, {CodePage::Windows1257, 0xA8, 0x00D8},
        {CodePage::Windows1258, 0xFE, 0x20AB}, {CodePage::Windows1258, 0xD5, 0x01A0},
    };
    for (const Letter &l : letters)
        EXPECT_EQ(ToUnicode(QByteArray(1, char(l.byte)), l.page).at(0).unicode(), l.code)
            << CodePageName(l.page).toStdString() << " 0x" << std::hex << int(l.byte);
}

TEST(CodePages, UndefinedBytesAndAsciiMapToThemselves)
{
    const struct
    {
        CodePage page;
        quint8 byte;
    } undefined[] = {
        {CodePage::Windows1250, 0x81}, {CodePage::Windows1250, 0x98}, {CodePage::Windows1251, 0x98},
        {CodePage::Windows1252, 0x9D}, {CodePage::Windows1253, 0xAA}, {CodePage::Windows1253, 0xD2},
        {CodePage::Windows1253, 0xFF}, {CodePage::Windows1254, 0x8E}, {CodePage::Windows1257, 0xA1},
        {CodePage::Windows1257, 0xA5}, {CodePage::Windows1258, 0x8A},
    };
    for (const auto &u : undefined)
        EXPECT_EQ(ToUnicode(QByteArray(1, char(u.byte)), u.page).at(0).unicode(), u.byte)
            << CodePageName(u.page).toStdString() << " 0x" << std::hex << int(u.byte);

    QByteArray ascii;
    for (int b = 0; b < 0x80; ++b)
        ascii.append(char(b));
    EXPECT_EQ(ToUnicode(ascii, CodePage::Windows1251), QString::fromLatin1(ascii));
}

TEST(CodePages, NoBytesAreCombined)
{
    // Windows-1258 holds combining marks; they stay separate code points.
    const QString text = ToUnicode("a\xCC\xEC", CodePage::Windows1258);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text.at(1).unicode(), 0x0300);
    EXPECT_EQ(text.at(2).unicode(), 0x0301);
}

TEST(CodePages, BackTo8Bit)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (CodePage page : {CodePage::Windows1250, CodePage::Windows1251, CodePage::Windows1252,
                          CodePage::Windows1253, CodePage::Windows1254, CodePage::Windows1257,
                          CodePage::Windows1258})
        EXPECT_EQ(FromUnicode(ToUnicode(all, page), page), all) << CodePageName(page).toStdString();

    EXPECT_EQ(FromUnicode(QStringLiteral("Ąžuolas"), CodePage::Windows1257), "\xC0\xFEuolas");
    EXPECT_EQ(FromUnicode(QStringLiteral("Я"), CodePage::Windows1252), "?");
    // A character beyond the Basic Multilingual Plane is one character.
    EXPECT_EQ(FromUnicode(QString::fromUcs4(U"a\U0001F600b"), CodePage::Windows1250), "a?b");
}

// --- Messages and the current language ----------------------------------------------

TEST(LanguageState, MessagesOfTheCurrentLanguage)
{
    LanguageState s;
    EXPECT_TRUE(s.Message(1).isEmpty()); // no table yet
    EXPECT_EQ(s.current(), nullptr);

    s.setTable(parsed("%English\t0\t0\n$Yes\n$No\n%Russian\t204\t1\n$\xC4\xE0\n"));
    // The first language stands in before any choice.
    EXPECT_EQ(s.currentIndex(), 0);
    EXPECT_FALSE(s.applied());
    EXPECT_EQ(s.Message(1), "Yes");
    EXPECT_EQ(s.Message(2), "No");
    EXPECT_TRUE(s.Message(0).isEmpty());
    EXPECT_TRUE(s.Message(-1).isEmpty());
    EXPECT_TRUE(s.Message(3).isEmpty());
    EXPECT_TRUE(s.MessageW(3).isEmpty());

    // Language names are compared with case.
    EXPECT_EQ(s.indexOf("Russian"), 1);
    EXPECT_EQ(s.indexOf("russian"), -1);
    EXPECT_EQ(s.indexOf(""), -1);

    s.makeCurrent(1);
    EXPECT_TRUE(s.applied());
    EXPECT_EQ(s.charset(), 204);
    EXPECT_EQ(s.codePage(), CodePage::Windows1251);
    EXPECT_EQ(s.smsTable(), 1);
    EXPECT_EQ(s.Message(1), "\xC4\xE0");
    EXPECT_EQ(s.MessageW(1), QStringLiteral("Да"));
    EXPECT_TRUE(s.Message(2).isEmpty());

    s.makeCurrent(7); // outside the table: nothing changes
    EXPECT_EQ(s.currentIndex(), 1);
}

// --- "Comps OK?" ---------------------------------------------------------------------

TEST(LanguageState, ArgumentsFillTheirPlaceholdersAndAreNeverLost)
{
    const struct
    {
        const char *text;
        QStringList arguments;
        const char *expected;
    } cases[] = {
        {"Saved to %1", {"a.tpl"}, "Saved to a.tpl"},
        {"%2 could not be opened: %1", {"denied", "a.tpl"}, "a.tpl could not be opened: denied"},
        // A file name that holds a placeholder is shown as it is.
        {"File %1: %2", {"%2.tpl", "denied"}, "File %2.tpl: denied"},
        // A translation that left the reason out still shows it, at the end.
        {"Nepavyko", {"disk full"}, "Nepavyko disk full"},
        {"Failas %1", {"a.tpl", "denied"}, "Failas a.tpl denied"},
        {"100% done, %", {}, "100% done, %"},
        {"%3 stays", {"x"}, "%3 stays x"},
        // Only ASCII digits make a placeholder, not a superscript one.
        {"Nr.%\xB9", {"x"}, "Nr.%\xB9 x"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withArguments(QString::fromLatin1(c.text), c.arguments),
                  QString::fromLatin1(c.expected))
            << c.text;
}

namespace {

QList<QByteArray> reportTexts(const TKalbos &table)
{
    QList<QByteArray> texts;
    for (const LanguageCheckReport &r : CheckLanguageFile(table))
        texts.append(r.text);
    return texts;
}

tkalba language(const QByteArray &name, QList<int> controls, int messages)
{
    tkalba l;
    l.name = name;
    for (int i = 0; i < controls.size(); ++i) {
        tforma f;
        f.name = "Form" + QByteArray::number(i + 1);
        f.components.resize(controls.at(i));
        l.forms.append(f);
    }
    l.messages.resize(messages);
    return l;
}

} // namespace

TEST(LanguageCheck, AlikeLanguagesGiveOnlyDone)
{
    EXPECT_EQ(reportTexts({language("A", {3, 2}, 5), language("B", {3, 2}, 5)}),
              QList<QByteArray>({"Done"}));
    EXPECT_EQ(reportTexts({}), QList<QByteArray>({"Done"}));
}

TEST(LanguageCheck, EachDifferenceIsReportedInOrder)
{
    const TKalbos table = {language("A", {3, 2}, 5), language("B", {3, 4, 1}, 4),
                           language("C", {3, 2}, 5)};
    const QList<LanguageCheckReport> reports = CheckLanguageFile(table);
    ASSERT_EQ(reports.size(), 4);
    EXPECT_EQ(reports.at(0).text, "B turi skirtinga kieki formu");
    EXPECT_EQ(reports.at(1).text, "Form2 turi skirtinga kieki komponentu");
    EXPECT_EQ(reports.at(2).text, "B turi skirtinga kieki zinuciu");
    EXPECT_EQ(reports.at(0).language, 1);
    EXPECT_EQ(reports.at(3).text, "Done");
    EXPECT_EQ(reports.at(3).language, -1);
}

TEST(LanguageCheck, ReferenceIsTheFirstNonZeroCount)
{
    // A has no messages and no controls in its first window yet: B sets
    // those references, and A is the one that differs.
    EXPECT_EQ(
        reportTexts({language("A", {0, 2}, 0), language("B", {4, 2}, 6), language("C", {4, 2}, 6)}),
        QList<QByteArray>(
            {"Form1 turi skirtinga kieki komponentu", "A turi skirtinga kieki zinuciu", "Done"}));
}

TEST(LanguageCheck, OnlyTwentyOneWindowPositionsAreCompared)
{
    QList<int> a(22, 1), b(22, 1);
    b[21] = 5; // position 22 is not kept
    EXPECT_EQ(reportTexts({language("A", a, 1), language("B", b, 1)}), QList<QByteArray>({"Done"}));
    b[20] = 5; // position 21 is
    EXPECT_EQ(reportTexts({language("A", a, 1), language("B", b, 1)}),
              QList<QByteArray>({"Form21 turi skirtinga kieki komponentu", "Done"}));
}

// --- The language template -------------------------------------------------------------

TEST(LanguageTemplate, LinesByClass)
{
    TemplateWindow form1{"Form1", "YKT4M Loader v.3.10", {}};
    form1.controls = {
        {"Label120", "TLabel", "Language", "", {}},
        {"TntLabel32", "TTntLabel", "YKT Type", "", {}}, // Unicode-capable: no texts
        {"Label7", "TLabel", "", "hint only", {}},       // no caption: no line
        {"CheckBox1", "TCheckBox", "Beep", "when on", {}},
        {"ComboBox4", "TComboBox", "", "", {"One", "Two", ""}},
        {"ComboBox5", "TComboBox", "", "", {}}, // no items: no line
        {"RadioGroup1", "TRadioGroup", "Mode", "", {"A", "B"}},
        {"VrLedBusy", "TVrLed", "Busy", "", {}},
    };
    const QList<QByteArray> lines =
        LanguageTemplateLines(3, {form1, TemplateWindow{"PopupForm", "", {}}});
    EXPECT_EQ(lines, QList<QByteArray>(
                         {"%Lithuania\t186\t3", "=Form1\tYKT4M Loader v.3.10",
                          "&Label120\tTLabel\tLanguage\t", "&CheckBox1\tTCheckBox\tBeep\twhen on",
                          "&ComboBox4\tTComboBox\tOne\tTwo\t\t",
                          "&RadioGroup1\tTRadioGroup\tMode\tA\tB\t", "=PopupForm\t"}));
}

TEST(LanguageTemplate, ReadsBackToTheSameTexts)
{
    TemplateWindow form{"Form1", "Caption", {}};
    form.controls = {{"ComboBox4", "TComboBox", "", "", {"One", "", "Three"}},
                     {"RadioGroup1", "TRadioGroup", "Mode", "", {"A", "B"}},
                     {"Label1", "TLabel", "Text", "Hint", {}}};
    QByteArray file;
    for (const QByteArray &line : LanguageTemplateLines(0, {form}))
        file += line + "\r\n";
    LanguageFileResult r;
    const TKalbos t = parsed(file, &r);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t.at(0).charset, 186);
    const QList<tkomponentas> &c = t.at(0).forms.at(0).components;
    ASSERT_EQ(c.size(), 3);
    EXPECT_EQ(SplitItems(c.at(0).text1), QList<QByteArray>({"One", "", "Three"}));
    EXPECT_EQ(c.at(1).text1, "Mode");
    EXPECT_EQ(SplitItems(c.at(1).text2), QList<QByteArray>({"A", "B"}));
    EXPECT_EQ(c.at(2).text2, "Hint");
}

TEST(LanguageTemplate, WrittenAsComps2WithCrLf)
{
    QTemporaryDir dir;
    {
        QFile old(dir.filePath("comps2.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older and longer template that must go away\r\n");
    }
    ASSERT_TRUE(WriteLanguageTemplate({"%Lithuania\t186\t0", "=Form1\tx"}, dir.path()));
    QFile file(dir.filePath("comps2.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "%Lithuania\t186\t0\r\n=Form1\tx\r\n");

    QString error;
    EXPECT_FALSE(WriteLanguageTemplate({"x"}, dir.filePath("comps2.txt/inside"), &error));
    EXPECT_FALSE(error.isEmpty());
}
