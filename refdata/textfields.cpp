#include "refdata/textfields.h"

#include "util/conversions.h"

#include <limits>

#include <QFile>

namespace ykt::refdata {

std::optional<QByteArray> ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

QList<QByteArray> SplitTextLines(const QByteArray &content)
{
    QList<QByteArray> lines;
    const qsizetype n = content.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = content.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == '\r' && i + 1 < n && content.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(content.mid(start));
    return lines;
}

} // namespace ykt::refdata
