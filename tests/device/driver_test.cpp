// The driver's link to the module: claiming, the busy handshake, commands with
// no module, passwords, the trace.

#include "driverrig.h"

#include "device/commands.h"
#include "device/protocoltrace.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace ykt;
using namespace ykt::testing;

TEST(Driver, IdentityFromTheModule)
{
    DriverRig rig(QStringLiteral("ykt4m-4003"));
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.driver->ProductName(), QByteArray("YKT4M v.4003b"));
    EXPECT_EQ(rig.driver->SerialNumber(), QByteArray("4M40030002"));
    EXPECT_EQ(rig.driver->DeviceVersion(), QByteArray("4003"));
    EXPECT_EQ(rig.driver->FirmwareVersion(), 4003);
    EXPECT_TRUE(rig.driver->Monitoring());
}

TEST(Driver, WithoutAModuleCommandsWriteNothing)
{
    DriverRig rig(QStringLiteral("plugged=0"));
    spin(50);
    ASSERT_FALSE(rig.driver->Connected());
    QElapsedTimer clock;
    clock.start();
    rig.driver->SetOwnerName("nobody");
    rig.driver->RequestItem(0x80, 0, 0);
    rig.driver->StartReadAll();
    EXPECT_LT(clock.elapsed(), 50);
    EXPECT_EQ(rig.driver->packetsWritten(), 0);
    EXPECT_TRUE(rig.sim->receivedPackets().isEmpty());
}

TEST(Driver, OnlyTheModuleIsClaimed)
{
    DriverRig rig(QStringLiteral("plugged=0"));
    int connects = 0;
    QObject::connect(rig.driver.get(), &TYKT2::OnConnect, [&] { ++connects; });
    rig.sim->addForeignDevice(0x046D, 0xC52B, QStringLiteral("USB Receiver"));
    rig.sim->addForeignDevice(0x6B72, 0x1234, QStringLiteral("Other product"));
    spin(100);
    EXPECT_EQ(connects, 0);
    EXPECT_TRUE(rig.driver->AccessProblem().isEmpty());
    rig.sim->plug();
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    EXPECT_EQ(rig.driver->ProductName(), QByteArray("YKT4M v.4005b"));
}

TEST(Driver, ModuleThatCannotBeOpenedIsReportedAndRetried)
{
    DriverRig rig(QStringLiteral("plugged=0"));
    QStringList problems;
    QObject::connect(rig.driver.get(), &TYKT2::AccessProblemChanged,
                     [&](const QString &p) { problems.append(p); });
    rig.sim->setOpenFailure(QStringLiteral("Permission denied"));
    rig.sim->plug();
    ASSERT_TRUE(waitFor([&] { return !rig.driver->AccessProblem().isEmpty(); }));
    EXPECT_TRUE(rig.driver->AccessProblem().contains(QStringLiteral("Permission denied")));
    EXPECT_FALSE(rig.driver->Connected());
    // The rule is installed: the next retry claims it.
    rig.sim->setOpenFailure(QString());
    ASSERT_TRUE(waitFor([&] { return rig.driver->Connected(); }));
    EXPECT_TRUE(rig.driver->AccessProblem().isEmpty());
    ASSERT_GE(problems.size(), 2);
    EXPECT_TRUE(problems.last().isEmpty());
}

TEST(Driver, PacketsKeepTheGapAndWaitForBusy)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,delay=30"));
    ASSERT_TRUE(rig.connect());
    QElapsedTimer clock;
    clock.start();
    rig.driver->SetOwnerName("a");
    rig.driver->SetOwnerName("b"); // waits until the module is done with "a"
    rig.driver->SetOwnerName("c");
    EXPECT_GE(clock.elapsed(), 60);
    EXPECT_EQ(rig.driver->packetsWritten(), 3);
    ASSERT_TRUE(waitFor([&] { return !rig.driver->Busy(); }));
    EXPECT_EQ(rig.sim->storedText(0x09), QByteArray("c"));
}

TEST(Driver, StuckBusyBlocksOnlyTheSenderUntilClosing)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,stuckbusy=1"));
    ASSERT_TRUE(rig.connect());
    int states = 0;
    QObject::connect(rig.driver.get(), &TYKT2::OnState, [&] { ++states; });
    rig.driver->SetOwnerName("first");
    QTimer::singleShot(300, rig.driver.get(), [&] { rig.driver->SetClosing(); });
    rig.driver->SetOwnerName("never");
    EXPECT_TRUE(rig.driver->Closing());
    EXPECT_EQ(rig.sim->receivedPackets().size(), 1);
    EXPECT_GE(states, 3); // the module's state kept arriving meanwhile
    rig.driver->SetOwnerName("after closing");
    EXPECT_EQ(rig.sim->receivedPackets().size(), 1);
}

TEST(Driver, StuckBusyWaitEndsWhenTheModuleIsRemoved)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,stuckbusy=1"));
    ASSERT_TRUE(rig.connect());
    rig.driver->SetOwnerName("first");
    QTimer::singleShot(100, rig.sim, [&] { rig.sim->unplug(); });
    rig.driver->SetOwnerName("never");
    EXPECT_FALSE(rig.driver->Connected());
    EXPECT_EQ(rig.sim->receivedPackets().size(), 1);
}

