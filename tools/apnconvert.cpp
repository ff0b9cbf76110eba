// apnconvert: writes the program's APN.txt from the mobile broadband provider
// database (serviceproviders.xml of Debian's mobile-broadband-provider-info).
//
//     apnconvert serviceproviders.xml APN.txt
//
// Output: UTF-8 with a byte-order mark, CR LF lines, one "&" line per country
// (its name and nation identifier), then one line per GSM operator: the
// operator's name and its internet APNs, fields separated by TAB. Countries
// are sorted by name; operators and APNs keep the database's order. The
// program reads the list through the system's 8-bit code page, so a name that
// would not survive it is replaced by one that does.

#include "refdata/apnlist.h"
#include "refdata/nationid.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

struct Operator
{
    QString name;
    QStringList apns;
};

struct Country
{
    QString code;
    QString name;
    QList<Operator> operators;
};

struct ApnEntry
{
    QString value;
    QStringList usages;
};

// A field of the list: no TAB or line break inside, no blanks around.
QString Field(const QString &text)
{
    QString t = text;
    for (QChar &c : t) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return t.simplified();
}

// The first <name> without xml:lang among names, else the first of all.
QString PreferredName(const QList<std::pair<QString, QString>> &names)
{
    for (const auto &[lang, text] : names) {
        if (lang.isEmpty() && !Field(text).isEmpty())
            return Field(text);
    }
    return names.isEmpty() ? QString() : Field(names.first().second);
}

// A name that survives the system code page: the preferred one, any other
// that does, or fallback.
QString PortableName(const QList<std::pair<QString, QString>> &names, const QString &fallback)
{
    const QString preferred = PreferredName(names);
    if (!preferred.isEmpty() && ykt::FitsSystemEightBit(preferred))
        return preferred;
    for (const auto &entry : names) {
        const QString t = Field(entry.second);
        if (!t.isEmpty() && ykt::FitsSystemEightBit(t))
            return t;
    }
    return fallback;
}

void SkipElement(QXmlStreamReader &xml)
{
    xml.skipCurrentElement();
}

ApnEntry ReadApn(QXmlStreamReader &xml)
{
    ApnEntry apn;
    apn.value = Field(xml.attributes().value(QLatin1String("value")).toString());
    while (xml.readNextStartElement()) {
        if (xml.name() == u"usage")
            apn.usages.append(xml.attributes().value(QLatin1String("type")).toString());
        SkipElement(xml);
    }
    return apn;
}

// Reads one <provider>; returns false when it has no GSM APN for internet use.
bool ReadProvider(QXmlStreamReader &xml, const QString &countryName, Operator &op)
{
    QList<std::pair<QString, QString>> names;
    QString networkId;
    QStringList apns;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name") {
            const QString lang = xml.attributes().value(QLatin1String("xml:lang")).toString();
            names.append({lang, xml.readElementText()});
        } else if (xml.name() == u"gsm") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"network-id" && networkId.isEmpty()) {
                    networkId = xml.attributes().value(QLatin1String("mcc")).toString() + u'-' +
                                xml.attributes().value(QLatin1String("mnc")).toString();
                    SkipElement(xml);
                } else if (xml.name() == u"apn") {
                    const ApnEntry apn = ReadApn(xml);
                    // Multimedia messaging APNs do not carry the module's reports.
                    const bool mmsOnly = !apn.usages.isEmpty() &&
                                         std::all_of(apn.usages.begin(), apn.usages.end(),
                                                     [](const QString &u) { return u == u"mms"; });
                    if (!apn.value.isEmpty() && !mmsOnly && ykt::FitsSystemEightBit(apn.value) &&
                        !apns.contains(apn.value))
                        apns.append(apn.value);
                } else {
                    SkipElement(xml);
                }
            }
        } else {
            SkipElement(xml);
        }
    }
    if (apns.isEmpty())
        return false;
    const QString fallback = networkId.isEmpty() ? countryName + QStringLiteral(" operator")
                                                 : QStringLiteral("Operator ") + networkId;
    op.name = PortableName(names, fallback);
    // A leading "&" would make the line a location.
    while (op.name.startsWith(u'&'))
        op.name.remove(0, 1);
    if (op.name.isEmpty())
        op.name = fallback;
    op.apns = apns;
    return true;
}

void ReadCountry(QXmlStreamReader &xml, Country &country)
{
    country.code = xml.attributes().value(QLatin1String("code")).toString().toUpper();
    QList<std::pair<QString, QString>> names;
    QList<Operator> operators;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name") {
            const QString lang = xml.attributes().value(QLatin1String("xml:lang")).toString();
            names.append({lang, xml.readElementText()});
        } else if (xml.name() == u"provider") {
            Operator op;
            if (ReadProvider(xml, PreferredName(names), op))
                operators.append(op);
        } else {
            SkipElement(xml);
        }
    }
    country.name = PortableName(names, country.code);
    // Operators of the same name merge: the search shows only the first anyway.
    for (const Operator &op : operators) {
        auto same = std::find_if(country.operators.begin(), country.operators.end(),
                                 [&op](const Operator &o) { return o.name == op.name; });
        if (same == country.operators.end()) {
            country.operators.append(op);
            continue;
        }
        for (const QString &apn : op.apns) {
            if (!same->apns.contains(apn))
                same->apns.append(apn);
        }
    }
}

int Fail(const QString &message)
{
    std::fprintf(stderr, "apnconvert: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return Fail(QStringLiteral("usage: apnconvert serviceproviders.xml APN.txt"));

    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read %1: %2 (it comes with the Debian package "
                                   "mobile-broadband-provider-info)")
                        .arg(args.at(1), in.errorString()));

    QXmlStreamReader xml(&in);
    QList<Country> countries;
    if (xml.readNextStartElement()) {
        if (xml.name() != u"serviceproviders")
            return Fail(QStringLiteral("%1 is not a service provider database").arg(args.at(1)));
        while (xml.readNextStartElement()) {
            if (xml.name() == u"country") {
                Country country;
                ReadCountry(xml, country);
                if (!country.operators.isEmpty())
                    countries.append(country);
            } else {
                SkipElement(xml);
            }
        }
    }
    if (xml.hasError())
        return Fail(QStringLiteral("%1:%2:%3: %4")
                        .arg(args.at(1))
                        .arg(xml.lineNumber())
                        .arg(xml.columnNumber())
                        .arg(xml.errorString()));
    if (countries.isEmpty())
        return Fail(QStringLiteral("%1 lists no GSM operators").arg(args.at(1)));

    std::stable_sort(countries.begin(), countries.end(), [](const Country &a, const Country &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });

    QString text;
    int operatorCount = 0;
    for (const Country &c : countries) {
        text += u'&' + c.name;
        if (const quint32 geoId = ykt::GeoIdOfIsoCode(c.code.toLatin1()))
            text += u'\t' + QString::number(geoId);
        text += QStringLiteral("\r\n");
        for (const Operator &op : c.operators) {
            text += op.name + u'\t' + op.apns.join(u'\t') + QStringLiteral("\r\n");
            ++operatorCount;
        }
    }

    QSaveFile out(args.at(2));
    if (!out.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1: %2").arg(args.at(2), out.errorString()));
    out.write("\xEF\xBB\xBF");
    out.write(text.toUtf8());
    if (!out.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(args.at(2), out.errorString()));
    std::printf("apnconvert: %lld locations, %d operators\n", qlonglong(countries.size()),
                operatorCount);
    return 0;
}
