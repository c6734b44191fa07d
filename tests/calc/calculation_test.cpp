// The recalculation: quantities and masses from the body-part inputs, the rounding of the running
// amounts, the totals, the current row and the flags around it.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "calc/calculation.h"

namespace {

using calc::CalcState;
using calc::DimensionId;
using calc::Field;
using calc::OptionId;
using calc::SelectorId;

calc::MaterialSelector& Choose(CalcState& state, SelectorId id, const std::string& text) {
    calc::MaterialSelector& selector = state.inputs.Selector(id);
    for (std::size_t i = 0; i < selector.items.size(); ++i) {
        if (selector.items[i].text == text) {
            selector.itemIndex = static_cast<int>(i);
            selector.text = text;
            return selector;
        }
    }
    ADD_FAILURE() << "no item '" << text << "' in " << calc::SelectorName(id);
    return selector;
}

void SetDimensions(CalcState& state, DimensionId length, const char* l, DimensionId width, const char* w) {
    state.inputs.Dimension(length) = l;
    state.inputs.Dimension(width) = w;
}

class RedrawCounter : public calc::SheetObserver {
  public:
    void RowChanged(int) override { ++rowChanges; }
    void AllRowsChanged() override { ++redraws; }
    void CurrentRowChanged(int) override {}
    int rowChanges = 0;
    int redraws = 0;
};

struct ExpectedRow {
    int id;
    double amountS;
    double amountN;
    double weight;
};

struct ExampleCase {
    const char* name;
    std::function<void(CalcState&)> setup;
    std::vector<ExpectedRow> rows; // every other row stays empty
    const char* allWeight;
};
void PrintTo(const ExampleCase& c, std::ostream* os) {
    *os << c.name;
}

class WorkedExample : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExample, FillsTheRowsAndTheTotals) {
    const ExampleCase& c = GetParam();
    CalcState state;
    state.Ready = true;
    c.setup(state);
    calc::OnChange(state);

    for (int i = 0; i < state.sheet.RecordCount(); ++i) {
        const calc::SheetRow& row = state.sheet.Row(i);
        SCOPED_TRACE("row id " + std::to_string(row.Id));
        const ExpectedRow* expected = nullptr;
        for (const ExpectedRow& e : c.rows)
            if (e.id == row.Id)
                expected = &e;
        if (expected == nullptr) {
            EXPECT_FALSE(row.AmountS || row.AmountN || row.Weight)
                << "an unchosen material's row is not blank";
        } else {
            // the amounts are stored rounded: they must be exactly the three-decimal numbers
            EXPECT_EQ(row.AmountS, expected->amountS);
            EXPECT_EQ(row.AmountN, expected->amountN);
            ASSERT_TRUE(row.Weight.has_value());
            EXPECT_NEAR(*row.Weight, expected->weight, 1e-9);
        }
        EXPECT_FALSE(row.Summa) << "no prices, no sums";
    }
    EXPECT_EQ(state.StAllWeight, c.allWeight);
    EXPECT_EQ(state.StSumma, "0.00");
    EXPECT_FALSE(state.Calculating);
}

