#include "settings/pages/tenthsspinbox.h"

#include "settings/securityfields.h"

#include <QLineEdit>

namespace ykt {

TTenthsSpinBox::TTenthsSpinBox(QWidget *parent) : QSpinBox(parent)
{
    setRange(KissOff::MinTenths, KissOff::MaxTenths);
    setValue(KissOff::DefaultTenths);
    lineEdit()->setReadOnly(true);
}

QString TTenthsSpinBox::textFromValue(int tenths) const
{
    return kissOffText(tenths);
}

int TTenthsSpinBox::valueFromText(const QString &text) const
{
    return kissOffFromText(text).value_or(value());
}

QValidator::State TTenthsSpinBox::validate(QString &text, int &) const
{
    return kissOffFromText(text) ? QValidator::Acceptable : QValidator::Intermediate;
}

} // namespace ykt
