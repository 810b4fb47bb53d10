// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "store/ModelStore.h"
#include "store/PossibleDuplicates.h"
#include "store/SqliteDatabase.h"
#include "store/StoreSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <type_traits>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// Calls f.template operator()<R>() for the record kind at that position of the schema.
template <class F> void forKind(int kind, F &&f)
{
    StoredKinds::at(static_cast<size_t>(kind), f);
}

const char *kindName(int kind)
{
    return StoreSchema::shapes()[static_cast<size_t>(kind)].name;
}

// A record of kind R whose sort key (date or creation time) is `when`; every text field holds
// `text`. Budgets cover a period starting at `when` unless `period` says otherwise
// (0 none, 1 start and end, 2 start only).
template <class R>
R make(const QDateTime &when, double amount = 12.5, const QString &text = u"午餐"_s, int period = 1,
       qint64 months = 60)
{
    if constexpr (std::is_same_v<R, LedgerEntry>) {
        LedgerEntry r(amount, when, EntryKind::income, text, text);
        r.createdAt = when.addSecs(-90);
        return r;
    } else if constexpr (std::is_same_v<R, Budget>) {
        Budget r(text, amount, when);
        if (period > 0)
            r.periodStart = when;
        if (period == 1)
            r.periodEnd = when.addDays(30).addMSecs(-1);
        return r;
    } else if constexpr (std::is_same_v<R, SavingsGoal>) {
        SavingsGoal r(text, amount, when.addDays(365));
        r.createdAt = when;
        return r;
    } else if constexpr (std::is_same_v<R, SavingsDeposit>) {
        return SavingsDeposit(QUuid::createUuid(), amount, when, text);
    } else if constexpr (std::is_same_v<R, AssetAccount>) {
        return AssetAccount(text, text + u"卡"_s, u"负债"_s, amount, when);
    } else if constexpr (std::is_same_v<R, AssetAdjustment>) {
        return AssetAdjustment(QUuid::createUuid(), amount, when, text);
    } else {
        FixedAsset r(text, text + u"房"_s, amount, when.addYears(-2), months, text);
        r.createdAt = when;
        return r;
    }
}

// The money field of a record.
template <class R> double &amountOf(R &r)
{
    if constexpr (std::is_same_v<R, Budget>)
        return r.limit;
    else if constexpr (std::is_same_v<R, SavingsGoal>)
        return r.targetAmount;
    else if constexpr (std::is_same_v<R, AssetAccount>)
        return r.openingBalance;
    else if constexpr (std::is_same_v<R, FixedAsset>)
        return r.currentValue;
    else
        return r.amount;
}

// Every field as text: doubles with all 17 digits, dates as epoch milliseconds.
QString num(double v)
{
    return QString::number(v, 'g', 17);
}
QString ms(const QDateTime &d)
{
    return d.isValid() ? QString::number(d.toMSecsSinceEpoch()) : u"invalid"_s;
}
QString ms(const std::optional<QDateTime> &d)
{
    return d ? ms(*d) : u"none"_s;
}
QString uuid(const QUuid &id)
{
    return id.toString();
}

QStringList fields(const LedgerEntry &r)
{
    return {uuid(r.id), num(r.amount), ms(r.date), r.kindRaw, r.category, r.note, ms(r.createdAt)};
}
QStringList fields(const Budget &r)
{
    return {uuid(r.id), r.category, num(r.limit), r.monthKey, ms(r.periodStart), ms(r.periodEnd)};
}
QStringList fields(const SavingsGoal &r)
{
    return {uuid(r.id), r.name, num(r.targetAmount), ms(r.expectedDate), ms(r.createdAt)};
}
QStringList fields(const SavingsDeposit &r)
{
    return {uuid(r.id), uuid(r.goalID), num(r.amount), ms(r.date), r.note};
}
QStringList fields(const AssetAccount &r)
{
    return {uuid(r.id), r.name, r.kind, r.dimension, num(r.openingBalance), ms(r.createdAt)};
}
QStringList fields(const AssetAdjustment &r)
{
    return {uuid(r.id), uuid(r.accountID), num(r.amount), ms(r.date), r.note};
}
QStringList fields(const FixedAsset &r)
{
    return {uuid(r.id),
            r.category,
            r.name,
            num(r.currentValue),
            ms(r.purchaseDate),
            QString::number(r.usefulLifeMonths),
            r.note,
            ms(r.createdAt)};
}

template <class Rows> QList<QUuid> idsOf(const Rows &rows)
{
    QList<QUuid> ids;
    for (const auto &r : rows)
        ids.append(r.id);
    return ids;
}

std::unique_ptr<ModelStore> openStore(const QString &path)
{
    QString error;
    auto store = ModelStore::open(path, &error);
    if (!store)
        qWarning("%s", qPrintable(error));
    return store;
}