INSTANTIATE_TEST_SUITE_P(
    OnChange, WorkedExample,
    ::testing::Values(
        ExampleCase{"NothingChosen", [](CalcState&) {}, {}, "0.000"},
        ExampleCase{"RoofWithPlusTwo",
                    [](CalcState& s) {
                        SetDimensions(s, DimensionId::RoofL, "1500", DimensionId::RoofW, "1200");
                        Choose(s, SelectorId::RoofVibro, "КД plus 2");
                    },
                    {{2, 1.8, 4.5, 6.75}},
                    "6.750"},
        ExampleCase{"FourDoorsThreeLayers",
                    [](CalcState& s) {
                        s.inputs.numDoors = 4;
                        Choose(s, SelectorId::DoorVibro, "КД plus 1.6");
                        Choose(s, SelectorId::DoorNoise, "ГВ 5");
                        Choose(s, SelectorId::DoorHeat, "СН 3002");
                    },
                    {{1, 3.2, 8, 8.8}, {11, 1.6, 1.6, 0.56}, {13, 1.6, 1.6, 0.272}},
                    "9.632"},
        ExampleCase{"OnlyTheThreeOptions",
                    [](CalcState& s) {
                        s.inputs.Option(OptionId::Torpeda) = true;
                        s.inputs.Option(OptionId::ParcelShelf) = true;
                        s.inputs.Option(OptionId::Seal) = true;
                    },
                    {{1, 1.6, 4, 4.4}, {11, 2.0, 2, 0.7}, {18, 0.2, 0.16, 0.048}},
                    "5.148"},
        // Each addition rounds the running amount: 0.377 + 0.699678 gives 1.077, not the 1.076 of the
        // exact sum 1.076379.
        ExampleCase{"RunningAmountRoundedAtEachAddition",
                    [](CalcState& s) {
                        SetDimensions(s, DimensionId::RoofL, "507", DimensionId::RoofW, "743");
                        SetDimensions(s, DimensionId::TailGateL, "1234", DimensionId::TailGateW, "567");
                        Choose(s, SelectorId::RoofNoise, "ГВ 5");
                        Choose(s, SelectorId::TailGateNoise, "ГВ 5");
                    },
                    {{11, 1.077, 1.077, 1.076379 * 0.35}},
                    "0.377"},
        ExampleCase{"SheetsFromTheUnroundedAmount",
                    [](CalcState& s) {
                        // 0.0014 m2 is stored as 0.001, but its sheets are 0.0014 / 0.2, not 0.001 / 0.2
                        SetDimensions(s, DimensionId::FloorL, "1400", DimensionId::FloorW, "1");
                        Choose(s, SelectorId::FloorVibro, "КД plus 2.3");
                    },
                    {{3, 0.001, 0.007, 0.0014 * 4.75}},
                    "0.007"},
        ExampleCase{"TinyAreaStoredAsZero",
                    [](CalcState& s) {
                        SetDimensions(s, DimensionId::RoofL, "1", DimensionId::RoofW, "400");
                        Choose(s, SelectorId::RoofVibro, "КД plus 2"); // 0.0004 m2
                    },
                    {{2, 0, 0.001, 0.0004 * 3.75}},
                    "0.002"},
        ExampleCase{"SameMaterialOnTwoParts",
                    [](CalcState& s) {
                        SetDimensions(s, DimensionId::RoofL, "1000", DimensionId::RoofW, "1000");
                        SetDimensions(s, DimensionId::HoodL, "1000", DimensionId::HoodW, "500");
                        Choose(s, SelectorId::RoofVibro, "КД plus 2");
                        Choose(s, SelectorId::HoodVibro, "КД plus 2");
                    },
                    {{2, 1.5, 3.75, 5.625}},
                    "5.625"},
        ExampleCase{"ChosenMaterialWithEmptyDimension",
                    [](CalcState& s) {
                        s.inputs.Dimension(DimensionId::HoodL) = "800";
                        Choose(s, SelectorId::HoodVibro, "КД plus 1.6");
                    },
                    {{1, 0, 0, 0}},
                    "0.000"},
        ExampleCase{"DoorMaterialWithNoDoors",
                    [](CalcState& s) { Choose(s, SelectorId::DoorHeat, "СН 3008"); },
                    {{15, 0, 0, 0}},
                    "0.000"},
        ExampleCase{"EmptyItemChosen",
                    [](CalcState& s) {
                        SetDimensions(s, DimensionId::RoofL, "1500", DimensionId::RoofW, "1200");
                        Choose(s, SelectorId::RoofVibro, "");
                    },
                    {},
                    "0.000"}),
    [](const auto& info) { return std::string(info.param.name); });

