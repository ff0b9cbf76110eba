// The settings summary as text, with the captions of the English controls
// and messages "m<n>": which sections a model gives, and the lines whose
// composition is easy to get wrong.

#include "settings/outputfields.h"
#include "settings/registers.h"
#include "settings/securityfields.h"
#include "settings/summary.h"

#include <gtest/gtest.h>

namespace ykt {
namespace {

struct EnglishCaptions : SummaryTexts
{
    QString caption(const char *, const char *fallback) const override
    {
        return QString::fromUtf8(fallback);
    }
    QString item(const char *, int, const char *fallback) const override
    {
        return QString::fromUtf8(fallback);
    }
    QString message(int n) const override { return QStringLiteral("m%1").arg(n); }
    QString text(const QByteArray &bytes) const override { return QString::fromLatin1(bytes); }
};

QStringList linesOf(const SettingsModel &model, const SummaryContext &context = {})
{
    return summaryPlainText(buildSummary(model, context, EnglishCaptions()))
        .split(QLatin1Char('\n'));
}

// The sections of a summary: the line after each separator.
QStringList sectionsOf(const QStringList &lines)
{
    QStringList headings;
    for (int i = 0; i + 2 < lines.size(); ++i) {
        if (lines.at(i).startsWith(QStringLiteral("____")))
            headings.append(lines.at(i + 2));
    }
    return headings;
}

const QStringList AlwaysThere = {QStringLiteral("m67"), QStringLiteral("Alarm server reporting"),
                                 QStringLiteral("Alarm server privacy")};

TEST(Summary, AnEmptyModelGivesOnlyTheSectionsThatAreAlwaysThere)
{
    SummaryContext context;
    context.basicModel = true;
    const QStringList lines = linesOf(SettingsModel(), context);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{QString(), QStringLiteral(" "),
                                            QStringLiteral("\tYKT Type:\tCommunicator")}));
    EXPECT_EQ(sectionsOf(lines), AlwaysThere);
    EXPECT_EQ(lines.at(3).size(), 114);
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tModem restart every (hour):\t1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tShow TCP statistics:\tm31")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tEvery event:\tm154")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tEvent log:\tNo")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tSave event log:\tm154")));

    // Not a basic model: the outputs are listed even when nothing is set.
    const QStringList full = linesOf(SettingsModel());
    EXPECT_EQ(sectionsOf(full), QStringList{QStringLiteral("m61:")} + AlwaysThere);
    EXPECT_TRUE(full.contains(QStringLiteral("\tm87 4 - m97")));
}

