// SPDX-License-Identifier: GPL-3.0-or-later
// Large CSV files read the way the import sheet and the command read them: the file's bytes
// once, its records, and every row read by the guessed mapping and held against no store.
// Two files of about 100 MB: a bank table of 10^6 lines of ordinary width, and one of tiny
// fields (ten one-character fields a line), where the cost of holding each cell shows most.
// Reported with each: the peak resident memory of the read (VmHWM, reset before it) as a
// multiple of the file's size, with and without what the process held before; the goal is at
// most 3x and 10^6 lines within 10 s. The baseline is a plain read of the same bytes; the
// records alone (the file held for the sheet's changes of mapping) are measured apart from
// the rows. Run one benchmark per process (--benchmark_filter) for a peak of its own.
#include "BenchSetup.h"
#include "import/ImportFile.h"
#include "settings/ImportPreview.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 targetBytes = 99LL * 1024 * 1024;

// Writes lines from make(i) until the file holds about targetBytes, in chunks, so generating it
// leaves no peak of its own behind.
template <typename Line> QString writeFile(const QString &name, const QByteArray &header, Line make)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    out.write(header);
    qint64 written = header.size();
    QByteArray chunk;
    for (int i = 0; written < targetBytes; ++i) {
        const QByteArray line = make(i);
        if (written + chunk.size() + line.size() > targetBytes)
            break;
        chunk += line;
        if (chunk.size() > (1 << 20)) {
            written += out.write(chunk);
            chunk.clear();
        }
    }
    out.write(chunk);
    return path;
}

const QString &bankTable()
{
    static const QString path = writeFile(
        u"bank.csv"_s, u"交易日期,交易时间,摘要,对方户名,收入金额,支出金额,余额\n"_s.toUtf8(), [](int i) {
            const QDate day = QDate(2024, 12, 31).addDays(-(i / 300));
            const bool income = i % 10 == 9;
            const QString amount = u"%1.%2"_s.arg(3 + i % 997).arg(i % 100, 2, 10, QChar(u'0'));
            return u"%1,%2:%3:00,第%4笔 超市购物 日用品与蔬菜水果,城市超市第%5分店,%6,%7,%8.00\n"_s
                .arg(day.toString(Qt::ISODate))
                .arg(8 + i % 12, 2, 10, QChar(u'0'))
                .arg(i % 60, 2, 10, QChar(u'0'))
                .arg(i)
                .arg(i % 50)
                .arg(income ? amount : QString(), income ? QString() : amount)
                .arg(100000 + i % 50000)
                .toUtf8();
        });
    return path;
}

const QString &tinyFields()
{
    static const QString path = writeFile(u"tiny.csv"_s, QByteArray("a,b,c,d,e,f,g,h,i,j\n"), [](int i) {
        QByteArray line("0,1,2,3,4,5,6,7,8,9\n");
        line[0] = char('0' + i % 10);
        return line;
    });
    return path;
}

qint64 statusKiB(const char *field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Sets the peak resident size back to what is resident now.
void resetPeak()
{
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

template <typename Read> void measured(benchmark::State &state, const QString &path, Read read)
{
    const double fileBytes = double(QFileInfo(path).size());
    qint64 peak = 0;
    qint64 before = 0;
    double lines = 0;
    for (auto _ : state) {
        // What earlier runs freed goes back to the system first, so the peak is this read's.
        malloc_trim(0);
        before = statusKiB("VmRSS:");
        resetPeak();
        lines = read(path);
        peak = statusKiB("VmHWM:");
    }
    state.counters["file_MiB"] = fileBytes / (1024 * 1024);
    state.counters["peak_MiB"] = double(peak) / 1024;
    state.counters["peak_x_file"] = double(peak) * 1024 / fileBytes;
    state.counters["added_x_file"] = double(peak - before) * 1024 / fileBytes;
    state.counters["lines"] = lines;
}

double importRead(const QString &path)
{
    const ImportFile file = ImportFile::load(path);
    if (!file.ok())
        qFatal("%s", qPrintable(file.error));
    std::optional<ColumnMapping> mapping;
    if (file.layout == ImportFile::Layout::table)
        mapping = file.guessedMapping();
    const ImportPreview preview = ImportPreview::classify(
        nullptr, ImportPreview::readRows(file, ImportCategorizer(), mapping, ImportDateOrder::automatic),
        mapping);
    benchmark::DoNotOptimize(preview.result().rows.data());
    return double(file.table.records.size());
}

// The file read into its records only, as the sheet holds it for a change of mapping.
double loadOnly(const QString &path)
{
    const ImportFile file = ImportFile::load(path);
    if (!file.ok())
        qFatal("%s", qPrintable(file.error));
    return double(file.table.records.size());
}

double plainRead(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const QByteArray bytes = file.readAll();
    benchmark::DoNotOptimize(bytes.constData());
    return double(bytes.count('\n'));
}

void BM_BankTable(benchmark::State &state)
{
    measured(state, bankTable(), importRead);
}
void BM_BankTable_PlainRead(benchmark::State &state)
{
    measured(state, bankTable(), plainRead);
}
void BM_BankTable_Records(benchmark::State &state)
{
    measured(state, bankTable(), loadOnly);
}
void BM_TinyFields_Records(benchmark::State &state)
{
    measured(state, tinyFields(), loadOnly);
}
void BM_TinyFields(benchmark::State &state)
{
    measured(state, tinyFields(), importRead);
}
void BM_TinyFields_PlainRead(benchmark::State &state)
{
    measured(state, tinyFields(), plainRead);
}

BENCHMARK(BM_BankTable_PlainRead)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_BankTable_Records)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_BankTable)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_TinyFields_PlainRead)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_TinyFields_Records)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_TinyFields)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
