#pragma once

#include <QColor>

// The colour roles of budget figures: usage stays indigo (or the secondary text colour in a
// period summary), turns orange past 80 % of the limit and red past 100 %.
enum class BudgetTone { indigo, orange, red, secondary };

namespace BudgetTones {

QColor colour(BudgetTone tone);

} // namespace BudgetTones
