#pragma once

// The not-applicable mark: a control hidden because the module or the work
// mode lacks the feature carries it (its Tag is 1). Every rule that shows a
// control again skips controls with the mark.

#include <QVariant>
#include <QWidget>

namespace ykt {

inline constexpr char TagProperty[] = "Tag";

inline bool isNotApplicable(const QWidget *w)
{
    return w && w->property(TagProperty).toInt() == 1;
}

inline void setNotApplicable(QWidget *w, bool mark)
{
    if (w)
        w->setProperty(TagProperty, mark ? 1 : 0);
}

// Shows or hides w as a page rule wants; a marked control stays hidden.
inline void showUnlessNotApplicable(QWidget *w, bool visible)
{
    if (w && !isNotApplicable(w))
        w->setVisible(visible);
}

} // namespace ykt
