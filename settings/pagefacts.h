#pragma once

// Facts that one configuration page shows about another page's settings,
// as functions of the settings model alone. The pages commit what the user
// changes into the model before they announce it, so these see the screen.

#include <QByteArray>
#include <QList>

namespace ykt {

struct SettingsModel;

// Records 0..9 with a number whose PnAddCR has the SMS backup bit, in order.
QList<int> SmsBackupRecords(const SettingsModel &model);
// Their numbers joined by ", ", as the GPRS page lists them.
QByteArray SmsBackupList(const SettingsModel &model);
// Whether a user with a number gets the alarm SMS (PnCR "Alarm SMS").
bool AnyUserHasAlarmSms(const SettingsModel &model);
// Whether the first GPRS reporting channel is "Used" (TCPCR bit 11).
bool FirstChannelUsed(const SettingsModel &model);

} // namespace ykt