TEST(Driver, WritePacketSaysWhetherThePacketWentOut)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,stuckbusy=2"));
    ASSERT_TRUE(rig.connect());
    const tduomenys packet = packets::u32(opcode::SetCPCR, 0);
    EXPECT_TRUE(rig.driver->WritePacket(packet, 200));
    EXPECT_TRUE(rig.driver->WritePacket(packet, 200));
    // The module stays busy after the second: the third gives up, unwritten.
    EXPECT_FALSE(rig.driver->WritePacket(packet, 200));
    EXPECT_EQ(rig.sim->receivedPackets().size(), 2);
    rig.sim->unplug();
    EXPECT_TRUE(waitFor([&] { return !rig.driver->Connected(); }));
    EXPECT_FALSE(rig.driver->WritePacket(packet, 200));
}

TEST(Driver, KeyEndingInSpacesComesBackUnchanged)
{
    DriverRig rig;
    ASSERT_TRUE(rig.connect());
    const QByteArray key("0123456789AB    ");
    QByteArray back;
    QObject::connect(rig.driver.get(), &TYKT2::OnAES128Key, [&](quint8 idx, const QByteArray &k) {
        if (idx == 1)
            back = k;
    });
    rig.driver->SetAES128Key(1, key);
    rig.driver->RequestItem(0x9C, 1, 0);
    ASSERT_TRUE(waitFor([&] { return !back.isEmpty(); }));
    EXPECT_EQ(back, key);
}

TEST(Driver, UsbPasswordAndGprsLock)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,password=4321,passwordonconnect=1,lock=1"));
    ASSERT_TRUE(rig.connect());
    EXPECT_TRUE(rig.driver->PasswordRequired());
    // Nothing is answered until the password is given.
    int apns = 0;
    QByteArray apn = "unset";
    QObject::connect(rig.driver.get(), &TYKT2::OnAPN, [&](const QByteArray &a) {
        ++apns;
        apn = a;
    });
    rig.driver->RequestItem(0x81, 0, 0);
    spin(100);
    EXPECT_EQ(apns, 0);
    rig.driver->SubmitPassword("4321");
    ASSERT_TRUE(waitFor([&] { return !rig.driver->PasswordRequired(); }));

    // The GPRS settings are locked: read blank, a wrong password is an error.
    EXPECT_TRUE(rig.driver->SettingsLocked());
    rig.driver->RequestItem(0x81, 0, 0);
    ASSERT_TRUE(waitFor([&] { return apns == 1; }));
    EXPECT_TRUE(apn.isEmpty());
    rig.driver->SetAPN("changed");
    rig.driver->SubmitPassword("wrong");
    ASSERT_TRUE(waitFor([&] { return rig.driver->ModuleError(); }));
    EXPECT_TRUE(rig.driver->SettingsLocked());
    rig.driver->SubmitPassword("4321");
    ASSERT_TRUE(waitFor([&] { return !rig.driver->SettingsLocked(); }));
    EXPECT_FALSE(rig.driver->ModuleError());
    rig.driver->RequestItem(0x81, 0, 0);
    ASSERT_TRUE(waitFor([&] { return apns == 2; }));
    EXPECT_EQ(apn, QByteArray("internet")); // the locked write was refused
}

TEST(Driver, TrafficLinesAndStateReachTheirEvents)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,state=5,traffic=20"));
    QList<QByteArray> lines;
    int states = 0;
    QObject::connect(rig.driver.get(), &TYKT2::OnUsart,
                     [&](const QByteArray &line, bool) { lines.append(line); });
    QObject::connect(rig.driver.get(), &TYKT2::OnState, [&] { ++states; });
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(waitFor([&] { return lines.size() >= 4; }));
    EXPECT_EQ(lines.first(), QByteArray("AT"));
    // Each line once, though several state reports carry it.
    EXPECT_GT(states, lines.size());
    EXPECT_NE(lines.at(0), lines.at(1));
}

TEST(Driver, TraceHasOneLinePerPacketAndReport)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace.txt"));
    DriverRig rig;
    auto trace = std::make_shared<ProtocolTrace>();
    QString error;
    ASSERT_TRUE(trace->open(path, &error)) << error.toStdString();
    rig.driver->setTrace(trace);
    ASSERT_TRUE(rig.connect());
    rig.driver->SetClockHour(7);
    rig.driver->RequestItem(0x89, 0, 0);
    spin(50);
    rig.driver->setTrace(nullptr);
    trace.reset();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    const QRegularExpression form(
        QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (OUT|IN ) [0-9A-F]{2}( [0-9A-F]{2})*$"));
    int out = 0, in = 0;
    for (const QByteArray &line : lines) {
        if (line.isEmpty() || line.contains(" # ") || line.startsWith('#'))
            continue;
        EXPECT_TRUE(form.match(QString::fromLatin1(line)).hasMatch()) << line.constData();
        if (line.mid(13, 3) == "OUT") {
            ++out;
            EXPECT_EQ(line.count(' '), 1 + 64); // report id and 63 bytes
        } else {
            ++in;
        }
    }
    EXPECT_EQ(out, 2);
    EXPECT_GT(in, 1);
    QFile check(path);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_TRUE(check.readAll().contains(" OUT 00 43 07 00"));
}
