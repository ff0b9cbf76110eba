#pragma once

// The module types the virtual module can play: what the module tells the USB
// host about itself (product and serial strings, release number) and what its
// firmware knows (the last item type it answers, the size of the user-name
// group).

#include <QList>
#include <QString>

#include <optional>

namespace ykt::sim {

struct Profile
{
    QString id;                // command-line name, e.g. "ykt4m-4005"
    QString description;       // one line for the command-line tool's listing
    QString productString;     // USB product string; carries the firmware number after "v."
    QString serialNumber;      // USB serial-number string
    quint16 releaseNumber = 0; // bcdDevice
    int firmwareVersion = 0;
    quint8 lastReadType = 0; // the last item type (0x80 + item) this firmware answers
    int userNameCount = 32;  // names in item-name group 3 ("Users")

    // Names in item-name group fdNr (1..5); 0 for a group the module does not have.
    int itemNameCount(int fdNr) const;
    // Whether the firmware has the item (0..0x20) at all. The encryption keys
    // (item 0x1C) came with firmware 2020, before they could be read back (2030).
    bool hasItem(int item) const;
    // Whether the firmware answers a read of the item.
    bool answersItem(int item) const { return 0x80 + item <= lastReadType; }
};

// The last item type that a firmware answers: 4005 and later 0xA0; 4003-4004
// 0x9F; 2030-4002 0x9C; 1026-2029 0x9B; 1024-1025 0x98; 1022-1023 0x97; older 0x96.
quint8 lastReadTypeForFirmware(int firmwareVersion);

// Every profile, the default one first.
const QList<Profile> &profiles();
// The profile with this id (letter case ignored).
std::optional<Profile> findProfile(const QString &id);
// "ykt4m-4005".
Profile defaultProfile();

} // namespace ykt::sim
