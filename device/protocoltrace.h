#pragma once

// The protocol trace that support staff ask for: every packet sent and every
// report received, one line each:
//
//   07:41:02.123 OUT 00 0B 02 43 33 37 ...
//   07:41:02.125 IN  21 46 00 00 C0 02 ...
//
// OUT lines are whole output reports (report id first), IN lines the data bytes
// of an input report. Lines starting with '#' are notes (connect, disconnect).
// Written from the user-interface thread and the reader thread alike.

#include <QByteArray>
#include <QFile>
#include <QMutex>
#include <QString>

namespace ykt {

class ProtocolTrace
{
public:
    ProtocolTrace() = default;
    ~ProtocolTrace();
    ProtocolTrace(const ProtocolTrace &) = delete;
    ProtocolTrace &operator=(const ProtocolTrace &) = delete;

    // Creates (or truncates) the file; false with a message when it cannot.
    bool open(const QString &path, QString *error);
    bool isOpen() const;
    QString fileName() const;

    void sent(const QByteArray &report);
    void received(const QByteArray &data);
    void note(const QByteArray &text);

    // The hex form of a line's bytes: upper-case pairs separated by spaces.
    static QByteArray hexLine(const QByteArray &bytes);

private:
    void writeLine(const char *direction, const QByteArray &body);

    mutable QMutex m_mutex;
    QFile m_file;
};

} // namespace ykt
