// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "store/ModelStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QProcessEnvironment environmentFor(const QTemporaryDir &dir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PENNYLOOM_DATA_DIR"_s, dir.path());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}

int modeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

QString systemError(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Runs the program to its end on the data folder; its exit code and what it wrote on stderr.
std::pair<int, QString> runOn(const QString &dataDir, const QStringList &arguments = {},
                              bool unprivileged = false)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PENNYLOOM_DATA_DIR"_s, dataDir);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    QProcess program;
    program.setProcessEnvironment(environment);
    if (unprivileged)
        program.start(u"setpriv"_s, QStringList{u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s,
                                                QString::fromUtf8(PENNYLOOM_BINARY)} +
                                        arguments);
    else
        program.start(QString::fromUtf8(PENNYLOOM_BINARY), arguments);
    if (!program.waitForFinished(30000))
        return {-1, u"did not finish"_s};
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardError() + program.readAllStandardOutput())};
}

} // namespace

// Starts the real program on a data folder that holds a file it must refuse.
class StartupTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusesFileThatIsNotItsStore_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("damaged")
            << QByteArray("this is not a database at all, only some text\n").repeated(200);
        QTest::newRow("truncated header")
            << QByteArray("SQLite format 3").append('\0').append(QByteArray(3000, '\x7f'));
    }

    void refusesFileThatIsNotItsStore()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QByteArray before = digest(path);
        const QDateTime modified = QFileInfo(path).lastModified();

        QProcess program;
        program.setProcessEnvironment(environmentFor(dir));
        program.start(QString::fromUtf8(PENNYLOOM_BINARY), {});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY(program.exitCode() != 0);
        const QString stderrText = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(stderrText.contains(path), qPrintable(stderrText));

        QCOMPARE(digest(path), before);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
        QVERIFY(!QFileInfo::exists(path + u"-wal"_s));
    }

    void unusableFolderSaysWhy_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("named");
        QTest::addColumn<int>("errorNumber");
        QTest::newRow("read-only folder") << u"<tmp>/readonly"_s << u"<tmp>/readonly"_s << EACCES;
        QTest::newRow("folder under a file") << u"<tmp>/file/data"_s << u"<tmp>/file"_s << ENOTDIR;
        QTest::newRow("folder under /proc") << u"/proc/pennyloom/data"_s << u"/proc/pennyloom"_s << 0;
    }

    // Only a live second copy is "in use"; any other failure names the folder and the reason.
    void unusableFolderSaysWhy()
    {
        QFETCH(QString, data);
        QFETCH(QString, named);
        QFETCH(int, errorNumber);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Others may pass through, so that an unprivileged run can reach the read-only folder.
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        {
            QFile file(dir.filePath(u"file"_s));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkpath(dir.filePath(u"readonly"_s)));
        QVERIFY(::chmod(QFile::encodeName(dir.filePath(u"readonly"_s)).constData(), 0555) == 0);
        data.replace(u"<tmp>"_s, dir.path());
        named.replace(u"<tmp>"_s, dir.path());

        // The superuser may write anywhere; the read-only case then runs as nobody.
        const bool unprivileged = ::geteuid() == 0 && errorNumber == EACCES;
        if (unprivileged && QStandardPaths::findExecutable(u"setpriv"_s).isEmpty())
            QSKIP("running as root without setpriv");
        const auto [exitCode, output] = runOn(data, {}, unprivileged);
        QVERIFY2(exitCode > 0, qPrintable(output));
        QVERIFY2(output.contains(named), qPrintable(output));
        QVERIFY2(!output.contains(u"另一个"_s), qPrintable(output));
        if (errorNumber != 0)
            QVERIFY2(output.contains(systemError(errorNumber)), qPrintable(output));
        QVERIFY(QDir(dir.filePath(u"readonly"_s)).isEmpty());
    }

    // Whatever the umask, what the program leaves in its folder is its user's alone; a store
    // left readable by others is narrowed, and the program says so.
    void filesArePrivate()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = dir.filePath(u"data"_s);
        const QString path = data + u"/pennyloom.sqlite"_s;
        {
            QString error;
            auto store = ModelStore::open(path, &error);
            QVERIFY2(store, qPrintable(error));
            QVERIFY(store->insert(LedgerEntry(12, EntryKind::expense, u"餐饮"_s)));
        }
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);

        const mode_t previous = ::umask(0);
        QProcess program;
        QProcessEnvironment environment = environmentFor(dir);
        environment.insert(u"PENNYLOOM_DATA_DIR"_s, data);
        program.setProcessEnvironment(environment);
        program.start(QString::fromUtf8(PENNYLOOM_BINARY), {});
        ::umask(previous);
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(path + u"-wal"_s) && !QDir(data + u"/backups"_s).isEmpty(),
                                 20000);
        program.kill();
        QVERIFY(program.waitForFinished(10000));
        const QString stderrText = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(stderrText.contains(path + u" 的权限"_s), qPrintable(stderrText));

        QCOMPARE(modeOf(data), 0700);
        QCOMPARE(modeOf(data + u"/backups"_s), 0700);
        QStringList files{path, path + u"-wal"_s, path + u"-shm"_s, path + u".lock"_s};
        for (const QString &name : QDir(data + u"/backups"_s).entryList(QDir::Files))
            files.append(data + u"/backups/"_s + name);
        for (const QString &file : files)
            QVERIFY2(modeOf(file) == 0600, qPrintable(file + u" "_s + QString::number(modeOf(file), 8)));
    }

    void restoreFromCommandLine_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("good copy") << false;
        QTest::newRow("damaged copy") << true;
    }

    // pennyloom --restore FILE needs no window; a damaged copy leaves the store as it was.
    void restoreFromCommandLine()
    {
        QFETCH(bool, damaged);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QString copy = dir.filePath(u"copy.sqlite"_s);
        {
            QString error;
            auto store = ModelStore::open(path, &error);
            QVERIFY2(store, qPrintable(error));
            QVERIFY(store->insert(LedgerEntry(12, EntryKind::expense, u"餐饮"_s)));
            QVERIFY(store->copyTo(copy).isEmpty());
            QVERIFY(store->insert(LedgerEntry(30, EntryKind::expense, u"交通"_s)));
        }
        if (damaged) {
            QFile file(copy);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(1000));
        }
        const QByteArray before = digest(path);
        const auto [exitCode, output] = runOn(dir.path(), {u"--restore"_s, copy});
        QVERIFY2(output.contains(copy), qPrintable(output));
        QString error;
        if (damaged) {
            QVERIFY(exitCode > 0);
            QCOMPARE(digest(path), before);
        } else {
            QVERIFY2(exitCode == 0, qPrintable(output));
            QCOMPARE(ModelStore::open(path, &error)->entries().size(), size_t(1));
            QCOMPARE(
                QDir(dir.filePath(u"backups"_s)).entryList(QDir::Files).filter(u"before-restore"_s).size(),
                1);
        }
    }

    // A second copy on the same data stops and says why; the first one keeps running.
    void secondCopyStops()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        QProcess first;
        first.setProcessEnvironment(environmentFor(dir));
        first.start(QString::fromUtf8(PENNYLOOM_BINARY), {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(path + u"-wal"_s), 20000);

        QProcess second;
        second.setProcessEnvironment(environmentFor(dir));
        second.start(QString::fromUtf8(PENNYLOOM_BINARY), {});
        QVERIFY(second.waitForFinished(30000));
        QVERIFY(second.exitCode() != 0);
        const QString stderrText = QString::fromUtf8(second.readAllStandardError());
        QVERIFY2(stderrText.contains(path), qPrintable(stderrText));
        QVERIFY2(stderrText.contains(u"正被另一个 Pennyloom 使用"_s), qPrintable(stderrText));
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

PENNYLOOM_TEST(StartupTest)
#include "tst_Startup.moc"
