#include "sim/itemtable.h"

namespace ykt::sim {

namespace {

ItemLayout text(int item, const char *name, int offset, int width, char pad = ' ')
{
    ItemLayout l;
    l.item = item;
    l.name = name;
    l.textOffset = offset;
    l.textWidth = width;
    l.textPad = pad;
    return l;
}

ItemLayout plain(int item, const char *name)
{
    ItemLayout l;
    l.item = item;
    l.name = name;
    return l;
}

ItemLayout indexed(ItemLayout l, int records)
{
    l.key = ItemKey::Index;
    l.records = records;
    return l;
}

ItemLayout grouped(ItemLayout l)
{
    l.key = ItemKey::GroupAndIndex;
    return l;
}

ItemLayout readOnly(ItemLayout l)
{
    l.readOnly = true;
    return l;
}

// Protected by the GPRS lock: not written while locked; hide = also answered blank.
ItemLayout gprs(ItemLayout l, bool hide = true)
{
    l.locked = true;
    l.hidden = hide;
    return l;
}

const ItemLayout *buildTable()
{
    static const ItemLayout table[0x21] = {
        gprs(text(0x00, "ConnectionString", 0, 50)),
        gprs(text(0x01, "APN", 0, 50)),
        gprs(text(0x02, "UserName", 0, 32)),
        gprs(text(0x03, "Password", 0, 32)),
        gprs(plain(0x04, "TCPCR")),
        gprs(text(0x05, "ConnectionString2", 0, 50)),
        readOnly(text(0x06, "ConnectionString3", 0, 50)),
        gprs(text(0x07, "USBPassword", 0, 16)),
        // The accounts are protected from writes but stay readable while
        // locked: the installer still needs them to tell the monitoring
        // station which module reports, and the settings summary lists them
        // in its locked form.
        gprs(indexed(text(0x08, "ReserveAccount", 1, 4, '0'), 2), false),
        text(0x09, "OwnerName", 0, 16),
        plain(0x0A, "YKT2CR"),
        indexed(text(0x0B, "PhoneNumber", 2, 15), 10),
        plain(0x0C, "SMSPSTNCR"),
        indexed(text(0x0D, "SMSPhrase", 1, 16), 19),
        indexed(text(0x0E, "HelpText", 1, 47), 3),
        indexed(plain(0x0F, "InputSetting"), 6),
        grouped(text(0x10, "ItemName", 2, 16)),
        indexed(text(0x11, "PGMPhoneNumber", 2, 15), 32),
        indexed(plain(0x12, "OutputSetting"), 4),
        indexed(text(0x13, "InputSMSText", 1, 50), 6),
        plain(0x14, "AccessPIN"),
        text(0x15, "SMSBackupPhoneNumber", 1, 15),
        indexed(text(0x16, "AdditionalSMSText", 1, 50), 2),
        readOnly(text(0x17, "ModemData", 0, 28)),
        text(0x18, "SIMpin", 0, 8),
        gprs(plain(0x19, "HeartBeatEventId")),
        indexed(plain(0x1A, "PhoneNumberAdditionalCR"), 10),
        plain(0x1B, "CPCR"),
        gprs(indexed(text(0x1C, "AES128Key", 1, 16, '\0'), 2)),
        indexed(plain(0x1D, "ZoneVoiceIndex"), 64),
        plain(0x1E, "PSTNKissOff"),
        plain(0x1F, "AlarmSettings"),
        // Byte 0 is the name's length, the name follows.
        readOnly(plain(0x20, "VoiceLanguageName")),
    };
    return table;
}

} // namespace

const ItemLayout *itemLayout(int item)
{
    static const ItemLayout *table = buildTable();
    if (item < 0 || item > 0x20)
        return nullptr;
    return &table[item];
}

QByteArray paddedText(const QByteArray &text, int width, char pad)
{
    QByteArray out = text.left(width);
    if (out.size() < width)
        out.append(width - out.size(), pad);
    return out;
}

QByteArray blankContents(const ItemLayout &layout, const QByteArray &contents)
{
    QByteArray out(ContentsSize, '\0');
    const int keyBytes = layout.key == ItemKey::Index           ? 1
                         : layout.key == ItemKey::GroupAndIndex ? 2
                                                                : 0;
    for (int i = 0; i < keyBytes && i < contents.size(); ++i)
        out[i] = contents[i];
    if (layout.textOffset >= 0)
        out.replace(layout.textOffset, layout.textWidth,
                    QByteArray(layout.textWidth, layout.textPad));
    return out;
}

quint32 ItemStore::key(int item, int index, int sub)
{
    return quint32(item & 0xFF) << 16 | quint32(index & 0xFF) << 8 | quint32(sub & 0xFF);
}

std::optional<QByteArray> ItemStore::get(int item, int index, int sub) const
{
    const auto it = m_records.find(key(item, index, sub));
    if (it == m_records.end())
        return std::nullopt;
    return it->second;
}

void ItemStore::put(int item, int index, int sub, const QByteArray &contents)
{
    m_records[key(item, index, sub)] = paddedText(contents, ContentsSize, '\0');
}

QList<ItemStore::Record> ItemStore::records() const
{
    QList<Record> out;
    for (const auto &[k, contents] : m_records)
        out.append({int(k >> 16 & 0xFF), int(k >> 8 & 0xFF), int(k & 0xFF), contents});
    return out;
}

bool ItemStore::contains(int item, int index, int sub) const
{
    return m_records.count(key(item, index, sub)) != 0;
}

} // namespace ykt::sim
