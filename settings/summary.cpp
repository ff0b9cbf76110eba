#include "settings/summary.h"

#include "device/commands.h"
#include "localization/codepages.h"
#include "localization/languagefile.h"
#include "settings/gprsfields.h"
#include "settings/inputfields.h"
#include "settings/outputfields.h"
#include "settings/securityfields.h"
#include "texts/examplesms.h"

namespace ykt {

namespace {

constexpr QChar Tab = QLatin1Char('\t');

// Messages of the summary.
enum Message
{
    YesMessage = 30,
    NoMessage = 31,
    UsersHeading = 75,
    GprsHeading = 57,
    AddressCaption = 76,
    InputsHeading = 59,
    RestoreWord = 77,
    ParametersCaption = 78,
    OutputsHeading = 61,
    RemoteHeading = 79,
    SecurityHeading = 65,
    ModemHeading = 67,
    HourWord = 83,
    MinuteWord = 84,
    SecondWord = 85,
    OcPrefix = 87,
    RelayPrefix = 88,
    OnWord = 153,
    OffWord = 154,
};

constexpr int SendCid = 1;
constexpr int SendSms = 2;

constexpr const char *ContactTypes[] = {"NO", "NC"};

// One user flag: its register, bit and control.
struct UserEntry
{
    bool addCr;
    int bit;
    const char *component;
    const char *fallback;
};
constexpr UserEntry UserEntries[] = {
    {false, 0, "TntCheckBox5", "Arming SMS"},
    {false, 1, "TntCheckBox6", "Disarming SMS"},
    {false, 2, "TntCheckBox7", "Call on Alarm"},
    {false, 3, nullptr, "Android"},
    {false, 4, "TntCheckBox22", "Mandatory Call"},
    {false, 5, nullptr, "Periodic SMS test"},
    {false, 6, "TntCheckBox23", "Alarm SMS"},
    {false, 7, nullptr, "Trouble SMS"},
    {true, 0, "TntCheckBox29", "Bypass raports"},
    {true, 1, "TntCheckBox30", "PGM State raports"},
    {true, 2, "TntCheckBox31", "Forward unknown SMS"},
    {true, 3, "TntCheckBox32", "Change arm state on short call"},
    {true, 4, "TntCheckBox38", "SMS backup"},
    {true, 5, "TntCheckBox39", "Prohibit module control"},
    {true, 6, nullptr, "iPhone"},
    {true, 7, "TntCheckBox54", "Push notifications"},
};

QString withColon(const QString &caption)
{
    return caption.endsWith(QLatin1Char(':')) ? caption : caption + QLatin1Char(':');
}

class Writer
{
public:
    Writer(const SettingsModel &model, const SummaryContext &context, const SummaryTexts &texts)
        : m(model), c(context), t(texts)
    {}

    Summary build()
    {
        add(SummaryPiece::Kind::PlainLine, QStringLiteral(" "));
        workMode();
        users();
        gprs();
        inputs();
        if (!c.basicModel)
            outputs();
        remoteControl();
        if (!c.settingsLocked)
            security();
        modem();
        alarmServer();
        return m_out;
    }

private:
    using Kind = SummaryPiece::Kind;

    void add(Kind kind, const QString &text = QString()) { m_out.append({kind, text}); }
    void heading(const QString &text) { add(Kind::Heading, text); }
    void label(const QString &text) { add(Kind::Label, text); }
    void value(const QString &text) { add(Kind::Value, text); }
    void plain(const QString &text) { add(Kind::PlainLine, text); }
    void blank() { add(Kind::BlankLine); }
    void separator() { add(Kind::Separator); }
    // A caption, TAB and the value on a line of its own, indented twice.
    void plainSetting(const QString &caption, const QString &text)
    {
        plain(QString(2, Tab) + caption + Tab + text);
    }
    // A bold caption indented twice, then the value.
    void labelled(const QString &caption, const QString &text)
    {
        label(QString(2, Tab) + caption + Tab);
        value(text);
    }

