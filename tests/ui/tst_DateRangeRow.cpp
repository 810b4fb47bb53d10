// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "assets/AssetAccountLedgerView.h"
#include "assets/LiabilityRepaymentLedgerView.h"
#include "bills/BillsLedger.h"
#include "bills/BillsView.h"
#include "budget/BudgetFormView.h"
#include "budget/BudgetModel.h"
#include "model/Money.h"
#include "statistics/StatisticsView.h"
#include "statistics/SummaryChip.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"

#include <QDateEdit>
#include <QLabel>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// The last day a half-open span of whole days covers.
QDate lastDayOf(const DateInterval &interval)
{
    return interval.end.addMSecs(-1).toLocalTime().date();
}

QDateEdit *pickerNamed(QWidget *screen, const QString &name)
{
    for (QDateEdit *picker : screen->findChildren<QDateEdit *>()) {
        if (picker->accessibleName() == name && picker->isVisible())
            return picker;
    }
    return nullptr;
}

} // namespace

// Every screen with a start and an end picker: a start moved past the end moves the end the
// screen counts with to the day the end picker shows, so a record of that day is counted.
class DateRangeRowTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 3, 20, 10, 0))); }
    void cleanup() { closeStore(); }

    void startPastEnd_data();
    void startPastEnd();
};

void DateRangeRowTest::startPastEnd_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("startName");
    QTest::addColumn<QString>("endName");
    QTest::addColumn<QString>("counted");

    QTest::newRow("bills") << u"bills"_s << u"开始"_s << u"结束"_s << u"支出 ¥700.00"_s;
    QTest::newRow("statistics") << u"statistics"_s << u"开始"_s << u"结束"_s << u"支出 ¥700.00"_s;
    QTest::newRow("account ledger") << u"account"_s << u"开始"_s << u"结束"_s << u"扣除 ¥700.00"_s;
    QTest::newRow("repayment ledger") << u"repayments"_s << u"开始"_s << u"结束"_s << u"已还 ¥700.00"_s;
    QTest::newRow("budget form") << u"budget"_s << u"开始日期"_s << u"结束日期"_s << u"¥700.00"_s;
}

void DateRangeRowTest::startPastEnd()
{
    QFETCH(QString, screen);
    QFETCH(QString, startName);
    QFETCH(QString, endName);
    QFETCH(QString, counted);

    const QDateTime paid = local(2024, 3, 25, 12, 0);
    add(TestSupport::entryFrom(u"支出 餐饮 700 2024-03-25T12:00:00"_s));
    const AssetAccount loan(u"房贷"_s, u"房贷"_s, u"负债"_s, 3000, local(2024, 1, 5, 9));
    QVERIFY(m_store->insert(loan));
    QVERIFY(m_store->insert(AssetAdjustment(loan.id, -700, paid, QString())));

    // The screen, the last day its figures cover, and what it shows for that span.
    DailyTotals totals(*m_store);
    BillsLedger ledger(*m_store);
    std::unique_ptr<BudgetModel> budget;
    std::unique_ptr<QWidget> view;
    std::function<QDate()> usedEnd;
    std::function<QString()> shown;
    if (screen == u"bills") {
        auto *bills = new BillsView(*m_store, ledger);
        view.reset(bills);
        TestSupport::clickSegment(bills->dateModeControl(), u"自定义日期"_s);
        usedEnd = [bills] { return bills->model().endDate().toLocalTime().date(); };
        shown = [bills] { return bills->expenseTotal()->text(); };
    } else if (screen == u"statistics") {
        auto *statistics = new StatisticsView(*m_store, totals);
        view.reset(statistics);
        TestSupport::clickSegment(statistics->rangePicker(), u"自定义"_s);
        usedEnd = [statistics] { return lastDayOf(statistics->model().interval()); };
        shown = [statistics] {
            return statistics->chips()[1]->title() + u' ' + statistics->chips()[1]->valueText();
        };
    } else if (screen == u"account" || screen == u"repayments") {
        AssetLedgerSheet *sheet = nullptr;
        if (screen == u"account") {
            auto *account = new AssetAccountLedgerView(*m_store, loan);
            shown = [account] { return account->deductedLabel()->text(); };
            sheet = account;
        } else {
            auto *repayments = new LiabilityRepaymentLedgerView(*m_store);
            shown = [repayments] { return repayments->totalLabel()->text(); };
            sheet = repayments;
        }
        view.reset(sheet);
        TestSupport::clickSegment(sheet->periodPicker(), u"自定义"_s);
        usedEnd = [sheet] { return lastDayOf(sheet->ledger().range().interval); };
    } else {
        budget = std::make_unique<BudgetModel>(*m_store);
        budget->startNewPeriod();
        view = std::make_unique<BudgetFormView>(*budget);
        usedEnd = [&budget] { return budget->periodEnd().toLocalTime().date(); };
        // What the stored period counts of the entries, once saved.
        shown = [this, &budget] {
            budget->setAmount(u"100"_s);
            if (!budget->saveBudget() || m_store->budgets().empty())
                return QString();
            double spent = 0;
            for (const LedgerEntry &entry : m_store->entries()) {
                if (m_store->budgets().front().contains(entry.date))
                    spent += entry.amount;
            }
            return Money::text(spent);
        };
    }
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));

    QDateEdit *start = pickerNamed(view.get(), startName);
    QDateEdit *end = pickerNamed(view.get(), endName);
    QVERIFY(start && end);
    end->setDate(QDate(2024, 3, 22));
    start->setDate(QDate(2024, 3, 25));
    TestSupport::screenshot(view.get(), u"period-"_s + screen);

    QCOMPARE(end->date(), QDate(2024, 3, 25));
    QCOMPARE(usedEnd(), end->date());
    QCOMPARE(shown(), counted);
}

#include "tst_DateRangeRow.moc"
PENNYLOOM_TEST(DateRangeRowTest)