class Recalculation : public ::testing::Test {
  protected:
    Recalculation() {
        state.Ready = true;
        SetDimensions(state, DimensionId::RoofL, "1500", DimensionId::RoofW, "1200");
        Choose(state, SelectorId::RoofVibro, "КД plus 2");
    }
    CalcState state;
};

TEST_F(Recalculation, DoesNothingUntilReady) {
    state.Ready = false;
    calc::OnChange(state, &state.inputs.Selector(SelectorId::RoofVibro));
    CalcState seeded;
    for (int i = 0; i < state.sheet.RecordCount(); ++i)
        EXPECT_EQ(state.sheet.Row(i), seeded.sheet.Row(i));
    EXPECT_EQ(state.StSumma, seeded.StSumma);
    EXPECT_EQ(state.StAllWeight, seeded.StAllWeight);
    EXPECT_EQ(state.sheet.RecNo(), seeded.sheet.RecNo());
}

TEST_F(Recalculation, StartsFromEmptyRowsEveryTime) {
    state.inputs.Option(OptionId::Seal) = true;
    calc::OnChange(state);
    calc::OnChange(state);
    EXPECT_EQ(state.sheet.Row(1).AmountS, 1.8) << "a second run added to the first";
    EXPECT_EQ(state.sheet.Row(17).AmountS, 0.2);

    state.inputs.Option(OptionId::Seal) = false;
    calc::OnChange(state);
    EXPECT_FALSE(state.sheet.Row(17).AmountS);
    EXPECT_FALSE(state.sheet.Row(17).Weight);
    EXPECT_EQ(state.sheet.Row(1).AmountS, 1.8);
    EXPECT_EQ(state.StAllWeight, "6.750");
}

TEST_F(Recalculation, KeepsThePrices) {
    state.sheet.MoveTo(1);
    state.sheet.Edit();
    state.sheet.SetFloat(Field::PriceS, 100);
    state.sheet.Post();
    calc::OnChange(state);
    EXPECT_EQ(state.sheet.Row(1).PriceS, 100.0);
    EXPECT_FALSE(state.sheet.Row(1).PriceN);
}

TEST_F(Recalculation, ChoosingAMaterialMakesItsRowCurrent) {
    state.sheet.MoveTo(5);
    calc::OnChange(state, &state.inputs.Selector(SelectorId::RoofVibro));
    EXPECT_EQ(state.sheet.RecNo(), 1);
}

struct KeepRowCase {
    const char* name;
    std::function<const calc::MaterialSelector*(CalcState&)> change;
};
void PrintTo(const KeepRowCase& c, std::ostream* os) {
    *os << c.name;
}

class CurrentRowKept : public Recalculation, public ::testing::WithParamInterface<KeepRowCase> {};

TEST_P(CurrentRowKept, OtherChangesLeaveTheCurrentRow) {
    state.sheet.MoveTo(5);
    calc::OnChange(state, GetParam().change(state));
    EXPECT_EQ(state.sheet.RecNo(), 5);
    EXPECT_FALSE(state.sheet.Eof());
    EXPECT_EQ(state.sheet.Row(1).AmountS, 1.8);
}

