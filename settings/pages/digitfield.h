#pragma once

// A text field that holds decimal digits only, as the PIN fields do: typing
// lets through digits, Backspace, copy and paste and the keys that type
// nothing (cursor keys, Delete, Tab, Enter), and refuses any other character
// and any other Ctrl chord; after every change (a paste too) the text keeps
// only its digits, cut to the field's length.

#include <QString>

class QKeyEvent;
class QLineEdit;

namespace ykt {

// The digits 0-9 of text, in order.
QString digitsOf(const QString &text);
// Whether typing key into a digit field is let through.
bool acceptsDigitKey(const QKeyEvent &key);
// Binds the key filter and the change rule to field, at most maxLength digits.
void makeDigitField(QLineEdit *field, int maxLength);

} // namespace ykt
