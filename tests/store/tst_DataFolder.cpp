// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "store/Backups.h"
#include "store/DataFolder.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

int modeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

// Sets the process umask for the lifetime of the object.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_previous(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_previous); }
    ScopedUmask(const ScopedUmask &) = delete;
    ScopedUmask &operator=(const ScopedUmask &) = delete;

private:
    mode_t m_previous;
};

} // namespace

class DataFolderTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everythingIsPrivate_data()
    {
        QTest::addColumn<int>("mask");
        QTest::newRow("umask 000") << 0;
        QTest::newRow("umask 022") << 022;
        QTest::newRow("umask 002") << 02;
    }

    // Whatever the umask, the folders made for the store are 0700 and every file in them 0600.
    void everythingIsPrivate()
    {
        QFETCH(int, mask);
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"数据/Pennyloom"_s);
        const QString path = folder + u"/pennyloom.sqlite"_s;
        ScopedUmask umask(mode_t(mask & 0777));

        QString error;
        const std::unique_ptr<QLockFile> lock = DataFolder::lock(path, &error);
        QVERIFY2(!lock, "the folder is not there yet");
        QVERIFY2(DataFolder::prepare(folder).isEmpty(), qPrintable(DataFolder::prepare(folder)));
        const std::unique_ptr<QLockFile> taken = DataFolder::lock(path, &error);
        QVERIFY2(taken, qPrintable(error));
        auto store = ModelStore::open(path, &error);
        QVERIFY2(store, qPrintable(error));
        QVERIFY(store->insert(LedgerEntry(12, EntryKind::expense, u"餐饮"_s)));
        QVERIFY2(Backups::makeDaily(*store, QDate(2026, 3, 1)).isEmpty(), "backup");

        for (const QString &made : {dir.filePath(u"数据"_s), folder, Backups::folder(path)})
            QCOMPARE(QString::number(modeOf(made), 8), u"700"_s);
        for (const QString &file : {path, path + u"-wal"_s, path + u"-shm"_s, path + u".lock"_s,
                                    Backups::folder(path) + u"/"_s + Backups::dailyName(QDate(2026, 3, 1))})
            QVERIFY2(modeOf(file) == 0600, qPrintable(file + u" "_s + QString::number(modeOf(file), 8)));
    }

    // Files left readable by others by an earlier version are narrowed, and each change is
    // said; private ones are left alone, silently.
    void widerFilesAreNarrowed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QString backup = dir.filePath(u"backups/pennyloom-2026-01-01.sqlite"_s);
        QVERIFY(QDir().mkpath(dir.filePath(u"backups"_s)));
        for (const QString &file : {path, path + u"-wal"_s, backup}) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
        QVERIFY(::chmod(QFile::encodeName(path + u"-wal"_s).constData(), 0666) == 0);
        QVERIFY(::chmod(QFile::encodeName(backup).constData(), 0640) == 0);

        const QStringList notes = DataFolder::narrow(path);
        for (const QString &narrowed : {path, path + u"-wal"_s, backup})
            QVERIFY2(notes.filter(narrowed + u" 的权限"_s).size() == 1, qPrintable(notes.join(u'\n')));
        // A folder the user chose may hold other things: it stays as it was.
        QCOMPARE(modeOf(dir.path()), 0755);
        QCOMPARE(modeOf(path), 0600);
        QCOMPARE(modeOf(path + u"-wal"_s), 0600);
        QCOMPARE(modeOf(backup), 0600);
        QVERIFY(DataFolder::narrow(path).isEmpty());
    }

    void abandonedLockIsFree_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a lock's text") << QByteArray("\x7f\x7f\x7f");
    }

    // A lock file that names no live holder, such as the empty one left by a process killed
    // between making it and writing it, does not keep the store "in use" for half a minute.
    void abandonedLockIsFree()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        {
            QFile lockFile(path + u".lock"_s);
            QVERIFY(lockFile.open(QIODevice::WriteOnly));
            lockFile.write(content);
        }
        // Old enough not to be one a live process is still writing.
        const timespec earlier[2] = {{std::time(nullptr) - 5, 0}, {std::time(nullptr) - 5, 0}};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path + u".lock"_s).constData(), earlier, 0) == 0);
        QString error;
        const std::unique_ptr<QLockFile> lock = DataFolder::lock(path, &error);
        QVERIFY2(lock, qPrintable(error));
        QCOMPARE(modeOf(path + u".lock"_s), 0600);
    }

    void lockHolderNamed_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("a command-line import")
            << QStringList{u"/usr/bin/pennyloom"_s, u"import"_s, u"账单.csv"_s}
            << u"正被命令“pennyloom import”使用（进程 42），请等它结束"_s;
        QTest::newRow("the reminder")
            << QStringList{u"pennyloom"_s, u"--remind"_s} << u"命令“pennyloom --remind”"_s;
        QTest::newRow("a window") << QStringList{u"pennyloom"_s}
                                  << u"正被另一个 Pennyloom 使用（窗口，进程 42），请先关闭那个窗口"_s;
        QTest::newRow("a window opened for an entry")
            << QStringList{u"./build/pennyloom"_s, u"--add"_s} << u"正被另一个 Pennyloom 使用（窗口"_s;
        QTest::newRow("another program") << QStringList{u"sqlite3"_s, u"pennyloom.sqlite"_s}
                                         << u"正被另一个程序“sqlite3”使用（进程 42）"_s;
        QTest::newRow("a holder whose command line is gone")
            << QStringList() << u"正被另一个 Pennyloom 使用，请先关闭那个窗口"_s;
    }

    // The store in use says by what: waiting for a command differs from closing a window.
    void lockHolderNamed()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const QString message = DataFolder::inUseMessage(u"/data/pennyloom.sqlite"_s, 42, arguments);
        QVERIFY2(message.contains(u"/data/pennyloom.sqlite"_s) && message.contains(named),
                 qPrintable(message));
    }

    // A live holder is found by the process the lock names.
    void lockHolderFound()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        QLockFile held(path + u".lock"_s);
        QVERIFY(held.tryLock(0));
        QString error;
        QVERIFY(!DataFolder::lock(path, &error));
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY2(error.contains(u"“%1”"_s.arg(program)) &&
                     error.contains(u"进程 %1"_s.arg(QCoreApplication::applicationPid())),
                 qPrintable(error));
    }

    // On a full disk the reason given is the full disk. Needs a small file system of its own,
    // which only the superuser may mount.
    void fullDiskSaysSo()
    {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.filePath(u"full"_s));
        QVERIFY(QDir(dir.path()).mkdir(u"full"_s));
        if (::mount("pennyloom-test", folder.constData(), "tmpfs", 0, "size=64k,mode=0700") != 0)
            QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + DataFolder::systemError(errno)));
        const auto unmount = qScopeGuard([&folder] { ::umount2(folder.constData(), MNT_DETACH); });
        {
            QFile filler(QFile::decodeName(folder) + u"/filler"_s);
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size()) {
            }
        }
        QString error;
        const std::unique_ptr<QLockFile> lock =
            DataFolder::lock(QFile::decodeName(folder) + u"/pennyloom.sqlite"_s, &error);
        QVERIFY(!lock);
        QVERIFY2(error.contains(DataFolder::systemError(ENOSPC)), qPrintable(error));
    }

    void unusableFolderSaysWhy_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("named");
        QTest::addColumn<int>("errorNumber");
        QTest::newRow("under a file") << u"<tmp>/file/data"_s << u"<tmp>/file"_s << ENOTDIR;
        QTest::newRow("a file where the folder goes") << u"<tmp>/file"_s << u"<tmp>/file"_s << ENOTDIR;
        QTest::newRow("under /proc") << u"/proc/pennyloom/data"_s << u"/proc/pennyloom"_s << 0;
    }

    // The message names the folder and the system's own reason, never "in use".
    void unusableFolderSaysWhy()
    {
        QFETCH(QString, folder);
        QFETCH(QString, named);
        QFETCH(int, errorNumber);
        QTemporaryDir dir;
        {
            QFile file(dir.filePath(u"file"_s));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        folder.replace(u"<tmp>"_s, dir.path());
        named.replace(u"<tmp>"_s, dir.path());
        const QString error = DataFolder::prepare(folder);
        QVERIFY2(error.contains(named), qPrintable(error));
        QVERIFY2(!error.contains(u"另一个"_s), qPrintable(error));
        if (errorNumber != 0)
            QVERIFY2(error.contains(DataFolder::systemError(errorNumber)), qPrintable(error));
        QString openError;
        QVERIFY(!ModelStore::open(folder + u"/pennyloom.sqlite"_s, &openError));
        QVERIFY2(openError.contains(named), qPrintable(openError));
    }

    void defaultPathFollowsEnvironment()
    {
        const bool had = qEnvironmentVariableIsSet("PENNYLOOM_DATA_DIR");
        const QByteArray previous = qgetenv("PENNYLOOM_DATA_DIR");
        const auto restore = qScopeGuard([&] {
            if (had)
                qputenv("PENNYLOOM_DATA_DIR", previous);
            else
                qunsetenv("PENNYLOOM_DATA_DIR");
        });
        QTemporaryDir dir;
        qputenv("PENNYLOOM_DATA_DIR", QFile::encodeName(dir.path() + u'/'));
        QCOMPARE(DataFolder::defaultStorePath(), dir.filePath(u"pennyloom.sqlite"_s));

        qunsetenv("PENNYLOOM_DATA_DIR");
        const QString path = DataFolder::defaultStorePath();
        QVERIFY2(QDir::isAbsolutePath(path), qPrintable(path));
        QVERIFY2(path.endsWith(u"/Pennyloom/pennyloom.sqlite"_s), qPrintable(path));
    }
};

PENNYLOOM_TEST(DataFolderTest)
#include "tst_DataFolder.moc"
