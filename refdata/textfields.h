#pragma once

// Line and field splitting shared by the reference-data readers.
//
// Lines end at CR LF, CR or LF. Fields follow the language file's rule: a field
// is the text before the next TAB of what remains of the line, and after the
// last TAB the field is all that remains; a line ending in a TAB has nothing
// after it. The cursor walks the line once, so a line of a million TABs costs
// a million steps, not a million copies.

#include <QByteArray>
#include <QList>
#include <QString>

namespace ykt::refdata {

QList<QByteArray> SplitTextLines(const QByteArray &content);

template <typename Text, typename Char> class FieldCursor
{
public:
    FieldCursor(const Text &line, Char separator) : m_line(line), m_separator(separator) {}

    // Text remains after the fields taken so far.
    bool hasMore() const { return m_pos < m_line.size(); }

    // The next field; empty when nothing remains.
    Text next()
    {
        if (!hasMore())
            return Text();
        const auto p = m_line.indexOf(m_separator, m_pos);
        if (p < 0) {
            Text field = m_line.mid(m_pos);
            m_pos = m_line.size();
            return field;
        }
        Text field = m_line.mid(m_pos, p - m_pos);
        m_pos = p + 1;
        return field;
    }

    // Everything after the fields taken so far, separators included.
    Text rest() const { return hasMore() ? m_line.mid(m_pos) : Text(); }

private:
    Text m_line;
    Char m_separator;
    qsizetype m_pos = 0;
};

using ByteFields = FieldCursor<QByteArray, char>;
using TextFields = FieldCursor<QString, QChar>;

} // namespace ykt::refdata
