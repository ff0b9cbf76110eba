#pragma once

// The APN list read from APN.txt beside the program: locations (countries)
// with their nation identifiers, each location's operators, each operator's
// access point names. It feeds the "APN Search" of the GPRS page.
//
// File: 8-bit, or Unicode with a byte-order mark (UTF-16 LE, UTF-16 BE, UTF-8).
// Every line passes through the system's 8-bit code page before it is parsed,
// so all four forms of the same text read alike, and characters outside that
// code page come out as "?". Lines split into fields at TAB:
//     "&" location TAB nation-code
//     operator TAB apn TAB apn ...
// That code page is the program's SystemCodePage (Windows-1252, see
// localization/codepages.h).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace ykt {

struct TOperator
{
    QString Name;
    QStringList APNs;

    bool operator==(const TOperator &o) const { return Name == o.Name && APNs == o.APNs; }
};

struct TAPNItem
{
    QString Name;
    quint16 GeoCode = 0; // nation identifier; 0 when the file gives none
    QList<TOperator> Operators;

    bool operator==(const TAPNItem &o) const
    {
        return Name == o.Name && GeoCode == o.GeoCode && Operators == o.Operators;
    }
};

using TAPNList = QList<TAPNItem>;

enum class TAPNEncoding
{
    EightBit,
    Utf16LE, // FF FE
    Utf16BE, // FE FF
    Utf8,    // EF BB BF
};

// Decided by the byte-order mark alone.
TAPNEncoding DetectAPNEncoding(const QByteArray &content);

// The file's bytes as 8-bit text in the system's code page, mark removed.
QByteArray APNContentToEightBit(const QByteArray &content);

TAPNList ParseAPNList(const QByteArray &content);

// Empties list and reads the file; false (list empty) when there is no file.
bool LoadAPNList(const QString &path, TAPNList &list);

// The first location with exactly this name / the first operator with exactly
// this name in a location; nullptr when none.
const TAPNItem *FindAPNLocation(const TAPNList &list, const QString &name);
const TOperator *FindAPNOperator(const TAPNItem &location, const QString &name);

// The location the search preselects for the user's nation identifier: the
// position of the first location with that GeoCode; -1 when the identifier is
// 0 or no location has it.
int PreselectedAPNLocation(const TAPNList &list, quint32 nationId);

// Through the system's 8-bit code page; characters it cannot hold become "?".
QString SystemEightBitToUnicode(const QByteArray &text);
QByteArray UnicodeToSystemEightBit(const QString &text);
// Every character of text survives the system code page.
bool FitsSystemEightBit(const QString &text);

} // namespace ykt
