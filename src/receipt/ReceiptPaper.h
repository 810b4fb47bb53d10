// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CategoryTotals.h"
#include "model/EntryKind.h"
#include "model/PeriodSelection.h"

#include <QString>

#include <vector>

// Everything the receipt drawing prints, built afresh on every change.
struct ReceiptPaper {
    EntryKind kind = EntryKind::expense;
    PeriodChoice period = PeriodChoice::day;
    QString rangeText;
    double total = 0;
    int count = 0;
    // One row per category, largest first.
    std::vector<CategoryTotal> rows;
    // When the receipt was built, as the paper prints it.
    QString printedText;
};
