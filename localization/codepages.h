#pragma once

// The Windows code pages in which the language file's 8-bit texts are written,
// as fixed tables of their own: every byte maps by itself to one code point
// (no byte sequence is combined, so the combining marks of Windows-1258 stay
// separate), bytes below 0x80 and bytes a code page leaves undefined map to
// the code point of the same value (U+0080..U+00FF). ICU and iconv treat the
// undefined bytes differently, hence the tables here.

#include <QByteArray>
#include <QString>

namespace ykt {

enum class CodePage
{
    Windows1250, // Central European; any charset without a page of its own
    Windows1251, // Cyrillic, charset 204
    Windows1252, // Western; the system's 8-bit code page of the program
    Windows1253, // Greek, charset 161
    Windows1254, // Turkish, charset 162
    Windows1257, // Baltic, charset 186
    Windows1258, // Vietnamese, charset 163
};

// The code page a Windows font character-set number selects: 186, 204, 161,
// 162 and 163 have their own, every other number (0 and 238 included) gives
// Windows-1250.
CodePage CodePageOfCharset(int charset);

// The code page of texts that are "in the system's 8-bit code page".
inline constexpr CodePage SystemCodePage = CodePage::Windows1252;

// "Windows-1257" and so on.
QString CodePageName(CodePage page);

// An 8-bit text in Unicode, byte by byte.
QString ToUnicode(const QByteArray &text, CodePage page);

// The reverse: a character the code page cannot hold becomes '?', as does
// each unpaired surrogate; a character outside the Basic Multilingual Plane
// becomes one '?'. Bytes that ToUnicode maps to themselves (undefined ones
// included) come back as the same byte, so FromUnicode(ToUnicode(b)) == b.
QByteArray FromUnicode(const QString &text, CodePage page);

} // namespace ykt
