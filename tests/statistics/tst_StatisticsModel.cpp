// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "statistics/StatisticsModel.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <set>

using namespace Qt::StringLiterals;
using TestSupport::at;
using TestSupport::local;

Q_DECLARE_METATYPE(PeriodChoice)

namespace {

const QByteArray shanghai = "Asia/Shanghai";
const QByteArray newYork = "America/New_York";

// "餐饮 30" per total, in the model's order.
QStringList ranking(const std::vector<CategoryTotal> &totals)
{
    QStringList lines;
    for (const CategoryTotal &total : totals)
        lines.append(total.name + u' ' + QString::number(total.amount));
    return lines;
}

} // namespace

class StatisticsModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 3, 20, 10, 0))); }
    void cleanup() { closeStore(); }

    void rangeFromTitle_data();
    void rangeFromTitle();
    void startsOnTheMonthBefore_data();
    void startsOnTheMonthBefore();
    void rangeBounds_data();
    void rangeBounds();
    void customSpan_data();
    void customSpan();
    void figures_data();
    void figures();
    void sectorHues_data();
    void sectorHues();
    void followsStoreAndChoices();
};

void StatisticsModelTest::rangeFromTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("known");
    QTest::addColumn<PeriodChoice>("range");

    QTest::newRow("day") << u"按日"_s << true << PeriodChoice::day;
    QTest::newRow("custom") << u"自定义"_s << true << PeriodChoice::custom;
    QTest::newRow("a receipt's week title") << u"周"_s << false << PeriodChoice::day;
    QTest::newRow("padded") << u" 本月"_s << false << PeriodChoice::day;
    QTest::newRow("empty") << QString() << false << PeriodChoice::day;
}

void StatisticsModelTest::rangeFromTitle()
{
    QFETCH(QString, title);
    QFETCH(bool, known);
    QFETCH(PeriodChoice, range);

    // The segment under a title, as the view reads a click.
    const PeriodSelection::Rules &rules = StatisticsModel::rangeRules();
    const std::optional<PeriodChoice> read = rules.choiceAt(int(rules.titles().indexOf(title)));
    QCOMPARE(read.has_value(), known);
    if (known) {
        QCOMPARE(*read, range);
        QCOMPARE(rules.title(*read), title);
    }
}

void StatisticsModelTest::startsOnTheMonthBefore_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("start");

    QTest::newRow("mid-month") << local(2024, 3, 20, 10, 0) << local(2024, 2, 20, 10, 0);
    QTest::newRow("31st into a leap February") << local(2024, 3, 31, 9, 30) << local(2024, 2, 29, 9, 30);
    QTest::newRow("across the year") << local(2024, 1, 15, 8, 0) << local(2023, 12, 15, 8, 0);
}

void StatisticsModelTest::startsOnTheMonthBefore()
{
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, start);

    m_clock->clock().set(now);
    DailyTotals totals(*m_store);
    StatisticsModel model(*m_store, totals);
    QCOMPARE(model.range(), PeriodChoice::month);
    QCOMPARE(model.selectedDate(), now);
    QCOMPARE(model.endDate(), now);
    QCOMPARE(model.startDate(), start);
}

