// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the program itself, launch to the first painted overview, on generated books of
// each size, beside the floor: the same entries read with the SQLite C API into plain structs.
// What the data adds (start-up with N entries minus start-up with an empty store) is reported
// as a ratio to the floor of the same run, with the peak resident memory of each start.
//   bench_startup [--runs K] [--program PATH] [SIZES...]
#include "BenchSetup.h"
#include "LedgerGenerator.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

struct Launch {
    double seconds = 0;
    double peakMiB = 0;
};

// One start of the program on the folder, until it ends itself after the first paint.
Launch launch(const QByteArray &program, const QByteArray &folder)
{
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("PENNYLOOM_DATA_DIR", folder.constData(), 1);
        setenv("QT_QPA_PLATFORM",
               qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM").constData(),
               1);
        execl(program.constData(), program.constData(), "--quit-after-first-paint",
              static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        qFatal("%s did not start and stop cleanly on %s (status %d)", program.constData(), folder.constData(),
               status);
    Launch result;
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return result;
}

struct PlainEntry {
    std::string id;
    double amount;
    sqlite3_int64 date;
    std::string kind;
    std::string category;
    std::string note;
    sqlite3_int64 createdAt;
};

std::string column(sqlite3_stmt *s, int i)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(s, i));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(s, i))) : std::string();
}

// The floor: open the file and read every entry into plain structs, nothing more.
double floorRead(const QByteArray &file, size_t *count)
{
    const auto start = Clock::now();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, "SELECT id, amount, date, kindRaw, category, note, createdAt FROM LedgerEntry", -1,
                       &s, nullptr);
    std::vector<PlainEntry> rows;
    while (sqlite3_step(s) == SQLITE_ROW)
        rows.push_back({column(s, 0), sqlite3_column_double(s, 1), sqlite3_column_int64(s, 2), column(s, 3),
                        column(s, 4), column(s, 5), sqlite3_column_int64(s, 6)});
    sqlite3_finalize(s);
    sqlite3_close(db);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    *count = rows.size();
    return seconds;
}

double minOf(std::vector<double> v)
{
    return *std::min_element(v.begin(), v.end());
}

double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

struct Row {
    int entries = 0;
    std::vector<double> startup, floor, peak;
};

} // namespace

int main(int argc, char **argv)
{
    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 5;
    QByteArray program = PENNYLOOM_PROGRAM;
    std::vector<int> sizes;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--runs"_s && i + 1 < args.size())
            runs = std::max(1, args.at(++i).toInt());
        else if (args.at(i) == u"--program"_s && i + 1 < args.size())
            program = args.at(++i).toLocal8Bit();
        else
            sizes.push_back(args.at(i).toInt());
    }
    if (sizes.empty())
        sizes = {10000, 100000, 1000000};
    sizes.insert(sizes.begin(), 0); // the empty store every size is measured against

    QTemporaryDir work;
    std::vector<Row> rows;
    for (int n : sizes) {
        const QString folder = work.filePath(u"books-%1"_s.arg(n));
        QDir().mkpath(folder);
        const QString file = QDir(folder).filePath(u"pennyloom.sqlite"_s);
        QString error;
        const bool made = n == 0 ? ModelStore::open(file, &error) != nullptr
                                 : LedgerGenerator::write(file, n, LedgerGenerator::endOfData(), &error);
        if (!made)
            qFatal("%s", qPrintable(error));
        std::fprintf(stderr, "books of %d entries written; starting the program %d times\n", n, runs);
        Row row;
        row.entries = n;
        launch(program, QFile::encodeName(folder)); // warms the file cache and the font cache
        for (int r = 0; r < runs; ++r) {
            const Launch l = launch(program, QFile::encodeName(folder));
            row.startup.push_back(l.seconds);
            row.peak.push_back(l.peakMiB);
            size_t count = 0;
            row.floor.push_back(floorRead(QFile::encodeName(file), &count));
            if (count != static_cast<size_t>(n))
                qFatal("the floor read %zu entries of %d", count, n);
        }
        rows.push_back(row);
    }

    const double empty = medianOf(rows.front().startup);
    std::printf("start-up to the first painted overview, %d runs each (seconds; peak RSS in MiB)\n", runs);
    std::printf("%9s %16s %16s %16s %10s %14s\n", "entries", "start-up min/med", "data adds (med)",
                "floor min/med", "adds/floor", "peak RSS max");
    for (const Row &row : rows) {
        const double adds = medianOf(row.startup) - empty;
        const double floorMedian = medianOf(row.floor);
        char ratio[32] = "-";
        if (row.entries > 0)
            std::snprintf(ratio, sizeof ratio, "%.2fx", adds / floorMedian);
        std::printf("%9d %7.3f / %6.3f %16.3f %7.3f / %6.3f %10s %14.1f\n", row.entries, minOf(row.startup),
                    medianOf(row.startup), row.entries > 0 ? adds : 0.0, minOf(row.floor), floorMedian, ratio,
                    *std::max_element(row.peak.begin(), row.peak.end()));
    }
    return 0;
}
