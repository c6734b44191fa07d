#include "calc/number_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

namespace calc {

std::string FormatFixed(double value, int decimals) {
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, res.ptr);
}

double RoundTo(double value, int decimals) {
    // The printed text names the decimal r / 10^decimals, r the whole number nearest to the exact
    // value * 10^decimals (halves to even); reading it back gives the double nearest to r / 10^decimals,
    // which is what the division r / 10^decimals gives when r and 10^decimals are exact. So r is found
    // without printing: fma gives the rounding error of the product, which decides the halves.
    static constexpr double kScale[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
    if (decimals >= 0 && decimals < static_cast<int>(std::size(kScale)) && std::isfinite(value)) {
        const double scale = kScale[decimals];
        const double product = value * scale;
        if (std::fabs(product) < 0x1p52) {
            const double error = std::fma(value, scale, -product); // value * scale == product + error
            double r = std::nearbyint(product);                    // halves to even
            const double fraction = product - r;                   // exact
            if (fraction == 0.5 && error > 0)
                r += 1;
            else if (fraction == -0.5 && error < 0)
                r -= 1;
            return r / scale;
        }
    }
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    double back = 0;
    std::from_chars(buf, res.ptr, back);
    return back;
}

std::string FormatGeneral(double value, char decimalSeparator) {
    if (value == 0 || !std::isfinite(value)) {
        if (std::isnan(value))
            return "NAN";
        if (std::isinf(value))
            return value < 0 ? "-INF" : "INF";
        return "0";
    }
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);

    // 15 significant digits: d.dddddddddddddde±x
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (c != '.')
            digits += c;
    const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    const int integerDigits = exponent + 1;
    if (magnitude < 0.00001 || integerDigits > 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
        return out;
    }
    if (integerDigits <= 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-integerDigits), '0');
        out += digits;
        return out;
    }
    if (digits.size() <= static_cast<std::size_t>(integerDigits)) {
        out += digits;
        out.append(static_cast<std::size_t>(integerDigits) - digits.size(), '0');
        return out;
    }
    out += digits.substr(0, static_cast<std::size_t>(integerDigits));
    out += decimalSeparator;
    out += digits.substr(static_cast<std::size_t>(integerDigits));
    return out;
}

std::optional<double> ParseNumber(std::string_view text, char decimalSeparator) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    std::string normal(text);
    for (char& c : normal) {
        if (c == decimalSeparator)
            c = '.';
        else if (c == '.' && decimalSeparator != '.')
            return std::nullopt; // a point where a comma is expected is not a number here
    }
    // from_chars takes '-' but not '+'; "inf" and "nan" are no prices
    const std::size_t start = normal[0] == '+' ? 1 : 0;
    const std::size_t firstDigit = (normal[0] == '+' || normal[0] == '-') ? 1 : 0;
    if (firstDigit >= normal.size() ||
        !(std::isdigit(static_cast<unsigned char>(normal[firstDigit])) || normal[firstDigit] == '.'))
        return std::nullopt;
    double value = 0;
    const char* first = normal.data() + start;
    const char* last = normal.data() + normal.size();
    const auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != last)
        return std::nullopt;
    return value;
}

} // namespace calc
