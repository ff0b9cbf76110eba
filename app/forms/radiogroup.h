#pragma once

// A group of radio buttons built from a list of items, one of them chosen (or
// none): the kind of control the language file calls TRadioGroup and
// TTntRadioGroup. Replacing the items drops the choice.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

namespace ykt {

class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit RadioGroup(const QString &title = QString(), QWidget *parent = nullptr);

    QStringList items() const;
    // One radio button per item; no item is chosen afterwards.
    void setItems(const QStringList &items);

    // Position of the chosen item; -1 when none is chosen.
    int itemIndex() const;
    // -1, or a position outside the items, chooses none.
    void setItemIndex(int index);

signals:
    // The user or setItemIndex chose another item.
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_group;
    QVBoxLayout *m_layout;
};

} // namespace ykt
