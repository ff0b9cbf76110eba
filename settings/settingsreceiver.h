#pragma once

// Puts the module's answers into the settings model. It takes every settings
// answer of the driver (all but the modem data, which the status bar shows),
// stores the value where it belongs and then says so through the settings
// announcer, whose stored() the pages connect to and read the model from. Being connected to an
// answer is also what lets the read of all settings go on past it, so the two answers the program
// does not keep (the third connection string and CPCR) are taken too and dropped.
//
// Answers are taken as they come: an index outside the range of its table is
// ignored, texts are cut to the length their field holds, and names, phrases
// and SMS texts are converted from the module's character set with the
// conversion type of the current language. Nothing the module sends can make
// it write outside the model's tables.

#include "device/commands.h"
#include "settings/settingsmodel.h"

#include <QByteArray>
#include <QObject>

#include <functional>

namespace ykt {

class SettingsAnnouncer;
class TYKT2;

class SettingsReceiver : public QObject
{
    Q_OBJECT
public:
    // The answer types that the announcer's stored() names: the module answers the read of
    // an item with its write opcode plus 0x80.
    enum Answer : quint8
    {
        ConnectionString = opcode::ReadBase + opcode::SetConnectionString,
        APN = opcode::ReadBase + opcode::SetAPN,
        UserName = opcode::ReadBase + opcode::SetUserName,
        Password = opcode::ReadBase + opcode::SetPassword,
        TCPCR = opcode::ReadBase + opcode::SetTCPCR,
        ConnectionString2 = opcode::ReadBase + opcode::SetConnectionString2,
        USBPassword = opcode::ReadBase + opcode::SetUSBPassword,
        ReserveAccount = opcode::ReadBase + opcode::SetReserveAccount,
        OwnerName = opcode::ReadBase + opcode::SetOwnerName,
        YKT2CR = opcode::ReadBase + opcode::SetYKT2CR,
        PhoneNumber = opcode::ReadBase + opcode::SetPhoneNumber,
        SMSPSTNCR = opcode::ReadBase + opcode::SetSMSPSTNCR,
        SMSPhrase = opcode::ReadBase + opcode::SetSMSPhrase,
        HelpText = opcode::ReadBase + opcode::SetHelpText,
        InputSetting = opcode::ReadBase + opcode::SetInputSetting,
        ItemName = opcode::ReadBase + opcode::SetItemName,
        PGMPhoneNumber = opcode::ReadBase + opcode::SetPGMPhoneNumber,
        OutputSetting = opcode::ReadBase + opcode::SetOutputSetting,
        InputSMSText = opcode::ReadBase + opcode::SetInputSMSText,
        AccessPIN = opcode::ReadBase + opcode::SetAccessPIN,
        SMSBackupPhoneNumber = opcode::ReadBase + opcode::SetSMSBackupPhoneNumber,
        AdditionalSMSText = opcode::ReadBase + opcode::SetAdditionalSMSText,
        SIMpin = opcode::ReadBase + opcode::SetSIMpin,
        HeartBeatEventId = opcode::ReadBase + opcode::SetHeartBeatEventId,
        PhoneNumberAdditionalCR = opcode::ReadBase + opcode::SetPhoneNumberAdditionalCR,
        AES128Key = opcode::ReadBase + opcode::SetAES128Key,
        ZoneVoiceIndex = opcode::ReadBase + opcode::SetZoneVoiceIndex,
        PSTNKissOff = opcode::ReadBase + opcode::SetPSTNKissOff,
        AlarmSettings = opcode::ReadBase + opcode::SetAlarmSettings,
        VoiceLanguageName = 0xA0, // read only: no command writes it
    };

    // conversionType gives the module character-set conversion of the
    // current language at the moment a text arrives; empty means none.
    // The model and the announcer must outlive the receiver. The receiver may outlive the
    // driver (its connections then end with it).
    SettingsReceiver(TYKT2 *driver, SettingsModel *model, SettingsAnnouncer *announcer,
                     std::function<int()> conversionType, QObject *parent = nullptr);

    SettingsModel *model() const { return m_model; }

    // The index that stored() gives for item name idx of group fdNr (1..5),
    // and back.
    static constexpr int itemNameIndex(int fdNr, int idx) { return fdNr << 8 | idx; }
    static constexpr int itemNameGroup(int index) { return index >> 8; }
    static constexpr int itemNamePosition(int index) { return index & 0xFF; }

    // The announcer tells, for each answer stored, its answerType (0x80..0xA0)
    // and index: the answer's Idx for indexed items (0..9 for users, 0..31
    // for the remote control numbers, which live in phone records 10..41; the
    // zone for zone voice records; the channel 0 or 1 the account went to),
    // itemNameIndex() for item names, and -1 for single items. Nothing is
    // announced for ignored answers or indexes out of range.

private:
    QByteArray fromModuleCharset(const QByteArray &text) const;

    void onConnectionString(const QByteArray &text);
    void onConnectionString2(const QByteArray &text);
    void onAPN(const QByteArray &text);
    void onUserName(const QByteArray &text);
    void onPassword(const QByteArray &text);
    void onTCPCR(quint32 data);
    void onReserveAccount(qint32 idx, const QByteArray &s);
    void onHeartBeatEventId(quint16 data);
    void onAES128Key(quint8 idx, const QByteArray &key);

    void onInputSetting(quint8 idx, quint8 cr, quint8 violations, quint8 sensivity,
                        quint16 noSenseInterval, const QByteArray &cid);
    void onInputSMSText(qint32 idx, const QByteArray &s);

    void onPGMPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number);
    void onOutputSetting(quint8 idx, quint8 cr, quint16 impLength);

    void onPhoneNumber(quint8 idx, quint8 cr, const QByteArray &number);
    void onPhoneNumberAdditionalCR(quint8 idx, quint8 cr);
    void onSMSPSTNCR(quint32 data);
    void onAccessPIN(quint32 data);
    void onSMSBackupPhoneNumber(quint8 cr, const QByteArray &number);

    void onUSBPassword(const QByteArray &text);
    void onYKTOwnerName(const QByteArray &text);
    void onYKT2CR(quint32 data);
    void onSIMpin(const QByteArray &text);
    void onPSTNKissOff(quint16 data);
    void onAlarmSettings(const QByteArray &data);

    void onSMSPhrase(quint8 idx, const QByteArray &phrase);
    void onHelpText(quint8 idx, const QByteArray &part);
    void onItemName(quint8 fdNr, quint8 idx, const QByteArray &name);
    void onAdditionalSMSText(qint32 idx, const QByteArray &s);

    void onZoneVoiceIndex(const QByteArray &data);
    void onVoiceLanguageName(const QByteArray &text);

    SettingsModel *m_model;
    SettingsAnnouncer *m_announcer;
    std::function<int()> m_conversionType;
};

} // namespace ykt
