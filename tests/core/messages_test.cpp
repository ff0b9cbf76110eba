#include "device/firmware.h"
#include "device/messages.h"

#include <gtest/gtest.h>

using namespace ykt;

namespace {

// A message report as the module sends it: status, type, payload, zero-filled
// to 63 data bytes.
QByteArray report(quint8 type, const QByteArray &payload, quint8 status = 0x01)
{
    QByteArray r = QByteArray(1, char(status)) + char(type) + payload;
    r.append(63 - r.size(), '\0');
    return r;
}

Message decode(const QByteArray &r)
{
    const auto m = decodeMessage(r);
    EXPECT_TRUE(m.has_value());
    return m.value_or(Message{});
}

} // namespace

TEST(Status, EveryBitHasItsFlag)
{
    const StatusBits s = decodeStatus(0xF7);
    EXPECT_TRUE(s.busy && s.moduleError && s.monitoring && s.passwordRequired && s.settingsLocked);
    EXPECT_EQ(s.sequence, 3);
    const StatusBits none = decodeStatus(0x08); // bit 3 means nothing
    EXPECT_FALSE(none.busy || none.moduleError || none.monitoring || none.passwordRequired ||
                 none.settingsLocked);
    EXPECT_EQ(none.sequence, 0);
}

TEST(StateReport, BlockAndTrafficLine)
{
    QByteArray r(63, '\0');
    r[0] = 0x20;
    r[1] = 0x46;
    r[2] = 0x01;
    r[3] = 0x02;
    r[4] = char(0xF2);
    r[5] = 0x03;
    r[6] = 7;
    r[7] = 9;
    r[8] = 0x41; // incoming line, sequence 1
    r[9] = 4;
    r.replace(10, 4, "OK\r\n");
    const auto block = decodeStateBlock(r);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->mc55iFlags, 0x46);
    EXPECT_EQ(block->tcpsr, 0xF203);
    EXPECT_EQ(block->tcpsr >> 12, 15);
    EXPECT_EQ(block->outBufMessCount, 7);
    EXPECT_EQ(block->sentCounter, 9);
    const auto line = decodeUsart(r);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->sequence, 1);
    EXPECT_FALSE(line->outGoing);
    EXPECT_EQ(line->text, QByteArray("OK\r\n"));
    r[8] = 0x02;
    EXPECT_TRUE(decodeUsart(r)->outGoing);
}

TEST(StateReport, TrafficLengthIsClampedToTheReport)
{
    QByteArray r(63, 'x');
    r[0] = 0x20;
    r[9] = char(200);
    EXPECT_EQ(decodeUsart(r)->text.size(), MaxUsartText);
    // A short report: the text ends where the report does.
    EXPECT_EQ(decodeUsart(r.left(15))->text.size(), 5);
    EXPECT_FALSE(decodeUsart(r.left(9)));
    EXPECT_FALSE(decodeStateBlock(r.left(7)));
    // Zero bytes belong to the text.
    r[9] = 3;
    r.replace(10, 3, QByteArray("a\0b", 3));
    EXPECT_EQ(decodeUsart(r)->text, QByteArray("a\0b", 3));
}

TEST(Messages, TypesOutsideTheTableAreIgnored)
{
    EXPECT_FALSE(decodeMessage(report(0x7F, "")));
    EXPECT_FALSE(decodeMessage(report(0xA1, "")));
    EXPECT_FALSE(decodeMessage(QByteArray(1, '\x01')));
    EXPECT_TRUE(decodeMessage(QByteArray("\x01\xA0", 2)));
    EXPECT_EQ(eventName(0xA1), nullptr);
    EXPECT_STREQ(eventName(0x8B), "OnPhoneNumber");
    EXPECT_STREQ(eventName(0xA0), "OnVoiceLanguageName");
}

TEST(Messages, PhoneNumberLosesOnlyTrailingSpaces)
{
    const Message m = decode(report(0x8B, QByteArray("\x04\x43", 2) + "370612345" + "      "));
    EXPECT_EQ(m.idx, 4);
    EXPECT_EQ(m.cr, 0x43);
    EXPECT_EQ(m.text, QByteArray("370612345"));
    EXPECT_EQ(m.stepIndex, 4);
    EXPECT_EQ(m.stepSub, 0);
    // Zero bytes are not trimmed, only 0x20.
    const Message z =
        decode(report(0x91, QByteArray("\x01\x00", 2) + "12 " + QByteArray(12, '\0')));
    EXPECT_EQ(z.text, QByteArray("12 ") + QByteArray(12, '\0'));
}

