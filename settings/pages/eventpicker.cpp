#include "settings/pages/eventpicker.h"

#include "texts/examplesms.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace ykt {

TEventPicker::TEventPicker(int input, NameSource names, QWidget *parent)
    : QWidget(parent), m_input(input), m_names(std::move(names))
{
    setObjectName(QStringLiteral("VTIN%1").arg(input + 1));
    auto *row = m_row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int side = 0; side < EntryCount; ++side) {
        if (side > 0)
            row->addSpacing(8);
        auto *value = new QLabel(this);
        value->setObjectName(objectName() + QStringLiteral("Value%1").arg(side));
        value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *name = new QLineEdit(this);
        name->setObjectName(objectName() + QStringLiteral("Name%1").arg(side));
        name->setReadOnly(true);
        name->setFrame(false);
        name->setMaxLength(NameLength);
        name->setMinimumWidth(40);
        name->installEventFilter(this);
        auto *arrow = new QToolButton(this);
        arrow->setObjectName(objectName() + QStringLiteral("Arrow%1").arg(side));
        arrow->setArrowType(Qt::DownArrow);
        arrow->setAutoRaise(true);
        row->addWidget(value);
        row->addWidget(name, 1);
        row->addWidget(arrow);
        m_value[size_t(side)] = value;
        m_name[size_t(side)] = name;
        m_arrow[size_t(side)] = arrow;
        connect(arrow, &QToolButton::clicked, this, [this, side] { openList(side); });
        connect(name, &QLineEdit::editingFinished, this, [this, side] { endEdit(side); });
    }
    redraw();
}

void TEventPicker::setCaption(int side, QWidget *caption)
{
    caption->setParent(this);
    m_row->insertWidget(m_row->indexOf(m_value[size_t(side)]), caption);
}

void TEventPicker::setEntries(const TPickerEntry &group, const TPickerEntry &zone)
{
    m_entries = {group, zone};
    redraw();
}

void TEventPicker::redraw()
{
    for (int side = 0; side < EntryCount; ++side) {
        const TPickerEntry &e = m_entries[size_t(side)];
        m_value[size_t(side)]->setText(e.used ? QString::number(e.value()) : QString());
        QLineEdit *name = m_name[size_t(side)];
        // An open editor keeps what is being typed.
        if (name->isReadOnly())
            name->setText(e.holdsName() ? m_names(e.nameList, e.number) : QString());
        name->setEnabled(e.used);
        m_arrow[size_t(side)]->setVisible(e.used);
    }
}

QString TEventPicker::valueText(int side) const
{
    return m_value[size_t(side)]->text();
}

QString TEventPicker::nameText(int side) const
{
    return m_name[size_t(side)]->text();
}

bool TEventPicker::arrowShown(int side) const
{
    return !m_arrow[size_t(side)]->isHidden();
}

QStringList TEventPicker::itemTexts(int side) const
{
    const TPickerEntry &e = m_entries[size_t(side)];
    QStringList items;
    if (!e.used)
        return items;
    for (int k = 0; k < e.highestCount; ++k)
        items.append(QString::number(e.numberingStart + k) + QStringLiteral(": ") +
                     m_names(e.nameList, k));
    return items;
}

void TEventPicker::chooseItem(int side, int k)
{
    TPickerEntry &e = m_entries[size_t(side)];
    if (!e.used || k < 0 || k >= e.highestCount)
        return;
    e.number = k;
    redraw();
    emit valueChosen(side);
}

void TEventPicker::editName(int side, const QString &text)
{
    if (!m_entries[size_t(side)].holdsName())
        return;
    emit renameRequested(side, text.left(NameLength));
}

void TEventPicker::openList(int side)
{
    const QStringList items = itemTexts(side);
    if (items.isEmpty())
        return;
    QMenu menu(this);
    for (int k = 0; k < items.size(); ++k)
        menu.addAction(items.at(k))->setData(k);
    QToolButton *arrow = m_arrow[size_t(side)];
    if (QAction *chosen = menu.exec(arrow->mapToGlobal(QPoint(arrow->width(), 0))))
        chooseItem(side, chosen->data().toInt());
}

void TEventPicker::endEdit(int side)
{
    QLineEdit *name = m_name[size_t(side)];
    if (name->isReadOnly())
        return;
    name->setReadOnly(true);
    name->setFrame(false);
    const TPickerEntry &e = m_entries[size_t(side)];
    const QString before = e.holdsName() ? m_names(e.nameList, e.number) : QString();
    const QString text = name->text();
    if (text != before)
        editName(side, text);
    redraw();
}

bool TEventPicker::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the name of a used entry opens its in-place editor.
    if (event->type() == QEvent::MouseButtonPress) {
        for (int side = 0; side < EntryCount; ++side) {
            QLineEdit *name = m_name[size_t(side)];
            if (watched == name && name->isReadOnly() && m_entries[size_t(side)].holdsName()) {
                name->setReadOnly(false);
                name->setFrame(true);
                name->setFocus();
                name->selectAll();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ykt
