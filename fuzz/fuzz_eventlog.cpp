// libFuzzer target: the event log, from the module's serial traffic to the
// file and back through the reader of "ykt4m-cli log show".
//
// Input: the traffic texts, each a control byte (bit 7: outgoing, bit 6: with
// the register line, bits 0..5: length 0..53 of the text that follows), the
// way the state reports carry them. The log lines the program makes of them
// are written as the program writes them at close; the reader must show them,
// every one, as it shows a line.
//
// The reader is also given the input itself as the plain text of a log file.

#include "app/eventlog.h"
#include "cli/containercommands.h"
#include "fuzz/fuzzsupport.h"
#include "templates/encipheredtext.h"
#include "util/conversions.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using ykt::fuzz::check;

namespace {

using namespace ykt;

QTemporaryDir *folder = nullptr;

// Runs "log show" on a log file holding the plain text; its exit code, and
// the lines it printed.
int showLog(const QByteArray &plain, QStringList *printed)
{
    const QString path = folder->filePath(QStringLiteral("show.ykl"));
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(encipherText(plain, kEventLogPassphrase)) == plain.size());
    file.close();
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = runContainerCommand({QStringLiteral("log"), QStringLiteral("show"), path},
                                         outStream, errStream);
    check(code == 0 || code == 1);
    check(code == 0 ? err.isEmpty() : !err.isEmpty());
    *printed = out.split(QLatin1Char('\n'));
    if (!printed->isEmpty() && printed->last().isEmpty())
        printed->removeLast();
    return code;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz_eventlog";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
    const QString shm = QStringLiteral("/dev/shm");
    folder = new QTemporaryDir(QDir(shm).exists() ? shm + QStringLiteral("/fuzz_eventlog-XXXXXX")
                                                  : QString());
    check(folder->isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::bytesOf(data, size);

    ModemRegisters registers{0x12, 0x34, 0x56, 0xC789};
    QList<QByteArray> log;
    for (qsizetype pos = 0; pos < input.size();) {
        const quint8 control = quint8(input.at(pos++));
        const QByteArray text = input.mid(pos, qMin(control & 0x3F, 53));
        pos += text.size();
        const QByteArray line = usartLogLine(text, control & 0x80, control & 0x40, registers);
        check(!line.contains('\0'));
        log.append(line);
        registers.tcpsr += 1;
    }

    QStringList printed;
    if (!log.isEmpty()) {
        // What the program writes at close is what the reader reads.
        const QByteArray plain = joinLines(log);
        const QList<QByteArray> lines = splitLines(plain);
        check(showLog(plain, &printed) == 0);
        check(printed.size() == lines.size());
        for (qsizetype k = 0; k < lines.size(); ++k)
            check(printed.at(k) == QString::fromLatin1(shownLine(lines.at(k))));
    }

    // Any other text: shown line by line, or refused with a reason.
    if (showLog(input, &printed) == 0)
        check(printed.size() == splitLines(input).size());
    return 0;
}
