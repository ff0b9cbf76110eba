#include "settings/pages/digitfield.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <iterator>

namespace ykt {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

class DigitKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            return !acceptsDigitKey(*static_cast<QKeyEvent *>(event));
        return QObject::eventFilter(watched, event);
    }
};

void reduceToDigits(QLineEdit *field, int maxLength)
{
    const QString text = field->text();
    const QString digits = digitsOf(text).left(maxLength);
    if (digits == text)
        return;
    const int cursor = int(digitsOf(text.left(field->cursorPosition())).size());
    field->setText(digits); // comes back once more, with nothing to drop
    field->setCursorPosition(std::min(cursor, int(digits.size())));
}

} // namespace

QString digitsOf(const QString &text)
{
    QString digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), isAsciiDigit);
    return digits;
}

bool acceptsDigitKey(const QKeyEvent &key)
{
    if (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Paste) ||
        key.key() == Qt::Key_Backspace)
        return true;
    if (key.modifiers() & Qt::ControlModifier)
        return false;
    const QString text = key.text();
    return text.isEmpty() || !text.at(0).isPrint() || isAsciiDigit(text.at(0));
}

void makeDigitField(QLineEdit *field, int maxLength)
{
    // No length limit on the field itself: a pasted text keeps its digits
    // past its first maxLength characters.
    field->installEventFilter(new DigitKeyFilter(field));
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [field, maxLength] { reduceToDigits(field, maxLength); });
}

} // namespace ykt
