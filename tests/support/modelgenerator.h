#pragma once

// Random but valid settings, as a read from a module of a firmware could
// leave them, for the round-trip tests: every field of the model is drawn
// from a seeded generator, so a failure names the seed that reproduces it.

#include "device/commands.h"
#include "settings/registers.h"
#include "settings/securityfields.h"
#include "settings/settingsmodel.h"

#include <QByteArray>
#include <QRandomGenerator>

namespace ykt::testing {

// Valid settings as a read from a module of this firmware could leave them.
class ModelGenerator
{
public:
    explicit ModelGenerator(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }
    bool coin() { return below(2) == 1; }
    quint8 byte() { return quint8(below(256)); }

    // Printable ASCII, "=" and TAB included, and 8-bit letters of a code page.
    QByteArray text(int maxLength)
    {
        QByteArray t;
        const int length = below(maxLength + 1);
        for (int k = 0; k < length; ++k)
            t +=
                coin() ? char(0x20 + below(0x5F)) : (below(8) == 0 ? '\t' : char(0xC0 + below(64)));
        return t;
    }
    QByteArray bytes(int count)
    {
        QByteArray b;
        for (int k = 0; k < count; ++k)
            b += char(byte());
        return b;
    }

    SettingsModel model(int firmware)
    {
        SettingsModel m;
        const int protocols = protocolCount(firmware);
        TcpCrFields tcp;
        tcp.channel1Protocol = below(protocols);
        tcp.channel2Protocol = below(protocols);
        tcp.channel2Use = below(3);
        tcp.channel1Used = coin();
        tcp.channel1ToPstn = coin();
        tcp.channel2ToPstn = coin();
        tcp.channel1Udp = coin();
        tcp.channel2Udp = coin();
        tcp.channel1Encrypted = coin();
        tcp.channel2Encrypted = coin();
        m.gprs.tcpcr = packTCPCR(tcp, true, FibroFirmware);
        m.gprs.connectionString = text(50);
        m.gprs.connectionString2 = text(50);
        m.gprs.apn = text(50);
        m.gprs.apnUserName = text(32);
        m.gprs.apnPassword = text(32);
        m.gprs.reserveAccounts = {text(4), text(4)};
        m.gprs.aesKeys = {bytes(16), bytes(16)};
        HeartbeatEvent event;
        event.enabled = coin();
        event.code.clear();
        for (int k = 0; k < 3; ++k)
            event.code += "0123456789ABCDEF"[below(16)];
        m.gprs.heartbeatEvent = packHeartbeatEvent(event);

        Ykt2CrFields y;
        y.usbPassword = coin();
        y.heartbeatCheck = coin();
        y.modemRestartHours = 1 + below(8);
        y.simPin = coin();
        y.heartbeatSeconds = 10 + below(65000 - 9);
        y.tcpStatistics = coin();
        y.gprsProtected = coin();
        y.workMode = WorkMode(below(3));
        m.security.ykt2cr = packYKT2CR(y) | (coin() ? 0x80u : 0u);
        m.security.usbPassword = text(16);
        m.security.ownerName = text(16);
        m.security.simPin = text(8);
        m.security.pstnKissOff = kissOffWire(8 + below(8));
        AlarmServerOptions as;
        as.eventLog = below(5);
        as.motionDetection = below(5);
        as.everyEvent = coin();
        as.reportUserNames = coin();
        as.reportZoneNames = coin();
        as.saveEventLog = coin();
        m.security.alarmSettings = mergeAlarmSettings(bytes(16), as);

        SmsPstnCrFields s;
        s.shortCallSeconds = 1 + below(8);
        s.smsTestDays = 1 + below(4);
        s.onlyRegistered = coin();
        s.limitedTroubleSms = coin();
        m.users.smsPstnCr = packSMSPSTNCR(s);
        QByteArray pin;
        for (int k = below(9); k > 0; --k)
            pin += char('0' + below(10));
        m.users.accessPin = packets::packAccessPIN(pin);
        m.users.smsBackupUse = byte();
        m.users.smsBackupNumber = text(15);

        for (PhoneRecord &r : m.phones)
            r = {text(15), byte(), 0};
        for (int n = 0; n < SettingsModel::UserCount; ++n)
            m.phones[n].addCr = byte();
        for (InputRecord &r : m.inputs)
            r = {byte(), byte(), byte(), quint16(below(65536)), bytes(5), text(50)};
        for (OutputRecord &r : m.outputs)
            r = {byte(), quint16(below(65536))};
        for (int g = 0; g < TextsArea::NameGroups; ++g)
            for (int n = 0; n < TextsArea::groupSize(g + 1); ++n)
                m.texts.itemNames[g][n] = text(16);
        for (QByteArray &p : m.texts.smsPhrases)
            p = text(16);
        for (QByteArray &p : m.texts.templatePhrases)
            p = text(16);
        m.texts.additionalTexts = {text(50), text(50)};
        m.texts.helpText = text(140);
        for (int z = 0; z < ZoneVoiceArea::ZoneCount; ++z)
            m.zoneVoice.records[z] = char(z) + bytes(8);
        m.zoneVoice.languageName = text(20);
        return m;
    }

private:
    QRandomGenerator m_random;
};

} // namespace ykt::testing
