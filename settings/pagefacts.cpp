#include "settings/pagefacts.h"

#include "settings/registers.h"
#include "settings/settingsmodel.h"

namespace ykt {

QList<int> SmsBackupRecords(const SettingsModel &model)
{
    QList<int> records;
    for (int r = 0; r < SettingsModel::UserCount; ++r) {
        const PhoneRecord &p = model.phones[r];
        if (!p.number.isEmpty() && unpackUserFlags(p.cr, p.addCr).smsBackup)
            records.append(r);
    }
    return records;
}

QByteArray SmsBackupList(const SettingsModel &model)
{
    QByteArray list;
    for (int r : SmsBackupRecords(model)) {
        if (!list.isEmpty())
            list += ", ";
        list += model.phones[r].number;
    }
    return list;
}

bool AnyUserHasAlarmSms(const SettingsModel &model)
{
    for (int r = 0; r < SettingsModel::UserCount; ++r) {
        const PhoneRecord &p = model.phones[r];
        if (!p.number.isEmpty() && unpackUserFlags(p.cr, p.addCr).alarmSms)
            return true;
    }
    return false;
}

bool FirstChannelUsed(const SettingsModel &model)
{
    return unpackTCPCR(model.gprs.tcpcr, TcpCrFields::MaxProtocols).channel1Used;
}

} // namespace ykt
