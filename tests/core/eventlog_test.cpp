#include "app/eventlog.h"

#include "templates/encipheredtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ykt;
using Lines = QList<QByteArray>;

namespace {

const ModemRegisters kRegisters{0x0A, 0xB1, 0x02, 0x3C4};
const QDateTime kStart(QDate(2009, 3, 5), QTime(9, 7, 59));
const QDateTime kWritten(QDate(2009, 3, 5), QTime(10, 15, 1));
const QString kName = QStringLiteral("2009_3_5 9_7 - 2009_3_5 10_15.ykl");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

Lines readLog(const QString &path)
{
    Lines lines;
    EXPECT_EQ(ReadEncipheredLines(path, kEventLogPassphrase, &lines), ReadOutcome::Read);
    return lines;
}

} // namespace

TEST(UsartLogLine, TextAndRegisterLine)
{
    EXPECT_EQ(usartLogLine("AT\r\n", true, false, kRegisters), QByteArray(">>AT "));
    EXPECT_EQ(usartLogLine(QByteArray("OK") + '\0' + "GO", false, false, kRegisters),
              QByteArray("<<OK.GO"));
    EXPECT_EQ(usartLogLine("\r\n\nA\rB\xFF", false, false, kRegisters), QByteArray("<<  AB\xFF"));
    // The register line comes before outgoing text only.
    EXPECT_EQ(usartLogLine("AT+CSQ\r\n", true, true, kRegisters),
              QByteArray("MC55iCR:B1 MC55iSR02 MC55iFlags0A TCPSR03C4\r\n>>AT+CSQ "));
    EXPECT_EQ(usartLogLine("+CSQ: 20\r\n", false, true, kRegisters), QByteArray("<<+CSQ: 20 "));
    EXPECT_EQ(usartLogLine("x", true, true, ModemRegisters{0xFF, 0xFE, 0xFD, 0xFFFF}),
              QByteArray("MC55iCR:FE MC55iSRFD MC55iFlagsFF TCPSRFFFF\r\n>>x"));
}

TEST(LogFileName, DecimalNumbersWithoutLeadingZeros)
{
    EXPECT_EQ(logFileName(kStart, kWritten), kName);
    EXPECT_EQ(logFileName(QDateTime(QDate(2024, 12, 31), QTime(23, 59)),
                          QDateTime(QDate(2025, 1, 1), QTime(0, 0))),
              QStringLiteral("2024_12_31 23_59 - 2025_1_1 0_0.ykl"));
    EXPECT_EQ(numberedLogFileName(kName, 1), kName);
    EXPECT_EQ(numberedLogFileName(kName, 12), "2009_3_5 9_7 - 2009_3_5 10_15 (12).ykl");
}

TEST(WriteEventLog, EncipheredLinesInLogs)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.path();
    const QString fallback = dir.filePath("data");

    // Nothing to write: no file, no folder.
    const LogWriteResult empty = writeEventLog({}, program, fallback, kStart, kWritten);
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.path.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Logs")));

    const Lines lines = {usartLogLine("AT\r\n", true, true, kRegisters), "<<OK ", "<<"};
    const LogWriteResult result = writeEventLog(lines, program, fallback, kStart, kWritten);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_FALSE(result.usedFallback);
    EXPECT_EQ(result.path, program + "/Logs/" + kName);
    EXPECT_EQ(
        readFile(result.path),
        encipherText("MC55iCR:B1 MC55iSR02 MC55iFlags0A TCPSR03C4\r\n>>AT \r\n<<OK \r\n<<\r\n",
                     kEventLogPassphrase));
    EXPECT_FALSE(QFileInfo::exists(fallback));
}

TEST(WriteEventLog, SameMinuteKeepsTheEarlierLogs)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString logs = dir.path() + "/Logs/";
    const QString fallback = dir.filePath("data");

    // Two more runs that end in the same minute: each log gets a name of its own.
    const Lines texts = {"<<first", "<<second", "<<third"};
    const QStringList names = {kName, "2009_3_5 9_7 - 2009_3_5 10_15 (2).ykl",
                               "2009_3_5 9_7 - 2009_3_5 10_15 (3).ykl"};
    for (int n = 0; n < texts.size(); ++n) {
        const LogWriteResult result =
            writeEventLog({texts.at(n)}, dir.path(), fallback, kStart, kWritten);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.path, logs + names.at(n));
    }
    for (int n = 0; n < texts.size(); ++n)
        EXPECT_EQ(readLog(logs + names.at(n)), Lines({texts.at(n)})) << n;
    EXPECT_EQ(QDir(logs).entryList(QDir::Files).size(), 3); // no temporary files left
}

TEST(WriteEventLog, FallsBackWhenTheProgramFolderCannotHoldLogs)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A file where the program folder should be: Logs/ cannot be made in it.
    const QString program = dir.filePath("program");
    ASSERT_TRUE(writeFile(program, "not a folder"));
    const QString fallback = dir.filePath("data");

    const LogWriteResult result =
        writeEventLog({"<<a", ">>b"}, program, fallback, kStart, kWritten);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.usedFallback);
    EXPECT_EQ(result.path, fallback + "/Logs/" + kName);
    EXPECT_FALSE(result.error.isEmpty()); // why the program folder was not used
    EXPECT_EQ(readLog(result.path), Lines({"<<a", ">>b"}));
    EXPECT_EQ(readFile(program), QByteArray("not a folder"));

    // Neither folder usable, or no fallback: not ok.
    const LogWriteResult none = writeEventLog({"<<a"}, program, program + "/x", kStart, kWritten);
    EXPECT_FALSE(none.ok);
    EXPECT_FALSE(none.error.isEmpty());
    EXPECT_FALSE(writeEventLog({"<<a"}, program, QString(), kStart, kWritten).ok);
}

TEST(MarkerFile, CreatedEmptyOrKeptByteForByte)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString marker = dir.filePath("Debug/Debug.txt");
    QString error;
    ASSERT_TRUE(ensureMarkerFile(dir.path(), &error)) << error.toStdString();
    ASSERT_TRUE(QFileInfo(marker).isFile());
    EXPECT_EQ(QFileInfo(marker).size(), 0);

    // Mixed line ends, no final break, a zero byte, high bytes: all stay.
    const QByteArray content = QByteArray("first\r\nsecond\nthird\r") + '\0' + "\xFF last";
    ASSERT_TRUE(writeFile(marker, content));
    ASSERT_TRUE(ensureMarkerFile(dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(readFile(marker), content);

    // Debug/ is a file: an error, and the file is left alone.
    QTemporaryDir other;
    ASSERT_TRUE(writeFile(other.filePath("Debug"), "file"));
    EXPECT_FALSE(ensureMarkerFile(other.path(), &error));
    EXPECT_EQ(readFile(other.filePath("Debug")), QByteArray("file"));
}
