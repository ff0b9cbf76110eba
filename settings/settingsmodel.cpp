#include "settings/settingsmodel.h"

#include <tuple>

namespace ykt {

bool operator==(const PhoneRecord &a, const PhoneRecord &b)
{
    return std::tie(a.number, a.cr, a.addCr) == std::tie(b.number, b.cr, b.addCr);
}

bool operator==(const InputRecord &a, const InputRecord &b)
{
    return std::tie(a.cr, a.violations, a.sensivity, a.noSenseInterval, a.cid, a.smsText) ==
           std::tie(b.cr, b.violations, b.sensivity, b.noSenseInterval, b.cid, b.smsText);
}

bool operator==(const OutputRecord &a, const OutputRecord &b)
{
    return std::tie(a.cr, a.impLength) == std::tie(b.cr, b.impLength);
}

bool operator==(const GprsArea &a, const GprsArea &b)
{
    return std::tie(a.connectionString, a.connectionString2, a.apn, a.apnUserName, a.apnPassword,
                    a.tcpcr, a.reserveAccounts, a.heartbeatEvent, a.aesKeys) ==
           std::tie(b.connectionString, b.connectionString2, b.apn, b.apnUserName, b.apnPassword,
                    b.tcpcr, b.reserveAccounts, b.heartbeatEvent, b.aesKeys);
}

bool operator==(const UsersArea &a, const UsersArea &b)
{
    return std::tie(a.smsPstnCr, a.accessPin, a.smsBackupUse, a.smsBackupNumber) ==
           std::tie(b.smsPstnCr, b.accessPin, b.smsBackupUse, b.smsBackupNumber);
}

bool operator==(const SecurityArea &a, const SecurityArea &b)
{
    return std::tie(a.usbPassword, a.ownerName, a.ykt2cr, a.simPin, a.pstnKissOff,
                    a.alarmSettings) ==
           std::tie(b.usbPassword, b.ownerName, b.ykt2cr, b.simPin, b.pstnKissOff, b.alarmSettings);
}

bool operator==(const TextsArea &a, const TextsArea &b)
{
    return std::tie(a.itemNames, a.smsPhrases, a.additionalTexts, a.helpText) ==
           std::tie(b.itemNames, b.smsPhrases, b.additionalTexts, b.helpText);
}

bool operator==(const ZoneVoiceArea &a, const ZoneVoiceArea &b)
{
    return std::tie(a.records, a.languageName) == std::tie(b.records, b.languageName);
}

bool operator==(const SettingsModel &a, const SettingsModel &b)
{
    return std::tie(a.phones, a.inputs, a.outputs, a.gprs, a.users, a.security, a.texts,
                    a.zoneVoice) == std::tie(b.phones, b.inputs, b.outputs, b.gprs, b.users,
                                             b.security, b.texts, b.zoneVoice);
}

} // namespace ykt