void StatisticsModelTest::rangeBounds_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<PeriodChoice>("range");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("counted");

    const QLocale china(QLocale::Chinese, QLocale::China);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale germany(QLocale::German, QLocale::Germany);
    const auto day = PeriodChoice::day;
    const auto week = PeriodChoice::week;
    const auto month = PeriodChoice::month;
    const QString wednesday = u"2024-03-20T15:00:00"_s;

    QTest::newRow("day: its midnight")
        << shanghai << china << day << wednesday << u"2024-03-20T00:00:00"_s << true;
    QTest::newRow("day: its last second")
        << shanghai << china << day << wednesday << u"2024-03-20T23:59:59"_s << true;
    QTest::newRow("day: midnight of the next day")
        << shanghai << china << day << wednesday << u"2024-03-21T00:00:00"_s << false;
    QTest::newRow("day: the second before")
        << shanghai << china << day << wednesday << u"2024-03-19T23:59:59"_s << false;

    // A Chinese week runs Sunday to Saturday; the first instant of the next week is included.
    QTest::newRow("week: Sunday midnight")
        << shanghai << china << week << wednesday << u"2024-03-17T00:00:00"_s << true;
    QTest::newRow("week: the Saturday before")
        << shanghai << china << week << wednesday << u"2024-03-16T23:59:59"_s << false;
    QTest::newRow("week: next Sunday midnight")
        << shanghai << china << week << wednesday << u"2024-03-24T00:00:00"_s << true;
    QTest::newRow("week: a second after it")
        << shanghai << china << week << wednesday << u"2024-03-24T00:00:01"_s << false;
    // A German week runs Monday to Sunday.
    QTest::newRow("German week: Monday midnight")
        << shanghai << germany << week << wednesday << u"2024-03-18T00:00:00"_s << true;
    QTest::newRow("German week: the Sunday before")
        << shanghai << germany << week << wednesday << u"2024-03-17T23:59:59"_s << false;
    QTest::newRow("German week: next Monday midnight")
        << shanghai << germany << week << wednesday << u"2024-03-25T00:00:00"_s << true;
    QTest::newRow("German week: next Monday morning")
        << shanghai << germany << week << wednesday << u"2024-03-25T08:00:00"_s << false;

    QTest::newRow("month: the 1st at midnight")
        << shanghai << china << month << wednesday << u"2024-03-01T00:00:00"_s << true;
    QTest::newRow("month: leap day before")
        << shanghai << china << month << wednesday << u"2024-02-29T23:59:59"_s << false;
    QTest::newRow("month: next month's midnight")
        << shanghai << china << month << wednesday << u"2024-04-01T00:00:00"_s << true;
    QTest::newRow("month: a second after it")
        << shanghai << china << month << wednesday << u"2024-04-01T00:00:01"_s << false;

    // Weeks of 167 and 169 hours where New York's clocks change.
    QTest::newRow("New York spring week: Sunday midnight")
        << newYork << us << week << u"2024-03-13T12:00:00"_s << u"2024-03-10T00:00:00"_s << true;
    QTest::newRow("New York spring week: last hour")
        << newYork << us << week << u"2024-03-13T12:00:00"_s << u"2024-03-16T23:30:00"_s << true;
    QTest::newRow("New York spring week: next Sunday midnight")
        << newYork << us << week << u"2024-03-13T12:00:00"_s << u"2024-03-17T00:00:00"_s << true;
    QTest::newRow("New York spring week: an hour later")
        << newYork << us << week << u"2024-03-13T12:00:00"_s << u"2024-03-17T01:00:00"_s << false;
    QTest::newRow("New York autumn week: repeated hour")
        << newYork << us << week << u"2024-11-06T12:00:00"_s << u"2024-11-03T01:30:00-05:00"_s << true;
    QTest::newRow("New York autumn week: last hour")
        << newYork << us << week << u"2024-11-06T12:00:00"_s << u"2024-11-09T23:30:00"_s << true;
    QTest::newRow("New York autumn week: the Saturday before")
        << newYork << us << week << u"2024-11-06T12:00:00"_s << u"2024-11-02T23:59:59"_s << false;
    QTest::newRow("New York autumn week: an hour after its end")
        << newYork << us << week << u"2024-11-06T12:00:00"_s << u"2024-11-10T01:00:00"_s << false;
}

void StatisticsModelTest::rangeBounds()
{
    QFETCH(QByteArray, zone);
    QFETCH(QLocale, locale);
    QFETCH(PeriodChoice, range);
    QFETCH(QString, selected);
    QFETCH(QString, entry);
    QFETCH(bool, counted);

    const TestSupport::ScopedTimeZone timeZone(zone);
    const TestSupport::ScopedLocale userLocale(locale);
    // Entries just outside the range on both sides, so a count of 1 is the row's entry alone.
    const QDateTime when = at(entry);
    add(LedgerEntry(40, when, EntryKind::expense, u"交通"_s));
    add(LedgerEntry(1, at(selected).addDays(-40), EntryKind::expense, u"餐饮"_s));
    add(LedgerEntry(1, at(selected).addDays(40), EntryKind::expense, u"餐饮"_s));

    DailyTotals totals(*m_store);

    StatisticsModel model(*m_store, totals);
    model.setRange(range);
    model.setSelectedDate(at(selected));
    QCOMPARE(model.periodEntries().size(), std::size_t(counted ? 1 : 0));
    QCOMPARE(model.expense(), counted ? 40.0 : 0.0);
    if (counted)
        QCOMPARE(model.periodEntries().front().date, when);
}

