#pragma once

// The language table of the run and its current language: the numbered
// messages, and the code page in which the current language's 8-bit texts
// are shown.
//
// The table is filled once at start-up. Until a language is chosen the first
// one is current, so messages shown during start-up come from it.

#include "localization/codepages.h"
#include "localization/languagefile.h"

#include <QStringList>

namespace ykt {

class LanguageState
{
public:
    // Takes the table; the first language becomes current, none is applied.
    void setTable(TKalbos table);
    const TKalbos &table() const { return m_table; }

    // The first language whose name equals name exactly; -1 when none does.
    int indexOf(const QByteArray &name) const;

    // Makes language index current (its charset and code page with it) and
    // remembers that a language was applied. An index outside the table
    // changes nothing.
    void makeCurrent(int index);

    // Position of the current language; 0 before any choice, also while the
    // table is empty.
    int currentIndex() const { return m_current; }
    // Null while the table is empty.
    const tkalba *current() const;
    // The current language's name; empty while the table is empty.
    QByteArray currentName() const;
    // A language has been made current by makeCurrent, not only by default.
    bool applied() const { return m_applied; }

    qint32 charset() const { return m_charset; }
    CodePage codePage() const { return m_codePage; }
    // The current language's SMS conversion table number; 0 without one.
    qint32 smsTable() const;

    // Message number (1 = the first message line) of the current language as
    // 8-bit text; empty for 0, negative numbers, numbers beyond the last
    // message and while the table is empty.
    QByteArray Message(int number) const;
    // The same, shown in the current code page.
    QString MessageW(int number) const;

    // An 8-bit text of the current language for display.
    QString toUnicode(const QByteArray &text) const { return ToUnicode(text, m_codePage); }

private:
    TKalbos m_table;
    int m_current = 0;
    qint32 m_charset = 0;
    CodePage m_codePage = CodePage::Windows1250;
    bool m_applied = false;
};

// text with %1..%9 replaced by arguments[0..8] in one pass, so an argument
// that itself holds "%2" stays as it is. An argument whose placeholder the
// text lacks (a translation that left it out) is added at the end after a
// blank: the reason of a failure is never lost.
QString withArguments(const QString &text, const QStringList &arguments);

} // namespace ykt
