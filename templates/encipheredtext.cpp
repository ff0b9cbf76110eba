#include "templates/encipheredtext.h"

#include "util/savefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace ykt {

namespace {

// Anything larger is not a file of ours; refusing it keeps a stray choice of
// file from exhausting memory.
constexpr qint64 kMaxFileSize = qint64(256) * 1024 * 1024;
constexpr qint64 kReadPiece = 64 * 1024;

// The RC4 permutation, kept across chunks.
class ChunkedRc4
{
public:
    explicit ChunkedRc4(const QByteArray &key)
    {
        for (int x = 0; x < 256; ++x)
            m_s[x] = quint8(x);
        const int keyLength = int(key.size());
        quint8 j = 0;
        for (int x = 0; x < 256; ++x) {
            j = quint8(j + m_s[x] + quint8(key.at(x % keyLength)));
            std::swap(m_s[x], m_s[j]);
        }
    }

    // One chunk, in place; i and j start again at zero for every chunk.
    void applyChunk(char *data, qsizetype length)
    {
        quint8 i = 0;
        quint8 j = 0;
        for (qsizetype k = 0; k < length; ++k) {
            i = quint8(i + 1);
            j = quint8(j + m_s[i]);
            std::swap(m_s[i], m_s[j]);
            data[k] = char(quint8(data[k]) ^ m_s[quint8(m_s[i] + m_s[j])]);
        }
    }

private:
    quint8 m_s[256];
};

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

} // namespace

QByteArray containerKey(const QByteArray &passphrase)
{
    return QCryptographicHash::hash(passphrase, QCryptographicHash::Sha1);
}

QByteArray applyContainerCipher(const QByteArray &data, const QByteArray &key)
{
    if (key.isEmpty() || data.isEmpty())
        return data;
    QByteArray out = data;
    ChunkedRc4 cipher(key);
    char *bytes = out.data();
    for (qsizetype offset = 0; offset < out.size(); offset += kCipherChunkSize)
        cipher.applyChunk(bytes + offset,
                          std::min<qsizetype>(kCipherChunkSize, out.size() - offset));
    return out;
}

QByteArray encipherText(const QByteArray &plain, const QByteArray &passphrase)
{
    return applyContainerCipher(plain, containerKey(passphrase));
}

QByteArray decipherText(const QByteArray &enciphered, const QByteArray &passphrase)
{
    return applyContainerCipher(enciphered, containerKey(passphrase));
}

QByteArray joinLines(const QList<QByteArray> &lines)
{
    qsizetype total = 0;
    for (const QByteArray &line : lines)
        total += line.size() + 2;
    QByteArray text;
    text.reserve(total);
    for (const QByteArray &line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

QList<QByteArray> splitLines(const QByteArray &plain)
{
    qsizetype end = plain.indexOf('\0');
    if (end < 0)
        end = plain.size();
    QList<QByteArray> lines;
    qsizetype start = 0;
    qsizetype k = 0;
    while (k < end) {
        const char c = plain.at(k);
        if (c != '\r' && c != '\n') {
            ++k;
            continue;
        }
        lines.append(plain.mid(start, k - start));
        ++k;
        if (c == '\r' && k < end && plain.at(k) == '\n')
            ++k;
        start = k;
    }
    if (start < end)
        lines.append(plain.mid(start, end - start));
    return lines;
}

QByteArray encipherLines(const QList<QByteArray> &lines, const QByteArray &passphrase)
{
    return encipherText(joinLines(lines), passphrase);
}

QList<QByteArray> decipherLines(const QByteArray &enciphered, const QByteArray &passphrase)
{
    return splitLines(decipherText(enciphered, passphrase));
}

bool WriteEncipheredLines(const QString &path, const QByteArray &passphrase,
                          const QList<QByteArray> &lines, QString *error)
{
    const QString shown = nativePath(path);
    if (path.isEmpty()) {
        setError(error, QStringLiteral("Cannot write a file without a name"));
        return false;
    }
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (lines.at(n).contains('\0')) {
            setError(error, QStringLiteral("Cannot write %1: line %2 holds a zero byte, which "
                                           "would end the text when the file is read")
                                .arg(shown)
                                .arg(n + 1));
            return false;
        }
    }

    return saveFileAtomically(path, encipherLines(lines, passphrase), error);
}

ReadOutcome ReadEncipheredLines(const QString &path, const QByteArray &passphrase,
                                QList<QByteArray> *lines, QString *error)
{
    if (lines)
        lines->clear();
    const QString shown = nativePath(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        setError(error, QStringLiteral("%1 does not exist").arg(shown));
        return ReadOutcome::Missing;
    }
    if (info.isDir()) {
        setError(error, QStringLiteral("Cannot read %1: it is a folder").arg(shown));
        return ReadOutcome::Failed;
    }
    if (!info.isFile()) {
        setError(error, QStringLiteral("Cannot read %1: it is not a regular file").arg(shown));
        return ReadOutcome::Failed;
    }
    if (info.size() > kMaxFileSize) {
        setError(
            error,
            QStringLiteral("Cannot read %1: %2 bytes is too large").arg(shown).arg(info.size()));
        return ReadOutcome::Failed;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
        return ReadOutcome::Failed;
    }
    // Read in pieces up to the limit, so that a file that grows while it is
    // read cannot run away with memory either.
    QByteArray bytes;
    bytes.reserve(info.size());
    for (;;) {
        const QByteArray piece = file.read(kReadPiece);
        if (piece.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                setError(error,
                         QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
                return ReadOutcome::Failed;
            }
            break;
        }
        bytes += piece;
        if (bytes.size() > kMaxFileSize) {
            setError(error, QStringLiteral("Cannot read %1: the file is too large").arg(shown));
            return ReadOutcome::Failed;
        }
    }
    if (lines)
        *lines = decipherLines(bytes, passphrase);
    return ReadOutcome::Read;
}

} // namespace ykt
