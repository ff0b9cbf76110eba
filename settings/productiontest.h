#pragma once

// Preparing a module for the factory test: on top of the factory defaults,
// one user gets the test phone number with the arming, disarming and alarm
// SMS, all six inputs send an SMS with a numbered text, and one user, one
// partition and one module get a numbered name. The test phone then receives
// an SMS whenever an input changes.
//
// The test numbers the service mode keeps in Settings.ini are numbers of
// exactly eleven characters (a country code and the subscriber number, e.g.
// 37060000000); only the list of the Log page insists on that length, a
// number typed at the prompt of the programming is taken as it is.

#include "settings/sendplan.h"
#include "settings/settingsmodel.h"
#include "texts/examplesms.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <utility>

namespace ykt {

namespace productiontest {

// The length of a number of the test number list.
inline constexpr int ListNumberLength = 11;
// How many test numbers Settings.ini keeps (PhoneNumber1..3).
inline constexpr int StoredNumberCount = 3;

// The user record that gets the test number.
inline constexpr int TestUser = 0;
// "Arming SMS", "Disarming SMS" and "Alarm SMS".
inline constexpr quint8 TestUserPnCR = 0x43;

// What each input is set to: function "Send SMS", contact NO, 400 ms.
inline constexpr quint8 TestInputCR = 2;
inline constexpr quint8 TestInputSensivity = 4;
inline constexpr int CIDBytes = 5;
// The module is given this long after each input write.
inline constexpr int InputPauseMs = 100;

// The messages the texts are made of, each followed by the number "1" (the
// input number 1..6 for the SMS texts).
inline constexpr int UserNameMessage = 20;
inline constexpr int ModuleNameMessage = 21;
inline constexpr int PartitionNameMessage = 22;
inline constexpr int InputSmsMessage = 23;

// The names written: item-name group (FDNr), position, message.
struct TestName
{
    int fdNr;
    int idx;
    int message;
};
inline constexpr TestName TestNames[] = {
    {3, 1, UserNameMessage},      // users
    {4, 0, PartitionNameMessage}, // partitions
    {2, 1, ModuleNameMessage},    // modules
};

} // namespace productiontest

// A number the test number list takes: exactly eleven characters, whatever
// they are.
bool IsListTestNumber(const QString &text);

// The list at start: each of PhoneNumber1, PhoneNumber2, PhoneNumber3 (in
// this order) that is a list number.
QStringList
TestNumbersFromSettings(const std::array<QByteArray, productiontest::StoredNumberCount> &stored);

// What is saved at close: for each of the first three items that is a list
// number, the key of its position and the number. Other positions keep
// what Settings.ini holds; items after the third are not saved.
QList<std::pair<QByteArray, QByteArray>> TestNumbersToSave(const QStringList &items);

// Sets the model to what test programming writes (user 0 from number, the
// six inputs, the three names; texts in the display code page) and returns
// the packets in their order with the pauses after them, ending with
// EndExchange. An empty number clears user 0. The factory default has run
// before; nothing else of the model changes.
QList<SendStep> ApplyTestProgramming(SettingsModel &model, const QByteArray &number,
                                     int conversionType, const MessageText &message);

} // namespace ykt
