// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "assets/AssetAccountLedgerModel.h"
#include "assets/LiabilityRepaymentLedgerModel.h"
#include "store/ModelStore.h"

#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

Q_DECLARE_METATYPE(PeriodChoice)

namespace {

struct Dates {
    QDateTime selected;
    QDateTime start;
    QDateTime end;
};

} // namespace

class AssetLedgersTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void membership_data();
    void membership();
    void accountSummary();
    void repaymentsOnly();
    void initialRange();
    void periodSwitchKeepsDates();

private:
    AssetAccount addAccount(const QString &name, const QString &dimension);
    void addChange(const AssetAccount &account, double amount, const QDateTime &date,
                   const QString &note = {});
};

void AssetLedgersTest::init()
{
    QVERIFY(openStore(local(2024, 3, 20, 15, 0)));
}

void AssetLedgersTest::cleanup()
{
    closeStore();
}

AssetAccount AssetLedgersTest::addAccount(const QString &name, const QString &dimension)
{
    const AssetAccount account(name, u"现金"_s, dimension, 1000, local(2024, 1, 1));
    if (!m_store->insert(account))
        qFatal("a test could not insert an account");
    return account;
}

void AssetLedgersTest::addChange(const AssetAccount &account, double amount, const QDateTime &date,
                                 const QString &note)
{
    if (!m_store->insert(AssetAdjustment(account.id, amount, date, note)))
        qFatal("a test could not insert an adjustment");
}

void AssetLedgersTest::membership_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<PeriodChoice>("period");
    QTest::addColumn<QDate>("selected");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QDateTime>("date"); // in the zone, built by the test
    QTest::addColumn<bool>("included");

    const QByteArray shanghai = "Asia/Shanghai";
    const QByteArray berlin = "Europe/Berlin";
    const QDate none;
    const QDate march5(2024, 3, 5);
    const auto at = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    };

    QTest::newRow("day: 23:59 of the day")
        << shanghai << PeriodChoice::day << march5 << none << none << at(2024, 3, 5, 23, 59, 59) << true;
    QTest::newRow("day: midnight that opens it")
        << shanghai << PeriodChoice::day << march5 << none << none << at(2024, 3, 5) << true;
    QTest::newRow("day: next day 00:00")
        << shanghai << PeriodChoice::day << march5 << none << none << at(2024, 3, 6) << false;
    QTest::newRow("day: 25 hours in Berlin, last hour") << berlin << PeriodChoice::day << QDate(2024, 10, 27)
                                                        << none << none << at(2024, 10, 27, 23, 30) << true;
    // Weeks in zh_CN start on Sunday: 3 to 9 March, and the instant that opens 10 March.
    QTest::newRow("week: Sunday 00:00")
        << shanghai << PeriodChoice::week << march5 << none << none << at(2024, 3, 3) << true;
    QTest::newRow("week: Saturday before")
        << shanghai << PeriodChoice::week << march5 << none << none << at(2024, 3, 2, 23, 59) << false;
    QTest::newRow("week: end instant included")
        << shanghai << PeriodChoice::week << march5 << none << none << at(2024, 3, 10) << true;
    QTest::newRow("week: just after its end")
        << shanghai << PeriodChoice::week << march5 << none << none << at(2024, 3, 10, 0, 0, 1) << false;
    QTest::newRow("month: first instant of next month")
        << shanghai << PeriodChoice::month << march5 << none << none << at(2024, 4, 1) << true;
    QTest::newRow("month: next month shows it too")
        << shanghai << PeriodChoice::month << QDate(2024, 4, 20) << none << none << at(2024, 4, 1) << true;
    QTest::newRow("month: last day of the month before")
        << shanghai << PeriodChoice::month << march5 << none << none << at(2024, 2, 29, 23, 59) << false;
    QTest::newRow("month: Berlin, after the clocks go forward")
        << berlin << PeriodChoice::month << march5 << none << none << at(2024, 3, 31, 23, 0) << true;
    QTest::newRow("custom: all of the last day")
        << shanghai << PeriodChoice::custom << none << QDate(2024, 5, 10) << QDate(2024, 5, 12)
        << at(2024, 5, 12, 23, 59, 59) << true;
    QTest::newRow("custom: day after the last")
        << shanghai << PeriodChoice::custom << none << QDate(2024, 5, 10) << QDate(2024, 5, 12)
        << at(2024, 5, 13) << false;
    QTest::newRow("custom: first instant") << shanghai << PeriodChoice::custom << none << QDate(2024, 5, 10)
                                           << QDate(2024, 5, 12) << at(2024, 5, 10) << true;
    QTest::newRow("custom: start after end") << shanghai << PeriodChoice::custom << none << QDate(2024, 5, 12)
                                             << QDate(2024, 5, 10) << at(2024, 5, 11, 12) << false;
    QTest::newRow("custom: one day") << shanghai << PeriodChoice::custom << none << QDate(2024, 5, 10)
                                     << QDate(2024, 5, 10) << at(2024, 5, 10, 12) << true;
}

