// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/LocalCalendar.h"
#include "statistics/StatisticsModel.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"
#include "trends/TrendsModel.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

const QStringList expenseCategories{u"餐饮"_s, u"交通"_s, u"购物"_s, u"猫粮"_s, u"房租"_s, u"医疗"_s};
const QStringList incomeCategories{u"工资"_s, u"红包"_s};

qint64 centsOf(double amount)
{
    return std::llround(amount * 100);
}

// What a plain pass over the books gives: cents by local day, month and category.
struct Plain {
    struct Sums {
        qint64 income = 0;
        qint64 expense = 0;
        int expenseCount = 0;
        std::map<QString, qint64> categories;
    };
    std::map<QDate, Sums> days;

    void add(const LedgerEntry &entry)
    {
        Sums &day = days[entry.date.toLocalTime().date()];
        if (entry.kind() == EntryKind::income) {
            day.income += centsOf(entry.amount);
        } else {
            day.expense += centsOf(entry.amount);
            ++day.expenseCount;
            day.categories[entry.category] += centsOf(entry.amount);
        }
    }
    // The days from first to last, both included.
    Sums over(QDate first, QDate last) const
    {
        Sums sums;
        for (auto it = days.lower_bound(first); it != days.end() && it->first <= last; ++it) {
            sums.income += it->second.income;
            sums.expense += it->second.expense;
            sums.expenseCount += it->second.expenseCount;
            for (const auto &[category, cents] : it->second.categories)
                sums.categories[category] += cents;
        }
        return sums;
    }
};

QDate lastOfMonth(QDate first)
{
    return first.addMonths(1).addDays(-1);
}

} // namespace

class TrendsModelTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void figuresAgreeWithPlainSums_data();
    void figuresAgreeWithPlainSums();
    void modelFollowsChoicesAndStore();
};

void TrendsModelTest::figuresAgreeWithPlainSums_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("Shanghai") << QByteArray("Asia/Shanghai") << 2022 << QDate(2024, 6, 15) << 3u;
    QTest::newRow("Berlin, clocks change") << QByteArray("Europe/Berlin") << 2022 << QDate(2024, 6, 15) << 5u;
    QTest::newRow("New York, clocks change")
        << QByteArray("America/New_York") << 2022 << QDate(2024, 11, 3) << 9u;
    // Clocks went forward at midnight there: those days begin at 01:00.
    QTest::newRow("Sao Paulo, no midnight")
        << QByteArray("America/Sao_Paulo") << 2016 << QDate(2018, 2, 18) << 13u;
}

