// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and changing a store of many entries. The baseline of each size reads the same
// rows into records without more, so the figures read as a ratio: what loading into sorted,
// indexed memory costs on top of reading the file in its own order.
#include "BenchSetup.h"
#include "LedgerGenerator.h"
#include "bills/BillsLedger.h"
#include "bills/BillsModel.h"
#include "overview/DashboardModel.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"
#include "store/StoreSchema.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <optional>

#include <sqlite3.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The baseline: the same rows read from the file into records, in the file's order, with
// nothing kept sorted and no signals.
void BM_ReadIntoRecords(benchmark::State &state)
{
    const QString path = LedgerGenerator::storeWith(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SqliteDatabase db;
        db.open(path);
        using Table = StoreSchema::Table<LedgerEntry>;
        SqliteStatement select(db, "SELECT * FROM LedgerEntry");
        std::vector<LedgerEntry> rows;
        TextPool pool;
        const StoreSchema::RowReader row(select, pool);
        while (select.step() == SQLITE_ROW)
            rows.push_back(Table::read(row));
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OpenStore(benchmark::State &state)
{
    const QString path = LedgerGenerator::storeWith(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QString error;
        auto store = ModelStore::open(path, &error);
        benchmark::DoNotOptimize(store->entries().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One new entry dated now lands at the front of the date order: the worst case of keeping
// the in-memory order on insert.
void BM_InsertNewest(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const QString path = LedgerGenerator::storeWith(n, true);
    QString error;
    auto store = ModelStore::open(path, &error);
    for (auto _ : state) {
        store->insert(LedgerEntry(12.5, EntryKind::expense, u"餐饮"_s));
    }
}

void BM_UpdateDate(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const QString path = LedgerGenerator::storeWith(n, true);
    QString error;
    auto store = ModelStore::open(path, &error);
    qint64 step = 0;
    for (auto _ : state) {
        LedgerEntry entry = store->entries()[static_cast<size_t>(n / 2)];
        entry.date = entry.date.addSecs(++step % 2 ? 3600 * 24 * 400 : -3600 * 24 * 400);
        store->update(entry);
    }
}

// Deleting an entry from the middle of the order and undoing it: both find the record by id.
void BM_RemoveAndRestore(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const QString path = LedgerGenerator::storeWith(n, true);
    QString error;
    auto store = ModelStore::open(path, &error);
    std::optional<ModelStore::Removed> taken;
    QObject::connect(store.get(), &ModelStore::recordsRemoved,
                     [&](const ModelStore::Removed &removed) { taken = removed; });
    for (auto _ : state) {
        const QUuid id = store->entries()[static_cast<size_t>(n / 2)].id;
        if (!store->remove<LedgerEntry>(id) || !taken || !store->restore(*taken))
            state.SkipWithError("remove or restore failed");
    }
}

// One import of 10^5 lines with transaction ids, dated over the same ten years, into a store of
// n entries: one transaction and one merge into memory. Read it against BM_OpenStore of the
// same n (loading the whole store) and against 10^5 times BM_InsertNewest (the same rows
// written one by one). The import is undone between iterations, untimed.
void BM_ImportBatch(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    constexpr int lines = 100000;
    const QString path = LedgerGenerator::storeWith(n, true);
    QString error;
    auto store = ModelStore::open(path, &error);
    const QDateTime end = LedgerGenerator::endOfData();
    QRandomGenerator random(11);
    int batch = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<ModelStore::ImportRow> rows;
        rows.reserve(lines);
        for (int i = 0; i < lines; ++i) {
            const QDateTime when = end.addSecs(-qint64(random.bounded(3650 * 24)) * 3600);
            rows.push_back({LedgerEntry(1 + random.bounded(50000) / 100.0, when, EntryKind::expense,
                                        u"餐饮"_s, u"外卖"_s),
                            u"wechat"_s, u"%1-%2"_s.arg(batch).arg(i)});
        }
        ++batch;
        state.ResumeTiming();
        const std::optional<ModelStore::ImportResult> result = store->importEntries(rows);
        state.PauseTiming();
        if (!result || result->inserted.size() != size_t(lines)) {
            state.SkipWithError("import failed");
            break;
        }
        ModelStore::Removal undo;
        for (const QUuid &id : result->inserted)
            undo.add<LedgerEntry>(id);
        store->remove(undo);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * lines);
}

// Ten years of a daily rule (3,650 occurrences) caught up at once into a store of 10^5 entries:
// one transaction that claims each day's key and writes its entry, then one merge into memory,
// with the overview and the bills list following it as they do in the window.
// The baseline (argument 0) writes the same 3,650 entries as one import without ids, so the
// ratio is what computing the days and claiming their keys adds. Each iteration starts from a
// new rule, untimed, after the previous one's entries are removed.
void BM_RecurringCatchUp(benchmark::State &state)
{
    const bool recurring = state.range(0) != 0;
    constexpr int days = 3650;
    const QString path = LedgerGenerator::storeWith(100000, true);
    QString error;
    auto store = ModelStore::open(path, &error);
    const QDateTime now = LedgerGenerator::endOfData();
    const QDate first = now.toLocalTime().date().addDays(-(days - 1));
    DailyTotals totals(*store);
    DashboardModel dashboard(*store, totals);
    BillsLedger ledger(*store);
    BillsModel bills(*store, ledger);
    for (auto _ : state) {
        state.PauseTiming();
        RecurringRule rule(25, EntryKind::expense, u"房租"_s, u"房租"_s, first);
        rule.repeat = RecurringRule::Repeat::daily;
        rule.timeOfDay = QTime(0, 0);
        std::vector<ModelStore::ImportRow> rows;
        if (recurring) {
            store->insertRecurringRule(rule);
        } else {
            for (const QDate &day : rule.occurrences(first, now.toLocalTime().date()))
                rows.push_back({rule.entryOn(day, now), u"bench"_s, QString()});
        }
        state.ResumeTiming();
        std::vector<QUuid> written;
        if (recurring)
            written = store->writeDueOccurrences(now).value_or(std::vector<QUuid>{});
        else if (const std::optional<ModelStore::ImportResult> result = store->importEntries(rows))
            written = result->inserted;
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dashboard.balance());
        benchmark::DoNotOptimize(bills.groupCount());
        state.PauseTiming();
        if (written.size() != size_t(days)) {
            state.SkipWithError("catch-up failed");
            break;
        }
        ModelStore::Removal undo;
        for (const QUuid &id : written)
            undo.add<LedgerEntry>(id);
        store->remove(undo);
        if (recurring)
            store->removeRecurringRule(rule.id);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * days);
}

} // namespace

BENCHMARK(BM_RecurringCatchUp)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportBatch)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadIntoRecords)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStore)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertNewest)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateDate)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RemoveAndRestore)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
