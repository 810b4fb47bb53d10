// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>

namespace Money {

// The amount as Chinese yuan in the user's current locale (QLocale()): the locale's currency
// pattern and grouping, always exactly two fraction digits, ties rounded to even.
// In zh_CN 1234.5 reads ¥1,234.50 and -8 reads -¥8.00.
QString text(double amount);

// The amount as "%.2f" writes it in the C locale, whatever the process and user locale: exactly
// two decimals, a point, no grouping, a minus sign for any negative value (-0.001 gives "-0.00"),
// correctly rounded from the binary value with ties to even (2.675 gives "2.67", 0.125 "0.12").
// Amount fields are filled with it and the spreadsheet export writes it.
QString decimal(double amount);

// The most decimal() writes: the largest double has 309 integer digits.
inline constexpr std::size_t decimalRoom = 330;
// decimal() written as ASCII at out, which has room for decimalRoom characters; returns the end.
// Allocates nothing, for writers that put out many amounts.
char *writeDecimal(char *out, double amount);

} // namespace Money
