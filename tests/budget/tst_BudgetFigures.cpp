// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "budget/BudgetPeriodGroup.h"
#include "model/Budget.h"
#include "model/BudgetHeaderFigures.h"
#include "model/BudgetRowFigures.h"
#include "model/LedgerEntry.h"
#include "model/RecordSequence.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using TestSupport::local;

Q_DECLARE_METATYPE(BudgetTone)

namespace {

Budget period(const QString &category, double limit, QDate first, QDate last)
{
    return Budget(category, limit, local(2024, 1, 1), QDateTime(first, QTime(9, 0)),
                  QDateTime(last, QTime(18, 0)));
}

// Entries as the store keeps them: newest first.
RecordSequence<LedgerEntry> newestFirst(std::vector<LedgerEntry> entries)
{
    std::ranges::stable_sort(entries,
                             [](const LedgerEntry &a, const LedgerEntry &b) { return a.date > b.date; });
    return RecordSequence<LedgerEntry>(std::move(entries));
}

QStringList categories(const std::vector<Budget> &budgets)
{
    QStringList names;
    for (const Budget &budget : budgets)
        names.append(budget.category);
    return names;
}

} // namespace

class BudgetFiguresTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void row_data();
    void row();
    void header_data();
    void header();
    void headerCountsEachBudget();
    void groupsOrder();
};

void BudgetFiguresTest::row_data()
{
    QTest::addColumn<double>("spent");
    QTest::addColumn<double>("limit");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<BudgetTone>("percentTone");
    QTest::addColumn<double>("bar");
    QTest::addColumn<BudgetTone>("barTone");
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<BudgetTone>("remainingTone");

    using T = BudgetTone;
    QTest::newRow("80 % is not over") << 800.0 << 1000.0 << u"已用 80%"_s << T::indigo << 0.8 << T::indigo
                                      << u"结余 ¥200.00"_s << T::secondary;
    QTest::newRow("just past 80 %") << 801.0 << 1000.0 << u"已用 80%"_s << T::orange << 0.801 << T::orange
                                    << u"结余 ¥199.00"_s << T::secondary;
    QTest::newRow("exactly the limit") << 1000.0 << 1000.0 << u"已用 100%"_s << T::orange << 1.0 << T::orange
                                       << u"结余 ¥0.00"_s << T::secondary;
    QTest::newRow("over the limit") << 1001.0 << 1000.0 << u"已用 100%"_s << T::red << 1.0 << T::red
                                    << u"结余 -¥1.00"_s << T::red;
    QTest::newRow("far over, bar capped")
        << 2500.0 << 1000.0 << u"已用 250%"_s << T::red << 1.0 << T::red << u"结余 -¥1,500.00"_s << T::red;
    QTest::newRow("fraction dropped") << 33.339 << 100.0 << u"已用 33%"_s << T::indigo << 0.33339 << T::indigo
                                      << u"结余 ¥66.66"_s << T::secondary;
    // 0.29 × 100 is 28.999… in binary; the share is still 29 %.
    QTest::newRow("29 of 100") << 29.0 << 100.0 << u"已用 29%"_s << T::indigo << 0.29 << T::indigo
                               << u"结余 ¥71.00"_s << T::secondary;
    QTest::newRow("0.29 of 1") << 0.29 << 1.0 << u"已用 29%"_s << T::indigo << 0.29 << T::indigo
                               << u"结余 ¥0.71"_s << T::secondary;
    QTest::newRow("nothing spent") << 0.0 << 500.0 << u"已用 0%"_s << T::indigo << 0.0 << T::indigo
                                   << u"结余 ¥500.00"_s << T::secondary;
    QTest::newRow("limit 0, nothing spent")
        << 0.0 << 0.0 << u"已用 0%"_s << T::indigo << 0.0 << T::indigo << u"结余 ¥0.00"_s << T::secondary;
    QTest::newRow("limit 0, spent") << 12.0 << 0.0 << u"已用 0%"_s << T::indigo << 1.0 << T::red
                                    << u"结余 -¥12.00"_s << T::red;
}

void BudgetFiguresTest::row()
{
    QFETCH(double, spent);
    QFETCH(double, limit);
    QFETCH(QString, percent);
    QFETCH(BudgetTone, percentTone);
    QFETCH(double, bar);
    QFETCH(BudgetTone, barTone);
    QFETCH(QString, remaining);
    QFETCH(BudgetTone, remainingTone);

    const BudgetRowFigures figures{spent, limit};
    QCOMPARE(figures.percentText(), percent);
    QCOMPARE(figures.percentTone(), percentTone);
    QCOMPARE(figures.barValue(), bar);
    QCOMPARE(figures.barTone(), barTone);
    QCOMPARE(figures.remainingText(), remaining);
    QCOMPARE(figures.remainingTone(), remainingTone);
}

