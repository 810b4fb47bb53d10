// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The one conversion from amount fields to numbers. Every amount field of the program reads
// its text through these functions; amounts are written into fields with Money::decimal().
namespace AmountText {

// The whole text, untrimmed, as a decimal number: ASCII digits with at most one point and at
// least one digit before the optional exponent ("e"/"E", an optional sign, digits). No sign
// in front, no blanks, grouping separators, currency signs, hex or spelled-out infinity/NaN.
// "5.", ".5" and "1e3" convert; ".", "e5" and "" do not. A text whose value lies outside the
// range of a double (too large or too small to represent) does not convert either.
std::optional<double> parse(const QString &text);

// parse(), kept only when the value lies in EntryRules' amount range (a cent up to just under a
// trillion yuan) and holds nothing below a cent ("12.345" is refused, "12.340" is 12.34).
std::optional<double> positive(const QString &text);
// parse(), kept only when the value is 0 or in that range.
std::optional<double> nonNegative(const QString &text);

inline bool isPositive(const QString &text)
{
    return positive(text).has_value();
}
inline bool isNonNegative(const QString &text)
{
    return nonNegative(text).has_value();
}

} // namespace AmountText
