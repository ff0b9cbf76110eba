#include "localization/languagestate.h"

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

} // namespace ykt
