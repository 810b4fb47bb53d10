// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LedgerEntry.h"

#include <QDateTime>
#include <QString>

#include <optional>

// What every way into the books accepts for an entry: the forms, the smart entry, the bus,
// the command line, an import and a restored file hold the same limits.
namespace EntryRules {

// A cent is the smallest amount the screens can show. Below a trillion yuan, a sum of a
// million amounts stays exact to the cent in a double, so no total prints as ¥∞.
inline constexpr double minimumAmount = 0.01;
inline constexpr double maximumAmount = 999'999'999'999.99;
// Names and notes: room for any real note, and a bound on what one call may hand over.
inline constexpr qsizetype maximumTextLength = 500;
// Instants in the years 1 to 9999 (UTC), in milliseconds since the epoch.
inline constexpr qint64 earliestDate = -62'135'596'800'000; // 0001-01-01T00:00:00Z
inline constexpr qint64 latestDate = 253'402'300'799'999;   // 9999-12-31T23:59:59.999Z

bool amountInRange(double amount);
bool dateInRange(qint64 msecsSinceEpoch);
bool dateInRange(const QDateTime &date);
bool textInRange(const QString &text);

// Why a new entry would not be stored by the forms, or nullopt when it would: an amount out of
// range, an unknown kind, a category not in its kind's list, a date outside the years 1–9999,
// or a note past the length limit.
std::optional<QString> problem(const LedgerEntry &entry);

} // namespace EntryRules
