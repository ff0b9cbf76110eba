#pragma once

// The event log: the module's serial traffic with its GSM modem, one line per
// text the module reports, kept for the run and written at close to an
// enciphered file in Logs/ beside the program. Also the marker file that a
// failed read of all settings leaves in Debug/.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace ykt {

// The modem and TCP registers of the last state report.
struct ModemRegisters
{
    quint8 mc55iFlags = 0;
    quint8 mc55iCR = 0;
    quint8 mc55iSR = 0;
    quint16 tcpsr = 0;
};

// The log line for one text of modem traffic: CR removed, LF turned into a
// space and a zero byte into '.', then ">>" before an outgoing text and "<<"
// before an incoming one. With putRegisters an outgoing line is preceded by
//   MC55iCR:<CR> MC55iSR<SR> MC55iFlags<Flags> TCPSR<TCPSR> CR LF
// (upper-case hexadecimal of 2, 2, 2 and 4 digits), so it holds a line break
// of its own; incoming lines never get it.
QByteArray usartLogLine(QByteArray text, bool outGoing, bool putRegisters,
                        const ModemRegisters &registers);

// "Y_M_D h_m - Y_M_D h_m.ykl" from the start of the program and the time of
// writing, every number in decimal without leading zeros, for example
// "2009_3_5 9_7 - 2009_3_5 10_15.ykl".
QString logFileName(const QDateTime &start, const QDateTime &written);

// The name with " (number)" before its ".ykl" from number 2 on, for a second
// log that would take the name of one already there; number 1 is the name
// itself.
QString numberedLogFileName(const QString &name, int number);

// Sub-folders of the program folder (or of the user's data folder).
inline constexpr char kLogsFolder[] = "Logs";
inline constexpr char kDebugFolder[] = "Debug";
inline constexpr char kMarkerFileName[] = "Debug.txt";

struct LogWriteResult
{
    bool ok = false;
    QString path;  // the file written; empty when nothing was written
    QString error; // why it failed; with usedFallback, why the program folder was not used
    bool usedFallback = false;
};

// Writes the lines (each followed by CR LF, enciphered with the event-log
// passphrase) to programFolder/Logs/<logFileName>, creating Logs/. A log of
// the same name is kept: two runs that end in the same minute would share it,
// so the new one takes the first free numbered name (see numberedLogFileName). When that fails (the
// folder cannot be created or the file not written) the same file goes to fallbackFolder/Logs
// instead; an empty fallbackFolder means no second try. An empty list writes
// nothing and is ok. A line must not hold a zero byte (usartLogLine never
// gives one).
LogWriteResult writeEventLog(const QList<QByteArray> &lines, const QString &programFolder,
                             const QString &fallbackFolder, const QDateTime &start,
                             const QDateTime &written);

// Leaves programFolder/Debug/Debug.txt behind after a failed read: the folder
// is created when missing; an existing file is written back with its content
// unchanged, byte for byte; otherwise an empty file is written. False with a
// message when the folder or the file cannot be made or written.
bool ensureMarkerFile(const QString &programFolder, QString *error = nullptr);

} // namespace ykt
