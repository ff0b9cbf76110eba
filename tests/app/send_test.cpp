// "Send data to Module" through the real window on the virtual module: the
// edits of the pages written, read back and checked; the refusals that write
// nothing; a module pulled out on the way; and the question at close while
// edits have not been sent.

#include "app/forms/progressdialog.h"
#include "settings/pages/userspage.h"
#include "wizard/mainscreen.h"
#include "wizard/wizardtab.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include "pagerig.h"

namespace ykt::testing {
namespace {

struct SendRig : PageRig
{
    using PageRig::PageRig;

    QLineEdit *edit(const char *name) { return find<QLineEdit>(QLatin1String(name)); }
    void send() { form->wizardTab()->sendButton()->click(); }
    // The outcome of the send, once its read-back has been checked.
    bool finished(QSignalSpy &spy)
    {
        return waitFor([&] { return !spy.isEmpty(); }, 20000);
    }
};

TEST(Send, EditsAreWrittenReadBackAndChecked)
{
    SendRig rig;
    ASSERT_TRUE(rig.ready());
    rig.form->OpenConfigurationPages();
    // A number typed on the Users page, an APN and an owner name.
    auto &users = rig.page<TUsersPage>(UsersPageIndex);
    users.EditNumber(4, QStringLiteral("+37060000004"));
    rig.edit("Edit2")->setText(QStringLiteral("web.example"));
    rig.edit("Edit8")->setText(QStringLiteral("Front door"));
    EXPECT_TRUE(rig.form->HasUnsentEdits());

    QSignalSpy outcome(rig.form.get(), &TForm1::sendFinished);
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok); // the outcome's box
    rig.send();
    ASSERT_TRUE(rig.finished(outcome));
    EXPECT_TRUE(outcome.first().first().toBool());
    EXPECT_TRUE(rig.form->lastDifferences().isEmpty());
    ASSERT_FALSE(rig.scripted.boxes.isEmpty());
    EXPECT_EQ(rig.scripted.boxes.last().icon, DialogSeam::Icon::Information);
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m162"));

    // The module holds them, and the read after the send showed them.
    EXPECT_EQ(rig.sim->storedText(0x0B, 4), QByteArray("+37060000004"));
    EXPECT_EQ(rig.sim->storedText(0x01), QByteArray("web.example"));
    EXPECT_EQ(rig.model().security.ownerName, QByteArray("Front door"));
    EXPECT_EQ(rig.refreshes, 2);
    EXPECT_FALSE(rig.form->HasUnsentEdits());
    // A second send writes the same again and checks again.
    outcome.clear();
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok);
    rig.send();
    ASSERT_TRUE(rig.finished(outcome));
    EXPECT_TRUE(outcome.first().first().toBool());
}

TEST(Send, FactoryDefaultWritesTheFactoryValuesAndChecksThem)
{
    SendRig rig;
    ASSERT_TRUE(rig.ready());
    QSignalSpy outcome(rig.form.get(), &TForm1::sendFinished);
    // Message 24 first: No writes nothing.
    const int before = rig.packets().size();
    rig.scripted.buttonAnswers.push_back(QMessageBox::No);
    rig.form->mainScreen()->factoryDefaultButton()->click();
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m24"));
    EXPECT_EQ(rig.packets().size(), before);

    rig.scripted.buttonAnswers.push_back(QMessageBox::Yes);
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok); // the check's box
    rig.form->mainScreen()->factoryDefaultButton()->click();
    ASSERT_TRUE(rig.finished(outcome));
    EXPECT_TRUE(outcome.first().first().toBool()) << rig.form->lastDifferences().size();
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m162"));
    // The factory access PIN, options and empty numbers, read back.
    EXPECT_EQ(rig.sim->record(0x14).value_or(QByteArray()).left(4),
              QByteArray::fromHex("1111FFFF"));
    EXPECT_EQ(rig.model().users.smsPstnCr, 0x80120000u);
    EXPECT_TRUE(rig.model().phones[0].number.isEmpty());
    EXPECT_EQ(rig.form->CurrentWorkMode(), WorkMode::Communicator);
    EXPECT_FALSE(rig.form->HasUnsentEdits());
}

