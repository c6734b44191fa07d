#pragma once
// The decimal separator of the user's number settings, as the grid, the stored price list and the
// printed page use it: a single character, "." when the settings give none that fits in one byte.

#include <QLocale>

namespace prices {

char DecimalSeparatorOf(const QLocale& locale);

// The separator of the default locale (the user's, unless a test set another).
inline char UserDecimalSeparator() { return DecimalSeparatorOf(QLocale()); }

} // namespace prices
