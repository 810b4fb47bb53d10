#pragma once

#include <QString>

#include <optional>

// The one conversion between amount fields and numbers. Every amount field of the program
// reads its text through these functions and writes amounts into fields with field().
namespace AmountText {

// The whole text, untrimmed, as a decimal number: ASCII digits with at most one point and at
// least one digit before the optional exponent ("e"/"E", an optional sign, digits). No sign
// in front, no blanks, grouping separators, currency signs, hex or spelled-out infinity/NaN.
// "5.", ".5" and "1e3" convert; ".", "e5" and "" do not. A text whose value lies outside the
// range of a double (too large or too small to represent) does not convert either.
std::optional<double> parse(const QString &text);

// parse(), kept only when the value lies in EntryRules' amount range (a cent up to just under a
// trillion yuan).
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

// The amount as an edit-field text, as "%.2f" writes it in the C locale: exactly two
// decimals, a point, no grouping, correctly rounded from the binary value (25 gives "25.00",
// 3.456 gives "3.46", 2.675 gives "2.67"), whatever the user's locale.
QString field(double amount);

} // namespace AmountText
