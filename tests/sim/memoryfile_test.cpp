// The virtual module's memory file: what one module was written, the next
// one with the same file holds; a file that is broken or not ours changes
// nothing and is never a crash.

#include "device/commands.h"
#include "sim/memoryfile.h"
#include "sim/options.h"
#include "sim/virtualmodule.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace ykt;
using namespace ykt::sim;

namespace {

std::unique_ptr<VirtualModule> moduleWith(const QString &spec)
{
    QString error;
    const auto o = parseOptions(spec, &error);
    EXPECT_TRUE(o) << error.toStdString();
    return std::make_unique<VirtualModule>(o.value_or(Options()));
}

void send(VirtualModule &module, const QByteArray &packet)
{
    for (const PendingReport &p : module.receive(packet).reports)
        module.take(p);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(VirtualModuleMemory, WhatOneRunWritesTheNextReadsBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m"));
    const QString spec = QStringLiteral("ykt4m-4005,memory=") + path;
    {
        auto module = moduleWith(spec);
        EXPECT_TRUE(module->memoryProblem().isEmpty());
        send(*module, packets::text(opcode::SetAPN, 50, "apn.saved"));
        send(*module, packets::phoneNumber(opcode::SetPhoneNumber, 3, 0x41, "37060000003"));
        send(*module, packets::itemName(3, 63, "Last user"));
        // Every byte of a record survives, zeros and 0xFF included.
        send(*module,
             packets::alarmSettings(QByteArray::fromHex("00FF00FF0A0D2C2023000000FFFF0102")));
        // A write the module does not keep is not kept by the file either.
        send(*module, packets::indexedText(opcode::SetSMSPhrase, 40, 16, "beyond"));
        // Saved after the exchange, before the module goes.
        send(*module, packets::endExchange(true));
        EXPECT_TRUE(readFile(path).startsWith(MemoryFileHeader));
        send(*module, packets::text(opcode::SetOwnerName, 16, "after exchange"));
    } // ... and at the end.

    auto again = moduleWith(spec);
    EXPECT_TRUE(again->memoryProblem().isEmpty()) << again->memoryProblem().toStdString();
    EXPECT_EQ(again->storedText(0x01), "apn.saved");
    EXPECT_EQ(again->storedText(0x0B, 3), "37060000003");
    EXPECT_EQ(again->storedText(0x10, 3, 63), "Last user");
    EXPECT_EQ(again->storedText(0x09), "after exchange");
    EXPECT_EQ(again->store().get(0x1F)->left(16),
              QByteArray::fromHex("00FF00FF0A0D2C2023000000FFFF0102"));
    EXPECT_FALSE(again->store().contains(0x0D, 40));
    // What was never written is the factory's.
    auto fresh = moduleWith(QStringLiteral("ykt4m-4005"));
    EXPECT_EQ(again->storedText(0x00), fresh->storedText(0x00));
}

TEST(VirtualModuleMemory, BrokenOrForeignFilesChangeNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m"));
    const QByteArray good = QByteArray(MemoryFileHeader) + "\n01 00 00 " +
                            QByteArray("apn.from.file").leftJustified(62, ' ').toHex() + "\n";
    auto factory = moduleWith(QStringLiteral("ykt3m-1024"));
    const struct
    {
        const char *what;
        QByteArray text;
        bool ours; // with our header: replaced at the next save
    } cases[] = {
        {"random bytes", QByteArray::fromHex("00FF1B5B324A0D0A89504E47"), false},
        {"empty", QByteArray(), false},
        {"cut record", good.left(good.size() - 20), true},
        {"not hex", QByteArray(MemoryFileHeader) + "\n01 00 00 " + QByteArray(124, 'g') + "\n",
         true},
        {"index beyond the item",
         QByteArray(MemoryFileHeader) + "\n0B 0A 00 " + QByteArray(124, '0') + "\n", true},
        {"item of a newer firmware",
         QByteArray(MemoryFileHeader) + "\n1F 00 00 " + QByteArray(124, '0') + "\n", true},
        {"good line then garbage", good + "\x01\x02\xFF zz\n", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(path, c.text);
        {
            auto module = moduleWith(QStringLiteral("ykt3m-1024,memory=") + path);
            EXPECT_FALSE(module->memoryProblem().isEmpty());
            // Nothing of the file was taken, not even its good lines.
            EXPECT_EQ(module->storedText(0x01), factory->storedText(0x01));
            send(*module, packets::text(opcode::SetAPN, 50, "written"));
        }
        if (c.ours)
            EXPECT_TRUE(readFile(path).contains(QByteArray("written").toHex().toUpper()));
        else
            EXPECT_EQ(readFile(path), c.text); // somebody else's file is left alone
    }

    writeFile(path, good);
    auto module = moduleWith(QStringLiteral("ykt3m-1024,memory=") + path);
    EXPECT_TRUE(module->memoryProblem().isEmpty());
    EXPECT_EQ(module->storedText(0x01), "apn.from.file");
}
