// The read-all sequence of the driver against the virtual module: whole reads
// per firmware class, the time-out rules, lost and repeated answers, removal.

#include "driverrig.h"

#include "device/readplan.h"

using namespace ykt;
using namespace ykt::testing;

namespace {

struct FirmwareCase
{
    const char *profile;
    int requests;
    int lastRequestType;
};

class FullRead : public ::testing::TestWithParam<FirmwareCase>
{};

} // namespace

TEST_P(FullRead, EveryPlannedRequestThenEndExchange)
{
    const FirmwareCase c = GetParam();
    DriverRig rig(QString::fromLatin1(c.profile));
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(rig.readAll());

    const QList<int> ops = rig.opcodes();
    ASSERT_GE(ops.size(), 2);
    EXPECT_EQ(rig.driver->requestsWritten(), c.requests);
    EXPECT_EQ(ops.last(), 0x41);
    EXPECT_EQ(ops.at(ops.size() - 2), c.lastRequestType);
    EXPECT_EQ(ops.count(0x41), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Firmwares, FullRead,
    ::testing::Values(FirmwareCase{"ykt4m-4005", 348, 0xA0}, FirmwareCase{"ykt4m-4003", 347, 0x9F},
                      FirmwareCase{"ykt4m-4002", 249, 0x9C}, FirmwareCase{"ykt4m-2025", 247, 0x9B},
                      FirmwareCase{"ykt4m-1133", 247, 0x9B}, FirmwareCase{"ykt3m-1024", 235, 0x98},
                      FirmwareCase{"ykt3m-1020", 233, 0x96}, FirmwareCase{"ykt5", 348, 0xA0}));

TEST(ReadAll, UserNamesFollowTheModulesFirmware)
{
    for (const auto &[profile, lastUser] : {std::pair{"ykt4m-4002", 31}, {"ykt4m-4003", 63}}) {
        DriverRig rig(QString::fromLatin1(profile));
        int highest = -1;
        QObject::connect(rig.driver.get(), &TYKT2::OnItemName, rig.driver.get(),
                         [&](quint8 fdNr, quint8 idx, const QByteArray &) {
                             if (fdNr == 3)
                                 highest = qMax(highest, int(idx));
                         });
        ASSERT_TRUE(rig.connect());
        ASSERT_TRUE(rig.readAll());
        EXPECT_EQ(highest, lastUser) << profile;
    }
}

TEST(ReadAll, ValuesArriveAsTheModuleHoldsThem)
{
    DriverRig rig;
    ASSERT_TRUE(rig.connect());
    // What an installer set before: a number with its control byte, a name.
    rig.driver->SetPhoneNumber(4, 0x43, "37060012345");
    rig.driver->SetItemName(1, 63, "Back door");
    QList<std::tuple<int, int, QByteArray>> numbers;
    QByteArray zone64;
    QObject::connect(rig.driver.get(), &TYKT2::OnPhoneNumber, rig.driver.get(),
                     [&](quint8 idx, quint8 cr, const QByteArray &n) {
                         numbers.append({idx, cr, n});
                     });
    QObject::connect(rig.driver.get(), &TYKT2::OnItemName, rig.driver.get(),
                     [&](quint8 fdNr, quint8 idx, const QByteArray &name) {
                         if (fdNr == 1 && idx == 63)
                             zone64 = name;
                     });
    ASSERT_TRUE(rig.readAll());
    ASSERT_EQ(numbers.size(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(std::get<0>(numbers.at(i)), i); // in plan order
    EXPECT_EQ(numbers.at(4), std::make_tuple(4, 0x43, QByteArray("37060012345")));
    EXPECT_EQ(zone64, QByteArray("Back door"));
}

TEST(ReadAll, FirstAnswerGetsTheGracePeriodsLaterOnesTheWatchdog)
{
    // Grace 200 ms four times, then the 300 ms watchdog: the first answer
    // may take up to 1100 ms. The module never answers the first request.
    DriverRig rig(QStringLiteral("ykt4m-4005,drop=1"));
    ASSERT_TRUE(rig.connect());
    QElapsedTimer clock;
    clock.start();
    rig.driver->StartReadAll();
    ASSERT_TRUE(waitFor([&] { return rig.driver->ReadAborted(); }, 5000));
    const qint64 firstLimit = clock.elapsed();
    EXPECT_GE(firstLimit, 1100);
    EXPECT_TRUE(rig.driver->Reading());          // a late answer would still go on
    EXPECT_EQ(rig.driver->requestsWritten(), 1); // the first request is not repeated

    // A later answer has only the watchdog.
    DriverRig later(QStringLiteral("ykt4m-4005,drop=5"));
    ASSERT_TRUE(later.connect());
    later.driver->StartReadAll();
    ASSERT_TRUE(waitFor([&] { return later.driver->requestsWritten() == 5; }, 2000));
    clock.restart();
    ASSERT_TRUE(waitFor([&] { return later.driver->ReadAborted(); }, 5000));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(later.driver->requestsWritten(), 5);
}

TEST(ReadAll, LateAnswerContinuesAFailedReadToTheEnd)
{
    DriverRig rig(QStringLiteral("ykt3m-1020,drop=3"));
    ASSERT_TRUE(rig.connect());
    rig.driver->StartReadAll();
    ASSERT_TRUE(waitFor([&] { return rig.driver->ReadAborted(); }));
    // The answer to the lost request (0x82) comes after all.
    rig.driver->RequestItem(0x82, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !rig.driver->Reading(); }, 20000));
    EXPECT_FALSE(rig.driver->ReadAborted());
    EXPECT_TRUE(waitFor([&] { return rig.opcodes().last() == 0x41; }));
}

TEST(ReadAll, RepeatedSequenceNumberIsNotAnAnswer)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,repeat=3"));
    int apn = 0, userName = 0, password = 0;
    QObject::connect(rig.driver.get(), &TYKT2::OnAPN, [&] { ++apn; });
    QObject::connect(rig.driver.get(), &TYKT2::OnUserName, [&] { ++userName; });
    QObject::connect(rig.driver.get(), &TYKT2::OnPassword, [&] { ++password; });
    ASSERT_TRUE(rig.connect());
    rig.driver->StartReadAll();
    ASSERT_TRUE(waitFor([&] { return rig.driver->ReadAborted(); }));
    EXPECT_EQ(apn, 1);
    EXPECT_EQ(userName, 0); // its answer carried the previous number
    EXPECT_EQ(password, 0);
    EXPECT_EQ(rig.driver->requestsWritten(), 3);
}

