#pragma once

// The PSTN kiss-off field: a spin box over whole tenths of a second (8..15)
// that shows them as seconds with one decimal ("0.8" .. "1.5") and changes
// only with its arrows (and the arrow keys); its text cannot be typed.

#include <QSpinBox>

namespace ykt {

class TTenthsSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    explicit TTenthsSpinBox(QWidget *parent = nullptr);

protected:
    QString textFromValue(int tenths) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;
};

} // namespace ykt
