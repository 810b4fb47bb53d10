// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "store/Backups.h"
#include "store/DataFolder.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

QList<QDate> days(const QDate &first, int count)
{
    QList<QDate> all;
    for (int i = 0; i < count; ++i)
        all.append(first.addDays(i));
    return all;
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

std::unique_ptr<ModelStore> openStore(const QString &path)
{
    QString error;
    auto store = ModelStore::open(path, &error);
    if (!store)
        qWarning("%s", qPrintable(error));
    return store;
}

LedgerEntry entryOn(const QDate &day)
{
    return LedgerEntry(10, QDateTime(day, QTime(12, 0)), EntryKind::expense, u"餐饮"_s,
                       day.toString(Qt::ISODate));
}

} // namespace

class BackupsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kept_data()
    {
        QTest::addColumn<QList<QDate>>("copies");
        QTest::addColumn<QList<QDate>>("expected");

        // 2026-01-05, 12, 19, 26 and 2026-02-02 are Mondays.
        QTest::newRow("fewer than seven") << days(QDate(2026, 1, 1), 3) << days(QDate(2026, 1, 1), 3);
        QTest::newRow("forty days in a row")
            << days(QDate(2026, 1, 1), 40)
            << days(QDate(2026, 2, 3), 7) + QList<QDate>{QDate(2026, 2, 2), QDate(2026, 1, 26),
                                                         QDate(2026, 1, 19), QDate(2026, 1, 12)};
        QTest::newRow("a gap: the week's first copy is a Thursday")
            << QList<QDate>{QDate(2026, 1, 8), QDate(2026, 1, 9), QDate(2026, 1, 20)} +
                   days(QDate(2026, 3, 1), 7)
            << days(QDate(2026, 3, 1), 7) + QList<QDate>{QDate(2026, 1, 20), QDate(2026, 1, 8)};
        QTest::newRow("weeks across a year end")
            << QList<QDate>{QDate(2025, 12, 22), QDate(2025, 12, 29), QDate(2026, 1, 3), QDate(2026, 1, 4)} +
                   days(QDate(2026, 2, 1), 7)
            << days(QDate(2026, 2, 1), 7) + QList<QDate>{QDate(2025, 12, 29), QDate(2025, 12, 22)};
        QTest::newRow("six older weeks keep four")
            << QList<QDate>{QDate(2026, 1, 1),  QDate(2026, 1, 8),  QDate(2026, 1, 15),
                            QDate(2026, 1, 22), QDate(2026, 1, 29), QDate(2026, 2, 5)} +
                   days(QDate(2026, 3, 1), 7)
            << days(QDate(2026, 3, 1), 7) + QList<QDate>{QDate(2026, 2, 5), QDate(2026, 1, 29),
                                                         QDate(2026, 1, 22), QDate(2026, 1, 15)};
    }

    void kept()
    {
        QFETCH(QList<QDate>, copies);
        QFETCH(QList<QDate>, expected);
        QList<QDate> result = Backups::kept(copies);
        std::sort(result.begin(), result.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(result, expected);
    }

    // Forty simulated days with one entry a day: each day's copy holds that day's records,
    // a second start on the same day leaves the copy as it is, and the files left are the
    // kept ones.
    void rotationAcrossDays()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QDate first(2026, 1, 1);
        for (const QDate &day : days(first, 40)) {
            auto store = openStore(path);
            QVERIFY(store);
            QVERIFY(store->insert(entryOn(day)));
            QVERIFY2(Backups::makeDaily(*store, day).isEmpty(), qPrintable(Backups::makeDaily(*store, day)));
            if (day == QDate(2026, 1, 20)) {
                const QString copy = QDir(Backups::folder(path)).filePath(Backups::dailyName(day));
                const QByteArray before = digest(copy);
                QVERIFY(store->insert(entryOn(day)));
                QVERIFY(Backups::makeDaily(*store, day).isEmpty());
                QCOMPARE(digest(copy), before);
            }
        }
        QStringList expected;
        for (const QDate &day :
             days(QDate(2026, 2, 3), 7) +
                 QList<QDate>{QDate(2026, 2, 2), QDate(2026, 1, 26), QDate(2026, 1, 19), QDate(2026, 1, 12)})
            expected.append(Backups::dailyName(day));
        expected.sort();
        QCOMPARE(QDir(Backups::folder(path)).entryList(QDir::Files, QDir::Name), expected);

        for (const auto &[day, count] :
             {std::pair{QDate(2026, 1, 12), 12}, std::pair{QDate(2026, 2, 9), 41}}) {
            const QString copy = QDir(Backups::folder(path)).filePath(Backups::dailyName(day));
            QVERIFY2(Backups::verify(copy).isEmpty(), qPrintable(Backups::verify(copy)));
            auto restored = openStore(copy);
            QCOMPARE(int(restored->entries().size()), count);
            QCOMPARE(restored->entries().front().note, day.toString(Qt::ISODate));
        }
    }

    void restoreOfGoodCopy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const LedgerEntry kept = entryOn(QDate(2026, 1, 1));
        const LedgerEntry later = entryOn(QDate(2026, 1, 2));
        const QString copy = QDir(Backups::folder(path)).filePath(Backups::dailyName(QDate(2026, 1, 1)));
        {
            auto store = openStore(path);
            QVERIFY(store->insert(kept));
            QVERIFY(Backups::makeDaily(*store, QDate(2026, 1, 1)).isEmpty());
            QVERIFY(store->insert(later));
        }
        const QByteArray backupBefore = digest(copy);
        QString keptAs;
        const QString error =
            Backups::restore(copy, path, QDateTime(QDate(2026, 1, 3), QTime(9, 30)), &keptAs);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(digest(copy), backupBefore);
        QCOMPARE(QFileInfo(keptAs).fileName(), u"pennyloom-before-restore-20260103-093000.sqlite"_s);
        QCOMPARE(openStore(path)->entries().size(), size_t(1));
        QCOMPARE(openStore(path)->entries().front().id, kept.id);
        QCOMPARE(openStore(keptAs)->entries().size(), size_t(2));
        QVERIFY(!QFileInfo::exists(path + u".restoring"_s));
    }

    // Two restores in one second keep two copies of what they replaced: the second never
    // takes the first one's name.
    void restoresInOneSecondKeepBothStores()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QString copy = dir.filePath(u"copy.sqlite"_s);
        {
            auto store = openStore(path);
            QVERIFY(store->insert(entryOn(QDate(2026, 1, 1))));
            QVERIFY(store->copyTo(copy).isEmpty());
        }
        const QDateTime now(QDate(2026, 1, 3), QTime(9, 30));
        QStringList kept;
        QList<QByteArray> digests;
        for (const QDate &day : {QDate(2026, 1, 2), QDate(2026, 1, 3)}) {
            QVERIFY(openStore(path)->insert(entryOn(day)));
            QString keptAs;
            const QString error = Backups::restore(copy, path, now, &keptAs);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            kept.append(keptAs);
            digests.append(digest(keptAs));
        }
        QVERIFY(kept[0] != kept[1]);
        QCOMPARE(digest(kept[0]), digests[0]);
        QCOMPARE(openStore(kept[0])->entries().front().note, u"2026-01-02"_s);
        QCOMPARE(openStore(kept[1])->entries().front().note, u"2026-01-03"_s);
    }

    // Rows a backup holds only in the -wal beside it come back with it, and the restored store
    // stands alone, without a -wal of its own.
    void restoreTakesRowsFromTheWal()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QString other = dir.filePath(u"other/pennyloom.sqlite"_s);
        const QString copy = dir.filePath(u"copy.sqlite"_s);
        QVERIFY(openStore(path));
        QVERIFY(openStore(other)->insert(entryOn(QDate(2026, 1, 1))));
        {
            // Copied file by file while the store is open: its last rows are only in the -wal.
            auto store = openStore(other);
            QVERIFY(store->insert(entryOn(QDate(2026, 1, 2))));
            QVERIFY(store->insert(entryOn(QDate(2026, 1, 3))));
            QVERIFY(QFile::copy(other, copy));
            QVERIFY(QFile::copy(other + u"-wal"_s, copy + u"-wal"_s));
        }
        const QByteArray walBefore = digest(copy + u"-wal"_s);
        QString keptAs;
        const QString error =
            Backups::restore(copy, path, QDateTime(QDate(2026, 1, 3), QTime(9, 30)), &keptAs);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(digest(copy + u"-wal"_s), walBefore);
        QVERIFY(!QFileInfo::exists(path + u"-wal"_s));
        QCOMPARE(openStore(path)->entries().size(), size_t(3));
    }

    // Copies a kill cut short are cleared at the next start; finished copies stay.
    void unfinishedCopiesClearedAtStart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QDir backups(Backups::folder(path));
        QVERIFY(QDir().mkpath(backups.path()));
        const QStringList finished{u"pennyloom-2026-01-01.sqlite"_s,
                                   u"pennyloom-before-restore-20260101-090000.sqlite"_s};
        for (const QString &name :
             finished + QStringList{u"pennyloom-2026-01-01.sqlite.partial"_s,
                                    u"pennyloom-2026-01-01.sqlite.partial-journal"_s,
                                    u"pennyloom-before-restore-20260101-090000.k3j.partial"_s}) {
            QFile file(backups.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        auto store = openStore(path);
        QVERIFY(Backups::makeDaily(*store, QDate(2026, 1, 2)).isEmpty());
        QStringList expected = finished + QStringList{Backups::dailyName(QDate(2026, 1, 2))};
        expected.sort();
        QCOMPARE(backups.entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    }

    // A copy that cannot be written says why in the system's words, as a full disk would, and
    // names the backup rather than the file the program made for it.
    void restoreSaysWhyTheCopyFailed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QString copy = dir.filePath(u"copy.sqlite"_s);
        {
            auto store = openStore(path);
            for (int i = 0; i < 200; ++i)
                QVERIFY(store->insert(entryOn(QDate(2025, 1, 1).addDays(i))));
            QVERIFY(store->copyTo(copy).isEmpty());
        }
        const QByteArray before = digest(path);
        // No file may grow past 8 KiB for the moment: the copy of the backup runs out of room.
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit small = previous;
        small.rlim_cur = 8192;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        QString keptAs;
        const QString error =
            Backups::restore(copy, path, QDateTime(QDate(2026, 1, 3), QTime(9, 30)), &keptAs);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
        QVERIFY2(error.contains(DataFolder::systemError(EFBIG)), qPrintable(error));
        QVERIFY2(error.contains(copy) && !error.contains(u".restoring"_s), qPrintable(error));
        QCOMPARE(digest(path), before);
    }

    void refusesDamagedCopy_data()
    {
        QTest::addColumn<QString>("damage");
        for (const char *damage :
             {"truncated", "overwritten pages", "empty", "missing", "foreign database", "new store"})
            QTest::newRow(damage) << QString::fromLatin1(damage);
    }

    // The store stays byte for byte as it was; nothing is left behind.
    void refusesDamagedCopy()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        const QString copy = dir.filePath(u"copy.sqlite"_s);
        {
            auto store = openStore(path);
            for (int i = 0; i < 200; ++i)
                QVERIFY(store->insert(entryOn(QDate(2025, 1, 1).addDays(i))));
            QVERIFY(store->copyTo(copy).isEmpty());
        }
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (damage == u"truncated") {
            QVERIFY(file.resize(file.size() / 2));
        } else if (damage == u"overwritten pages") {
            QVERIFY(file.seek(4096 + 100));
            file.write(QByteArray(8192, '\x5a'));
        } else if (damage == u"empty") {
            QVERIFY(file.resize(0));
        }
        file.close();
        if (damage == u"missing")
            QVERIFY(QFile::remove(copy));
        if (damage == u"foreign database" || damage == u"new store") {
            QVERIFY(QFile::remove(copy));
            SqliteDatabase db;
            QVERIFY(db.open(copy));
            QVERIFY(db.exec(damage == u"new store" ? "PRAGMA user_version = 0"
                                                   : "CREATE TABLE t (x); PRAGMA user_version = 10000"));
        }
        const QByteArray before = digest(path);
        QString keptAs;
        const QString error =
            Backups::restore(copy, path, QDateTime(QDate(2026, 1, 3), QTime(9, 30)), &keptAs);
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(copy) && !error.contains(u".restoring"_s), qPrintable(error));
        QVERIFY(keptAs.isEmpty());
        QCOMPARE(digest(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name).filter(u"restoring"_s), QStringList());
    }
};

PENNYLOOM_TEST(BackupsTest)
#include "tst_Backups.moc"
