#include "sim/options.h"

#include <QStringList>

#include <limits>

namespace ykt::sim {

bool Faults::any() const
{
    return dropAnswer || delayMs || stuckBusyFrom || unplugAt || shortReportAt || garbageAt ||
           repeatSequenceAt;
}

bool Faults::operator==(const Faults &o) const
{
    return dropAnswer == o.dropAnswer && delayMs == o.delayMs && stuckBusyFrom == o.stuckBusyFrom &&
           unplugAt == o.unplugAt && shortReportAt == o.shortReportAt && garbageAt == o.garbageAt &&
           repeatSequenceAt == o.repeatSequenceAt && replugAfterMs == o.replugAfterMs;
}

namespace {

// Longest interval accepted, so that no sum of times can overflow.
constexpr int MaxMs = 3600 * 1000;
constexpr int MaxCount = std::numeric_limits<int>::max();

bool parseNumber(const QString &key, const QString &value, qint64 min, qint64 max, qint64 *out,
                 QString *error)
{
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok || value.startsWith(QLatin1Char('+')) || n < min || n > max) {
        *error = QStringLiteral("option '%1' needs a whole number from %2 to %3, not '%4'")
                     .arg(key)
                     .arg(min)
                     .arg(max)
                     .arg(value);
        return false;
    }
    *out = n;
    return true;
}

struct NumericOption
{
    const char *key;
    qint64 min;
    qint64 max;
    void (*apply)(Options &, int);
};

const NumericOption numericOptions[] = {
    {"drop", 0, MaxCount, [](Options &o, int v) { o.faults.dropAnswer = v; }},
    {"delay", 0, MaxMs, [](Options &o, int v) { o.faults.delayMs = v; }},
    {"stuckbusy", 0, MaxCount, [](Options &o, int v) { o.faults.stuckBusyFrom = v; }},
    {"unplug", 0, MaxCount, [](Options &o, int v) { o.faults.unplugAt = v; }},
    {"short", 0, MaxCount, [](Options &o, int v) { o.faults.shortReportAt = v; }},
    {"garbage", 0, MaxCount, [](Options &o, int v) { o.faults.garbageAt = v; }},
    {"repeat", 0, MaxCount, [](Options &o, int v) { o.faults.repeatSequenceAt = v; }},
    {"replug", 0, MaxMs, [](Options &o, int v) { o.faults.replugAfterMs = v; }},
    {"interval", 1, 1000, [](Options &o, int v) { o.usbIntervalMs = v; }},
    {"state", 0, MaxMs, [](Options &o, int v) { o.stateIntervalMs = v; }},
    {"traffic", 0, MaxMs, [](Options &o, int v) { o.trafficIntervalMs = v; }},
    {"plugged", 0, 1, [](Options &o, int v) { o.pluggedIn = v != 0; }},
    {"lock", 0, 1, [](Options &o, int v) { o.lockGprsSettings = v != 0; }},
    {"passwordonconnect", 0, 1, [](Options &o, int v) { o.passwordOnConnect = v != 0; }},
    {"seed", 0, MaxCount, [](Options &o, int v) { o.seed = quint32(v); }},
};

const NumericOption *findNumericOption(const QString &key)
{
    for (const NumericOption &option : numericOptions) {
        if (key == QLatin1String(option.key))
            return &option;
    }
    return nullptr;
}

QString knownProfiles()
{
    QStringList ids;
    for (const Profile &p : profiles())
        ids << p.id;
    return ids.join(QStringLiteral(", "));
}

} // namespace

