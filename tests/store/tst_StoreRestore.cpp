// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "store/Backups.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"
#include "store/StoreSchema.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <optional>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// The file as another program reads it: every table, every column, in row order, doubles
// with all their digits; then the ids of each kind in the store's order in memory.
QStringList snapshot(const ModelStore &store)
{
    QStringList out;
    SqliteDatabase db;
    if (!db.open(store.path()))
        return {u"cannot open"_s};
    for (const StoreSchema::TableShape &shape : StoreSchema::shapes()) {
        QByteArrayList columns;
        for (const StoreSchema::Column &column : shape.columns) {
            const QByteArray name = '"' + QByteArray(column.name) + '"';
            columns.append(QByteArray(column.type) == "REAL" ? "printf('%.17g', " + name + ")"
                                                             : "quote(" + name + ")");
        }
        SqliteStatement rows(db, "SELECT rowid || ' ' || " + columns.join(" || '|' || ") + " FROM \"" +
                                     QByteArray(shape.name) + "\" ORDER BY rowid");
        while (rows.step() == SQLITE_ROW)
            out.append(QString::fromLatin1(shape.name) + u' ' + rows.text(0));
    }
    // Rows of the side tables by content: a restored import id may take another row.
    for (const StoreSchema::SideTable &side : StoreSchema::sideTables) {
        QByteArrayList columns;
        for (const StoreSchema::Column &column : side.shape.columns)
            columns.append("quote(\"" + QByteArray(column.name) + "\")");
        SqliteStatement rows(db, "SELECT " + columns.join(" || '|' || ") + " FROM \"" + side.shape.name +
                                     "\" ORDER BY 1");
        while (rows.step() == SQLITE_ROW)
            out.append(QString::fromLatin1(side.shape.name) + u' ' + rows.text(0));
    }
    auto ids = [&out](const char *kind, const auto &records) {
        QStringList order;
        for (const auto &record : records)
            order.append(record.id.toString());
        out.append(QString::fromLatin1(kind) + u" order "_s + order.join(u' '));
    };
    StoredKinds::forEach([&]<class R>() { ids(StoreSchema::Table<R>::name, store.all<R>()); });
    return out;
}

// The lines of a snapshot that a store of the first version also has: no side tables.
QStringList recordsOnly(QStringList lines)
{
    for (const StoreSchema::SideTable &side : StoreSchema::sideTables)
        lines.removeIf([&](const QString &line) {
            return line.startsWith(QString::fromLatin1(side.shape.name) + u' ');
        });
    return lines;
}

// A store of the first version holding the records of the store at `from`, made by that
// version's own statements, as the program wrote it before it had import ids.
// A store of an older version at `to` with the records of the store at `from`.
void writeOlderVersion(const QString &from, const QString &to, int version = StoreSchema::firstVersion)
{
    SqliteDatabase db;
    QVERIFY(db.open(to));
    QVERIFY(db.exec(StoreSchema::createSql(version)));
    QVERIFY(db.exec("ATTACH '" + from.toUtf8() + "' AS src"));
    for (const StoreSchema::TableShape &shape : StoreSchema::shapes()) {
        const QByteArray table = '"' + QByteArray(shape.name) + '"';
        QVERIFY2(db.exec("INSERT INTO main." + table + " SELECT * FROM src." + table + " ORDER BY rowid"),
                 qPrintable(db.lastError()));
    }
    QVERIFY(db.exec("DETACH src"));
    QCOMPARE(db.scalar("PRAGMA journal_mode = WAL"), std::optional<QString>(u"wal"_s));
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ModelStore::ImportRow importRow(const QString &line, double amount)
{
    // "source:transaction", or ":" for a line without an id; "source:transaction:amount" for
    // an amount of its own.
    const QStringList parts = line.split(u':');
    if (parts.size() > 2)
        amount = parts.at(2).toDouble();
    return {LedgerEntry(amount, local(2024, 6, 10, 12), EntryKind::expense, u"购物"_s, line), parts.value(0),
            parts.value(1)};
}

// Records to pick from, as kind * 100 + position in the seed.
enum Kind {
    entry = 0,
    budget = 100,
    goal = 200,
    deposit = 300,
    account = 400,
    adjustment = 500,
    fixed = 600
};

} // namespace

class StoreRestoreTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(local(2024, 6, 15, 10)));
        seed();
        connect(m_store.get(), &ModelStore::recordsRemoved, this,
                [this](const ModelStore::Removed &removed) { m_removed.push_back(removed); });
    }
    void cleanup()
    {
        m_removed.clear();
        closeStore();
    }

    void deleteUndoRedo_data();
    void deleteUndoRedo();
    void restoreRefusedWhenHeld_data();
    void restoreRefusedWhenHeld();
    void restoreFailsWhenFileLocked();
    void restoreCheck_data();
    void restoreCheck();
    void importSkipsKnownLines_data();
    void importSkipsKnownLines();
    void rulesAndMappingsSurviveReopen();
    void upgradeOfFirstVersion_data();
    void upgradeOfFirstVersion();
    void restoreOfFirstVersionBackup();

private:
    void seed();
    ModelStore::Removal pick(const QList<int> &records) const;
    void reopen();

    std::vector<LedgerEntry> m_entries;
    std::vector<Budget> m_budgets;
    std::vector<SavingsGoal> m_goals;
    std::vector<SavingsDeposit> m_deposits;
    std::vector<AssetAccount> m_accounts;
    std::vector<AssetAdjustment> m_adjustments;
    std::vector<FixedAsset> m_fixed;
    std::vector<ModelStore::Removed> m_removed;
};

void StoreRestoreTest::seed()
{
    m_entries.clear();
    m_budgets.clear();
    m_goals.clear();
    m_deposits.clear();
    m_accounts.clear();
    m_adjustments.clear();
    m_fixed.clear();
    const QDateTime noon = local(2024, 6, 10, 12);
    // Two entries on the same instant: their order comes from the file alone.
    for (const auto &[amount, when, note] :
         {std::tuple{32.5, noon, u"午饭"_s}, std::tuple{18.0, noon, u"咖啡"_s},
          std::tuple{0.1 + 0.2, noon.addDays(-1), QString()}}) {
        LedgerEntry e(amount, when, EntryKind::expense, u"餐饮"_s, note);
        e.createdAt = when.addSecs(-37);
        m_entries.push_back(e);
    }
    // A month budget, a period of two, then another month budget: budgets keep store order.
    m_budgets.push_back(Budget(u"日用"_s, 3000, local(2024, 6, 1)));
    for (const QString &category : {u"餐饮"_s, u"交通"_s})
        m_budgets.push_back(
            Budget(category, 800, local(2024, 6, 1), local(2024, 6, 3), local(2024, 6, 20, 23, 59)));
    m_budgets.push_back(Budget(u"购物"_s, 500, local(2024, 6, 1)));
    for (const QString &name : {u"旅行"_s, u"相机"_s}) {
        SavingsGoal g(name, 6000, local(2025, 1, 1));
        g.createdAt = local(2024, 5, 1, 9);
        m_goals.push_back(g);
    }
    m_deposits.push_back(SavingsDeposit(m_goals[0].id, 200, local(2024, 5, 2), u"第一笔"_s));
    m_deposits.push_back(SavingsDeposit(m_goals[0].id, 300.25, local(2024, 5, 2), QString()));
    m_deposits.push_back(SavingsDeposit(m_goals[1].id, 99, local(2024, 5, 3), u"相机"_s));
    m_accounts.push_back(AssetAccount(u"工资卡"_s, u"储蓄卡"_s, u"资产"_s, 1000, local(2024, 1, 1)));
    m_accounts.push_back(AssetAccount(u"信用卡"_s, u"信用卡"_s, u"负债"_s, 0, local(2024, 1, 1)));
    m_adjustments.push_back(AssetAdjustment(m_accounts[0].id, 50, local(2024, 2, 1), u"利息"_s));
    m_adjustments.push_back(AssetAdjustment(m_accounts[0].id, -20, local(2024, 2, 1), QString()));
    m_adjustments.push_back(AssetAdjustment(m_accounts[1].id, -300, local(2024, 2, 2), u"还款"_s));
    m_fixed.push_back(FixedAsset(u"电子"_s, u"笔记本"_s, 8000, local(2023, 3, 1), 36, u"公司"_s));
    m_fixed.push_back(FixedAsset(u"家具"_s, u"沙发"_s, 4000, local(2022, 3, 1), 120, QString()));

    const auto insertAll = [this](const auto &records) {
        for (const auto &record : records)
            QVERIFY(m_store->insert(record));
    };
    insertAll(m_entries);
    insertAll(m_budgets);
    insertAll(m_goals);
    insertAll(m_deposits);
    insertAll(m_accounts);
    insertAll(m_adjustments);
    insertAll(m_fixed);

    // Two entries imported from files, with the lines they came from; one shares an instant.
    std::vector<ModelStore::ImportRow> rows{
        {LedgerEntry(9.9, noon, EntryKind::expense, u"交通"_s, u"地铁"_s), u"wechat"_s, u"T1"_s},
        {LedgerEntry(120, local(2024, 6, 11, 8), EntryKind::income, u"退款"_s, u"售后"_s), u"alipay"_s,
         u"T1"_s}};
    const std::optional<ModelStore::ImportResult> imported = m_store->importEntries(rows);
    QVERIFY(imported && imported->inserted.size() == 2);
    for (const ModelStore::ImportRow &row : rows)
        m_entries.push_back(row.entry);
}

