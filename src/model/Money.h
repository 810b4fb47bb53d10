#pragma once

#include <QString>

namespace Money {

// The amount as Chinese yuan in the user's current locale (QLocale()): the locale's currency
// pattern and grouping, always exactly two fraction digits, ties rounded to even.
// In zh_CN 1234.5 reads ¥1,234.50 and -8 reads -¥8.00.
QString text(double amount);

} // namespace Money
