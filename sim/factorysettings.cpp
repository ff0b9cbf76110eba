#include "sim/factorysettings.h"

namespace ykt::sim {

namespace {

QByteArray u16(quint16 v)
{
    QByteArray b(2, '\0');
    b[0] = char(v >> 8);
    b[1] = char(v);
    return b;
}

QByteArray u32(quint32 v)
{
    return u16(quint16(v >> 16)) + u16(quint16(v));
}

QByteArray byte(int v)
{
    return QByteArray(1, char(v));
}

class Builder
{
public:
    explicit Builder(const Profile &profile) : m_profile(profile) {}

    // A record without a key.
    void single(int item, const QByteArray &contents)
    {
        if (m_profile.hasItem(item))
            m_store.put(item, 0, 0, contents);
    }
    // A record keyed by its first byte, which the contents start with.
    void indexed(int item, int index, const QByteArray &rest)
    {
        if (m_profile.hasItem(item))
            m_store.put(item, index, 0, byte(index) + rest);
    }
    // A text item, padded as the item's field is.
    void text(int item, const QByteArray &value)
    {
        const ItemLayout *l = itemLayout(item);
        single(item, paddedText(value, l->textWidth, l->textPad));
    }
    void indexedText(int item, int index, const QByteArray &value)
    {
        const ItemLayout *l = itemLayout(item);
        indexed(item, index, paddedText(value, l->textWidth, l->textPad));
    }

    void itemName(int group, int idx, const QByteArray &name)
    {
        if (m_profile.hasItem(0x10))
            m_store.put(0x10, group, idx, byte(group) + byte(idx) + paddedText(name, 16));
    }

    ItemStore take() { return std::move(m_store); }

private:
    const Profile &m_profile;
    ItemStore m_store;
};

const char *const SmsPhrases[19] = {
    "Alarm",       "Restore",    "Armed",       "Disarmed",   "Trouble",
    "Power lost",  "Power back", "Battery low", "Battery OK", "Tamper",
    "Fire",        "Panic",      "Medical",     "Test",       "Bypass",
    "Entry delay", "Exit delay", "GSM trouble", "Line fault",
};

const char *const HelpTexts[3] = {
    "Send ARM or DISARM with your access PIN.",
    "Send OUT1 ON or OUT1 OFF to switch output 1.",
    "Send STATUS to get the state of the system.",
};

} // namespace

ItemStore factorySettings(const Profile &p)
{
    Builder b(p);

    // Reporting: channel 1 used with protocol E2 to a documentation address;
    // the alarm-server string (read only) points to another one.
    b.text(0x00, "192.0.2.10:5000");
    b.text(0x01, "internet");
    b.text(0x02, "");
    b.text(0x03, "");
    b.single(0x04, u32(0x00000801)); // channel 1 used (bit 11), protocol E2 (1)
    b.text(0x05, "");
    b.text(0x06, "198.51.100.7:7000");
    b.text(0x07, "");
    b.indexedText(0x08, 0, "1234");
    b.indexedText(0x08, 1, "");
    b.text(0x09, "Demo site");
    // Heartbeat period 600 s (bits 8-23), modem restart every 6 hours (bits 3-5 = 5).
    b.single(0x0A, u32(600u << 8 | 5u << 3));

    // Users: two phone numbers (fictional 555-01xx numbers).
    b.indexed(0x0B, 0, byte(0x43) + paddedText("+12025550143", 15));
    b.indexed(0x0B, 1, byte(0x01) + paddedText("+12025550178", 15));
    for (int i = 2; i < 10; ++i)
        b.indexed(0x0B, i, byte(0) + paddedText("", 15));
    b.single(0x0C, u32(0x80120000)); // SMS/PSTN options as the tool's factory default
    for (int i = 0; i < 19; ++i)
        b.indexedText(0x0D, i, SmsPhrases[i]);
    for (int i = 0; i < 3; ++i)
        b.indexedText(0x0E, i, HelpTexts[i]);

    // Inputs: normally open, 4 sensitivity steps, no Contact ID code.
    for (int i = 0; i < 6; ++i)
        b.indexed(0x0F, i, byte(2) + byte(0) + byte(4) + u16(0) + QByteArray(5, '\0'));

    // Item names. Zones, partitions and PGMs count from 1, modules and users from 0.
    const char *const namePrefix[6] = {"", "Zone ", "Module ", "User ", "Partition ", "PGM "};
    const int firstNumber[6] = {0, 1, 0, 0, 1, 1};
    for (int group = 1; group <= 5; ++group) {
        for (int idx = 0; idx < p.itemNameCount(group); ++idx)
            b.itemName(group, idx,
                       namePrefix[group] + QByteArray::number(idx + firstNumber[group]));
    }

    for (int i = 0; i < 32; ++i)
        b.indexed(0x11, i, byte(0) + paddedText("", 15));
    // Outputs: manual, pulse, 1 s.
    for (int i = 0; i < 4; ++i)
        b.indexed(0x12, i, byte(8) + u16(1));
    for (int i = 0; i < 6; ++i)
        b.indexedText(0x13, i, QStringLiteral("Input %1 alarm").arg(i + 1).toLatin1());
    b.single(0x14, u32(0x1234FFFF)); // access PIN 1234
    b.single(0x15, byte(0) + paddedText("", 15));
    b.indexedText(0x16, 0, "Module restarted");
    b.indexedText(0x16, 1, "Periodic test");
    b.text(0x17, "Cinterion MC55i REV 03.001");
    b.text(0x18, "");
    b.single(0x19, u16(0x0602)); // heartbeat event 602, custom event off
    for (int i = 0; i < 10; ++i)
        b.indexed(0x1A, i, byte(0));
    b.single(0x1B, u32(0));
    for (int i = 0; i < 2; ++i)
        b.indexedText(0x1C, i, "");
    for (int i = 0; i < 64; ++i)
        b.indexed(0x1D, i, QByteArray(8, '\0'));
    b.single(0x1E, u16(1600)); // kiss-off 0.8 s
    b.single(0x1F, QByteArray(16, '\0'));
    b.single(0x20, byte(7) + "English");

    return b.take();
}

} // namespace ykt::sim
