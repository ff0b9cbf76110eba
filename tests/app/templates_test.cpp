// Templates through the real window on the virtual module: a template saved
// from one module loads into another, saves back the same and is sent with
// its help text; a file that cannot be used changes nothing; saving asks
// before replacing a file and keeps the old one when it cannot write.

#include "templates/encipheredtext.h"
#include "templates/templatecodec.h"
#include "templates/templatelines.h"
#include "wizard/mainscreen.h"
#include "wizard/wizardtab.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <algorithm>

#include "pagerig.h"

namespace ykt::testing {
namespace {

struct TemplateRig : PageRig
{
    using PageRig::PageRig;

    void answerNextBox(QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        scripted.buttonAnswers.push_back(button);
    }
    void save(const QString &path)
    {
        scripted.fileAnswers.push_back(path);
        form->wizardTab()->saveTemplateButton()->click();
    }
    void load(const QString &path)
    {
        scripted.fileAnswers.push_back(path);
        form->mainScreen()->loadTemplateButton()->click();
    }
    QString lastBox() const
    {
        return scripted.boxes.isEmpty() ? QString() : scripted.boxes.last().text;
    }
    QString opened() const { return form->mainScreen()->openedTemplate()->text(); }
};

QList<QByteArray> linesOf(const QString &path)
{
    QList<QByteArray> lines;
    EXPECT_EQ(ReadEncipheredLines(path, kTemplatePassphrase, &lines), ReadOutcome::Read);
    return lines;
}

QList<QByteArray> replaced(QList<QByteArray> lines, const QByteArray &name, const QByteArray &value)
{
    for (QByteArray &line : lines) {
        if (line.startsWith(name + '='))
            line = value.isNull() ? QByteArray() : name + '=' + value;
    }
    lines.removeAll(QByteArray());
    return lines;
}

TEST(Templates, SavedFromOneModuleLoadedIntoAnotherAndSent)
{
    QTemporaryDir files;
    const QString saved = files.filePath(QStringLiteral("site.tpl"));
    {
        TemplateRig first;
        ASSERT_TRUE(first.ready());
        first.form->OpenConfigurationPages();
        first.find<QLineEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("m2m.example"));
        first.find<QLineEdit>(QStringLiteral("Edit8"))->setText(QStringLiteral("Warehouse"));
        first.model().texts.helpText = "Call 112";
        first.answerNextBox();
        // Typed without its suffix, the name gets ".tpl".
        first.save(files.filePath(QStringLiteral("site")));
        EXPECT_EQ(first.lastBox(), QStringLiteral("m104 ") + QDir::toNativeSeparators(saved));
        ASSERT_EQ(first.scripted.fileChoices.size(), 1);
        EXPECT_EQ(first.scripted.fileChoices.first().folder, first.dir.path());
        EXPECT_EQ(NamedValues(linesOf(saved)).value("APN"), "m2m.example");
    }

    TemplateRig second(QStringLiteral("ykt4m-4003"));
    ASSERT_TRUE(second.ready());
    EXPECT_EQ(second.opened(), QStringLiteral("m169"));
    EXPECT_FALSE(second.form->HasUnsentEdits());
    second.answerNextBox();
    second.load(saved);
    EXPECT_EQ(second.lastBox(), QStringLiteral("m105 site.tpl"));
    EXPECT_EQ(second.opened(), QStringLiteral("site.tpl"));
    EXPECT_TRUE(second.form->templateLoaded());
    // On the pages, and nothing written yet.
    EXPECT_EQ(second.find<QLineEdit>(QStringLiteral("Edit2"))->text(),
              QStringLiteral("m2m.example"));
    EXPECT_EQ(second.model().security.ownerName, QByteArray("Warehouse"));
    EXPECT_NE(second.sim->storedText(0x01), QByteArray("m2m.example"));
    EXPECT_TRUE(second.form->HasUnsentEdits());

    // Saved again, the loaded settings give the same file.
    const QString copy = files.filePath(QStringLiteral("copy.tpl"));
    second.answerNextBox();
    second.save(copy);
    EXPECT_EQ(linesOf(copy), linesOf(saved));

