#include "templates/encipheredtext.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace ykt;
using Lines = QList<QByteArray>;

namespace {

// Straightforward RC4 from the algorithm's description; with restartEvery > 0
// the indices i and j go back to zero at every such offset.
QByteArray referenceRc4(const QByteArray &data, const QByteArray &key, int restartEvery)
{
    int s[256];
    for (int x = 0; x < 256; ++x)
        s[x] = x;
    for (int x = 0, j = 0; x < 256; ++x) {
        j = (j + s[x] + static_cast<unsigned char>(key[x % key.size()])) % 256;
        std::swap(s[x], s[j]);
    }
    QByteArray out = data;
    for (int k = 0, i = 0, j = 0; k < out.size(); ++k) {
        if (restartEvery > 0 && k % restartEvery == 0)
            i = j = 0;
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        out[k] = char(static_cast<unsigned char>(out[k]) ^ s[(s[i] + s[j]) % 256]);
    }
    return out;
}

QByteArray randomBytes(QRandomGenerator &random, int size)
{
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(EncipheredText, KeyAndKnownAnswers)
{
    EXPECT_EQ(referenceRc4("Plaintext", "Key", 0).toHex().toUpper(), "BBF316E8D940AF0AD3");
    EXPECT_EQ(containerKey(kTemplatePassphrase).toHex(),
              "39ac880d8fa42d309fa29c81eb38714c1aaa975b");
    EXPECT_EQ(containerKey(kEventLogPassphrase).toHex(),
              "30ae0b4d97ced0b51af422dfdcdb2d6445faa5df");
    // Computed once by a separate implementation of the format.
    EXPECT_EQ(encipherLines({"Language=English"}, kTemplatePassphrase).toHex().toUpper(),
              "02AA659BB025E34F0A2F6027B493B8ADE3AB");
    const QByteArray stream = encipherText(QByteArray(20000, '\0'), kTemplatePassphrase);
    EXPECT_EQ(stream.mid(8188, 12).toHex().toUpper(), "CA786AB2B53BD834E67FC055");
}

TEST(EncipheredText, ChunksRestartTheIndicesButKeepThePermutation)
{
    QRandomGenerator random(7);
    const QByteArray key = containerKey(kTemplatePassphrase);
    for (const int size : {0, 1, 8191, 8192, 8193, 16384, 16385, 30000}) {
        const QByteArray plain = randomBytes(random, size);
        const QByteArray enciphered = applyContainerCipher(plain, key);
        EXPECT_EQ(enciphered, referenceRc4(plain, key, kCipherChunkSize)) << size;
        EXPECT_EQ(applyContainerCipher(enciphered, key), plain) << size;
        // Plain RC4 up to the first boundary, different after it.
        const QByteArray continuous = referenceRc4(plain, key, 0);
        EXPECT_EQ(enciphered.left(kCipherChunkSize), continuous.left(kCipherChunkSize));
        if (size > kCipherChunkSize) {
            EXPECT_NE(enciphered.mid(kCipherChunkSize), continuous.mid(kCipherChunkSize));
        }
    }
}

TEST(EncipheredText, SplittingAndRoundTrip)
{
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("\r\n"), Lines{""});
    EXPECT_EQ(splitLines("a\rb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\n\rb\r\n\r\nc\r"), (Lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(splitLines(QByteArray("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));

    QByteArray everyByte;
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n')
            everyByte += char(c);
    }
    const Lines lines = {everyByte, "", "Name=a=b \t", QByteArray(100000, 'x')};
    const QByteArray file = encipherLines(lines, kTemplatePassphrase);
    EXPECT_EQ(file.size(), joinLines(lines).size());
    EXPECT_EQ(decipherLines(file, kTemplatePassphrase), lines);
    EXPECT_EQ(joinLines({"a", ""}), "a\r\n\r\n");
}

TEST(EncipheredText, FilesReplaceEarlierOnesAndTellMissingFromUnreadable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a/b/settings.tpl");
    QString error;
    ASSERT_TRUE(WriteEncipheredLines(path, kTemplatePassphrase, {"long line", "x"}, &error));
    ASSERT_TRUE(WriteEncipheredLines(path, kTemplatePassphrase, {"Language=English"}));
    EXPECT_EQ(fileBytes(path), encipherLines({"Language=English"}, kTemplatePassphrase));

    // A break inside a line reads back as two lines; a zero byte is refused.
    ASSERT_TRUE(WriteEncipheredLines(path, kEventLogPassphrase, {"reg\r\n>>AT", "<<OK"}));
    Lines lines;
    EXPECT_EQ(ReadEncipheredLines(path, kEventLogPassphrase, &lines), ReadOutcome::Read);
    EXPECT_EQ(lines, (Lines{"reg", ">>AT", "<<OK"}));
    EXPECT_FALSE(WriteEncipheredLines(path, kEventLogPassphrase, {QByteArray("\0", 1)}, &error));
    EXPECT_TRUE(error.contains("zero byte"));

    ASSERT_TRUE(WriteEncipheredLines(path, kTemplatePassphrase, {}));
    EXPECT_EQ(ReadEncipheredLines(path, kTemplatePassphrase, &lines), ReadOutcome::Read);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(fileBytes(path).isEmpty());

    lines = {"stale"};
    EXPECT_EQ(ReadEncipheredLines(dir.filePath("none.tpl"), kTemplatePassphrase, &lines, &error),
              ReadOutcome::Missing);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(error.contains("none.tpl"));
    for (const QString &unreadable : {dir.path(), QStringLiteral("/dev/zero")}) {
        EXPECT_EQ(ReadEncipheredLines(unreadable, kTemplatePassphrase, &lines, &error),
                  ReadOutcome::Failed);
        EXPECT_TRUE(error.contains(unreadable));
    }
}

TEST(EncipheredText, AFailedWriteLeavesTheEarlierFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.tpl");
    ASSERT_TRUE(WriteEncipheredLines(path, kTemplatePassphrase, {"old"}));
    const QByteArray old = fileBytes(path);
    QString error;
    EXPECT_FALSE(WriteEncipheredLines(dir.path(), kTemplatePassphrase, {"new"}, &error));
    EXPECT_TRUE(error.contains(dir.path()));
    EXPECT_FALSE(WriteEncipheredLines(path + "/inner.tpl", kTemplatePassphrase, {"new"}, &error));
    EXPECT_TRUE(error.contains("inner.tpl"));

    // The disk fills up half-way: a file size limit of 1 KiB, which binds
    // the superuser too.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written =
        WriteEncipheredLines(path, kTemplatePassphrase, Lines(100, QByteArray(100, 'n')), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings.tpl"});
}

TEST(EncipheredText, ArbitraryBytesAlwaysGiveCleanLines)
{
    QRandomGenerator random(2024);
    QTemporaryDir dir;
    const QString path = dir.filePath("random.ykl");
    for (int round = 0; round < 200; ++round) {
        const QByteArray bytes = randomBytes(random, random.bounded(round < 100 ? 64 : 40000));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        Lines lines;
        ASSERT_EQ(ReadEncipheredLines(path, kEventLogPassphrase, &lines), ReadOutcome::Read);
        // Only the line breaks and whatever follows a zero byte are dropped.
        QByteArray plain = decipherText(bytes, kEventLogPassphrase);
        plain.truncate(plain.indexOf('\0') < 0 ? plain.size() : plain.indexOf('\0'));
        EXPECT_EQ(lines.join(), plain.replace('\r', "").replace('\n', ""));
        for (const QByteArray &line : lines)
            EXPECT_FALSE(line.contains('\r') || line.contains('\n'));
    }
}
