// The price rules of the sheet: which price a row keeps after a post, its Summa, the cost total, and
// the Delete key on a price cell. Driven through the model as the grid drives it.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model_helpers.h"
#include "prices/main_form_model.h"

namespace {

using calc::Field;
using calc::SelectorId;
using Price = std::optional<double>;

constexpr int kRow = 1; // "КД plus 2": 2.5 m2, 6.25 sheets in the fixture

class PriceRules : public ::testing::Test {
  protected:
    PriceRules() {
        testhelpers::OpenEmpty(model);
        model.SetDimensionText(calc::DimensionId::RoofL, "2500");
        model.SetDimensionText(calc::DimensionId::RoofW, "1000");
        testhelpers::Choose(model, SelectorId::RoofVibro, "КД plus 2");
    }
    const calc::SheetRow& Row(int row = kRow) { return model.State().sheet.Row(row); }

    prices::MainFormModel model;
};

TEST_F(PriceRules, FixtureRowHasItsAmounts) {
    ASSERT_EQ(Row().AmountS, 2.5);
    ASSERT_EQ(Row().AmountN, 6.25);
    EXPECT_EQ(model.StSumma(), "0.00");
}

struct PriceEdit {
    Field field;
    Price value;
};

struct OutcomeCase {
    const char* name;
    std::vector<PriceEdit> before; // edits made and posted first, one row edit each
    std::vector<PriceEdit> edit;   // the changes of the edit under test, posted together
    Price priceS;
    Price priceN;
    Price summa;
    const char* total;
};
void PrintTo(const OutcomeCase& c, std::ostream* os) {
    *os << c.name;
}

class PriceOutcome : public PriceRules, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(PriceOutcome, TheNewPriceWinsAndTheOtherIsEmptied) {
    const OutcomeCase& c = GetParam();
    for (const PriceEdit& e : c.before)
        testhelpers::TypePrice(model, kRow, e.field, e.value);
    for (const PriceEdit& e : c.edit)
        model.EditPrice(kRow, e.field, e.value);
    model.PostPendingEdit();
    EXPECT_EQ(Row().PriceS, c.priceS);
    EXPECT_EQ(Row().PriceN, c.priceN);
    EXPECT_EQ(Row().Summa, c.summa);
    EXPECT_EQ(model.StSumma(), c.total);
    EXPECT_EQ(Row().AmountS, 2.5) << "a price edit changed the amounts";
}

const PriceEdit S100{Field::PriceS, 100};
const PriceEdit N1200{Field::PriceN, 1200};

INSTANTIATE_TEST_SUITE_P(
    PriceRules, PriceOutcome,
    ::testing::Values(
        OutcomeCase{"NoPriceEnterS", {}, {S100}, 100, {}, 250, "250.00"},
        OutcomeCase{"NoPriceEnterN", {}, {N1200}, {}, 1200, 7500, "7500.00"},
        OutcomeCase{"NoPriceEnterBoth", {}, {S100, N1200}, {}, 1200, 7500, "7500.00"},
        OutcomeCase{"PerM2ChangeS", {S100}, {{Field::PriceS, 120}}, 120, {}, 300, "300.00"},
        OutcomeCase{"PerM2EmptyS", {S100}, {{Field::PriceS, {}}}, {}, {}, {}, "0.00"},
        OutcomeCase{"PerM2EnterN", {S100}, {N1200}, {}, 1200, 7500, "7500.00"},
        OutcomeCase{
            "PerM2EnterNAndChangeS", {S100}, {{Field::PriceS, 120}, N1200}, {}, 1200, 7500, "7500.00"},
        OutcomeCase{"PerSheetChangeN", {N1200}, {{Field::PriceN, 1.234}}, {}, 1.234, 7.71, "7.71"},
        OutcomeCase{"PerSheetEmptyN", {N1200}, {{Field::PriceN, {}}}, {}, {}, {}, "0.00"},
        OutcomeCase{"PerSheetEnterS", {N1200}, {S100}, 100, {}, 250, "250.00"},
        OutcomeCase{
            "PerSheetEnterSAndChangeN", {N1200}, {{Field::PriceN, 1000}, S100}, 100, {}, 250, "250.00"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RoofCase {
    const char* name;
    Field field;
    double price;
    bool priceFirst; // typed before the material was chosen: the recalculation computes the sum
    double summa;
    const char* total;
};
void PrintTo(const RoofCase& c, std::ostream* os) {
    *os << c.name;
}

class RoofPriced : public ::testing::TestWithParam<RoofCase> {};

TEST_P(RoofPriced, SumFromTheMatchingAmount) {
    const RoofCase& c = GetParam();
    prices::MainFormModel model;
    testhelpers::OpenEmpty(model);
    if (c.priceFirst)
        testhelpers::TypePrice(model, kRow, c.field, c.price);
    model.SetDimensionText(calc::DimensionId::RoofL, "1500");
    model.SetDimensionText(calc::DimensionId::RoofW, "1200");
    testhelpers::Choose(model, SelectorId::RoofVibro, "КД plus 2");
    if (!c.priceFirst)
        testhelpers::TypePrice(model, kRow, c.field, c.price);
    const calc::SheetRow& row = model.State().sheet.Row(kRow);
    EXPECT_EQ(row.AmountS, 1.8);
    EXPECT_EQ(row.AmountN, 4.5);
    EXPECT_EQ(row.Summa, c.summa);
    EXPECT_EQ(model.StSumma(), c.total);
    EXPECT_EQ(model.StAllWeight(), "6.750");
}

INSTANTIATE_TEST_SUITE_P(
    PriceRules, RoofPriced,
    ::testing::Values(RoofCase{"PerSquareMetre", Field::PriceS, 100, false, 180, "180.00"},
                      RoofCase{"PerSheet", Field::PriceN, 50, false, 225, "225.00"},
                      RoofCase{"PerSquareMetreBeforeTheMaterial", Field::PriceS, 100, true, 180, "180.00"},
                      RoofCase{"PerSheetBeforeTheMaterial", Field::PriceN, 50, true, 225, "225.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PriceRules, ProductBelowHalfACentIsZeroNotEmpty) {
    model.SetDimensionText(calc::DimensionId::RoofL, "1000");
    model.SetDimensionText(calc::DimensionId::RoofW, "1");
    ASSERT_EQ(Row().AmountS, 0.001);
    testhelpers::TypePrice(model, kRow, Field::PriceS, 1);
    EXPECT_EQ(Row().Summa, 0.0);
    EXPECT_EQ(model.StSumma(), "0.00");
}

struct ZeroCase {
    const char* name;
    Field field;
    Price priceS;
    Price priceN;
};
void PrintTo(const ZeroCase& c, std::ostream* os) {
    *os << c.name;
}

class ZeroPrice : public PriceRules, public ::testing::WithParamInterface<ZeroCase> {};

TEST_P(ZeroPrice, CountsAsNoPrice) {
    testhelpers::TypePrice(model, kRow, GetParam().field, 0);
    EXPECT_EQ(Row().PriceS, GetParam().priceS);
    EXPECT_EQ(Row().PriceN, GetParam().priceN);
    EXPECT_FALSE(Row().Summa);
    EXPECT_EQ(model.StSumma(), "0.00");
}

INSTANTIATE_TEST_SUITE_P(PriceRules, ZeroPrice,
                         ::testing::Values(ZeroCase{"PerSheet", Field::PriceN, {}, {}},
                                           ZeroCase{"PerSquareMetre", Field::PriceS, 0.0, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PriceRules, NegativePriceGivesANegativeSum) {
    testhelpers::TypePrice(model, kRow, Field::PriceS, -10);
    EXPECT_EQ(Row().Summa, -25.0);
    EXPECT_EQ(model.StSumma(), "-25.00");
}

TEST_F(PriceRules, RowWithoutQuantityKeepsItsPriceWithoutSum) {
    testhelpers::TypePrice(model, 4, Field::PriceN, 80);
    EXPECT_EQ(Row(4).PriceN, 80.0);
    EXPECT_FALSE(Row(4).Summa);
    EXPECT_EQ(model.StSumma(), "0.00");
}

TEST_F(PriceRules, DeleteEmptiesAPriceCellAndLowersTheTotal) {
    testhelpers::TypePrice(model, kRow, Field::PriceN, 1200);
    testhelpers::TypePrice(model, 2, Field::PriceS, 5); // a priced row without quantity
    model.SetNumDoors(1);
    testhelpers::Choose(model, SelectorId::DoorNoise, "ГВ 5");
    testhelpers::TypePrice(model, 10, Field::PriceS, 10); // 0.4 m2: 4.00
    ASSERT_EQ(model.StSumma(), "7504.00");

    model.Sheet().MoveTo(kRow);
    EXPECT_TRUE(model.DeletePrice(Field::PriceN));
    EXPECT_FALSE(Row().PriceN);
    EXPECT_FALSE(Row().PriceS);
    EXPECT_FALSE(Row().Summa);
    EXPECT_EQ(model.StSumma(), "4.00");
}

TEST_F(PriceRules, DeleteDoesNothingOutsideThePriceColumns) {
    testhelpers::TypePrice(model, kRow, Field::PriceS, 100);
    for (Field field : {Field::Name, Field::Size, Field::AmountS, Field::AmountN, Field::Summa}) {
        EXPECT_FALSE(model.DeletePrice(field)) << calc::FieldName(field);
        EXPECT_EQ(Row().PriceS, 100.0);
        EXPECT_EQ(Row().Summa, 250.0);
        EXPECT_EQ(model.StSumma(), "250.00");
    }
}

TEST_F(PriceRules, DeleteWhileARowIsInEditLeavesTheCellToTheEditor) {
    testhelpers::TypePrice(model, kRow, Field::PriceS, 100);
    model.EditPrice(kRow, Field::PriceS, 120);
    EXPECT_FALSE(model.DeletePrice(Field::PriceS));
    EXPECT_EQ(model.Sheet().GetState(), calc::DsMaterial::State::Edit);
    EXPECT_EQ(model.Sheet().CurrentBuffer().PriceS, 120.0);
    model.PostPendingEdit();
    EXPECT_EQ(Row().PriceS, 120.0);
    EXPECT_EQ(model.StSumma(), "300.00");
}

TEST_F(PriceRules, TotalIsNotRefreshedRowByRowDuringARecalculation) {
    testhelpers::TypePrice(model, kRow, Field::PriceS, 100);
    ASSERT_EQ(model.StSumma(), "250.00");
    calc::CalcState& state = model.State();
    std::vector<std::string> totalsSeen;
    auto rulesAfterPost = state.sheet.AfterPost;
    state.sheet.AfterPost = [&](calc::DsMaterial& ds) {
        rulesAfterPost(ds);
        if (state.Calculating)
            totalsSeen.push_back(state.StSumma);
    };
    model.SetNumDoors(2); // the reset empties the row's Summa before the roof adds its amount again
    ASSERT_FALSE(totalsSeen.empty());
    for (const std::string& total : totalsSeen)
        EXPECT_EQ(total, "250.00");
    EXPECT_EQ(model.StSumma(), "250.00");
}

TEST_F(PriceRules, RecalculationEditsAreNotTakenForTheUsers) {
    testhelpers::TypePrice(model, 17, Field::PriceN, 7);
    testhelpers::TypePrice(model, kRow, Field::PriceS, 100);
    ASSERT_EQ(model.OldPriceN(), 0.0);
    model.SetOption(calc::OptionId::Seal, true); // the tape's row, priced per sheet, is edited last
    EXPECT_EQ(model.OldPriceN(), 0.0);
    EXPECT_EQ(Row(17).PriceN, 7.0);
    EXPECT_EQ(Row(17).Summa, 1.12);
    EXPECT_EQ(Row().PriceS, 100.0);
}

TEST_F(PriceRules, RowWithBothPricesBeforeReadyBecomesPerSheetAtItsFirstPost) {
    prices::MainFormModel opening;
    calc::DsMaterial& ds = opening.Sheet();
    ds.MoveTo(kRow);
    ds.Edit();
    ds.SetFloat(Field::PriceS, 3);
    ds.SetFloat(Field::PriceN, 4);
    ds.Post();
    EXPECT_EQ(ds.Row(kRow).PriceS, 3.0) << "the rules ran before Ready";
    EXPECT_FALSE(ds.Row(kRow).Summa);
    opening.Timer1Timer();
    EXPECT_FALSE(ds.Row(kRow).PriceS);
    EXPECT_EQ(ds.Row(kRow).PriceN, 4.0);
}

} // namespace
