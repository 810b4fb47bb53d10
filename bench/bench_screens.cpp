// SPDX-License-Identifier: GPL-3.0-or-later
// What the user waits for on the two daily screens: one saved entry followed by the overview's
// and the bills list's recomputation, and one keystroke in the bills search. The baseline of
// each size is a plain pass summing the amounts of every entry by kind, the least any screen
// showing all-time figures could do.
#include "BenchSetup.h"
#include "LedgerGenerator.h"

#include "FixedClock.h"
#include "bills/BillsLedger.h"
#include "bills/BillsModel.h"
#include "overview/DashboardModel.h"
#include "store/ModelStore.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

#include <sys/resource.h>

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
    DailyTotals totals(*store);
    DashboardModel dashboard(*store, totals);
    BillsLedger ledger(*store);
    BillsModel bills(*store, ledger);
    qint64 second = 0;
    for (auto _ : state) {
        store->insert(LedgerEntry(32, LedgerGenerator::endOfData().addSecs(-(++second)), EntryKind::expense,
                                  u"餐饮"_s, u"午饭"_s));
        benchmark::DoNotOptimize(dashboard.balance());
        benchmark::DoNotOptimize(bills.groupCount());
    }
}

// The screens' share alone, without the disk: both models recompute from the held records.
void BM_RecomputeScreens(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    DailyTotals totals(*store);
    DashboardModel dashboard(*store, totals);
    BillsLedger ledger(*store);
    BillsModel bills(*store, ledger);
    for (auto _ : state) {
        dashboard.recompute();
        bills.recompute();
        benchmark::DoNotOptimize(bills.groupCount());
    }
}

// Typing one more character, then taking it back, over and over: after the first round both
// texts are among the results the list keeps, so this times the answer from what is kept.
void BM_SearchLetterBack(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    BillsLedger ledger(*store);
    BillsModel bills(*store, ledger);
    const QString texts[] = {u"午"_s, u"午饭"_s};
    int step = 0;
    for (auto _ : state) {
        bills.setSearchText(texts[++step % 2]);
        benchmark::DoNotOptimize(bills.groupCount());
    }
}

// The second character of a word typed for the first time: it narrows what the first character
// found a moment before, a text not searched before. Ten first characters in turn, so neither
// text is among the results kept from the rounds before; only the second keystroke is timed.
void BM_SearchNarrowing(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    BillsLedger ledger(*store);
    BillsModel bills(*store, ledger);
    const QString words[] = {u"午饭"_s, u"地铁"_s, u"超市"_s, u"车费"_s, u"早餐"_s,
                             u"晚饭"_s, u"房租"_s, u"水果"_s, u"咖啡"_s, u"电费"_s};
    size_t step = 0;
    for (auto _ : state) {
        const QString &word = words[step++ % std::size(words)];
        state.PauseTiming();
        bills.setSearchText(QString());
        bills.setSearchText(word.first(1));
        state.ResumeTiming();
        bills.setSearchText(word);
        benchmark::DoNotOptimize(bills.groupCount());
    }
}

// A text that extends or shortens no text searched lately: every entry of the run is looked at.
// Ten texts in turn, more than the list keeps the results of.
void BM_SearchNewText(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    BillsLedger ledger(*store);
    BillsModel bills(*store, ledger);
    const QString texts[] = {u"午"_s, u"地"_s, u"超"_s, u"车"_s, u"早"_s,
                             u"晚"_s, u"房"_s, u"水"_s, u"咖"_s, u"电"_s};
    size_t step = 0;
    for (auto _ : state) {
        bills.setSearchText(texts[step++ % std::size(texts)]);
        benchmark::DoNotOptimize(bills.groupCount());
    }
}

// Opening the bills list a second time: the days and the search index are kept with the store,
// so the screen model reads what is kept. The first open, which builds them, is outside the
// loop. peakMiB is the process's peak resident size after one more open and a search.
void BM_OpenBills(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    BillsLedger ledger(*store);
    {
        BillsModel first(*store, ledger);
        benchmark::DoNotOptimize(first.groupCount());
    }
    for (auto _ : state) {
        BillsModel bills(*store, ledger);
        benchmark::DoNotOptimize(bills.groupCount());
    }
    BillsModel searched(*store, ledger);
    searched.setSearchText(u"午"_s);
    searched.setSearchText(u"午饭"_s);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakMiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

BENCHMARK(BM_OpenBills)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanBaseline)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertAndRecompute)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeScreens)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLetterBack)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNarrowing)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNewText)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

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
// Assets: the workspace's balances and totals, and the six-month trend, over 10^3 accounts and
// 10^5 amount changes. The baseline is one plain pass adding every opening balance and every
// change; the plain rule (each account scanning every change) shows what the index saves.
#include "assets/AssetBalanceIndex.h"
#include "assets/AssetManagementModel.h"
#include "assets/AssetTrendCalculator.h"
#include "store/SqliteDatabase.h"
#include "store/StoreSchema.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int assetAccounts = 1000;
constexpr int assetChanges = 100000;

