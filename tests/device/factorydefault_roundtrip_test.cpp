// The factory default written to the virtual module through the driver, as
// the window and ykt4m-cli do it: read, reset, write, read back. The module
// then holds the factory values, a locked module keeps its GPRS area, and a
// module with a memory file still holds them in the next run.

#include "driverrig.h"

#include "settings/factorydefault.h"
#include "settings/readbackcheck.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsreceiver.h"

#include <QTemporaryDir>

using namespace ykt;
using namespace ykt::testing;

namespace {

QByteArray message(int n)
{
    switch (n) {
    case 17:
        return "GPRS statistics:";
    case 19:
        return "Zone";
    case 23:
        return "Input";
    default:
        return "Text" + QByteArray::number(n);
    }
}

struct FactoryRig : DriverRig
{
    explicit FactoryRig(const QString &spec)
        : DriverRig(spec, fastTimings(), /*sink*/ false),
          receiver(driver.get(), &model, &announcer, [] { return 0; })
    {
        QObject::connect(driver.get(), &TYKT2::OnModemData, driver.get(), [] {});
    }

    bool write(const QList<SendStep> &plan)
    {
        for (const SendStep &step : plan) {
            if (!driver->WritePacket(step.packet, 6000))
                return false;
            if (step.pauseAfterMs > 0)
                spin(step.pauseAfterMs);
        }
        return true;
    }

    FactoryContext context(bool complete)
    {
        FactoryContext c;
        c.firmwareVersion = driver->FirmwareVersion();
        c.settingsLocked = driver->SettingsLocked();
        c.complete = complete;
        c.message = message;
        return c;
    }

    SettingsModel model;
    SettingsAnnouncer announcer;
    SettingsReceiver receiver;
};

} // namespace

TEST(FactoryDefaultRoundTrip, TheModuleHoldsTheFactoryValues)
{
    const struct
    {
        const char *spec;
        bool locked;
    } modules[] = {{"ykt4m-4005", false},
                   {"ykt4m-2030", false},
                   {"ykt3m-1024", false},
                   {"ykt4m-4005,password=77,lock=1", true}};
    for (const auto &module : modules) {
        SCOPED_TRACE(module.spec);
        FactoryRig rig(QString::fromLatin1(module.spec));
        ASSERT_TRUE(rig.connect());
        ASSERT_EQ(rig.driver->SettingsLocked(), module.locked);
        ASSERT_TRUE(rig.readAll());
        const QByteArray apnBefore = rig.sim->storedText(0x01);
        ASSERT_FALSE(apnBefore.isEmpty());

        const FactoryContext c = rig.context(true);
        const QList<SendStep> plan = buildFactoryDefaultPlan(rig.model, c);
        ASSERT_TRUE(rig.write(plan));
        rig.model = SettingsModel();
        ASSERT_TRUE(rig.readAll());
        for (const ReadBackDifference &d : compareReadBack(plan, rig.model, c.sendContext()))
            ADD_FAILURE() << d.setting.toStdString() << ": sent " << d.sent.toStdString()
                          << ", read " << d.read.toStdString();

        EXPECT_EQ(rig.model.users.accessPin, 0x1111FFFFu);
        EXPECT_EQ(rig.model.users.smsPstnCr, 0x80120000u);
        EXPECT_TRUE(rig.model.phones[0].number.isEmpty());
        EXPECT_EQ(rig.model.inputs[5].smsText, "Input6");
        EXPECT_EQ(rig.model.texts.itemNames[0][0], "Zone1");
        EXPECT_EQ(rig.model.texts.additionalTexts[1], "GPRS statistics:");
        // A locked module did not take the GPRS area.
        EXPECT_EQ(rig.sim->storedText(0x01), module.locked ? apnBefore : QByteArray());
    }
}

TEST(FactoryDefaultRoundTrip, PartialFormAndTheNextRun)
{
    QTemporaryDir dir;
    const QString spec = QStringLiteral("ykt4m-4005,memory=") + dir.filePath(QStringLiteral("m"));
    SettingsModel written;
    {
        FactoryRig rig(spec);
        ASSERT_TRUE(rig.connect());
        ASSERT_TRUE(rig.readAll());
        const QByteArray zoneName = rig.model.texts.itemNames[0][0];
        const FactoryContext c = rig.context(false);
        written = rig.model;
        applyFactoryDefaults(written, c);
        ASSERT_TRUE(rig.write(buildFactoryDefaultPlan(rig.model, c)));
        // The partial form leaves the names alone.
        EXPECT_EQ(written.texts.itemNames[0][0], zoneName);
    } // the module's memory is saved as it goes

    FactoryRig next(spec);
    ASSERT_TRUE(next.connect());
    ASSERT_TRUE(next.readAll());
    // What the model held after the partial form is what the module holds.
    EXPECT_EQ(next.model.phones, written.phones);
    EXPECT_EQ(next.model.inputs, written.inputs);
    EXPECT_EQ(next.model.outputs, written.outputs);
    EXPECT_EQ(next.model.users, written.users);
    EXPECT_EQ(next.model.gprs.connectionString, written.gprs.connectionString);
    EXPECT_EQ(next.model.security.alarmSettings, written.security.alarmSettings);
    EXPECT_EQ(next.model.zoneVoice.records, written.zoneVoice.records);
    EXPECT_EQ(next.model.texts.additionalTexts, written.texts.additionalTexts);
}
