// The virtual module on its own: what it stores, how it answers, the status
// byte it reports, the faults it commits, and the profiles and options.

#include "device/commands.h"
#include "device/firmware.h"
#include "device/messages.h"
#include "sim/options.h"
#include "sim/virtualmodule.h"

#include <gtest/gtest.h>

using namespace ykt;
using namespace ykt::sim;

namespace {

// Sends one packet and lets every report it causes go out.
QList<QByteArray> exchange(VirtualModule &module, const QByteArray &packet)
{
    QList<QByteArray> out;
    const Reaction r = module.receive(packet);
    for (const PendingReport &p : r.reports)
        out.append(module.take(p));
    return out;
}

VirtualModule moduleWith(const QString &spec)
{
    QString error;
    const auto o = parseOptions(spec, &error);
    EXPECT_TRUE(o) << error.toStdString();
    return VirtualModule(o.value_or(Options()));
}

} // namespace

TEST(VirtualModule, AnswersAReadWithWhatWasWritten)
{
    VirtualModule module;
    const QByteArray write = packets::phoneNumber(opcode::SetPhoneNumber, 7, 0x43, "37061234567");
    const QList<QByteArray> ack = exchange(module, write);
    ASSERT_EQ(ack.size(), 1);
    EXPECT_EQ(ack.first().size(), 63);
    EXPECT_EQ(quint8(ack.first()[0]) & 0x03, 0); // a write is no message

    const QList<QByteArray> answer = exchange(module, packets::requestItem(0x8B, 7, 0));
    ASSERT_EQ(answer.size(), 1);
    // The answer carries the written bytes right after its type.
    EXPECT_EQ(answer.first().mid(1, 1), QByteArray("\x8B"));
    EXPECT_EQ(answer.first().mid(2, 61), write.mid(1, 61));
    const auto m = decodeMessage(answer.first());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->idx, 7);
    EXPECT_EQ(m->cr, 0x43);
    EXPECT_EQ(m->text, QByteArray("37061234567"));
}

TEST(VirtualModule, BusyUntilItsReportAndSequenceWraps)
{
    VirtualModule module;
    const Reaction r = module.receive(packets::requestItem(0x80, 0, 0));
    EXPECT_TRUE(module.status() & VirtualModule::StatusBusy);
    EXPECT_TRUE(module.stateReport(0)[0] & VirtualModule::StatusBusy);
    const QByteArray answer = module.take(r.reports.first());
    EXPECT_FALSE(answer[0] & VirtualModule::StatusBusy);

    QList<int> sequence{quint8(answer[0]) & 3};
    for (int i = 0; i < 4; ++i)
        sequence.append(quint8(exchange(module, packets::requestItem(0x89, 0, 0)).first()[0]) & 3);
    EXPECT_EQ(sequence, (QList<int>{1, 2, 3, 0, 1}));
}

TEST(VirtualModule, AnswersOnlyWhatItsFirmwareHas)
{
    VirtualModule old = moduleWith(QStringLiteral("ykt4m-1133"));
    // 0x9C is beyond 1133's last type: only the status report comes back.
    const QList<QByteArray> none = exchange(old, packets::requestItem(0x9C, 0, 0));
    ASSERT_EQ(none.size(), 1);
    EXPECT_EQ(quint8(none.first()[0]) & 3, 0);
    EXPECT_EQ(quint8(exchange(old, packets::requestItem(0x9B, 0, 0)).first()[1]), 0x9B);
    // User names past 31 do not exist below 4003.
    EXPECT_EQ(exchange(old, packets::requestItem(0x90, 3, 32)).first().size(), 63);
    EXPECT_EQ(quint8(exchange(old, packets::requestItem(0x90, 3, 32)).first()[1]), 0);
    EXPECT_EQ(quint8(exchange(old, packets::requestItem(0x90, 3, 31)).first()[1]), 0x90);
    // Nor does a write to them land anywhere.
    exchange(old, packets::itemName(3, 40, "Ghost"));
    EXPECT_FALSE(old.store().contains(0x10, 3, 40));
    // Read-only items ignore writes.
    exchange(old, packets::text(0x06, 50, "x"));
    EXPECT_NE(old.storedText(0x06), QByteArray("x"));
}

TEST(VirtualModule, StateReportDecodesAsTheDriverReadsIt)
{
    VirtualModule module = moduleWith(QStringLiteral("traffic=1"));
    for (qint64 t = 0; t < 40; ++t) {
        const QByteArray r = module.stateReport(t);
        ASSERT_EQ(r.size(), 63);
        ASSERT_TRUE(r[0] & VirtualModule::StatusMonitoring);
        const auto block = decodeStateBlock(r);
        ASSERT_TRUE(block);
        EXPECT_EQ(block->tcpsr >> 12, module.modem().gsmLevel());
        const auto line = decodeUsart(r);
        ASSERT_TRUE(line);
        EXPECT_LE(line->text.size(), 53);
        EXPECT_EQ(line->sequence, module.modem().trafficSequence());
        EXPECT_EQ(line->text, module.modem().line());
    }
}