    QString caption(const char *component, const char *fallback) const
    {
        return t.caption(component, fallback);
    }
    QString message(int n) const { return t.message(n); }
    QString yesNo(bool on) const { return message(on ? YesMessage : NoMessage); }
    QString onOff(bool on) const { return message(on ? OnWord : OffWord); }

    void workMode()
    {
        const char *radio = "TntRadioButton10";
        const char *fallback = "Communicator";
        if (c.workMode == WorkMode::AdvancedCommunicator) {
            radio = "TntRadioButton11";
            fallback = "Advanced communicator";
        } else if (c.workMode == WorkMode::Magellan) {
            radio = "TntRadioButton12";
            fallback = "Magellan";
        }
        plain(Tab + caption("TntLabel32", "YKT Type") + QLatin1Char(':') + Tab +
              caption(radio, fallback));
    }

    QString userEntry(const UserEntry &e) const
    {
        if (e.component)
            return caption(e.component, e.fallback) + QLatin1Char(';');
        if (e.bit == 3 || e.bit == 6) {
            const int smartphone = e.bit == 3 ? 1 : 2;
            return caption("TntLabelSmartphone", "Smartphone:") +
                   t.item("TntComboBox17", smartphone, e.fallback) + QLatin1Char(';');
        }
        if (e.bit == 5) {
            const int days = unpackSMSPSTNCR(m.users.smsPstnCr).smsTestDays;
            return caption("TntCheckBox9", e.fallback) + QLatin1Char(' ') + QString::number(days) +
                   QLatin1Char(' ') + caption("TntLabelDays", "days") + QLatin1Char(';');
        }
        // Trouble SMS.
        QString text = caption("TntCheckBox24", e.fallback);
        if (unpackSMSPSTNCR(m.users.smsPstnCr).limitedTroubleSms)
            return text + QStringLiteral(" (") + caption("TntCheckBox27", "Limited trouble SMS") +
                   QStringLiteral(");");
        return text + QLatin1Char(';');
    }

    void users()
    {
        bool any = false;
        for (int r = 0; r < SettingsModel::UserCount; ++r)
            any = any || !m.phones[size_t(r)].number.isEmpty();
        if (!any)
            return;
        separator();
        heading(message(UsersHeading));
        for (int r = 0; r < SettingsModel::UserCount; ++r) {
            const PhoneRecord &p = m.phones[size_t(r)];
            if (p.number.isEmpty())
                continue;
            blank();
            label(QString(2, Tab) + t.text(p.number) + QLatin1Char(':') + Tab);
            bool first = true;
            for (const UserEntry &e : UserEntries) {
                const quint8 bits = e.addCr ? p.addCr : p.cr;
                if (!(bits & (1 << e.bit)))
                    continue;
                if (first)
                    value(userEntry(e));
                else
                    plain(QString(3, Tab) + userEntry(e));
                first = false;
            }
        }
        blank();
        plainSetting(caption("TntLabelAccessPIN", "YKT3 access PIN for all users:"),
                     QString::fromLatin1(packets::unpackAccessPIN(m.users.accessPin)));
    }

    QString account(int channel) const { return t.text(m.gprs.reserveAccounts[size_t(channel)]); }

