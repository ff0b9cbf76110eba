#pragma once

// The module's item table: which items it keeps, how each record is keyed and
// where its text field lies, and the store that holds the records.
//
// A record's contents are the 62 bytes that follow the opcode in the item's
// write packet. The answer to a read carries the same bytes right after the
// type byte (the answer is one byte shorter, so it holds the first 61), so
// the module keeps what was written and answers with it.

#include <QByteArray>
#include <QList>

#include <map>
#include <optional>

namespace ykt::sim {

constexpr int ContentsSize = 62;

enum class ItemKey
{
    None,         // one record; the request's index bytes are not looked at
    Index,        // byte 1 of the write (and of the read request) picks the record
    GroupAndIndex // item names: byte 1 the group FDNr 1..5, byte 2 the name's index
};

struct ItemLayout
{
    int item = 0; // 0x00..0x20; the read type is 0x80 + item
    const char *name = "";
    ItemKey key = ItemKey::None;
    int records = 1;       // with ItemKey::Index: the indexes 0..records-1
    bool readOnly = false; // no write opcode (0x06, 0x17, 0x20)
    bool locked = false;   // not written while the GPRS settings are locked
    bool hidden = false;   // answered blank while the GPRS settings are locked
    int textOffset = -1;   // the text field within the contents, -1 for none
    int textWidth = 0;
    char textPad = ' ';
};

// Layout of item 0x00..0x20; null for anything else.
const ItemLayout *itemLayout(int item);

// text cut or padded to width.
QByteArray paddedText(const QByteArray &text, int width, char pad = ' ');

// The contents of a record with nothing in it: the key bytes kept, the text
// field filled with its padding, every other byte 0.
QByteArray blankContents(const ItemLayout &layout, const QByteArray &contents);

class ItemStore
{
public:
    std::optional<QByteArray> get(int item, int index = 0, int sub = 0) const;
    void put(int item, int index, int sub, const QByteArray &contents);
    bool contains(int item, int index = 0, int sub = 0) const;
    int size() const { return int(m_records.size()); }

    struct Record
    {
        int item;
        int index;
        int sub;
        QByteArray contents;
    };
    // Every record, by item, index and sub.
    QList<Record> records() const;

private:
    static quint32 key(int item, int index, int sub);
    std::map<quint32, QByteArray> m_records;
};

} // namespace ykt::sim
