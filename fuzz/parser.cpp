// SPDX-License-Identifier: GPL-3.0-or-later
// The sentence parser: never crashes, keeps its promises about the draft, and finds the
// amount exactly where the backtracking pattern does.
#include "AmountPatternReference.h"
#include "FuzzInput.h"

#include "entry/NaturalLedgerParser.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString sentence = fuzzText(data, size);
    const std::optional<ParsedLedgerEntry> parsed = NaturalLedgerParser::parse(sentence);
    if (parsed && (!(parsed->amount > 0) || !std::isfinite(parsed->amount) || parsed->note.isEmpty() ||
                   parsed->category.isEmpty()))
        std::abort();

    // The reference backtracks, so only short sentences are compared.
    if (sentence.size() <= 256) {
        const auto found = NaturalLedgerParser::findAmount(sentence);
        const auto expected = referenceAmountSpan(sentence);
        if (found.has_value() != expected.has_value())
            std::abort();
        if (found && (found->start != expected->start || found->end != expected->end ||
                      found->digitsStart != expected->digitsStart || found->digitsEnd != expected->digitsEnd))
            std::abort();
    }
    return 0;
}