    void gprs()
    {
        const TcpCrFields f = unpackTCPCR(m.gprs.tcpcr, protocolCount(c.firmwareVersion));
        const bool used[2] = {f.channel1Used, f.channel2Use != 0};
        if (!used[0] && !used[1])
            return;
        separator();
        heading(withColon(message(GprsHeading)));
        const char *groups[2] = {"TntGroupBoxChannel1", "TntGroupBoxChannel2"};
        const char *groupDefaults[2] = {"Channel 1", "Channel 2"};
        const char *accounts[2] = {"TntLabelChannel1Account", "TntLabelChannel2Account"};
        if (c.settingsLocked) {
            for (int ch = 0; ch < 2; ++ch) {
                blank();
                label(QString(2, Tab) + caption(groups[ch], groupDefaults[ch]) + Tab);
                label(QString(2, Tab) + caption(accounts[ch], "Account:") + Tab);
                value(account(ch));
            }
            return;
        }
        const char *uses[2] = {"ComboBox4", "ComboBox2"};
        const char *useDefaults[3] = {"Not used", "Used", "Reserve"};
        const char *protocols[2] = {"ComboBox1", "ComboBox3"};
        const char *protocolLabels[2] = {"TntLabelChannel1Protocol", "TntLabelChannel2Protocol"};
        const int useIndex[2] = {f.channel1Used ? 1 : 0, qBound(0, f.channel2Use, 2)};
        const int protocol[2] = {f.channel1Protocol, f.channel2Protocol};
        const QByteArray strings[2] = {m.gprs.connectionString, m.gprs.connectionString2};
        for (int ch = 0; ch < 2; ++ch) {
            if (!used[ch])
                continue;
            blank();
            label(QString(2, Tab) + caption(groups[ch], groupDefaults[ch]) + Tab);
            value(t.item(uses[ch], useIndex[ch], useDefaults[useIndex[ch]]));
            const gprs::Station station = gprs::splitConnectionString(strings[ch]);
            labelled(withColon(message(AddressCaption)),
                     t.text(station.address) + QLatin1Char(':') + t.text(station.port));
            const int p = qBound(0, protocol[ch], TcpCrFields::MaxProtocols - 1);
            labelled(caption(protocolLabels[ch], "Protocol:"),
                     t.item(protocols[ch], p, ProtocolNames[p]));
            labelled(caption(accounts[ch], "Account:"), account(ch));
        }
        blank();
        labelled(caption("TntLabelApn", "APN:"), t.text(m.gprs.apn));
        labelled(caption("TntLabelApnUserName", "APN user name:"), t.text(m.gprs.apnUserName));
        labelled(caption("TntLabelApnPassword", "APN password:"), t.text(m.gprs.apnPassword));
        const Ykt2CrFields y = unpackYKT2CR(m.security.ykt2cr);
        if (y.heartbeatCheck) {
            blank();
            plainSetting(withColon(caption("TntCheckBox13", "HeartBeat check enabled")),
                         QString::number(y.heartbeatSeconds) + QLatin1Char(' ') +
                             caption("TntLabelHeartbeatSec", "sec"));
        }
        const HeartbeatEvent event = unpackHeartbeatEvent(m.gprs.heartbeatEvent);
        if (event.enabled) {
            blank();
            plainSetting(withColon(caption("TntCheckBox33", "HeartBeat Event ID:")),
                         QString::fromLatin1(event.code));
        }
    }

    bool inputShown(int i) const
    {
        // The Advanced communicator has no inputs 5 and 6.
        return !(c.workMode == WorkMode::AdvancedCommunicator && i >= 4);
    }

    // The example SMS the input's event gives, as the Inputs page shows it.
    std::optional<QString> example(int i, const TCIDDescription &event) const
    {
        const TCIDInputCode code = DecodeCIDBytes(m.inputs[size_t(i)].cid);
        const TPickerEntry group =
            withStoredValue(configuredEntry(TPickerEntry(), event.GroupKind, i), code.Group);
        const TPickerEntry zone =
            withStoredValue(configuredEntry(TPickerEntry(), event.ZoneKind, i), code.Zone);
        const std::optional<QByteArray> text =
            BuildExampleSms(event.Code, m.texts.templatePhrases, entryName(m.texts, group),
                            entryName(m.texts, zone));
        if (!text)
            return std::nullopt;
        return t.text(*text);
    }

