// SPDX-License-Identifier: GPL-3.0-or-later
// The import preview (recognise, read and categorise every row) of a WeChat Pay bill of 10^5
// rows against a plain read of the same file (bytes, UTF-8 text, lines). The preview should
// stay within a second and within a small multiple of the plain read.
//
// The same for a QIF file of 10^5 records (read, dates in the file's order, categorise) against
// a plain read of that file.
//
// Then the whole import as the user waits for it: the same bill read against a store of 10^6
// entries, its new lines written in one transaction, and the overview's and the bills list's
// screen models catching up until the event loop is idle; against a plain load (opening) of
// the same store. The goal is two seconds.
#include "BenchSetup.h"
#include "BillGenerator.h"
#include "LedgerGenerator.h"
#include "bills/BillsLedger.h"
#include "bills/BillsModel.h"
#include "import/ImportReader.h"
#include "overview/DashboardModel.h"
#include "settings/ImportPreview.h"
#include "store/ModelStore.h"

#include <QCoreApplication>

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const QString &billPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(u"bill.csv"_s);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(BillGenerator::wechatBill(100'000)) < 0)
            qFatal("cannot write the generated bill");
        return file;
    }();
    return path;
}

// A bank account's QIF file of n records, newest last: purchases with categories from a tree,
// some split, some transfers, salary now and then.
QByteArray qifFile(int n)
{
    const QStringList payees{u"青禾小馆"_s, u"城市超市"_s,   u"城市轨道交通"_s, u"阿强水果店"_s,
                             u"星河科技"_s, u"布衣坊网店"_s, u"山水影城"_s,     u"街角便利店"_s};
    const QStringList categories{u"食品:餐饮"_s, u"食品:杂货"_s, u"交通"_s,      u"食品:水果"_s,
                                 u"工资"_s,      u"服饰"_s,      u"娱乐:电影"_s, u"杂项开销"_s};
    QRandomGenerator random(20240302);
    const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    QByteArray file("!Type:Bank\n");
    QDate day(2000, 1, 1);
    for (int i = 0; i < n; ++i) {
        if (random.bounded(4) == 0)
            day = day.addDays(1);
        const int pick = static_cast<int>(random.bounded(100));
        const int who = static_cast<int>(random.bounded(payees.size()));
        const qint64 cents = 100 + random.bounded(200000);
        const QString amount = u"%1%2.%3"_s.arg(who == 4 ? QString() : u"-"_s)
                                   .arg(grouped.toString(cents / 100))
                                   .arg(cents % 100, 2, 10, QChar(u'0'));
        QString record =
            u"D%1\nT%2\nP%3\nM第 %4 笔\n"_s.arg(day.toString(u"M/d/yyyy"_s), amount, payees.at(who)).arg(i);
        if (pick < 5)
            record += u"L[储蓄账户]\n"_s;
        else if (pick < 10)
            record += u"S食品:水果\n$-1.00\nS日用\n$%1\n"_s.arg(amount);
        else
            record += u"L%1\n"_s.arg(categories.at(who));
        file += (record + u"^\n"_s).toUtf8();
    }
    return file;
}

const QString &qifPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(u"account.qif"_s);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(qifFile(100'000)) < 0)
            qFatal("cannot write the generated QIF file");
        return file;
    }();
    return path;
}

void plainRead(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the bill");
        const QString text = QString::fromUtf8(file.readAll());
        benchmark::DoNotOptimize(text.split(u'\n').size());
    }
}

void BM_PlainRead(benchmark::State &state)
{
    plainRead(state, billPath());
}

void BM_QifPlainRead(benchmark::State &state)
{
    plainRead(state, qifPath());
}

void BM_QifPreview(benchmark::State &state)
{
    const QString &path = qifPath();
    const ImportCategorizer categorizer;
    for (auto _ : state) {
        const ImportResult result = ImportReader::read(path, categorizer);
        if (!result.ok() || result.rows.size() < 90'000)
            state.SkipWithError("the QIF file did not read");
        benchmark::DoNotOptimize(result.rows.data());
    }
}

void BM_ImportPreview(benchmark::State &state)
{
    const QString &path = billPath();
    const ImportCategorizer categorizer;
    for (auto _ : state) {
        const ImportResult result = ImportReader::read(path, categorizer);
        if (!result.ok() || result.rows.size() < 80'000)
            state.SkipWithError("the bill did not read");
        benchmark::DoNotOptimize(result.rows.data());
    }
}

constexpr int storeSize = 1'000'000;

// The baseline: opening the store of 10^6 entries, every record loaded and ordered.
void BM_PlainLoad(benchmark::State &state)
{
    const QString path = LedgerGenerator::storeWith(storeSize);
    for (auto _ : state) {
        QString error;
        auto store = ModelStore::open(path, &error);
        if (!store)
            state.SkipWithError("the store did not open");
        benchmark::DoNotOptimize(store->entries().size());
    }
}

// The write of a previewed bill and the screens following it, timed together; the import is
// undone between iterations, untimed.
void BM_ImportWithScreens(benchmark::State &state)
{
    const QString &bill = billPath();
    QString error;
    auto store = ModelStore::open(LedgerGenerator::storeWith(storeSize, true), &error);
    if (!store) {
        state.SkipWithError("the store did not open");
        return;
    }
    DailyTotals totals(*store);
    DashboardModel dashboard(*store, totals);
    BillsLedger ledger(*store);
    BillsModel bills(*store, ledger);
    for (auto _ : state) {
        // The preview has its own measure (BM_ImportPreview); this times the user's 「导入」.
        state.PauseTiming();
        const ImportPreview preview = ImportPreview::read(store.get(), ImportFile::load(bill));
        state.ResumeTiming();
        const std::optional<ModelStore::ImportResult> written = store->importEntries(preview.freshRows());
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dashboard.balance());
        benchmark::DoNotOptimize(bills.groupCount());
        state.PauseTiming();
        if (!written || written->inserted.size() < 80'000) {
            state.SkipWithError("the bill was not imported");
            break;
        }
        ModelStore::Removal undo;
        for (const QUuid &id : written->inserted)
            undo.add<LedgerEntry>(id);
        store->remove(undo);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QifPlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QifPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportWithScreens)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
