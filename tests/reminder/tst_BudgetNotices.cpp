// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/Budget.h"
#include "reminder/BudgetNotices.h"
#include "store/ModelStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

// Which notices go out as entries come and go, against one month budget of ¥100 for 餐饮.
class BudgetNoticesTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(local(2024, 4, 10, 12)));
        m_budget = Budget(u"餐饮"_s, 100, local(2024, 4, 10));
        QVERIFY(m_store->insert(m_budget));
        m_settings = std::make_unique<QSettings>(m_dir->filePath(u"settings.conf"_s), QSettings::IniFormat);
        BudgetNotices::setEnabled(*m_settings, true);
    }

    void cleanup()
    {
        m_settings.reset();
        closeStore();
    }

    void crossing_data()
    {
        QTest::addColumn<double>("before");
        QTest::addColumn<double>("added");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("within") << 0.0 << 80.0 << QStringList();
        QTest::newRow("past 80 %") << 0.0 << 85.5 << QStringList{u"餐饮预算已用 85%"_s};
        QTest::newRow("past 80 % already") << 85.0 << 5.0 << QStringList();
        QTest::newRow("past 100 % from within says only that")
            << 50.0 << 70.0 << QStringList{u"餐饮预算已超支 ¥20.00"_s};
        QTest::newRow("past 100 % from past 80 %") << 90.0 << 10.01 << QStringList{u"餐饮预算已超支 ¥0.01"_s};
        QTest::newRow("another category") << 0.0 << -90.0 << QStringList();
    }

    // An amount below 0 stands for an expense of another category.
    void crossing()
    {
        QFETCH(double, before);
        QFETCH(double, added);
        QFETCH(QStringList, told);
        if (before > 0)
            add(LedgerEntry(before, local(2024, 4, 2, 12), EntryKind::expense, u"餐饮"_s));
        QStringList sent;
        BudgetNotices notices(*m_settings, [&sent](const ReminderRequest &notice) { sent << notice.body; });
        const BudgetNotices::Levels levels = BudgetNotices::levels(*m_store, local(2024, 4, 10, 12));
        add(LedgerEntry(std::abs(added), local(2024, 4, 9, 12), EntryKind::expense,
                        added > 0 ? u"餐饮"_s : u"交通"_s));
        QCOMPARE(notices.notice(*m_store, levels, local(2024, 4, 10, 12)), told);
        QCOMPARE(sent, told);
    }

    // Once per row, period and line, across a restart; nothing while the switch is off; a budget
    // moved to other days is a new period.
    void toldOnce()
    {
        QStringList sent;
        const auto notices = [this, &sent] {
            return BudgetNotices(*m_settings,
                                 [&sent](const ReminderRequest &notice) { sent << notice.body; });
        };
        const QDateTime now = local(2024, 4, 10, 12);
        add(LedgerEntry(85, local(2024, 4, 9, 12), EntryKind::expense, u"餐饮"_s));
        BudgetNotices::setEnabled(*m_settings, false);
        QVERIFY(notices().notice(*m_store, {}, now).isEmpty());
        BudgetNotices::setEnabled(*m_settings, true);
        QCOMPARE(notices().notice(*m_store, {}, now), QStringList{u"餐饮预算已用 85%"_s});
        QVERIFY(notices().notice(*m_store, {}, now).isEmpty());
        // What was sent is in the file, not in the object.
        m_settings = std::make_unique<QSettings>(m_dir->filePath(u"settings.conf"_s), QSettings::IniFormat);
        QVERIFY(notices().notice(*m_store, {}, now).isEmpty());

        Budget moved = m_budget;
        moved.periodStart = local(2024, 4, 1);
        moved.periodEnd = local(2024, 4, 30);
        QVERIFY(m_store->update(moved));
        QCOMPARE(notices().notice(*m_store, {}, now), QStringList{u"餐饮预算已用 85%"_s});
        QCOMPARE(sent.size(), 2);
    }

private:
    Budget m_budget;
    std::unique_ptr<QSettings> m_settings;
};

PENNYLOOM_TEST(BudgetNoticesTest)
#include "tst_BudgetNotices.moc"
