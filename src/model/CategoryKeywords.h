// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryKind.h"

#include <QString>

#include <optional>

// The one keyword table that puts a category on a free text: the sentence parser reads a
// typed sentence with it and the importer a bill's merchandise and counterparty.
namespace CategoryKeywords {

// The category of the first table row of the kind that has a keyword anywhere in the text
// (case-insensitive); rows are tried in a fixed order, so an earlier row shadows a later one
// that shares a keyword substring. Nothing when no keyword of the kind occurs.
std::optional<QString> categoryFor(const QString &text, EntryKind kind);

// The category when nothing else applies: "其它" for an expense, "其他收入" for an income.
QString fallback(EntryKind kind);

} // namespace CategoryKeywords
