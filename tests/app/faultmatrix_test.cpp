// Every fault of the virtual module at the start, in the middle and at the end
// of a read and of a send, through the real window: no crash, no wait that
// does not end, either the operation completes or message 39 says it did not,
// a send is never reported as checked when the module does not hold it, and
// nothing but the module's own values reaches the settings model.

#include "device/tykt2.h"
#include "wizard/wizardtab.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "pagerig.h"

namespace ykt::testing {
namespace {

constexpr char EditedApn[] = "fault.example";

RigOptions faultRigOptions()
{
    RigOptions options;
    options.pacingMs = 0;
    return options;
}

struct FaultRig : WindowRig
{
    explicit FaultRig(const QString &spec) : WindowRig(spec, {}, faultRigOptions())
    {
        writeFile(QStringLiteral("comps.txt"), numberedMessages());
    }
    bool said39() const
    {
        return std::any_of(scripted.boxes.cbegin(), scripted.boxes.cend(),
                           [](const DialogSeam::Box &b) { return b.text == QLatin1String("m39"); });
    }
    int packets() const { return int(sim->receivedPackets().size()); }
};

// Whether every value of model is the module's own (reference) or what the
// test typed; an empty value is one that did not arrive.
void expectOnlyModuleValues(const SettingsModel &model, const SettingsModel &reference)
{
    for (int i = 0; i < SettingsModel::PhoneRecordCount; ++i) {
        const QByteArray &n = model.phones[size_t(i)].number;
        EXPECT_TRUE(n.isEmpty() || n == reference.phones[size_t(i)].number) << "phone " << i;
    }
    const QByteArray &apn = model.gprs.apn;
    EXPECT_TRUE(apn.isEmpty() || apn == reference.gprs.apn || apn == EditedApn) << apn.data();
    for (int g = 0; g < TextsArea::NameGroups; ++g) {
        for (int k = 0; k < TextsArea::groupSize(g + 1); ++k) {
            const QByteArray &name = model.texts.itemNames[size_t(g)][size_t(k)];
            EXPECT_TRUE(name.isEmpty() || name == reference.texts.itemNames[size_t(g)][size_t(k)])
                << "name " << g << "/" << k;
        }
    }
    for (int i = 0; i < SettingsModel::InputCount; ++i) {
        const QByteArray &sms = model.inputs[size_t(i)].smsText;
        EXPECT_TRUE(sms.isEmpty() || sms == reference.inputs[size_t(i)].smsText) << "input " << i;
    }
}

// Where the faults strike, counted as the virtual module counts: packets,
// or read requests (a send has none; its read-back has).
struct Positions
{
    int readPackets = 0;  // packets of the first read, from the plug-in
    int sendPackets = 0;  // all packets up to the end of the send's read-back
    int readRequests = 0; // read requests of one read
};

Positions measure(SettingsModel *reference)
{
    Positions p;
    FaultRig rig(QStringLiteral("ykt4m-4005"));
    EXPECT_TRUE(rig.readDone());
    p.readPackets = rig.packets();
    for (const QByteArray &packet : rig.sim->receivedPackets())
        p.readRequests += quint8(packet.at(0)) >= 0x80;
    *reference = rig.form->model();
    QSignalSpy outcome(rig.form.get(), &TForm1::sendFinished);
    rig.form->OpenConfigurationPages();
    rig.form->findChild<QLineEdit *>(QStringLiteral("Edit2"))->setText(QLatin1String(EditedApn));
    rig.form->wizardTab()->sendButton()->click();
    EXPECT_TRUE(waitFor([&] { return !outcome.isEmpty(); }, 30000));
    p.sendPackets = rig.packets();
    return p;
}

TEST(FaultMatrix, EveryFaultAtTheStartMiddleAndEndOfAReadAndASend)
{
    SettingsModel reference;
    const Positions p = measure(&reference);
    ASSERT_GT(p.readPackets, 300);
    ASSERT_GT(p.sendPackets, 2 * p.readPackets);
    const int sendStart = p.readPackets + 3;
    const int sendMiddle = p.readPackets + (p.sendPackets - 2 * p.readPackets) / 2;
    const int readBackEnd = p.sendPackets - 3;
    const int r = p.readRequests;

    struct Case
    {
        QString fault;
        bool send; // struck during the send (or its read-back), not the first read
    };
    QList<Case> cases;
    const auto at = [&](const char *key, int read1, int read2, int read3, int send1, int send2,
                        int send3, const char *extra = "") {
        for (int k : {read1, read2, read3})
            cases.append(
                {QStringLiteral("%1=%2%3").arg(QLatin1String(key)).arg(k).arg(QLatin1String(extra)),
                 false});
        for (int k : {send1, send2, send3})
            cases.append(
                {QStringLiteral("%1=%2%3").arg(QLatin1String(key)).arg(k).arg(QLatin1String(extra)),
                 true});
    };
    // Counted in read requests: the send's are those of its read-back.
    for (const char *key : {"drop", "short", "garbage", "repeat"})
        at(key, 2, r / 2, r - 2, r + 2, r + r / 2, 2 * r - 2);
    // Counted in packets.
    for (const char *key : {"stuckbusy", "unplug"})
        at(key, 2, p.readPackets / 2, p.readPackets - 2, sendStart, sendMiddle, readBackEnd);
    at("unplug", 2, p.readPackets / 2, p.readPackets - 2, sendStart, sendMiddle, readBackEnd,
       ",replug=100");
    cases.append({QStringLiteral("delay=3"), false});
    cases.append({QStringLiteral("delay=3"), true});

    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.fault.toStdString() << (c.send ? " during a send" : " during a read"));
        FaultRig rig(QStringLiteral("ykt4m-4005,") + c.fault);
        // The virtual module would pull itself out again at every plug-in:
        // once it has been out, it comes back whole.
        if (c.fault.contains(QLatin1String("replug"))) {
            QObject::connect(rig.form->driver(), &TYKT2::OnDisconnect, rig.form.get(), [&rig] {
                sim::Faults back;
                back.replugAfterMs = 100;
                rig.sim->setFaults(back);
            });
        }
        // Every wait ends: the read completes or fails.
        ASSERT_TRUE(waitFor([&] { return rig.refreshes > 0 || rig.failures > 0; }, 30000));
        if (!c.send) {
            EXPECT_TRUE(rig.failures == 0 || rig.said39());
            expectOnlyModuleValues(rig.form->model(), reference);
            continue;
        }
        if (rig.failures > 0) // a read fault where none was meant: nothing to send on
            continue;
        QSignalSpy outcome(rig.form.get(), &TForm1::sendFinished);
        rig.form->OpenConfigurationPages();
        rig.form->findChild<QLineEdit *>(QStringLiteral("Edit2"))
            ->setText(QLatin1String(EditedApn));
        rig.form->wizardTab()->sendButton()->click();
        ASSERT_TRUE(waitFor([&] { return !outcome.isEmpty() || rig.said39(); }, 30000));
        if (!outcome.isEmpty() && outcome.first().first().toBool()) {
            // Checked: the module holds it.
            EXPECT_EQ(rig.sim->storedText(0x01), QByteArray(EditedApn));
            EXPECT_FALSE(rig.said39());
        } else {
            EXPECT_TRUE(rig.said39() || !rig.form->lastDifferences().isEmpty());
        }
        expectOnlyModuleValues(rig.form->model(), reference);
        EXPECT_FALSE(rig.form->sending());
    }
}

} // namespace
} // namespace ykt::testing
