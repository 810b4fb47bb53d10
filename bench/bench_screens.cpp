// What the user waits for on the two daily screens: one saved entry followed by the overview's
// and the bills list's recomputation, and one keystroke in the bills search. The baseline of
// each size is a plain pass summing the amounts of every entry by kind, the least any screen
// showing all-time figures could do.
#include "BenchSetup.h"
#include "LedgerGenerator.h"

#include "FixedClock.h"
#include "bills/BillsModel.h"
#include "overview/DashboardModel.h"
#include "store/ModelStore.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<ModelStore> openCopy(int n)
{
    QString error;
    auto store = ModelStore::open(LedgerGenerator::storeWith(n, true), &error);
    if (!store)
        qFatal("%s", qPrintable(error));
    return store;
}

void BM_ScanBaseline(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double income = 0;
        double expense = 0;
        for (const LedgerEntry &entry : store->entries())
            (entry.kind() == EntryKind::income ? income : expense) += entry.amount;
        benchmark::DoNotOptimize(income);
        benchmark::DoNotOptimize(expense);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The store's transaction is on disk before the screens hear of it, so this includes one
// fsync'd commit.
void BM_InsertAndRecompute(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    DashboardModel dashboard(*store);
    BillsModel bills(*store);
    qint64 second = 0;
    for (auto _ : state) {
        store->insert(LedgerEntry(32, LedgerGenerator::endOfData().addSecs(-(++second)), EntryKind::expense,
                                  u"餐饮"_s, u"午饭"_s));
        benchmark::DoNotOptimize(dashboard.balance());
        benchmark::DoNotOptimize(bills.groups().size());
    }
}

// The screens' share alone, without the disk: both models recompute from the held records.
void BM_RecomputeScreens(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    DashboardModel dashboard(*store);
    BillsModel bills(*store);
    for (auto _ : state) {
        dashboard.recompute();
        bills.recompute();
        benchmark::DoNotOptimize(bills.groups().size());
    }
}

// Typing one more character, then taking it back: each is one filter-and-group pass.
void BM_SearchKeystroke(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    BillsModel bills(*store);
    const QString texts[] = {u"午"_s, u"午饭"_s};
    int step = 0;
    for (auto _ : state) {
        bills.setSearchText(texts[++step % 2]);
        benchmark::DoNotOptimize(bills.groups().size());
    }
}

} // namespace

BENCHMARK(BM_ScanBaseline)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertAndRecompute)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeScreens)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchKeystroke)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    Clock::setInstance(std::make_shared<FixedClock>(LedgerGenerator::endOfData()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Statistics and receipt printer: what a change of the chosen date costs each screen. Each
// iteration moves the date to the other of two months, so the screen finds the new span and
// totals it afresh; compare with BM_ScanBaseline of the same size.

#include "receipt/ReceiptModel.h"
#include "statistics/StatisticsModel.h"

#include <array>

namespace {

// Builds the screen on a copy of the books, lets prepare set it up, then times one change of
// a chosen date per iteration, swinging between the two dates given.
template <class Screen, class Prepare, class Choose>
void timeDateChanges(benchmark::State &state, Prepare prepare, Choose choose,
                     const std::array<QDateTime, 2> &dates)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    Screen screen(*store);
    prepare(screen);
    int step = 0;
    for (auto _ : state) {
        choose(screen, dates[++step % 2]);
        benchmark::ClobberMemory();
    }
}

// Read when a benchmark runs, after the time zone is pinned.
std::array<QDateTime, 2> monthApart()
{
    return {LedgerGenerator::endOfData(), LedgerGenerator::endOfData().addMonths(-1)};
}

void BM_StatisticsMonth(benchmark::State &state)
{
    timeDateChanges<StatisticsModel>(
        state, [](StatisticsModel &) {},
        [](StatisticsModel &screen, const QDateTime &date) { screen.setSelectedDate(date); }, monthApart());
}

// A whole year as a custom span: about a tenth of the generated books.
void BM_StatisticsYear(benchmark::State &state)
{
    const std::array<QDateTime, 2> dayApart{LedgerGenerator::endOfData(),
                                            LedgerGenerator::endOfData().addDays(-1)};
    timeDateChanges<StatisticsModel>(
        state,
        [](StatisticsModel &screen) {
            screen.setRange(StatisticsRange::custom);
            screen.setStartDate(LedgerGenerator::endOfData().addYears(-1));
        },
        [](StatisticsModel &screen, const QDateTime &date) { screen.setEndDate(date); }, dayApart);
}

void BM_ReceiptMonth(benchmark::State &state)
{
    timeDateChanges<ReceiptModel>(
        state, [](ReceiptModel &screen) { screen.setPeriod(ReceiptPeriod::month); },
        [](ReceiptModel &screen, const QDateTime &date) { screen.setSelectedDate(date); }, monthApart());
}

} // namespace

BENCHMARK(BM_StatisticsMonth)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatisticsYear)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiptMonth)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