std::optional<Options> parseOptions(const QString &spec, QString *error)
{
    QString scratch;
    QString &err = error ? *error : scratch;
    err.clear();

    Options options;
    QStringList fields = spec.trimmed().isEmpty() ? QStringList() : spec.split(QLatin1Char(','));
    if (!fields.isEmpty() && !fields.front().contains(QLatin1Char('='))) {
        const QString id = fields.takeFirst().trimmed();
        if (!id.isEmpty()) {
            const std::optional<Profile> profile = findProfile(id);
            if (!profile) {
                err = QStringLiteral("unknown module profile '%1' (known: %2)")
                          .arg(id, knownProfiles());
                return std::nullopt;
            }
            options.profile = *profile;
        }
    }

    QStringList seen;
    for (const QString &field : fields) {
        const int eq = field.indexOf(QLatin1Char('='));
        if (eq < 0) {
            err = QStringLiteral("option '%1' has no value (expected key=value)")
                      .arg(field.trimmed());
            return std::nullopt;
        }
        const QString key = field.left(eq).trimmed().toLower();
        const QString value = field.mid(eq + 1).trimmed();
        if (key.isEmpty()) {
            err =
                QStringLiteral("option '%1' has no key (expected key=value)").arg(field.trimmed());
            return std::nullopt;
        }
        if (seen.contains(key)) {
            err = QStringLiteral("option '%1' is given more than once").arg(key);
            return std::nullopt;
        }
        seen << key;

        if (key == QLatin1String("password")) {
            if (value.size() > 16) {
                err = QStringLiteral("option 'password' takes at most 16 characters, not %1")
                          .arg(value.size());
                return std::nullopt;
            }
            for (const QChar c : value) {
                if (c.unicode() > 0xFF) {
                    err = QStringLiteral("option 'password' takes 8-bit characters only");
                    return std::nullopt;
                }
            }
            options.usbPassword = value.toLatin1();
            continue;
        }

        if (key == QLatin1String("memory")) {
            if (value.isEmpty()) {
                err = QStringLiteral("option 'memory' needs a file name");
                return std::nullopt;
            }
            options.memoryFile = value;
            continue;
        }

        const NumericOption *option = findNumericOption(key);
        if (!option) {
            err = QStringLiteral("unknown option '%1'").arg(key);
            return std::nullopt;
        }
        qint64 number = 0;
        if (!parseNumber(key, value, option->min, option->max, &number, &err))
            return std::nullopt;
        option->apply(options, int(number));
    }
    return options;
}

QStringList optionKeys()
{
    QStringList keys;
    for (const NumericOption &option : numericOptions)
        keys << QLatin1String(option.key);
    keys << QStringLiteral("password") << QStringLiteral("memory");
    return keys;
}

QString optionsUsage()
{
    const Options defaults;
    QStringList lines;
    lines << QStringLiteral("SPEC is PROFILE[,key=value...], e.g. ykt4m-4003,drop=5,delay=20");
    lines << QStringLiteral("profiles (default %1):").arg(defaultProfile().id);
    for (const Profile &p : profiles())
        lines << QStringLiteral("  %1  %2").arg(p.id, -11).arg(p.description);
    lines << QStringLiteral("faults (K counts from 1 at every plug-in; 0 = off):");
    lines << QStringLiteral("  drop=K       no answer to the K-th read request");
    lines << QStringLiteral("  delay=MS     every reply that much later");
    lines << QStringLiteral("  stuckbusy=K  Busy never clears from the K-th packet on");
    lines << QStringLiteral("  unplug=K     pulled out when the K-th packet arrives");
    lines << QStringLiteral("  replug=MS    ... and plugged back in after that long");
    lines << QStringLiteral("  short=K      the answer to the K-th read request is cut short");
    lines << QStringLiteral(
        "  garbage=K    random bytes before the answer to the K-th read request");
    lines << QStringLiteral("  repeat=K     that answer carries the previous sequence number");
    lines << QStringLiteral("timing:");
    lines << QStringLiteral("  interval=MS  USB interval, 1 to 1000 (default %1)")
                 .arg(defaults.usbIntervalMs);
    lines << QStringLiteral("  state=MS     a state report this often (default %1, 0 = none)")
                 .arg(defaults.stateIntervalMs);
    lines << QStringLiteral("  traffic=MS   a line of modem traffic this often (default %1, 0 = "
                            "none)")
                 .arg(defaults.trafficIntervalMs);
    lines << QStringLiteral("set up before it is plugged in:");
    lines << QStringLiteral("  password=TEXT          its USB password, at most 16 characters");
    lines << QStringLiteral("  passwordonconnect=0/1  it asks for the USB password on connect");
    lines << QStringLiteral("  lock=0/1               its GPRS settings are locked");
    lines << QStringLiteral("  plugged=0/1            present at start (default %1)")
                 .arg(int(defaults.pluggedIn));
    lines << QStringLiteral("  memory=FILE            keeps its memory in FILE between runs "
                            "(loaded at start, saved after each exchange and at exit)");
    lines << QStringLiteral("  seed=N                 for its signal level and the garbage fault "
                            "(default %1)")
                 .arg(defaults.seed);
    return lines.join(QLatin1Char('\n'));
}

} // namespace ykt::sim
