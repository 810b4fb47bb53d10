// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LedgerEntry.h"

#include <QDateTime>
#include <QString>

#include <optional>

struct AssetAccount;
struct AssetAdjustment;
struct Budget;
struct FixedAsset;
struct SavingsDeposit;
struct SavingsGoal;

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
// Nothing below a cent: 12.34 and 12 but not 12.345, which no screen could show as typed.
// Whatever is typed or sent in new is held to it; a record already stored is not, so a file
// of an earlier version that holds such an amount still opens and restores.
bool wholeCents(double amount);
bool dateInRange(qint64 msecsSinceEpoch);
bool dateInRange(const QDateTime &date);
bool textInRange(const QString &text);

// Why a new entry would not be stored by the forms, or nullopt when it would: an amount out of
// range, an unknown kind, a category not in its kind's list, a date outside the years 1–9999,
// or a note past the length limit.
std::optional<QString> problem(const LedgerEntry &entry);
// problem(), and an amount past the cent: what a new entry from outside the window must pass.
std::optional<QString> newEntryProblem(const LedgerEntry &entry);

// Why a stored record of each other kind is one its form could never have saved, or nullopt:
// the amount rules of its form (0 allowed where the form allows it), a name where the form
// asks for one, a budget's expense category and days, a fixed asset's life of a month or more.
std::optional<QString> problem(const Budget &budget);
std::optional<QString> problem(const SavingsGoal &goal);
std::optional<QString> problem(const SavingsDeposit &deposit);
std::optional<QString> problem(const AssetAccount &account);
std::optional<QString> problem(const AssetAdjustment &adjustment);
std::optional<QString> problem(const FixedAsset &asset);

} // namespace EntryRules
