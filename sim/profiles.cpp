#include "sim/profiles.h"

namespace ykt::sim {

int Profile::itemNameCount(int fdNr) const
{
    switch (fdNr) {
    case 1:
        return 64; // zones
    case 2:
        return 16; // modules
    case 3:
        return userNameCount;
    case 4:
        return 8; // partitions
    case 5:
        return 16; // PGMs
    default:
        return 0;
    }
}

bool Profile::hasItem(int item) const
{
    if (item < 0 || item > 0x20)
        return false;
    if (item == 0x1C && firmwareVersion >= 2020)
        return true;
    return answersItem(item);
}

quint8 lastReadTypeForFirmware(int firmwareVersion)
{
    if (firmwareVersion >= 4005)
        return 0xA0;
    if (firmwareVersion >= 4003)
        return 0x9F;
    if (firmwareVersion >= 2030)
        return 0x9C;
    if (firmwareVersion >= 1026)
        return 0x9B;
    if (firmwareVersion >= 1024)
        return 0x98;
    if (firmwareVersion >= 1022)
        return 0x97;
    return 0x96;
}

namespace {

Profile makeProfile(const char *id, const char *family, int firmware, const char *serial,
                    const char *description)
{
    Profile p;
    p.id = QString::fromLatin1(id);
    p.description = QString::fromLatin1(description);
    // The firmware number is read from "v." up to, not including, the last
    // character, so the name ends with a build letter.
    p.productString = QStringLiteral("%1 v.%2b").arg(QLatin1String(family)).arg(firmware);
    p.serialNumber = QString::fromLatin1(serial);
    // The release number shows the firmware in binary-coded decimal.
    p.releaseNumber = quint16(((firmware / 1000) % 10) << 12 | ((firmware / 100) % 10) << 8 |
                              ((firmware / 10) % 10) << 4 | (firmware % 10));
    p.firmwareVersion = firmware;
    p.lastReadType = lastReadTypeForFirmware(firmware);
    p.userNameCount = firmware >= 4003 ? 64 : 32;
    return p;
}

} // namespace

const QList<Profile> &profiles()
{
    static const QList<Profile> list = {
        makeProfile("ykt4m-4005", "YKT4M", 4005, "4M40050001",
                    "YKT4M, firmware 4005: every item up to the voice language name"),
        makeProfile("ykt4m-4003", "YKT4M", 4003, "4M40030002",
                    "YKT4M, firmware 4003: 64 user names, alarm settings, no voice language"),
        makeProfile("ykt4m-4002", "YKT4M", 4002, "4M40020003",
                    "YKT4M, firmware 4002: items up to the encryption keys, 32 user names"),
        makeProfile("ykt4m-2030", "YKT4M", 2030, "4M20300004",
                    "YKT4M, firmware 2030: encryption keys readable"),
        makeProfile("ykt4m-2025", "YKT4M", 2025, "4M20250005",
                    "YKT4M, firmware 2025: keeps encryption keys but does not report them"),
        makeProfile("ykt4m-1133", "YKT4M", 1133, "4M11330006",
                    "YKT4M, firmware 1133: items up to CPCR"),
        makeProfile("ykt3m-1024", "YKT3M", 1024, "3M10240007",
                    "YKT3M, firmware 1024: items up to the SIM PIN"),
        makeProfile("ykt3m-1022", "YKT3M", 1022, "3M10220008",
                    "YKT3M, firmware 1022: items up to the modem data"),
        makeProfile("ykt3m-1020", "YKT3M", 1020, "3M10200009",
                    "YKT3M, firmware 1020: items up to the additional SMS texts"),
        makeProfile("ykt5", "YKT5", 5001, "5M50010010",
                    "YKT5, firmware 5001: every item up to the voice language name"),
    };
    return list;
}

std::optional<Profile> findProfile(const QString &id)
{
    for (const Profile &p : profiles()) {
        if (p.id.compare(id, Qt::CaseInsensitive) == 0)
            return p;
    }
    return std::nullopt;
}

Profile defaultProfile()
{
    return profiles().front();
}

} // namespace ykt::sim
