#include "templates/templatecodec.h"

#include "device/commands.h"
#include "settings/gprsfields.h"
#include "settings/securityfields.h"
#include "templates/templatelines.h"
#include "texts/helptext.h"
#include "util/conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ykt {

namespace {

// The widths of the fields the texts go into, in characters.
constexpr int ConnectionStringWidth = gprs::MaxConnectionStringLength;
constexpr int APNWidth = gprs::MaxApnLength;
constexpr int APNLoginWidth = gprs::MaxApnLoginLength;
constexpr int AccountWidth = gprs::MaxAccountLength;
constexpr int SecurityTextWidth = 16; // owner name, USB password
constexpr int PinWidth = 8;           // access PIN and SIM PIN
constexpr int SMSTextWidth = 50;      // input and additional SMS texts
constexpr int PhraseWidth = 16;
constexpr int NameWidth = 16;
constexpr int CIDBytes = 5;
constexpr int ZoneVoiceRecordBytes = 9;
constexpr int TemplatePhoneRecords = SettingsModel::PhoneRecordCount - SettingsModel::UserCount;

// YKT2CR bits a template line of its own carries, or the module reports.
constexpr quint32 SimPinBit = 1u << 6;
constexpr quint32 SimPinRejectedBit = 1u << 7;
constexpr quint32 LimitedTroubleSmsBit = 1u << 31;

// Item-name groups by FDNr - 1.
constexpr int ZoneNames = 0;
constexpr int ModuleNames = 1;
constexpr int UserNames = 2;
constexpr int PartitionNames = 3;
constexpr int PgmNames = 4;

const char *const AlarmServerKeys[] = {"AS_every_event",       "AS_event_log",
                                       "AS_motion_detection",  "AS_report_user_names",
                                       "AS_report_zone_names", "AS_save_event_log"};

QByteArray indexed(const char *name, int n)
{
    return QByteArray(name) + QByteArray::number(n);
}

class Writer
{
public:
    void text(const QByteArray &name, const QByteArray &value)
    {
        lines.append(makeNamedLine(name, singleLineText(value)));
    }
    void integer(const QByteArray &name, qint64 value)
    {
        lines.append(makeNamedLine(name, encodeInteger(qint32(value))));
    }
    void boolean(const QByteArray &name, bool value)
    {
        lines.append(makeNamedLine(name, encodeBoolean(value)));
    }

    QList<QByteArray> lines;
};

class Reader
{
public:
    Reader(const QList<QByteArray> &lines, DecodedTemplate *out) : m_values(lines), m_out(out) {}

    bool contains(const QByteArray &name) const { return m_values.contains(name); }
    QByteArray raw(const QByteArray &name) const { return m_values.value(name); }

    // A text cut to the field's width.
    QByteArray text(const QByteArray &name, int width)
    {
        const QByteArray value = raw(name);
        if (value.size() > width) {
            warn(name, QStringLiteral("longer than %1 characters, cut").arg(width));
            return value.left(width);
        }
        return value;
    }

    // Nothing (and an error) for a missing or non-numeric value.
    std::optional<qint32> integer(const QByteArray &name)
    {
        try {
            return decodeInteger(raw(name));
        } catch (const ConversionError &e) {
            m_out->errors.append({name, raw(name).isEmpty() && !contains(name)
                                            ? QStringLiteral("missing")
                                            : QString::fromLatin1(e.message())});
            return std::nullopt;
        }
    }

    // An integer brought into lo..hi; fallback when it cannot be read.
    int number(const QByteArray &name, int lo, int hi, int fallback)
    {
        const std::optional<qint32> value = integer(name);
        if (!value)
            return fallback;
        if (*value < lo || *value > hi) {
            warn(name, QStringLiteral("%1 is outside %2..%3").arg(*value).arg(lo).arg(hi));
            return std::clamp(int(*value), lo, hi);
        }
        return *value;
    }

    bool boolean(const QByteArray &name) const { return decodeBoolean(raw(name)); }

