// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting the whole ledger to a workbook. The baseline writes the very bytes of that
// workbook to a file with one plain write, the least any export could cost; a second baseline
// adds the fsync the export's atomic write makes. The checksum is measured both ways, to show
// what the carry-less folding and the lookup tables buy over the bit-by-bit definition.
#include "BenchSetup.h"
#include "LedgerGenerator.h"

#include "FixedClock.h"
#include "export/CRC32.h"
#include "export/XLSXExporter.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<ModelStore> openStore(int n)
{
    QString error;
    auto store = ModelStore::open(LedgerGenerator::storeWith(n, true), &error);
    if (!store)
        qFatal("%s", qPrintable(error));
    return store;
}

QByteArray workbookOf(const ModelStore &store)
{
    std::optional<QByteArray> bytes = XLSXExporter::workbook(store.entries());
    if (!bytes)
        qFatal("the workbook does not fit a zip archive");
    return *bytes;
}

void writeOnce(benchmark::State &state, bool sync)
{
    auto store = openStore(static_cast<int>(state.range(0)));
    const QByteArray bytes = workbookOf(*store);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"baseline.xlsx"_s);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            state.SkipWithError("baseline write failed");
        if (sync) {
            file.flush();
            ::fsync(file.handle());
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void BM_WriteBaseline(benchmark::State &state)
{
    writeOnce(state, false);
}

void BM_WriteAndSyncBaseline(benchmark::State &state)
{
    writeOnce(state, true);
}

// Sorting check, sheet text, zip with checksums, and the atomic write.
void BM_Export(benchmark::State &state)
{
    auto store = openStore(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    for (auto _ : state) {
        QString error;
        if (!XLSXExporter::exportEntries(store->entries(), dir.path(), &error))
            state.SkipWithError(qPrintable(error));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The sheet text made piece by piece as the export makes it, without the archive and the
// file; with the checksum of each piece as it comes or without.
void sheetText(benchmark::State &state, bool checksummed)
{
    auto store = openStore(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qsizetype size = 0;
        std::uint32_t crc = 0;
        XLSXExporter::writeSheet(store->entries(), [&](QByteArrayView piece) {
            size += piece.size();
            if (checksummed)
                crc = CRC32::update(crc, piece);
            return true;
        });
        benchmark::DoNotOptimize(size);
        benchmark::DoNotOptimize(crc);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SheetText(benchmark::State &state)
{
    sheetText(state, false);
}

void BM_SheetTextAndChecksum(benchmark::State &state)
{
    sheetText(state, true);
}

void checksum(benchmark::State &state, std::uint32_t (*function)(QByteArrayView))
{
    auto store = openStore(static_cast<int>(state.range(0)));
    const QByteArray bytes = workbookOf(*store);
    for (auto _ : state)
        benchmark::DoNotOptimize(function(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

std::uint32_t tableChecksum(QByteArrayView bytes)
{
    return CRC32::tableUpdate(0, bytes);
}

void BM_ChecksumFolded(benchmark::State &state)
{
    checksum(state, &CRC32::checksum);
}

void BM_ChecksumTables(benchmark::State &state)
{
    checksum(state, &tableChecksum);
}

void BM_ChecksumBitwise(benchmark::State &state)
{
    checksum(state, &CRC32::bitwiseChecksum);
}

} // namespace

BENCHMARK(BM_WriteBaseline)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteAndSyncBaseline)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetTextAndChecksum)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChecksumFolded)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChecksumTables)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChecksumBitwise)->Arg(100000)->Unit(benchmark::kMillisecond);

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
