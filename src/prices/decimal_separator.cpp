#include "prices/decimal_separator.h"

namespace prices {

char DecimalSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    if (point.size() != 1 || point.at(0).unicode() >= 0x80)
        return '.';
    return point.at(0).toLatin1();
}

} // namespace prices
