// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and changing a store of many entries. The baseline of each size reads the same
// rows into records without more, so the figures read as a ratio: what loading into sorted,
// indexed memory costs on top of reading the file in its own order.
#include "BenchSetup.h"
#include "LedgerGenerator.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"
#include "store/StoreSchema.h"

#include <QCoreApplication>

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

} // namespace

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
