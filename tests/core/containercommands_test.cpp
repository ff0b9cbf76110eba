#include "cli/containercommands.h"
#include "templates/encipheredtext.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

int run(const QStringList &args, QString *output = nullptr, QString *errors = nullptr)
{
    QString outText;
    QString errText;
    QTextStream out(output ? output : &outText);
    QTextStream err(errors ? errors : &errText);
    return runContainerCommand(args, out, err);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(ContainerCommands, PackThenShow)
{
    QTemporaryDir dir;
    const QString text = dir.filePath("plain.txt");
    const QString tpl = dir.filePath("out/settings.tpl");
    writeFile(text, "Language=English\nHelp_Text=a\\b\x01\xE9\r\nAPN=x");
    ASSERT_EQ(run({"template", "pack", text, tpl}), 0);
    QString shown;
    EXPECT_EQ(run({"template", "show", tpl}, &shown), 0);
    EXPECT_EQ(shown, "Language=English\nHelp_Text=a\\\\b\\x01\\xE9\nAPN=x\n");

    const QString log = dir.filePath("2009_3_5 9_7 - 2009_3_5 10_15.ykl");
    ASSERT_TRUE(WriteEncipheredLines(log, kEventLogPassphrase, {">>AT", "<<OK"}));
    shown.clear();
    EXPECT_EQ(run({"log", "show", log}, &shown), 0);
    EXPECT_EQ(shown, ">>AT\n<<OK\n");
}

TEST(ContainerCommands, FailuresAndUsage)
{
    QTemporaryDir dir;
    QString errors;
    EXPECT_EQ(run({"template", "show", dir.filePath("none.tpl")}, nullptr, &errors), 1);
    EXPECT_TRUE(errors.contains("none.tpl"));
    EXPECT_EQ(run({"log", "show", dir.path()}), 1);
    EXPECT_EQ(run({"template", "pack", dir.filePath("none.txt"), dir.filePath("a.tpl")}), 1);
    writeFile(dir.filePath("zero.txt"), QByteArray("a\0b", 3));
    EXPECT_EQ(run({"template", "pack", dir.filePath("zero.txt"), dir.filePath("a.tpl")}), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("a.tpl")));

    for (const QStringList &args : {QStringList{"template"}, QStringList{"log", "pack", "a", "b"},
                                    QStringList{"template", "show", "a", "b"}}) {
        errors.clear();
        EXPECT_EQ(run(args, nullptr, &errors), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(errors.contains("template pack"));
    }
}
