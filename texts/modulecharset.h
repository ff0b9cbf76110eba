#pragma once

// The module's own 8-bit character set. Names, SMS phrases, additional SMS
// texts and input SMS texts travel in it; on the screen, in the model and in
// files they are in the display code page of the current language. Which
// conversion applies is the language's conversion type (its smsTable number
// in the language file).
//
// Each conversion type is a list of byte pairs display -> module, searched
// in order: a byte takes the other side of the first pair that has it, a byte
// without a pair stays as it is. Several display bytes may share one module
// byte, so a round trip can change a text. Type 0, and any type without a
// table, leaves every text unchanged. Types 8, 9 and 10 share one table.

#include <QByteArray>

namespace ykt {

constexpr int LastConversionType = 11;

// Display code page -> module character set (a text being sent).
QByteArray toModule(const QByteArray &text, int type);
// Module character set -> display code page (a text that arrived).
QByteArray fromModule(const QByteArray &text, int type);

} // namespace ykt
