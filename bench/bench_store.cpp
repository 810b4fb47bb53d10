// Opening and changing a store of many entries. The baseline of each size is the plain
// SQLite scan of the same rows, so the figures read as a ratio: what loading into sorted
// records costs on top of reading the file in its own order.
#include "app/ModelStore.h"
#include "app/SqliteDatabase.h"
#include "app/StoreSchema.h"
#include "model/LedgerCategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A store of n entries spread over ten years, written once per size and reused.
QString storeWith(int n)
{
    static std::map<int, QString> made;
    if (auto it = made.find(n); it != made.end())
        return it->second;
    const QString path = workDir().filePath(u"entries-%1.sqlite"_s.arg(n));
    QString error;
    {
        auto store = ModelStore::open(path, &error); // creates the schema
        if (!store)
            qFatal("%s", qPrintable(error));
    }
    SqliteDatabase db;
    db.open(path);
    db.exec("BEGIN");
    using Table = StoreSchema::Table<LedgerEntry>;
    SqliteStatement insert(db, StoreSchema::insertSql({Table::name, Table::columns}));
    QRandomGenerator random(42);
    const QDateTime start(QDate(2016, 1, 1), QTime(0, 0), Qt::UTC);
    const QStringList &categories = LedgerCategories::expenses();
    for (int i = 0; i < n; ++i) {
        LedgerEntry entry(random.bounded(1, 100000) / 100.0,
                          start.addSecs(random.bounded(10 * 365 * 24 * 3600)), EntryKind::expense,
                          categories.at(random.bounded(static_cast<int>(categories.size()))), u"午饭"_s);
        Table::bind(insert, entry);
        insert.run();
    }
    db.exec("COMMIT");
    made[n] = path;
    return path;
}

void BM_SqliteScan(benchmark::State &state)
{
    const QString path = storeWith(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SqliteDatabase db;
        db.open(path);
        SqliteStatement select(db, "SELECT * FROM LedgerEntry");
        qint64 rows = 0;
        double sum = 0;
        while (select.step() == SQLITE_ROW) {
            // Touch every column as the store does, without building records.
            sum += select.real(1) + static_cast<double>(select.integer(2) + select.integer(6));
            rows += select.text(0).size() + select.text(3).size() + select.text(4).size() + select.text(5).size();
        }
        benchmark::DoNotOptimize(rows);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OpenStore(benchmark::State &state)
{
    const QString path = storeWith(static_cast<int>(state.range(0)));
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
    const QString path = workDir().filePath(u"insert-%1.sqlite"_s.arg(n));
    QFile::remove(path);
    QFile::copy(storeWith(n), path);
    QString error;
    auto store = ModelStore::open(path, &error);
    for (auto _ : state) {
        store->insert(LedgerEntry(12.5, EntryKind::expense, u"餐饮"_s));
    }
}

void BM_UpdateDate(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const QString path = workDir().filePath(u"update-%1.sqlite"_s.arg(n));
    QFile::remove(path);
    QFile::copy(storeWith(n), path);
    QString error;
    auto store = ModelStore::open(path, &error);
    qint64 step = 0;
    for (auto _ : state) {
        LedgerEntry entry = store->entries()[static_cast<size_t>(n / 2)];
        entry.date = entry.date.addSecs(++step % 2 ? 3600 * 24 * 400 : -3600 * 24 * 400);
        store->update(entry);
    }
}

} // namespace

BENCHMARK(BM_SqliteScan)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStore)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertNewest)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateDate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