TEST(ReadAll, FirstReportAfterConnectOnlyPrimesTheSequence)
{
    // No state reports: the answer to the first request is the first report
    // the driver sees after connecting, so it is taken as already seen.
    DriverRig rig(QStringLiteral("ykt4m-4005,state=0"));
    int connectionStrings = 0;
    QObject::connect(rig.driver.get(), &TYKT2::OnConnectionString, [&] { ++connectionStrings; });
    ASSERT_TRUE(waitFor([&] { return rig.driver->Connected(); }));
    rig.driver->StartReadAll();
    ASSERT_TRUE(waitFor([&] { return rig.driver->ReadAborted(); }));
    EXPECT_EQ(connectionStrings, 0);
    // The next answer counts.
    rig.driver->RequestItem(0x80, 0, 0);
    EXPECT_TRUE(waitFor([&] { return connectionStrings == 1; }));
}

TEST(ReadAll, AnswerOfAnotherTypeDrivesTheSequenceFromItself)
{
    DriverRig rig;
    QList<int> types;
    QObject::connect(rig.driver.get(), &TYKT2::AnswerRaised,
                     [&](const Message &m) { types.append(m.type); });
    ASSERT_TRUE(rig.connect());
    // Idle: an answer raises its event and sends nothing more.
    const int before = rig.driver->packetsWritten();
    rig.driver->RequestPGMPhoneNumber(31);
    ASSERT_TRUE(waitFor([&] { return types.size() == 1; }));
    spin(50);
    EXPECT_EQ(types, QList<int>{0x91});
    EXPECT_EQ(rig.driver->packetsWritten(), before + 1);

    // Reading: the answer to a stray request for the last PGM number moves
    // the walk on to the output settings.
    types.clear();
    rig.sim->setFaults(sim::Faults{/*dropAnswer*/ 1});
    rig.driver->StartReadAll(); // its first request goes unanswered
    rig.driver->RequestPGMPhoneNumber(31);
    ASSERT_TRUE(waitFor([&] { return types.size() >= 3; }));
    EXPECT_EQ(types.mid(0, 3), (QList<int>{0x91, 0x92, 0x92}));
    rig.driver->SetClosing();
}

