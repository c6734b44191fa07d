// Number texts: the printf-style rounding of stored amounts and sums, the general format of the grid
// and the price list, and the reading of typed numbers. None of them may follow the process locale.

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <ios>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "calc/number_format.h"

namespace {

using calc::FormatFixed;
using calc::FormatGeneral;
using calc::ParseNumber;
using calc::RoundTo;

TEST(RoundTo, ThreeDecimalsAsPrintedAndReadBack) {
    EXPECT_EQ(RoundTo(1.8, 3), 1.8);
    EXPECT_EQ(RoundTo(1.5 * 1.2, 3), 1.8); // 1.7999999999999998 before rounding
    EXPECT_EQ(RoundTo(4.5004, 3), 4.5);
    EXPECT_EQ(RoundTo(0.377 + 0.699678, 3), 1.077);
    EXPECT_EQ(RoundTo(1.076379, 3), 1.076);
}

TEST(RoundTo, BelowHalfTheLastDecimalIsZero) {
    const double v = RoundTo(0.0004, 3);
    EXPECT_EQ(v, 0.0);
    EXPECT_EQ(RoundTo(0.001 * 1, 2), 0.0);
}

// The value printed with std::to_chars and read back: what RoundTo must give, bit for bit.
double PrintedAndReadBack(double value, int decimals) {
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    double back = 0;
    std::from_chars(buf, res.ptr, back);
    return back;
}

::testing::AssertionResult SameAsPrinted(double value, int decimals) {
    const double expected = PrintedAndReadBack(value, decimals);
    const double got = RoundTo(value, decimals);
    if (got == expected && std::signbit(got) == std::signbit(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << value << " to " << decimals << " decimals gives "
                                         << got << " instead of " << expected;
}

TEST(RoundTo, SameAsPrintingForAllKindsOfValues) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> millimetres(0, 99999);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 16);
    std::uniform_int_distribution<long long> whole(-100000000, 100000000);
    for (int i = 0; i < 20000; ++i) {
        for (int decimals : {0, 2, 3, 6}) {
            // areas and sheets as the calculation makes them
            const double area = millimetres(random) * 0.001 * (millimetres(random) * 0.001);
            ASSERT_TRUE(SameAsPrinted(area, decimals));
            ASSERT_TRUE(SameAsPrinted(area / 0.4, decimals));
            ASSERT_TRUE(SameAsPrinted(area * 1234.56, decimals));
            // any magnitude, either sign
            ASSERT_TRUE(SameAsPrinted(std::ldexp(unit(random), exponent(random) * 2), decimals));
            // near and exactly on the halves
            const double scale = std::pow(10.0, decimals);
            const double half = (static_cast<double>(whole(random)) + 0.5) / scale;
            ASSERT_TRUE(SameAsPrinted(half, decimals));
            ASSERT_TRUE(SameAsPrinted(std::nextafter(half, 0.0), decimals));
            ASSERT_TRUE(SameAsPrinted(std::nextafter(half, 1e300), decimals));
            const double binaryHalf = std::ldexp(static_cast<double>(2 * whole(random) + 1), -(1 + i % 12));
            ASSERT_TRUE(SameAsPrinted(binaryHalf, decimals));
        }
    }
    for (double special : {0.0, -0.0, -0.0004, 0.125, 0.375, 2.5, -2.5, 1e300, -1e300, 5e15, 0x1p-1074})
        for (int decimals : {0, 2, 3})
            ASSERT_TRUE(SameAsPrinted(special, decimals));
}

TEST(FormatFixed, PointAndExactlyTheDecimalsAsked) {
    EXPECT_EQ(FormatFixed(180, 2), "180.00");
    EXPECT_EQ(FormatFixed(6.75, 3), "6.750");
    EXPECT_EQ(FormatFixed(0, 2), "0.00");
    EXPECT_EQ(FormatFixed(0.37673265, 3), "0.377");
    EXPECT_EQ(FormatFixed(1234567.891, 2), "1234567.89"); // no grouping
    EXPECT_EQ(FormatFixed(-2.5, 2), "-2.50");
}

// Runs with LC_NUMERIC switched to a locale whose decimal separator is a comma.
class CommaLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        m_saved = current ? current : "C";
        if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr)
            GTEST_SKIP() << "the locale ru_RU.UTF-8 is not installed";
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", 1.5);
        if (std::string(buf) != "1,5")
            GTEST_SKIP() << "ru_RU.UTF-8 does not print a decimal comma here";
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, m_saved.c_str()); }

  private:
    std::string m_saved;
};

