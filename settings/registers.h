#pragma once

// The module's control registers: many on/off settings and small numbers
// travel packed into four 32-bit registers for the whole module, one 16-bit
// word for the heartbeat event, and 8-bit registers per phone number, input
// and output. This is the one place that knows their bit layouts.
//
// Every register has a small field struct that the pages fill from their
// controls and set their controls from, a pack function (fields -> value, as
// written to the module) and an unpack function (value as it arrives ->
// fields). Bit 0 is the least significant bit. Bits not listed are written as
// 0 and ignored when read, so a value with unknown bits always unpacks.

#include <QByteArray>
#include <QtGlobal>

#include <array>

namespace ykt {

// From this firmware on the module knows the third receiver protocol ("Fibro")
// and the two encryption bits of TCPCR.
constexpr int FibroFirmware = 2030;

// The entries of the two protocol lists for a firmware: 2 below FibroFirmware,
// else 3.
int protocolCount(int firmwareVersion);

// The work mode of the module, carried by bits 26 and 27 of YKT2CR.
enum class WorkMode
{
    Communicator,
    AdvancedCommunicator,
    Magellan
};

// --- TCPCR: the two reporting channels. ---
struct TcpCrFields
{
    static constexpr int MaxProtocols = 3; // "E2", "CSV IP", "Fibro"

    int channel1Protocol = 0;    // index of ComboBox1 ("E2", "CSV IP", "Fibro")
    int channel2Protocol = 0;    // index of ComboBox3
    int channel2Use = 0;         // ComboBox2: 0 "Not used", 1 "Used", 2 "Reserve"
    bool channel1Used = false;   // ComboBox4 index above 0
    bool channel1ToPstn = false; // TntCheckBox25 "Put same to PSTN"
    bool channel2ToPstn = false; // TntCheckBox26
    bool channel1Udp = false;    // TntComboBox3: index 1 "UDP"
    bool channel1Encrypted = false;
    bool channel2Udp = false; // TntComboBox4
    bool channel2Encrypted = false;
};
// The entries of the protocol lists, by index.
inline constexpr const char *ProtocolNames[TcpCrFields::MaxProtocols] = {"E2", "CSV IP", "Fibro"};

// pstnBoxesShown: the two "Put same to PSTN" boxes are visible; while they are
// hidden both copy bits are written as 1. The encryption bits are written only
// from firmware 2030 on. A protocol index outside 0..2 (-1: nothing selected)
// is written as "E2", a channel 2 use outside 0..2 as the nearest of them.
quint32 packTCPCR(const TcpCrFields &fields, bool pstnBoxesShown, int firmwareVersion);
// protocolCount: the entries of the protocol lists (2 below firmware 2030,
// else 3); a protocol value outside 1..protocolCount gives index 0. The copy
// bits are always decoded; the page applies them only to visible boxes.
TcpCrFields unpackTCPCR(quint32 value, int protocolCount);

// --- YKT2CR: the module configuration register. ---
struct Ykt2CrFields
{
    static constexpr int MinModemRestartHours = 1;
    static constexpr int MaxModemRestartHours = 8;
    static constexpr int MinHeartbeatSeconds = 10;
    static constexpr int MaxHeartbeatSeconds = 65000;

    bool usbPassword = false;                   // bit 0, TntCheckBox3
    bool heartbeatCheck = false;                // bit 2, TntCheckBox13
    int modemRestartHours = 6;                  // bits 3-5 + 1, SpinEdit40 1..8 (factory 6)
    bool simPin = false;                        // bit 6, TntCheckBox28
    bool simPinRejected = false;                // bit 7, module status only; never written
    int heartbeatSeconds = 600;                 // bits 8-23, SpinEdit3 10..65000 (factory 600)
    bool tcpStatistics = false;                 // bit 24, TntCheckBox40
    bool gprsProtected = false;                 // bit 25, TntCheckBox41
    WorkMode workMode = WorkMode::Communicator; // bits 26, 27
};

// Numbers outside their ranges are written as the nearest limit; bit 7 is
// never written.
quint32 packYKT2CR(const Ykt2CrFields &fields);
// Magellan when bit 27 is set whatever bit 26 says. A heartbeat period below
// 10 s reads as 10, one above 65000 s as 65000.
Ykt2CrFields unpackYKT2CR(quint32 value);
WorkMode workModeOf(quint32 ykt2cr);
// ykt2cr with bits 26 and 27 carrying mode; every other bit as it was.
quint32 withWorkMode(quint32 ykt2cr, WorkMode mode);

// --- SMSPSTNCR: SMS and call options. ---
struct SmsPstnCrFields
{
    static constexpr int MinShortCallSeconds = 1;
    static constexpr int MaxShortCallSeconds = 8;
    static constexpr int MinSmsTestDays = 1;
    static constexpr int MaxSmsTestDays = 4;