// Random books over three years, with whole months left empty, entries at the first instant
// of days and on the days the clocks change: every figure of the three pages is what a plain
// sum over the entries gives, and each month is what 统计 shows for the same days.
void TrendsModelTest::figuresAgreeWithPlainSums()
{
    QFETCH(QByteArray, zone);
    QFETCH(int, firstYear);
    QFETCH(QDate, today);
    QFETCH(quint32, seed);

    const TestSupport::ScopedTimeZone timeZone(zone);
    const TestSupport::ScopedClock clock(LocalCalendar::startOfDay(today).addSecs(12 * 3600));
    QRandomGenerator random(seed);
    QTemporaryDir dir;
    std::unique_ptr<ModelStore> store = TestSupport::openStore(dir);
    QVERIFY(store);

    // The days of the three years, less the months left out (every fifth, and a whole quarter).
    const QDate first(firstYear, 1, 1);
    const QDate last(firstYear + 2, 12, 31);
    std::vector<QDate> days;
    std::vector<QDate> clockChanges;
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        const qint64 length = LocalCalendar::startOfDay(d).msecsTo(LocalCalendar::startOfDay(d.addDays(1)));
        if (length != 24 * 3600 * 1000)
            clockChanges.push_back(d);
        const int month = d.year() * 12 + d.month();
        if (month % 5 == 2 || (d.year() == firstYear + 1 && d.month() >= 4 && d.month() <= 6))
            continue;
        days.push_back(d);
    }
    QVERIFY(zone == "Asia/Shanghai" || clockChanges.size() >= 6);

    Plain plain;
    std::vector<ModelStore::ImportRow> rows;
    for (int i = 0; i < 2500; ++i) {
        QDate day = days[std::size_t(random.bounded(int(days.size())))];
        if (!clockChanges.empty() && random.bounded(8) == 0)
            day = clockChanges[std::size_t(random.bounded(int(clockChanges.size())))];
        const QDateTime start = LocalCalendar::startOfDay(day);
        const qint64 length = start.msecsTo(LocalCalendar::startOfDay(day.addDays(1)));
        const QDateTime date = random.bounded(4) == 0 ? start : start.addMSecs(random.bounded(length));
        const bool income = random.bounded(6) == 0;
        const QStringList &categories = income ? incomeCategories : expenseCategories;
        const LedgerEntry entry((1 + random.bounded(300000)) / 100.0, date,
                                income ? EntryKind::income : EntryKind::expense,
                                categories.at(random.bounded(int(categories.size()))));
        plain.add(entry);
        rows.push_back({entry, QString(), QString()});
    }
    QVERIFY(store->importEntries(rows));
    DailyTotals totals(*store);
    StatisticsModel statistics(*store, totals);
    statistics.setRange(PeriodChoice::custom);

    for (int year = firstYear; year <= firstYear + 2; ++year) {
        const QString category = expenseCategories.at(year % expenseCategories.size());
        const MonthSeries series = MonthSeries::of(totals, QDate(year, 1, 1), 12, category, today);
        QCOMPARE(series.months().size(), std::size_t(12));
        qint64 chartedBegun = 0;
        int begun = 0;
        for (const MonthSeries::Month &month : series.months()) {
            const Plain::Sums sums = plain.over(month.first, lastOfMonth(month.first));
            const QByteArray where = month.first.toString(Qt::ISODate).toLatin1();
            QVERIFY2(centsOf(month.income) == sums.income, where);
            QVERIFY2(centsOf(month.expense) == sums.expense, where);
            const qint64 categoryCents =
                sums.categories.contains(category) ? sums.categories.at(category) : 0;
            QVERIFY2(centsOf(month.category) == categoryCents, where);
            QVERIFY2(sums.expense == 0
                         ? month.share == 0
                         : std::abs(month.share - double(categoryCents) / double(sums.expense)) < 1e-9,
                     where);
            QCOMPARE(month.begun, month.first <= today);
            if (month.begun) {
                chartedBegun += categoryCents;
                ++begun;
            }
            // 统计 over the same days shows the very same sums.
            statistics.setStartDay(month.first);
            statistics.setEndDay(lastOfMonth(month.first));
            QVERIFY2(statistics.income() == month.income && statistics.expense() == month.expense, where);
        }
        QVERIFY(std::abs(series.average() - (begun ? double(chartedBegun) / 100 / begun : 0)) < 1e-6);

        // The year in review.
        const YearReview review = YearReview::of(totals, store->entries(), year, today);
        const Plain::Sums whole = plain.over(QDate(year, 1, 1), QDate(year, 12, 31));
        const Plain::Sums before = plain.over(QDate(year - 1, 1, 1), QDate(year - 1, 12, 31));
        QCOMPARE(centsOf(review.income), whole.income);
        QCOMPARE(centsOf(review.expense), whole.expense);
        statistics.setStartDay(QDate(year, 1, 1));
        statistics.setEndDay(QDate(year, 12, 31));
        QVERIFY(statistics.income() == review.income && statistics.expense() == review.expense);
        QCOMPARE(review.savingRate.has_value(), whole.income > 0);
        if (review.savingRate)
            QVERIFY(std::abs(*review.savingRate -
                             double(whole.income - whole.expense) / double(whole.income)) < 1e-9);
        QCOMPARE(review.expenseChange.ratio.has_value(), before.expense > 0);
        QCOMPARE(centsOf(review.expenseChange.before), before.expense);
        if (review.expenseChange.ratio)
            QVERIFY(std::abs(*review.expenseChange.ratio -
                             double(whole.expense - before.expense) / double(before.expense)) < 1e-9);
        QCOMPARE(review.incomeChange.ratio.has_value(), before.income > 0);

        std::vector<std::pair<qint64, QString>> ranked;
        for (const auto &[name, cents] : whole.categories)
            ranked.emplace_back(cents, name);
        std::ranges::sort(ranked, std::greater{});
        QCOMPARE(review.topCategories.size(), std::min<std::size_t>(5, ranked.size()));
        for (std::size_t i = 0; i < review.topCategories.size(); ++i) {
            QCOMPARE(centsOf(review.topCategories[i].total.amount), ranked[i].first);
            QVERIFY(std::abs(review.topCategories[i].share -
                             double(ranked[i].first) / double(whole.expense)) < 1e-9);
        }

        qint64 dearest = -1;
        QDate dearestMonth;
        for (int m = 1; m <= 12; ++m) {
            const Plain::Sums month = plain.over(QDate(year, m, 1), lastOfMonth(QDate(year, m, 1)));
            if (month.expenseCount > 0 && month.expense > dearest) {
                dearest = month.expense;
                dearestMonth = QDate(year, m, 1);
            }
        }
        QCOMPARE(review.dearestMonth.value_or(QDate()), dearestMonth);
        if (dearestMonth.isValid())
            QCOMPARE(centsOf(review.dearestMonthExpense), dearest);

        qint64 biggest = 0;
        for (const ModelStore::ImportRow &row : rows) {
            if (row.entry.kind() == EntryKind::expense && row.entry.date.toLocalTime().date().year() == year)
                biggest = std::max(biggest, centsOf(row.entry.amount));
        }
        QCOMPARE(review.biggestExpense ? centsOf(review.biggestExpense->amount) : 0, biggest);

        const QDate countedLast = year == today.year() ? today : QDate(year, 12, 31);
        const Plain::Sums counted = plain.over(QDate(year, 1, 1), countedLast);
        int spendingDays = 0;
        for (auto it = plain.days.lower_bound(QDate(year, 1, 1));
             it != plain.days.end() && it->first <= countedLast; ++it)
            spendingDays += it->second.expenseCount > 0 ? 1 : 0;
        QCOMPARE(review.daysCounted, int(QDate(year, 1, 1).daysTo(countedLast)) + 1);
        QCOMPARE(review.daysWithoutSpending, review.daysCounted - spendingDays);
        QVERIFY(std::abs(review.averagePerDay - double(counted.expense) / 100 / review.daysCounted) < 1e-6);

        // The calendar of the whole year and of one month.
        for (const int month : {0, 1 + int(random.bounded(12))}) {
            const SpendingCalendar calendar = SpendingCalendar::of(totals, year, month);
            const QDate from = month == 0 ? QDate(year, 1, 1) : QDate(year, month, 1);
            const QDate to = month == 0 ? QDate(year, 12, 31) : lastOfMonth(from);
            QCOMPARE(qint64(calendar.days().size()), from.daysTo(to) + 1);
            for (const SpendingCalendar::Day &day : calendar.days()) {
                const Plain::Sums sums = plain.over(day.date, day.date);
                const QByteArray where = day.date.toString(Qt::ISODate).toLatin1();
                QVERIFY2(centsOf(day.expense) == sums.expense && day.count == sums.expenseCount, where);
                QVERIFY2((day.level == 0) == (day.count == 0), where);
                // A dearer day is never drawn paler.
                for (const SpendingCalendar::Day &other : calendar.days())
                    QVERIFY2(other.expense <= day.expense || other.level >= day.level, where);
            }
            QCOMPARE(centsOf(calendar.total()), plain.over(from, to).expense);
        }
    }

    // The last twelve months run up to today's.
    const MonthSeries recent = MonthSeries::of(totals, today.addMonths(-11), 12, QString(), today);
    QCOMPARE(recent.months().front().first,
             QDate(today.addMonths(-11).year(), today.addMonths(-11).month(), 1));
    QCOMPARE(recent.months().back().first, QDate(today.year(), today.month(), 1));
    for (const MonthSeries::Month &month : recent.months())
        QCOMPARE(centsOf(month.expense), plain.over(month.first, lastOfMonth(month.first)).expense);
}

