#include "app/forms/applylanguage.h"

#include "util/conversions.h"

#include "app/forms/languageclasses.h"

#include <QHash>
#include <QWidget>

namespace ykt {

namespace {

// Every object under root in creation order, depth first, without entering
// other windows (the secondary windows are children of the main window).
template <class Visit> void forEachComponent(QObject *root, const Visit &visit)
{
    for (QObject *child : root->children()) {
        const auto *widget = qobject_cast<QWidget *>(child);
        if (widget && widget->isWindow())
            continue;
        visit(child);
        forEachComponent(child, visit);
    }
}

// A window's components by their lower-case names, the first of a name only.
QHash<QByteArray, QObject *> componentIndex(QWidget *window)
{
    QHash<QByteArray, QObject *> index;
    forEachComponent(window, [&](QObject *o) {
        const QString name = o->objectName();
        if (name.isEmpty())
            return;
        const QByteArray key = AsciiLower(name.toLatin1());
        if (!index.contains(key))
            index.insert(key, o);
    });
    return index;
}

QWidget *findWindow(const QList<QWidget *> &windows, const QByteArray &name)
{
    const QByteArray lower = AsciiLower(name);
    for (QWidget *w : windows)
        if (w && AsciiLower(w->objectName().toLatin1()) == lower)
            return w;
    return nullptr;
}

} // namespace

QObject *FindComponent(QWidget *window, const QByteArray &name)
{
    if (!window || name.isEmpty())
        return nullptr;
    const QByteArray lower = AsciiLower(name);
    QObject *found = nullptr;
    forEachComponent(window, [&](QObject *o) {
        if (!found && AsciiLower(o->objectName().toLatin1()) == lower)
            found = o;
    });
    return found;
}

bool ApplyLanguage(LanguageState &state, const QByteArray &name, const QList<QWidget *> &windows)
{
    const int index = state.indexOf(name);
    if (index < 0)
        return false;
    state.makeCurrent(index);
    const LanguageTextContext context{state.codePage(), state.charset()};
    for (const tforma &form : state.table().at(index).forms) {
        QWidget *window = findWindow(windows, form.name);
        if (!window)
            continue;
        window->setWindowTitle(ToUnicode(form.caption, context.codePage));
        window->setProperty(kFontCharsetProperty, context.charset);
        const QHash<QByteArray, QObject *> components = componentIndex(window);
        for (const tkomponentas &record : form.components) {
            QObject *component = components.value(AsciiLower(record.name));
            if (component)
                ApplyControlRecord(component, record, context);
        }
    }
    return true;
}

QList<TemplateWindow> TemplateWindowsOf(const QList<QWidget *> &windows, CodePage page)
{
    QList<TemplateWindow> result;
    for (QWidget *window : windows) {
        if (!window || window->objectName().isEmpty())
            continue;
        TemplateWindow t;
        t.name = window->objectName().toLatin1();
        t.caption = FromUnicode(window->windowTitle(), page);
        forEachComponent(window, [&](QObject *o) {
            TemplateControl control;
            if (TemplateControlOf(o, page, &control))
                t.controls.append(control);
        });
        result.append(t);
    }
    return result;
}

} // namespace ykt
