#pragma once

// Field splitting shared by every reader of the program's text files (the
// language file, the Contact ID list, the APN list, the voice phrases).
//
// A field is the text before the next separator of what remains of the line;
// after the last separator the field is all that remains, and a line ending
// in a separator has nothing after it. The cursor walks the line once, so a
// line of a million separators costs a million steps, not a million copies.

#include <QByteArray>
#include <QString>

namespace ykt {

template <typename Text, typename Char> class FieldCursor
{
public:
    // The fields of line from position from on.
    FieldCursor(const Text &line, Char separator, qsizetype from = 0)
        : m_line(line), m_separator(separator), m_pos(from)
    {}

    // Text remains after the fields taken so far (possibly only separators).
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
    Text m_line; // shared, not copied
    Char m_separator;
    qsizetype m_pos = 0;
};

using ByteFields = FieldCursor<QByteArray, char>;
using TextFields = FieldCursor<QString, QChar>;

} // namespace ykt
