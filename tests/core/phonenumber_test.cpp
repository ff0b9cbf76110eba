#include "settings/phonenumber.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace ykt {
namespace {

TEST(PhoneNumber, KeepsALeadingPlusAndDigitsUpToTheWireWidth)
{
    const std::pair<const char *, const char *> cases[] = {
        {"+12025550143", "+12025550143"},
        {" +370 (6) 12-34 ", "+37061234"},
        {"12+34", "1234"},
        {"++1", "+1"},
        {"1234567890123456", "123456789012345"},
        {"+1234567890123456", "+12345678901234"},
        {"abc", ""},
        {"", ""},
    };
    for (const auto &[typed, stored] : cases)
        EXPECT_EQ(PhoneNumberOf(QString::fromLatin1(typed)), QByteArray(stored)) << typed;
    EXPECT_TRUE(SamePhoneNumber("+12025550178", "12025550178"));
    EXPECT_TRUE(SamePhoneNumber("123", "123"));
    EXPECT_FALSE(SamePhoneNumber("+123", "1234"));
    // What the editor lets through is what the record keeps.
    const QRegularExpression typing(QRegularExpression::anchoredPattern(PhoneNumberPattern()));
    EXPECT_TRUE(typing.match(QStringLiteral("+370")).hasMatch());
    EXPECT_FALSE(typing.match(QStringLiteral("37+0")).hasMatch());
    EXPECT_FALSE(typing.match(QStringLiteral("37 0")).hasMatch());
}

} // namespace
} // namespace ykt
