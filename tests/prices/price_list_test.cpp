// The stored price list: the writer's entries and the reader's splitting and number reading.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "prices/price_list.h"

namespace {

using prices::LeadingNumber;
using prices::PriceListEntry;
using prices::ReadStoredPriceList;

calc::SheetRow Priced(std::optional<double> s, std::optional<double> n) {
    calc::SheetRow row;
    row.PriceS = s;
    row.PriceN = n;
    return row;
}

TEST(PriceListEntry, PerSquareMetreThenPerSheetEmptyAsZero) {
    EXPECT_EQ(PriceListEntry(Priced(150, {}), '.'), "150:0;");
    EXPECT_EQ(PriceListEntry(Priced({}, 900), '.'), "0:900;");
    EXPECT_EQ(PriceListEntry(Priced({}, {}), ','), "0:0;");
    EXPECT_EQ(PriceListEntry(Priced(12.5, {}), ','), "12,5:0;");
    EXPECT_EQ(PriceListEntry(Priced({}, 0.75), '.'), "0:0.75;");
    EXPECT_EQ(PriceListEntry(Priced(0.000002, {}), ','), "2E-6:0;");
}

struct ReadCase {
    const char* name;
    const char* text;
    std::vector<double> values;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadList : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadList, ValuesByPosition) {
    EXPECT_EQ(ReadStoredPriceList(GetParam().text), GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(
    ReadStoredPriceList, ReadList,
    ::testing::Values(ReadCase{"TwoEntries", "150:0;0:900;", {150, 0, 0, 900}},
                      ReadCase{"SingleValue", "5", {5}}, ReadCase{"Empty", "", {}},
                      ReadCase{"NothingStored", "StStorePrice", {0}},
                      ReadCase{"SeparatorRunsCountOnce", ";;:5::;7", {5, 7}},
                      ReadCase{"LettersReadZeroAndKeepPositions", "abc:7;x1:8;", {0, 7, 0, 8}},
                      ReadCase{"TrailingTextIgnored", "12kg:3 ;", {12, 3}},
                      ReadCase{"CommaFraction", "12,5:0;", {12.5, 0}},
                      ReadCase{"PointFraction", "12.5:0;", {12.5, 0}},
                      ReadCase{"ExponentForms", "1E-6:1,5E-6;2e3:0", {0.000001, 0.0000015, 2000, 0}},
                      ReadCase{"Signs", "-3:+4;", {-3, 4}}, ReadCase{"LeadingBlanks", " 8: 9;", {8, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumber, LongestLeadingNumberOrZero) {
    EXPECT_EQ(LeadingNumber("12."), 12);
    EXPECT_EQ(LeadingNumber("7,25abc"), 7.25);
    EXPECT_EQ(LeadingNumber("1e"), 1); // no digits after the exponent mark
    EXPECT_EQ(LeadingNumber("1E+"), 1);
    EXPECT_EQ(LeadingNumber("3,5,6"), 3.5);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("x1"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
}

struct RoundTripCase {
    const char* name;
    char separator;
};
void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class ListRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ListRoundTrip, EveryWrittenPriceComesBack) {
    const std::vector<double> prices{150, 12.5, 0.75, 1234567.89, 0.01, 99.99, 0.000002, -5.5};
    std::string list;
    for (double p : prices)
        list += PriceListEntry(Priced(p, {}), GetParam().separator);
    const std::vector<double> read = ReadStoredPriceList(list);
    ASSERT_EQ(read.size(), prices.size() * 2) << list;
    for (std::size_t i = 0; i < prices.size(); ++i) {
        EXPECT_EQ(read[2 * i], prices[i]) << list;
        EXPECT_EQ(read[2 * i + 1], 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(PriceList, ListRoundTrip,
                         ::testing::Values(RoundTripCase{"DecimalComma", ','},
                                           RoundTripCase{"DecimalPoint", '.'}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
