// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::at;

namespace {

// Rent of 25 every day at 09:00 from 1 March 2024.
RecurringRule dailyRent()
{
    RecurringRule rule(25, EntryKind::expense, u"房租"_s, u"每月房租"_s, QDate(2024, 3, 1));
    rule.repeat = RecurringRule::Repeat::daily;
    rule.timeOfDay = QTime(9, 0);
    return rule;
}

} // namespace

class RecurringStoreTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(at(u"2024-03-01T08:00:00"_s))); }
    void cleanup() { closeStore(); }

    void writesEachOccurrenceOnce_data();
    void writesEachOccurrenceOnce();
    void anotherWriterClaimsFirst_data();
    void anotherWriterClaimsFirst();
    void rulesSurviveReopen();
    void removedRuleComesBack_data();
    void removedRuleComesBack();

private:
    void reopen()
    {
        m_store.reset();
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
    }
};

void RecurringStoreTest::writesEachOccurrenceOnce_data()
{
    // Steps, one a line: "run <local time> <entries written>", "delete <day of an entry>",
    // "reopen", "remove rule"; the rule is the daily rent at 09:00 from 2024-03-01.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("entries"); // in the store at the end, also after reopening

    QTest::newRow("a closed week catches up, today's once its time has come")
        << QStringList{u"run 2024-03-08T08:59 7"_s, u"run 2024-03-08T09:00 1"_s} << 8;
    QTest::newRow("running again writes nothing, also after reopening")
        << QStringList{u"run 2024-03-08T10:00 8"_s, u"run 2024-03-08T10:00 0"_s, u"reopen"_s,
                       u"run 2024-03-08T10:00 0"_s}
        << 8;
    QTest::newRow("a deleted occurrence does not come back")
        << QStringList{u"run 2024-03-08T10:00 8"_s, u"delete 2024-03-03"_s, u"run 2024-03-08T10:00 0"_s,
                       u"reopen"_s, u"run 2024-03-09T10:00 1"_s}
        << 8;
    QTest::newRow("a clock set back a day writes nothing and loses nothing")
        << QStringList{u"run 2024-03-08T10:00 8"_s, u"run 2024-03-07T10:00 0"_s, u"run 2024-03-09T10:00 1"_s}
        << 9;
    QTest::newRow("removing the rule keeps its entries")
        << QStringList{u"run 2024-03-08T10:00 8"_s, u"remove rule"_s, u"reopen"_s,
                       u"run 2024-03-20T10:00 0"_s}
        << 8;
}

void RecurringStoreTest::writesEachOccurrenceOnce()
{
    QFETCH(QStringList, steps);
    QFETCH(int, entries);
    const RecurringRule rule = dailyRent();
    QVERIFY(m_store->insertRecurringRule(rule));
    for (const QString &step : steps) {
        const QStringList words = step.split(u' ');
        if (words[0] == u"run"_s) {
            QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
            QSignalSpy written(m_store.get(), &ModelStore::occurrencesWritten);
            const std::optional<std::vector<QUuid>> ids = m_store->writeDueOccurrences(at(words[1]));
            QVERIFY2(ids, qPrintable(step));
            QCOMPARE(int(ids->size()), words[2].toInt());
            QCOMPARE(changed.size(), ids->empty() ? 0 : 1);
            QCOMPARE(written.size(), ids->empty() ? 0 : 1);
            for (const QUuid &id : *ids) {
                const LedgerEntry *entry = m_store->find<LedgerEntry>(id);
                QVERIFY(entry);
                // Dated its day at the rule's wall-clock time.
                QCOMPARE(entry->date.toLocalTime().time(), QTime(9, 0));
                QVERIFY(m_store->hasOccurrence(rule.id, entry->date.toLocalTime().date()));
            }
        } else if (words[0] == u"delete"_s) {
            const QDate day = QDate::fromString(words[1], Qt::ISODate);
            const auto found =
                std::find_if(m_store->entries().begin(), m_store->entries().end(),
                             [&](const LedgerEntry &e) { return e.date.toLocalTime().date() == day; });
            QVERIFY(found != m_store->entries().end());
            QVERIFY(m_store->remove<LedgerEntry>(found->id));
        } else if (words[0] == u"reopen"_s) {
            reopen();
        } else if (step == u"remove rule"_s) {
            QVERIFY(m_store->removeRecurringRule(rule.id));
            QVERIFY(m_store->recurringRules().empty());
        } else {
            QFAIL(qPrintable(u"unknown step "_s + step));
        }
    }
    QCOMPARE(int(m_store->entries().size()), entries);
    reopen();
    QCOMPARE(int(m_store->entries().size()), entries);
}

void RecurringStoreTest::anotherWriterClaimsFirst_data()
{
    // How the other process comes in: a second store on the file, as the command line opens it
    // when no window answers, or a bare key written into the file.
    QTest::addColumn<bool>("secondStore");
    QTest::newRow("a second store on the same file") << true;
    QTest::newRow("a key already in the file") << false;
}

// The key in the file, not this store's memory, decides who writes an occurrence.
void RecurringStoreTest::anotherWriterClaimsFirst()
{
    QFETCH(bool, secondStore);
    const RecurringRule rule = dailyRent();
    QVERIFY(m_store->insertRecurringRule(rule));
    const QDateTime now = at(u"2024-03-05T10:00:00"_s);
    QString error;
    if (secondStore) {
        std::unique_ptr<ModelStore> other = ModelStore::open(m_store->path(), &error);
        QVERIFY2(other, qPrintable(error));
        QCOMPARE(other->writeDueOccurrences(now)->size(), size_t(5));
    } else {
        SqliteDatabase db;
        QVERIFY(db.open(m_store->path()));
        QVERIFY(db.exec("INSERT INTO \"RecurringOccurrence\" VALUES ('" +
                        rule.id.toString(QUuid::WithoutBraces).toLatin1() + "', '2024-03-03', '" +
                        QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "')"));
    }
    const std::optional<std::vector<QUuid>> ids = m_store->writeDueOccurrences(now);
    QVERIFY(ids);
    QCOMPARE(ids->size(), size_t(secondStore ? 0 : 4));
    QVERIFY(m_store->hasOccurrence(rule.id, QDate(2024, 3, 3)));
    reopen();
    QCOMPARE(m_store->entries().size(), size_t(secondStore ? 5 : 4));
    QCOMPARE(m_store->writeDueOccurrences(now)->size(), size_t(0));
}

