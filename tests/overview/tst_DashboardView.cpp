// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardFixtures.h"
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "overview/AssistantCard.h"
#include "overview/BalanceCard.h"
#include "overview/BudgetSummaryView.h"
#include "overview/DashboardView.h"
#include "store/ModelStore.h"
#include "ui/EntryRow.h"
#include "ui/Palette.h"
#include "ui/UsageBar.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;
using namespace DashboardFixtures;

class DashboardViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void headerButtonsOpenSheets_data();
    void headerButtonsOpenSheets();
    void manageAsksForBudgets();
    void followsTheStore();
    void screens_data();
    void screens();

private:
    QPushButton *button(const QString &text) const;

    std::unique_ptr<DailyTotals> m_totals;
    std::unique_ptr<DashboardView> m_view;
};

void DashboardViewTest::init()
{
    QVERIFY(openStore(fixedNow()));
    m_totals = std::make_unique<DailyTotals>(*m_store);
    m_view = std::make_unique<DashboardView>(*m_store, *m_totals);
    m_view->resize(1100, 820);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void DashboardViewTest::cleanup()
{
    m_view.reset();
    m_totals.reset();
    closeStore();
}

QPushButton *DashboardViewTest::button(const QString &text) const
{
    for (QPushButton *candidate : m_view->findChildren<QPushButton *>()) {
        if (candidate->accessibleName() == text && candidate->isVisible())
            return candidate;
    }
    return nullptr;
}

void DashboardViewTest::headerButtonsOpenSheets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("add");

    QTest::newRow("记一笔") << u"记一笔"_s << true;
    QTest::newRow("大白话记账") << u"大白话记账"_s << false;
}

void DashboardViewTest::headerButtonsOpenSheets()
{
    QFETCH(QString, text);
    QFETCH(bool, add);

    QSignalSpy addAsked(m_view.get(), &DashboardView::addRequested);
    QSignalSpy smartAsked(m_view.get(), &DashboardView::smartEntryRequested);
    QPushButton *pressed = button(text);
    QVERIFY(pressed);
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(addAsked.count(), add ? 1 : 0);
    QCOMPARE(smartAsked.count(), add ? 0 : 1);
}

void DashboardViewTest::manageAsksForBudgets()
{
    QSignalSpy requested(m_view.get(), &DashboardView::manageBudgetsRequested);
    QPushButton *manage = button(u"管理"_s);
    QVERIFY(manage);
    QTest::mouseClick(manage, Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
}

void DashboardViewTest::followsTheStore()
{
    QLabel *balance = m_view->balanceCard()->balanceLabel();
    QVERIFY(m_store->insert(monthBudget(u"餐饮"_s, 3000)));
    QCOMPARE(balance->text(), u"¥3,000.00"_s);

    const LedgerEntry dinner = expense(2400, local(2024, 3, 20, 9, 0));
    QVERIFY(m_store->insert(dinner));
    QCOMPARE(balance->text(), u"¥600.00"_s);
    QCOMPARE(m_view->assistantCard()->messageLabel()->text(), u"本月预算已使用 80%，余额需要精打细算。"_s);
    QCOMPARE(m_view->recentRows().size(), std::size_t(1));
    QCOMPARE(m_view->recentRows().front()->entry().id, dinner.id);

    QVERIFY(m_store->remove<LedgerEntry>(dinner.id));
    QCOMPARE(balance->text(), u"¥3,000.00"_s);
    QVERIFY(m_view->recentRows().empty());
}

void DashboardViewTest::screens_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<Budget>>("budgets");
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("title");

    QTest::newRow("no budget") << u"dashboard-no-budget"_s << QList<Budget>() << u"-¥1,801.50"_s
                               << u"2024年3月"_s;
    QTest::newRow("period") << u"dashboard-period"_s
                            << QList<Budget>{periodBudget(u"餐饮"_s, 1500), periodBudget(u"购物"_s, 500),
                                             periodBudget(u"交通"_s, 300), periodBudget(u"日用"_s, 1200)}
                            << u"¥1,698.50"_s << u"预算周期 3月15日—4月14日"_s;
    QTest::newRow("over budget") << u"dashboard-over-budget"_s
                                 << QList<Budget>{monthBudget(u"餐饮"_s, 80), monthBudget(u"购物"_s, 400),
                                                  monthBudget(u"话费"_s, 0)}
                                 << u"-¥1,321.50"_s << u"2024年3月"_s;
}

// The three states of the screen, pictured for a look when PENNYLOOM_SCREENSHOT_DIR is set.
void DashboardViewTest::screens()
{
    QFETCH(QString, name);
    QFETCH(QList<Budget>, budgets);
    QFETCH(QString, balance);
    QFETCH(QString, title);

    QVERIFY(m_store->insert(expense(86.5, local(2024, 3, 19, 12, 10))));
    QVERIFY(m_store->insert(expense(420, local(2024, 3, 17, 15, 0), u"购物"_s)));
    QVERIFY(m_store->insert(income(12000, local(2024, 3, 15, 9, 0))));
    QVERIFY(m_store->insert(
        LedgerEntry(35, local(2024, 3, 20, 8, 20), EntryKind::expense, u"交通"_s, u"打车上班"_s)));
    QVERIFY(m_store->insert(expense(1260, local(2024, 3, 16, 11, 0), u"日用"_s)));
    QVERIFY(m_store->insert(expense(19.9, local(2024, 2, 29, 21, 0), u"饮品"_s)));
    for (const Budget &budget : budgets)
        QVERIFY(m_store->insert(budget));

    QCOMPARE(m_view->balanceCard()->balanceLabel()->text(), balance);
    QCOMPARE(m_view->balanceCard()->titleLabel()->text(), title);
    BudgetSummaryView *summary = m_view->budgetSummary();
    QCOMPARE(summary->emptyLabel()->isVisible(), budgets.isEmpty());
    QCOMPARE(summary->rowCount(), budgets.size());
    for (int i = 0; i < summary->rowCount(); ++i) {
        const DashboardModel::BudgetRow &row = m_view->model().budgetRows().at(std::size_t(i));
        QCOMPARE(summary->percentLabel(i)->text(), row.percentText);
        QCOMPARE(summary->bar(i)->fraction(), row.fraction);
        QCOMPARE(summary->bar(i)->tint(), Palette::tone(row.barTone));
    }
    QCOMPARE(m_view->recentRows().size(), std::size_t(5));
    TestSupport::screenshot(m_view.get(), name);
    if (budgets.isEmpty()) {
        // Beyond its maximum width the content stays centred; narrow, it still fits.
        m_view->resize(1600, 820);
        TestSupport::screenshot(m_view.get(), name + u"-wide"_s);
        m_view->resize(760, 700);
        TestSupport::screenshot(m_view.get(), name + u"-narrow"_s);
    }
}

PENNYLOOM_TEST(DashboardViewTest)
#include "tst_DashboardView.moc"
