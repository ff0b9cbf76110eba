#pragma once

// The Contact ID event table read from CID_Descriptions.txt at start-up.
//
// Each input that reports by Contact ID offers these named events; the chosen
// event decides the qualifier and event digits, which name lists the group and
// zone numbers come from, whether a restore is offered and whether the 24-hour
// choice is preset. Texts are 8-bit (the language's code page), as in the file.
//
// Pure logic, Qt Core only: the caller shows the messages (by number) and ends
// the program when loading fails.

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace ykt {

// Longest name kept from the file or from a translating message.
constexpr int kCIDTextLength = 50;

// The plain box shown when an event list entry matches no description.
inline constexpr const char kCorruptedCIDText[] = "Corrupted CID_Descriptions.txt file";

// Message numbers of the two loading failures.
constexpr int kCIDMessageBadCode = 33;
constexpr int kCIDMessageMissing = 34;

struct TCIDDescription
{
    QByteArray Text;      // name shown in the event lists, current language
    QByteArray FileText;  // name as written in the file
    QByteArray Code;      // qualifier digit and three event digits, e.g. "1130"
    quint8 Qualifier = 0; // 6 for qualifier 1 (new event), 7 for 3 (restore)
    quint8 E1 = 0, E2 = 0, E3 = 0;
    QByteArray GroupKind; // lower case: "null", "partition", "user", "zone", "module"
    QByteArray ZoneKind;  // same words
    bool RestoreAllowed = false;
    bool Preset24H = false;
    qint32 MessageNumber = -1; // -1: no translation
};

using TCIDDescriptions = QList<TCIDDescription>;

enum class TCIDLoadStatus
{
    Loaded,      // every line read, every code valid
    FileMissing, // the file does not exist or cannot be read: message 34
    BadCode,     // at least one code is malformed: message 33 (the file was still read)
};

struct TCIDLoadResult
{
    TCIDLoadStatus status = TCIDLoadStatus::Loaded;
    int badLine = 0; // 1-based number of the first line with a bad code; 0 otherwise

    bool ok() const { return status == TCIDLoadStatus::Loaded; }
    // The message to show in the error box before the program ends; 0 when loaded.
    int messageNumber() const
    {
        switch (status) {
        case TCIDLoadStatus::FileMissing:
            return kCIDMessageMissing;
        case TCIDLoadStatus::BadCode:
            return kCIDMessageBadCode;
        case TCIDLoadStatus::Loaded:
            break;
        }
        return 0;
    }
};

// Reads the file into table (emptied first). Any bytes are accepted; only a
// missing file and malformed codes are failures, and either ends the program.
TCIDLoadResult LoadCIDDescriptions(const QString &path, TCIDDescriptions &table);
// The same on the file's bytes.
TCIDLoadResult ParseCIDDescriptions(const QByteArray &content, TCIDDescriptions &table);

// Message lookup of the current language: message n as 8-bit text, empty when
// there is no such message.
using TMessageLookup = std::function<QByteArray(int)>;

// After a language choice: Text becomes FileText, or the part of the
// description's message before the first "\" when that is not empty.
void RefreshCIDTexts(TCIDDescriptions &table, const TMessageLookup &message);

// The first description whose Text equals text; nullptr when none does.
const TCIDDescription *FindCIDByText(const TCIDDescriptions &table, const QByteArray &text);
// The same for a list entry shown in Unicode: each Text is converted with
// toUnicode (the current language's code page) before it is compared.
const TCIDDescription *FindCIDByText(const TCIDDescriptions &table, const QString &entry,
                                     const std::function<QString(const QByteArray &)> &toUnicode);

// An input's five Contact ID bytes, decoded.
struct TCIDInputCode
{
    QByteArray Code; // "3" when byte 0 is 7, else "1"; then the three event digits
    int Group = 0;   // GG
    int Zone = 0;    // ZZZ
};

// Shorter arrays read as if filled with zero bytes.
TCIDInputCode DecodeCIDBytes(const QByteArray &cid);
// The five bytes for a description with the given group (0..99) and zone (0..999).
QByteArray EncodeCIDBytes(const TCIDDescription &description, int group, int zone);

// Position of the first description whose Code equals the code of the input's
// five bytes; -1 when none does.
int FindCIDByCode(const TCIDDescriptions &table, const QByteArray &cid);

// What a group or zone kind makes of an event picker entry.
enum class TCIDKind
{
    Null,
    Partition,
    User,
    Zone,
    Module,
    Other, // any other word: the entry is left as it was
};

enum class TCIDNameList
{
    None,
    Partitions,
    Users,
    Zones,
    Modules,
};

struct TCIDEntrySetup
{
    TCIDKind kind = TCIDKind::Other;
    bool used = false;     // the entry is offered to the user
    int initialNumber = 0; // -1 for null
    int numberingStart = 0;
    TCIDNameList nameList = TCIDNameList::None;
    int highestCount = 0;
};

// The kind word compared without regard to letter case.
TCIDKind CIDKindOf(const QByteArray &word);
// The entry set-up of a kind for input inputPosition (0 for input 1 ... 5 for input 6).
TCIDEntrySetup CIDEntrySetup(TCIDKind kind, int inputPosition);

} // namespace ykt
