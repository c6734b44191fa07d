#include "prices/price_list.h"

#include <charconv>
#include <cctype>

#include "calc/number_format.h"

namespace prices {

std::string PriceListEntry(const calc::SheetRow& row, char decimalSeparator) {
    return calc::FormatGeneral(row.PriceS.value_or(0), decimalSeparator) + ":" +
           calc::FormatGeneral(row.PriceN.value_or(0), decimalSeparator) + ";";
}

double LeadingNumber(std::string_view value) {
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ')
        ++i;
    std::string number;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        if (value[i] == '-')
            number += '-';
        ++i;
    }
    bool anyDigit = false;
    while (i < value.size() && isDigit(value[i])) {
        number += value[i++];
        anyDigit = true;
    }
    if (i + 1 < value.size() && (value[i] == '.' || value[i] == ',') && isDigit(value[i + 1])) {
        number += '.';
        ++i;
        while (i < value.size() && isDigit(value[i])) {
            number += value[i++];
            anyDigit = true;
        }
    } else if (anyDigit && i < value.size() && (value[i] == '.' || value[i] == ',')) {
        ++i; // "12." is 12
    }
    if (!anyDigit)
        return 0;
    // An exponent counts only when digits follow it.
    if (i < value.size() && (value[i] == 'e' || value[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < value.size() && (value[j] == '+' || value[j] == '-'))
            exponent += value[j++];
        if (j < value.size() && isDigit(value[j])) {
            while (j < value.size() && isDigit(value[j]))
                exponent += value[j++];
            number += exponent;
        }
    }
    double result = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), result);
    if (res.ec == std::errc::result_out_of_range)
        return 0;
    return result;
}

std::vector<double> ReadStoredPriceList(std::string_view text) {
    std::vector<double> values;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of(":;", start);
        const std::string_view part = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
        if (!part.empty())
            values.push_back(LeadingNumber(part));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return values;
}

} // namespace prices
