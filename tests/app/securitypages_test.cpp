// The Security, GSM Modem and Advanced settings pages through the real window,
// attached to the virtual module: what a read shows, the USB password
// interlock, editing, and what goes into the model when the pages commit.

#include "app/forms/lamp.h"
#include "settings/pages/advancedpage.h"
#include "settings/pages/modempage.h"
#include "settings/pages/securitypage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>

#include "pagerig.h"

namespace ykt::testing {
namespace {

QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(v >> (24 - 8 * i));
    return b;
}

QByteArray u16(quint16 v)
{
    return QByteArray(1, char(v >> 8)) + char(v);
}

constexpr quint32 Heartbeat600 = 600u << 8;
constexpr quint32 AdvancedMode = 1u << 26;

// Byte 6: zone names, and bits that are no option; byte 7: user names and
// others; byte 12: event log 2, motion bits 2-1 = 01, and bits 5-7 that are
// always written as 0; byte 13: motion bit 0 and others. Motion index 3.
QByteArray receivedAlarmBlock()
{
    QByteArray block;
    for (int i = 0; i < 16; ++i)
        block.append(char(0x11 * i + 0x05));
    block[6] = char(0xA1);
    block[7] = char(0x85);
    block[12] = char(0xE9);
    block[13] = char(0x92);
    return block;
}

struct SecurityRig : PageRig
{
    SecurityRig() : PageRig(QStringLiteral("ykt4m-4005"))
    {
        // USB password on connect, SIM PIN used but refused, restart every
        // 8 hours, TCP statistics, Advanced communicator.
        sim->setRecord(
            0x0A, 0, 0,
            u32(1u << 0 | 7u << 3 | 1u << 6 | 1u << 7 | Heartbeat600 | 1u << 24 | AdvancedMode));
        sim->setRecord(0x07, 0, 0, QByteArray("4321").leftJustified(16, ' '));
        sim->setRecord(0x18, 0, 0, QByteArray("1234").leftJustified(8, ' '));
        sim->setRecord(0x1E, 0, 0, u16(2400));
        sim->setRecord(0x1F, 0, 0, receivedAlarmBlock());
    }

