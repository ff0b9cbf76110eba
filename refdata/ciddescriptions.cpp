#include "refdata/ciddescriptions.h"
#include "util/conversions.h"

#include "refdata/textfields.h"

#include <limits>

namespace ykt {

using refdata::ByteFields;

namespace {

// "True"/"False" in any case, or any integer (non-zero is true); else false.
bool ParseFlag(const QByteArray &field)
{
    const QByteArray lower = AsciiLower(field);
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    // Any length of digits: "any integer other than 0" holds even beyond 64 bits.
    qsizetype i = 0;
    if (i < field.size() && (field.at(i) == '+' || field.at(i) == '-'))
        ++i;
    if (i == field.size())
        return false;
    bool nonZero = false;
    for (; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c < '0' || c > '9')
            return false;
        nonZero = nonZero || c != '0';
    }
    return nonZero;
}

qint32 ParseMessageNumber(const QByteArray &field)
{
    qint64 value = 0;
    if (!ParseDecimal(field, value) || value < std::numeric_limits<qint32>::min() ||
        value > std::numeric_limits<qint32>::max())
        return -1;
    return qint32(value);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsValidCode(const QByteArray &code)
{
    if (code.size() != 4 || (code.at(0) != '1' && code.at(0) != '3'))
        return false;
    for (char c : code) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

quint8 DigitValue(const QByteArray &code, int i)
{
    return i < code.size() && IsDigit(code.at(i)) ? quint8(code.at(i) - '0') : 0;
}

char NibbleDigit(int nibble)
{
    return "0123456789ABCDEF"[nibble & 0x0F];
}

} // namespace

TCIDLoadResult ParseCIDDescriptions(const QByteArray &content, TCIDDescriptions &table)
{
    table.clear();
    TCIDLoadResult result;
    const QList<QByteArray> lines = refdata::SplitTextLines(content);
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        if (line.isEmpty() || line.at(0) == '/')
            continue;
        ByteFields fields(line, '\t');
        TCIDDescription d;
        d.FileText = fields.next().left(kCIDTextLength);
        d.Text = d.FileText;
        d.Code = fields.next().left(4);
        d.Qualifier = d.Code.startsWith('3') ? 7 : 6;
        d.E1 = DigitValue(d.Code, 1);
        d.E2 = DigitValue(d.Code, 2);
        d.E3 = DigitValue(d.Code, 3);
        d.GroupKind = AsciiLower(fields.next());
        d.ZoneKind = AsciiLower(fields.next());
        d.RestoreAllowed = ParseFlag(fields.next());
        d.Preset24H = ParseFlag(fields.next());
        d.MessageNumber = ParseMessageNumber(fields.next());
        if (!IsValidCode(d.Code) && result.ok()) {
            result.status = TCIDLoadStatus::BadCode;
            result.badLine = i + 1;
        }
        table.append(d);
    }
    return result;
}

TCIDLoadResult LoadCIDDescriptions(const QString &path, TCIDDescriptions &table)
{
    const std::optional<QByteArray> content = refdata::ReadWholeFile(path);
    if (!content) {
        table.clear();
        TCIDLoadResult result;
        result.status = TCIDLoadStatus::FileMissing;
        return result;
    }
    return ParseCIDDescriptions(*content, table);
}

void RefreshCIDTexts(TCIDDescriptions &table, const TMessageLookup &message)
{
    for (TCIDDescription &d : table) {
        d.Text = d.FileText;
        if (d.MessageNumber < 0 || !message)
            continue;
        const QByteArray text = message(d.MessageNumber);
        const qsizetype cut = text.indexOf('\\');
        const QByteArray name = cut < 0 ? text : text.left(cut);
        if (!name.isEmpty())
            d.Text = name.left(kCIDTextLength);
    }
}

const TCIDDescription *FindCIDByText(const TCIDDescriptions &table, const QByteArray &text)
{
    for (const TCIDDescription &d : table) {
        if (d.Text == text)
            return &d;
    }
    return nullptr;
}

const TCIDDescription *FindCIDByText(const TCIDDescriptions &table, const QString &entry,
                                     const std::function<QString(const QByteArray &)> &toUnicode)
{
    for (const TCIDDescription &d : table) {
        if ((toUnicode ? toUnicode(d.Text) : QString::fromLatin1(d.Text)) == entry)
            return &d;
    }
    return nullptr;
}

TCIDInputCode DecodeCIDBytes(const QByteArray &cid)
{
    auto byte = [&cid](int i) { return i < cid.size() ? quint8(cid.at(i)) : quint8(0); };
    TCIDInputCode decoded;
    decoded.Code.append(byte(0) == 7 ? '3' : '1');
    decoded.Code.append(NibbleDigit(byte(1) >> 4));
    decoded.Code.append(NibbleDigit(byte(1)));
    decoded.Code.append(NibbleDigit(byte(2) >> 4));
    decoded.Group = (byte(2) & 0x0F) * 10 + (byte(3) >> 4);
    decoded.Zone = (byte(3) & 0x0F) * 100 + (byte(4) >> 4) * 10 + (byte(4) & 0x0F);
    return decoded;
}

QByteArray EncodeCIDBytes(const TCIDDescription &description, int group, int zone)
{
    group = qBound(0, group, 99);
    zone = qBound(0, zone, 999);
    QByteArray cid(5, '\0');
    cid[0] = char(description.Qualifier);
    cid[1] = char((description.E1 << 4) | description.E2);
    cid[2] = char((description.E3 << 4) | (group / 10));
    cid[3] = char(((group % 10) << 4) | (zone / 100));
    cid[4] = char((((zone / 10) % 10) << 4) | (zone % 10));
    return cid;
}

int FindCIDByCode(const TCIDDescriptions &table, const QByteArray &cid)
{
    const QByteArray code = DecodeCIDBytes(cid).Code;
    for (int i = 0; i < table.size(); ++i) {
        if (table.at(i).Code == code)
            return i;
    }
    return -1;
}

TCIDKind CIDKindOf(const QByteArray &word)
{
    const QByteArray lower = AsciiLower(word);
    if (lower == "null")
        return TCIDKind::Null;
    if (lower == "partition")
        return TCIDKind::Partition;
    if (lower == "user")
        return TCIDKind::User;
    if (lower == "zone")
        return TCIDKind::Zone;
    if (lower == "module")
        return TCIDKind::Module;
    return TCIDKind::Other;
}

TCIDEntrySetup CIDEntrySetup(TCIDKind kind, int inputPosition)
{
    TCIDEntrySetup s;
    s.kind = kind;
    switch (kind) {
    case TCIDKind::Null:
        s.initialNumber = -1;
        break;
    case TCIDKind::Partition:
        s = {kind, true, 0, 1, TCIDNameList::Partitions, 8};
        break;
    case TCIDKind::User:
        s = {kind, true, 0, 0, TCIDNameList::Users, 64};
        break;
    case TCIDKind::Zone:
        s = {kind, true, inputPosition, 1, TCIDNameList::Zones, 64};
        break;
    case TCIDKind::Module:
        s = {kind, true, 0, 0, TCIDNameList::Modules, 16};
        break;
    case TCIDKind::Other:
        break;
    }
    return s;
}

} // namespace ykt
