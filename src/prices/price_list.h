#pragma once
// The stored price list: every row's two prices in one text, "PriceS:PriceN;" per row in sheet order,
// an empty price written as 0, numbers in the general format with the user's decimal separator.
//
// The reader splits at ':' and ';' alike (a run of separators counts as one), takes values strictly by
// position, and reads each as its longest leading number, accepting both '.' and ',' as the decimal
// separator so that a list written under other number settings keeps its fractions.

#include <string>
#include <string_view>
#include <vector>

#include "calc/sheet.h"

namespace prices {

// One row's entry: "PriceS:PriceN;".
std::string PriceListEntry(const calc::SheetRow& row, char decimalSeparator);

// The values of the list in order; a value without a leading number reads 0.
std::vector<double> ReadStoredPriceList(std::string_view text);

// The longest leading number of a value (blanks, sign, digits, '.' or ',' fraction, exponent); 0 when
// it has none.
double LeadingNumber(std::string_view value);

} // namespace prices