// One query on a connection of its own, as another process would see the file.
QString peek(const QString &path, const QByteArray &sql)
{
    SqliteDatabase db;
    if (!db.open(path))
        return u"<cannot open: "_s + db.lastError() + u'>';
    return db.scalar(sql).value_or(u"<failed: "_s + db.lastError() + u'>');
}

// Counts of the seven change signals, in schema order.
class ChangeSpies {
public:
    explicit ChangeSpies(ModelStore *s)
    {
        for (auto signal :
             {&ModelStore::entriesChanged, &ModelStore::budgetsChanged, &ModelStore::savingsGoalsChanged,
              &ModelStore::savingsDepositsChanged, &ModelStore::assetAccountsChanged,
              &ModelStore::assetAdjustmentsChanged, &ModelStore::fixedAssetsChanged})
            m_spies.push_back(std::make_unique<QSignalSpy>(s, signal));
    }
    QList<int> counts() const
    {
        QList<int> c;
        for (const auto &spy : m_spies)
            c.append(int(spy->count()));
        return c;
    }
    void clear()
    {
        for (auto &spy : m_spies)
            spy->clear();
    }
    // Once for that kind (none for -1), never for the others.
    static QList<int> only(int kind)
    {
        QList<int> c(7, 0);
        if (kind >= 0)
            c[kind] = 1;
        return c;
    }

private:
    std::vector<std::unique_ptr<QSignalSpy>> m_spies;
};

} // namespace

class ModelStoreTest final : public QObject {
    Q_OBJECT