// The screen model offers the years the books reach, computes the page shown, lists a chosen
// day's entries and follows the store.
void TrendsModelTest::modelFollowsChoicesAndStore()
{
    const TestSupport::ScopedTimeZone timeZone("Europe/Berlin");
    const TestSupport::ScopedClock clock(local(2024, 3, 31, 12));
    QTemporaryDir dir;
    std::unique_ptr<ModelStore> store = TestSupport::openStore(dir);
    QVERIFY(store);
    QVERIFY(store->insert(LedgerEntry(12.5, local(2022, 5, 1, 8), EntryKind::expense, u"餐饮"_s)));
    // 02:30 does not exist that day: the clocks go from 02:00 to 03:00.
    QVERIFY(store->insert(LedgerEntry(40, local(2024, 3, 31, 3, 30), EntryKind::expense, u"交通"_s)));
    QVERIFY(store->insert(LedgerEntry(7, local(2024, 3, 31, 0, 0), EntryKind::expense, u"餐饮"_s)));
    QVERIFY(store->insert(LedgerEntry(3000, local(2024, 3, 1, 0, 0), EntryKind::income, u"工资"_s)));

    DailyTotals totals(*store);
    TrendsModel model(*store, totals);
    QCOMPARE(model.years(), (QList<int>{2024, 2023, 2022}));
    QCOMPARE(model.year(), 2024);
    QVERIFY(model.recentMonths());
    QCOMPARE(model.trend().months().back().first, QDate(2024, 3, 1));
    QCOMPARE(model.trend().months().back().expense, 47.0);
    QCOMPARE(model.trend().months().back().income, 3000.0);

    QSignalSpy changed(&model, &TrendsModel::changed);
    model.setYear(2019);
    QCOMPARE(changed.count(), 0);
    model.setYear(2022);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!model.recentMonths());
    QCOMPARE(model.trend().months()[4].expense, 12.5);
    model.setCategory(u"交通"_s);
    QCOMPARE(model.trend().months()[4].category, 0.0);

    model.setYear(2024);
    model.setPage(TrendsModel::Page::calendar);
    model.setCalendarMonth(3);
    QCOMPARE(model.calendar().days().size(), std::size_t(31));
    QCOMPARE(model.calendar().find(QDate(2024, 3, 31))->expense, 47.0);
    QCOMPARE(model.calendar().find(QDate(2024, 3, 31))->count, 2);
    model.chooseDay(QDate(2024, 3, 31));
    QCOMPARE(model.chosenDayEntries().size(), std::size_t(2));

    // A new entry on the chosen day shows at once.
    QVERIFY(store->insert(LedgerEntry(3, local(2024, 3, 31, 23, 59), EntryKind::expense, u"餐饮"_s)));
    QCOMPARE(model.calendar().find(QDate(2024, 3, 31))->expense, 50.0);
    QCOMPARE(model.chosenDayEntries().size(), std::size_t(3));

    model.setPage(TrendsModel::Page::review);
    QCOMPARE(model.review().year, 2024);
    QCOMPARE(model.review().expense, 50.0);
    QCOMPARE(model.review().daysCounted, 91);
    QCOMPARE(model.review().daysWithoutSpending, 90);
    QCOMPARE(model.review().dearestMonth, std::optional<QDate>(QDate(2024, 3, 1)));
    QCOMPARE(model.review().biggestExpense->amount, 40.0);
    QVERIFY(!model.review().expenseChange.ratio);
    // A category outside the fixed list is offered once the year uses it.
    QVERIFY(!model.categories().contains(u"鱼缸"_s));
    QVERIFY(store->insert(LedgerEntry(9, local(2024, 2, 2, 9), EntryKind::expense, u"鱼缸"_s)));
    QVERIFY(model.categories().contains(u"鱼缸"_s));
}

PENNYLOOM_TEST(TrendsModelTest)

#include "tst_TrendsModel.moc"
