// SPDX-License-Identifier: GPL-3.0-or-later
// The sentence parser on the longest line an edit field takes (32,767 characters) made of
// blanks between two letters, the shape that once cost quadratic time. Each figure should
// stay well under 50 ms in a Release build, and grow linearly with the length.
#include "entry/NaturalLedgerParser.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void parseBlanks(benchmark::State &state, QChar blank, bool digitAtEnd)
{
    const QString sentence =
        u"x"_s + QString(static_cast<qsizetype>(state.range(0)), blank) + (digitAtEnd ? u"5元"_s : u"x"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(NaturalLedgerParser::parse(sentence));
    state.SetComplexityN(state.range(0));
}

void BM_ParseSpaces(benchmark::State &state)
{
    parseBlanks(state, u' ', false);
}

void BM_ParseIdeographicSpaces(benchmark::State &state)
{
    parseBlanks(state, QChar(0x3000), false);
}

void BM_ParseSpacesBeforeAmount(benchmark::State &state)
{
    parseBlanks(state, u' ', true);
}

} // namespace

BENCHMARK(BM_ParseSpaces)->Arg(16000)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ParseIdeographicSpaces)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseSpacesBeforeAmount)->Arg(32767)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