// Written straight into the file once, in one transaction, like the entry books.
QString assetBooks()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(u"assets.sqlite"_s);
        QString error;
        if (!ModelStore::open(file, &error))
            qFatal("%s", qPrintable(error));
        SqliteDatabase db;
        if (!db.open(file) || !db.exec("BEGIN"))
            qFatal("%s", qPrintable(db.lastError()));
        using Accounts = StoreSchema::Table<AssetAccount>;
        using Changes = StoreSchema::Table<AssetAdjustment>;
        SqliteStatement addAccount(db, StoreSchema::insertSql({Accounts::name, Accounts::columns}));
        SqliteStatement addChange(db, StoreSchema::insertSql({Changes::name, Changes::columns}));
        QRandomGenerator random(7);
        const qint64 end = LedgerGenerator::endOfData().toMSecsSinceEpoch();
        const qint64 threeYears = qint64(3) * 365 * 24 * 3600 * 1000;
        const std::array<QString, 3> dimensions{u"自有资产"_s, u"可借用资产"_s, u"负债"_s};
        std::vector<QUuid> ids;
        for (int i = 0; i < assetAccounts; ++i) {
            const QDateTime created =
                QDateTime::fromMSecsSinceEpoch(end - qint64(random.generateDouble() * threeYears));
            const AssetAccount account(u"账户 %1"_s.arg(i), u"现金"_s, dimensions[size_t(i % 3)],
                                       random.bounded(1000000) / 100.0, created);
            Accounts::bind(addAccount, account);
            addAccount.run();
            ids.push_back(account.id);
        }
        for (int i = 0; i < assetChanges; ++i) {
            const QDateTime date =
                QDateTime::fromMSecsSinceEpoch(end - qint64(random.generateDouble() * threeYears));
            const AssetAdjustment change(ids[size_t(random.bounded(assetAccounts))],
                                         (random.bounded(200001) - 100000) / 100.0, date);
            Changes::bind(addChange, change);
            addChange.run();
        }
        if (!db.exec("COMMIT"))
            qFatal("%s", qPrintable(db.lastError()));
        return file;
    }();
    return path;
}

std::unique_ptr<ModelStore> openAssetBooks()
{
    QString error;
    auto store = ModelStore::open(assetBooks(), &error);
    if (!store)
        qFatal("%s", qPrintable(error));
    return store;
}

void BM_AssetPlainPass(benchmark::State &state)
{
    auto store = openAssetBooks();
    for (auto _ : state) {
        double sum = 0;
        for (const AssetAccount &account : store->assetAccounts())
            sum += account.openingBalance;
        for (const AssetAdjustment &change : store->assetAdjustments())
            sum += change.amount;
        benchmark::DoNotOptimize(sum);
    }
}

// Every account's balance and the three totals, as a change of the store recomputes them.
void BM_AssetWorkspaceRecompute(benchmark::State &state)
{
    auto store = openAssetBooks();
    AssetManagementModel model(*store);
    for (auto _ : state) {
        model.recompute();
        benchmark::DoNotOptimize(model.total(AssetDimension::owned));
    }
}

void BM_AssetWorkspacePlainRule(benchmark::State &state)
{
    auto store = openAssetBooks();
    for (auto _ : state) {
        double total = 0;
        for (const AssetAccount &account : store->assetAccounts())
            total += AssetBalanceIndex::plainBalance(account, store->assetAdjustments());
        benchmark::DoNotOptimize(total);
    }
}

void BM_AssetTrend(benchmark::State &state)
{
    auto store = openAssetBooks();
    for (auto _ : state) {
        const auto points =
            AssetTrendCalculator::sixMonthPoints(store->assetAccounts(), store->assetAdjustments());
        benchmark::DoNotOptimize(points.back().amount);
    }
}

} // namespace

BENCHMARK(BM_AssetPlainPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssetWorkspaceRecompute)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssetWorkspacePlainRule)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AssetTrend)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------------
// Statistics and receipt printer: what a change of the chosen date costs each screen. Each
// iteration moves the date to the other of two months, so the screen finds the new span and
// totals it afresh; compare with BM_ScanBaseline of the same size.

#include "receipt/ReceiptModel.h"
#include "statistics/StatisticsModel.h"
#include "store/DailyTotals.h"

#include <array>

namespace {

// Builds the screen on a copy of the books, lets prepare set it up, then times one change of
// a chosen date per iteration, swinging between the two dates given.
template <class Screen, class Prepare, class Choose>
void timeDateChanges(benchmark::State &state, Prepare prepare, Choose choose,
                     const std::array<QDateTime, 2> &dates)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    DailyTotals totals(*store);
    Screen screen(*store, totals);
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
            screen.setRange(PeriodChoice::custom);
            screen.setStartDate(LedgerGenerator::endOfData().addYears(-1));
        },
        [](StatisticsModel &screen, const QDateTime &date) { screen.setEndDate(date); }, dayApart);
}

void BM_ReceiptMonth(benchmark::State &state)
{
    timeDateChanges<ReceiptModel>(
        state, [](ReceiptModel &screen) { screen.setPeriod(PeriodChoice::month); },
        [](ReceiptModel &screen, const QDateTime &date) { screen.setSelectedDate(date); }, monthApart());
}

// The first read of the totals per day over all the books: one pass over every entry, which
// a store pays once, on the first screen that asks for that many days.
void BM_DailyTotalsAllDays(benchmark::State &state)
{
    auto store = openCopy(static_cast<int>(state.range(0)));
    const QDate last = LedgerGenerator::endOfData().date();
    const DateInterval all = LocalCalendar::wholeDays(last.addYears(-30), last);
    for (auto _ : state) {
        state.PauseTiming();
        auto totals = std::make_unique<DailyTotals>(*store);
        state.ResumeTiming();
        benchmark::DoNotOptimize(totals->within(all).kinds[0].cents);
        state.PauseTiming();
        totals.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_DailyTotalsAllDays)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatisticsMonth)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatisticsYear)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiptMonth)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