    void inputs()
    {
        bool any = false;
        for (int i = 0; i < SettingsModel::InputCount; ++i)
            any = any || (inputShown(i) && unpackInputSettingsCR(m.inputs[size_t(i)].cr).function);
        if (!any)
            return;
        separator();
        heading(withColon(message(InputsHeading)));
        for (int i = 0; i < SettingsModel::InputCount; ++i) {
            const InputRecord &r = m.inputs[size_t(i)];
            const InputCrFields f = unpackInputSettingsCR(r.cr);
            if (!f.function || !inputShown(i))
                continue;
            const InputComponentNames &n = InputComponents[size_t(i)];
            const QByteArray groupDefault = "Input " + QByteArray::number(i + 1);
            // A function the page does not offer shows no entry.
            QString function;
            if (f.function == SendCid || f.function == SendSms) {
                function = message(InputFunctionMessages[size_t(f.function)]);
                if (function.isEmpty())
                    function = QLatin1String(InputFunctionDefaults[size_t(f.function)]);
            }
            blank();
            add(Kind::BlueLine,
                Tab + caption(n.box, groupDefault.constData()) + QStringLiteral(" - ") + function);
            if (f.function == SendCid) {
                const int e = c.events ? FindCIDByCode(*c.events, r.cid) : -1;
                const TCIDDescription *event = e >= 0 ? &c.events->at(e) : nullptr;
                QString text = event ? t.text(event->Text) : QString();
                if (f.restore)
                    text += QLatin1Char(' ') + message(RestoreWord);
                label(QString(2, Tab) + QStringLiteral("CID:") + Tab);
                value(text);
                if (const std::optional<QString> sms = event ? example(i, *event) : std::nullopt)
                    labelled(caption(n.smsMark, "SMS"), *sms);
            } else if (f.function == SendSms) {
                if (!r.smsText.isEmpty())
                    labelled(caption(n.smsMark, "SMS"), t.text(r.smsText));
            } else {
                continue;
            }
            const int type = f.normallyClosed ? 1 : 0;
            labelled(withColon(message(ParametersCaption)),
                     caption("Label1", "Type") + QLatin1Char(' ') +
                         t.item(n.type, type, ContactTypes[type]) + QLatin1Char(';'));
            plain(QString(3, Tab) + caption("Label2", "Sensivity") + QLatin1Char(' ') +
                  QString::number(sensitivityMsOf(r.sensivity)) + QLatin1Char(' ') +
                  caption("Label3", "ms") + QLatin1Char(';'));
            plain(QString(3, Tab) + caption("Label90", "No reaction") + QLatin1Char(' ') +
                  summaryDuration(r.noSenseInterval, t) + QLatin1Char(';'));
        }
    }

    void outputs()
    {
        separator();
        heading(withColon(message(OutputsHeading)));
        int count = SettingsModel::OutputCount;
        if (c.workMode == WorkMode::AdvancedCommunicator)
            count = 1;
        else if (c.relayLess)
            count = 2;
        const QString oc = message(OcPrefix).isEmpty() ? QStringLiteral("OC") : message(OcPrefix);
        const QString relay =
            message(RelayPrefix).isEmpty() ? QStringLiteral("Relay") : message(RelayPrefix);
        for (int i = 0; i < count; ++i) {
            const OutputCrFields f = unpackOutputSettingsCR(m.outputs[size_t(i)].cr);
            const QString function = isOfferedFunction(f.function)
                                         ? message(OutputFunctionMessages[size_t(f.function)])
                                         : QString();
            blank();
            add(Kind::BlueLine, Tab + outputCaption(i, c.ykt3Type, oc, relay).group +
                                    QStringLiteral(" - ") + function);
            if (f.pulse)
                labelled(withColon(message(ParametersCaption)),
                         caption("TntRadioButton1", "Pulse") + QLatin1Char(' ') +
                             caption("Label64", "Duration:") + QLatin1Char(' ') +
                             summaryDuration(m.outputs[size_t(i)].impLength, t) + QLatin1Char(';'));
            else
                labelled(withColon(message(ParametersCaption)),
                         caption("TntRadioButton2", "Biswitch") + QLatin1Char(';'));
            // Siren confirmation shows for a siren output only.
            if (f.function == SirenFunction)
                labelled(
                    withColon(caption(OutputComponents[size_t(i)].siren, "Siren confirmation")),
                    onOff(f.sirenConfirmation));
            labelled(withColon(caption(OutputComponents[size_t(i)].inversion, "Inversion")),
                     onOff(f.inversion));
        }
    }