void StatisticsModelTest::customSpan_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QStringList>("counted");

    // Entries at the edges of 1 to 3 March.
    QTest::newRow("1 to 3 March") << QDate(2024, 3, 1) << QDate(2024, 3, 3)
                                  << QStringList{u"03-03 23:59:59"_s, u"03-01 00:00:00"_s};
    QTest::newRow("one day") << QDate(2024, 3, 3) << QDate(2024, 3, 3) << QStringList{u"03-03 23:59:59"_s};
    QTest::newRow("ending the day before it starts")
        << QDate(2024, 3, 3) << QDate(2024, 3, 2) << QStringList{};
    QTest::newRow("ending well before it starts") << QDate(2024, 3, 4) << QDate(2024, 2, 1) << QStringList{};
}

void StatisticsModelTest::customSpan()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QStringList, counted);

    addEntries({u"支出 餐饮 1 2024-02-29T23:59:59"_s, u"支出 餐饮 2 2024-03-01T00:00:00"_s,
                u"支出 餐饮 4 2024-03-03T23:59:59"_s, u"支出 餐饮 8 2024-03-04T00:00:00"_s});
    DailyTotals totals(*m_store);
    StatisticsModel model(*m_store, totals);
    model.setRange(PeriodChoice::custom);
    model.setStartDay(first);
    model.setEndDay(last);
    QCOMPARE(model.startDate().date(), first);
    QCOMPARE(model.endDate().date(), last);

    QStringList found;
    for (const LedgerEntry &entry : model.periodEntries())
        found.append(entry.date.toLocalTime().toString(u"MM-dd HH:mm:ss"_s));
    QCOMPARE(found, counted);
}

void StatisticsModelTest::figures_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<double>("income");
    QTest::addColumn<double>("expense");
    QTest::addColumn<QStringList>("categories");

    // All in March 2024, the month shown.
    QTest::newRow("several categories")
        << QStringList{u"支出 餐饮 30 2024-03-02T12:00:00"_s,   u"支出 交通 6.5 2024-03-03T08:00:00"_s,
                       u"支出 餐饮 12.5 2024-03-10T19:00:00"_s, u"支出 购物 99 2024-03-12T20:00:00"_s,
                       u"收入 工资 8000 2024-03-15T09:00:00"_s, u"支出 购物 1000 2024-04-01T00:00:01"_s}
        << 8000.0 << 148.0 << QStringList{u"购物 99"_s, u"餐饮 42.5"_s, u"交通 6.5"_s};
    QTest::newRow("income only") << QStringList{u"收入 工资 5000 2024-03-05T09:00:00"_s,
                                                u"收入 退款 20 2024-03-06T09:00:00"_s}
                                 << 5020.0 << 0.0 << QStringList{};
    QTest::newRow("a category outside the lists")
        << QStringList{u"支出 其他 15 2024-03-05T09:00:00"_s, u"支出 其它 5 2024-03-06T09:00:00"_s,
                       u"支出 猫粮 7 2024-03-07T09:00:00"_s}
        << 0.0 << 27.0 << QStringList{u"其他 15"_s, u"猫粮 7"_s, u"其它 5"_s};
    // An income's category never makes an expense total, even under an expense name.
    QTest::newRow("same name, both kinds")
        << QStringList{u"支出 红包 50 2024-03-05T09:00:00"_s, u"收入 红包 200 2024-03-06T09:00:00"_s} << 200.0
        << 50.0 << QStringList{u"红包 50"_s};
    QTest::newRow("equal totals") << QStringList{u"支出 水果 20 2024-03-05T09:00:00"_s,
                                                 u"支出 饮品 12 2024-03-06T09:00:00"_s,
                                                 u"支出 饮品 8 2024-03-07T09:00:00"_s,
                                                 u"支出 零食 3 2024-03-08T09:00:00"_s}
                                  << 0.0 << 43.0 << QStringList{u"水果 20"_s, u"饮品 20"_s, u"零食 3"_s};
}

