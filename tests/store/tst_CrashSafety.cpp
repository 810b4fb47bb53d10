// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"

#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

constexpr const char *tables[] = {"LedgerEntry",  "Budget",          "SavingsGoal", "SavingsDeposit",
                                  "AssetAccount", "AssetAdjustment", "FixedAsset"};

// What the writer acknowledged, over all its runs on one file.
struct Acknowledged {
    QSet<QByteArray> records;                 // "kind:id" of single records
    QHash<QByteArray, QByteArrayList> groups; // first member -> every member
    QSet<QByteArray> removing;                // removal begun, not acknowledged
    QSet<QByteArray> removed;

    void read(const QByteArray &output)
    {
        // A line cut short by the kill was never acknowledged.
        const qsizetype end = output.lastIndexOf('\n');
        for (const QByteArray &line : output.left(end + 1).split('\n')) {
            const QByteArrayList words = line.split(' ');
            if (words.size() < 2)
                continue;
            if (words[0] == "E")
                records.insert(words[1]);
            else if (words[0] == "G")
                groups.insert(words[1], words.mid(1));
            else if (words[0] == "d")
                removing.insert(words[1]);
            else if (words[0] == "D")
                removed.insert(words[1]), removing.remove(words[1]);
        }
    }
};

// Every "kind:id" in the file.
QSet<QByteArray> held(SqliteDatabase &db)
{
    QSet<QByteArray> ids;
    for (int kind = 0; kind < 7; ++kind) {
        SqliteStatement rows(db, "SELECT \"id\" FROM \"" + QByteArray(tables[kind]) + "\"");
        while (rows.step() == SQLITE_ROW)
            ids.insert(QByteArray::number(kind) + ':' + rows.text(0).toLatin1());
    }
    return ids;
}

int rounds()
{
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("PENNYLOOM_KILL_ROUNDS", &ok);
    return ok && wanted > 0 ? wanted : 50;
}

} // namespace

// A child process writes through the store and is killed with SIGKILL at random moments.
// After each kill the file must be sound, hold everything acknowledged and no group in part.
class CrashSafetyTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedWriterLosesNothingAcknowledged()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"pennyloom.sqlite"_s);
        Acknowledged acknowledged;
        QRandomGenerator random(20261207);
        const int total = rounds();
        int changes = 0;
        for (int round = 0; round < total; ++round) {
            QProcess writer;
            writer.start(QString::fromUtf8(PENNYLOOM_CRASH_WRITER), {path, QString::number(round)});
            QVERIFY(writer.waitForStarted());
            QTest::qSleep(20 + int(random.bounded(180)));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            const QByteArray output = writer.readAllStandardOutput();
            QVERIFY2(
                writer.exitStatus() == QProcess::CrashExit,
                qPrintable(u"round %1: the writer stopped by itself: %2 %3"_s.arg(round).arg(
                    QString::fromUtf8(output.right(200)), QString::fromUtf8(writer.readAllStandardError()))));
            acknowledged.read(output);
            changes += int(output.count('\n'));

            SqliteDatabase db;
            QVERIFY(db.open(path));
            QCOMPARE(db.scalar("PRAGMA integrity_check").value_or(db.lastError()), u"ok"_s);
            const QSet<QByteArray> ids = held(db);
            for (const QByteArray &record : std::as_const(acknowledged.records))
                QVERIFY2(ids.contains(record),
                         qPrintable(u"round %1 lost %2"_s.arg(round).arg(QString::fromLatin1(record))));
            for (auto it = acknowledged.groups.cbegin(); it != acknowledged.groups.cend(); ++it) {
                qsizetype present = 0;
                for (const QByteArray &member : it.value())
                    present += ids.contains(member) ? 1 : 0;
                const QString group = QString::fromLatin1(it.key());
                QVERIFY2(present == 0 || present == it.value().size(),
                         qPrintable(u"round %1: group %2 half removed"_s.arg(round).arg(group)));
                if (acknowledged.removed.contains(it.key()))
                    QVERIFY2(present == 0,
                             qPrintable(u"round %1: removed group %2 is back"_s.arg(round).arg(group)));
                else if (!acknowledged.removing.contains(it.key()))
                    QVERIFY2(present > 0, qPrintable(u"round %1 lost group %2"_s.arg(round).arg(group)));
            }
        }
        // The store itself opens what the kills left.
        QString error;
        QVERIFY2(ModelStore::open(path, &error), qPrintable(error));
        qInfo("%d kills, %d acknowledged changes", total, changes);
        QVERIFY(changes > total);
    }
};

PENNYLOOM_TEST(CrashSafetyTest)
#include "tst_CrashSafety.moc"
