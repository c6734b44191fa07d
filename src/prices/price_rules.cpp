#include "prices/price_rules.h"

#include "calc/number_format.h"

namespace prices {

using calc::DsMaterial;
using calc::Field;

void PriceRules::DsMaterial1BeforeEdit(DsMaterial& sheet) {
    if (state.Ready && !state.Calculating)
        OldPriceN = sheet.AsFloat(Field::PriceN);
}

void PriceRules::DsMaterial1BeforePost(DsMaterial& sheet) {
    if (!state.Ready)
        return;
    const double s = sheet.AsFloat(Field::PriceS);
    const double n = sheet.AsFloat(Field::PriceN);
    const bool perSheet = (OldPriceN == 0 && n != 0) || (OldPriceN != 0 && s == 0);
    double product = 0;
    if (perSheet) {
        sheet.SetEmpty(Field::PriceS);
        product = sheet.AsFloat(Field::AmountN) * n;
    } else {
        sheet.SetEmpty(Field::PriceN);
        product = sheet.AsFloat(Field::AmountS) * s;
    }
    if (product != 0)
        sheet.SetFloat(Field::Summa, calc::RoundTo(product, 2));
    else
        sheet.SetEmpty(Field::Summa);
}

void PriceRules::DsMaterial1AfterPost(DsMaterial&) {
    if (state.Ready && !state.Calculating)
        calc::UpdateTotalSumma(state);
}

void PriceRules::Install() {
    state.sheet.BeforeEdit = [this](DsMaterial& s) { DsMaterial1BeforeEdit(s); };
    state.sheet.BeforePost = [this](DsMaterial& s) { DsMaterial1BeforePost(s); };
    state.sheet.AfterPost = [this](DsMaterial& s) { DsMaterial1AfterPost(s); };
}

} // namespace prices
