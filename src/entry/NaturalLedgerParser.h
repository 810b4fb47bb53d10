// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ParsedLedgerEntry.h"

#include <QString>

#include <optional>

// Reads one free Chinese sentence such as 「今天花了25元买了面包」 into a draft entry with fixed
// tables: the first amount in the sentence, income or expense by a list of income words, a
// category by an ordered keyword table, and what is left after the amount and filler words
// are cut out as the note. Pure and stateless; safe to call from any thread.
namespace NaturalLedgerParser {

// Nothing for a blank sentence, a sentence without digits, or one whose first digit run does
// not convert to a plain decimal number greater than 0 with at most two decimals ("12.345" is
// refused whole, not read as 12.34). Later amounts are never tried.
std::optional<ParsedLedgerEntry> parse(const QString &sentence);

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
