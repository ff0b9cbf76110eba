#pragma once

// The user's nation as the Windows geographical location identifier (GEOID),
// the numbers APN.txt gives its locations. Linux has no such setting: the
// territory of the system locale is mapped through a fixed table of ISO 3166
// codes to GEOIDs.

#include <QByteArray>
#include <QLocale>

namespace ykt {

// GEOID of an ISO 3166-1 alpha-2 code (letter case ignored); 0 when unknown.
quint32 GeoIdOfIsoCode(const QByteArray &iso2);
// GEOID of a territory; 0 for AnyTerritory and territories not in the table.
quint32 GeoIdOfTerritory(QLocale::Territory territory);
// The identifier of the system locale's territory; 0 when there is none
// (for example under the C locale).
quint32 UserNationId();

} // namespace ykt
