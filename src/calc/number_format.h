#pragma once
// Number texts of the calculation, independent of the process locale.
//
// Stored amounts and sums are rounded the printf way: the value is printed with a fixed number of
// decimals ("%.3f", "%.2f", a point as separator) and the printed text is read back. The general
// format is the shortest form with up to 15 significant digits that the grid, the printed page and
// the stored price list use, with the separator the caller passes.

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// printf("%.*f") with a point, whatever LC_NUMERIC says.
std::string FormatFixed(double value, int decimals);

// The value printed with `decimals` decimals and read back.
double RoundTo(double value, int decimals);

// Shortest form with at most 15 significant digits, no grouping; exponent form ("1E-6", "1,5E20")
// only below 0.00001 in magnitude or with more than 15 integer digits.
std::string FormatGeneral(double value, char decimalSeparator = '.');

// A whole text read as a floating-point number with the given separator (optional sign, digits,
// fraction, exponent; blanks around it allowed). Nothing else may follow.
std::optional<double> ParseNumber(std::string_view text, char decimalSeparator = '.');

} // namespace calc
