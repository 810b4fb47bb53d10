// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LedgerEntry.h"

#include <QString>

// The texts of one entry's row, shared by the painted rows and the text that item models
// hand to screen readers.
namespace EntryText {

// The second line: the note, or the entry's day when the note is empty.
QString detail(const LedgerEntry &entry);
// "-¥32.00" for an expense, "+¥32.00" for an income.
QString amount(const LedgerEntry &entry);
// Category, detail and amount, as a screen reader says the row.
QString accessible(const LedgerEntry &entry);

} // namespace EntryText
