#pragma once

// The event picker of an input (VTIN1 .. VTIN6): one row under the input's
// event list with the two parameter entries of its Contact ID event, the
// group on the left and the zone on the right. Each entry shows its value,
// the name the settings give that value, and an arrow that opens the list of
// all values with their names. A click on a name edits it in place; the end
// of the edit asks the page to rename that item everywhere.
//
// The picker holds only the entries' positions; the names come from the
// item-name table through the name source each time the row is drawn.

#include "settings/inputfields.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace ykt {

class TEventPicker : public QWidget
{
    Q_OBJECT
public:
    static constexpr int EntryCount = 2;
    // Name k of a name list, for display.
    using NameSource = std::function<QString(TCIDNameList, int)>;

    // input: 0 for input 1 ... 5 for input 6.
    TEventPicker(int input, NameSource names, QWidget *parent = nullptr);

    int input() const { return m_input; }
    const TPickerEntry &entry(int side) const { return m_entries[size_t(side)]; }
    // Puts a caption in front of an entry ("Group:", "Zone:").
    void setCaption(int side, QWidget *caption);
    // Sets both entries and redraws the row.
    void setEntries(const TPickerEntry &group, const TPickerEntry &zone);
    // Draws the row again from the entries and the name table.
    void redraw();

    // What the row shows, for the page and for tests.
    QString valueText(int side) const;
    QString nameText(int side) const;
    bool arrowShown(int side) const;

    // The list of values of an entry: "start + k: name k"; empty for an
    // entry that is not used.
    QStringList itemTexts(int side) const;
    // Choosing item k of an entry's list (what the pop-up does).
    void chooseItem(int side, int k);
    // Ends an in-place edit of an entry's name with text (what the editor
    // does); an entry that is not used ignores it.
    void editName(int side, const QString &text);

signals:
    // The user chose a value of an entry.
    void valueChosen(int side);
    // The user gave the name of an entry a new text.
    void renameRequested(int side, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openList(int side);
    void endEdit(int side);

    int m_input;
    NameSource m_names;
    std::array<TPickerEntry, EntryCount> m_entries;
    std::array<QLabel *, EntryCount> m_value{};
    std::array<QLineEdit *, EntryCount> m_name{};
    std::array<QToolButton *, EntryCount> m_arrow{};
    QHBoxLayout *m_row = nullptr;
};

} // namespace ykt
