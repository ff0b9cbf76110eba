#pragma once

// Small conversions shared by the device link, the settings pages, the template
// code and the text-file loaders. Texts here are 8-bit strings, one character a
// byte, so they are QByteArray; tduomenys is the program's byte array.

#include <QByteArray>
#include <QList>
#include <QString>

#include <stdexcept>

namespace ykt {

using tduomenys = QByteArray;

// Raised by the hexadecimal conversions; what() is the message shown to the
// user: "Ne HEX " followed by the whole offending text.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QByteArray &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QByteArray message() const { return m_message; }

private:
    QByteArray m_message;
};

// The value of one hexadecimal digit (either letter case); -1 for any other
// character.
int hexDigit(char c);
// Hexadecimal text to a 32-bit number (wrapping); empty text gives 0.
quint32 HexToInt(const QByteArray &text);
// Two upper-case hexadecimal digits per byte, no separators.
QByteArray BytesToHex(const tduomenys &bytes);
// Pairs of hexadecimal digits to bytes; an odd last digit is ignored.
tduomenys HexToBytes(const QByteArray &text);
// An encryption key of up to 32 hexadecimal digits, filled with "0" to 32 and
// cut there, as 16 binary characters.
QByteArray HexKeyToBytes(const QByteArray &text);

// Returns the text before the first separator and leaves the rest in text;
// without a separator the whole text is returned and text becomes empty.
QByteArray SplitFirst(QByteArray &text, char separator);
QString SplitFirst(QString &text, QChar separator);

void FillBytes(tduomenys &bytes, quint8 value);
// Copies up to count bytes from source[srcPos..] to destination[dstPos..],
// stopping where either array ends.
void CopyBytes(tduomenys &destination, const tduomenys &source, int dstPos, int count, int srcPos);
void CopyBytesAt(tduomenys &destination, const tduomenys &source, int dstPos);

// Index of the first element equal to text when the letters A..Z are compared
// without regard to case; -1 when none is.
int IndexOfText(const QByteArray &text, const QList<QByteArray> &list);

// Shows an 8-bit text safely on a terminal or in a trace: printable ASCII as
// it is, everything else as \xHH (and the backslash doubled).
QByteArray printableText(const QByteArray &text);

// The text with A..Z made a..z and every other byte kept: names of
// components, keys and kinds are compared this way.
QByteArray AsciiLower(QByteArray text);

// A whole decimal number: an optional sign, then digits only (no blanks);
// false for anything else or a number beyond 64 bits.
bool ParseDecimal(const QByteArray &text, qint64 &value);

} // namespace ykt
