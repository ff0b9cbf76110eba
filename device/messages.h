#pragma once

// Decoding of the module's input reports: the status byte that opens every
// report, the state block of a monitoring report and the typed answers to read
// requests. Pure functions: the driver calls them on the reader thread and
// raises the matching events on the user-interface thread.
//
// A report is 63 data bytes. A shorter one is read as far as it goes: bytes it
// does not have are absent, so numbers read them as 0 and texts end there.

#include "util/conversions.h"

#include <optional>

namespace ykt {

struct StatusBits
{
    bool busy = false;             // 0x80: still processing the last packet
    bool moduleError = false;      // 0x40
    bool monitoring = false;       // 0x20: the report carries a state block
    bool passwordRequired = false; // 0x10: USB password wanted
    bool settingsLocked = false;   // 0x04: GPRS settings password-protected
    quint8 sequence = 0;           // bits 1..0: message sequence number
};
StatusBits decodeStatus(quint8 status);

struct StateBlock
{
    quint8 mc55iFlags = 0;
    quint8 mc55iCR = 0;
    quint8 mc55iSR = 0;
    quint16 tcpsr = 0; // bits 12..15: GSM signal level 0..15
    quint8 outBufMessCount = 0;
    quint8 sentCounter = 0;
};
// Needs bytes 1..7; a report without them carries no state block.
std::optional<StateBlock> decodeStateBlock(const QByteArray &data);

struct UsartLine
{
    quint8 sequence = 0; // byte 8, bits 1..0
    bool outGoing = false;
    QByteArray text;
};
// One line of the module's serial traffic. The length byte is clamped to the
// 53 bytes a report has room for, and to the bytes the report really has.
std::optional<UsartLine> decodeUsart(const QByteArray &data);

constexpr quint8 FirstMessageType = 0x80;
constexpr quint8 LastMessageType = 0xA0;
constexpr int MaxUsartText = 53;

// One decoded answer. Which members carry values depends on the type; the
// driver's event for the type says which (Output/s/Number/Phrase/Name are
// `text`; CID, zone voice block and alarm settings are `bytes`).
struct Message
{
    quint8 type = 0;
    quint8 idx = 0;  // Idx, or FDNr of an item name
    quint8 idx2 = 0; // Idx of an item name
    quint8 cr = 0;
    quint8 violations = 0;
    quint8 sensivity = 0;
    quint16 word = 0; // NoSenseInterval, ImpLength and the u16 answers
    quint32 data = 0; // the u32 answers
    QByteArray text;
    tduomenys bytes;
    // What the read-all sequencer continues from.
    quint8 stepIndex = 0;
    quint8 stepSub = 0;
};
// Decodes a message report (byte 1 = type). Types outside 0x80..0xA0, and a
// report too short to have a type, give nothing.
std::optional<Message> decodeMessage(const QByteArray &data);

// The event that answers a type ("OnPhoneNumber"), or null for an unknown one.
const char *eventName(quint8 type);

} // namespace ykt

namespace ykt {
// One line for an answer: the event's name and its values, texts quoted with
// everything but printable ASCII escaped ("OnPhoneNumber Idx=2 CR=0x43
// Number=\"37060000001\"").
QByteArray describeMessage(const Message &message);
} // namespace ykt