void RecurringStoreTest::rulesSurviveReopen()
{
    RecurringRule salary(8000.5, EntryKind::income, u"工资"_s, u"月薪"_s, QDate(2024, 1, 31));
    salary.monthDay = 31;
    salary.timeOfDay = QTime(18, 30, 15);
    salary.lastDay = QDate(2024, 12, 31);
    RecurringRule gym(3.5, EntryKind::expense, u"运动"_s, QString(), QDate(2024, 2, 29));
    gym.repeat = RecurringRule::Repeat::everyNDays;
    gym.interval = 3;
    gym.count = 10;
    RecurringRule broken = gym;
    broken.id = QUuid::createUuid();
    broken.interval = 0;
    QVERIFY(m_store->insertRecurringRule(salary));
    QVERIFY(m_store->insertRecurringRule(gym));
    QVERIFY(!m_store->insertRecurringRule(gym));
    QVERIFY(!m_store->insertRecurringRule(broken));
    gym.repeat = RecurringRule::Repeat::yearly;
    gym.month = 2;
    gym.monthDay = 29;
    QVERIFY(m_store->updateRecurringRule(gym));
    QVERIFY(!m_store->updateRecurringRule(broken));
    reopen();
    const std::vector<RecurringRule> &held = m_store->recurringRules();
    QCOMPARE(held.size(), size_t(2));
    const auto fields = [](const RecurringRule &r) {
        return QVariantList{r.id,
                            r.amount,
                            r.kindRaw,
                            r.category,
                            r.note,
                            r.timeOfDay,
                            RecurringRule::repeatRaw(r.repeat),
                            r.interval,
                            r.weekday,
                            r.month,
                            r.monthDay,
                            r.firstDay,
                            r.lastDay ? QVariant(*r.lastDay) : QVariant(),
                            r.count ? QVariant(*r.count) : QVariant(),
                            r.createdAt.toMSecsSinceEpoch()};
    };
    QCOMPARE(fields(held[0]), fields(salary));
    QCOMPARE(fields(held[1]), fields(gym));
    QVERIFY(m_store->removeRecurringRule(salary.id));
    QVERIFY(!m_store->removeRecurringRule(salary.id));
    reopen();
    QCOMPARE(m_store->recurringRules().size(), size_t(1));
}

void RecurringStoreTest::removedRuleComesBack_data()
{
    // What happens between the removal and the restore: "" nothing, "new" a rule made (it may
    // take the removed rule's row), "held" the removed rule put back already.
    QTest::addColumn<QString>("between");
    QTest::addColumn<bool>("restored");
    QTest::newRow("at once") << QString() << true;
    QTest::newRow("after a newer rule took its row") << u"new"_s << true;
    QTest::newRow("held again") << u"held"_s << false;
}

// A removed rule is one removal like any record's: restore puts it back at its place in the
// order, in memory and in the file, and its days are still written.
void RecurringStoreTest::removedRuleComesBack()
{
    QFETCH(QString, between);
    QFETCH(bool, restored);
    RecurringRule first = dailyRent();
    RecurringRule last(8000, EntryKind::income, u"工资"_s, QString(), QDate(2024, 3, 10));
    QVERIFY(m_store->insertRecurringRule(first) && m_store->insertRecurringRule(last));
    QCOMPARE(m_store->writeDueOccurrences(at(u"2024-03-03T10:00:00"_s))->size(), size_t(3));
    std::optional<ModelStore::Removed> removed;
    connect(m_store.get(), &ModelStore::recordsRemoved, this,
            [&removed](const ModelStore::Removed &r) { removed = r; });

    // Removed in the opposite order to the file's.
    QVERIFY(m_store->remove(ModelStore::Removal().addRecurringRule(last.id).addRecurringRule(first.id)));
    QVERIFY(m_store->recurringRules().empty());
    QVERIFY(removed);
    QCOMPARE(removed->count(), 2);
    std::vector<QUuid> order{first.id, last.id};
    if (between == u"new"_s) {
        const RecurringRule newer(12, EntryKind::expense, u"餐饮"_s, QString(), QDate(2024, 4, 2));
        QVERIFY(m_store->insertRecurringRule(newer));
        // It took the first rule's row: the last comes back in its own, the first after it.
        order = {newer.id, last.id, first.id};
    } else if (between == u"held"_s) {
        QVERIFY(m_store->restore(*removed));
    }
    QCOMPARE(m_store->restore(*removed), restored);
    const auto ids = [this] {
        std::vector<QUuid> held;
        for (const RecurringRule &rule : m_store->recurringRules())
            held.push_back(rule.id);
        return held;
    };
    if (restored)
        QCOMPARE(ids(), order);
    QVERIFY(m_store->hasOccurrence(first.id, QDate(2024, 3, 3)));
    QCOMPARE(m_store->writeDueOccurrences(at(u"2024-03-03T10:00:00"_s))->size(), size_t(0));
    reopen();
    QCOMPARE(ids(), order);
}

PENNYLOOM_TEST(RecurringStoreTest)
#include "tst_RecurringStore.moc"
