// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own window on generated books, driven as a user drives it, each interaction
// timed from the input to the end of the last paint it causes (the window laid out, painted
// and flushed, and every deferred piece of work it set off done). Empty books are the
// baseline: the table gives each size's medians and what the data adds to the empty figure,
// then the peak resident memory after every workspace has been shown and the bills searched.
//   bench_desktop [--runs K] [--books FOLDER] [SIZES...]
// Each size runs in a process of its own (the program starts itself with --child), so the
// peaks do not mix. The books are written once per run into a temporary folder, or once into
// --books FOLDER and reused from there; every size starts from a fresh copy.
#include "BenchSetup.h"
#include "DesktopDriver.h"
#include "FixedClock.h"
#include "LedgerGenerator.h"
#include "PaintClock.h"
#include "app/ContentView.h"
#include "app/PennyloomApp.h"
#include "app/WindowServices.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString childOption = u"--child"_s;
const QString storeName = u"pennyloom.sqlite"_s;

// Nothing delivered for this long and the program counts as idle; the program's own timers
// fire at once or after seconds, so this waits out every piece of deferred work an input sets off.
constexpr std::chrono::milliseconds quiet(150);

QtMessageHandler qtHandler = nullptr;

// The offscreen platform says so each time a sheet opens; it means nothing here.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(u"does not support propagateSizeHints"_s))
        qtHandler(type, context, message);
}

// One size in this process: the window on the books in folder, every interaction timed.
// Prints "time<TAB>interaction<TAB>ms" per figure and "peak<TAB>MiB".
int runChild(int argc, char **argv, const QString &folder, int runs)
{
    qtHandler = qInstallMessageHandler(quietHandler);
    BenchSetup::pin();
    Clock::setInstance(std::make_shared<FixedClock>(LedgerGenerator::endOfData()));
    PennyloomApp app(argc, argv);
    // A blinking cursor repaints twice a second and would keep the program from ever going quiet.
    QGuiApplication::styleHints()->setCursorFlashTime(0);

    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(QDir(folder).filePath(storeName), &error);
    if (!store)
        DesktopDriver::fail(error);
    ContentView window(*store);
    PennyloomApp::reportWriteFailures(*store, window);
    // The window's services as the program runs them, on a connection to no bus: a budget
    // notice then costs what building it costs, not what a notification service answers.
    WindowServices services(*store, window, QDBusConnection(u"pennyloom-bench-no-bus"_s));
    window.resize(1240, 800);
    window.show();
    services.start();
    if (!QTest::qWaitForWindowExposed(&window))
        DesktopDriver::fail(u"the window was never shown"_s);
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        DesktopDriver::fail(u"the window does not become active"_s);

    PaintClock paints(quiet);
    DesktopDriver driver(window, *store, paints, runs);
    driver.measureAll([](const QString &interaction, double milliseconds) {
        std::printf("time\t%s\t%.3f\n", interaction.toUtf8().constData(), milliseconds);
        std::fflush(stdout);
    });
    std::printf("peak\t%.1f\n", driver.tourPeakMiB());
    // Every change is committed; tearing down a million records would only add to the run.
    std::fflush(nullptr);
    std::_Exit(0);
}

QString sizeLabel(int n)
{
    if (n == 0)
        return u"empty"_s;
    int power = 0;
    for (int rest = n; rest % 10 == 0; rest /= 10)
        ++power;
    return power >= 2 && n == static_cast<int>(std::pow(10, power)) ? u"10^%1"_s.arg(power)
                                                                    : QString::number(n);
}

// The books of n entries, written into cache unless already there. They are written under
// another name and renamed when complete, so an interrupted run leaves no half-written books
// for the next one to take.
QString books(const QString &cache, int n)
{
    const QString file = QDir(cache).filePath(u"books-%1.sqlite"_s.arg(n));
    if (QFile::exists(file))
        return file;
    std::fprintf(stderr, "writing books of %d entries\n", n);
    const QString part = file + u".part"_s;
    for (const QString &suffix : {QString(), u"-wal"_s, u"-shm"_s})
        QFile::remove(part + suffix);
    QString error;
    const bool made = n == 0 ? ModelStore::open(part, &error) != nullptr
                             : LedgerGenerator::write(part, n, LedgerGenerator::endOfData(), &error);
    if (!made)
        DesktopDriver::fail(error);
    if (!QFile::rename(part, file))
        DesktopDriver::fail(u"cannot rename %1 to %2"_s.arg(part, file));
    return file;
}

struct Measured {
    QStringList interactions; // in the order they were reported
    QHash<QString, double> milliseconds;
    double peakMiB = 0;
};

