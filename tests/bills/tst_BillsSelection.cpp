// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "bills/BillsSelection.h"
#include "store/ModelStore.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

class BillsSelectionTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(local(2024, 4, 10, 9)));
        m_orders.clear();
        for (int day = 1; day <= 3; ++day)
            m_orders.push_back(add(LedgerEntry(30 + day, local(2024, 4, day, 12), EntryKind::expense,
                                               u"其它"_s, u"美团订单"_s)));
        m_metro = add(LedgerEntry(6, local(2024, 4, 4, 8), EntryKind::expense, u"交通"_s, u"地铁"_s));
        m_salary = add(LedgerEntry(8000, local(2024, 4, 5, 9), EntryKind::income, u"工资"_s, u"工资"_s));
    }
    void cleanup() { closeStore(); }

    void figures_data()
    {
        QTest::addColumn<QString>("chosen"); // o: the orders, m: metro, s: salary
        QTest::addColumn<bool>("canSetCategory");
        QTest::addColumn<QString>("merchant");

        QTest::newRow("one merchant") << u"ooo"_s << true << u"美团订单"_s;
        QTest::newRow("two merchants") << u"oom"_s << true << QString();
        QTest::newRow("both kinds") << u"os"_s << false << QString();
        QTest::newRow("nothing") << QString() << false << QString();
    }
    void figures()
    {
        QFETCH(QString, chosen);
        BillsSelection selection(*m_store);
        selection.setEntries(pick(chosen));
        QCOMPARE(selection.count(), chosen.size());
        QCOMPARE(selection.countText(), u"已选 %1 笔"_s.arg(chosen.size()));
        QTEST(selection.canSetCategory(), "canSetCategory");
        QTEST(selection.sharedMerchant(), "merchant");
        QFETCH(QString, merchant);
        QCOMPARE(selection.ruleOffer(u"外卖"_s),
                 merchant.isEmpty() ? QString() : u"以后 %1 都记为 外卖"_s.arg(merchant));
    }

    // One write for all of them, kept in the file, with the rule when asked for; the store
    // reports the entries as they were, for the undo step.
    void setCategoryOnAll()
    {
        BillsSelection selection(*m_store);
        selection.setEntries(pick(u"ooo"_s));
        QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
        QSignalSpy updated(m_store.get(), &ModelStore::entriesUpdated);
        QVERIFY(selection.setCategory(u"外卖"_s, true));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(updated.count(), 1);
        const auto before = updated.at(0).at(0).value<std::vector<LedgerEntry>>();
        QCOMPARE(before.size(), size_t(3));
        QCOMPARE(before.front().category, u"其它"_s);

        closeAndReopen();
        for (const LedgerEntry &order : m_orders)
            QCOMPARE(m_store->find<LedgerEntry>(order.id)->category, u"外卖"_s);
        QCOMPARE(m_store->categoryRules(),
                 (std::vector<CategoryRule>{{u"美团订单"_s, u"支出"_s, u"外卖"_s}}));
        QCOMPARE(m_store->find<LedgerEntry>(m_metro.id)->category, u"交通"_s);
    }

    void refusedChanges_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("entryGone");

        QTest::newRow("a category of the other kind") << u"oo"_s << u"工资"_s << false;
        QTest::newRow("both kinds") << u"os"_s << u"外卖"_s << false;
        QTest::newRow("an entry deleted meanwhile: none changes") << u"oom"_s << u"外卖"_s << true;
    }
    void refusedChanges()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, category);
        QFETCH(bool, entryGone);
        BillsSelection selection(*m_store);
        selection.setEntries(pick(chosen));
        if (entryGone)
            QVERIFY(m_store->remove<LedgerEntry>(m_metro.id));
        QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
        QVERIFY(!selection.setCategory(category, true));
        QCOMPARE(changed.count(), 0);
        closeAndReopen();
        for (const LedgerEntry &order : m_orders)
            QCOMPARE(m_store->find<LedgerEntry>(order.id)->category, u"其它"_s);
        QVERIFY(m_store->categoryRules().empty());
    }

    void removeAllIsOneRemoval()
    {
        BillsSelection selection(*m_store);
        selection.setEntries(pick(u"ooom"_s));
        QSignalSpy removed(m_store.get(), &ModelStore::recordsRemoved);
        QVERIFY(selection.removeAll());
        QCOMPARE(removed.count(), 1);
        closeAndReopen();
        QCOMPARE(m_store->entries().size(), size_t(1));
    }

private:
    std::vector<LedgerEntry> pick(const QString &chosen) const
    {
        std::vector<LedgerEntry> entries;
        int order = 0;
        for (const QChar c : chosen)
            entries.push_back(c == u'o' ? m_orders.at(order++) : c == u'm' ? m_metro : m_salary);
        return entries;
    }
    void closeAndReopen()
    {
        m_store.reset();
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
    }

    std::vector<LedgerEntry> m_orders;
    LedgerEntry m_metro;
    LedgerEntry m_salary;
};

PENNYLOOM_TEST(BillsSelectionTest)
#include "tst_BillsSelection.moc"