TEST(Send, RefusedSendsWriteNothing)
{
    SendRig rig;
    ASSERT_TRUE(rig.ready());
    rig.form->OpenConfigurationPages();
    const int before = rig.packets().size();

    // An access PIN of three digits: message 92 and the Users page.
    rig.form->GoToPage(GprsPageIndex);
    rig.edit("Edit13")->setText(QStringLiteral("123"));
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok);
    rig.send();
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m92"));
    EXPECT_EQ(rig.form->wizardTab()->currentPage(), UsersPageIndex);

    // A used channel without its port: message 82 and the GPRS page.
    rig.edit("Edit13")->setText(QStringLiteral("1234"));
    rig.edit("TntEdit2")->clear();
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok);
    rig.send();
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m82"));
    EXPECT_EQ(rig.form->wizardTab()->currentPage(), GprsPageIndex);
    EXPECT_EQ(rig.packets().size(), before);
}

TEST(Send, NothingIsWrittenWithoutARead)
{
    // The module's read fails at its first answer: what the pages show was
    // never read from this module.
    SendRig rig(QStringLiteral("ykt4m-4005,drop=1"));
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok); // message 39 of the read
    ASSERT_TRUE(waitFor([&] { return rig.failures > 0; }, 20000));
    const int before = rig.packets().size();
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok);
    rig.send();
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m39"));
    EXPECT_EQ(rig.packets().size(), before);
}

TEST(Send, AModulePulledOutStopsTheSendAndSaysSo)
{
    SendRig rig;
    ASSERT_TRUE(rig.ready());
    rig.form->OpenConfigurationPages();
    QSignalSpy outcome(rig.form.get(), &TForm1::sendFinished);
    const int before = rig.packets().size();
    QTimer::singleShot(40, rig.sim, [&] { rig.sim->unplug(); });
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok);
    rig.send();
    ASSERT_FALSE(outcome.isEmpty()) << "the send ends at once";
    EXPECT_FALSE(outcome.first().first().toBool());
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m39"));
    EXPECT_GT(rig.packets().size(), before);
    EXPECT_FALSE(rig.form->form5()->isVisible());
    // No read-back was started by the send.
    spin(300);
    EXPECT_EQ(rig.refreshes, 1);
}

TEST(Send, ClosingWithUnsentEditsAsksFirst)
{
    SendRig rig;
    ASSERT_TRUE(rig.ready());
    // Nothing edited: no question.
    EXPECT_FALSE(rig.form->HasUnsentEdits());
    rig.edit("Edit8")->setText(QStringLiteral("Garage"));

    // Cancel keeps the window and the edit.
    rig.scripted.buttonAnswers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(rig.form->close());
    EXPECT_EQ(rig.scripted.boxes.last().text, QStringLiteral("m156"));
    EXPECT_EQ(rig.scripted.boxes.last().buttons,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(rig.edit("Edit8")->text(), QStringLiteral("Garage"));

    // Yes sends, and the window closes once the module holds it (the
    // module is let go with the window: what it holds is taken before).
    QByteArray held;
    QObject::connect(rig.form.get(), &TForm1::sendFinished,
                     [&] { held = rig.sim->storedText(0x09); });
    rig.scripted.buttonAnswers.push_back(QMessageBox::Yes);
    rig.scripted.buttonAnswers.push_back(QMessageBox::Ok); // the check's box
    EXPECT_FALSE(rig.form->close());
    ASSERT_TRUE(waitFor([&] { return !rig.form->isVisible(); }, 20000));
    EXPECT_EQ(held, QByteArray("Garage"));
}

TEST(Send, ClosingWithoutSendingDropsTheEdits)
{
    SendRig rig;
    ASSERT_TRUE(rig.ready());
    rig.edit("Edit8")->setText(QStringLiteral("Garage"));
    QSignalSpy outcome(rig.form.get(), &TForm1::sendFinished);
    rig.scripted.boxes.clear();
    rig.scripted.buttonAnswers.push_back(QMessageBox::No);
    EXPECT_TRUE(rig.form->close());
    // The question was the only box, and no send began.
    EXPECT_EQ(rig.scripted.boxes.size(), 1);
    EXPECT_FALSE(rig.form->sending());
    EXPECT_TRUE(outcome.isEmpty());
}

} // namespace
} // namespace ykt::testing
