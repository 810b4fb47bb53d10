// SPDX-License-Identifier: GPL-3.0-or-later
// What the savings workspace costs on a change of deposits: the deposit index rebuilt in one
// pass and every card's total read from it, against the per-card scan of every deposit that
// the index avoids. The baseline of each size is one plain pass summing every deposit.
#include "BenchSetup.h"

#include "FixedClock.h"
#include "savings/SavingsDepositIndex.h"
#include "savings/SavingsModel.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"
#include "store/StoreSchema.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int goalCount = 40;

QDateTime endOfData()
{
    return QDateTime(QDate(2026, 3, 20), QTime(18, 0));
}

// A store of forty goals sharing n deposits over five years, written straight into the file
// once per size.
QString storeWith(int n)
{
    static QTemporaryDir dir;
    static std::map<int, QString> made;
    if (const auto it = made.find(n); it != made.end())
        return it->second;
    const QString path = dir.filePath(u"savings-%1.sqlite"_s.arg(n));
    QString error;
    if (!ModelStore::open(path, &error)) // creates the schema
        qFatal("%s", qPrintable(error));
    SqliteDatabase db;
    if (!db.open(path) || !db.exec("BEGIN"))
        qFatal("%s", qPrintable(db.lastError()));
    using Goals = StoreSchema::Table<SavingsGoal>;
    using Deposits = StoreSchema::Table<SavingsDeposit>;
    SqliteStatement goalInsert(db, StoreSchema::insertSql({Goals::name, Goals::columns}));
    SqliteStatement depositInsert(db, StoreSchema::insertSql({Deposits::name, Deposits::columns}));
    std::vector<QUuid> goals;
    for (int g = 0; g < goalCount; ++g) {
        const SavingsGoal goal(u"目标 %1"_s.arg(g), 1000.0 * (g + 1), endOfData().addMonths(g));
        Goals::bind(goalInsert, goal);
        goalInsert.run();
        goals.push_back(goal.id);
    }
    QRandomGenerator random(7);
    const qint64 span = qint64(5) * 365 * 24 * 3600;
    for (int i = 0; i < n; ++i) {
        const SavingsDeposit deposit(
            goals[random.bounded(goalCount)], 10.0 + random.bounded(5000),
            endOfData().addSecs(-static_cast<qint64>(random.generateDouble() * span)),
            i % 3 ? QString() : u"工资结余"_s);
        Deposits::bind(depositInsert, deposit);
        depositInsert.run();
    }
    if (!db.exec("COMMIT"))
        qFatal("%s", qPrintable(db.lastError()));
    return made.emplace(n, path).first->second;
}

std::unique_ptr<ModelStore> openStore(int n)
{
    QString error;
    auto store = ModelStore::open(storeWith(n), &error);
    if (!store)
        qFatal("%s", qPrintable(error));
    return store;
}

void BM_SavingsScanBaseline(benchmark::State &state)
{
    auto store = openStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double total = 0;
        for (const SavingsDeposit &deposit : store->savingsDeposits())
            total += deposit.amount;
        benchmark::DoNotOptimize(total);
    }
}

// The index rebuilt as on a change of deposits, then every card's figures.
void BM_SavingsCardsByIndex(benchmark::State &state)
{
    auto store = openStore(static_cast<int>(state.range(0)));
    SavingsModel model(*store);
    for (auto _ : state) {
        Q_EMIT store->savingsDepositsChanged();
        for (const SavingsGoal &goal : model.goals())
            benchmark::DoNotOptimize(model.figures(goal).fraction());
    }
}

// What the index avoids: each card summing its goal's deposits out of all of them.
void BM_SavingsCardsByScan(benchmark::State &state)
{
    auto store = openStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (const SavingsGoal &goal : store->savingsGoals()) {
            double total = 0;
            for (const SavingsDeposit &deposit : store->savingsDeposits()) {
                if (deposit.goalID == goal.id)
                    total += deposit.amount;
            }
            benchmark::DoNotOptimize(total);
        }
    }
}

} // namespace

BENCHMARK(BM_SavingsScanBaseline)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavingsCardsByIndex)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavingsCardsByScan)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    Clock::setInstance(std::make_shared<FixedClock>(endOfData()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
