// SPDX-License-Identifier: GPL-3.0-or-later
// What putting categories on lines costs, and what a change of many entries at once costs.
//
// Categorising: the reading of a WeChat Pay bill of 10^5 lines with 10^4 different merchants
// and notes (the baseline, BM_ReadBill), against what categorising its lines costs with what a
// store of 10^6 entries has taught (BM_CategoriseLines: the pass that learns from the books, then
// every different line asked of the rules, the votes and the merchant table). The goal is at
// most 10 % of the reading; BM_ReadBillWithBooks is the reading with the books, whole.
//
// Bulk change: a category set on 10^5 of a store's 10^6 entries (one transaction, memory, the
// bills list's and the overview's screen models catching up) and its undo, against opening the
// same store. The goal is one second for each.
#include "BenchSetup.h"
#include "LedgerGenerator.h"
#include "bills/BillsModel.h"
#include "bills/BillsSelection.h"
#include "import/ImportReader.h"
#include "overview/DashboardModel.h"
#include "store/CategoryMemory.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int billLines = 100'000;
constexpr int storeSize = 1'000'000;
constexpr int changed = 100'000;

// A bill whose merchants and goods vary as a real year's do: the chains the tables know, and
// as many small shops and notes that only the books can know.
QByteArray wechatBill(int n)
{
    const QStringList known{u"麦当劳"_s,   u"瑞幸咖啡"_s, u"美团"_s,     u"滴滴出行"_s, u"中国石化"_s,
                            u"国家电网"_s, u"盒马鲜生"_s, u"京东"_s,     u"星巴克"_s,   u"老百姓大药房"_s,
                            u"万达影城"_s, u"中国移动"_s, u"腾讯视频"_s, u"拼多多"_s,   u"顺丰速运"_s};
    QRandomGenerator random(20240303);
    QByteArray bill("\xEF\xBB\xBF");
    bill +=
        u"微信支付账单明细,,,,,,,,,,\n共%1笔记录,,,,,,,,,,\n"
        u"----------------------微信支付账单明细列表--------------------,,,,,,,,,,\n"
        u"交易时间,交易类型,交易对方,商品,收/支,金额(元),支付方式,当前状态,交易单号,商户单号,备注\n"_s.arg(n)
            .toUtf8();
    QDateTime time(QDate(2024, 12, 31), QTime(22, 0));
    for (int i = 0; i < n; ++i) {
        time = time.addSecs(-static_cast<qint64>(random.bounded(60, 600)));
        const bool chain = random.bounded(2) == 0;
        const QString merchant =
            chain ? known.at(int(random.bounded(known.size()))) : u"小店%1号"_s.arg(random.bounded(10'000));
        const QString goods =
            chain ? u"订单%1"_s.arg(random.bounded(100'000)) : u"商品%1"_s.arg(random.bounded(10'000));
        const qint64 cents = 100 + random.bounded(20000);
        bill += u"%1,商户消费,%2,%3,支出,¥%4.%5,零钱,支付成功,42000%6\t,%7\t,/\n"_s
                    .arg(time.toString(u"yyyy-MM-dd HH:mm:ss"_s), merchant, goods)
                    .arg(cents / 100)
                    .arg(cents % 100, 2, 10, QChar(u'0'))
                    .arg(i, 12, 10, QChar(u'0'))
                    .arg(i)
                    .toUtf8();
    }
    return bill;
}

const QString &billPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(u"bill.csv"_s);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(wechatBill(billLines)) < 0)
            qFatal("cannot write the generated bill");
        return file;
    }();
    return path;
}

ModelStore &books()
{
    static std::unique_ptr<ModelStore> store = [] {
        QString error;
        auto opened = ModelStore::open(LedgerGenerator::storeWith(storeSize, true), &error);
        if (!opened)
            qFatal("the store did not open: %s", qPrintable(error));
        return opened;
    }();
    return *store;
}

void BM_ReadBill(benchmark::State &state)
{
    const ImportFile file = ImportFile::load(billPath());
    const ImportCategorizer categorizer;
    for (auto _ : state) {
        const ImportResult result = ImportReader::read(file, categorizer);
        if (result.rows.size() != size_t(billLines))
            state.SkipWithError("the bill did not read");
        benchmark::DoNotOptimize(result.rows.data());
    }
}

void BM_ReadBillWithBooks(benchmark::State &state)
{
    const ImportFile file = ImportFile::load(billPath());
    ModelStore &store = books();
    for (auto _ : state) {
        ImportCategorizer categorizer;
        categorizer.setMemory(CategoryMemory::of(store));
        const ImportResult result = ImportReader::read(file, categorizer);
        if (result.rows.size() != size_t(billLines))
            state.SkipWithError("the bill did not read");
        benchmark::DoNotOptimize(result.rows.data());
    }
}

// What categorising adds to the reading: the learning pass and every different line asked of
// the rules, the votes and the merchant table, as the readers ask (once per different line).
void BM_CategoriseLines(benchmark::State &state)
{
    const ImportResult read = ImportReader::read(ImportFile::load(billPath()), ImportCategorizer());
    ModelStore &store = books();
    for (auto _ : state) {
        ImportCategorizer categorizer;
        categorizer.setMemory(CategoryMemory::of(store));
        QHash<QString, QString> known;
        for (const ImportRow &row : read.rows) {
            const QString key = row.merchandise + u'\x1f' + row.counterparty + u'\x1f' + row.sourceCategory;
            if (!known.contains(key))
                known.insert(key, categorizer.categoryFor(row));
        }
        benchmark::DoNotOptimize(known.size());
    }
}

// The learning pass alone, over 10^6 entries.
void BM_LearnFromBooks(benchmark::State &state)
{
    ModelStore &store = books();
    for (auto _ : state)
        benchmark::DoNotOptimize(CategoryMemory::of(store).isEmpty());
}

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

// Every tenth expense gets 其它 and back, timed each way with the screens catching up.
void BM_BulkCategory(benchmark::State &state)
{
    ModelStore &store = books();
    DashboardModel dashboard(store);
    BillsModel bills(store);
    std::vector<LedgerEntry> chosen;
    for (const LedgerEntry &entry : store.entries()) {
        if (entry.kind() == EntryKind::expense && entry.category != u"其它"_s)
            chosen.push_back(entry);
        if (chosen.size() == size_t(changed))
            break;
    }
    for (auto _ : state) {
        BillsSelection selection(store);
        selection.setEntries(chosen);
        if (!selection.setCategory(u"其它"_s, false))
            state.SkipWithError("the change was not written");
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(bills.groupCount());
        // The undo: the entries as they were, in one write again.
        if (!store.updateEntries(chosen))
            state.SkipWithError("the undo was not written");
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dashboard.balance());
    }
    state.counters["entries"] = double(chosen.size());
}

} // namespace

BENCHMARK(BM_ReadBill)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadBillWithBooks)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CategoriseLines)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LearnFromBooks)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlainLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
// Each iteration is the change and its undo.
BENCHMARK(BM_BulkCategory)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