    void error(const QByteArray &name, const QString &text) { m_out->errors.append({name, text}); }
    void warn(const QByteArray &name, const QString &text) { m_out->warnings.append({name, text}); }

private:
    NamedValues m_values;
    DecodedTemplate *m_out;
};

QByteArray kissOffValue(quint16 wire, char separator)
{
    return encodeReal(kissOffTenths(wire) / 10.0, separator);
}

bool sameOptions(const AlarmServerOptions &a, const AlarmServerOptions &b)
{
    return a.eventLog == b.eventLog && a.everyEvent == b.everyEvent &&
           a.motionDetection == b.motionDetection && a.reportUserNames == b.reportUserNames &&
           a.reportZoneNames == b.reportZoneNames && a.saveEventLog == b.saveEventLog;
}

// --- Loading, area by area ---------------------------------------------------

void readGprs(Reader &r, SettingsModel &m, const SettingsModel &base, int firmwareVersion)
{
    m.gprs.connectionString = r.text("ConnectionString1", ConnectionStringWidth);
    m.gprs.connectionString2 = r.text("ConnectionString2", ConnectionStringWidth);
    m.gprs.apn = r.text("APN", APNWidth);
    m.gprs.apnUserName = r.text("UserName", APNLoginWidth);
    m.gprs.apnPassword = r.text("Password", APNLoginWidth);
    // The account lines are named the other way round: the first line holds
    // channel 2's account.
    m.gprs.reserveAccounts[1] = r.text("ReserveAccount1", AccountWidth);
    m.gprs.reserveAccounts[0] = r.text("ReserveAccount2", AccountWidth);

    const bool encryption = firmwareVersion >= FibroFirmware;
    if (const std::optional<qint32> cr = r.integer("CR")) {
        const int protocols = protocolCount(firmwareVersion);
        for (const int shift : {0, 4}) {
            const int code = int((quint32(*cr) >> shift) & 0x0F);
            if (code < 1 || code > protocols) {
                r.warn("CR", QStringLiteral("channel %1 protocol %2 is not offered, E2 taken")
                                 .arg(shift == 0 ? 1 : 2)
                                 .arg(code));
            }
        }
        TcpCrFields fields = unpackTCPCR(quint32(*cr), protocols);
        // The "Put same to PSTN" copies are not taken from a template, nor are
        // the encryption choices for a firmware that has none.
        const TcpCrFields old = unpackTCPCR(base.gprs.tcpcr, TcpCrFields::MaxProtocols);
        fields.channel1ToPstn = old.channel1ToPstn;
        fields.channel2ToPstn = old.channel2ToPstn;
        if (!encryption) {
            fields.channel1Encrypted = old.channel1Encrypted;
            fields.channel2Encrypted = old.channel2Encrypted;
        }
        m.gprs.tcpcr = packTCPCR(fields, true, FibroFirmware);
    }
    if (encryption) {
        for (int k = 0; k < 2; ++k) {
            const QByteArray name = indexed("EncryptionKey", k + 1);
            if (!r.contains(name))
                continue;
            const QByteArray text = r.text(name, gprs::KeyDigits);
            const std::optional<QByteArray> key = gprs::keyTextToBytes(QString::fromLatin1(text));
            if (key)
                m.gprs.aesKeys[k] = *key;
            else
                r.warn(name, QStringLiteral("not a hexadecimal key, the key is kept"));
        }
    }

    HeartbeatEvent event;
    event.enabled = r.boolean("HeartBeat_Event_ID_CB");
    event.code = r.text("HeartBeat_Event_ID", gprs::HeartbeatCodeLength);
    for (const char c : event.code) {
        if (hexDigit(c) < 0) {
            r.warn("HeartBeat_Event_ID",
                   QStringLiteral("'%1' is not a hexadecimal digit, 0 taken")
                       .arg(QString::fromLatin1(printableText(QByteArray(1, c)))));
        }
    }
    m.gprs.heartbeatEvent = packHeartbeatEvent(event);
}

void readUsers(Reader &r, SettingsModel &m)
{
    QByteArray pin;
    const QByteArray pinValue = r.raw("AccessPIN");
    for (const char c : pinValue) {
        if (c >= '0' && c <= '9')
            pin += c;
    }
    if (pin.size() != pinValue.size())
        r.warn("AccessPIN", QStringLiteral("only its digits are kept"));
    if (pin.size() > PinWidth) {
        r.warn("AccessPIN", QStringLiteral("longer than %1 digits, cut").arg(PinWidth));
        pin.truncate(PinWidth);
    }
    m.users.accessPin = packets::packAccessPIN(pin);

    for (int n = 0; n < SettingsModel::UserCount; ++n) {
        PhoneRecord &record = m.phones[n];
        record.cr = quint8(r.number(indexed("PnCR", n), 0, 255, record.cr));
        record.addCr = quint8(r.number(indexed("PnAddCR", n), 0, 255, record.addCr));
        record.number = r.text(indexed("PhoneNr", n), PhoneRecord::MaxNumberLength);
    }

    SmsPstnCrFields fields = unpackSMSPSTNCR(m.users.smsPstnCr);
    if (const std::optional<qint32> value = r.integer("SMSPSTNCR")) {
        const SmsPstnCrFields carried = unpackSMSPSTNCR(quint32(*value));
        fields.shortCallSeconds = carried.shortCallSeconds;
        fields.smsTestDays = carried.smsTestDays;
        fields.onlyRegistered = carried.onlyRegistered;
    }
    fields.limitedTroubleSms = r.boolean("Limited_Trouble_SMS");
    m.users.smsPstnCr = packSMSPSTNCR(fields);

    for (int n = 0; n < TemplatePhoneRecords; ++n) {
        PhoneRecord &record = m.phones[SettingsModel::FirstRemoteControlRecord + n];
        record.cr = quint8(r.number(indexed("PGMPnCR", n), 0, 255, record.cr));
        record.number = r.text(indexed("PGMPhonenumber", n), PhoneRecord::MaxNumberLength);
    }
}

void readSecurity(Reader &r, SettingsModel &m, const SettingsModel &base, DecodedTemplate &out)
{
    m.security.usbPassword = r.text("USBPass", SecurityTextWidth);
    m.security.ownerName = r.text("OwnerName", SecurityTextWidth);

    if (const std::optional<qint32> value = r.integer("YKT2CR")) {
        const int seconds = int((quint32(*value) >> 8) & 0xFFFF);
        if (seconds < Ykt2CrFields::MinHeartbeatSeconds ||
            seconds > Ykt2CrFields::MaxHeartbeatSeconds) {
            r.warn("YKT2CR", QStringLiteral("heartbeat period %1 s is outside %2..%3")
                                 .arg(seconds)
                                 .arg(Ykt2CrFields::MinHeartbeatSeconds)
                                 .arg(Ykt2CrFields::MaxHeartbeatSeconds));
        }
        Ykt2CrFields fields = unpackYKT2CR(quint32(*value));
        const Ykt2CrFields old = unpackYKT2CR(base.security.ykt2cr);
        fields.gprsProtected = old.gprsProtected; // never carried
        fields.simPin = old.simPin;               // a line of its own, below
        fields.workMode = old.workMode;           // a word of its own, below
        // Bit 7 is the module's report on the SIM PIN, kept for the page.
        m.security.ykt2cr = packYKT2CR(fields) | (base.security.ykt2cr & SimPinRejectedBit);
    }
    out.workMode = workModeFromWord(r.raw("WorkMode"));
    m.security.ykt2cr = withWorkMode(m.security.ykt2cr, out.workMode);
    if (r.boolean("SIM_PIN_CB"))
        m.security.ykt2cr |= SimPinBit;
    else
        m.security.ykt2cr &= ~SimPinBit;
    m.security.simPin = r.text("SIM_PIN", PinWidth);

    // Written with the saving user's decimal separator, which need not be
    // this user's: a point and a comma are both read.
    const QByteArray kiss = r.raw("KISS_OFF");
    constexpr double NotRead = std::numeric_limits<double>::quiet_NaN();
    double seconds = decodeReal(kiss, '.', NotRead);
    if (std::isnan(seconds))
        seconds = decodeReal(kiss, ',', NotRead);
    if (std::isnan(seconds)) {
        if (r.contains("KISS_OFF"))
            r.warn("KISS_OFF", QStringLiteral("not a number, 0.8 s taken"));
        seconds = KissOff::DefaultTenths / 10.0;
    }
    const double tenths = std::round(std::clamp(seconds, -1.0, 100.0) * 10);
    if (tenths < KissOff::MinTenths || tenths > KissOff::MaxTenths)
        r.warn("KISS_OFF", QStringLiteral("outside 0.8..1.5 s"));
    m.security.pstnKissOff = kissOffWire(int(tenths));

    // Templates of older copies of the program have no alarm server lines:
    // the options then keep their values.
    const bool alarmServer = std::any_of(std::begin(AlarmServerKeys), std::end(AlarmServerKeys),
                                         [&](const char *key) { return r.contains(key); });
    if (alarmServer) {
        AlarmServerOptions options;
        const auto interval = [&](const char *key) {
            const std::optional<qint32> value = r.integer(key);
            if (value && (*value < 0 || *value >= AlarmServerOptions::IntervalCount)) {
                r.warn(key, QStringLiteral("%1 is not in the list, \"No\" taken").arg(*value));
                return 0;
            }
            return value.value_or(0);
        };
        options.everyEvent = r.boolean("AS_every_event");
        options.eventLog = interval("AS_event_log");
        options.motionDetection = interval("AS_motion_detection");
        options.reportUserNames = r.boolean("AS_report_user_names");
        options.reportZoneNames = r.boolean("AS_report_zone_names");
        options.saveEventLog = r.boolean("AS_save_event_log");
        QByteArray block = base.security.alarmSettings;
        // Without a block from the module the options have no place but a new
        // one; it is made only when there is something to keep.
        if (block.size() < AlarmServerOptions::BlockSize &&
            !sameOptions(options, AlarmServerOptions()))
            block = block.leftJustified(AlarmServerOptions::BlockSize, '\0');
        m.security.alarmSettings = mergeAlarmSettings(block, options);
    }
}

void readInputsAndOutputs(Reader &r, SettingsModel &m)
{
    for (int n = 0; n < SettingsModel::InputCount; ++n) {
        InputRecord &input = m.inputs[n];
        input.cr = quint8(r.number(indexed("InputSettingsCR", n), 0, 255, input.cr));
        input.violations = quint8(r.number(indexed("Violations", n), 0, 255, input.violations));
        input.sensivity = quint8(r.number(indexed("Sensivity", n), 0, 255, input.sensivity));
        input.noSenseInterval =
            quint16(r.number(indexed("NoSenseInterval", n), 0, 0xFFFF, input.noSenseInterval));
        const QByteArray cidName = indexed("CID", n);
        try {
            const QList<qint32> codes = decodeTabList(r.raw(cidName), CIDBytes);
            QByteArray cid;
            for (const qint32 code : codes) {
                if (code < 0 || code > 255)
                    throw ConversionError("Contact ID piece " + QByteArray::number(code) +
                                          " is outside 0..255");
                cid.append(char(code));
            }
            input.cid = cid;
        } catch (const ConversionError &e) {
            r.error(cidName, QString::fromLatin1(e.message()));
        }
        input.smsText = r.text(indexed("InputSMSPhrase", n), SMSTextWidth);
    }
    for (int n = 0; n < SettingsModel::OutputCount; ++n) {
        OutputRecord &output = m.outputs[n];
        output.cr = quint8(r.number(indexed("OutputSettingsCR", n), 0, 255, output.cr));
        output.impLength = quint16(r.number(indexed("ImpLength", n), 0, 0xFFFF, output.impLength));
    }
}

void readTexts(Reader &r, SettingsModel &m)
{
    m.texts.additionalTexts[0] = r.text("AdditionalSMS0", SMSTextWidth);
    m.texts.additionalTexts[1] = r.text("AdditionalSMS1", SMSTextWidth);
    auto &names = m.texts.itemNames;
    for (int n = 0; n < TextsArea::NamesPerGroup; ++n) {
        names[ZoneNames][n] = r.text(indexed("Zone", n), NameWidth);
        names[UserNames][n] = r.text(indexed("User", n), NameWidth);
        if (n < TextsArea::groupSize(ModuleNames + 1))
            names[ModuleNames][n] = r.text(indexed("Module", n), NameWidth);
        if (n < TextsArea::groupSize(PgmNames + 1))
            names[PgmNames][n] = r.text(indexed("Pgm", n), NameWidth);
        if (n < TextsArea::groupSize(PartitionNames + 1))
            names[PartitionNames][n] = r.text(indexed("Partition", n), NameWidth);
    }
    for (int n = 0; n < TextsArea::PhraseCount; ++n)
        m.texts.templatePhrases[n] = r.text(indexed("SMSPhrase", n), PhraseWidth);
    m.texts.helpText = r.text("Help_Text", HelpTextMaxLength);
}

void readZoneVoice(Reader &r, SettingsModel &m)
{
    // Zone by zone while there is a value: a gap ends the list.
    for (int z = 0;; ++z) {
        const QByteArray name = indexed("ZoneVoiceData", z);
        const QByteArray value = r.raw(name);
        if (value.isEmpty())
            break;
        QByteArray record;
        try {
            record = decodeHexBytes(value);
        } catch (const ConversionError &e) {
            r.error(name, QString::fromLatin1(e.message()));
            continue;
        }
        // The record names its zone itself, as one from the module does.
        if (record.size() < ZoneVoiceRecordBytes) {
            r.warn(name,
                   QStringLiteral("shorter than %1 bytes, ignored").arg(ZoneVoiceRecordBytes));
            continue;
        }
        const int zone = quint8(record.at(0));
        if (zone >= ZoneVoiceArea::ZoneCount) {
            r.warn(name, QStringLiteral("zone %1 does not exist, ignored").arg(zone));
            continue;
        }
        m.zoneVoice.records[zone] = record.left(ZoneVoiceRecordBytes);
    }
}

} // namespace

