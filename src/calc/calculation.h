#pragma once
// The recalculation of the calculation window: from the body-part inputs to the quantities of every
// sheet row and the two totals. Everything is recomputed from empty rows on every change; the order of
// additions is part of the result because every addition rounds the row's running amount.
//
// CalcState is the calculation window's state without widgets: the sheet, the inputs, the flags
// Ready and Calculating, TotalWeight and the captions of StSumma and StAllWeight.

#include <array>
#include <string>

#include "calc/inputs.h"
#include "calc/sheet.h"

namespace calc {

struct CalcState {
    CalcState(); // seeds the sheet, gives the selectors their items, fills BodyPartSlots
    CalcState(const CalcState&) = delete;
    CalcState& operator=(const CalcState&) = delete;

    DsMaterial sheet;
    CalcInputs inputs;
    std::array<BodyPartSlot, kBodyPartCount> BodyPartSlots;

    bool Ready = false;
    bool Calculating = false;
    double TotalWeight = 0;
    // Until the first recalculation the captions hold what the window's layout gives them.
    std::string StSumma = "StSumma";
    std::string StAllWeight = "StSumma";
};

// The recalculation. `sender` is the layer selector whose choice raised it, or none; the grid's
// current row then moves to the chosen material. Does nothing until Ready. A dimension text that is
// no number ends it with ConversionError; Calculating and the view switch are given back all the same.
void OnChange(CalcState& state, const MaterialSelector* sender = nullptr);

// StSumma from the rows' sums ("%.2f"); the current row and the view switch stay as they were.
void UpdateTotalSumma(CalcState& state);

void AddPartConsumption(CalcState& state, const BodyPartSlot& slot);
void AddLayerConsumption(CalcState& state, const BodyPartSlot& slot, const MaterialSelector* selector);
void AddConsumption(CalcState& state, const MaterialRecord* material, double area);

// Square metres per door for a material of the layer (0.8 vibration, 0.4 noise or heat), times 1000.
double DoorFactor(MaterialLayer layer);

} // namespace calc
