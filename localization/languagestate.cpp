#include "localization/languagestate.h"

#include <vector>

namespace ykt {

void LanguageState::setTable(TKalbos table)
{
    m_table = std::move(table);
    m_current = 0;
    m_applied = false;
    m_charset = m_table.isEmpty() ? 0 : m_table.first().charset;
    m_codePage = CodePageOfCharset(m_charset);
}

int LanguageState::indexOf(const QByteArray &name) const
{
    for (int i = 0; i < m_table.size(); ++i)
        if (m_table.at(i).name == name)
            return i;
    return -1;
}

void LanguageState::makeCurrent(int index)
{
    if (index < 0 || index >= m_table.size())
        return;
    m_current = index;
    m_charset = m_table.at(index).charset;
    m_codePage = CodePageOfCharset(m_charset);
    m_applied = true;
}

const tkalba *LanguageState::current() const
{
    return m_current < m_table.size() ? &m_table.at(m_current) : nullptr;
}

QByteArray LanguageState::currentName() const
{
    const tkalba *language = current();
    return language ? language->name : QByteArray();
}

qint32 LanguageState::smsTable() const
{
    const tkalba *language = current();
    return language ? language->smsTable : 0;
}

QByteArray LanguageState::Message(int number) const
{
    const tkalba *language = current();
    if (!language || number < 1 || number > language->messages.size())
        return QByteArray();
    return language->messages.at(number - 1);
}

QString LanguageState::MessageW(int number) const
{
    return toUnicode(Message(number));
}

QString withArguments(const QString &text, const QStringList &arguments)
{
    QString result;
    result.reserve(text.size());
    std::vector<bool> used(arguments.size(), false);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // Only the ASCII digits: "%\u00B9" (a superscript one) is text.
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        const int number = next >= u'1' && next <= u'9' ? next.unicode() - u'0' : -1;
        if (c == QLatin1Char('%') && number >= 1 && number <= arguments.size()) {
            result += arguments.at(number - 1);
            used[number - 1] = true;
            ++i;
        } else {
            result += c;
        }
    }
    for (qsizetype a = 0; a < arguments.size(); ++a) {
        if (!used[a])
            result += QLatin1Char(' ') + arguments.at(a);
    }
    return result;
}

} // namespace ykt
