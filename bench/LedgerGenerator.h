// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// Stores shaped like years of one person's books, written straight into the file: about
// nine expenses to one income, every category, short everyday notes (a third left empty),
// amounts skewed toward small sums, and a budget period per month for the last year plus a
// few month budgets of the older kind. Every other kind is filled too: savings goals with
// monthly deposits, asset accounts of each dimension with amount changes (one per hundred
// entries), and fixed assets of each register category. Entries are stored in the order they
// were written down (most on their day, some days later), as the program stores them.
namespace LedgerGenerator {

// The day the generated books end on; benchmarks fix the clock here so the current period
// holds a realistic share of the entries.
QDateTime endOfData();

// Creates a store file of n entries ending at end, at path (which must not hold other
// records). False, with the error, when the file cannot be written.
bool write(const QString &path, int n, const QDateTime &end, QString *error);

// A store file of n entries spread over the ten years before endOfData(), written once per
// size into a temporary folder and reused; each call returns a fresh copy when copy is true,
// so a benchmark that writes starts from the same file.
QString storeWith(int n, bool copy = false);

} // namespace LedgerGenerator