    void remoteControl()
    {
        const int first = SettingsModel::FirstRemoteControlRecord;
        const int last = first + SettingsModel::RemoteControlCount;
        bool any = false;
        for (int r = first; r < last; ++r)
            any = any || !m.phones[size_t(r)].number.isEmpty();
        if (!any)
            return;
        separator();
        heading(withColon(message(RemoteHeading)));
        for (int r = first; r < last; ++r) {
            const PhoneRecord &p = m.phones[size_t(r)];
            if (p.number.isEmpty())
                continue;
            QString outputs;
            for (int o = 0; o < SettingsModel::OutputCount; ++o) {
                if (p.cr & outputMaskBit(o))
                    outputs += caption(RemoteOutputBoxNames[size_t(o)],
                                       RemoteOutputBoxCaptions[size_t(o)]) +
                               QStringLiteral("; ");
            }
            blank();
            labelled(t.text(p.number) + QLatin1Char(':'), outputs);
        }
    }

    void security()
    {
        const Ykt2CrFields y = unpackYKT2CR(m.security.ykt2cr);
        const QByteArray &owner = m.security.ownerName;
        if (owner.isEmpty() && !y.usbPassword && !y.gprsProtected)
            return;
        separator();
        heading(message(SecurityHeading));
        if (!owner.isEmpty()) {
            blank();
            plainSetting(caption("TntLabelOwnerName", "YKT3 owner name:"), t.text(owner));
        }
        const QString password = t.text(m.security.usbPassword);
        if (y.usbPassword) {
            blank();
            plainSetting(withColon(caption("TntCheckBox3", "Use password on USB connect")),
                         password);
        }
        if (y.gprsProtected) {
            blank();
            plainSetting(withColon(caption("TntCheckBox41",
                                           "Use password to prevent GPRS Settings changing")),
                         password);
        }
    }

    void modem()
    {
        const Ykt2CrFields y = unpackYKT2CR(m.security.ykt2cr);
        separator();
        heading(message(ModemHeading));
        if (y.simPin) {
            blank();
            plainSetting(withColon(caption("TntCheckBox28", "Use SIM PIN")),
                         t.text(m.security.simPin));
        }
        blank();
        plainSetting(caption("TntLabelModemRestart", "Modem restart every (hour):"),
                     QString::number(y.modemRestartHours));
        blank();
        plainSetting(withColon(caption("TntCheckBox40", "Show TCP statistics")),
                     yesNo(y.tcpStatistics));
    }

    void alarmServer()
    {
        const AlarmServerOptions o =
            unpackAlarmSettings(m.security.alarmSettings).value_or(AlarmServerOptions());
        const char *intervals[AlarmServerOptions::IntervalCount] = {"No", "10 minutes", "1 hour",
                                                                    "24 hours", "Every week"};
        const auto interval = [&](const char *list, int index) {
            const int k = qBound(0, index, AlarmServerOptions::IntervalCount - 1);
            return t.item(list, k, intervals[k]);
        };
        separator();
        heading(caption("TntGroupBox18", "Alarm server reporting"));
        blank();
        plainSetting(withColon(caption("TntCheckBox53", "Every event")), onOff(o.everyEvent));
        if (!o.everyEvent)
            plainSetting(withColon(caption("TntLabelEventLog", "Event log:")),
                         interval("TntComboBox15", o.eventLog));
        plainSetting(withColon(caption("TntLabelMotionDetection", "Motion detection:")),
                     interval("TntComboBox16", o.motionDetection));

        separator();
        heading(caption("TntGroupBox17", "Alarm server privacy"));
        blank();
        plainSetting(withColon(caption("TntCheckBox50", "Report user names")),
                     onOff(o.reportUserNames));
        plainSetting(withColon(caption("TntCheckBox51", "Report zone names")),
                     onOff(o.reportZoneNames));
        plainSetting(withColon(caption("TntCheckBox52", "Save event log")), onOff(o.saveEventLog));
    }

