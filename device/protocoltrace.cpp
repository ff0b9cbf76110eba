#include "device/protocoltrace.h"

#include "util/conversions.h"

#include <QDateTime>

namespace ykt {

ProtocolTrace::~ProtocolTrace()
{
    QMutexLocker lock(&m_mutex);
    m_file.close();
}

bool ProtocolTrace::open(const QString &path, QString *error)
{
    QMutexLocker lock(&m_mutex);
    m_file.close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("Cannot write the protocol trace %1: %2")
                         .arg(path, m_file.errorString());
        return false;
    }
    const QByteArray header = "# YKT4M Loader protocol trace, started " +
                              QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\n';
    m_file.write(header);
    m_file.flush();
    return true;
}

bool ProtocolTrace::isOpen() const
{
    QMutexLocker lock(&m_mutex);
    return m_file.isOpen();
}

QString ProtocolTrace::fileName() const
{
    QMutexLocker lock(&m_mutex);
    return m_file.fileName();
}

QByteArray ProtocolTrace::hexLine(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}

void ProtocolTrace::sent(const QByteArray &report)
{
    writeLine("OUT", hexLine(report));
}

void ProtocolTrace::received(const QByteArray &data)
{
    writeLine("IN ", hexLine(data));
}

void ProtocolTrace::note(const QByteArray &text)
{
    writeLine("#", printableText(text));
}

void ProtocolTrace::writeLine(const char *direction, const QByteArray &body)
{
    QMutexLocker lock(&m_mutex);
    if (!m_file.isOpen())
        return;
    QByteArray line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1();
    line += ' ';
    line += direction;
    line += ' ';
    line += body;
    line += '\n';
    m_file.write(line);
    // Flushed line by line: a trace is most wanted after a crash or a hang.
    m_file.flush();
}

} // namespace ykt
