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
// not convert to a plain decimal number greater than 0. Later amounts are never tried.
std::optional<ParsedLedgerEntry> parse(const QString &sentence);

} // namespace NaturalLedgerParser
