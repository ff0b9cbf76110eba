#pragma once

// The text fields of the GPRS reporting channels and what they let through.
//
// Each channel's station is one connection string as the module holds it,
// "address:port"; the page edits address and port apart. An encryption key
// is 16 bytes in the model and 32 hexadecimal digits on the screen.
//
// The filters act on what the user types or pastes only: the part of an
// edit that was inserted keeps the characters that may be typed there
// (letters turned into capitals where the field wants them), the rest of the
// text stays as it was. A value that arrives from the module or a template
// is shown and written back as it is.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ykt::gprs {

constexpr int MaxAddressLength = 44;
constexpr int MaxPortLength = 5;
// Address, ":" and port.
constexpr int MaxConnectionStringLength = MaxAddressLength + 1 + MaxPortLength;
constexpr int MaxAccountLength = 4;
constexpr int KeyBytes = 16;
constexpr int KeyDigits = 2 * KeyBytes;
constexpr int MaxApnLength = 50;
constexpr int MaxApnLoginLength = 32; // APN user name and password
constexpr int HeartbeatCodeLength = 3;
constexpr int MaxUnlockPasswordLength = 16;

struct Station
{
    QByteArray address;
    QByteArray port;

    bool operator==(const Station &o) const { return address == o.address && port == o.port; }
};

// Split at the first ":": the text before it is the address, the text after
// it the port when it is 1 to 5 decimal digits (any other port is dropped).
// A text without ":" is all address.
Station splitConnectionString(const QByteArray &text);
// "address:port", or the address alone when the port is empty; cut to 50.
QByteArray joinConnectionString(const QByteArray &address, const QByteArray &port);

// The key text completed with "0" to 32 digits and cut there, each pair of
// digits one byte; nothing when a character is not a hexadecimal digit.
std::optional<QByteArray> keyTextToBytes(const QString &text);
// 32 upper-case hexadecimal digits: one pair per byte, "00" for each byte
// missing from 16 (bytes beyond 16 are ignored).
QString keyBytesToText(const QByteArray &bytes);

// The text fields with filters.
enum class Field
{
    Address,       // letters, digits, "." and "-" (host names have it)
    Port,          // digits
    Account,       // digits and B to F: a Contact ID account has no "A"
    Key,           // hexadecimal digits 0 to 9, A to F
    HeartbeatCode, // digits
};

// The most characters the field holds: 44, 5, 4, 32 and 3.
int maxLengthOf(Field field);
// Whether c may be typed into the field (before letters are made capitals).
bool acceptsTyped(Field field, QChar c);
// The characters of text that may be typed into the field, in order, with
// the letters of the account and the key as capitals.
QString filterTyped(Field field, const QString &text);

struct FilteredEdit
{
    QString text;
    int cursor = 0;
};

// An edit of the user turned before into after (a key press, a paste, a
// cut ...), the cursor at cursor in after. The characters that the edit
// inserted are filtered and, where the field would grow beyond its length,
// cut (a pasted text keeps its first characters that may be typed, not the
// first of all); everything else is kept. The cursor keeps its place among
// the kept characters.
FilteredEdit filterEdit(Field field, const QString &before, const QString &after, int cursor);

} // namespace ykt::gprs