    const SettingsModel &m;
    const SummaryContext &c;
    const SummaryTexts &t;
    Summary m_out;
};

const tkomponentas *findComponent(const tkalba &language, const char *component)
{
    const QByteArray name(component);
    for (const tforma &form : language.forms) {
        for (const tkomponentas &k : form.components) {
            if (k.name == name)
                return &k;
        }
    }
    return nullptr;
}

bool isChoiceList(const tkomponentas &k)
{
    const QByteArray c = k.className.toLower();
    return c == "tcombobox" || c == "ttntcombobox";
}

} // namespace

LanguageSummaryTexts::LanguageSummaryTexts(const tkalba &language) : m_language(language) {}

QString LanguageSummaryTexts::caption(const char *component, const char *fallback) const
{
    const tkomponentas *k = findComponent(m_language, component);
    if (!k || k->text1.isEmpty() || isChoiceList(*k))
        return QString::fromUtf8(fallback);
    return text(k->text1);
}

QString LanguageSummaryTexts::item(const char *component, int index, const char *fallback) const
{
    const tkomponentas *k = findComponent(m_language, component);
    if (k && isChoiceList(*k)) {
        const QList<QByteArray> items = SplitItems(k->text1);
        if (index >= 0 && index < items.size())
            return text(items.at(index));
    }
    return QString::fromUtf8(fallback);
}

QString LanguageSummaryTexts::message(int number) const
{
    if (number < 1 || number > m_language.messages.size())
        return QString();
    return text(m_language.messages.at(number - 1));
}

QString LanguageSummaryTexts::text(const QByteArray &bytes) const
{
    return ToUnicode(bytes, CodePageOfCharset(m_language.charset));
}

Summary buildSummary(const SettingsModel &model, const SummaryContext &context,
                     const SummaryTexts &texts)
{
    return Writer(model, context, texts).build();
}

QString summaryDuration(int seconds, const SummaryTexts &texts)
{
    const int h = seconds / 3600;
    const int m = seconds % 3600 / 60;
    const int s = seconds % 60;
    QString text;
    if (h > 0)
        text += QLatin1Char(' ') + QString::number(h) + QLatin1Char(' ') + texts.message(HourWord);
    if (m > 0)
        text +=
            QLatin1Char(' ') + QString::number(m) + QLatin1Char(' ') + texts.message(MinuteWord);
    text += QLatin1Char(' ') + QString::number(s) + QLatin1Char(' ') + texts.message(SecondWord);
    return text;
}

QString summaryPlainText(const Summary &summary)
{
    // The document starts with an empty line.
    QString text;
    for (const SummaryPiece &p : summary) {
        switch (p.kind) {
        case SummaryPiece::Kind::Heading:
        case SummaryPiece::Kind::Label:
        case SummaryPiece::Kind::BlueLine:
        case SummaryPiece::Kind::PlainLine:
            text += QLatin1Char('\n') + p.text;
            break;
        case SummaryPiece::Kind::Value:
            text += p.text;
            break;
        case SummaryPiece::Kind::BlankLine:
            text += QStringLiteral("\n ");
            break;
        case SummaryPiece::Kind::Separator:
            text += QLatin1Char('\n') + QString(SummarySeparatorLength, QLatin1Char('_')) +
                    QStringLiteral("\n ");
            break;
        }
    }
    return text + QLatin1Char('\n');
}

} // namespace ykt