QByteArray workModeWord(WorkMode mode)
{
    switch (mode) {
    case WorkMode::AdvancedCommunicator:
        return "advanced";
    case WorkMode::Magellan:
        return "paradox";
    case WorkMode::Communicator:
        break;
    }
    return "communicator";
}

WorkMode workModeFromWord(const QByteArray &word)
{
    const QByteArray lower = AsciiLower(word);
    if (lower == "advanced")
        return WorkMode::AdvancedCommunicator;
    if (lower == "paradox")
        return WorkMode::Magellan;
    return WorkMode::Communicator;
}

QByteArray accessPinText(quint32 word)
{
    const QByteArray hex = QByteArray::number(word, 16).toUpper().rightJustified(8, '0');
    const qsizetype f = hex.indexOf('F');
    return f < 0 ? hex : hex.left(f);
}

QList<QByteArray> encodeTemplate(const SettingsModel &m, const TemplateContext &context)
{
    const int firmware = context.firmwareVersion;
    const bool encryption = firmware >= FibroFirmware;
    Writer w;
    w.text("Language", context.languageName);
    w.text("Loader_Version", kTemplateLoaderVersion);
    w.text("ConnectionString1", m.gprs.connectionString);
    w.text("ConnectionString2", m.gprs.connectionString2);
    w.text("APN", m.gprs.apn);
    w.text("UserName", m.gprs.apnUserName);
    w.text("Password", context.settingsLocked ? QByteArray() : m.gprs.apnPassword);
    w.text("USBPass", m.security.usbPassword);
    w.text("ReserveAccount1", m.gprs.reserveAccounts[1]);
    w.text("ReserveAccount2", m.gprs.reserveAccounts[0]);
    w.text("OwnerName", m.security.ownerName);
    w.text("AccessPIN", accessPinText(m.users.accessPin));
    // The registers as the pages show them, packed again with only the bits
    // a template carries.
    w.integer("CR", packTCPCR(unpackTCPCR(m.gprs.tcpcr, protocolCount(firmware)),
                              context.pstnBoxesShown, firmware) &
                        kTemplateTcpCrBits);
    const Ykt2CrFields ykt2 = unpackYKT2CR(m.security.ykt2cr);
    w.integer("YKT2CR", packYKT2CR(ykt2) & kTemplateYkt2CrBits);
    if (encryption) {
        w.text("EncryptionKey1", gprs::keyBytesToText(m.gprs.aesKeys[0]).toLatin1());
        w.text("EncryptionKey2", gprs::keyBytesToText(m.gprs.aesKeys[1]).toLatin1());
    }
    for (int n = 0; n < SettingsModel::UserCount; ++n) {
        w.integer(indexed("PnCR", n), m.phones[n].cr);
        w.integer(indexed("PnAddCR", n), m.phones[n].addCr);
        w.text(indexed("PhoneNr", n), m.phones[n].number);
    }
    const SmsPstnCrFields sms = unpackSMSPSTNCR(m.users.smsPstnCr);
    w.integer("SMSPSTNCR", packSMSPSTNCR(sms) & kTemplateSmsPstnCrBits);
    for (int n = 0; n < SettingsModel::InputCount; ++n) {
        const InputRecord &input = m.inputs[n];
        w.integer(indexed("InputSettingsCR", n), input.cr);
        w.integer(indexed("Sensivity", n), input.sensivity);
        w.integer(indexed("Violations", n), input.violations);
        w.integer(indexed("NoSenseInterval", n), input.noSenseInterval);
        QList<qint32> codes;
        for (int k = 0; k < CIDBytes; ++k)
            codes.append(k < input.cid.size() ? quint8(input.cid.at(k)) : 0);
        w.lines.append(makeNamedLine(indexed("CID", n), encodeTabList(codes)));
        w.text(indexed("InputSMSPhrase", n), input.smsText);
    }
    for (int n = 0; n < SettingsModel::OutputCount; ++n) {
        w.integer(indexed("OutputSettingsCR", n), m.outputs[n].cr);
        w.integer(indexed("ImpLength", n), m.outputs[n].impLength);
    }
    w.text("AdditionalSMS0", m.texts.additionalTexts[0]);
    w.text("AdditionalSMS1", m.texts.additionalTexts[1]);
    for (int n = 0; n < TemplatePhoneRecords; ++n) {
        const PhoneRecord &record = m.phones[SettingsModel::FirstRemoteControlRecord + n];
        w.integer(indexed("PGMPnCR", n), record.cr);
        w.text(indexed("PGMPhonenumber", n), record.number);
    }
    const auto &names = m.texts.itemNames;
    for (int n = 0; n < TextsArea::NamesPerGroup; ++n) {
        w.text(indexed("Zone", n), names[ZoneNames][n]);
        w.text(indexed("User", n), names[UserNames][n]);
        if (n < TextsArea::groupSize(ModuleNames + 1))
            w.text(indexed("Module", n), names[ModuleNames][n]);
        if (n < TextsArea::groupSize(PgmNames + 1))
            w.text(indexed("Pgm", n), names[PgmNames][n]);
        if (n < TextsArea::groupSize(PartitionNames + 1))
            w.text(indexed("Partition", n), names[PartitionNames][n]);
    }
    for (int n = 0; n < TextsArea::PhraseCount; ++n)
        w.text(indexed("SMSPhrase", n), m.texts.templatePhrases[n]);
    w.text("Help_Text", m.texts.helpText);
    const HeartbeatEvent event = unpackHeartbeatEvent(m.gprs.heartbeatEvent);
    w.boolean("HeartBeat_Event_ID_CB", event.enabled);
    w.text("HeartBeat_Event_ID", event.code);
    w.text("WorkMode", workModeWord(context.workMode.value_or(workModeOf(m.security.ykt2cr))));
    w.boolean("SIM_PIN_CB", (m.security.ykt2cr & SimPinBit) != 0);
    w.text("SIM_PIN", m.security.simPin);
    w.boolean("Limited_Trouble_SMS", (m.users.smsPstnCr & LimitedTroubleSmsBit) != 0);
    w.lines.append(
        makeNamedLine("KISS_OFF", kissOffValue(m.security.pstnKissOff, context.decimalSeparator)));
    // The zone voice list always holds every zone; one never reported has no
    // phrases.
    for (int z = 0; z < ZoneVoiceArea::ZoneCount; ++z) {
        QByteArray record(ZoneVoiceRecordBytes, '\0');
        record[0] = char(z);
        const QByteArray &held = m.zoneVoice.records[z];
        for (int k = 1; k < ZoneVoiceRecordBytes && k < held.size(); ++k)
            record[k] = held.at(k);
        w.lines.append(makeNamedLine(indexed("ZoneVoiceData", z), encodeHexBytes(record)));
    }
    const AlarmServerOptions options =
        unpackAlarmSettings(m.security.alarmSettings).value_or(AlarmServerOptions());
    w.boolean("AS_every_event", options.everyEvent);
    w.integer("AS_event_log", options.eventLog);
    w.integer("AS_motion_detection", options.motionDetection);
    w.boolean("AS_report_user_names", options.reportUserNames);
    w.boolean("AS_report_zone_names", options.reportZoneNames);
    w.boolean("AS_save_event_log", options.saveEventLog);
    return w.lines;
}

DecodedTemplate decodeTemplate(const QList<QByteArray> &lines, const SettingsModel &base,
                               int firmwareVersion)
{
    DecodedTemplate out;
    out.model = base;
    Reader r(lines, &out);
    out.languageName = r.raw("Language");
    readGprs(r, out.model, base, firmwareVersion);
    readUsers(r, out.model);
    readSecurity(r, out.model, base, out);
    readInputsAndOutputs(r, out.model);
    readTexts(r, out.model);
    readZoneVoice(r, out.model);
    return out;
}

} // namespace ykt