TEST(VirtualModule, FaultsStrikeTheirRequest)
{
    VirtualModule module = moduleWith(QStringLiteral("drop=1,short=2,garbage=3,repeat=4"));
    // 1: dropped, Busy still cleared.
    QList<QByteArray> r = exchange(module, packets::requestItem(0x80, 0, 0));
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(quint8(r.first()[0]) & 3, 0);
    EXPECT_FALSE(r.first()[0] & VirtualModule::StatusBusy);
    // 2: cut to four bytes.
    r = exchange(module, packets::requestItem(0x81, 0, 0));
    EXPECT_EQ(r.first().size(), 4);
    // 3: random bytes first, then the answer.
    r = exchange(module, packets::requestItem(0x82, 0, 0));
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(quint8(r.at(1)[1]), 0x82);
    // 4: the previous sequence number again.
    const int before = quint8(r.at(1)[0]) & 3;
    r = exchange(module, packets::requestItem(0x83, 0, 0));
    EXPECT_EQ(quint8(r.first()[0]) & 3, before);

    VirtualModule stuck = moduleWith(QStringLiteral("stuckbusy=2"));
    EXPECT_FALSE(exchange(stuck, packets::endExchange(true)).first()[0] &
                 VirtualModule::StatusBusy);
    EXPECT_TRUE(exchange(stuck, packets::endExchange(true)).first()[0] & VirtualModule::StatusBusy);
    EXPECT_TRUE(stuck.stateReport(0)[0] & VirtualModule::StatusBusy);

    VirtualModule unplugged = moduleWith(QStringLiteral("unplug=2"));
    EXPECT_FALSE(unplugged.receive(packets::text(0x09, 16, "one")).unplug);
    const Reaction gone = unplugged.receive(packets::text(0x09, 16, "two"));
    EXPECT_TRUE(gone.unplug);
    EXPECT_EQ(unplugged.storedText(0x09), QByteArray("one")); // not acted upon
}

TEST(VirtualModule, PasswordAndLockFollowTheStoredSettings)
{
    VirtualModule module = moduleWith(QStringLiteral("password=12,passwordonconnect=1,lock=1"));
    EXPECT_TRUE(module.status() & VirtualModule::StatusPassword);
    exchange(module, packets::text(0x09, 16, "ignored"));
    EXPECT_NE(module.storedText(0x09), QByteArray("ignored"));
    exchange(module, packets::submitPassword("13"));
    EXPECT_TRUE(module.passwordRequired());
    exchange(module, packets::submitPassword("12"));
    EXPECT_FALSE(module.passwordRequired());
    EXPECT_TRUE(module.settingsLocked());
    // The encryption keys are hidden while locked.
    const auto key = decodeMessage(exchange(module, packets::requestItem(0x9C, 0, 0)).first());
    ASSERT_TRUE(key);
    EXPECT_EQ(key->text, QByteArray(16, '\0'));
    // Turning the lock off takes effect at the next power-up.
    exchange(module, packets::submitPassword("12"));
    exchange(module, packets::u32(opcode::SetYKT2CR, 0));
    module.powerUp();
    EXPECT_FALSE(module.passwordRequired());
    EXPECT_FALSE(module.settingsLocked());
}

TEST(Profiles, ProductNamesCarryTheirFirmware)
{
    for (const Profile &p : profiles()) {
        EXPECT_EQ(parseFirmwareVersion(p.productString.toLatin1()), p.firmwareVersion)
            << p.id.toStdString();
        EXPECT_EQ(findProfile(p.id.toUpper())->id, p.id);
    }
    EXPECT_EQ(defaultProfile().id, QStringLiteral("ykt4m-4005"));
    EXPECT_FALSE(findProfile(QStringLiteral("ykt9")));
}

TEST(Options, ParseAndRejectWithAReason)
{
    const auto o =
        parseOptions(QStringLiteral("YKT4M-4003,drop=5,delay=20,interval=2,password=ab"));
    ASSERT_TRUE(o);
    EXPECT_EQ(o->profile.id, QStringLiteral("ykt4m-4003"));
    EXPECT_EQ(o->faults.dropAnswer, 5);
    EXPECT_EQ(o->faults.delayMs, 20);
    EXPECT_EQ(o->usbIntervalMs, 2);
    EXPECT_EQ(o->usbPassword, QByteArray("ab"));
    EXPECT_EQ(parseOptions(QStringLiteral("drop=2"))->profile.id, defaultProfile().id);

    for (const char *bad :
         {"nosuchmodule", "ykt4m-4005,drop", "ykt4m-4005,drop=x", "ykt4m-4005,interval=0",
          "ykt4m-4005,colour=red", "ykt4m-4005,password=12345678901234567"}) {
        QString error;
        EXPECT_FALSE(parseOptions(QString::fromLatin1(bad), &error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}
