// ykt4m-cli lang check.

#include "cli/languagecommands.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

struct CommandRun
{
    int code = -1;
    QString out, err;
};

CommandRun run(const QStringList &args, const QString &folder)
{
    CommandRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = runLanguageCommand(args, folder, out, err);
    return r;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(LangCheckCommand, ListsTheLanguagesOfTheFileBesideTheProgram)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("comps.txt"), "%English\t0\t0\n=Form1\tx\n&L\tTLabel\ta\n$m\n"
                                         "%\xD0\xF3\xF1\xF1\xEA\xE8\xE9\t204\t1\n=Form1\ty\n"
                                         "&L\tTLabel\tb\n$n\n");
    const CommandRun r = run({"lang", "check"}, dir.path());
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("English  charset 0 (Windows-1250)  smsTable 0  windows 1  "
                                    "controls 1  messages 1\n"
                                    "Русский  charset 204 (Windows-1251)  smsTable 1  windows 1  "
                                    "controls 1  messages 1\n"
                                    "Done\n"));
}

TEST(LangCheckCommand, DifferencesAndBadFiles)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("other.txt");
    writeFile(file, "%A\t0\t0\n$m\n$n\n%B\t186\t2\n$m\n");
    CommandRun r = run({"lang", "check", file}, QString());
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(r.out.endsWith("B turi skirtinga kieki zinuciu\nDone\n")) << r.out.toStdString();

    writeFile(file, "%A\t0\t0\n=Form1\tx\n$\n");
    r = run({"lang", "check", file}, QString());
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "3 bloga eilute RQMcomps.txt\n");
    EXPECT_TRUE(r.out.isEmpty());

    // Lines that are not language records, or nothing at all: no language.
    for (const QByteArray &content : {QByteArray("just some text\n"), QByteArray()}) {
        writeFile(file, content);
        r = run({"lang", "check", file}, QString());
        EXPECT_EQ(r.code, 1) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains("holds no language")) << r.err.toStdString();
        EXPECT_FALSE(r.out.contains("Done"));
    }

    r = run({"lang", "check"}, dir.filePath("nowhere"));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Not found comps.txt\n");

    EXPECT_EQ(run({"lang"}, dir.path()).code, 2);
    EXPECT_EQ(run({"lang", "show", file}, dir.path()).code, 2);
    EXPECT_EQ(run({"lang", "check", file, "more"}, dir.path()).code, 2);
}
