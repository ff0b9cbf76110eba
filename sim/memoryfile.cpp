#include "sim/memoryfile.h"

#include "util/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

namespace ykt::sim {

namespace {

// A memory file is a few kilobytes; anything much bigger is not one.
constexpr qint64 MaxFileSize = 1 << 20;

QByteArray hex2(int v)
{
    return QByteArray::number(v, 16).rightJustified(2, '0').toUpper();
}

bool parseByte(const QByteArray &text, int *out)
{
    if (text.size() != 2)
        return false;
    bool ok = false;
    const int v = text.toInt(&ok, 16);
    if (!ok)
        return false;
    *out = v;
    return true;
}

bool isHex(const QByteArray &text)
{
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// Why a record cannot be in this module's memory; empty when it can.
QString refusal(const Profile &profile, int item, int index, int sub)
{
    const ItemLayout *layout = itemLayout(item);
    if (!layout || !profile.hasItem(item))
        return QStringLiteral("item %1 is not kept by a %2").arg(hex2(item), profile.id);
    switch (layout->key) {
    case ItemKey::None:
        if (index != 0 || sub != 0)
            return QStringLiteral("item %1 has no index").arg(hex2(item));
        break;
    case ItemKey::Index:
        if (index >= layout->records || sub != 0)
            return QStringLiteral("item %1 has no index %2").arg(hex2(item), hex2(index));
        break;
    case ItemKey::GroupAndIndex:
        if (sub >= profile.itemNameCount(index))
            return QStringLiteral("no name %1 in group %2").arg(hex2(sub), hex2(index));
        break;
    }
    return {};
}

} // namespace

QByteArray memoryText(const ItemStore &store)
{
    QByteArray text = QByteArray(MemoryFileHeader) + '\n';
    text += "# item index sub, then the record's " + QByteArray::number(ContentsSize) +
            " bytes in hexadecimal\n";
    for (const ItemStore::Record &r : store.records())
        text += hex2(r.item) + ' ' + hex2(r.index) + ' ' + hex2(r.sub) + ' ' +
                r.contents.toHex().toUpper() + '\n';
    return text;
}

bool parseMemoryText(const QByteArray &text, const Profile &profile, ItemStore &store,
                     QString *error)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != MemoryFileHeader) {
        *error =
            QStringLiteral("it does not start with \"%1\"").arg(QLatin1String(MemoryFileHeader));
        return false;
    }
    ItemStore loaded = store;
    for (int n = 1; n < lines.size(); ++n) {
        const QByteArray line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        int item = 0;
        int index = 0;
        int sub = 0;
        const auto bad = [&](const QString &why) {
            *error = QStringLiteral("line %1: %2").arg(n + 1).arg(why);
            return false;
        };
        if (fields.size() != 4 || !parseByte(fields[0], &item) || !parseByte(fields[1], &index) ||
            !parseByte(fields[2], &sub))
            return bad(QStringLiteral("expected item, index, sub and the record in hexadecimal"));
        if (fields[3].size() != 2 * ContentsSize || !isHex(fields[3]))
            return bad(
                QStringLiteral("the record is not %1 bytes in hexadecimal").arg(ContentsSize));
        const QString why = refusal(profile, item, index, sub);
        if (!why.isEmpty())
            return bad(why);
        loaded.put(item, index, sub, QByteArray::fromHex(fields[3]));
    }
    store = std::move(loaded);
    return true;
}

MemoryLoad loadMemoryFile(const QString &path, const Profile &profile, ItemStore &store,
                          QString *error)
{
    QFile file(path);
    if (!file.exists())
        return MemoryLoad::Missing;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return MemoryLoad::NotOurs;
    }
    const QByteArray text = file.read(MaxFileSize + 1);
    if (text.size() > MaxFileSize || !text.startsWith(MemoryFileHeader)) {
        *error = QStringLiteral("%1 is not a virtual module memory file (it does not start with "
                                "\"%2\"); it is left as it is")
                     .arg(path, QLatin1String(MemoryFileHeader));
        return MemoryLoad::NotOurs;
    }
    QString why;
    if (!parseMemoryText(text, profile, store, &why)) {
        *error = QStringLiteral("%1 is broken, %2; the module starts without it").arg(path, why);
        return MemoryLoad::Broken;
    }
    return MemoryLoad::Loaded;
}

bool saveMemoryFile(const QString &path, const ItemStore &store, QString *error)
{
    return saveFileAtomically(path, memoryText(store), error);
}

} // namespace ykt::sim
