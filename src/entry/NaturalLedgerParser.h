// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ParsedLedgerEntry.h"
#include "model/EntryKind.h"

#include <QString>

#include <functional>
#include <optional>

// Reads one free Chinese sentence such as 「今天花了25元买了面包」 into a draft entry with fixed
// tables: the first amount in the sentence, income or expense by a list of income words, and
// what is left after the amount and filler words are cut out as the note. The category is the
// first that applies: what the person's own books say about the note (the hint), the ordered
// keyword table, the merchant table (CategoryWordTable::merchants), the kind's catch-all.
// Pure and stateless; safe to call from any thread.
namespace NaturalLedgerParser {

// The person's category for a note of a kind, or nothing (see store/CategoryMemory).
using CategoryHint = std::function<std::optional<QString>(const QString &note, EntryKind kind)>;

// Nothing for a blank sentence, a sentence without digits, or one whose first digit run does
// not convert to a plain decimal number greater than 0 with at most two decimals ("12.345" is
// refused whole, not read as 12.34). Later amounts are never tried.
std::optional<ParsedLedgerEntry> parse(const QString &sentence, const CategoryHint &hint = {});

// Where the first amount lies in a sentence, in UTF-16 offsets: [start, end) holds the
// optional currency word (¥, ￥, 人民币), blanks, the digits, blanks and the optional unit
// (元, 块, rmb in any case); [digitsStart, digitsEnd) the digits, with at most two decimals
// after a point. Digits are any Unicode decimal digits. Nothing when there is no digit, or
// when the text is not well-formed UTF-16.
struct AmountSpan {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype digitsStart = 0;
    qsizetype digitsEnd = 0;
};
std::optional<AmountSpan> findAmount(const QString &sentence);

} // namespace NaturalLedgerParser