void BudgetFiguresTest::header_data()
{
    QTest::addColumn<QList<double>>("limits");
    QTest::addColumn<QList<double>>("spent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<BudgetTone>("tone");

    using T = BudgetTone;
    QTest::newRow("80 %") << QList<double>{600, 400} << QList<double>{500, 300}
                          << u"已用 ¥800.00 / ¥1,000.00（80%）"_s << T::secondary;
    QTest::newRow("just past 80 %") << QList<double>{600, 400} << QList<double>{500, 301}
                                    << u"已用 ¥801.00 / ¥1,000.00（80%）"_s << T::orange;
    QTest::newRow("100 %") << QList<double>{600, 400} << QList<double>{700, 300}
                           << u"已用 ¥1,000.00 / ¥1,000.00（100%）"_s << T::orange;
    QTest::newRow("over") << QList<double>{600, 400} << QList<double>{700, 300.5}
                          << u"已用 ¥1,000.50 / ¥1,000.00（100%）"_s << T::red;
    QTest::newRow("one category over, total under") << QList<double>{600, 400} << QList<double>{0, 450}
                                                    << u"已用 ¥450.00 / ¥1,000.00（45%）"_s << T::secondary;
    QTest::newRow("limits sum to 0") << QList<double>{0, 0} << QList<double>{30, 0}
                                     << u"已用 ¥30.00 / ¥0.00（0%）"_s << T::secondary;
    QTest::newRow("no budgets") << QList<double>{} << QList<double>{} << u"已用 ¥0.00 / ¥0.00（0%）"_s
                                << T::secondary;
}

// The header's figures come from the entries through each budget of the period.
void BudgetFiguresTest::header()
{
    QFETCH(QList<double>, limits);
    QFETCH(QList<double>, spent);
    QFETCH(QString, text);
    QFETCH(BudgetTone, tone);

    const QStringList names{u"餐饮"_s, u"交通"_s};
    const QDate first(2024, 3, 1);
    const QDate last(2024, 3, 31);
    std::vector<Budget> budgets;
    std::vector<LedgerEntry> entries;
    for (qsizetype i = 0; i < limits.size(); ++i) {
        budgets.push_back(period(names.at(i), limits.at(i), first, last));
        if (spent.at(i) > 0)
            entries.emplace_back(spent.at(i), local(2024, 3, int(10 + i), 12), EntryKind::expense,
                                 names.at(i));
    }
    const BudgetHeaderFigures figures = BudgetHeaderFigures::of(budgets, newestFirst(entries));
    QCOMPARE(figures.usageText(), text);
    QCOMPARE(figures.tone(), tone);
}

// Two budgets of one category in a list each count the same expense; incomes never count.
void BudgetFiguresTest::headerCountsEachBudget()
{
    const std::vector<Budget> budgets{period(u"餐饮"_s, 100, QDate(2024, 3, 1), QDate(2024, 3, 31)),
                                      period(u"餐饮"_s, 50, QDate(2024, 3, 1), QDate(2024, 3, 31))};
    const RecordSequence<LedgerEntry> entries = newestFirst({
        LedgerEntry(27, local(2024, 3, 1, 0, 0), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(1000, local(2024, 3, 15), EntryKind::income, u"餐饮"_s),
    });
    const BudgetHeaderFigures figures = BudgetHeaderFigures::of(budgets, entries);
    QCOMPARE(figures.usageText(), u"已用 ¥54.00 / ¥150.00（36%）"_s);
}

// Titles descend and categories ascend as plain text, by code point: U+FF01 comes before a
// character beyond the basic plane, although the latter's first UTF-16 code unit is smaller.
void BudgetFiguresTest::groupsOrder()
{
    const std::vector<Budget> budgets{
        period(u"餐饮"_s, 1, QDate(2024, 1, 1), QDate(2024, 1, 31)),
        period(u"😀"_s, 1, QDate(2024, 11, 15), QDate(2024, 12, 14)),
        period(u"交通"_s, 1, QDate(2024, 1, 1), QDate(2024, 1, 31)),
        Budget(u"购物"_s, 1, local(2023, 12, 5)),
        period(u"！"_s, 1, QDate(2024, 11, 15), QDate(2024, 12, 14)),
        period(u"购物"_s, 1, QDate(2024, 1, 1), QDate(2024, 1, 31)),
        period(u"餐饮"_s, 1, QDate(2024, 2, 1), QDate(2024, 2, 29)),
    };
    const std::vector<BudgetPeriodGroup> groups = BudgetPeriodGroup::grouped(budgets);

    QStringList keys;
    for (const BudgetPeriodGroup &group : groups)
        keys.append(group.key);
    // As text, "2024年1月…" sorts after "2024年11月…": 月 is greater than 1.
    QCOMPARE(keys, (QStringList{u"2024年2月1日 - 2024年2月29日"_s, u"2024年1月1日 - 2024年1月31日"_s,
                                u"2024年11月15日 - 2024年12月14日"_s, u"2023-12 月度预算"_s}));
    QCOMPARE(categories(groups.at(1).budgets), (QStringList{u"交通"_s, u"购物"_s, u"餐饮"_s}));
    QCOMPARE(categories(groups.at(2).budgets), (QStringList{u"！"_s, u"😀"_s}));
    QCOMPARE(categories(groups.at(3).budgets), QStringList{u"购物"_s});
}

PENNYLOOM_TEST(BudgetFiguresTest)

#include "tst_BudgetFigures.moc"