Measured runSize(const QString &program, const QString &source, const QString &folder, int runs)
{
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(storeName);
    if (!QFile::copy(source, file))
        DesktopDriver::fail(u"cannot copy %1 to %2"_s.arg(source, file));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(u"QT_QPA_PLATFORM"_s))
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    // The window's settings and data go to the run's folder, never the user's.
    environment.insert(u"PENNYLOOM_DATA_DIR"_s, folder);
    environment.insert(u"XDG_CONFIG_HOME"_s, QDir(folder).filePath(u"config"_s));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, {childOption, folder, QString::number(runs)});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        DesktopDriver::fail(u"the run on %1 failed (exit status %2)"_s.arg(folder).arg(child.exitCode()));
    Measured measured;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 3 && fields.at(0) == "time") {
            const QString interaction = QString::fromUtf8(fields.at(1));
            measured.interactions.append(interaction);
            measured.milliseconds.insert(interaction, fields.at(2).toDouble());
        } else if (fields.size() == 2 && fields.at(0) == "peak") {
            measured.peakMiB = fields.at(1).toDouble();
        }
    }
    return measured;
}

QString cell(const Measured &measured, const QString &interaction)
{
    const auto found = measured.milliseconds.constFind(interaction);
    return found == measured.milliseconds.cend() ? u"–"_s : QString::number(*found, 'f', 1);
}

QString difference(const Measured &measured, const Measured &empty, const QString &interaction)
{
    const auto found = measured.milliseconds.constFind(interaction);
    const auto base = empty.milliseconds.constFind(interaction);
    if (found == measured.milliseconds.cend() || base == empty.milliseconds.cend())
        return u"–"_s;
    const double added = *found - *base;
    return (added >= 0 ? u"+"_s : QString()) + QString::number(added, 'f', 1);
}

void printLine(const QStringList &cells)
{
    std::printf("| %s |\n", cells.join(u" | "_s).toUtf8().constData());
}

void printTable(const std::vector<int> &sizes, const std::vector<Measured> &results, int runs)
{
    std::printf(
        "Input to the end of the last paint it causes, in ms: median of %d runs after one warm-up.\n\n",
        runs);
    QStringList header{u"interaction"_s};
    QStringList rule{u"---"_s};
    for (int n : sizes) {
        header.append(sizeLabel(n));
        rule.append(u"---:"_s);
    }
    for (size_t i = 1; i < sizes.size(); ++i) {
        header.append(sizeLabel(sizes[i]) + u" − empty"_s);
        rule.append(u"---:"_s);
    }
    printLine(header);
    printLine(rule);
    const Measured &empty = results.front();
    for (const QString &interaction : empty.interactions) {
        QStringList cells{interaction};
        for (const Measured &measured : results)
            cells.append(cell(measured, interaction));
        for (size_t i = 1; i < results.size(); ++i)
            cells.append(difference(results[i], empty, interaction));
        printLine(cells);
    }
    QStringList peak{u"peak RSS, MiB (every workspace shown, 账单 searched)"_s};
    for (const Measured &measured : results)
        peak.append(QString::number(measured.peakMiB, 'f', 1));
    for (size_t i = 1; i < results.size(); ++i)
        peak.append((results[i].peakMiB >= empty.peakMiB ? u"+"_s : QString()) +
                    QString::number(results[i].peakMiB - empty.peakMiB, 'f', 1));
    printLine(peak);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == childOption)
        return runChild(argc, argv, QString::fromLocal8Bit(argv[2]), std::max(1, std::atoi(argv[3])));

    BenchSetup::pin();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int runs = 5;
    QString cache;
    std::vector<int> sizes;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--runs"_s && i + 1 < args.size())
            runs = std::max(1, args.at(++i).toInt());
        else if (args.at(i) == u"--books"_s && i + 1 < args.size())
            cache = args.at(++i);
        else if (bool ok = false; args.at(i).toInt(&ok) > 0 && ok)
            sizes.push_back(args.at(i).toInt());
        else
            DesktopDriver::fail(u"usage: bench_desktop [--runs K] [--books FOLDER] [SIZES...]"_s);
    }
    if (sizes.empty())
        sizes = {100000, 1000000};
    sizes.insert(sizes.begin(), 0);

    QTemporaryDir work;
    if (!work.isValid())
        DesktopDriver::fail(u"no temporary folder"_s);
    if (cache.isEmpty())
        cache = work.filePath(u"books"_s);
    QDir().mkpath(cache);

    std::vector<Measured> results;
    for (int n : sizes) {
        const QString source = books(cache, n);
        std::fprintf(stderr, "driving the window on %s books\n", qPrintable(sizeLabel(n)));
        results.push_back(
            runSize(app.applicationFilePath(), source, work.filePath(u"run-%1"_s.arg(n)), runs));
    }
    printTable(sizes, results, runs);
    return 0;
}