ModelStore::Removal StoreRestoreTest::pick(const QList<int> &records) const
{
    ModelStore::Removal removal;
    for (int record : records) {
        const size_t at = size_t(record % 100);
        switch (record / 100 * 100) {
        case entry:
            removal.add<LedgerEntry>(m_entries.at(at).id);
            break;
        case budget:
            removal.add<Budget>(m_budgets.at(at).id);
            break;
        case goal:
            removal.add<SavingsGoal>(m_goals.at(at).id);
            break;
        case deposit:
            removal.add<SavingsDeposit>(m_deposits.at(at).id);
            break;
        case account:
            removal.add<AssetAccount>(m_accounts.at(at).id);
            break;
        case adjustment:
            removal.add<AssetAdjustment>(m_adjustments.at(at).id);
            break;
        default:
            removal.add<FixedAsset>(m_fixed.at(at).id);
            break;
        }
    }
    return removal;
}

void StoreRestoreTest::reopen()
{
    m_store.reset();
    m_store = TestSupport::openStore(*m_dir);
    QVERIFY(m_store);
}

void StoreRestoreTest::deleteUndoRedo_data()
{
    QTest::addColumn<QList<int>>("records");

    QTest::newRow("an entry sharing its instant") << QList<int>{entry + 0};
    QTest::newRow("a goal with its deposits") << QList<int>{goal + 0, deposit + 0, deposit + 1};
    QTest::newRow("an account with its adjustments")
        << QList<int>{account + 0, adjustment + 0, adjustment + 1};
    QTest::newRow("a budget period between month budgets") << QList<int>{budget + 1, budget + 2};
    QTest::newRow("one deposit") << QList<int>{deposit + 1};
    QTest::newRow("a fixed asset") << QList<int>{fixed + 1};
    QTest::newRow("several kinds at once") << QList<int>{entry + 1, entry + 2, budget + 0, adjustment + 2};
    QTest::newRow("imported entries with their import ids") << QList<int>{entry + 3, entry + 4};
}

// Undo gives back the store as it was, field for field and in the same order, on disk as in
// memory; redo takes the same records away again.
void StoreRestoreTest::deleteUndoRedo()
{
    QFETCH(QList<int>, records);
    const QStringList before = snapshot(*m_store);

    QVERIFY(m_store->remove(pick(records)));
    QCOMPARE(m_removed.size(), size_t(1));
    const ModelStore::Removed removed = m_removed.front();
    QCOMPARE(removed.count(), records.size());
    const QStringList deleted = snapshot(*m_store);
    QVERIFY(deleted != before);

    QSignalSpy entries(m_store.get(), &ModelStore::entriesChanged);
    QVERIFY(m_store->restore(removed));
    QCOMPARE(entries.count(), removed.records<LedgerEntry>().empty() ? 0 : 1);
    QCOMPARE(snapshot(*m_store), before);
    reopen();
    QCOMPARE(snapshot(*m_store), before);

    connect(m_store.get(), &ModelStore::recordsRemoved, this,
            [this](const ModelStore::Removed &again) { m_removed.push_back(again); });
    QVERIFY(m_store->remove(removed.removal()));
    QCOMPARE(m_removed.size(), size_t(2));
    QCOMPARE(m_removed.back().count(), records.size());
    QCOMPARE(snapshot(*m_store), deleted);
    reopen();
    QCOMPARE(snapshot(*m_store), deleted);
}