TEST(Summary, UsersListTheirFlagsOnePerLine)
{
    SettingsModel model;
    model.phones[0].number = "+37060000001";
    model.phones[0].addCr = 1 << 4; // SMS backup
    model.phones[3].number = "+37060000004";
    model.phones[3].cr = (1 << 3) | (1 << 5) | (1 << 7); // Android, periodic test, trouble
    model.phones[3].addCr = 1 << 6;                      // iPhone as well
    SmsPstnCrFields sms;
    sms.smsTestDays = 2;
    sms.limitedTroubleSms = true;
    model.users.smsPstnCr = packSMSPSTNCR(sms);
    model.users.accessPin = 0x1234FFFF;

    QStringList lines = linesOf(model);
    EXPECT_EQ(sectionsOf(lines).first(), QStringLiteral("m75"));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\t+37060000001:\tSMS backup;")));
    const int user4 = lines.indexOf(QStringLiteral("\t\t+37060000004:\tSmartphone:Android;"));
    ASSERT_GT(user4, 0);
    EXPECT_EQ(lines.mid(user4 + 1, 3),
              (QStringList{QStringLiteral("\t\t\tPeriodic SMS test 2 days;"),
                           QStringLiteral("\t\t\tTrouble SMS (Limited trouble SMS);"),
                           QStringLiteral("\t\t\tSmartphone:iPhone;")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tYKT3 access PIN for all users:\t1234")));

    sms.limitedTroubleSms = false;
    model.users.smsPstnCr = packSMSPSTNCR(sms);
    lines = linesOf(model);
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\t\tTrouble SMS;")));
}

TEST(Summary, InputsShowTheirFunctionEventAndParameters)
{
    TCIDDescriptions events;
    ASSERT_TRUE(ParseCIDDescriptions("Burglary\t1130\tpartition\tzone\t1\t0\r\n", events).ok());
    SettingsModel model;
    InputCrFields cid;
    cid.function = 1;
    cid.restore = true;
    model.inputs[0].cr = packInputSettingsCR(cid);
    model.inputs[0].cid = EncodeCIDBytes(events.first(), 1, 3);
    model.inputs[0].sensivity = 5;
    model.inputs[0].noSenseInterval = 0;
    InputCrFields sms;
    sms.function = 2;
    sms.normallyClosed = true;
    model.inputs[4].cr = packInputSettingsCR(sms);
    model.inputs[4].smsText = "Door <b>open</b>";
    model.inputs[4].noSenseInterval = 3725;
    SummaryContext context;
    context.events = &events;

    QStringList lines = linesOf(model, context);
    const int input1 = lines.indexOf(QStringLiteral("\tInput 1 - m94"));
    ASSERT_GT(input1, 0);
    EXPECT_EQ(lines.at(input1 + 1), QStringLiteral("\t\tCID:\tBurglary m77"));
    const int parameters = lines.indexOf(QStringLiteral("\t\tm78:\tType NO;"), input1);
    ASSERT_GT(parameters, input1);
    EXPECT_EQ(lines.at(parameters + 1), QStringLiteral("\t\t\tSensivity 500 ms;"));
    EXPECT_EQ(lines.at(parameters + 2), QStringLiteral("\t\t\tNo reaction  0 m85;"));
    const int input5 = lines.indexOf(QStringLiteral("\tInput 5 - m95"));
    ASSERT_GT(input5, 0);
    EXPECT_EQ(lines.mid(input5 + 1, 4),
              (QStringList{QStringLiteral("\t\tSMS\tDoor <b>open</b>"),
                           QStringLiteral("\t\tm78:\tType NC;"),
                           QStringLiteral("\t\t\tSensivity 400 ms;"),
                           QStringLiteral("\t\t\tNo reaction  1 m83 2 m84 5 m85;")}));

    // The Advanced communicator has no input 5.
    context.workMode = WorkMode::AdvancedCommunicator;
    lines = linesOf(model, context);
    EXPECT_EQ(lines.indexOf(QStringLiteral("\tInput 5 - m95")), -1);
    EXPECT_GT(lines.indexOf(QStringLiteral("\tInput 1 - m94")), 0);
}

TEST(Summary, OutputsFollowTheModelAndTheWorkMode)
{
    SettingsModel model;
    OutputCrFields pulse;
    pulse.function = 1;
    pulse.pulse = true;
    pulse.inversion = true;
    model.outputs[0] = {packOutputSettingsCR(pulse), 90};
    OutputCrFields siren;
    siren.function = SirenFunction;
    siren.sirenConfirmation = true;
    model.outputs[1].cr = packOutputSettingsCR(siren);
    model.phones[10].number = "+37060000011";
    model.phones[10].cr = outputMaskBit(0) | outputMaskBit(3);

    SummaryContext context;
    QStringList lines = linesOf(model, context);
    const int oc1 = lines.indexOf(QStringLiteral("\tm87 1 - m98"));
    ASSERT_GT(oc1, 0);
    EXPECT_EQ(lines.mid(oc1 + 1, 2),
              (QStringList{QStringLiteral("\t\tm78:\tPulse Duration:  1 m84 30 m85;"),
                           QStringLiteral("\t\tInversion:\tm153")}));
    // A siren output shows no function and its confirmation box.
    const int oc2 = lines.indexOf(QStringLiteral("\tm87 2 - "));
    ASSERT_GT(oc2, 0);
    EXPECT_EQ(lines.mid(oc2 + 1, 3), (QStringList{QStringLiteral("\t\tm78:\tBiswitch;"),
                                                  QStringLiteral("\t\tSiren confirmation:\tm153"),
                                                  QStringLiteral("\t\tInversion:\tm154")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("\tm87 4 - m97")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\t+37060000011:\tOC1 (1); Relay 2 (4); ")));

    context.ykt3Type = true;
    EXPECT_TRUE(linesOf(model, context).contains(QStringLiteral("\tm88 2 - m97")));
    context.relayLess = true;
    EXPECT_FALSE(linesOf(model, context).contains(QStringLiteral("\tm88 1 - m97")));
    EXPECT_TRUE(linesOf(model, context).contains(QStringLiteral("\tm87 2 - ")));
    context.relayLess = false;
    context.workMode = WorkMode::AdvancedCommunicator;
    lines = linesOf(model, context);
    EXPECT_TRUE(lines.contains(QStringLiteral("\tm87 1 - m98")));
    EXPECT_FALSE(lines.contains(QStringLiteral("\tm87 2 - ")));
    EXPECT_FALSE(lines.contains(QStringLiteral("\tm88 2 - m97")));
}

TEST(Summary, TheLockLeavesOnlyTheAccountsAndNoSecurity)
{
    SettingsModel model;
    TcpCrFields tcp;
    tcp.channel1Used = true;
    tcp.channel2Use = 2;
    tcp.channel2Protocol = 1;
    model.gprs.tcpcr = packTCPCR(tcp, false, 4005);
    model.gprs.connectionString = "10.0.0.1:5000";
    model.gprs.connectionString2 = "backup.example";
    model.gprs.reserveAccounts = {"1234", "BCDE"};
    model.gprs.apn = "internet";
    model.gprs.heartbeatEvent = packHeartbeatEvent({true, "602"});
    Ykt2CrFields y;
    y.heartbeatCheck = true;
    y.heartbeatSeconds = 90;
    y.usbPassword = true;
    y.simPin = true;
    model.security.ykt2cr = packYKT2CR(y);
    model.security.usbPassword = "secret";
    model.security.simPin = "0000";
    model.security.ownerName = "Warehouse";
    SummaryContext context;
    context.firmwareVersion = 4005;
    context.basicModel = true;

    QStringList lines = linesOf(model, context);
    EXPECT_EQ(sectionsOf(lines),
              (QStringList{QStringLiteral("m57:"), QStringLiteral("m65")} + AlwaysThere));
    const int channel1 = lines.indexOf(QStringLiteral("\t\tChannel 1\tUsed"));
    ASSERT_GT(channel1, 0);
    EXPECT_EQ(lines.mid(channel1 + 1, 3), (QStringList{QStringLiteral("\t\tm76:\t10.0.0.1:5000"),
                                                       QStringLiteral("\t\tProtocol:\tE2"),
                                                       QStringLiteral("\t\tAccount:\t1234")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tChannel 2\tReserve")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tm76:\tbackup.example:")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tProtocol:\tCSV IP")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tAPN:\tinternet")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tHeartBeat check enabled:\t90 sec")));
    // The caption ends in ":" already.
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tHeartBeat Event ID:\t602")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tYKT3 owner name:\tWarehouse")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tUse password on USB connect:\tsecret")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tUse SIM PIN:\t0000")));

    context.settingsLocked = true;
    lines = linesOf(model, context);
    EXPECT_EQ(sectionsOf(lines), QStringList{QStringLiteral("m57:")} + AlwaysThere);
    const int locked = lines.indexOf(QStringLiteral("\t\tChannel 1\t"));
    ASSERT_GT(locked, 0);
    EXPECT_EQ(lines.mid(locked, 5),
              (QStringList{QStringLiteral("\t\tChannel 1\t"), QStringLiteral("\t\tAccount:\t1234"),
                           QStringLiteral(" "), QStringLiteral("\t\tChannel 2\t"),
                           QStringLiteral("\t\tAccount:\tBCDE")}));
    EXPECT_TRUE(lines.at(locked + 5).startsWith(QStringLiteral("____")));
    EXPECT_FALSE(lines.contains(QStringLiteral("\t\tAPN:\tinternet")));
}

TEST(Summary, EveryEventLeavesOutTheEventLogLine)
{
    SettingsModel model;
    AlarmServerOptions options;
    options.everyEvent = true;
    options.motionDetection = 2;
    options.reportZoneNames = true;
    model.security.alarmSettings = mergeAlarmSettings(QByteArray(16, '\0'), options);
    SummaryContext context;
    context.basicModel = true;
    const QStringList lines = linesOf(model, context);
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tEvery event:\tm153")));
    EXPECT_EQ(lines.filter(QStringLiteral("Event log:")).size(), 0);
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tMotion detection:\t1 hour")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\t\tReport zone names:\tm153")));
}

} // namespace
} // namespace ykt
