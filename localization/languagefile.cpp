#include "localization/languagefile.h"

#include "util/conversions.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace ykt {

namespace {

// A file larger than this is no language file; it is treated as unreadable
// rather than read into memory.
constexpr qint64 kMaxFileSize = qint64(64) * 1024 * 1024;

QByteArray cut(const QByteArray &text, int length)
{
    return text.size() > length ? text.left(length) : text;
}

// Only the letters A..Z change.
QByteArray asciiLower(const QByteArray &text)
{
    QByteArray lower = text;
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return lower;
}

bool isComboClass(const QByteArray &lower)
{
    return lower == "tcombobox" || lower == "ttntcombobox";
}

bool isRadioGroupClass(const QByteArray &lower)
{
    return lower == "tradiogroup" || lower == "ttntradiogroup";
}

// Reads one line after another: a line ends at CR LF, CR or LF.
class LineReader
{
public:
    explicit LineReader(const QByteArray &text) : m_text(text) {}

    bool next(QByteArray *line)
    {
        if (m_pos >= m_text.size())
            return false;
        const char *data = m_text.constData();
        const qsizetype size = m_text.size();
        qsizetype end = m_pos;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        *line = m_text.mid(m_pos, end - m_pos);
        if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            ++end;
        m_pos = end + 1;
        return true;
    }

private:
    QByteArray m_text;
    qsizetype m_pos = 0;
};

// False when the line is bad.
bool readLine(const QByteArray &line, TKalbos &table)
{
    switch (line.at(0)) {
    case '%': {
        ByteFields fields(line, '\t', 1);
        tkalba language;
        language.name = cut(fields.next(), kLanguageNameLength);
        if (!ParseStrictInt(fields.next(), &language.charset) ||
            !ParseStrictInt(fields.next(), &language.smsTable)) {
            table.clear();
            return false;
        }
        table.append(language);
        return true;
    }
    case '=': {
        if (table.isEmpty())
            return false;
        ByteFields fields(line, '\t', 1);
        tforma form;
        form.name = cut(fields.next(), kComponentNameLength);
        form.caption = cut(fields.next(), kCaptionLength);
        if (form.name.isEmpty())
            return false;
        table.last().forms.append(form);
        return true;
    }
    case '&': {
        if (table.isEmpty() || table.last().forms.isEmpty())
            return false;
        ByteFields fields(line, '\t', 1);
        tkomponentas component;
        component.name = cut(fields.next(), kComponentNameLength);
        component.className = cut(fields.next(), kComponentNameLength);
        if (component.name.isEmpty() || component.className.isEmpty())
            return false;
        const QByteArray lower = asciiLower(component.className);
        if (isComboClass(lower)) {
            component.text1 = fields.rest();
        } else if (isRadioGroupClass(lower)) {
            component.text1 = fields.next();
            component.text2 = fields.rest();
        } else {
            component.text1 = fields.next();
            component.text2 = fields.next();
        }
        table.last().forms.last().components.append(component);
        return true;
    }
    case '$': {
        if (table.isEmpty())
            return false;
        ByteFields fields(line, '\t', 1);
        const QByteArray text = fields.next();
        if (text.isEmpty())
            return false;
        table.last().messages.append(text);
        return true;
    }
    default:
        return true;
    }
}

} // namespace

QList<QByteArray> SplitItems(const QByteArray &list)
{
    QList<QByteArray> items;
    ByteFields fields(list, '\t');
    while (fields.hasMore())
        items.append(fields.next());
    return items;
}

QStringList SplitItems(const QString &list)
{
    QStringList items;
    TextFields fields(list, QLatin1Char('\t'));
    while (fields.hasMore())
        items.append(fields.next());
    return items;
}

bool ParseStrictInt(const QByteArray &text, qint32 *value)
{
    qint64 wide = 0;
    if (!ParseDecimal(text, wide) || wide < std::numeric_limits<qint32>::min() ||
        wide > std::numeric_limits<qint32>::max())
        return false;
    *value = qint32(wide);
    return true;
}

LanguageFileResult ParseLanguageFile(const QByteArray &content, TKalbos &table)
{
    table.clear();
    LanguageFileResult result;
    LineReader lines(content);
    QByteArray line;
    int number = 0;
    while (lines.next(&line)) {
        ++number;
        if (line.isEmpty() || readLine(line, table))
            continue;
        result.badLine = number;
        result.error = QString::number(number) + QLatin1String(kBadLineText);
        return result;
    }
    result.ok = true;
    return result;
}

LanguageFileResult LoadLanguageFile(const QString &path, TKalbos &table)
{
    table.clear();
    LanguageFileResult notFound;
    notFound.error = QLatin1String(kNotFoundText) + QFileInfo(path).fileName();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return notFound;
    const QByteArray content = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || content.size() > kMaxFileSize)
        return notFound;
    return ParseLanguageFile(content, table);
}

int FindLanguageContaining(const TKalbos &table, const QByteArray &name)
{
    if (name.isEmpty())
        return -1;
    const QByteArray wanted = AsciiLower(name);
    for (int i = 0; i < table.size(); ++i) {
        if (AsciiLower(table.at(i).name).contains(wanted))
            return i;
    }
    return -1;
}

} // namespace ykt