INSTANTIATE_TEST_SUITE_P(OnChange, CurrentRowKept,
                         ::testing::Values(KeepRowCase{"EmptyItemChosen",
                                                       [](CalcState& s) -> const calc::MaterialSelector* {
                                                           return &Choose(s, SelectorId::HoodVibro, "");
                                                       }},
                                           KeepRowCase{"DimensionTyped",
                                                       [](CalcState& s) -> const calc::MaterialSelector* {
                                                           s.inputs.Dimension(DimensionId::RoofL) = "1500";
                                                           return nullptr;
                                                       }},
                                           KeepRowCase{"OptionTicked",
                                                       [](CalcState& s) -> const calc::MaterialSelector* {
                                                           s.inputs.Option(OptionId::Torpeda) = true;
                                                           return nullptr;
                                                       }},
                                           KeepRowCase{"DoorCountChanged",
                                                       [](CalcState& s) -> const calc::MaterialSelector* {
                                                           s.inputs.numDoors = 3;
                                                           return nullptr;
                                                       }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Recalculation, RedrawsOnceAndKeepsAViewThatWasOff) {
    RedrawCounter counter;
    state.sheet.AddObserver(&counter);
    calc::OnChange(state);
    EXPECT_EQ(counter.redraws, 1);
    EXPECT_EQ(counter.rowChanges, 0) << "rows were announced one by one";
    EXPECT_TRUE(state.sheet.ViewEnabled());

    state.sheet.SetViewEnabled(false);
    calc::OnChange(state);
    EXPECT_FALSE(state.sheet.ViewEnabled());
    EXPECT_EQ(counter.redraws, 1);
}

TEST_F(Recalculation, CalculatingIsSetOnlyWhileItRuns) {
    std::vector<bool> seen;
    state.sheet.BeforePost = [&](calc::DsMaterial&) { seen.push_back(state.Calculating); };
    calc::OnChange(state);
    ASSERT_FALSE(seen.empty());
    for (bool calculating : seen)
        EXPECT_TRUE(calculating);
    EXPECT_FALSE(state.Calculating);
}

TEST_F(Recalculation, UnreadableDimensionEndsItAndTheNextChangeRecalculates) {
    for (const bool viewWasOn : {true, false}) {
        SCOPED_TRACE(viewWasOn ? "view on" : "view off");
        state.sheet.SetViewEnabled(viewWasOn);
        state.inputs.Dimension(DimensionId::RoofL) = "1 2";
        try {
            calc::OnChange(state);
            FAIL() << "no ConversionError";
        } catch (const calc::ConversionError& e) {
            EXPECT_STREQ(e.what(), "'1 2' is not a valid integer value");
        }
        EXPECT_FALSE(state.Calculating);
        EXPECT_EQ(state.sheet.ViewEnabled(), viewWasOn);
        EXPECT_EQ(state.sheet.GetState(), calc::DsMaterial::State::Browse);

        state.inputs.Dimension(DimensionId::RoofL) = "12";
        calc::OnChange(state);
        EXPECT_EQ(state.sheet.Row(1).AmountS, 0.014);
        EXPECT_EQ(state.StAllWeight, "0.054");
        state.inputs.Dimension(DimensionId::RoofL) = "1500";
    }
}

TEST_F(Recalculation, TotalSummaAddsTheRowSumsAndKeepsCursorAndView) {
    for (const auto& [row, summa] : {std::pair{2, 20.25}, std::pair{9, 90.5}}) {
        state.sheet.MoveTo(row);
        state.sheet.Edit();
        state.sheet.SetFloat(Field::Summa, summa);
        state.sheet.Post();
    }
    state.sheet.MoveTo(4);
    state.sheet.SetViewEnabled(false);
    calc::UpdateTotalSumma(state);
    EXPECT_EQ(state.StSumma, "110.75");
    EXPECT_EQ(state.sheet.RecNo(), 4);
    EXPECT_FALSE(state.sheet.ViewEnabled());
}

TEST(AddConsumption, AMaterialWithoutARowCountsOnlyItsMass) {
    CalcState state;
    calc::MaterialRecord stray = calc::MaterialCatalog[1];
    stray.id = 99;
    state.sheet.MoveTo(3);
    calc::AddConsumption(state, &stray, 2.0);
    EXPECT_DOUBLE_EQ(state.TotalWeight, 2.0 * stray.weightPerM2);
    EXPECT_EQ(state.sheet.RecNo(), 3);
    CalcState seeded;
    for (int i = 0; i < state.sheet.RecordCount(); ++i)
        EXPECT_EQ(state.sheet.Row(i), seeded.sheet.Row(i));

    calc::AddConsumption(state, nullptr, 2.0);
    EXPECT_DOUBLE_EQ(state.TotalWeight, 2.0 * stray.weightPerM2);
}

} // namespace