// Day and custom spans are half-open whole days; week and month include the instant that
// opens the next one. Both ledgers use the same rule.
void AssetLedgersTest::membership()
{
    QFETCH(QByteArray, zone);
    QFETCH(PeriodChoice, period);
    QFETCH(QDate, selected);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QDateTime, date);
    QFETCH(bool, included);

    TestSupport::ScopedTimeZone scoped(zone);
    const QDateTime when(date.date(), date.time());
    const AssetAccount loan = addAccount(u"房贷"_s, u"负债"_s);
    // Neighbours weeks away on either side keep the binary search honest.
    addChange(loan, -1, when.addDays(-40));
    addChange(loan, -2, when);
    addChange(loan, -3, when.addDays(40));

    AssetAccountLedgerModel account(*m_store, loan);
    LiabilityRepaymentLedgerModel repayments(*m_store);
    for (AssetLedgerModel *ledger :
         {static_cast<AssetLedgerModel *>(&account), static_cast<AssetLedgerModel *>(&repayments)}) {
        ledger->setPeriod(period);
        if (selected.isValid())
            ledger->setSelectedDay(selected);
        if (start.isValid()) {
            ledger->setStartDay(start);
            ledger->setEndDay(end);
        }
    }
    const auto holds = [](const std::vector<AssetAdjustment> &list) {
        return std::any_of(list.begin(), list.end(), [](const AssetAdjustment &a) { return a.amount == -2; });
    };
    QCOMPARE(holds(account.entries()), included);
    QCOMPARE(holds(repayments.payments()), included);
    QVERIFY(!holds(account.entries()) || account.entries().size() == 1);
}

// +500, -200 and 0 in the period: 500 added, 200 deducted, 300 net; zero is in neither sum
// but still listed, titled as an increase.
void AssetLedgersTest::accountSummary()
{
    const AssetAccount card = addAccount(u"招商银行信用卡"_s, u"负债"_s);
    const AssetAccount other = addAccount(u"现金"_s, u"自有资产"_s);
    addChange(card, 500, local(2024, 3, 2));
    addChange(card, -200, local(2024, 3, 3), u"还一点"_s);
    addChange(card, 0, local(2024, 3, 4));
    addChange(card, 900, local(2024, 2, 28));
    addChange(other, 70, local(2024, 3, 3));

    AssetAccountLedgerModel ledger(*m_store, card);
    QCOMPARE(ledger.title(), u"招商银行信用卡 账单"_s);
    QCOMPARE(ledger.entries().size(), size_t(3));
    QCOMPARE(ledger.added(), 500.0);
    QCOMPARE(ledger.deducted(), 200.0);
    QCOMPARE(ledger.netChange(), 300.0);
    // The ledger keeps the asset wording on a liability.
    QCOMPARE(ledger.rows()[0].title, u"增加金额"_s);
    QCOMPARE(ledger.rows()[1].title, u"还一点"_s);
    QCOMPARE(ledger.rows()[2].title, u"增加金额"_s);

    ledger.setPeriod(PeriodChoice::day);
    ledger.setSelectedDay(QDate(2024, 3, 1));
    QVERIFY(ledger.rows().empty());
    QCOMPARE(ledger.netChange(), 0.0);
}

// Only negative changes of liabilities are repayments: a deduction on an owned account and
// more owed on a liability never show. A repayment of an account renamed since is listed
// under its new name, in green without a sign.
void AssetLedgersTest::repaymentsOnly()
{
    AssetAccount loan = addAccount(u"房贷"_s, u"负债"_s);
    const AssetAccount cash = addAccount(u"现金"_s, u"自有资产"_s);
    const AssetAccount card = addAccount(u"信用卡"_s, u"可借用资产"_s);
    addChange(cash, -80, local(2024, 3, 2));
    addChange(card, -60, local(2024, 3, 2));
    addChange(loan, 1000, local(2024, 3, 3));
    addChange(loan, -300, local(2024, 3, 4), u"六月"_s);
    addChange(loan, -120, local(2024, 3, 5));

    LiabilityRepaymentLedgerModel ledger(*m_store);
    QCOMPARE(ledger.payments().size(), size_t(2));
    QCOMPARE(ledger.totalRepaid(), 420.0);
    QCOMPARE(ledger.rows()[0].title, u"房贷"_s);
    QCOMPARE(ledger.rows()[0].caption, u"还款"_s);
    QCOMPARE(ledger.rows()[0].amountText, u"¥120.00"_s);
    QVERIFY(ledger.rows()[0].gain);
    QCOMPARE(ledger.rows()[1].caption, u"六月"_s);

    loan.name = u"按揭"_s;
    QVERIFY(m_store->update(loan));
    QCOMPARE(ledger.rows()[0].title, u"按揭"_s);
    // An account moved out of the liabilities takes its repayments with it.
    loan.dimension = u"自有资产"_s;
    QVERIFY(m_store->update(loan));
    QVERIFY(ledger.payments().empty());
    QCOMPARE(ledger.totalRepaid(), 0.0);
}

// The ledger opens on this month, and its custom span runs from the same day a month ago.
void AssetLedgersTest::initialRange()
{
    m_clock->clock().set(local(2024, 3, 31, 8, 0));
    LiabilityRepaymentLedgerModel ledger(*m_store);
    QCOMPARE(ledger.period(), PeriodChoice::month);
    QCOMPARE(ledger.selectedDate(), local(2024, 3, 31, 8, 0));
    QCOMPARE(ledger.endDate(), local(2024, 3, 31, 8, 0));
    QCOMPARE(ledger.startDate(), local(2024, 2, 29, 8, 0));
}

void AssetLedgersTest::periodSwitchKeepsDates()
{
    LiabilityRepaymentLedgerModel ledger(*m_store);
    ledger.setPeriod(PeriodChoice::custom);
    ledger.setStartDay(QDate(2024, 1, 2));
    ledger.setPeriod(PeriodChoice::week);
    ledger.setSelectedDay(QDate(2024, 2, 2));
    ledger.setPeriod(PeriodChoice::custom);
    QCOMPARE(ledger.startDate(), local(2024, 1, 2, 15, 0));
    QCOMPARE(ledger.selectedDate(), local(2024, 2, 2, 15, 0));
}

#include "tst_AssetLedgers.moc"
PENNYLOOM_TEST(AssetLedgersTest)