    int shortCallSeconds = 3;      // bits 16-18 + 1, SpinEdit2 1..8
    int smsTestDays = 3;           // bits 19-20 + 1, se1 1..4
    bool onlyRegistered = false;   // bit 30, TntCheckBox10
    bool limitedTroubleSms = true; // bit 31, TntCheckBox27
};

// The defaults are the factory values and pack to 0x80120000. Numbers outside
// their ranges are written as the nearest limit.
quint32 packSMSPSTNCR(const SmsPstnCrFields &fields);
SmsPstnCrFields unpackSMSPSTNCR(quint32 value);

// --- The heartbeat event word. ---
struct HeartbeatEvent
{
    bool enabled = false;                       // bit 15, TntCheckBox33
    QByteArray code = QByteArrayLiteral("602"); // TntEdit4, three hexadecimal digits
};

// Each of the three characters is one hexadecimal digit (bits 8-11, 4-7,
// 0-3); a missing character or one that is not a hexadecimal digit gives 0.
// The enabled flag travels separately in the command; bit 15 of the returned
// word carries it too.
quint16 packHeartbeatEvent(const HeartbeatEvent &event);
// The three nibbles as upper-case hexadecimal digits.
HeartbeatEvent unpackHeartbeatEvent(quint16 word);

// --- PnCR and PnAddCR: one pair per user number 0..9. ---
enum class Smartphone
{
    No,      // TntComboBox17 index 0
    Android, // index 1: PnCR bit 3
    IPhone   // index 2: PnAddCR bit 6
};

struct UserFlags
{
    // PnCR
    bool armingSms = false;       // bit 0, TntCheckBox5
    bool disarmingSms = false;    // bit 1, TntCheckBox6
    bool callOnAlarm = false;     // bit 2, TntCheckBox7
    bool mandatoryCall = false;   // bit 4, TntCheckBox22
    bool periodicSmsTest = false; // bit 5, TntCheckBox9
    bool alarmSms = false;        // bit 6, TntCheckBox23
    bool troubleSms = false;      // bit 7, TntCheckBox24
    // PnAddCR
    bool bypassReports = false;        // bit 0, TntCheckBox29
    bool pgmStateReports = false;      // bit 1, TntCheckBox30
    bool forwardUnknownSms = false;    // bit 2, TntCheckBox31
    bool changeArmOnShortCall = false; // bit 3, TntCheckBox32
    bool smsBackup = false;            // bit 4, TntCheckBox38
    bool prohibitControl = false;      // bit 5, TntCheckBox39
    bool pushNotifications = false;    // bit 7, TntCheckBox54
    // PnCR bit 3 / PnAddCR bit 6
    Smartphone smartphone = Smartphone::No;
};

quint8 packPnCR(const UserFlags &flags);
quint8 packPnAddCR(const UserFlags &flags);
// "iPhone" wins when both smartphone bits are set.
UserFlags unpackUserFlags(quint8 pnCR, quint8 pnAddCR);

// --- PGMPnCR: the outputs a remote-control number may switch. ---
// outputs[0] is output 1 (bit 7) ... outputs[3] output 4 (bit 4).
quint8 packPGMPnCR(const std::array<bool, 4> &outputs);
std::array<bool, 4> unpackPGMPnCR(quint8 value);

// --- InputSettingsCR: one per input 0..5. ---
struct InputCrFields
{
    int function = 0;            // bits 0-2: 0 not used, 1 Contact ID event, 2 SMS text
    bool normallyClosed = false; // bit 3
    bool event24h = false;       // bit 5, from the chosen Contact ID event
    bool restore = false;        // bit 6
};

// A function outside 0..7 is written as the nearest of them.
quint8 packInputSettingsCR(const InputCrFields &fields);
// The function is the raw 3-bit code: the page decides whether its list has
// an entry for it.
InputCrFields unpackInputSettingsCR(quint8 value);

// --- OutputSettingsCR: one per output 0..3. ---
struct OutputCrFields
{
    int function = 0;   // bits 0-2: 0 manual, 1 arm, 2 disarm, 3 clear alarm, 4 siren, 5 arm status
    bool pulse = false; // bit 3: 1 pulse, 0 bistable
    bool sirenConfirmation = false; // bit 4, written only with function 4
    bool inversion = false;         // bit 5
};

// A function outside 0..7 is written as the nearest of them.
quint8 packOutputSettingsCR(const OutputCrFields &fields);
// The function is the raw 3-bit code (the module also reports 4 and 5);
// bit 4 is decoded whatever the function.
OutputCrFields unpackOutputSettingsCR(quint8 value);

} // namespace ykt