TEST(Messages, TextAnswersCutTheirFields)
{
    EXPECT_EQ(decode(report(0x81, "internet" + QByteArray(42, ' ') + "zz")).text,
              QByteArray("internet"));
    EXPECT_EQ(decode(report(0x82, QByteArray(40, 'u'))).text, QByteArray(32, 'u'));
    EXPECT_EQ(decode(report(0x87, QByteArray(16, 'p') + "q")).text, QByteArray(16, 'p'));
    EXPECT_EQ(decode(report(0x98, "1234    99")).text, QByteArray("1234"));
    EXPECT_EQ(decode(report(0x97, QByteArray(30, 'm'))).text, QByteArray(28, 'm'));
    // An all-space field is empty.
    EXPECT_EQ(decode(report(0x89, QByteArray(16, ' '))).text, QByteArray());
}

TEST(Messages, IndexedTextAnswers)
{
    const Message account = decode(report(0x88, "\x01"
                                                "12  "));
    EXPECT_EQ(account.idx, 1);
    EXPECT_EQ(account.text, QByteArray("12"));
    const Message phrase = decode(report(0x8D, "\x12"
                                               "Alarm zone      x"));
    EXPECT_EQ(phrase.idx, 18);
    EXPECT_EQ(phrase.text, QByteArray("Alarm zone"));
    const Message sms = decode(report(0x93, "\x05" + QByteArray(50, 's') + "t"));
    EXPECT_EQ(sms.text, QByteArray(50, 's'));
    EXPECT_EQ(sms.stepIndex, 5);
    const Message backup = decode(report(0x95, "\x81"
                                               "37060000000    "));
    EXPECT_EQ(backup.idx, 0x81);
    EXPECT_EQ(backup.cr, 0x81);
    EXPECT_EQ(backup.text, QByteArray("37060000000"));
    EXPECT_EQ(backup.stepIndex, 0); // not an indexed item for the read plan
}

TEST(Messages, HelpTextKeepsTrailingSpacesAndIsShorterForIndexTwo)
{
    const QByteArray text = QByteArray("Help") + QByteArray(50, ' ');
    const Message first = decode(report(0x8E, QByteArray(1, '\0') + text));
    EXPECT_EQ(first.text, QByteArray("Help") + QByteArray(43, ' '));
    EXPECT_EQ(first.text.size(), 47);
    const Message third = decode(report(0x8E, "\x02" + text));
    EXPECT_EQ(third.text.size(), 46);
    EXPECT_EQ(third.stepIndex, 2);
}

TEST(Messages, EncryptionKeyKeepsTrailingSpaces)
{
    const QByteArray key = QByteArray("0123456789AB") + "    ";
    const Message m = decode(report(0x9C, "\x01" + key + "rest"));
    EXPECT_EQ(m.idx, 1);
    EXPECT_EQ(m.text, key);
    EXPECT_EQ(m.text.size(), 16);
    // Zero bytes of a short key stay too.
    const Message shortKey = decode(report(0x9C, QByteArray("\x00"
                                                            "abc",
                                                            4)));
    EXPECT_EQ(shortKey.text, QByteArray("abc") + QByteArray(13, '\0'));
}

TEST(Messages, NumbersAndBlocks)
{
    EXPECT_EQ(decode(report(0x84, QByteArray("\x80\x12\x00\x01", 4))).data, 0x80120001u);
    EXPECT_EQ(decode(report(0x94, "\x12\x34\xFF\xFF")).data, 0x1234FFFFu);
    EXPECT_EQ(decode(report(0x99, "\x82\x5A")).word, 0x825A);
    EXPECT_EQ(decode(report(0x9E, "\x03\x20")).word, 800);

    const Message input =
        decode(report(0x8F, QByteArray("\x05\x81\x03\x07\x12\x34\x01\x13\x00\x10\x01\xEE", 12)));
    EXPECT_EQ(input.idx, 5);
    EXPECT_EQ(input.cr, 0x81);
    EXPECT_EQ(input.violations, 3);
    EXPECT_EQ(input.sensivity, 7);
    EXPECT_EQ(input.word, 0x1234);
    EXPECT_EQ(input.bytes, QByteArray("\x01\x13\x00\x10\x01", 5));

    const Message output = decode(report(0x92, "\x03\x11\x01\x02"));
    EXPECT_EQ(output.idx, 3);
    EXPECT_EQ(output.cr, 0x11);
    EXPECT_EQ(output.word, 0x0102);

    const Message voice = decode(report(0x9D, "\x3F\x01\x02\x03\x04\x05\x06\x07\x08\x09"));
    EXPECT_EQ(voice.bytes, QByteArray("\x3F\x01\x02\x03\x04\x05\x06\x07\x08", 9));
    EXPECT_EQ(voice.stepIndex, 63);

    const Message alarm = decode(report(0x9F, QByteArray(20, '\x5A')));
    EXPECT_EQ(alarm.bytes, QByteArray(16, '\x5A'));

    const Message addCr = decode(report(0x9A, "\x09\x21zzz"));
    EXPECT_EQ(addCr.idx, 9);
    EXPECT_EQ(addCr.cr, 0x21);
    EXPECT_TRUE(addCr.text.isEmpty());
}

