#pragma once

// The settings model: the program's one working copy of the attached module's
// settings, divided into areas. The read of all settings fills it answer by
// answer, the pages show and edit it, the send sequence writes it back,
// templates save and load it and the summary prints it. Plain data, in memory
// only; texts stay 8-bit as they are on the wire and in files.
//
// A value the module does not report (an item its firmware does not know)
// keeps what it held before the read.

#include <QByteArray>
#include <QtGlobal>

#include <array>

namespace ykt {

// One phone record: records 0..9 are the users (cr = PnCR, addCr = PnAddCR),
// 10..41 the 32 remote output-control numbers (cr = PGMPnCR); 42..59 are kept
// for templates only.
struct PhoneRecord
{
    static constexpr int MaxNumberLength = 15;
    QByteArray number;
    quint8 cr = 0;
    quint8 addCr = 0;
};

struct InputRecord
{
    quint8 cr = 0; // InputSettingsCR
    quint8 violations = 0;
    quint8 sensivity = 0;
    quint16 noSenseInterval = 0;
    QByteArray cid;     // the Contact ID bytes as they travel
    QByteArray smsText; // the input's SMS text, module character set converted
};

struct OutputRecord
{
    quint8 cr = 0; // OutputSettingsCR
    quint16 impLength = 0;
};

struct GprsArea
{
    QByteArray connectionString;  // channel 1 "address:port" as the module holds it
    QByteArray connectionString2; // channel 2
    QByteArray apn;
    QByteArray apnUserName;
    QByteArray apnPassword;
    quint32 tcpcr = 0;
    std::array<QByteArray, 2> reserveAccounts;
    quint16 heartbeatEvent = 0;        // the word as it travels, bit 15 = custom event
    std::array<QByteArray, 2> aesKeys; // up to 16 key bytes each, not hexadecimal text
};

struct UsersArea
{
    quint32 smsPstnCr = 0;
    quint32 accessPin = 0xFFFFFFFF; // eight nibbles, 0xF after the last digit
    // Item 0x95: stored, never shown, written or saved in templates.
    quint8 smsBackupUse = 0;
    QByteArray smsBackupNumber;
};

struct SecurityArea
{
    QByteArray usbPassword;
    QByteArray ownerName;
    quint32 ykt2cr = 0;
    QByteArray simPin;
    quint16 pstnKissOff = 0;  // seconds x 2000
    QByteArray alarmSettings; // the whole block as received
};

struct TextsArea
{
    static constexpr int NameGroups = 5;
    static constexpr int NamesPerGroup = 64;
    static constexpr int PhraseCount = 19;
    // Names of group fdNr (1..5): zones, modules, users, partitions, PGMs;
    // 0 for any other group.
    static constexpr int groupSize(int fdNr)
    {
        constexpr int sizes[NameGroups] = {64, 16, 64, 8, 16};
        return fdNr >= 1 && fdNr <= NameGroups ? sizes[fdNr - 1] : 0;
    }
    // itemNames[g][i] is group FDNr g + 1, position i, in the display code
    // page (converted from the module's character set on arrival).
    std::array<std::array<QByteArray, NamesPerGroup>, NameGroups> itemNames;
    std::array<QByteArray, PhraseCount> smsPhrases;
    std::array<QByteArray, 2> additionalTexts;
    QByteArray helpText; // at most 140 characters
    // The template phrase list: saved in and loaded from templates and used
    // for the inputs' example SMS texts; never read from or written to the
    // module. It starts with these texts.
    std::array<QByteArray, PhraseCount> templatePhrases = {
        "Suveikimas",       "Saugoma",         "Isjungta",       "Visur isjungta",
        "Visi skambuciai",  "Tik registruoti", "Medicinine",     "Gaisro",
        "Panika",           "Uzpuolimas",      "Sabotazas",      "Nera 230V Itamp.",
        "230V Itampa gera", "Silpnas akum.",   "Tel. Line Loss", "3 Wrong PIN",
        "PGM On",           "PGM Off",         "Battery OK"};
};

struct ZoneVoiceArea
{
    static constexpr int ZoneCount = 64;
    std::array<QByteArray, ZoneCount> records; // 9 bytes each: zone, then eight phrase bytes
    QByteArray languageName;                   // control characters and 0xFF removed
};

struct SettingsModel
{
    static constexpr int PhoneRecordCount = 60;
    static constexpr int UserCount = 10;
    static constexpr int FirstRemoteControlRecord = 10;
    static constexpr int RemoteControlCount = 32;
    static constexpr int InputCount = 6;
    static constexpr int OutputCount = 4;

    std::array<PhoneRecord, PhoneRecordCount> phones;
    std::array<InputRecord, InputCount> inputs;
    std::array<OutputRecord, OutputCount> outputs;
    GprsArea gprs;
    UsersArea users;
    SecurityArea security;
    TextsArea texts;
    ZoneVoiceArea zoneVoice;
};

// Whether two models hold the same settings, field by field (a page's
// unsent edits are a difference from the model as the module last reported
// it).
bool operator==(const PhoneRecord &a, const PhoneRecord &b);
bool operator==(const InputRecord &a, const InputRecord &b);
bool operator==(const OutputRecord &a, const OutputRecord &b);
bool operator==(const GprsArea &a, const GprsArea &b);
bool operator==(const UsersArea &a, const UsersArea &b);
bool operator==(const SecurityArea &a, const SecurityArea &b);
bool operator==(const TextsArea &a, const TextsArea &b);
bool operator==(const ZoneVoiceArea &a, const ZoneVoiceArea &b);
bool operator==(const SettingsModel &a, const SettingsModel &b);

} // namespace ykt
