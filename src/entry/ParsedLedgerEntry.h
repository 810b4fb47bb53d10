// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EntryKind.h"

#include <QString>

#include <utility>

// The draft read from one sentence by NaturalLedgerParser. Never stored: the caller copies
// the fields into its own editable draft.
struct ParsedLedgerEntry {
    ParsedLedgerEntry(double amount, EntryKind kind, QString category, QString note)
        : amount(amount), kind(kind), category(std::move(category)), note(std::move(note))
    {
    }

    // Greater than 0, with at most two decimals as read.
    double amount;
    EntryKind kind;
    // A name of LedgerCategories' list for kind.
    QString category;
    // Never empty; the category name when nothing else is left of the sentence.
    QString note;
};