void StoreRestoreTest::restoreRefusedWhenHeld_data()
{
    QTest::addColumn<int>("heldAgain");

    QTest::newRow("the group is back already") << 0;
    QTest::newRow("one of the group was added again") << 1;
    QTest::newRow("an imported line was imported again") << 2;
}

// A group partly or wholly held again is refused whole: nothing written, nothing signalled.
void StoreRestoreTest::restoreRefusedWhenHeld()
{
    QFETCH(int, heldAgain);
    QVERIFY(m_store->remove(pick({goal + 1, deposit + 2, entry + 0, entry + 3})));
    const ModelStore::Removed removed = m_removed.front();
    QCOMPARE(removed.importIds().size(), size_t(1));
    if (heldAgain == 0)
        QVERIFY(m_store->restore(removed));
    else if (heldAgain == 1)
        QVERIFY(m_store->insert(m_deposits[2]));
    else
        QVERIFY(m_store->importEntries({importRow(u"wechat:T1"_s, 9.9)}));
    const QStringList held = snapshot(*m_store);

    QSignalSpy failures(m_store.get(), &ModelStore::writeFailed);
    QSignalSpy goals(m_store.get(), &ModelStore::savingsGoalsChanged);
    QSignalSpy entries(m_store.get(), &ModelStore::entriesChanged);
    QVERIFY(!m_store->restore(removed));
    QCOMPARE(goals.count(), 0);
    QCOMPARE(entries.count(), 0);
    QCOMPARE(failures.count(), 0);
    QCOMPARE(snapshot(*m_store), held);
    reopen();
    QCOMPARE(snapshot(*m_store), held);
}

// Another connection holds the write lock: the restore fails, says so and changes nothing.
void StoreRestoreTest::restoreFailsWhenFileLocked()
{
    QVERIFY(m_store->remove(pick({account + 1, adjustment + 2})));
    const ModelStore::Removed removed = m_removed.front();
    const QStringList deleted = snapshot(*m_store);

    auto blocker = std::make_unique<SqliteDatabase>();
    QVERIFY(blocker->open(m_store->path()));
    QVERIFY(blocker->exec("BEGIN EXCLUSIVE"));
    QSignalSpy failures(m_store.get(), &ModelStore::writeFailed);
    QVERIFY(!m_store->restore(removed));
    QCOMPARE(failures.count(), 1);
    QCOMPARE(snapshot(*m_store), deleted);
    QVERIFY(blocker->exec("ROLLBACK"));
    blocker.reset();

    // The same group goes back once the file is free again.
    QVERIFY(m_store->restore(removed));
    reopen();
    QCOMPARE(snapshot(*m_store).size(), deleted.size() + 2);
    QVERIFY(m_store->find<AssetAccount>(m_accounts[1].id));
}