TEST(Messages, ItemNameCarriesGroupAndIndexForTheReadPlan)
{
    const Message m = decode(report(0x90, "\x04\x07"
                                          "Hall            x"));
    EXPECT_EQ(m.idx, 4);
    EXPECT_EQ(m.idx2, 7);
    EXPECT_EQ(m.text, QByteArray("Hall"));
    EXPECT_EQ(m.stepIndex, 4);
    EXPECT_EQ(m.stepSub, 7);
}

TEST(Messages, VoiceLanguageNameTakesItsLength)
{
    EXPECT_EQ(decode(report(0xA0, "\x07"
                                  "English   "))
                  .text,
              QByteArray("English"));
    EXPECT_EQ(decode(report(0xA0, "\x03"
                                  "English"))
                  .text,
              QByteArray("Eng"));
    // A length past the field stops at the trimmed field.
    EXPECT_EQ(decode(report(0xA0, "\xFF"
                                  "Ru" +
                                      QByteArray(60, ' ')))
                  .text,
              QByteArray("Ru"));
    EXPECT_TRUE(decode(report(0xA0, "\x00"
                                    "Ru"))
                    .text.isEmpty());
}

TEST(Messages, ShortReportsReadOnlyWhatIsThere)
{
    // Two bytes of a phone number answer: the missing bytes are absent.
    const Message m = decode(QByteArray("\x01\x8B\x03\x40"
                                        "12",
                                        6));
    EXPECT_EQ(m.idx, 3);
    EXPECT_EQ(m.cr, 0x40);
    EXPECT_EQ(m.text, QByteArray("12"));
    EXPECT_EQ(decode(QByteArray("\x01\x84\x12", 3)).data, 0x12000000u);
    EXPECT_TRUE(decode(QByteArray("\x01\x8F", 2)).bytes.isEmpty());
}

TEST(Messages, DecodingAnyBytesNeverFails)
{
    // Every type with every length from 0 to 70, filled with a byte pattern.
    for (int type = 0; type < 256; ++type)
        for (int len = 0; len <= 70; ++len) {
            QByteArray r(len, char(type * 7 + len));
            if (len > 1)
                r[1] = char(type);
            const auto m = decodeMessage(r);
            if (m)
                (void)describeMessage(*m);
            (void)decodeStateBlock(r);
            (void)decodeUsart(r);
        }
}

TEST(Messages, DescriptionShowsTextsSafely)
{
    const Message m =
        decode(report(0x8B, QByteArray("\x02\x43", 2) + "12\x01\"3" + QByteArray(10, ' ')));
    EXPECT_EQ(describeMessage(m),
              QByteArray("OnPhoneNumber Idx=2 CR=0x43 Number=\"12\\x01\\x223\""));
}

TEST(Firmware, NumberFromTheProductName)
{
    EXPECT_EQ(parseFirmwareVersion("YKT4M v.4005b"), 4005);
    // The last character is never examined.
    EXPECT_EQ(parseFirmwareVersion("YKT4M v.4005"), 400);
    EXPECT_EQ(parseFirmwareVersion("YKT4M"), 1133);
    EXPECT_EQ(parseFirmwareVersion("YKT4M v."), 1133);
    EXPECT_EQ(parseFirmwareVersion("YKT4M v.x"), 1133);
    // Other characters are skipped, and only four digits are taken.
    EXPECT_EQ(parseFirmwareVersion("YKT4M v.4.0-03.77z"), 4003);
    // Only the first "v." counts, and "v" must be right before the stop.
    EXPECT_EQ(parseFirmwareVersion("Dev v.2030 v.4005 x"), 2030);
    EXPECT_EQ(parseFirmwareVersion("YKT v 2030."), 1133);
    EXPECT_EQ(parseFirmwareVersion(""), 1133);
}
