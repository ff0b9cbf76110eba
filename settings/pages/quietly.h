#pragma once

// Setting a control from the model without running the rules bound to its
// signals: a page shows a record this way and then runs the rules itself, in
// their order.

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

namespace ykt {

inline void setQuietly(QCheckBox *box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

// An index the list does not have selects nothing (-1).
inline void setQuietly(QComboBox *list, int index)
{
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index < list->count() ? index : -1);
}

} // namespace ykt
