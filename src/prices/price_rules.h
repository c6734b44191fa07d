#pragma once
// The price rules of the sheet, installed as its three hooks by the calculation window's model.
//
// A row is priced either per square metre (PriceS) or per sheet (PriceN), never both after a post: the
// price the user entered last wins and the other is emptied. Summa is the matching amount times the
// price, rounded to two decimals, and empty when the product is exactly 0. OldPriceN remembers the
// row's per-sheet price as it stood when the user's edit began.

#include "calc/calculation.h"

namespace prices {

struct PriceRules {
    calc::CalcState& state;
    double OldPriceN = 0;

    void DsMaterial1BeforeEdit(calc::DsMaterial& sheet);
    void DsMaterial1BeforePost(calc::DsMaterial& sheet);
    void DsMaterial1AfterPost(calc::DsMaterial& sheet);

    // Connects the three handlers to the state's sheet.
    void Install();
};

} // namespace prices
