// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The colour roles of budget figures: usage stays indigo (or the secondary text colour in a
// period summary), turns orange past 80 % of the limit and red past 100 %. The colours
// themselves are the palette's.
enum class BudgetTone { indigo, orange, red, secondary };

// The share of a limit past which usage warns (the overview's assistant warns from it on).
inline constexpr double budgetWarningRatio = 0.8;
