#pragma once

// Phone numbers as the module stores them, for the users and the remote
// output-control list alike: an international "+" in front, then digits, at
// most 15 characters in all (the wire width).

#include <QByteArray>
#include <QString>

namespace ykt {

inline constexpr int MaxPhoneNumberLength = 15;

// What a typed text stores: a leading "+" is kept, every other character
// that is not a digit is dropped, the rest cut to 15 characters.
QByteArray PhoneNumberOf(const QString &text);

// Two numbers are the same number whether or not one of them carries the "+".
bool SamePhoneNumber(const QByteArray &a, const QByteArray &b);

// The pattern an editor lets through as it is typed: a "+" only in front,
// digits after it (the length is the editor's).
QString PhoneNumberPattern();

} // namespace ykt