TEST_F(CommaLocale, FixedFormatStillUsesAPoint) {
    EXPECT_EQ(FormatFixed(180, 2), "180.00");
    EXPECT_EQ(FormatFixed(6.75, 3), "6.750");
    EXPECT_EQ(RoundTo(4.5004, 3), 4.5);
}

TEST_F(CommaLocale, GeneralFormatUsesTheSeparatorAsked) {
    EXPECT_EQ(FormatGeneral(12.5, '.'), "12.5");
    EXPECT_EQ(FormatGeneral(12.5, ','), "12,5");
    EXPECT_EQ(ParseNumber("12.5", '.'), 12.5);
}

struct GeneralCase {
    const char* name;
    double value;
    const char* withComma;
    const char* withPoint;
};
void PrintTo(const GeneralCase& c, std::ostream* os) {
    *os << c.name;
}

class GeneralFormat : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, ShortestFormWithFifteenSignificantDigits) {
    const GeneralCase& c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value, ','), c.withComma);
    EXPECT_EQ(FormatGeneral(c.value, '.'), c.withPoint);
}

INSTANTIATE_TEST_SUITE_P(
    FormatGeneral, GeneralFormat,
    ::testing::Values(GeneralCase{"Fraction", 12.5, "12,5", "12.5"}, GeneralCase{"Whole", 30, "30", "30"},
                      GeneralCase{"Zero", 0, "0", "0"}, GeneralCase{"Negative", -2.25, "-2,25", "-2.25"},
                      GeneralCase{"SmallestWithoutExponent", 0.00001, "0,00001", "0.00001"},
                      GeneralCase{"BelowTheSmallestWithoutExponent", 0.000001, "1E-6", "1E-6"},
                      GeneralCase{"ExponentWithFraction", 0.0000015, "1,5E-6", "1.5E-6"},
                      GeneralCase{"FifteenIntegerDigits", 123456789012345, "123456789012345",
                                  "123456789012345"},
                      GeneralCase{"SixteenIntegerDigits", 1e15, "1E15", "1E15"},
                      GeneralCase{"LargeWithFraction", 1.5e20, "1,5E20", "1.5E20"},
                      GeneralCase{"CutToFifteenDigits", 1.0 / 3, "0,333333333333333", "0.333333333333333"},
                      GeneralCase{"SumNoiseDropped", 0.1 + 0.2, "0,3", "0.3"},
                      GeneralCase{"RoundedUpAtFifteenDigits", 2.9999999999999996, "3", "3"},
                      GeneralCase{"SmallFraction", 0.75, "0,75", "0.75"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ParseCase {
    const char* name;
    const char* text;
    char separator;
    std::optional<double> expected;
};
void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class Parse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Parse, WholeTextIsOneNumber) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(ParseNumber(c.text, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ParseNumber, Parse,
    ::testing::Values(
        ParseCase{"Comma", "12,5", ',', 12.5}, ParseCase{"Point", "12.5", '.', 12.5},
        ParseCase{"PointUnderComma", "12.5", ',', std::nullopt},
        ParseCase{"CommaUnderPoint", "12,5", '.', std::nullopt}, ParseCase{"BlanksAround", " 7 ", '.', 7.0},
        ParseCase{"PlusSign", "+3", '.', 3.0}, ParseCase{"MinusSign", "-0,5", ',', -0.5},
        ParseCase{"Exponent", "1,5E3", ',', 1500.0}, ParseCase{"Empty", "", '.', std::nullopt},
        ParseCase{"OnlyBlanks", "   ", '.', std::nullopt},
        ParseCase{"TrailingLetters", "12x", '.', std::nullopt},
        ParseCase{"Letters", "abc", '.', std::nullopt}, ParseCase{"LoneSign", "-", '.', std::nullopt},
        ParseCase{"Infinity", "inf", '.', std::nullopt}, ParseCase{"NotANumber", "nan", '.', std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