void StoreRestoreTest::restoreCheck_data()
{
    QTest::addColumn<QByteArray>("change");
    QTest::addColumn<QString>("refusal"); // empty when the file is taken

    QTest::newRow("as written, with empty budget periods") << QByteArray() << QString();
    QTest::newRow("dates at the ends of the years 1 to 9999")
        << QByteArray("UPDATE SavingsGoal SET expectedDate = 253402300799999;"
                      "UPDATE SavingsDeposit SET date = -62135596800000")
        << QString();
    QTest::newRow("a trigger") << QByteArray("CREATE TRIGGER wipe AFTER INSERT ON LedgerEntry "
                                             "BEGIN DELETE FROM LedgerEntry; END")
                               << u"触发器 wipe"_s;
    QTest::newRow("a view") << QByteArray("CREATE VIEW spent AS SELECT sum(amount) FROM LedgerEntry")
                            << u"视图 spent"_s;
    QTest::newRow("another table") << QByteArray("CREATE TABLE notes (x)") << u"表 notes"_s;
    QTest::newRow("another index") << QByteArray("CREATE UNIQUE INDEX byNote ON LedgerEntry (note)")
                                   << u"索引 byNote"_s;
    QTest::newRow("an index missing") << QByteArray("DROP INDEX Budget_id") << u"缺少索引 Budget_id"_s;
    QTest::newRow("columns that may be empty")
        << QByteArray("DROP TABLE FixedAsset; CREATE TABLE FixedAsset (id TEXT, category TEXT, name TEXT, "
                      "currentValue REAL, purchaseDate INTEGER, usefulLifeMonths INTEGER, note TEXT, "
                      "createdAt INTEGER); CREATE INDEX FixedAsset_id ON FixedAsset (id)")
        << u"表 FixedAsset"_s;
    QTest::newRow("a newer version") << "PRAGMA user_version = " +
                                            QByteArray::number(StoreSchema::version + 100)
                                     << u"由更新版本的 Pennyloom 写成"_s;
    QTest::newRow("an upper-case id")
        << QByteArray("UPDATE LedgerEntry SET id = upper(id) WHERE rowid = 1") << u"LedgerEntry 的 id"_s;
    QTest::newRow("a braced id") << QByteArray("UPDATE SavingsGoal SET id = '{' || id || '}' WHERE rowid = 1")
                                 << u"SavingsGoal 的 id"_s;
    QTest::newRow("a reference that is no id")
        << QByteArray("UPDATE AssetAdjustment SET accountID = 'card'") << u"AssetAdjustment 的 accountID"_s;
    QTest::newRow("a date past the year 9999")
        << QByteArray("UPDATE LedgerEntry SET date = 9223372036854775807 WHERE rowid = 2")
        << u"LedgerEntry 的 date"_s;
    QTest::newRow("a date before the year 1")
        << QByteArray("UPDATE Budget SET periodEnd = -62135596800001 WHERE periodEnd IS NOT NULL")
        << u"Budget 的 periodEnd"_s;

    // Records no form could have saved; the window would show them as ¥∞ or worse.
    const auto record = [](const char *name, const char *change, const QString &table, const QString &why) {
        QTest::newRow(name) << QByteArray(change) << u"表 %1 中"_s.arg(table) + u'\n' + why;
    };
    record("an amount of 1e308", "UPDATE LedgerEntry SET amount = 1e308 WHERE rowid = 1", u"LedgerEntry"_s,
           u"金额须在"_s);
    record("a negative amount", "UPDATE LedgerEntry SET amount = -5 WHERE rowid = 1", u"LedgerEntry"_s,
           u"金额须在"_s);
    record("an amount as text", "UPDATE LedgerEntry SET amount = 'abc' WHERE rowid = 1", u"LedgerEntry"_s,
           u"金额须在"_s);
    record("an unknown kind", "UPDATE LedgerEntry SET kindRaw = '转账' WHERE rowid = 2", u"LedgerEntry"_s,
           u"类型"_s);
    record("an unknown category", "UPDATE LedgerEntry SET category = '午饭' WHERE rowid = 2",
           u"LedgerEntry"_s, u"“午饭”不是支出的分类"_s);
    record("a note of a million characters",
           "UPDATE LedgerEntry SET note = printf('%.*c', 1000000, 'x') WHERE rowid = 3", u"LedgerEntry"_s,
           u"备注不能超过"_s);
    record("a budget limit of 1e308", "UPDATE Budget SET \"limit\" = 1e308 WHERE rowid = 2", u"Budget"_s,
           u"预算额度须在"_s);
    record("a budget of no expense category", "UPDATE Budget SET category = '工资' WHERE rowid = 1",
           u"Budget"_s, u"“工资”不是支出的分类"_s);
    record("a budget ending before it starts",
           "UPDATE Budget SET periodEnd = periodStart - 86400000 WHERE periodEnd IS NOT NULL", u"Budget"_s,
           u"起止日期"_s);
    record("a goal without a name", "UPDATE SavingsGoal SET name = '  ' WHERE rowid = 1", u"SavingsGoal"_s,
           u"没有名称"_s);
    record("a goal of 1e308", "UPDATE SavingsGoal SET targetAmount = 1e308", u"SavingsGoal"_s, u"目标金额"_s);
    record("a deposit of 0", "UPDATE SavingsDeposit SET amount = 0 WHERE rowid = 2", u"SavingsDeposit"_s,
           u"存入金额"_s);
    record("an account without a name", "UPDATE AssetAccount SET name = '' WHERE rowid = 2",
           u"AssetAccount"_s, u"没有名称"_s);
    record("a negative opening balance", "UPDATE AssetAccount SET openingBalance = -1 WHERE rowid = 1",
           u"AssetAccount"_s, u"初始金额"_s);
    record("an adjustment of -1e308", "UPDATE AssetAdjustment SET amount = -1e308 WHERE rowid = 3",
           u"AssetAdjustment"_s, u"变动金额"_s);
    record("a fixed asset worth 1e308", "UPDATE FixedAsset SET currentValue = 1e308 WHERE rowid = 1",
           u"FixedAsset"_s, u"当前估值"_s);
    record("a fixed asset without a life", "UPDATE FixedAsset SET usefulLifeMonths = 0 WHERE rowid = 2",
           u"FixedAsset"_s, u"使用寿命"_s);
    record("a category rule of no known kind",
           "INSERT INTO CategoryRule (counterparty, kindRaw, category) VALUES ('某店', '转账', '餐饮')",
           u"CategoryRule"_s, u"类型"_s);
    record("a category rule of no category of its kind",
           "INSERT INTO CategoryRule (counterparty, kindRaw, category) VALUES ('某店', '收入', '餐饮')",
           u"CategoryRule"_s, u"“餐饮”不是收入的分类"_s);
    // What an earlier version stored stays restorable: below the cent, as 0.1 + 0.2 is.
    QTest::newRow("an amount past the cent, as stored before")
        << QByteArray("UPDATE LedgerEntry SET amount = 12.345 WHERE rowid = 1") << QString();
}

