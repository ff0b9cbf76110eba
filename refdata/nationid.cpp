#include "refdata/nationid.h"

#include <QString>

#include <cstring>

namespace ykt {

namespace {

struct GeoEntry
{
    char iso[3];
    quint32 geoId;
};

// ISO 3166-1 alpha-2 code to the Windows geographical location identifier.
// Sorted by code; covers every country of the shipped APN list and its
// neighbours. Codes not listed give 0 (no preselection).
constexpr GeoEntry kGeoIds[] = {
    {"AD", 8},   {"AE", 224},     {"AF", 3},   {"AG", 2},     {"AI", 300}, {"AL", 6},
    {"AM", 7},   {"AO", 9},       {"AR", 11},  {"AS", 10},    {"AT", 14},  {"AU", 12},
    {"AW", 302}, {"AZ", 5},       {"BA", 25},  {"BB", 18},    {"BD", 23},  {"BE", 21},
    {"BF", 245}, {"BG", 35},      {"BH", 17},  {"BI", 38},    {"BJ", 28},  {"BM", 20},
    {"BN", 37},  {"BO", 26},      {"BR", 32},  {"BS", 22},    {"BT", 34},  {"BW", 19},
    {"BY", 29},  {"BZ", 24},      {"CA", 39},  {"CD", 44},    {"CF", 55},  {"CG", 43},
    {"CH", 223}, {"CI", 119},     {"CL", 46},  {"CM", 49},    {"CN", 45},  {"CO", 51},
    {"CR", 54},  {"CU", 56},      {"CV", 57},  {"CW", 273},   {"CY", 59},  {"CZ", 75},
    {"DE", 94},  {"DJ", 62},      {"DK", 61},  {"DM", 63},    {"DO", 65},  {"DZ", 4},
    {"EC", 66},  {"EE", 70},      {"EG", 67},  {"ER", 71},    {"ES", 217}, {"ET", 73},
    {"FI", 77},  {"FJ", 78},      {"FM", 80},  {"FO", 81},    {"FR", 84},  {"GA", 87},
    {"GB", 242}, {"GD", 91},      {"GE", 88},  {"GF", 317},   {"GG", 324}, {"GH", 89},
    {"GI", 90},  {"GL", 93},      {"GM", 86},  {"GN", 100},   {"GP", 321}, {"GQ", 69},
    {"GR", 98},  {"GT", 99},      {"GU", 322}, {"GW", 196},   {"GY", 101}, {"HK", 104},
    {"HN", 106}, {"HR", 108},     {"HT", 103}, {"HU", 109},   {"ID", 111}, {"IE", 68},
    {"IL", 117}, {"IM", 15126},   {"IN", 113}, {"IQ", 121},   {"IR", 116}, {"IS", 110},
    {"IT", 118}, {"JE", 328},     {"JM", 124}, {"JO", 126},   {"JP", 122}, {"KE", 129},
    {"KG", 130}, {"KH", 40},      {"KI", 133}, {"KM", 50},    {"KN", 207}, {"KP", 131},
    {"KR", 134}, {"KW", 136},     {"KY", 307}, {"KZ", 137},   {"LA", 138}, {"LB", 139},
    {"LC", 218}, {"LI", 145},     {"LK", 42},  {"LR", 142},   {"LS", 146}, {"LT", 141},
    {"LU", 147}, {"LV", 140},     {"LY", 148}, {"MA", 159},   {"MC", 158}, {"MD", 152},
    {"ME", 270}, {"MG", 149},     {"MH", 199}, {"MK", 19618}, {"ML", 157}, {"MM", 27},
    {"MN", 154}, {"MO", 151},     {"MQ", 330}, {"MR", 162},   {"MT", 163}, {"MU", 160},
    {"MV", 165}, {"MW", 156},     {"MX", 166}, {"MY", 167},   {"MZ", 168}, {"NA", 254},
    {"NC", 334}, {"NE", 173},     {"NG", 175}, {"NI", 182},   {"NL", 176}, {"NO", 177},
    {"NP", 178}, {"NZ", 183},     {"OM", 164}, {"PA", 192},   {"PE", 187}, {"PF", 318},
    {"PG", 194}, {"PH", 201},     {"PK", 190}, {"PL", 191},   {"PR", 202}, {"PS", 184},
    {"PT", 193}, {"PW", 195},     {"PY", 185}, {"QA", 197},   {"RE", 198}, {"RO", 200},
    {"RS", 271}, {"RU", 203},     {"RW", 204}, {"SA", 205},   {"SB", 30},  {"SC", 208},
    {"SD", 219}, {"SE", 221},     {"SG", 215}, {"SI", 212},   {"SK", 143}, {"SL", 213},
    {"SM", 214}, {"SN", 210},     {"SO", 216}, {"SR", 181},   {"SS", 276}, {"ST", 233},
    {"SV", 72},  {"SY", 222},     {"SZ", 260}, {"TD", 41},    {"TG", 232}, {"TH", 227},
    {"TJ", 228}, {"TL", 7299303}, {"TM", 238}, {"TN", 234},   {"TO", 231}, {"TR", 235},
    {"TT", 225}, {"TV", 236},     {"TW", 237}, {"TZ", 239},   {"UA", 241}, {"UG", 240},
    {"US", 244}, {"UY", 246},     {"UZ", 247}, {"VA", 253},   {"VC", 248}, {"VE", 249},
    {"VG", 351}, {"VI", 252},     {"VN", 251}, {"VU", 174},   {"WS", 259}, {"XK", 9914689},
    {"YE", 261}, {"ZA", 209},     {"ZM", 263}, {"ZW", 264},
};

} // namespace

quint32 GeoIdOfIsoCode(const QByteArray &iso2)
{
    if (iso2.size() != 2)
        return 0;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    const char code[3] = {upper(iso2.at(0)), upper(iso2.at(1)), '\0'};
    for (const GeoEntry &e : kGeoIds) {
        if (std::strcmp(e.iso, code) == 0)
            return e.geoId;
    }
    return 0;
}

quint32 GeoIdOfTerritory(QLocale::Territory territory)
{
    if (territory == QLocale::AnyTerritory)
        return 0;
    return GeoIdOfIsoCode(QLocale::territoryToCode(territory).toLatin1());
}

quint32 UserNationId()
{
    return GeoIdOfTerritory(QLocale::system().territory());
}

} // namespace ykt
