// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

#include <QtGlobal>

// Amounts of bill files read from their decimal text straight into whole cents, so no
// binary rounding happens on the way.
namespace ImportAmount {

// The signed number of cents in a text such as "¥12.00", "￥1,234.5", "-8", "+3.10" or
// "12.00元": blanks around it, one currency sign (¥ ￥ or "RMB"/"CNY"), a sign, ASCII digits
// with comma grouping and at most two decimals (further decimals must be zeros), an optional
// 元. Nothing for any other text or a value past the entry range.
std::optional<qint64> cents(const QString &text);

// Cents as yuan text, "1234.50", for messages.
QString text(qint64 cents);

} // namespace ImportAmount
