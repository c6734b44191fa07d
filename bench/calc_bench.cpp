// The recalculation and the price edit on a calculation window with every input filled: all fifteen
// selectors chosen, all dimensions, five doors, the three options and a price in every row.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <utility>

#include "calc/calculation.h"
#include "prices/main_form_model.h"

namespace {

using calc::DimensionId;
using calc::Field;
using calc::OptionId;
using calc::SelectorId;

// The item index of a selector's text; the empty item when there is no such text.
int ItemOf(const calc::MaterialSelector& selector, const std::string& text) {
    for (std::size_t i = 0; i < selector.items.size(); ++i)
        if (selector.items[i].text == text)
            return static_cast<int>(i);
    return 0;
}

constexpr std::pair<DimensionId, const char*> kDimensions[] = {
    {DimensionId::RoofL, "1500"},  {DimensionId::RoofW, "1200"},     {DimensionId::HoodL, "1000"},
    {DimensionId::HoodW, "800"},   {DimensionId::TailGateL, "1234"}, {DimensionId::TailGateW, "567"},
    {DimensionId::FloorL, "2200"}, {DimensionId::FloorW, "1400"}};

constexpr std::pair<SelectorId, const char*> kChoices[] = {{SelectorId::RoofVibro, "КД plus 2"},
                                                           {SelectorId::RoofNoise, "ГВ 10"},
                                                           {SelectorId::RoofHeat, "СН 3008"},
                                                           {SelectorId::HoodVibro, "КД plus 1.6"},
                                                           {SelectorId::HoodNoise, "ФН ЛМ 12,5"},
                                                           {SelectorId::HoodHeat, "СН ЛМ 3004"},
                                                           {SelectorId::TailGateVibro, "КД plus 2"},
                                                           {SelectorId::TailGateNoise, "ГВ 5"},
                                                           {SelectorId::TailGateHeat, "СН 3002"},
                                                           {SelectorId::FloorVibro, "КД plus 4"},
                                                           {SelectorId::FloorNoise, ""},
                                                           {SelectorId::FloorHeat, "СН 3004"},
                                                           {SelectorId::DoorVibro, "КД duo-lam 2.7"},
                                                           {SelectorId::DoorNoise, "ГВ 5"},
                                                           {SelectorId::DoorHeat, "СН 3008"}};

// Fills the model as the user would, through its setters; leaves it Ready.
void FillThroughSetters(prices::MainFormModel& model) {
    model.Restore({});
    model.Timer1Timer();
    for (const auto& [id, text] : kDimensions)
        model.SetDimensionText(id, text);
    for (const auto& [id, text] : kChoices)
        model.ChooseItem(id, ItemOf(model.Inputs().Selector(id), text));
    model.SetNumDoors(5);
    for (OptionId id : {OptionId::Torpeda, OptionId::ParcelShelf, OptionId::Seal})
        model.SetOption(id, true);
    for (int row = 0; row < 18; ++row) {
        model.EditPrice(row, row % 2 == 0 ? Field::PriceS : Field::PriceN, 10.0 * row + 12.5);
        model.PostPendingEdit();
    }
}

// Puts the same inputs and prices back without recalculating (the state ClearInputs starts from).
void RefillDirectly(prices::MainFormModel& model) {
    calc::CalcState& state = model.State();
    for (const auto& [id, text] : kDimensions)
        state.inputs.Dimension(id) = text;
    for (const auto& [id, text] : kChoices) {
        calc::MaterialSelector& selector = state.inputs.Selector(id);
        selector.itemIndex = ItemOf(selector, text);
        selector.text = text;
    }
    state.inputs.numDoors = 5;
    state.inputs.options = {true, true, true};
    const bool ready = state.Ready;
    state.Ready = false; // no price rules while the prices are put back
    for (state.sheet.First(); !state.sheet.Eof(); state.sheet.Next()) {
        const int row = state.sheet.RecNo();
        state.sheet.Edit();
        state.sheet.SetFloat(row % 2 == 0 ? Field::PriceS : Field::PriceN, 10.0 * row + 12.5);
        state.sheet.Post();
    }
    state.Ready = ready;
}

void BM_OnChangeFullyFilled(benchmark::State& st) {
    prices::MainFormModel model;
    FillThroughSetters(model);
    calc::CalcState& state = model.State();
    for (auto _ : st) {
        calc::OnChange(state);
        benchmark::DoNotOptimize(state.StSumma.data());
        benchmark::ClobberMemory();
    }
    if (state.StSumma == "0.00")
        st.SkipWithError("the model is not filled");
}
BENCHMARK(BM_OnChangeFullyFilled);

void BM_OnChangeFromSelector(benchmark::State& st) {
    prices::MainFormModel model;
    FillThroughSetters(model);
    calc::CalcState& state = model.State();
    const calc::MaterialSelector* sender = &state.inputs.Selector(SelectorId::DoorHeat);
    for (auto _ : st) {
        calc::OnChange(state, sender);
        benchmark::DoNotOptimize(state.StSumma.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OnChangeFromSelector);

// ClearInputs ends with its own recalculation; the refill between iterations is not timed.
void BM_ClearInputs(benchmark::State& st) {
    prices::MainFormModel model;
    FillThroughSetters(model);
    for (auto _ : st) {
        st.PauseTiming();
        RefillDirectly(model);
        st.ResumeTiming();
        model.ClearInputs();
        benchmark::DoNotOptimize(model.StSumma().data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ClearInputs);

void BM_PriceEdit(benchmark::State& st) {
    prices::MainFormModel model;
    FillThroughSetters(model);
    double price = 100;
    for (auto _ : st) {
        price = price == 100 ? 101 : 100;
        model.EditPrice(1, Field::PriceS, price);
        model.PostPendingEdit();
        benchmark::DoNotOptimize(model.StSumma().data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PriceEdit);

} // namespace

BENCHMARK_MAIN();
