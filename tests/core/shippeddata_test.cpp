// The reference files the build lays out beside the program: the Contact ID
// list and the voice phrases as shipped, and APN.txt as generated from the
// provider database.

#include "localization/codepages.h"
#include "localization/languagefile.h"
#include "localization/languagetools.h"
#include "refdata/apnlist.h"
#include "refdata/ciddescriptions.h"
#include "refdata/voicephrases.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

QString DataDir()
{
    return QStringLiteral(YKT_DATA_DIR);
}

QByteArray ReadData(const QString &name)
{
    QFile file(QDir(DataDir()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int EventNumber(const TCIDDescription &d)
{
    return d.E1 * 100 + d.E2 * 10 + d.E3;
}

const TCIDDescription *ByCode(const TCIDDescriptions &table, const char *code)
{
    for (const TCIDDescription &d : table) {
        if (d.Code == code)
            return &d;
    }
    return nullptr;
}

} // namespace

TEST(ShippedData, ContactIdListIsComplete)
{
    TCIDDescriptions table;
    const TCIDLoadResult result =
        LoadCIDDescriptions(QDir(DataDir()).filePath("CID_Descriptions.txt"), table);
    ASSERT_TRUE(result.ok()) << "first bad line " << result.badLine;
    EXPECT_GE(table.size(), 40);

    TKalbos languages;
    ASSERT_TRUE(LoadLanguageFile(QDir(DataDir()).filePath("comps.txt"), languages).ok);
    ASSERT_FALSE(languages.isEmpty());
    const tkalba &english = languages.first();
    int translated = 0;

    const QSet<QByteArray> kinds = {"null", "partition", "user", "zone", "module"};
    QSet<QByteArray> codes, names;
    int alarms = 0, troubles = 0, openClose = 0, bypassTests = 0;
    for (const TCIDDescription &d : table) {
        // Names pick the event in the lists, codes pick it from a stored input.
        EXPECT_FALSE(names.contains(d.FileText)) << d.FileText.constData();
        EXPECT_FALSE(codes.contains(d.Code)) << d.Code.constData();
        names.insert(d.FileText);
        codes.insert(d.Code);
        EXPECT_TRUE(kinds.contains(d.GroupKind)) << d.Code.constData();
        EXPECT_TRUE(kinds.contains(d.ZoneKind)) << d.Code.constData();
        // A translated name is one of the language file's messages, and in
        // English it reads as the list does.
        if (d.MessageNumber != -1) {
            ++translated;
            ASSERT_FALSE(english.messages.isEmpty());
            ASSERT_GE(d.MessageNumber, 1) << d.Code.constData();
            ASSERT_LE(d.MessageNumber, english.messages.size()) << d.Code.constData();
            EXPECT_EQ(english.messages.at(d.MessageNumber - 1), d.FileText) << d.Code.constData();
        }
        // The name's characters are plain ASCII, the same in every code page.
        for (char c : d.FileText)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << d.FileText.constData();
        const int e = EventNumber(d);
        alarms += e >= 100 && e <= 162;
        troubles += e >= 300 && e <= 384;
        openClose += e >= 400 && e <= 461;
        bypassTests += e >= 570 && e <= 628;
    }
    EXPECT_GE(alarms, 20);
    EXPECT_GE(troubles, 10);
    EXPECT_GE(openClose, 8);
    EXPECT_GE(bypassTests, 8);
    EXPECT_GE(translated, 40);

    // The events the example SMS texts know are all there.
    for (const char *code : {"1100", "1101", "1110", "1115", "1120", "1121", "1131", "1132", "1134",
                             "1145", "1401", "3401"})
        EXPECT_NE(ByCode(table, code), nullptr) << code;

    const TCIDDescription *burglary = ByCode(table, "1130");
    ASSERT_NE(burglary, nullptr);
    EXPECT_TRUE(burglary->ZoneKind == "zone" && burglary->RestoreAllowed && !burglary->Preset24H);
    const TCIDDescription *closing = ByCode(table, "3401");
    ASSERT_NE(closing, nullptr);
    EXPECT_TRUE(closing->Qualifier == 7 && closing->ZoneKind == "user");
    ASSERT_NE(ByCode(table, "1110"), nullptr);
    EXPECT_TRUE(ByCode(table, "1110")->Preset24H);
}

TEST(ShippedData, VoicePhraseFilesMatchEachOther)
{
    struct Language
    {
        const char *name;
        CodePage page;
    };
    const Language languages[] = {{"English", CodePage::Windows1250},
                                  {"Russian", CodePage::Windows1251},
                                  {"Lithuanian", CodePage::Windows1257}};
    QList<int> englishNumbers;
    for (const Language &language : languages) {
        TPhraseMenu menu;
        ASSERT_TRUE(LoadVoicePhrases(VoicePhraseFilePath(DataDir(), language.name), "-", menu))
            << language.name;
        ASSERT_GE(menu.size(), 51) << language.name;
        QList<int> numbers;
        for (qsizetype i = 1; i < menu.size(); ++i) {
            const TVoicePhrase &p = menu.at(i);
            // Numbers 701..954 are the ones a zone's phrase byte can carry.
            EXPECT_GE(p.Number, 701) << language.name;
            EXPECT_LE(p.Number, 954) << language.name;
            EXPECT_FALSE(numbers.contains(p.Number)) << language.name << " " << p.Number;
            numbers.append(p.Number);
            const QString caption = ToUnicode(p.Caption, language.page);
            EXPECT_FALSE(caption.trimmed().isEmpty()) << language.name << " " << p.Number;
            EXPECT_FALSE(caption.contains(u'?'));
            if (language.page == CodePage::Windows1251) {
                for (QChar c : caption)
                    EXPECT_TRUE(!c.isLetter() || c.script() == QChar::Script_Cyrillic)
                        << qPrintable(caption);
            }
        }
        if (englishNumbers.isEmpty())
            englishNumbers = numbers;
        else
            EXPECT_EQ(numbers, englishNumbers) << language.name;
    }

    // Lithuanian letters come through Windows-1257.
    const QList<TVoicePhrase> lt = ParseVoicePhrases(ReadData("voice phrases/Lithuanian.txt"));
    QString all;
    for (const TVoicePhrase &p : lt)
        all += ToUnicode(p.Caption, CodePage::Windows1257);
    for (const char *letters : {"š", "ž", "ė", "Į", "ū", "č"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(letters))) << letters;
}

TEST(ShippedData, GeneratedApnListLoads)
{
    TAPNList list;
    ASSERT_TRUE(LoadAPNList(QDir(DataDir()).filePath("APN.txt"), list));
    int operators = 0;
    QSet<QString> locations;
    QSet<quint16> codes;
    for (const TAPNItem &item : list) {
        EXPECT_FALSE(item.Name.isEmpty());
        EXPECT_FALSE(locations.contains(item.Name)) << qPrintable(item.Name);
        locations.insert(item.Name);
        if (item.GeoCode != 0) {
            EXPECT_FALSE(codes.contains(item.GeoCode)) << qPrintable(item.Name);
            codes.insert(item.GeoCode);
        }
        EXPECT_FALSE(item.Operators.isEmpty()) << qPrintable(item.Name);
        for (const TOperator &op : item.Operators) {
            ++operators;
            // The converter keeps only names the system code page can hold.
            EXPECT_FALSE(op.Name.isEmpty() || op.Name.contains(u'?')) << qPrintable(op.Name);
            EXPECT_FALSE(op.APNs.isEmpty()) << qPrintable(op.Name);
            for (const QString &apn : op.APNs)
                EXPECT_FALSE(apn.isEmpty() || apn.contains(u' ')) << qPrintable(op.Name);
        }
    }
    EXPECT_GE(operators, 100);
    EXPECT_GE(list.size(), 50);
    EXPECT_GE(codes.size(), list.size() - 5);

    const int lt = PreselectedAPNLocation(list, 141);
    ASSERT_GE(lt, 0);
    EXPECT_EQ(list.at(lt).Name, QString("Lithuania"));
    EXPECT_GE(PreselectedAPNLocation(list, 203), 0); // Russia
}

TEST(ShippedData, GeneratedApnListReadsAlikeInEveryEncoding)
{
    const QByteArray file = ReadData("APN.txt");
    ASSERT_EQ(DetectAPNEncoding(file), TAPNEncoding::Utf8);
    const QString text = QString::fromUtf8(file.mid(3));
    const TAPNList reference = ParseAPNList(file);
    ASSERT_FALSE(reference.isEmpty());

    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (QChar c : text) {
        const char16_t u = c.unicode();
        le.append(char(u & 0xFF)).append(char(u >> 8));
        be.append(char(u >> 8)).append(char(u & 0xFF));
    }
    EXPECT_EQ(ParseAPNList(FromUnicode(text, SystemCodePage)), reference);
    EXPECT_EQ(ParseAPNList(le), reference);
    EXPECT_EQ(ParseAPNList(be), reference);
}

TEST(ShippedData, LanguageFileHoldsThreeMatchingLanguages)
{
    TKalbos languages;
    const LanguageFileResult loaded =
        LoadLanguageFile(QDir(DataDir()).filePath("comps.txt"), languages);
    ASSERT_TRUE(loaded.ok) << loaded.error.toStdString();
    ASSERT_EQ(languages.size(), 3);
    const struct
    {
        const char *name;
        int charset;
        int smsTable;
    } expected[] = {{"English", 0, 0}, {"Russian", 204, 1}, {"Lithuanian", 186, 2}};
    for (int i = 0; i < 3; ++i) {
        const tkalba &l = languages.at(i);
        EXPECT_EQ(l.name, expected[i].name);
        EXPECT_EQ(l.charset, expected[i].charset);
        EXPECT_EQ(l.smsTable, expected[i].smsTable);
        // Up to the newest message the window asks for.
        EXPECT_GE(l.messages.size(), 163) << l.name.constData();
        for (int m = 0; m < l.messages.size(); ++m)
            EXPECT_FALSE(l.messages.at(m).isEmpty()) << l.name.constData() << " " << m + 1;
    }
    // The same structure everywhere: the comparison reports only "Done".
    const QList<LanguageCheckReport> reports = CheckLanguageFile(languages);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.first().text, "Done");

    // Russian and Lithuanian texts are real letters of their code pages.
    const QString russian = ToUnicode(languages.at(1).messages.at(24), CodePageOfCharset(204));
    const QString lithuanian =
        ToUnicode(languages.at(2).forms.first().caption + " " + languages.at(2).messages.at(38),
                  CodePageOfCharset(186));
    EXPECT_TRUE(std::any_of(russian.begin(), russian.end(), [](QChar c) {
        return c.script() == QChar::Script_Cyrillic;
    })) << russian.toStdString();
    EXPECT_FALSE(lithuanian.contains(QChar(0xFFFD)));
}