// A restored file must be what this program writes, nothing more: anything else would run
// with the program's own changes or hold records it cannot change.
void StoreRestoreTest::restoreCheck()
{
    QFETCH(QByteArray, change);
    QFETCH(QString, refusal);
    const QString copy = m_dir->filePath(u"copy.sqlite"_s);
    QVERIFY(m_store->copyTo(copy).isEmpty());
    {
        SqliteDatabase db;
        QVERIFY(db.open(copy));
        QVERIFY2(change.isEmpty() || db.exec(change), qPrintable(db.lastError()));
    }
    const QString problem = Backups::verify(copy);
    if (refusal.isEmpty())
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    else
        for (const QString &part : refusal.split(u'\n'))
            QVERIFY2(problem.contains(part) && problem.contains(copy), qPrintable(problem));
}

void StoreRestoreTest::importSkipsKnownLines_data()
{
    // Lines as "source:transaction id:amount" (amount 50 when not given), ":" for one the file
    // gives no id; each an expense at noon on 10 June. The seed holds wechat:T1 (¥9.90 at that
    // instant) and alipay:T1 (an income).
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("inserted");

    QTest::newRow("new lines") << QStringList{u"wechat:T2"_s, u"alipay:T2"_s} << 2;
    QTest::newRow("a line imported before") << QStringList{u"wechat:T1:9.9"_s, u"wechat:T3"_s} << 1;
    QTest::newRow("the same id, another amount") << QStringList{u"wechat:T1:10"_s} << 1;
    QTest::newRow("the same id, another kind") << QStringList{u"alipay:T1:120"_s} << 1;
    QTest::newRow("the same id from another source") << QStringList{u"csv:T1:9.9"_s} << 1;
    QTest::newRow("a line twice in one file") << QStringList{u"wechat:T4:50"_s, u"wechat:T4:50"_s} << 1;
    QTest::newRow("one id, two amounts in one file")
        << QStringList{u"wechat:T5:50"_s, u"wechat:T5:51"_s} << 2;
    QTest::newRow("lines without ids") << QStringList{u":"_s, u":"_s} << 2;
    QTest::newRow("nothing new") << QStringList{u"wechat:T1:9.9"_s} << 0;
}

