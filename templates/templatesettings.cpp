#include "templates/templatesettings.h"

#include "settings/gprsfields.h"
#include "settings/securityfields.h"
#include "util/conversions.h"

namespace ykt {

namespace {

class Lister
{
public:
    void add(const QString &name, const QString &value) { list.append({name, value}); }
    void text(const QString &name, const QByteArray &value)
    {
        add(name, QString::fromLatin1(printableText(value)));
    }
    void flag(const QString &name, bool value)
    {
        add(name, value ? QStringLiteral("on") : QStringLiteral("off"));
    }
    void number(const QString &name, qint64 value) { add(name, QString::number(value)); }
    // One of a list of words; a code without a word is shown as its number.
    void choice(const QString &name, int index, const QStringList &words)
    {
        add(name, index >= 0 && index < words.size() ? words.at(index)
                                                     : QStringLiteral("code %1").arg(index));
    }

    QList<NamedSetting> list;
};

const QStringList &protocolWords()
{
    static const QStringList words{"E2", "CSV IP", "Fibro"};
    return words;
}

const QStringList &intervalWords()
{
    static const QStringList words{"No", "10 minutes", "1 hour", "24 hours", "Every week"};
    return words;
}

QString workModeName(WorkMode mode)
{
    switch (mode) {
    case WorkMode::AdvancedCommunicator:
        return QStringLiteral("Advanced communicator");
    case WorkMode::Magellan:
        return QStringLiteral("Magellan");
    case WorkMode::Communicator:
        break;
    }
    return QStringLiteral("Communicator");
}

void describeGprs(Lister &l, const SettingsModel &m)
{
    l.text("Channel 1 server", m.gprs.connectionString);
    l.text("Channel 2 server", m.gprs.connectionString2);
    l.text("APN", m.gprs.apn);
    l.text("APN user name", m.gprs.apnUserName);
    l.text("APN password", m.gprs.apnPassword);
    l.text("Channel 1 account", m.gprs.reserveAccounts[0]);
    l.text("Channel 2 account", m.gprs.reserveAccounts[1]);
    const TcpCrFields tcp = unpackTCPCR(m.gprs.tcpcr, TcpCrFields::MaxProtocols);
    const QStringList tcpUdp{"TCP", "UDP"};
    l.choice("Channel 1 use", tcp.channel1Used ? 1 : 0, {"Not used", "Used"});
    l.choice("Channel 1 protocol", tcp.channel1Protocol, protocolWords());
    l.choice("Channel 1 transport", tcp.channel1Udp ? 1 : 0, tcpUdp);
    l.flag("Channel 1 Use Encryption Key", tcp.channel1Encrypted);
    l.choice("Channel 2 use", tcp.channel2Use, {"Not used", "Used", "Reserve"});
    l.choice("Channel 2 protocol", tcp.channel2Protocol, protocolWords());
    l.choice("Channel 2 transport", tcp.channel2Udp ? 1 : 0, tcpUdp);
    l.flag("Channel 2 Use Encryption Key", tcp.channel2Encrypted);
    l.add("Channel 1 encryption key", gprs::keyBytesToText(m.gprs.aesKeys[0]));
    l.add("Channel 2 encryption key", gprs::keyBytesToText(m.gprs.aesKeys[1]));
    const HeartbeatEvent event = unpackHeartbeatEvent(m.gprs.heartbeatEvent);
    l.flag("HeartBeat Event ID enabled", event.enabled);
    l.text("HeartBeat Event ID", event.code);
}

void describeModule(Lister &l, const SettingsModel &m, WorkMode mode)
{
    l.add("Work mode", workModeName(mode));
    l.text("USB password", m.security.usbPassword);
    l.text("Owner name", m.security.ownerName);
    l.text("Access PIN", accessPinText(m.users.accessPin));
    const Ykt2CrFields ykt2 = unpackYKT2CR(m.security.ykt2cr);
    l.flag("Use password on USB connect", ykt2.usbPassword);
    l.flag("HeartBeat check enabled", ykt2.heartbeatCheck);
    l.number("HeartBeat period (s)", ykt2.heartbeatSeconds);
    l.number("Modem restart every (hour)", ykt2.modemRestartHours);
    l.flag("Show TCP statistics", ykt2.tcpStatistics);
    l.flag("Use SIM PIN", ykt2.simPin);
    l.text("SIM PIN", m.security.simPin);
    const SmsPstnCrFields sms = unpackSMSPSTNCR(m.users.smsPstnCr);
    l.number("Short call duration (s)", sms.shortCallSeconds);
    l.number("Periodic SMS test every (days)", sms.smsTestDays);
    l.flag("Answer only registered numbers", sms.onlyRegistered);
    l.flag("Limited trouble SMS", sms.limitedTroubleSms);
    l.add("PSTN kiss-off (s)", kissOffText(kissOffTenths(m.security.pstnKissOff)));
    const AlarmServerOptions as =
        unpackAlarmSettings(m.security.alarmSettings).value_or(AlarmServerOptions());
    l.flag("Alarm server Every event", as.everyEvent);
    l.choice("Alarm server Event log", as.eventLog, intervalWords());
    l.choice("Alarm server Motion detection", as.motionDetection, intervalWords());
    l.flag("Alarm server Report user names", as.reportUserNames);
    l.flag("Alarm server Report zone names", as.reportZoneNames);
    l.flag("Alarm server Save event log", as.saveEventLog);
}

void describeUsers(Lister &l, const SettingsModel &m)
{
    for (int n = 0; n < SettingsModel::UserCount; ++n) {
        const PhoneRecord &r = m.phones[n];
        const QString user = QStringLiteral("User %1 ").arg(n + 1);
        const UserFlags f = unpackUserFlags(r.cr, r.addCr);
        l.text(user + "number", r.number);
        const std::pair<const char *, bool> flags[] = {
            {"Arming SMS", f.armingSms},
            {"Disarming SMS", f.disarmingSms},
            {"Call on Alarm", f.callOnAlarm},
            {"Mandatory Call", f.mandatoryCall},
            {"Periodic SMS test", f.periodicSmsTest},
            {"Alarm SMS", f.alarmSms},
            {"Trouble SMS", f.troubleSms},
            {"Bypass reports", f.bypassReports},
            {"PGM State reports", f.pgmStateReports},
            {"Forward unknown SMS", f.forwardUnknownSms},
            {"Change arm state on short call", f.changeArmOnShortCall},
            {"SMS backup", f.smsBackup},
            {"Prohibit module control", f.prohibitControl},
            {"Push notifications", f.pushNotifications},
        };
        for (const auto &[name, on] : flags)
            l.flag(user + name, on);
        l.choice(user + "smartphone", int(f.smartphone), {"No", "Android", "iPhone"});
    }
    for (int n = SettingsModel::FirstRemoteControlRecord; n < SettingsModel::PhoneRecordCount;
         ++n) {
        const PhoneRecord &r = m.phones[n];
        const QString entry = QStringLiteral("Remote control %1 ")
                                  .arg(n - SettingsModel::FirstRemoteControlRecord + 1);
        l.text(entry + "number", r.number);
        const std::array<bool, 4> outputs = unpackPGMPnCR(r.cr);
        QStringList allowed;
        for (int k = 0; k < 4; ++k) {
            if (outputs[k])
                allowed.append(QString::number(k + 1));
        }
        l.add(entry + "outputs",
              allowed.isEmpty() ? QStringLiteral("none") : allowed.join(QLatin1Char(',')));
    }
}

void describeInputsAndOutputs(Lister &l, const SettingsModel &m)
{
    for (int n = 0; n < SettingsModel::InputCount; ++n) {
        const InputRecord &r = m.inputs[n];
        const QString input = QStringLiteral("Input %1 ").arg(n + 1);
        const InputCrFields f = unpackInputSettingsCR(r.cr);
        l.choice(input + "function", f.function, {"Not used", "Contact ID event", "SMS text"});
        l.choice(input + "contact", f.normallyClosed ? 1 : 0, {"NO", "NC"});
        l.flag(input + "24-hour event", f.event24h);
        l.flag(input + "Restore", f.restore);
        l.number(input + "violations", r.violations);
        l.number(input + "sensitivity", r.sensivity);
        l.number(input + "no-reaction time (s)", r.noSenseInterval);
        QStringList codes;
        for (const char c : r.cid)
            codes.append(QString::number(quint8(c)));
        l.add(input + "Contact ID", codes.join(QLatin1Char(' ')));
        l.text(input + "SMS text", r.smsText);
    }
    for (int n = 0; n < SettingsModel::OutputCount; ++n) {
        const OutputRecord &r = m.outputs[n];
        const QString output = QStringLiteral("Output %1 ").arg(n + 1);
        const OutputCrFields f = unpackOutputSettingsCR(r.cr);
        l.choice(output + "function", f.function,
                 {"Manual", "Arm", "Disarm", "Clear alarm", "Siren", "Arm status"});
        l.choice(output + "switching", f.pulse ? 1 : 0, {"Biswitch", "Pulse"});
        l.flag(output + "siren confirmation", f.sirenConfirmation);
        l.flag(output + "Inversion", f.inversion);
        l.number(output + "pulse length", r.impLength);
    }
}

void describeTexts(Lister &l, const SettingsModel &m)
{
    const char *const groups[TextsArea::NameGroups] = {"Zone", "Module", "User", "Partition",
                                                       "Output"};
    for (int g = 0; g < TextsArea::NameGroups; ++g) {
        for (int n = 0; n < TextsArea::groupSize(g + 1); ++n)
            l.text(QStringLiteral("%1 %2 name").arg(QLatin1String(groups[g])).arg(n + 1),
                   m.texts.itemNames[g][n]);
    }
    for (int n = 0; n < TextsArea::PhraseCount; ++n)
        l.text(QStringLiteral("Template phrase %1").arg(n + 1), m.texts.templatePhrases[n]);
    l.text("Additional SMS 1", m.texts.additionalTexts[0]);
    l.text("Additional SMS 2", m.texts.additionalTexts[1]);
    l.text("Help text", m.texts.helpText);
    // The phrase numbers of each zone's eight slots; "-" for an empty slot.
    for (int z = 0; z < ZoneVoiceArea::ZoneCount; ++z) {
        const QByteArray &record = m.zoneVoice.records[z];
        QStringList phrases;
        for (int k = 1; k <= 8; ++k) {
            const quint8 b = k < record.size() ? quint8(record.at(k)) : 0;
            phrases.append(b == 0 || b == 255 ? QStringLiteral("-") : QString::number(700 + b));
        }
        l.add(QStringLiteral("Zone %1 voice phrases").arg(z + 1), phrases.join(QLatin1Char(' ')));
    }
}

} // namespace

QList<NamedSetting> describeTemplate(const DecodedTemplate &decoded)
{
    Lister l;
    l.text("Language", decoded.languageName);
    describeGprs(l, decoded.model);
    describeModule(l, decoded.model, decoded.workMode);
    describeUsers(l, decoded.model);
    describeInputsAndOutputs(l, decoded.model);
    describeTexts(l, decoded.model);
    return l.list;
}

QStringList templateDifferences(const DecodedTemplate &a, const DecodedTemplate &b)
{
    const QList<NamedSetting> left = describeTemplate(a);
    const QList<NamedSetting> right = describeTemplate(b);
    QStringList lines;
    for (qsizetype k = 0; k < left.size() && k < right.size(); ++k) {
        if (left.at(k).value != right.at(k).value)
            lines.append(QStringLiteral("%1: %2 -> %3")
                             .arg(left.at(k).name, left.at(k).value, right.at(k).value));
    }
    return lines;
}

} // namespace ykt
