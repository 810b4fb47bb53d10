// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The conversion between a useful-life field and a whole number of months. Like the amount
// rule, the text is read exactly as typed: nothing is trimmed or guessed.
namespace LifeMonthsText {

// The whole text as a base-10 integer: an optional "+" or "-", then ASCII digits only. No
// blanks, point, grouping or other digits; a value outside a signed 64-bit integer does not
// convert. "+12" and "0012" give 12; "", "+", "12.0", " 12" and "１２" do not convert.
std::optional<qint64> parse(const QString &text);

// parse(), kept only when the life is at least one month.
std::optional<qint64> valid(const QString &text);

inline bool isValid(const QString &text)
{
    return valid(text).has_value();
}

} // namespace LifeMonthsText
