// The calculation window's model: opening (restore, then the timer tick with the stored price list),
// closing (the stored price list), the user's input changes, and clearing.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model_helpers.h"
#include "prices/form_storage.h"
#include "prices/main_form_model.h"
#include "support/config_dir.h"

namespace {

using calc::DimensionId;
using calc::Field;
using calc::OptionId;
using calc::SelectorId;
using prices::MainFormModel;
using prices::StoredValues;
using Price = std::optional<double>;

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

const std::string kNoPrices = Repeat("0:0;", 18);

// Fills every input, as the user would, and prices one row per material.
void FillEverything(MainFormModel& model) {
    using D = DimensionId;
    const std::pair<D, const char*> dimensions[] = {
        {D::RoofL, "1500"},     {D::RoofW, "1200"},    {D::HoodL, "1000"},  {D::HoodW, "800"},
        {D::TailGateL, "1234"}, {D::TailGateW, "567"}, {D::FloorL, "2200"}, {D::FloorW, "1400"}};
    for (const auto& [id, text] : dimensions)
        model.SetDimensionText(id, text);
    using S = SelectorId;
    const std::pair<S, const char*> choices[] = {
        {S::RoofVibro, "КД plus 2"},      {S::RoofNoise, "ГВ 10"},      {S::RoofHeat, "СН 3008"},
        {S::HoodVibro, "КД plus 1.6"},    {S::HoodNoise, "ФН ЛМ 12,5"}, {S::HoodHeat, "СН ЛМ 3004"},
        {S::TailGateVibro, "КД plus 2"},  {S::TailGateNoise, "ГВ 5"},   {S::TailGateHeat, "СН 3002"},
        {S::FloorVibro, "КД plus 4"},     {S::FloorNoise, ""},          {S::FloorHeat, "СН 3004"},
        {S::DoorVibro, "КД duo-lam 2.7"}, {S::DoorNoise, "ГВ 5"},       {S::DoorHeat, "СН 3008"}};
    for (const auto& [id, text] : choices)
        testhelpers::Choose(model, id, text);
    model.SetNumDoors(4);
    model.SetOption(OptionId::Torpeda, true);
    model.SetOption(OptionId::ParcelShelf, true);
    model.SetOption(OptionId::Seal, true);
    for (int row = 0; row < 18; ++row) {
        if (row % 2 == 0)
            testhelpers::TypePrice(model, row, Field::PriceS, row == 0 ? 12.5 : 10.0 * row + 0.25);
        else
            testhelpers::TypePrice(model, row, Field::PriceN, 100.0 * row + 0.5);
    }
}

void ExpectSameInputs(const calc::CalcInputs& a, const calc::CalcInputs& b) {
    for (std::size_t i = 0; i < calc::kSelectorCount; ++i) {
        SCOPED_TRACE(calc::SelectorName(static_cast<SelectorId>(i)));
        EXPECT_EQ(a.selectors[i].itemIndex, b.selectors[i].itemIndex);
        EXPECT_EQ(a.selectors[i].text, b.selectors[i].text);
    }
    EXPECT_EQ(a.dimensions, b.dimensions);
    EXPECT_EQ(a.numDoors, b.numDoors);
    EXPECT_EQ(a.options, b.options);
}

void ExpectSameSheet(const calc::DsMaterial& a, const calc::DsMaterial& b) {
    ASSERT_EQ(a.RecordCount(), b.RecordCount());
    for (int i = 0; i < a.RecordCount(); ++i)
        EXPECT_TRUE(a.Row(i) == b.Row(i)) << "row " << i;
}

TEST(Opening, FirstRunShowsAnEmptyCalculation) {
    MainFormModel model;
    EXPECT_FALSE(model.Ready());
    EXPECT_TRUE(model.TimerPending());
    testhelpers::OpenEmpty(model);
    EXPECT_TRUE(model.Ready());
    EXPECT_FALSE(model.TimerPending());
    EXPECT_EQ(model.StSumma(), "0.00");
    EXPECT_EQ(model.StAllWeight(), "0.000");
    EXPECT_EQ(model.State().sheet.RecNo(), 17);
    EXPECT_TRUE(model.State().sheet.ViewEnabled());
    MainFormModel seeded;
    ExpectSameSheet(model.State().sheet, seeded.State().sheet);
    for (const calc::MaterialSelector& s : model.Inputs().selectors)
        EXPECT_EQ(s.itemIndex, 0) << "an empty text chooses the empty item";
}

TEST(Opening, RestoreAloneCalculatesNothing) {
    MainFormModel model;
    int announced = 0;
    model.InputsChanged = [&announced] { ++announced; };
    model.Restore({{"EdRoofL.Text", "1500"}, {"EdRoofW.Text", "1200"}, {"CbRoofVibro.Text", "КД plus 2"}});
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(model.Inputs().Dimension(DimensionId::RoofL), "1500");
    EXPECT_EQ(model.Inputs().Selector(SelectorId::RoofVibro).text, "КД plus 2");
    EXPECT_EQ(model.Inputs().Selector(SelectorId::RoofVibro).itemIndex, -1);
    EXPECT_FALSE(model.State().sheet.Row(1).AmountS);
    EXPECT_EQ(model.StSumma(), "StSumma");
    EXPECT_EQ(model.StAllWeight(), "StSumma");
}

TEST(Opening, AbsentValuesKeepTheirConstructedValues) {
    MainFormModel model;
    model.Restore({{"EdHoodL.Text", "700"}});
    MainFormModel fresh;
    EXPECT_EQ(model.Inputs().Dimension(DimensionId::HoodW), fresh.Inputs().Dimension(DimensionId::HoodW));
    EXPECT_EQ(model.Inputs().numDoors, 0);
    EXPECT_EQ(model.StStorePrice(), "StStorePrice");
}

TEST(Opening, ADimensionTheEditCannotHoldComesBackAsTheEditShowsIt) {
    MainFormModel model;
    model.Restore({{"EdRoofL.Text", "abc"}, {"EdRoofW.Text", "1234567"}, {"EdHoodL.Text", "1 2"},
                   {"EdHoodW.Text", "900"}});
    const calc::CalcInputs& in = model.Inputs();
    EXPECT_EQ(in.Dimension(DimensionId::RoofL), "     ");
    EXPECT_EQ(in.Dimension(DimensionId::RoofW), "12345");
    EXPECT_EQ(in.Dimension(DimensionId::HoodL), "1 2"); // the edit holds a gap: still an error to read
    EXPECT_EQ(in.Dimension(DimensionId::HoodW), "900");
}

TEST(Opening, TheTimerTicksOnce) {
    MainFormModel model;
    model.Restore({{"StStorePrice.Caption", "5"}});
    model.Timer1Timer();
    testhelpers::TypePrice(model, 0, Field::PriceS, 7);
    model.Timer1Timer();
    EXPECT_EQ(model.State().sheet.Row(0).PriceS, 7.0);
}

TEST(Opening, UnknownSelectorTextStaysWithNothingChosen) {
    MainFormModel model;
    model.Restore({{"EdRoofL.Text", "1500"},
                   {"EdRoofW.Text", "1200"},
                   {"CbRoofVibro.Text", "КД plus 9"},
                   {"CbRoofNoise.Text", "гв 5"}});
    model.Timer1Timer();
    for (SelectorId id : {SelectorId::RoofVibro, SelectorId::RoofNoise}) {
        EXPECT_EQ(model.Inputs().Selector(id).itemIndex, -1);
        EXPECT_EQ(calc::SelectedMaterial(&model.Inputs().Selector(id)), nullptr);
    }
    EXPECT_EQ(model.Inputs().Selector(SelectorId::RoofVibro).text, "КД plus 9");
    EXPECT_EQ(model.StAllWeight(), "0.000");
}

struct DoorCountCase {
    const char* name;
    const char* stored;
    int doors;
};
void PrintTo(const DoorCountCase& c, std::ostream* os) {
    *os << c.name;
}

class StoredDoorCount : public ::testing::TestWithParam<DoorCountCase> {};

TEST_P(StoredDoorCount, IsBroughtIntoRange) {
    MainFormModel model;
    model.Restore({{"SpNumDoors.Value", GetParam().stored}});
    EXPECT_EQ(model.Inputs().numDoors, GetParam().doors);
}

INSTANTIATE_TEST_SUITE_P(Opening, StoredDoorCount,
                         ::testing::Values(DoorCountCase{"InRange", "4", 4},
                                           DoorCountCase{"Blanks", " 3 ", 3},
                                           DoorCountCase{"AboveMaximum", "9", 5},
                                           DoorCountCase{"Negative", "-2", 0},
                                           DoorCountCase{"Letters", "abc", 0}, DoorCountCase{"Empty", "", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RowPrices {
    int row;
    Price priceS;
    Price priceN;
};

struct StoredListCase {
    const char* name;
    std::string list;
    std::vector<RowPrices> priced; // every other row has no price
};
void PrintTo(const StoredListCase& c, std::ostream* os) {
    *os << c.name;
}

class StoredList : public ::testing::TestWithParam<StoredListCase> {};

TEST_P(StoredList, OpensWithThePricesByPosition) {
    const StoredListCase& c = GetParam();
    MainFormModel model;
    model.Restore({{"StStorePrice.Caption", c.list}});
    model.Timer1Timer();
    const calc::DsMaterial& ds = model.State().sheet;
    for (int i = 0; i < ds.RecordCount(); ++i) {
        RowPrices expected{i, {}, {}};
        for (const RowPrices& p : c.priced)
            if (p.row == i)
                expected = p;
        EXPECT_EQ(ds.Row(i).PriceS, expected.priceS) << "row " << i;
        EXPECT_EQ(ds.Row(i).PriceN, expected.priceN) << "row " << i;
        EXPECT_FALSE(ds.Row(i).Summa) << "row " << i;
    }
    EXPECT_EQ(ds.RecNo(), 17);
}

std::string FortyEntries() {
    std::string list;
    for (int i = 1; i <= 40; ++i)
        list += std::to_string(i) + ":0;";
    return list;
}

std::vector<RowPrices> FirstEighteen() {
    std::vector<RowPrices> rows;
    for (int i = 0; i < 18; ++i)
        rows.push_back({i, i + 1.0, {}});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Opening, StoredList,
    ::testing::Values(
        StoredListCase{"TwoPricedRows", "150:0;0:900;" + Repeat("0:0;", 16), {{0, 150, {}}, {1, {}, 900}}},
        StoredListCase{"SingleValue", "5", {{0, 5, {}}}},
        StoredListCase{"BothPricesInOneRow", "0:0;7:8;", {{1, {}, 8}}},
        StoredListCase{"FortyEntries", FortyEntries(), FirstEighteen()},
        StoredListCase{"LettersKeepPositions", "abc:0;x:9;3,5:0;", {{1, {}, 9}, {2, 3.5, {}}}},
        StoredListCase{"NothingEverStored", "StStorePrice", {}}, StoredListCase{"EmptyList", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Closing, StoresOneEntryPerRow) {
    MainFormModel model;
    testhelpers::OpenEmpty(model);
    testhelpers::TypePrice(model, 0, Field::PriceS, 150);
    testhelpers::TypePrice(model, 1, Field::PriceN, 900);
    EXPECT_TRUE(model.FormCloseQuery());
    EXPECT_EQ(model.StStorePrice(), "150:0;0:900;" + Repeat("0:0;", 16));
    EXPECT_EQ(model.StoredProperties().at("StStorePrice.Caption"), model.StStorePrice());
}

TEST(Closing, PostsARowStillInEditFirst) {
    MainFormModel model;
    testhelpers::OpenEmpty(model);
    model.EditPrice(3, Field::PriceN, 40);
    model.FormCloseQuery();
    EXPECT_EQ(model.StStorePrice(), Repeat("0:0;", 3) + "0:40;" + Repeat("0:0;", 14));
    EXPECT_EQ(model.State().sheet.GetState(), calc::DsMaterial::State::Browse);
}

TEST(Closing, BeforeTheOpeningTickKeepsTheStoredPrices) {
    MainFormModel model;
    model.Restore({{"StStorePrice.Caption", "150:0;0:900;"}, {"EdRoofL.Text", "1500"}});
    EXPECT_TRUE(model.FormCloseQuery());
    const StoredValues stored = model.StoredProperties();
    EXPECT_EQ(stored.at("StStorePrice.Caption"), "150:0;0:900;");
    EXPECT_EQ(stored.at("EdRoofL.Text"), "1500");
}

TEST(Closing, StoresEveryPropertyWithTheDoorsVibrationSelector) {
    MainFormModel model;
    testhelpers::OpenEmpty(model);
    FillEverything(model);
    model.FormCloseQuery();
    const StoredValues values = model.StoredProperties();
    for (const char* key : prices::kStoredProperties)
        EXPECT_EQ(values.count(key), 1u) << key;
    EXPECT_EQ(values.size(), prices::kStoredProperties.size());
    EXPECT_EQ(values.at("CbDoorVibro.Text"), "КД duo-lam 2.7");
    EXPECT_EQ(values.at("CbHoodNoise.Text"), "ФН ЛМ 12,5");
    EXPECT_EQ(values.at("ChSeal.Checked"), "true");
    EXPECT_EQ(values.at("SpNumDoors.Value"), "4");
    EXPECT_EQ(values.at("EdTailGateW.Text"), "567");
}

struct SeparatorCase {
    const char* name;
    char writer;
    char reader;
};
void PrintTo(const SeparatorCase& c, std::ostream* os) {
    *os << c.name;
}

class ReopenAcrossSettings : public ::testing::TestWithParam<SeparatorCase> {
  protected:
    testsupport::ScopedConfigDir config;
};

// Close, store, reopen: every input, every price and the recalculated sheet come back.
TEST_P(ReopenAcrossSettings, EverythingComesBack) {
    MainFormModel before(GetParam().writer);
    testhelpers::OpenEmpty(before);
    FillEverything(before);
    ASSERT_EQ(before.State().sheet.Row(0).PriceS, 12.5);
    ASSERT_TRUE(before.FormCloseQuery());
    EXPECT_EQ(before.StStorePrice().substr(0, 7), std::string("12") + GetParam().writer + "5:0;");
    prices::FormStorage().Store(before.StoredProperties());

    MainFormModel after(GetParam().reader);
    after.Restore(prices::FormStorage().Restore());
    after.Timer1Timer();

    ExpectSameInputs(after.Inputs(), before.Inputs());
    EXPECT_EQ(after.Inputs().Selector(SelectorId::DoorVibro).text, "КД duo-lam 2.7");
    ExpectSameSheet(after.State().sheet, before.State().sheet);
    EXPECT_EQ(after.StSumma(), before.StSumma());
    EXPECT_EQ(after.StAllWeight(), before.StAllWeight());
    EXPECT_EQ(after.State().sheet.RecNo(), 17);
}

INSTANTIATE_TEST_SUITE_P(Reopen, ReopenAcrossSettings,
                         ::testing::Values(SeparatorCase{"CommaThenComma", ',', ','},
                                           SeparatorCase{"CommaThenPoint", ',', '.'},
                                           SeparatorCase{"PointThenComma", '.', ','},
                                           SeparatorCase{"PointThenPoint", '.', '.'}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Inputs, DoorCountIsBroughtIntoRange) {
    MainFormModel model;
    testhelpers::OpenEmpty(model);
    model.SetNumDoors(7);
    EXPECT_EQ(model.Inputs().numDoors, 5);
    model.SetNumDoors(-1);
    EXPECT_EQ(model.Inputs().numDoors, 0);
}

TEST(Inputs, ChoosingAMaterialMovesTheCurrentRowToIt) {
    MainFormModel model;
    testhelpers::OpenEmpty(model);
    testhelpers::Choose(model, SelectorId::FloorHeat, "СН 3008");
    EXPECT_EQ(model.State().sheet.RecNo(), 14);
    model.SetNumDoors(2);
    EXPECT_EQ(model.State().sheet.RecNo(), 14);
    EXPECT_EQ(model.Inputs().Selector(SelectorId::FloorHeat).text, "СН 3008");
}

TEST(Inputs, UnreadableDimensionFailsUntilTheEditIsLeft) {
    MainFormModel model;
    model.Restore({{"EdRoofL.Text", "1 2"}, {"EdRoofW.Text", "1000"}, {"CbRoofVibro.Text", "КД plus 2"}});
    EXPECT_THROW(model.Timer1Timer(), calc::ConversionError);
    EXPECT_TRUE(model.Ready());
    EXPECT_FALSE(model.State().Calculating);
    EXPECT_TRUE(model.State().sheet.ViewEnabled());

    int announced = 0;
    model.InputsChanged = [&announced] { ++announced; };
    EXPECT_TRUE(model.EdExit(DimensionId::RoofL));
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(model.Inputs().Dimension(DimensionId::RoofL), "12");
    EXPECT_EQ(model.State().sheet.Row(1).AmountS, 0.012);
    EXPECT_FALSE(model.EdExit(DimensionId::RoofL)) << "nothing left to remove";
    EXPECT_EQ(announced, 1);
}

class Clearing : public ::testing::Test {
  protected:
    Clearing() {
        testhelpers::OpenEmpty(model);
        FillEverything(model);
        model.State().sheet.MoveTo(3);
    }
    MainFormModel model;
};

TEST_F(Clearing, EmptiesEveryInputAndPrice) {
    ASSERT_NE(model.StSumma(), "0.00");
    model.ClearInputs();
    for (const calc::MaterialSelector& s : model.Inputs().selectors) {
        EXPECT_EQ(s.itemIndex, 0);
        EXPECT_EQ(s.text, "");
    }
    for (const std::string& d : model.Inputs().dimensions)
        EXPECT_EQ(calc::Trim(d), "");
    EXPECT_EQ(model.Inputs().options, (std::array<bool, 3>{}));
    EXPECT_EQ(model.Inputs().numDoors, 0);
    MainFormModel seeded;
    ExpectSameSheet(model.State().sheet, seeded.State().sheet);
    EXPECT_EQ(model.StSumma(), "0.00");
    EXPECT_EQ(model.StAllWeight(), "0.000");
    EXPECT_EQ(model.State().sheet.RecNo(), 17);
    EXPECT_TRUE(model.Ready());
}

TEST_F(Clearing, ThenClosingStoresNoPricesAndEmptyInputs) {
    model.ClearInputs();
    model.FormCloseQuery();
    EXPECT_EQ(model.StStorePrice(), kNoPrices);
    for (const auto& [key, value] : model.StoredProperties()) {
        if (key.ends_with(".Checked")) {
            EXPECT_EQ(value, "false") << key;
        } else if (key == "SpNumDoors.Value") {
            EXPECT_EQ(value, "0");
        } else if (key != "StStorePrice.Caption") {
            EXPECT_EQ(calc::Trim(value), "") << key;
        }
    }
}

TEST_F(Clearing, ClearingTwiceGivesTheSameResult) {
    model.ClearInputs();
    model.ClearInputs();
    MainFormModel seeded;
    ExpectSameSheet(model.State().sheet, seeded.State().sheet);
    EXPECT_EQ(model.StSumma(), "0.00");
}

TEST(ClearingBeforeReady, ResetsWithoutCalculating) {
    MainFormModel model;
    model.Restore({{"EdRoofL.Text", "1500"}, {"StStorePrice.Caption", "5"}});
    model.ClearInputs();
    EXPECT_FALSE(model.Ready());
    EXPECT_EQ(calc::Trim(model.Inputs().Dimension(DimensionId::RoofL)), "");
    EXPECT_EQ(model.StSumma(), "StSumma");
}

} // namespace
