#include "app/eventlog.h"
#include "cli/containercommands.h"
#include "templates/encipheredtext.h"
#include "templates/templatecodec.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using namespace ykt;

namespace {

int run(const QStringList &args, QString *output = nullptr, QString *errors = nullptr)
{
    QString outText;
    QString errText;
    QTextStream out(output ? output : &outText);
    QTextStream err(errors ? errors : &errText);
    return runContainerCommand(args, out, err);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(ContainerCommands, PackThenShow)
{
    QTemporaryDir dir;
    const QString text = dir.filePath("plain.txt");
    const QString tpl = dir.filePath("out/settings.tpl");
    writeFile(text, "Language=English\nHelp_Text=a\\b\x01\xE9\r\nAPN=x");
    ASSERT_EQ(run({"template", "pack", text, tpl}), 0);
    QString shown;
    EXPECT_EQ(run({"template", "show", tpl}, &shown), 0);
    EXPECT_EQ(shown, "Language=English\nHelp_Text=a\\\\b\\x01\\xE9\nAPN=x\n");

    // What show prints packs back to the same lines: TABs, backslashes,
    // escapes spelled out in the text and 8-bit bytes alike.
    const QList<QByteArray> original = {"CID0=1\t1\t48\t0\t0", "Help_Text=\\x41\\\\ \x1B\xFE",
                                        "OwnerName=C:\\dir\\"};
    const QString first = dir.filePath("first.tpl");
    ASSERT_TRUE(WriteEncipheredLines(first, kTemplatePassphrase, original));
    shown.clear();
    EXPECT_EQ(run({"template", "show", first}, &shown), 0);
    EXPECT_TRUE(shown.startsWith("CID0=1\t1\t48"));
    writeFile(text, shown.toLatin1());
    const QString again = dir.filePath("again.tpl");
    ASSERT_EQ(run({"template", "pack", text, again}), 0);
    QList<QByteArray> packed;
    ASSERT_EQ(ReadEncipheredLines(again, kTemplatePassphrase, &packed), ReadOutcome::Read);
    EXPECT_EQ(packed, original);
    // An escape may not smuggle in what a line cannot hold; an escaped
    // backslash before "x0A" is just that.
    for (const QByteArray &escaped :
         {QByteArray("APN=a\\x0Ab"), QByteArray("APN=a\\x0db"), QByteArray("APN=a\\x00")}) {
        writeFile(text, escaped);
        EXPECT_EQ(run({"template", "pack", text, again}), 1) << escaped.constData();
    }
    writeFile(text, "APN=a\\\\x0Ab");
    EXPECT_EQ(run({"template", "pack", text, again}), 0);

    const QString log = dir.filePath("2009_3_5 9_7 - 2009_3_5 10_15.ykl");
    ASSERT_TRUE(WriteEncipheredLines(log, kEventLogPassphrase, {">>AT", "<<OK"}));
    shown.clear();
    EXPECT_EQ(run({"log", "show", log}, &shown), 0);
    EXPECT_EQ(shown, ">>AT\n<<OK\n");
}

// The modem's traffic is logged as it came but for CR, LF and zero bytes; a
// log holding other control bytes (line noise, a backspace, Ctrl-Z) is still
// the program's own log and "log show" prints it, escaped.
TEST(ContainerCommands, LogShowTakesControlBytesOfModemTraffic)
{
    QTemporaryDir dir;
    const ModemRegisters registers{0x41, 0x01, 0x02, 0xA000};
    const QList<QByteArray> lines{
        usartLogLine(QByteArray("AT\x08\x7F\r\n", 6), true, true, registers),
        usartLogLine(QByteArray("\x01+CSQ: 18\0\x1A", 11), false, true, registers),
    };
    const QString log = dir.filePath("noise.ykl");
    ASSERT_TRUE(WriteEncipheredLines(log, kEventLogPassphrase, lines));
    QString shown;
    QString errors;
    EXPECT_EQ(run({"log", "show", log}, &shown, &errors), 0) << errors.toStdString();
    EXPECT_EQ(shown, "MC55iCR:01 MC55iSR02 MC55iFlags41 TCPSRA000\n"
                     ">>AT\\x08\\x7F \n"
                     "<<\\x01+CSQ: 18.\\x1A\n");

    // What no log holds: a line without the direction mark, or a register
    // line with a control byte in it.
    using Lines = QList<QByteArray>;
    EXPECT_TRUE(looksLikeLogLines(Lines{">>\x05\x92", "<<", ""}));
    EXPECT_FALSE(looksLikeLogLines(Lines{">>AT", "AT"}));
    EXPECT_FALSE(looksLikeLogLines(Lines{"MC55iCR:\x01", ">>AT"}));
    EXPECT_FALSE(looksLikeLogLines(Lines{"<>AT"}));
}

TEST(ContainerCommands, FailuresAndUsage)
{
    QTemporaryDir dir;
    QString errors;
    EXPECT_EQ(run({"template", "show", dir.filePath("none.tpl")}, nullptr, &errors), 1);
    EXPECT_TRUE(errors.contains("none.tpl"));
    EXPECT_EQ(run({"log", "show", dir.path()}), 1);
    EXPECT_EQ(run({"template", "pack", dir.filePath("none.txt"), dir.filePath("a.tpl")}), 1);
    writeFile(dir.filePath("zero.txt"), QByteArray("a\0b", 3));
    EXPECT_EQ(run({"template", "pack", dir.filePath("zero.txt"), dir.filePath("a.tpl")}), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("a.tpl")));

    for (const QStringList &args : {QStringList{"template"}, QStringList{"log", "pack", "a", "b"},
                                    QStringList{"template", "show", "a", "b"}}) {
        errors.clear();
        EXPECT_EQ(run(args, nullptr, &errors), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(errors.contains("template pack"));
    }
}

TEST(ContainerCommands, TextAndSettingLines)
{
    struct Case
    {
        QByteArray line;
        bool text;
        bool named;
    };
    const Case cases[] = {
        {"Language=English", true, true},
        {"Help_Text=a=b\tc \xE9\xFF", true, true},
        {"PnCR0=", true, true},
        {"=value", true, false},          // no name
        {"Phone Nr=1", true, false},      // a blank is no part of a name
        {"\xC0\xE1=1", true, false},      // nor are 8-bit characters
        {">>AT+CMGS=\"1\"", true, false}, // '=' after other characters
        {">>text\x1A", true, false},      // Ctrl-Z ends an SMS text typed to the modem
        {"<<\x1B", true, false},
        {"a\x01"
         "b",
         false, false},
        {"x=\x7F", false, true}, // a value may hold any byte; a log line may not
        {"", true, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(isTextLine(c.line), c.text) << c.line.toHex().toStdString();
        EXPECT_EQ(isNamedLine(c.line), c.named) << c.line.toHex().toStdString();
    }

    using Lines = QList<QByteArray>;
    EXPECT_TRUE(looksLikeLogLines({">>AT ", "<<OK ", ""}));
    EXPECT_FALSE(looksLikeLogLines({}));
    EXPECT_FALSE(looksLikeLogLines({">>AT", "\x05\x92"}));

    EXPECT_TRUE(looksLikeTemplateLines({"Language=English", "", "CR=1"}));
    // A help text with line breaks from another copy leaves stray lines.
    EXPECT_TRUE(looksLikeTemplateLines(
        {"Language=English", "Help_Text=first", "second", "third", "APN=x", "CR=1"}));
    EXPECT_FALSE(looksLikeTemplateLines({"stray", "Language=English", "CR=1"}));
    EXPECT_FALSE(looksLikeTemplateLines({"Language=English", "a", "b", "c"}));
    EXPECT_FALSE(looksLikeTemplateLines(Lines{"", ""}));
    EXPECT_FALSE(looksLikeTemplateLines({}));
}

TEST(ContainerCommands, ShowRefusesWhatIsNotALogOrTemplate)
{
    QTemporaryDir dir;
    // A plain text file deciphers to random bytes.
    const QString plain = dir.filePath("notes.tpl");
    writeFile(plain, "Language=English\r\nAPN=internet\r\nCR=2049\r\n");
    // A template is no log, a log no template: the passphrases differ.
    const QString tpl = dir.filePath("settings.tpl");
    ASSERT_TRUE(WriteEncipheredLines(tpl, kTemplatePassphrase, {"Language=English", "CR=1"}));
    const QString log = dir.filePath("session.ykl");
    ASSERT_TRUE(WriteEncipheredLines(log, kEventLogPassphrase, {">>AT", "<<OK"}));
    // Lines of text packed as a template, but no settings.
    const QString text = dir.filePath("text.txt");
    writeFile(text, "Dear customer,\nthe module is ready.\n");
    const QString packed = dir.filePath("packed.tpl");
    ASSERT_EQ(run({"template", "pack", text, packed}), 0);
    const QString empty = dir.filePath("empty.ykl");
    writeFile(empty, "");

    struct Case
    {
        QStringList args;
        const char *says;
    };
    const Case cases[] = {
        {{"template", "show", plain}, "is not a template"},
        {{"template", "show", log}, "is not a template"},
        {{"template", "show", packed}, "is not a template"},
        {{"log", "show", plain}, "is not an event log"},
        {{"log", "show", tpl}, "is not an event log"},
        {{"log", "show", empty}, "holds no text: it is not an event log"},
    };
    for (const Case &c : cases) {
        QString shown;
        QString errors;
        EXPECT_EQ(run(c.args, &shown, &errors), 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(errors.contains(c.says)) << errors.toStdString();
        EXPECT_TRUE(errors.contains(c.args.at(2))) << errors.toStdString();
        EXPECT_TRUE(shown.isEmpty()) << shown.toStdString();
    }
}

TEST(ContainerCommands, TemplateDiff)
{
    QTemporaryDir dir;
    SettingsModel model;
    model.gprs.apn = "internet";
    TemplateContext context;
    context.languageName = "English";
    const QString a = dir.filePath("a.tpl");
    const QString b = dir.filePath("b.tpl");
    ASSERT_TRUE(WriteEncipheredLines(a, kTemplatePassphrase, encodeTemplate(model, context)));
    // The same settings written by a copy with a decimal comma and the lines
    // in another order are the same template.
    context.decimalSeparator = ',';
    QList<QByteArray> lines = encodeTemplate(model, context);
    std::reverse(lines.begin() + 1, lines.end());
    ASSERT_TRUE(WriteEncipheredLines(b, kTemplatePassphrase, lines));
    QString shown;
    EXPECT_EQ(run({"template", "diff", a, b}, &shown), 0);
    EXPECT_EQ(shown, "");

    model.gprs.apn = "web.example";
    model.inputs[0].cr = 0x0A; // SMS text, normally closed
    ASSERT_TRUE(WriteEncipheredLines(b, kTemplatePassphrase, encodeTemplate(model, context)));
    EXPECT_EQ(run({"template", "diff", a, b}, &shown), 1);
    EXPECT_EQ(shown, "APN: internet -> web.example\n"
                     "Input 1 function: Not used -> SMS text\n"
                     "Input 1 contact: NO -> NC\n");

    // A file that is not a template, or none at all.
    const QString log = dir.filePath("x.ykl");
    ASSERT_TRUE(WriteEncipheredLines(log, kEventLogPassphrase, {">>AT", "<<OK"}));
    QString errors;
    EXPECT_EQ(run({"template", "diff", a, log}, nullptr, &errors), 2);
    EXPECT_TRUE(errors.contains("is not a template"));
    EXPECT_EQ(run({"template", "diff", dir.filePath("none.tpl"), a}), 2);
    EXPECT_EQ(run({"template", "diff", a}), 2);
}