// One transaction, one change signal; the lines are known after a restart, and importing the
// same file again adds only what carries no id.
void StoreRestoreTest::importSkipsKnownLines()
{
    QFETCH(QStringList, lines);
    QFETCH(int, inserted);
    const auto rowsOf = [&] {
        std::vector<ModelStore::ImportRow> rows;
        for (const QString &line : lines)
            rows.push_back(importRow(line, 50 + double(rows.size())));
        return rows;
    };
    const std::vector<ModelStore::ImportRow> rows = rowsOf();
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    QSignalSpy imported(m_store.get(), &ModelStore::entriesImported);
    const std::optional<ModelStore::ImportResult> result = m_store->importEntries(rows);
    QVERIFY(result);
    QCOMPARE(int(result->inserted.size()), inserted);
    QCOMPARE(result->alreadyImported, int(lines.size()) - inserted);
    QCOMPARE(changed.count(), inserted > 0 ? 1 : 0);
    QCOMPARE(imported.count(), inserted > 0 ? 1 : 0);
    for (const QUuid &id : result->inserted)
        QVERIFY(m_store->find<LedgerEntry>(id));
    const QStringList after = snapshot(*m_store);
    reopen();
    QCOMPARE(snapshot(*m_store), after);

    const std::optional<ModelStore::ImportResult> again = m_store->importEntries(rowsOf());
    QVERIFY(again);
    QCOMPARE(int(again->inserted.size()), int(lines.count(u":"_s)));
    const std::vector<ModelStore::ImportRow> heldRows = rowsOf();
    for (size_t i = 0; i < heldRows.size(); ++i)
        QCOMPARE(m_store->isImported(heldRows[i]), lines.at(qsizetype(i)) != u":"_s);
}

void StoreRestoreTest::rulesAndMappingsSurviveReopen()
{
    QVERIFY(m_store->setCategoryRule({u"美团"_s, u"支出"_s, u"餐饮"_s}));
    QVERIFY(m_store->setCategoryRule({u"美团"_s, u"收入"_s, u"退款"_s}));
    QVERIFY(m_store->setCategoryRule({u"滴滴"_s, u"支出"_s, u"交通"_s}));
    QVERIFY(m_store->setCategoryRule({u"美团"_s, u"支出"_s, u"外卖"_s}));
    QVERIFY(m_store->removeCategoryRule(u"滴滴"_s, u"支出"_s));
    QVERIFY(m_store->setImportMapping(u"日期,金额"_s, u"{\"date\":0}"_s));
    QVERIFY(m_store->setImportMapping(u"日期,金额"_s, u"{\"date\":0,\"amount\":1}"_s));
    // By counterparty, then kind as text.
    const std::vector<CategoryRule> rules{{u"美团"_s, u"支出"_s, u"外卖"_s},
                                          {u"美团"_s, u"收入"_s, u"退款"_s}};
    QVERIFY(m_store->categoryRules() == rules);
    reopen();
    QVERIFY(m_store->categoryRules() == rules);
    QCOMPARE(m_store->importMapping(u"日期,金额"_s), u"{\"date\":0,\"amount\":1}"_s);
    QCOMPARE(m_store->importMapping(u"日期"_s), QString());
}

void StoreRestoreTest::upgradeOfFirstVersion_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QByteArray>("change");
    QTest::addColumn<bool>("copyBlocked");
    QTest::addColumn<QString>("refusal"); // empty when upgraded

    QTest::newRow("as the first version wrote it") << 10000 << QByteArray() << false << QString();
    QTest::newRow("as 1.1.0 wrote it") << 10100 << QByteArray() << false << QString();
    QTest::newRow("a table of the new version in the way, failing midway")
        << 10000 << QByteArray("CREATE TABLE \"RecurringRule\" (x)") << false << u"RecurringRule"_s;
    QTest::newRow("1.1.0 with a table of the new version in the way")
        << 10100 << QByteArray("CREATE TABLE \"RecurringOccurrence\" (x)") << false
        << u"RecurringOccurrence"_s;
    QTest::newRow("no room for the copy") << 10000 << QByteArray() << true << u"升级前无法保存备份"_s;
    QTest::newRow("a newer version") << 10100
                                     << "PRAGMA user_version = " +
                                            QByteArray::number(StoreSchema::version + 100)
                                     << false << u"由更新版本的 Pennyloom 写成"_s;
}

