// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportResult.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The dates of QIF files: "3/20/2024", "03/20'24", "3/20' 4" (an apostrophe before the year
// marks 2000 and later), "3/20/24", "20.03.2024" (always day first), "2024-03-20".
namespace QifDate {

// The order a file's dates are in: the one its slashed dates prove (a first number past 12 is
// a day, a second one past 12 is a day), else month first. *ambiguous is set when no date
// proves it and some date reads differently in the two orders.
ImportDateOrder orderOf(const QStringList &dates, bool *ambiguous);

// The date in the given order (automatic reads as month first); invalid when it is none.
QDate parse(const QString &text, ImportDateOrder order);

} // namespace QifDate
