#pragma once

// The enciphered text container of template files (*.tpl) and saved event logs
// (*.ykl). The file is nothing but the plain text enciphered byte for byte: no
// header, length, salt or checksum, so the file is exactly as long as the text.
// The plain text is a list of 8-bit lines, each ended by CR LF.
//
// The key is the SHA-1 digest of a passphrase built into the program. The
// cipher is RC4 applied in chunks of 8192 bytes: the permutation runs on from
// chunk to chunk, but the two generator indices start again at zero for every
// chunk. Up to 8192 bytes this is plain RC4; after that it is not, and other
// copies of the program only read files that reproduce the restart exactly.
//
// A wrong passphrase or a damaged file is not detected here: it deciphers to
// meaningless lines, and only the interpretation of the values finds it.

#include <QByteArray>
#include <QList>
#include <QString>

namespace ykt {

// Passphrase of template files.
inline constexpr char kTemplatePassphrase[] = "PXR8Wardrobe";
// Passphrase of saved event logs.
inline constexpr char kEventLogPassphrase[] = "QTM5Vigor";

// The cipher processes the text in chunks of this many bytes.
inline constexpr int kCipherChunkSize = 8192;

// The 20-byte cipher key: the SHA-1 digest of the passphrase's bytes.
QByteArray containerKey(const QByteArray &passphrase);

// Enciphers or deciphers (the operation is its own inverse) with a key of at
// least one byte, in chunks as described above. An empty key leaves the data
// as it is.
QByteArray applyContainerCipher(const QByteArray &data, const QByteArray &key);

// The same with the key derived from the passphrase.
QByteArray encipherText(const QByteArray &plain, const QByteArray &passphrase);
QByteArray decipherText(const QByteArray &enciphered, const QByteArray &passphrase);

// Joins lines into the plain text, each line followed by CR LF.
QByteArray joinLines(const QList<QByteArray> &lines);
// Splits a plain text into lines at CR LF, a lone CR and a lone LF; a final
// line break does not give an empty last line. A zero byte ends the text.
QList<QByteArray> splitLines(const QByteArray &plain);

// Lines to file bytes and back, in memory.
QByteArray encipherLines(const QList<QByteArray> &lines, const QByteArray &passphrase);
QList<QByteArray> decipherLines(const QByteArray &enciphered, const QByteArray &passphrase);

// Writes the lines to path, creating the folder (and its parents) if needed.
// The file is replaced as a whole: the text goes to a temporary file in the
// same folder, which then takes the file's name, so a failure leaves any
// earlier file untouched. A line may hold CR or LF (it then reads back as
// several lines) but no zero byte, since that would end the text on reading.
// On failure returns false and, when error is given, a message naming path.
bool WriteEncipheredLines(const QString &path, const QByteArray &passphrase,
                          const QList<QByteArray> &lines, QString *error = nullptr);

enum class ReadOutcome
{
    Read,    // lines hold the file's text (meaningless if the passphrase is wrong)
    Missing, // no such file; lines are empty
    Failed,  // the file exists but cannot be read; error says why
};

// Reads and deciphers the file at path. Whatever the file holds, this returns
// lines or an error; files above a few hundred megabytes and anything that is
// not a regular file (a folder, a device, a pipe) are refused.
ReadOutcome ReadEncipheredLines(const QString &path, const QByteArray &passphrase,
                                QList<QByteArray> *lines, QString *error = nullptr);

} // namespace ykt