    template <class W> W *in(QWidget &page, const char *name)
    {
        W *w = page.findChild<W *>(QLatin1String(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
};

TEST(SecurityPages, ReadEditAndCommitTheThreePages)
{
    SecurityRig rig;
    ASSERT_TRUE(rig.ready());
    auto &security = rig.page<TSecurityPage>(SecurityPageIndex);
    auto &modem = rig.page<TGsmModemPage>(GsmModemPageIndex);
    auto &advanced = rig.page<TAdvancedPage>(AdvancedPageIndex);

    // --- What the read shows. ---
    auto *owner = rig.in<QLineEdit>(security, "Edit8");
    auto *usbConnect = rig.in<QCheckBox>(security, "TntCheckBox3");
    auto *gprsProtect = rig.in<QCheckBox>(security, "TntCheckBox41");
    auto *password = rig.in<QLineEdit>(security, "Edit9");
    EXPECT_EQ(owner->text(), QStringLiteral("Demo site"));
    EXPECT_TRUE(owner->isEnabled());
    EXPECT_TRUE(usbConnect->isChecked());
    EXPECT_FALSE(gprsProtect->isChecked());
    EXPECT_FALSE(gprsProtect->isEnabled()) << "the password on connect rules it out";
    EXPECT_EQ(password->text(), QStringLiteral("4321"));
    EXPECT_TRUE(password->isEnabled());

    auto *useSimPin = rig.in<QCheckBox>(modem, "TntCheckBox28");
    auto *simPin = rig.in<QLineEdit>(modem, "TntEdit1");
    auto *restart = rig.in<QSpinBox>(modem, "SpinEdit40");
    auto *tcpStatistics = rig.in<QCheckBox>(modem, "TntCheckBox40");
    EXPECT_TRUE(useSimPin->isChecked());
    EXPECT_EQ(simPin->text(), QStringLiteral("1234"));
    EXPECT_FALSE(simPin->isReadOnly());
    EXPECT_FALSE(rig.in<QLabel>(modem, "TntLabel5")->isHidden()) << "Incorrect SIM PIN";
    EXPECT_TRUE(rig.in<QGroupBox>(modem, "TntGroupBox2")->autoFillBackground()) << "drawn red";
    EXPECT_EQ(restart->value(), 8);
    EXPECT_TRUE(restart->isEnabled()) << "SMSPSTNCR arrived";
    EXPECT_TRUE(tcpStatistics->isChecked());

    auto *kissOff = rig.in<QSpinBox>(advanced, "BMDSpinEdit1");
    auto *reporting = rig.in<QGroupBox>(advanced, "TntGroupBox18");
    auto *privacy = rig.in<QGroupBox>(advanced, "TntGroupBox17");
    auto *eventLog = rig.in<QComboBox>(advanced, "TntComboBox15");
    auto *everyEvent = rig.in<QCheckBox>(advanced, "TntCheckBox53");
    EXPECT_EQ(kissOff->text(), QStringLiteral("1.2"));
    EXPECT_FALSE(reporting->isHidden()) << "Advanced communicator";
    EXPECT_FALSE(privacy->isHidden());
    EXPECT_TRUE(reporting->isEnabled() && privacy->isEnabled());
    EXPECT_EQ(eventLog->currentIndex(), 2);
    EXPECT_EQ(rig.in<QComboBox>(advanced, "TntComboBox16")->currentIndex(), 3);
    EXPECT_FALSE(everyEvent->isChecked());
    EXPECT_TRUE(rig.in<QCheckBox>(advanced, "TntCheckBox50")->isChecked());
    EXPECT_TRUE(rig.in<QCheckBox>(advanced, "TntCheckBox51")->isChecked());
    EXPECT_FALSE(rig.in<QCheckBox>(advanced, "TntCheckBox52")->isChecked());

    // --- The USB password interlock, clicked on the shown page. ---
    rig.form->GoToPage(SecurityPageIndex);
    QApplication::setActiveWindow(rig.form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
    ASSERT_TRUE(password->isVisible());
    usbConnect->click(); // off: the GPRS box is usable, the password not
    EXPECT_TRUE(gprsProtect->isEnabled());
    EXPECT_FALSE(password->isEnabled());
    EXPECT_EQ(password->text(), QStringLiteral("4321")) << "kept while disabled";
    gprsProtect->click();
    EXPECT_TRUE(password->isEnabled());
    EXPECT_TRUE(password->hasFocus()) << "the click hands the password the focus";
    owner->setFocus();
    usbConnect->click(); // on: clears and disables the GPRS box
    EXPECT_FALSE(gprsProtect->isChecked());
    EXPECT_FALSE(gprsProtect->isEnabled());
    EXPECT_TRUE(password->hasFocus());
    usbConnect->click(); // off again: the GPRS box is not ticked again
    EXPECT_FALSE(gprsProtect->isChecked());
    EXPECT_FALSE(password->isEnabled());
    gprsProtect->click();

    // --- Edits. ---
    password->setFocus();
    password->selectAll();
    QTest::keyClick(password, 's');
    QTest::sendKeyEvent(QTest::Click, password, Qt::Key_Eacute, QStringLiteral("\u00e9"), {});
    QTest::keyClicks(password, QStringLiteral("cret"));
    EXPECT_EQ(rig.model().security.usbPassword, QByteArray("s\xe9"
                                                           "cret"))
        << "committed as typed, in the language's code page";
    owner->setFocus();
    owner->end(false);
    QTest::keyClicks(owner, QStringLiteral(" and more than sixteen"));
    EXPECT_EQ(owner->text(), QStringLiteral("Demo site and mo"));

    useSimPin->click();
    EXPECT_TRUE(simPin->isReadOnly());
    EXPECT_EQ(simPin->text(), QStringLiteral("1234"));
    useSimPin->click();
    simPin->setFocus();
    simPin->end(false);
    QTest::keyClicks(simPin, QStringLiteral("5a6-7890"));
    EXPECT_EQ(simPin->text(), QStringLiteral("12345678")) << "digits only, at most eight";
    restart->setValue(3);
    tcpStatistics->click();

    for (int i = 0; i < 4; ++i)
        kissOff->stepUp();
    EXPECT_EQ(kissOff->text(), QStringLiteral("1.5")) << "1.5 s at most";
    everyEvent->click();
    EXPECT_FALSE(eventLog->isEnabled()) << "every event: no event log choice";
    rig.in<QCheckBox>(advanced, "TntCheckBox51")->click();
    rig.in<QCheckBox>(advanced, "TntCheckBox52")->click();

    // --- What the pages commit. ---
    security.Commit();
    modem.Commit();
    advanced.Commit();
    const SecurityArea &area = rig.model().security;
    EXPECT_EQ(area.ownerName, QByteArray("Demo site and mo"));
    EXPECT_EQ(area.usbPassword, QByteArray("s\xe9"
                                           "cret"));
    EXPECT_EQ(area.simPin, QByteArray("12345678"));
    // Bit 25 on, bit 0 off, restart 3 hours, SIM PIN used, its refusal not
    // written back, no TCP statistics; the heartbeat and the work mode as read.
    EXPECT_EQ(area.ykt2cr, 1u << 25 | 2u << 3 | 1u << 6 | Heartbeat600 | AdvancedMode)
        << std::hex << area.ykt2cr;
    EXPECT_EQ(area.pstnKissOff, 3000);

    QByteArray expected = receivedAlarmBlock();
    expected[6] = char(0xA2);  // zone names off, save event log on
    expected[12] = char(0x09); // event log 2 kept, motion bits 2-1, bits 5-7 cleared
    expected[13] = char(0xD2); // every event on, motion bit 0 kept
    EXPECT_EQ(area.alarmSettings.toHex(), expected.toHex());

    // The summary leaves out the event log while every event is reported.
    const QString summary = summaryPlainText(rig.form->BuildSummary());
    EXPECT_TRUE(summary.contains(QStringLiteral("\n\t\tEvery event:\t")));
    EXPECT_FALSE(summary.contains(QStringLiteral("Event log:")));
    EXPECT_TRUE(summary.contains(QStringLiteral("\n\t\tMotion detection:\t")));
    EXPECT_TRUE(summary.contains(QStringLiteral("\n\t\tSave event log:\t")));

    // --- The lock view hides the password and its two uses. ---
    EXPECT_TRUE(summary.contains(QStringLiteral("\n\t\tUse password to prevent")));
    security.ApplyLockView(true);
    EXPECT_TRUE(usbConnect->isHidden() && gprsProtect->isHidden() && password->isHidden());
    security.ApplyLockView(false);
    EXPECT_FALSE(usbConnect->isHidden() || gprsProtect->isHidden() || password->isHidden());

    // --- Older firmware. ---
    ModuleContext old;
    old.firmwareVersion = 4002;
    advanced.ApplyCapabilities(old);
    EXPECT_FALSE(kissOff->isEnabled());
    EXPECT_FALSE(reporting->isEnabled());
    old.firmwareVersion = 1023;
    modem.ApplyCapabilities(old);
    EXPECT_TRUE(rig.in<QGroupBox>(modem, "TntGroupBox2")->isHidden());

    // --- The live GPRS group: powered up, set up, attached; level 15 with
    // connecting, connected and sending but no message sent. ---
    modem.ShowState(ModemRegisters{0x46, 0, 0, 0xF203}, 4, 9);
    const auto lit = [&](const char *name) { return rig.in<Lamp>(modem, name)->isLit(); };
    EXPECT_TRUE(lit("VrLedGPRSSettedUp") && lit("VrLedGPRSGSMAttached") &&
                lit("VrLedGPRSPoweredUp"));
    EXPECT_FALSE(lit("VrLedGPRSOpening"));
    EXPECT_TRUE(lit("VrLedGPRSConnecting") && lit("VrLedGPRSConnected") && lit("VrLedGPRSSending"));
    EXPECT_EQ(rig.in<QProgressBar>(modem, "VrLevelBar2")->value(), 15);
    EXPECT_EQ(rig.in<QLabel>(modem, "TntLabelGPRSBufferCount")->text(), QStringLiteral("4"));
    EXPECT_EQ(rig.in<QLabel>(modem, "TntLabelGPRSSentCount")->text(), QStringLiteral("9"));
}

} // namespace
} // namespace ykt::testing
