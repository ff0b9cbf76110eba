#pragma once

// The virtual module's memory in a file, so that what one run writes the next
// one reads back: a text file, the first line "YKT4M virtual module memory 1",
// then one line per stored record: item, index and sub as two hexadecimal
// digits each, then the record's 62 bytes as 124 hexadecimal digits, all
// separated by blanks. Lines starting with "#" and empty lines are skipped.
//
// A file is taken whole or not at all: a line that is not a record of an item
// the module keeps (an unknown or read-only-for-the-profile item, an index the
// item does not have, a record of another length) rejects the file, with the
// line named in the message.

#include "sim/itemtable.h"
#include "sim/profiles.h"

#include <QString>

namespace ykt::sim {

inline constexpr char MemoryFileHeader[] = "YKT4M virtual module memory 1";

enum class MemoryLoad
{
    Loaded,  // the records are in the store
    Missing, // no such file: nothing to load, the file may be created
    Broken,  // our header, but a bad line: nothing loaded, the file may be replaced
    NotOurs, // not a memory file (or unreadable): nothing loaded, never overwrite it
};

// The records of the file put into store (over what it holds), for a module
// of the profile; on anything but Loaded and Missing, error says why.
MemoryLoad loadMemoryFile(const QString &path, const Profile &profile, ItemStore &store,
                          QString *error);

// The whole store into the file, replacing it in one step.
bool saveMemoryFile(const QString &path, const ItemStore &store, QString *error);

// The text of the file for a store, and the store of a text (false with a
// message naming the line for a bad one; store untouched then).
QByteArray memoryText(const ItemStore &store);
bool parseMemoryText(const QByteArray &text, const Profile &profile, ItemStore &store,
                     QString *error);

} // namespace ykt::sim
