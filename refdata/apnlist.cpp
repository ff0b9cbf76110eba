#include "refdata/apnlist.h"
#include "util/conversions.h"

#include "localization/codepages.h"
#include "refdata/textfields.h"

#include <cstdint>

namespace ykt {

namespace {

QString DecodeUtf16(const QByteArray &bytes, qsizetype from, bool littleEndian)
{
    const qsizetype units = (bytes.size() - from) / 2;
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i) {
        const quint8 a = quint8(bytes.at(from + 2 * i));
        const quint8 b = quint8(bytes.at(from + 2 * i + 1));
        text[i] = QChar(littleEndian ? char16_t(a | (b << 8)) : char16_t((a << 8) | b));
    }
    return text;
}

} // namespace

QString SystemEightBitToUnicode(const QByteArray &text)
{
    return ToUnicode(text, SystemCodePage);
}

QByteArray UnicodeToSystemEightBit(const QString &text)
{
    return FromUnicode(text, SystemCodePage);
}

bool FitsSystemEightBit(const QString &text)
{
    return SystemEightBitToUnicode(UnicodeToSystemEightBit(text)) == text;
}

TAPNEncoding DetectAPNEncoding(const QByteArray &content)
{
    if (content.startsWith("\xEF\xBB\xBF"))
        return TAPNEncoding::Utf8;
    if (content.startsWith("\xFF\xFE"))
        return TAPNEncoding::Utf16LE;
    if (content.startsWith("\xFE\xFF"))
        return TAPNEncoding::Utf16BE;
    return TAPNEncoding::EightBit;
}

QByteArray APNContentToEightBit(const QByteArray &content)
{
    switch (DetectAPNEncoding(content)) {
    case TAPNEncoding::Utf8:
        return UnicodeToSystemEightBit(QString::fromUtf8(content.mid(3)));
    case TAPNEncoding::Utf16LE:
        return UnicodeToSystemEightBit(DecodeUtf16(content, 2, true));
    case TAPNEncoding::Utf16BE:
        return UnicodeToSystemEightBit(DecodeUtf16(content, 2, false));
    case TAPNEncoding::EightBit:
        break;
    }
    return content;
}

TAPNList ParseAPNList(const QByteArray &content)
{
    TAPNList list;
    for (const QByteArray &line : refdata::SplitTextLines(APNContentToEightBit(content))) {
        if (line.isEmpty())
            continue;
        if (line.at(0) == '&') {
            refdata::ByteFields fields(line.mid(1), '\t');
            TAPNItem item;
            item.Name = SystemEightBitToUnicode(fields.next());
            qint64 code = 0;
            if (ParseDecimal(fields.next(), code) && code >= INT32_MIN && code <= INT32_MAX)
                item.GeoCode = quint16(quint64(code) & 0xFFFF);
            list.append(item);
            continue;
        }
        if (list.isEmpty())
            continue; // an operator before any location
        refdata::ByteFields fields(line, '\t');
        TOperator op;
        op.Name = SystemEightBitToUnicode(fields.next());
        while (fields.hasMore())
            op.APNs.append(SystemEightBitToUnicode(fields.next()));
        list.last().Operators.append(op);
    }
    return list;
}

bool LoadAPNList(const QString &path, TAPNList &list)
{
    list.clear();
    const std::optional<QByteArray> content = refdata::ReadWholeFile(path);
    if (!content)
        return false;
    list = ParseAPNList(*content);
    return true;
}

const TAPNItem *FindAPNLocation(const TAPNList &list, const QString &name)
{
    for (const TAPNItem &item : list) {
        if (item.Name == name)
            return &item;
    }
    return nullptr;
}

const TOperator *FindAPNOperator(const TAPNItem &location, const QString &name)
{
    for (const TOperator &op : location.Operators) {
        if (op.Name == name)
            return &op;
    }
    return nullptr;
}

int PreselectedAPNLocation(const TAPNList &list, quint32 nationId)
{
    if (nationId == 0)
        return -1;
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).GeoCode == nationId)
            return i;
    }
    return -1;
}

} // namespace ykt
