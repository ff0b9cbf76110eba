#include "app/forms/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ykt {

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)), m_layout(new QVBoxLayout(this))
{
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (QAbstractButton *b : m_group->buttons())
        texts.append(b->text());
    return texts;
}

void RadioGroup::setItems(const QStringList &items)
{
    const QList<QAbstractButton *> old = m_group->buttons();
    for (QAbstractButton *b : old) {
        m_group->removeButton(b);
        delete b;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        m_layout->addWidget(button);
    }
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *b = m_group->button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; none is chosen only with
    // the exclusivity off for a moment.
    if (QAbstractButton *checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

} // namespace ykt