    QString storePath(const QTemporaryDir &dir) const { return dir.filePath(u"pennyloom.sqlite"_s); }

private Q_SLOTS:
    void firstStartCreatesEmptyStore_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("touch");
        QTest::newRow("no file") << u"pennyloom.sqlite"_s << false;
        QTest::newRow("file of 0 bytes") << u"pennyloom.sqlite"_s << true;
        QTest::newRow("folders not there yet") << u"数据/档案/pennyloom.sqlite"_s << false;
    }

    void firstStartCreatesEmptyStore()
    {
        QFETCH(QString, name);
        QFETCH(bool, touch);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (touch) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        {
            auto store = openStore(path);
            QVERIFY(store);
            for (int kind = 0; kind < 7; ++kind)
                forKind(kind, [&]<class R>() { QVERIFY(store->all<R>().empty()); });
            QVERIFY(QFileInfo(path).isFile());
            QCOMPARE(peek(path, "PRAGMA user_version"), u"10200"_s);
            QCOMPARE(peek(path, "SELECT value FROM meta WHERE key = 'schemaVersion'"), u"1.2.0"_s);
            QCOMPARE(peek(path, "PRAGMA journal_mode"), u"wal"_s);
        }
        // The store accepts the file it made.
        QVERIFY(openStore(path));
    }

    void directoryIsRefused()
    {
        QTemporaryDir dir;
        const QString path = storePath(dir);
        QVERIFY(QDir().mkpath(path));
        QString error;
        QVERIFY(!ModelStore::open(path, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir(path).isEmpty());
    }

    void roundTripEveryField_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<int>("period");
        QTest::addColumn<qint64>("months");

        QTest::newRow("Chinese text, 0.1 + 0.2")
            << 0.1 + 0.2 << u"早餐 豆浆油条"_s << local(2024, 3, 5, 8, 15, 30).addMSecs(123) << 1
            << qint64(12);
        QTest::newRow("emoji, large amount")
            << 98765432109.87 << u"🎉生日🎂 👨‍👩‍👧"_s
            << local(2023, 12, 31, 23, 59, 59).addMSecs(999) << 0 << qint64(1200);
        QTest::newRow("negative adjustment, empty text")
            << -200.0 << u""_s << local(2024, 2, 29, 0, 0, 0).addMSecs(1) << 2 << qint64(0);
        QTest::newRow("null text, tiny fraction")
            << 0.000001 << QString() << local(2025, 7, 1, 12) << 1 << qint64(1);
        QTest::newRow("64-bit months, huge amount")
            << 1.0e15 + 0.5 << u"笔记本电脑"_s << local(2030, 6, 15, 9) << 0 << (qint64(1) << 40);
        QTest::newRow("largest months, quotes and line breaks")
            << std::numeric_limits<double>::max() << u"他说\"好\"\n第二行 '引号' \\ %"_s
            << local(2024, 10, 1, 18, 30) << 1 << std::numeric_limits<qint64>::max();
        QTest::newRow("before the epoch")
            << -1234.5678 << u"旧账"_s << QDateTime(QDate(1969, 7, 20), QTime(20, 17, 40, 5), Qt::UTC) << 1
            << qint64(36);
    }

    void roundTripEveryField()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        QFETCH(QDateTime, when);
        QFETCH(int, period);
        QFETCH(qint64, months);

        QTemporaryDir dir;
        const QString path = storePath(dir);
        std::array<QStringList, 7> expected;
        {
            auto store = openStore(path);
            QVERIFY(store);
            for (int kind = 0; kind < 7; ++kind) {
                forKind(kind, [&]<class R>() {
                    const R record = make<R>(when, amount, text, period, months);
                    expected[kind] = fields(record);
                    QVERIFY(store->insert(record));
                    QVERIFY(store->find<R>(record.id));
                    QCOMPARE(fields(*store->find<R>(record.id)), expected[kind]);
                });
            }
        }
        auto reopened = openStore(path);
        QVERIFY(reopened);
        for (int kind = 0; kind < 7; ++kind) {
            forKind(kind, [&]<class R>() {
                QCOMPARE(reopened->all<R>().size(), size_t(1));
                QCOMPARE(fields(reopened->all<R>().front()), expected[kind]);
            });
        }
    }

    void sortOrder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("order");

        // Keys in insertion order: +1h, +2h, +1h, +1h 1ms, +0h.
        const QList<int> newestFirst{1, 3, 0, 2, 4};
        for (int kind = 0; kind < 7; ++kind)
            QTest::newRow(kindName(kind)) << kind << (kind == 1 ? QList<int>{0, 1, 2, 3, 4} : newestFirst);
    }

    void sortOrder()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, order);

        QTemporaryDir dir;
        const QString path = storePath(dir);
        const QDateTime t = local(2024, 5, 1, 12);
        const QList<QDateTime> keys{t.addSecs(3600), t.addSecs(7200), t.addSecs(3600),
                                    t.addSecs(3600).addMSecs(1), t};
        forKind(kind, [&]<class R>() {
            QList<QUuid> inserted;
            {
                auto store = openStore(path);
                QVERIFY(store);
                for (const QDateTime &key : keys) {
                    const R record = make<R>(key);
                    inserted.append(record.id);
                    QVERIFY(store->insert(record));
                }
            }
            QList<QUuid> expected;
            for (int i : order)
                expected.append(inserted[i]);
            auto store = openStore(path);
            QVERIFY(store);
            QCOMPARE(idsOf(store->all<R>()), expected);

            // A record added after reopening still lands after the older ties.
            const R late = make<R>(keys[0]);
            QVERIFY(store->insert(late));
            const QList<QUuid> inMemory = idsOf(store->all<R>());
            if (kind == 1)
                QCOMPARE(inMemory.last(), late.id);
            else
                QCOMPARE(inMemory.indexOf(late.id), expected.indexOf(inserted[2]) + 1);
            store.reset();
            QCOMPARE(idsOf(openStore(path)->all<R>()), inMemory);
        });
    }

    void updateMovesEntry_data()
    {
        QTest::addColumn<int>("moved");
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QList<int>>("order");

        // Entries a, b, c, d inserted in that order at 3h, 2h, 2h and 1h.
        const QDateTime t = local(2024, 6, 1);
        QTest::newRow("to newest") << 3 << t.addSecs(5 * 3600) << QList<int>{3, 0, 1, 2};
        QTest::newRow("to oldest") << 0 << t << QList<int>{1, 2, 3, 0};
        QTest::newRow("onto a later-inserted tie") << 3 << t.addSecs(3 * 3600) << QList<int>{0, 3, 1, 2};
        QTest::newRow("onto an earlier-inserted tie") << 1 << t.addSecs(3600) << QList<int>{0, 2, 1, 3};
        QTest::newRow("one millisecond later")
            << 2 << t.addSecs(2 * 3600).addMSecs(1) << QList<int>{0, 2, 1, 3};
        QTest::newRow("same date") << 1 << t.addSecs(2 * 3600) << QList<int>{0, 1, 2, 3};
    }

    void updateMovesEntry()
    {
        QFETCH(int, moved);
        QFETCH(QDateTime, date);
        QFETCH(QList<int>, order);

        QTemporaryDir dir;
        const QString path = storePath(dir);
        auto store = openStore(path);
        QVERIFY(store);
        const QDateTime t = local(2024, 6, 1);
        QList<QUuid> ids;
        for (int hours : {3, 2, 2, 1}) {
            const LedgerEntry entry = make<LedgerEntry>(t.addSecs(hours * 3600));
            ids.append(entry.id);
            QVERIFY(store->insert(entry));
        }
        LedgerEntry changed = *store->find<LedgerEntry>(ids[moved]);
        changed.date = date;
        changed.note = u"改过"_s;
        QVERIFY(store->update(changed));

        QList<QUuid> expected;
        for (int i : order)
            expected.append(ids[i]);
        QCOMPARE(idsOf(store->entries()), expected);
        QCOMPARE(fields(*store->find<LedgerEntry>(ids[moved])), fields(changed));
        store.reset();
        store = openStore(path);
        QCOMPARE(idsOf(store->entries()), expected);
        QCOMPARE(fields(*store->find<LedgerEntry>(ids[moved])), fields(changed));
    }

    void followsRandomChanges_data()
    {
        QTest::addColumn<int>("kind");
        for (int kind : {0, 1, 3})
            QTest::newRow(kindName(kind)) << kind;
    }

    // Inserts, moves onto ties, removals and their undoing in random order: after each, every
    // held record is found by its id, and the order in memory is the order a fresh open reads.
    void followsRandomChanges()
    {
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = storePath(dir);
        forKind(kind, [&]<class R>() {
            auto store = openStore(path);
            QVERIFY(store);
            std::vector<ModelStore::Removed> undo;
            QObject::connect(store.get(), &ModelStore::recordsRemoved,
                             [&](const ModelStore::Removed &removed) { undo.push_back(removed); });
            QRandomGenerator random(5);
            const QDateTime t = local(2024, 3, 30, 12);
            const auto someKey = [&] { return t.addSecs(3600 * random.bounded(4)); };
            const auto held = [&] { return store->all<R>()[random.bounded(int(store->all<R>().size()))]; };
            QList<QUuid> before;
            // Every line handed to an import, to ask a reopened file about.
            std::vector<ModelStore::ImportRow> tried;
            quint64 changesBefore = store->changeCount<R>();
            for (int step = 0; step < 160; ++step) {
                if (step % 3 == 0) {
                    before = idsOf(store->all<R>());
                    changesBefore = store->changeCount<R>();
                }
                const int op =
                    store->all<R>().empty() ? 0 : random.bounded(std::is_same_v<R, LedgerEntry> ? 6 : 5);
                if constexpr (std::is_same_v<R, LedgerEntry>) {
                    if (op == 5) {
                        // A few lines, some on ties, some seen before or twice in the batch.
                        std::vector<ModelStore::ImportRow> rows;
                        for (int i = random.bounded(1, 4); i > 0; --i)
                            rows.push_back(
                                {make<R>(someKey(), step), u"csv"_s,
                                 random.bounded(3) ? QString::number(random.bounded(12)) : QString()});
                        QVERIFY(store->importEntries(rows));
                        tried.insert(tried.end(), rows.begin(), rows.end());
                    }
                }
                if (op == 0 || op == 1) {
                    QVERIFY(store->insert(make<R>(someKey(), step)));
                } else if (op == 2) {
                    R changed = held();
                    if constexpr (std::is_same_v<R, LedgerEntry> || std::is_same_v<R, SavingsDeposit>)
                        changed.date = someKey();
                    amountOf(changed) = step;
                    QVERIFY(store->update(changed));
                } else if (op == 3) {
                    ModelStore::Removal removal;
                    removal.add<R>(held().id);
                    removal.add<R>(held().id);
                    QVERIFY(store->remove(removal));
                } else if (op == 4 && !undo.empty()) {
                    // Refused when a line of a removed entry was imported again since.
                    bool reimported = false;
                    for (const ImportedId &id : undo.back().importIds())
                        reimported = reimported || store->isImported(id.source, id.transactionID);
                    QCOMPARE(store->restore(undo.back()), !reimported);
                    undo.pop_back();
                }
                for (const R &record : store->all<R>())
                    QCOMPARE(store->find<R>(record.id), &record);
                // What the store says the changes left in place is what they left in place.
                const QList<QUuid> now = idsOf(store->all<R>());
                const ModelStore::Unchanged left = store->unchangedSince<R>(changesBefore);
                const auto front =
                    qsizetype(std::min<size_t>(left.front, std::min(before.size(), now.size())));
                const auto back = qsizetype(std::min<size_t>(left.back, std::min(before.size(), now.size())));
                QCOMPARE(now.first(front), before.first(front));
                QCOMPARE(now.last(back), before.last(back));
                QVERIFY(!store->find<R>(QUuid::createUuid()));
                if (step % 20 == 19) {
                    auto fresh = openStore(path);
                    QVERIFY(fresh);
                    QCOMPARE(idsOf(fresh->all<R>()), idsOf(store->all<R>()));
                    for (const ModelStore::ImportRow &row : tried)
                        QCOMPARE(fresh->isImported(row), store->isImported(row));
                }
            }
        });
    }

    void possibleDuplicates_data()
    {
        QTest::addColumn<QString>("candidate"); // kind category amount local time, note after '|'
        QTest::addColumn<bool>("found");

        QTest::newRow("same day, other hour") << u"支出 餐饮 32.5 2024-03-09T20:15:00|午饭"_s << true;
        QTest::newRow("amount equal to the cent")
            << u"支出 其他 32.500001 2024-03-09T08:00:00|午饭"_s << true;
        QTest::newRow("a cent more") << u"支出 餐饮 32.51 2024-03-09T12:00:00|午饭"_s << false;
        QTest::newRow("next local day") << u"支出 餐饮 32.5 2024-03-10T00:00:00|午饭"_s << false;
        QTest::newRow("the other kind") << u"收入 餐饮 32.5 2024-03-09T12:00:00|午饭"_s << false;
        QTest::newRow("another note") << u"支出 餐饮 32.5 2024-03-09T12:00:00|晚饭"_s << false;
    }

    // A line without an id looks like a held entry on its local day, amount, kind and note.
    void possibleDuplicates()
    {
        QFETCH(QString, candidate);
        QFETCH(bool, found);
        LedgerEntry held = TestSupport::entryFrom(u"支出 餐饮 32.5 2024-03-09T00:30:00"_s);
        held.note = u"午饭"_s;
        const RecordSequence<LedgerEntry> entries(
            std::vector<LedgerEntry>{TestSupport::entryFrom(u"支出 餐饮 32.5 2024-03-08T23:59:00"_s), held});
        LedgerEntry line = TestSupport::entryFrom(candidate.section(u'|', 0, 0));
        line.note = candidate.section(u'|', 1);
        QCOMPARE(PossibleDuplicates(entries).match(line), found ? held.id : QUuid());
    }

    void changesPerKind_data()
    {
        QTest::addColumn<int>("kind");
        for (int kind = 0; kind < 7; ++kind)
            QTest::newRow(kindName(kind)) << kind;
    }

    // Insert, update and remove each signal their own kind once; unknown ids change nothing.
    void changesPerKind()
    {
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = storePath(dir);
        forKind(kind, [&]<class R>() {
            R record = make<R>(local(2024, 4, 1, 10));
            {
                auto store = openStore(path);
                ChangeSpies spies(store.get());
                QVERIFY(store->insert(record));
                QCOMPARE(spies.counts(), ChangeSpies::only(kind));

                spies.clear();
                amountOf(record) = 77.25;
                QVERIFY(store->update(record));
                QCOMPARE(spies.counts(), ChangeSpies::only(kind));
                QCOMPARE(store->all<R>().size(), size_t(1));
                QCOMPARE(store->all<R>().front().id, record.id);

                spies.clear();
                R stranger = make<R>(local(2024, 4, 2));
                QVERIFY(!store->update(stranger));
                QVERIFY(!store->remove<R>(stranger.id));
                QCOMPARE(spies.counts(), ChangeSpies::only(-1));
            }
            {
                auto store = openStore(path);
                QCOMPARE(store->all<R>().size(), size_t(1));
                QCOMPARE(fields(store->all<R>().front()), fields(record));
                ChangeSpies spies(store.get());
                QVERIFY(store->remove<R>(record.id));
                QCOMPARE(spies.counts(), ChangeSpies::only(kind));
                QVERIFY(store->all<R>().empty());
            }
            QVERIFY(openStore(path)->all<R>().empty());
        });
    }

    // A goal and its deposits go together; another goal's deposits and unknown ids are left
    // alone. Each kind that lost a record signals once; a kind that lost nothing stays quiet.
    void removalOfGoalWithDeposits()
    {
        QTemporaryDir dir;
        const QString path = storePath(dir);
        auto store = openStore(path);
        const SavingsGoal goal = make<SavingsGoal>(local(2024, 1, 1));
        const SavingsGoal other = make<SavingsGoal>(local(2024, 1, 2));
        QVERIFY(store->insert(goal));
        QVERIFY(store->insert(other));
        ModelStore::Removal removal;
        removal.add<SavingsGoal>(goal.id).add<SavingsGoal>(QUuid::createUuid());
        for (int i = 0; i < 3; ++i) {
            SavingsDeposit mine = make<SavingsDeposit>(local(2024, 2, 1 + i));
            mine.goalID = goal.id;
            SavingsDeposit theirs = make<SavingsDeposit>(local(2024, 2, 1 + i));
            theirs.goalID = other.id;
            QVERIFY(store->insert(mine));
            QVERIFY(store->insert(theirs));
            removal.add<SavingsDeposit>(mine.id);
        }
        removal.add<AssetAccount>(QUuid::createUuid());

        ChangeSpies spies(store.get());
        QVERIFY(store->remove(removal));
        QCOMPARE(spies.counts(), (QList<int>{0, 0, 1, 1, 0, 0, 0}));
        const auto check = [&](const ModelStore &s) {
            QCOMPARE(idsOf(s.savingsGoals()), QList<QUuid>{other.id});
            QCOMPARE(s.savingsDeposits().size(), size_t(3));
            for (const SavingsDeposit &d : s.savingsDeposits())
                QCOMPARE(d.goalID, other.id);
        };
        check(*store);
        store.reset();
        store = openStore(path);
        check(*store);
    }

    void durableBeforeReturn()
    {
        QTemporaryDir dir;
        const QString path = storePath(dir);
        auto store = openStore(path);
        const LedgerEntry entry = make<LedgerEntry>(local(2024, 8, 8), 0.1 + 0.2, u"奶茶🧋"_s);
        QVERIFY(store->insert(entry));
        const QByteArray where =
            " FROM \"LedgerEntry\" WHERE id = '" + entry.id.toByteArray(QUuid::WithoutBraces) + "'";
        QCOMPARE(peek(path, "SELECT note" + where), u"奶茶🧋"_s);
        QCOMPARE(peek(path, "SELECT amount = 0.1 + 0.2" + where), u"1"_s);
        QVERIFY(store->remove<LedgerEntry>(entry.id));
        QCOMPARE(peek(path, "SELECT count(*)" + where), u"0"_s);
    }

    void refusesFileThatIsNotOurs_data()
    {
        // The file holds `raw` if given; else `sql` is run on a new database, or on a store of
        // ours with one entry when `ours` is set.
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QByteArray>("sql");
        QTest::addColumn<bool>("ours");

        QByteArray noise(8192, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        const QByteArray foreign = "CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT);"
                                   "INSERT INTO notes (body) VALUES ('hello');";
        QTest::newRow("random bytes") << noise << QByteArray() << false;
        QTest::newRow("plain text") << u"账本：午餐 25 元\n"_s.toUtf8() << QByteArray() << false;
        QTest::newRow("foreign database") << QByteArray() << foreign << false;
        QTest::newRow("foreign database with our version number")
            << QByteArray() << foreign + "PRAGMA user_version = 10000;" << false;
        QTest::newRow("wrong user_version")
            << QByteArray() << QByteArray("PRAGMA user_version = 10001") << true;
        QTest::newRow("table missing a column")
            << QByteArray() << QByteArray("ALTER TABLE \"FixedAsset\" DROP COLUMN \"note\"") << true;
        QTest::newRow("table with an extra column")
            << QByteArray() << QByteArray("ALTER TABLE \"LedgerEntry\" ADD COLUMN \"tag\" TEXT") << true;
        QTest::newRow("no schema version record") << QByteArray() << QByteArray("DELETE FROM meta") << true;
        QTest::newRow("an id held twice, edited by hand")
            << QByteArray() << QByteArray("INSERT INTO \"LedgerEntry\" SELECT * FROM \"LedgerEntry\"")
            << true;
        QTest::newRow("an id held twice in upper and lower case")
            << QByteArray()
            << QByteArray("INSERT INTO \"LedgerEntry\" SELECT upper(\"id\"), \"amount\", \"date\", "
                          "\"kindRaw\", \"category\", \"note\", \"createdAt\" FROM \"LedgerEntry\"")
            << true;
    }

    void refusesFileThatIsNotOurs()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QByteArray, sql);
        QFETCH(bool, ours);
        QTemporaryDir dir;
        const QString path = storePath(dir);

        if (!raw.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(raw), qint64(raw.size()));
        } else {
            if (ours) {
                auto store = openStore(path);
                QVERIFY(store);
                QVERIFY(store->insert(make<LedgerEntry>(local(2024, 1, 1))));
            }
            SqliteDatabase db;
            QVERIFY(db.open(path));
            QVERIFY2(db.exec(sql), qPrintable(db.lastError()));
        }
        QVERIFY(!QFile::exists(path + u"-wal"_s));

        // Backdated, so that any write at all would show in the modification time.
        const QDateTime backdated = QDateTime::fromSecsSinceEpoch(1577934245);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(backdated, QFileDevice::FileModificationTime));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        QString error;
        QVERIFY(!ModelStore::open(path, &error));
        QVERIFY2(error.contains(path), qPrintable(error));

        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == before);
        QCOMPARE(QFileInfo(path).lastModified(), backdated);
        QVERIFY(!QFile::exists(path + u"-wal"_s));
        QVERIFY(!QFile::exists(path + u"-shm"_s));
    }

    // What the screen shows is what comes back after a restart: every text field of every
    // kind, with awkward notes.
    void awkwardTextReadsBackAsShown_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");

        const QString replacement(QChar::ReplacementCharacter);
        const auto units = [](std::initializer_list<char16_t> u) {
            return QString(reinterpret_cast<const QChar *>(u.begin()), qsizetype(u.size()));
        };
        QTest::newRow("lone high surrogate before letters")
            << units({0xD83D, u'A', u'B'}) << replacement + u"AB"_s;
        QTest::newRow("lone low surrogate") << units({u'x', 0xDC41, u'y'}) << u"x"_s + replacement + u"y"_s;
        QTest::newRow("high surrogate at the end") << units({u'a', 0xD800}) << u"a"_s + replacement;
        QTest::newRow("two high surrogates then a low one")
            << units({0xD83D, 0xD83D, 0xDE00}) << replacement + u"😀"_s;
        QTest::newRow("NUL inside") << units({u'a', 0, u'b', 0}) << units({u'a', 0, u'b', 0});
        QTest::newRow("control characters")
            << u"\x01\x07\b\t\r\n\x1b[31m\x7f\u0085\u2028"_s << u"\x01\x07\b\t\r\n\x1b[31m\x7f\u0085\u2028"_s;
        QTest::newRow("emoji sequences")
            << u"👨‍👩‍👧‍👦 🏳️‍🌈 👍🏽 🇨🇳 #️⃣"_s
            << u"👨‍👩‍👧‍👦 🏳️‍🌈 👍🏽 🇨🇳 #️⃣"_s;
        QTest::newRow("SQL-like text")
            << u"'); DROP TABLE \"LedgerEntry\"; --"_s << u"'); DROP TABLE \"LedgerEntry\"; --"_s;
        const QString million = u"账"_s.repeated(500000) + u"b"_s.repeated(500000);
        QTest::newRow("a million characters") << million << million;
    }

    void awkwardTextReadsBackAsShown()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QString path = storePath(dir);
        std::array<QStringList, 7> inMemory;
        {
            auto store = openStore(path);
            QVERIFY(store);
            for (int kind = 0; kind < 7; ++kind) {
                forKind(kind, [&]<class R>() {
                    const R record = make<R>(local(2024, 3, 1), 10, text);
                    QVERIFY(store->insert(record));
                    inMemory[kind] = fields(*store->find<R>(record.id));
                    QVERIFY(inMemory[kind].contains(shown));
                    // An update writes the same text again.
                    QVERIFY(store->update(record));
                    QCOMPARE(fields(*store->find<R>(record.id)), inMemory[kind]);
                });
            }
        }
        auto reopened = openStore(path);
        QVERIFY(reopened);
        for (int kind = 0; kind < 7; ++kind)
            forKind(kind, [&]<class R>() { QCOMPARE(fields(reopened->all<R>().front()), inMemory[kind]); });
    }

    void insertRefusesHeldId_data()
    {
        QTest::addColumn<int>("kind");
        for (int kind = 0; kind < 7; ++kind)
            QTest::newRow(kindName(kind)) << kind;
    }

    // A second record with a held id is refused; the file keeps one row, so a later update
    // changes exactly that one and reports success truthfully.
    void insertRefusesHeldId()
    {
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = storePath(dir);
        forKind(kind, [&]<class R>() {
            auto store = openStore(path);
            R record = make<R>(local(2024, 5, 1));
            QVERIFY(store->insert(record));
            QSignalSpy failures(store.get(), &ModelStore::writeFailed);
            R twin = make<R>(local(2024, 5, 2), 99);
            twin.id = record.id;
            QVERIFY(!store->insert(twin));
            QCOMPARE(failures.count(), 1);
            QCOMPARE(store->all<R>().size(), size_t(1));
            amountOf(record) = 55;
            QVERIFY(store->update(record));
            QCOMPARE(peek(path, "SELECT count(*) FROM \"" + QByteArray(kindName(kind)) + "\""), u"1"_s);
            store.reset();
            store = openStore(path);
            QVERIFY(store);
            QCOMPARE(fields(store->all<R>().front()), fields(record));
        });
    }

    void writeTouchingOtherRowsRollsBack_data()
    {
        QTest::addColumn<QString>("operation");
        for (const char *op : {"insert", "update", "remove", "removal"})
            QTest::newRow(op) << QString::fromLatin1(op);
    }

    // Another program adds a second row with a held id while the store is open: a change that
    // would touch both rows is rolled back and reported, and the file keeps both as they were.
    void writeTouchingOtherRowsRollsBack()
    {
        QFETCH(QString, operation);
        QTemporaryDir dir;
        const QString path = storePath(dir);
        auto store = openStore(path);
        const LedgerEntry entry = make<LedgerEntry>(local(2024, 9, 1), 10);
        const LedgerEntry outsider = make<LedgerEntry>(local(2024, 9, 2), 20);
        QVERIFY(store->insert(entry));
        {
            SqliteDatabase other;
            QVERIFY(other.open(path));
            QVERIFY(other.exec("INSERT INTO \"LedgerEntry\" SELECT * FROM \"LedgerEntry\""));
            QVERIFY(other.exec("INSERT INTO \"LedgerEntry\" (\"id\", \"amount\", \"date\", \"kindRaw\", "
                               "\"category\", \"note\", \"createdAt\") VALUES ('" +
                               outsider.id.toByteArray(QUuid::WithoutBraces) +
                               "', 1, 0, 'income', 'x', 'x', 0)"));
        }
        ChangeSpies spies(store.get());
        QSignalSpy failures(store.get(), &ModelStore::writeFailed);
        LedgerEntry changed = entry;
        changed.amount = 99;
        bool done = true;
        if (operation == u"insert")
            done = store->insert(outsider);
        else if (operation == u"update")
            done = store->update(changed);
        else if (operation == u"remove")
            done = store->remove<LedgerEntry>(entry.id);
        else
            done = store->remove(
                ModelStore::Removal().add<LedgerEntry>(QUuid::createUuid()).add<LedgerEntry>(entry.id));
        QVERIFY(!done);
        QCOMPARE(failures.count(), 1);
        QCOMPARE(spies.counts(), ChangeSpies::only(-1));
        QCOMPARE(fields(store->entries().front()), fields(entry));
        const QByteArray where =
            " FROM \"LedgerEntry\" WHERE \"id\" = '" + entry.id.toByteArray(QUuid::WithoutBraces) + "'";
        QCOMPARE(peek(path, "SELECT count(*)" + where), u"2"_s);
        QCOMPARE(peek(path, "SELECT count(*)" + where + " AND \"amount\" = 10"), u"2"_s);
    }

    // A row that another program removed from the file cannot be updated: the store says so
    // instead of showing a change that is not on disk.
    void updateOfRowGoneFromFileFails()
    {
        QTemporaryDir dir;
        const QString path = storePath(dir);
        auto store = openStore(path);
        const LedgerEntry entry = make<LedgerEntry>(local(2024, 9, 1), 10);
        QVERIFY(store->insert(entry));
        {
            SqliteDatabase other;
            QVERIFY(other.open(path));
            QVERIFY(other.exec("DELETE FROM LedgerEntry"));
        }
        QSignalSpy failures(store.get(), &ModelStore::writeFailed);
        LedgerEntry changed = entry;
        amountOf(changed) = 99;
        QVERIFY(!store->update(changed));
        QCOMPARE(failures.count(), 1);
        QCOMPARE(fields(store->entries().front()), fields(entry));
    }

    void writeFailureChangesNothing_data()
    {
        QTest::addColumn<QString>("operation");
        for (const char *op : {"insert", "update", "remove", "removal"})
            QTest::newRow(op) << QString::fromLatin1(op);
    }

    // Another connection holds the write lock; the store's write fails at once (SQLITE_BUSY).
    void writeFailureChangesNothing()
    {
        QFETCH(QString, operation);
        QTemporaryDir dir;
        const QString path = storePath(dir);
        auto store = openStore(path);
        const LedgerEntry entry = make<LedgerEntry>(local(2024, 9, 1), 10);
        QVERIFY(store->insert(entry));

        auto blocker = std::make_unique<SqliteDatabase>();
        QVERIFY(blocker->open(path));
        QVERIFY2(blocker->exec("BEGIN EXCLUSIVE"), qPrintable(blocker->lastError()));

        ChangeSpies spies(store.get());
        QSignalSpy failures(store.get(), &ModelStore::writeFailed);
        LedgerEntry changed = entry;
        amountOf(changed) = 99;
        bool done = true;
        if (operation == u"insert")
            done = store->insert(make<LedgerEntry>(local(2024, 9, 2)));
        else if (operation == u"update")
            done = store->update(changed);
        else if (operation == u"remove")
            done = store->remove<LedgerEntry>(entry.id);
        else
            done = store->remove(ModelStore::Removal().add<LedgerEntry>(entry.id));
        QVERIFY(!done);
        QCOMPARE(failures.count(), 1);
        QVERIFY2(failures.at(0).at(0).toString().contains(path), qPrintable(failures.at(0).at(0).toString()));
        QCOMPARE(spies.counts(), ChangeSpies::only(-1));
        QCOMPARE(idsOf(store->entries()), QList<QUuid>{entry.id});
        QCOMPARE(fields(store->entries().front()), fields(entry));

        // Once the lock is gone the store writes again.
        QVERIFY(blocker->exec("ROLLBACK"));
        blocker.reset();
        const LedgerEntry later = make<LedgerEntry>(local(2024, 9, 3));
        QVERIFY(store->insert(later));
        store.reset();
        store = openStore(path);
        QCOMPARE(idsOf(store->entries()), (QList<QUuid>{later.id, entry.id}));
        QCOMPARE(fields(*store->find<LedgerEntry>(entry.id)), fields(entry));
    }
};

PENNYLOOM_TEST(ModelStoreTest)
#include "tst_ModelStore.moc"