    // The send writes them, the help text with them, and checks them.
    QSignalSpy outcome(second.form.get(), &TForm1::sendFinished);
    second.answerNextBox();
    second.form->wizardTab()->sendButton()->click();
    ASSERT_TRUE(waitFor([&] { return !outcome.isEmpty(); }, 20000));
    EXPECT_TRUE(outcome.first().first().toBool());
    EXPECT_EQ(second.sim->storedText(0x01), QByteArray("m2m.example"));
    EXPECT_GE(second.packetsWith(0x0E), 3);
    EXPECT_FALSE(second.form->templateLoaded());
}

TEST(Templates, AFileThatCannotBeUsedChangesNothing)
{
    TemplateRig rig;
    ASSERT_TRUE(rig.ready());
    TemplateContext context;
    context.languageName = "English";
    context.firmwareVersion = 4005;
    SettingsModel other = rig.model();
    other.gprs.apn = "other.apn";
    const QList<QByteArray> good = encodeTemplate(other, context);

    struct Case
    {
        const char *file;
        QList<QByteArray> lines; // empty: no file
        QString box;
    };
    const Case cases[] = {
        {"missing.tpl", {}, QStringLiteral("m107 missing.tpl")},
        {"klingon.tpl", replaced(good, "Language", "Klingon"),
         QStringLiteral("Couldn't find Klingon language on loader")},
        {"nolanguage.tpl", replaced(good, "Language", ""),
         QStringLiteral("Couldn't find  language on loader")},
        {"badcr.tpl", replaced(good, "CR", "12x"), QStringLiteral("m106 badcr.tpl")},
        {"shortcid.tpl", replaced(good, "CID2", "1\t2\t3"), QStringLiteral("m106 shortcid.tpl")},
        {"nopncr.tpl", replaced(good, "PnCR4", QByteArray()), QStringLiteral("m106 nopncr.tpl")},
    };
    const SettingsModel before = rig.model();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = rig.path(QLatin1String(c.file));
        if (!c.lines.isEmpty()) {
            ASSERT_TRUE(WriteEncipheredLines(path, kTemplatePassphrase, c.lines));
        }
        rig.answerNextBox();
        rig.load(path);
        EXPECT_EQ(rig.lastBox(), c.box);
        EXPECT_TRUE(rig.model() == before);
        EXPECT_EQ(rig.opened(), QStringLiteral("m169"));
        EXPECT_FALSE(rig.form->templateLoaded());
    }

    // A template of an older copy has no alarm server lines: it loads, and
    // those options keep what the module holds.
    QList<QByteArray> older = good;
    older.erase(std::remove_if(older.begin(), older.end(),
                               [](const QByteArray &l) { return l.startsWith("AS_"); }),
                older.end());
    const QString olderPath = rig.path(QStringLiteral("older.tpl"));
    ASSERT_TRUE(WriteEncipheredLines(olderPath, kTemplatePassphrase, older));
    rig.answerNextBox();
    rig.load(olderPath);
    EXPECT_EQ(rig.lastBox(), QStringLiteral("m105 older.tpl"));
    EXPECT_EQ(rig.model().gprs.apn, QByteArray("other.apn"));
    EXPECT_EQ(rig.model().security.alarmSettings, before.security.alarmSettings);
    EXPECT_EQ(rig.opened(), QStringLiteral("older.tpl"));
}

TEST(Templates, SavingAsksBeforeReplacingAndKeepsTheOldFileWhenItCannotWrite)
{
    TemplateRig rig;
    ASSERT_TRUE(rig.ready());
    const QString path = rig.path(QStringLiteral("kept.tpl"));
    ASSERT_TRUE(WriteEncipheredLines(path, kTemplatePassphrase, {"Language=English"}));

    rig.answerNextBox(QMessageBox::No);
    rig.save(path);
    EXPECT_EQ(rig.lastBox(), QStringLiteral("m35kept.tplm36"));
    EXPECT_EQ(linesOf(path), QList<QByteArray>{"Language=English"});

    // A folder in its place cannot be replaced by a file.
    const QString blocked = rig.path(QStringLiteral("blocked.tpl"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));
    rig.answerNextBox(QMessageBox::Yes);
    rig.answerNextBox();
    rig.save(blocked);
    EXPECT_EQ(rig.scripted.boxes.last().icon, DialogSeam::Icon::Error);
    EXPECT_TRUE(rig.lastBox().startsWith(QStringLiteral("m166")));
    EXPECT_TRUE(QFileInfo(blocked + QStringLiteral("/inside")).isDir());

    rig.answerNextBox(QMessageBox::Yes);
    rig.answerNextBox();
    rig.save(path);
    EXPECT_EQ(rig.lastBox(), QStringLiteral("m104 ") + QDir::toNativeSeparators(path));
    EXPECT_GT(linesOf(path).size(), 400);

    // Cancel in the chooser does nothing.
    const int boxes = rig.scripted.boxes.size();
    rig.form->wizardTab()->saveTemplateButton()->click();
    EXPECT_EQ(rig.scripted.boxes.size(), boxes);
}

} // namespace
} // namespace ykt::testing