void StatisticsModelTest::figures()
{
    QFETCH(QStringList, entries);
    QFETCH(double, income);
    QFETCH(double, expense);
    QFETCH(QStringList, categories);

    addEntries(entries);
    DailyTotals daily(*m_store);
    StatisticsModel model(*m_store, daily);
    QCOMPARE(model.income(), income);
    QCOMPARE(model.expense(), expense);
    QCOMPARE(model.balance(), income - expense);

    const std::array<StatisticsModel::Summary, 3> chips = model.summaries();
    QCOMPARE(chips[0].title, u"收入"_s);
    QCOMPARE(chips[0].value, income);
    QCOMPARE(chips[1].title, u"支出"_s);
    QCOMPARE(chips[1].value, expense);
    QCOMPARE(chips[2].title, u"结余"_s);
    QCOMPARE(chips[2].value, income - expense);

    // Largest first; categories with equal totals may come in either order.
    const std::vector<CategoryTotal> &totals = model.categories();
    QVERIFY(std::ranges::is_sorted(totals, std::ranges::greater{}, &CategoryTotal::amount));
    QStringList found = ranking(totals);
    QStringList expected = categories;
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);

    // The sectors of a chart are told apart: one hue each, none shared.
    const std::vector<int> &hues = model.sectorHues();
    QCOMPARE(hues.size(), totals.size());
    QCOMPARE(std::set<int>(hues.begin(), hues.end()).size(), hues.size());
}

void StatisticsModelTest::sectorHues_data()
{
    QTest::addColumn<int>("sectors");

    QTest::newRow("one") << 1;
    QTest::newRow("as many as hues") << StatisticsModel::hueCount;
    // Counting on would give the last sector the first one's hue, and they touch.
    QTest::newRow("one more than hues") << StatisticsModel::hueCount + 1;
    QTest::newRow("two rounds and one") << 2 * StatisticsModel::hueCount + 1;
    QTest::newRow("every expense category") << 52;
}

void StatisticsModelTest::sectorHues()
{
    QFETCH(int, sectors);

    const std::vector<int> hues = StatisticsModel::huesFor(size_t(sectors));
    QCOMPARE(hues.size(), size_t(sectors));
    for (size_t i = 0; i < hues.size(); ++i) {
        QVERIFY(hues[i] >= 0 && hues[i] < StatisticsModel::hueCount);
        if (hues.size() > 1)
            QVERIFY2(hues[i] != hues[(i + 1) % hues.size()], qPrintable(u"sector %1"_s.arg(i)));
    }
    // Hues repeat only once every hue is taken.
    const size_t distinct = std::set<int>(hues.begin(), hues.end()).size();
    QCOMPARE(distinct, std::min(hues.size(), size_t(StatisticsModel::hueCount)));
}

void StatisticsModelTest::followsStoreAndChoices()
{
    DailyTotals totals(*m_store);
    StatisticsModel model(*m_store, totals);
    QSignalSpy changed(&model, &StatisticsModel::changed);
    QVERIFY(model.categories().empty());

    const LedgerEntry lunch = add(LedgerEntry(32, local(2024, 3, 20, 12, 0), EntryKind::expense, u"餐饮"_s));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(ranking(model.categories()), QStringList{u"餐饮 32"_s});

    LedgerEntry edited = lunch;
    edited.category = u"外卖"_s;
    edited.amount = 45;
    QVERIFY(m_store->update(edited));
    QCOMPARE(ranking(model.categories()), QStringList{u"外卖 45"_s});

    model.setRange(PeriodChoice::day);
    model.setSelectedDay(QDate(2024, 3, 19));
    QCOMPARE(model.selectedDate(), local(2024, 3, 19, 10, 0));
    QVERIFY(model.categories().empty());
    model.setRange(PeriodChoice::week);
    QCOMPARE(model.expense(), 45.0);

    QVERIFY(m_store->remove<LedgerEntry>(lunch.id));
    QCOMPARE(model.expense(), 0.0);
    QVERIFY(model.periodEntries().empty());
    QCOMPARE(changed.count(), 6);
}

PENNYLOOM_TEST(StatisticsModelTest)

#include "tst_StatisticsModel.moc"