TEST(ReadAll, UnplugMidReadThenReplugReadsAgain)
{
    DriverRig rig(QStringLiteral("ykt4m-4005,unplug=40"));
    int connects = 0, disconnects = 0;
    QObject::connect(rig.driver.get(), &TYKT2::OnConnect, [&] { ++connects; });
    QObject::connect(rig.driver.get(), &TYKT2::OnDisconnect, [&] { ++disconnects; });
    ASSERT_TRUE(rig.connect());
    rig.driver->SetOwnerName("Kept across"); // packet 1
    rig.driver->StartReadAll();
    ASSERT_TRUE(waitFor([&] { return disconnects == 1; }));
    EXPECT_FALSE(rig.driver->Connected());
    EXPECT_TRUE(rig.driver->ProductName().isEmpty());
    EXPECT_EQ(rig.driver->FirmwareVersion(), 4005); // kept
    ASSERT_TRUE(waitFor([&] { return rig.driver->ReadAborted(); }));

    QByteArray owner;
    QObject::connect(rig.driver.get(), &TYKT2::OnYKTOwnerName,
                     [&](const QByteArray &o) { owner = o; });
    rig.sim->setFaults({});
    rig.sim->plug();
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(connects, 2);
    ASSERT_TRUE(rig.readAll());
    EXPECT_EQ(owner, QByteArray("Kept across"));
}

TEST(ReadAll, GarbageAndShortReportsNeitherCrashNorStallTheDriver)
{
    for (const char *spec :
         {"ykt4m-4005,garbage=2", "ykt4m-4005,short=3", "ykt4m-4005,seed=7,garbage=1"}) {
        DriverRig rig(QString::fromLatin1(spec));
        ASSERT_TRUE(rig.connect());
        rig.driver->StartReadAll();
        // Whatever the bad report did to the walk, it ends one way or the other.
        ASSERT_TRUE(
            waitFor([&] { return !rig.driver->Reading() || rig.driver->ReadAborted(); }, 20000))
            << spec;
        // And the link still works.
        QByteArray owner;
        QObject::connect(rig.driver.get(), &TYKT2::OnYKTOwnerName,
                         [&](const QByteArray &o) { owner = o; });
        rig.driver->RequestItem(0x89, 0, 0);
        EXPECT_TRUE(waitFor([&] { return owner == "Demo site"; })) << spec;
    }
}

TEST(ReadAll, AnAnswerCutShortIsNotTaken)
{
    // The second request of the read asks for the APN; its answer arrives
    // cut to 4 bytes ("in" of "internet").
    DriverRig rig(QStringLiteral("ykt4m-4005,short=2"));
    QList<QByteArray> apns;
    QObject::connect(rig.driver.get(), &TYKT2::OnAPN,
                     [&](const QByteArray &apn) { apns.append(apn); });
    ASSERT_TRUE(rig.connect());
    rig.driver->StartReadAll();
    ASSERT_TRUE(
        waitFor([&] { return !rig.driver->Reading() || rig.driver->ReadAborted(); }, 20000));
    for (const QByteArray &apn : apns)
        EXPECT_EQ(apn, QByteArray("internet"));
}