// A store of an older version is upgraded once, after a copy, keeping every record; one that
// cannot be upgraded is left byte for byte as it was.
void StoreRestoreTest::upgradeOfFirstVersion()
{
    QFETCH(int, version);
    QFETCH(QByteArray, change);
    QFETCH(bool, copyBlocked);
    QFETCH(QString, refusal);
    QVERIFY(QDir(m_dir->path()).mkpath(u"old"_s));
    const QString old = m_dir->filePath(u"old/pennyloom.sqlite"_s);
    writeOlderVersion(m_store->path(), old, version);
    {
        SqliteDatabase db;
        QVERIFY(db.open(old));
        QVERIFY(change.isEmpty() || db.exec(change));
    }
    const QString backups = Backups::folder(old);
    if (copyBlocked) {
        QFile blocker(backups);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const QByteArray before = bytesOf(old);
    const QStringList records = recordsOnly(snapshot(*m_store));
    const auto copies = [&] {
        return QDir(backups).entryList(
            {u"pennyloom-before-upgrade-%1-*.sqlite"_s.arg(StoreSchema::versionName(version))}, QDir::Files);
    };

    QString error;
    std::unique_ptr<ModelStore> upgraded = ModelStore::open(old, &error);
    if (!refusal.isEmpty()) {
        QVERIFY(!upgraded);
        QVERIFY2(error.contains(refusal), qPrintable(error));
        QVERIFY(bytesOf(old) == before);
        QCOMPARE(copies().size(), change.startsWith("PRAGMA") || copyBlocked ? 0 : 1);
        return;
    }
    QVERIFY2(upgraded, qPrintable(error));
    QCOMPARE(recordsOnly(snapshot(*upgraded)), records);
    {
        // Exactly what a new store is.
        SqliteDatabase db;
        QVERIFY(db.open(old));
        QCOMPARE(StoreSchema::schemaProblem(db), QString());
        QCOMPARE(db.scalar("PRAGMA user_version"),
                 std::optional<QString>(QString::number(StoreSchema::version)));
    }
    QVERIFY(upgraded->recurringRules().empty());
    QVERIFY(upgraded->importEntries({importRow(u"wechat:T1"_s, 1)}));
    QVERIFY(upgraded->insertRecurringRule(
        RecurringRule(25, EntryKind::expense, u"房租"_s, u"每月房租"_s, QDate(2024, 6, 1))));
    upgraded.reset();
    QCOMPARE(copies().size(), 1);
    // The copy is the first version's file, which a reader opens as it is.
    const QString copy = QDir(backups).filePath(copies().constFirst());
    const QByteArray copyBytes = bytesOf(copy);
    std::unique_ptr<ModelStore> reader = ModelStore::openReadOnly(copy, &error);
    QVERIFY2(reader, qPrintable(error));
    QCOMPARE(reader->entries().size(), m_entries.size());
    QVERIFY(!reader->isImported(importRow(u"wechat:T1"_s, 1)));
    reader.reset();
    QVERIFY(bytesOf(copy) == copyBytes);
    // Upgraded once: the next start makes no other copy.
    QVERIFY(ModelStore::open(old, &error));
    QCOMPARE(copies().size(), 1);
}

// A backup from before the upgrade restores: the checked copy is upgraded before it takes the
// store's place, and the backup itself is not written.
void StoreRestoreTest::restoreOfFirstVersionBackup()
{
    const QString backup = m_dir->filePath(u"backup.sqlite"_s);
    writeOlderVersion(m_store->path(), backup);
    const QByteArray backupBytes = bytesOf(backup);
    const QStringList records = recordsOnly(snapshot(*m_store));
    QVERIFY(m_store->remove(pick({entry + 0, goal + 0})));
    const QString path = m_store->path();
    m_store.reset();
    QString kept;
    const QString error = Backups::restore(backup, path, local(2024, 6, 15, 10), &kept);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(bytesOf(backup) == backupBytes);
    QVERIFY(QDir(Backups::folder(path)).entryList({u"pennyloom-before-upgrade-*"_s}).isEmpty());
    reopen();
    QCOMPARE(recordsOnly(snapshot(*m_store)), records);
    QVERIFY(!m_store->isImported(importRow(u"wechat:T1"_s, 1)));
}

PENNYLOOM_TEST(StoreRestoreTest)
#include "tst_StoreRestore.moc"
