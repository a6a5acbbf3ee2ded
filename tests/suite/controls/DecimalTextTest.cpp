#include "suite/controls/DecimalText.h"
#include "suite/controls/NumberPattern.h"

#include <gtest/gtest.h>

using suite::DecimalText;
using suite::NumberPattern;

namespace {

const NumberPattern kOdometer("#,##0.000000000#####");

QString plain(const char* text) {
    return DecimalText::parse(QString::fromLatin1(text)).value_or("<none>");
}

QString shown(const char* text) {
    return DecimalText::format(QString::fromLatin1(text), kOdometer);
}

TEST(DecimalText, ReadsNumbersInEveryFormTheyArrive) {
    EXPECT_EQ(plain("0012.50"), "12.5");
    EXPECT_EQ(plain("-0"), "0");
    EXPECT_EQ(plain(""), "0");
    EXPECT_EQ(plain("-"), "0");
    EXPECT_EQ(plain("12."), "12");
    EXPECT_EQ(plain(".5"), "0.5");
    EXPECT_EQ(plain("1,234,567.25"), "1234567.25");
    // What a Variant double prints for a large or a small reading.
    EXPECT_EQ(plain("1e+09"), "1000000000");
    EXPECT_EQ(plain("1.5e-3"), "0.0015");
    EXPECT_EQ(plain("123456789.123456789"), "123456789.123456789");
    EXPECT_EQ(plain("-999999999.999999999999"), "-999999999.999999999999");
}

TEST(DecimalText, RejectsWhatIsNotANumber) {
    for (const char* bad : {"abc", "12a", "1.2.3", "--1", "12,34", ",123", "1e", "e5"})
        EXPECT_FALSE(DecimalText::parse(QString::fromLatin1(bad))) << bad;
}

TEST(DecimalText, WritesAmountsInTheOdometerPattern) {
    EXPECT_EQ(shown("0"), "0.000000000");
    EXPECT_EQ(shown("1234.5"), "1,234.500000000");
    EXPECT_EQ(shown("-1234"), "-1,234.000000000");
    EXPECT_EQ(shown("123456789.123456789"), "123,456,789.123456789");
    EXPECT_EQ(shown("0.12345678901234"), "0.12345678901234");
    // Past fourteen decimals the display rounds, half away from zero, carrying as far as needed.
    EXPECT_EQ(shown("0.123456789012345"), "0.12345678901235");
    EXPECT_EQ(shown("999.999999999999999"), "1,000.000000000");
    EXPECT_EQ(shown("-0.000000000000001"), "0.000000000");
}

TEST(DecimalText, ACodePatternIsZerosOnly) {
    EXPECT_TRUE(NumberPattern("0000").isCode());
    EXPECT_TRUE(NumberPattern("0000000000").isCode());
    EXPECT_FALSE(kOdometer.isCode());
    EXPECT_EQ(DecimalText::format("7", NumberPattern("0000")), "0007");
}

} // namespace
