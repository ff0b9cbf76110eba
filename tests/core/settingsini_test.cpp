#include "app/settingsini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;

TEST(IniFile, ReadsLikeTheWindowsProfileFunctions)
{
    const IniFile ini = IniFile::fromBytes("Code=1\n" // before any section: no key
                                           "[settings]\r\n"
                                           "  language =  Lietuviu kalba \t\r\n"
                                           ";Code=5\n"
                                           "Code=60493\r\n"
                                           "code=2\n"
                                           "Path=C:\\Program Files\\YKT,a,\"b\"=c\n"
                                           "Empty=\n"
                                           "NoEquals\n"
                                           "=orphan\n"
                                           "[Other] trailing\n"
                                           "PSTN=1\n"
                                           "[SETTINGS]\n"
                                           "PSTN=1\n");
    EXPECT_EQ(ini.value("Settings", "LANGUAGE"), QByteArray("Lietuviu kalba"));
    // The first of two keys; a comment is not a key.
    EXPECT_EQ(ini.value("SETTINGS", "code"), QByteArray("60493"));
    // No escapes, lists or quote stripping: all after the first '='.
    EXPECT_EQ(ini.value("Settings", "Path"), QByteArray("C:\\Program Files\\YKT,a,\"b\"=c"));
    EXPECT_TRUE(ini.contains("Settings", "Empty"));
    EXPECT_EQ(ini.value("Settings", "Empty", "dflt"), QByteArray());
    EXPECT_EQ(ini.value("Settings", "Missing", "dflt"), QByteArray("dflt"));
    EXPECT_FALSE(ini.contains("Settings", "NoEquals"));
    EXPECT_FALSE(ini.contains("Settings", ""));
    // Only the first section of a name counts.
    EXPECT_FALSE(ini.contains("Settings", "PSTN"));
    EXPECT_EQ(ini.value("other", "pstn"), QByteArray("1"));
}

TEST(IniFile, EveryByteSurvivesAndCrLfComesOut)
{
    const QByteArray bytes =
        QByteArray("\xEF\xBB\xBF[Settings]\nA=1\r\nB=\xE0\xFF") + '\0' + "z\nC=3";
    const IniFile ini = IniFile::fromBytes(bytes);
    EXPECT_EQ(ini.value("Settings", "A"), QByteArray("1"));
    EXPECT_EQ(ini.value("Settings", "B"), QByteArray("\xE0\xFF") + '\0' + "z");
    EXPECT_EQ(ini.value("Settings", "C"), QByteArray("3"));
    EXPECT_EQ(ini.toBytes(),
              QByteArray("\xEF\xBB\xBF[Settings]\r\nA=1\r\nB=\xE0\xFF") + '\0' + "z\r\nC=3\r\n");
}

TEST(IniFile, WritingTouchesOnlyWhatItMust)
{
    IniFile ini = IniFile::fromBytes("; written by hand\n"
                                     "[Settings]\n"
                                     "  Language = English  \n"
                                     "; the mode\n"
                                     "Code=0\n"
                                     "\n"
                                     "[Other]\n"
                                     "x=1\n");
    ini.setValue("settings", "language", "Lietuviu");
    ini.setValue("Settings", "PhoneNumber1", "37060000000");
    ini.setValue("Extra", "z", " two\r\nlines ");
    EXPECT_EQ(ini.toBytes(), QByteArray("; written by hand\r\n"
                                        "[Settings]\r\n"
                                        "Language=Lietuviu\r\n"
                                        "; the mode\r\n"
                                        "Code=0\r\n"
                                        "PhoneNumber1=37060000000\r\n"
                                        "\r\n"
                                        "[Other]\r\n"
                                        "x=1\r\n"
                                        "\r\n"
                                        "[Extra]\r\n"
                                        "z=two  lines\r\n"));
    // What setValue stores is what a reload gives.
    EXPECT_EQ(ini.value("Extra", "z"), IniFile::fromBytes(ini.toBytes()).value("Extra", "z"));
}

TEST(IniFile, FilesOnDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Settings.ini");
    IniFile ini;
    QString error;
    // Missing: empty and fine; reading creates nothing.
    EXPECT_TRUE(ini.load(path, &error));
    EXPECT_FALSE(QFile::exists(path));

    ini.setValue("Settings", "Language", "English");
    ASSERT_TRUE(ini.save(path, &error)) << error.toStdString();
    IniFile again;
    ASSERT_TRUE(again.load(path, &error));
    EXPECT_EQ(again.toBytes(), QByteArray("[Settings]\r\nLanguage=English\r\n"));

    // A folder in the file's place, or a file in the folder's place.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.ini"));
    EXPECT_FALSE(again.load(dir.filePath("Folder.ini"), &error));
    EXPECT_TRUE(again.isEmpty());
    EXPECT_FALSE(ini.save(path + "/Settings.ini", &error));
}

TEST(StartupSettings, CodeIsAWholeNumber)
{
    EXPECT_EQ(parseWholeNumber(" +060493\t"), 60493);
    EXPECT_EQ(parseWholeNumber("-2147483648"), -2147483647 - 1);
    for (const char *bad : {"", "-", "7a", "7 7", "7.0", "0x7", "2147483648"})
        EXPECT_EQ(parseWholeNumber(bad, -99), -99) << bad;

    auto withCode = [](const QByteArray &code) {
        return readStartupSettings(IniFile::fromBytes("[Settings]\nCode=" + code + "\n"));
    };
    const StartupSettings missing = readStartupSettings(IniFile());
    EXPECT_EQ(missing.code, 0);
    EXPECT_FALSE(missing.serviceMode || missing.offlineEditing);

    EXPECT_TRUE(withCode("60493").serviceMode);
    EXPECT_FALSE(withCode("60493").offlineEditing);
    EXPECT_TRUE(withCode("060493").serviceMode);
    EXPECT_FALSE(withCode("60493x").serviceMode);
    EXPECT_EQ(withCode("service").code, 0);
    // Offline editing is normal mode with the pages shown.
    const StartupSettings offline = withCode(QByteArray::number(OfflineEditingCode));
    EXPECT_TRUE(offline.offlineEditing);
    EXPECT_FALSE(offline.serviceMode);
}

TEST(StartupSettings, PstnLanguageAndNumbers)
{
    auto read = [](const QByteArray &body) {
        return readStartupSettings(IniFile::fromBytes("[Settings]\n" + body));
    };
    EXPECT_TRUE(read("PSTN=1\n").pstnBoxes);
    EXPECT_FALSE(read("PSTN=2\n").pstnBoxes);
    EXPECT_FALSE(read("PSTN=yes\n").pstnBoxes);
    EXPECT_FALSE(read("").pstnBoxes);

    EXPECT_EQ(read("").language, QByteArray("English"));
    EXPECT_EQ(read("Language=\n").language, QByteArray());

    const StartupSettings numbers = read("PhoneNumber3=33\nPhoneNumber=00\nPhoneNumber1=11\n");
    EXPECT_EQ(numbers.phoneNumbers[0], QByteArray("00"));
    EXPECT_EQ(numbers.phoneNumbers[1], QByteArray("11"));
    EXPECT_EQ(numbers.phoneNumbers[2], QByteArray());
    EXPECT_EQ(numbers.phoneNumbers[3], QByteArray("33"));
}
