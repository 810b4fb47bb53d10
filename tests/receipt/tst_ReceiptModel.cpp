// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "receipt/ReceiptModel.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using TestSupport::at;
using TestSupport::local;

Q_DECLARE_METATYPE(PeriodChoice)
Q_DECLARE_METATYPE(EntryKind)

namespace {

const QByteArray shanghai = "Asia/Shanghai";
const QByteArray newYork = "America/New_York";

QLocale china()
{
    return QLocale(QLocale::Chinese, QLocale::China);
}

QLocale unitedStates()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// "餐饮 30" per row, in the paper's order.
QStringList printedRows(const ReceiptPaper &paper)
{
    QStringList lines;
    for (const CategoryTotal &row : paper.rows)
        lines.append(row.name + u' ' + QString::number(row.amount));
    return lines;
}

} // namespace

class ReceiptModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 3, 20, 10, 0))); }
    void cleanup() { closeStore(); }

    void periodFromText_data();
    void periodFromText();
    void intervalBounds_data();
    void intervalBounds();
    void rangeText_data();
    void rangeText();
    void rows_data();
    void rows();
    void rebuildsOnEveryChange();
};

void ReceiptModelTest::periodFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("known");
    QTest::addColumn<PeriodChoice>("period");

    QTest::newRow("week") << u"周"_s << true << PeriodChoice::week;
    QTest::newRow("month") << u"月"_s << true << PeriodChoice::month;
    QTest::newRow("a statistics title") << u"本周"_s << false << PeriodChoice::day;
    QTest::newRow("the printed line") << u"按日汇总"_s << false << PeriodChoice::day;
    QTest::newRow("empty") << QString() << false << PeriodChoice::day;
}

void ReceiptModelTest::periodFromText()
{
    QFETCH(QString, text);
    QFETCH(bool, known);
    QFETCH(PeriodChoice, period);

    // The segment under a title, as the view reads a click.
    const PeriodSelection::Rules &rules = ReceiptModel::periodRules();
    const std::optional<PeriodChoice> read = rules.choiceAt(int(rules.titles().indexOf(text)));
    QCOMPARE(read.has_value(), known);
    if (known) {
        QCOMPARE(*read, period);
        QCOMPARE(rules.title(*read), text);
    }
}

void ReceiptModelTest::intervalBounds_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<PeriodChoice>("period");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("printed");

    const auto day = PeriodChoice::day;
    const auto week = PeriodChoice::week;
    const auto month = PeriodChoice::month;
    const QString wednesday = u"2024-03-20T15:00:00"_s;

    // Every bound of a receipt is included, the day's end as well.
    QTest::newRow("day: its midnight")
        << shanghai << china() << day << wednesday << u"2024-03-20T00:00:00"_s << true;
    QTest::newRow("day: midnight of the next day")
        << shanghai << china() << day << wednesday << u"2024-03-21T00:00:00"_s << true;
    QTest::newRow("day: a second after it")
        << shanghai << china() << day << wednesday << u"2024-03-21T00:00:01"_s << false;
    QTest::newRow("day: the second before")
        << shanghai << china() << day << wednesday << u"2024-03-19T23:59:59"_s << false;
    QTest::newRow("week: Sunday midnight")
        << shanghai << china() << week << wednesday << u"2024-03-17T00:00:00"_s << true;
    QTest::newRow("week: next Sunday midnight")
        << shanghai << china() << week << wednesday << u"2024-03-24T00:00:00"_s << true;
    QTest::newRow("week: the Saturday before")
        << shanghai << china() << week << wednesday << u"2024-03-16T23:59:59"_s << false;
    QTest::newRow("month: next month's midnight")
        << shanghai << china() << month << wednesday << u"2024-04-01T00:00:00"_s << true;
    QTest::newRow("month: a second after it")
        << shanghai << china() << month << wednesday << u"2024-04-01T00:00:01"_s << false;
    QTest::newRow("month: the last second of February")
        << shanghai << china() << month << wednesday << u"2024-02-29T23:59:59"_s << false;
    QTest::newRow("New York day of 23 hours: next midnight")
        << newYork << unitedStates() << day << u"2024-03-10T12:00:00"_s << u"2024-03-11T00:00:00"_s << true;
    QTest::newRow("New York day of 25 hours: last hour")
        << newYork << unitedStates() << day << u"2024-11-03T12:00:00"_s << u"2024-11-03T23:30:00"_s << true;
    QTest::newRow("New York spring week: next Sunday midnight")
        << newYork << unitedStates() << week << u"2024-03-13T12:00:00"_s << u"2024-03-17T00:00:00"_s << true;
    QTest::newRow("New York spring week: an hour later")
        << newYork << unitedStates() << week << u"2024-03-13T12:00:00"_s << u"2024-03-17T01:00:00"_s << false;
    QTest::newRow("New York autumn week: the Saturday before")
        << newYork << unitedStates() << week << u"2024-11-06T12:00:00"_s << u"2024-11-02T23:59:59"_s << false;
}

void ReceiptModelTest::intervalBounds()
{
    QFETCH(QByteArray, zone);
    QFETCH(QLocale, locale);
    QFETCH(PeriodChoice, period);
    QFETCH(QString, selected);
    QFETCH(QString, entry);
    QFETCH(bool, printed);

    const TestSupport::ScopedTimeZone timeZone(zone);
    const TestSupport::ScopedLocale userLocale(locale);
    add(LedgerEntry(40, at(entry), EntryKind::expense, u"交通"_s));
    // An income at the same instant never reaches an expense receipt.
    add(LedgerEntry(900, at(entry), EntryKind::income, u"工资"_s));

    DailyTotals totals(*m_store);

    ReceiptModel model(*m_store, totals);
    model.setPeriod(period);
    model.setSelectedDate(at(selected));
    QCOMPARE(model.paper().count, printed ? 1 : 0);
    QCOMPARE(model.paper().total, printed ? 40.0 : 0.0);
    QCOMPARE(printedRows(model.paper()), printed ? QStringList{u"交通 40"_s} : QStringList{});
}

void ReceiptModelTest::rangeText_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<PeriodChoice>("period");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("text");

    const auto day = PeriodChoice::day;
    const auto week = PeriodChoice::week;
    const auto month = PeriodChoice::month;

    QTest::newRow("day") << shanghai << china() << day << u"2024-03-20T23:30:00"_s << u"2024年3月20日"_s;
    QTest::newRow("day, American") << shanghai << unitedStates() << day << u"2024-03-20T23:30:00"_s
                                   << u"March 20, 2024"_s;
    // The week ends on its last day, not on the first day of the next week.
    QTest::newRow("week") << shanghai << china() << week << u"2024-03-20T10:00:00"_s
                          << u"2024年3月17日 - 2024年3月23日"_s;
    QTest::newRow("week on its Saturday")
        << shanghai << china() << week << u"2024-03-23T23:59:59"_s << u"2024年3月17日 - 2024年3月23日"_s;
    QTest::newRow("week across the year")
        << shanghai << china() << week << u"2024-12-31T10:00:00"_s << u"2024年12月29日 - 2025年1月4日"_s;
    QTest::newRow("German week, from Monday")
        << shanghai << QLocale(QLocale::German, QLocale::Germany) << week << u"2024-03-24T10:00:00"_s
        << u"18.03.2024 - 24.03.2024"_s;
    QTest::newRow("American week") << shanghai << unitedStates() << week << u"2024-03-20T10:00:00"_s
                                   << u"Mar 17, 2024 - Mar 23, 2024"_s;
    QTest::newRow("New York week of the spring change")
        << newYork << unitedStates() << week << u"2024-03-16T23:00:00"_s << u"Mar 10, 2024 - Mar 16, 2024"_s;
    QTest::newRow("New York week of the autumn change")
        << newYork << unitedStates() << week << u"2024-11-03T01:30:00-05:00"_s
        << u"Nov 3, 2024 - Nov 9, 2024"_s;
    QTest::newRow("month") << shanghai << china() << month << u"2024-03-31T23:59:59"_s << u"2024年3月"_s;
    QTest::newRow("month, American") << shanghai << unitedStates() << month << u"2024-11-01T00:00:00"_s
                                     << u"2024年11月"_s;
}

void ReceiptModelTest::rangeText()
{
    QFETCH(QByteArray, zone);
    QFETCH(QLocale, locale);
    QFETCH(PeriodChoice, period);
    QFETCH(QString, selected);
    QFETCH(QString, text);

    const TestSupport::ScopedTimeZone timeZone(zone);
    const TestSupport::ScopedLocale userLocale(locale);
    DailyTotals totals(*m_store);
    ReceiptModel model(*m_store, totals);
    model.setPeriod(period);
    model.setSelectedDate(at(selected));
    QCOMPARE(model.paper().rangeText, text);
}

void ReceiptModelTest::rows_data()
{
    QTest::addColumn<EntryKind>("kind");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<double>("total");
    QTest::addColumn<int>("count");

    QTest::newRow("expenses") << EntryKind::expense << QStringList{u"购物 99"_s, u"餐饮 42.5"_s, u"其他 5"_s}
                              << 146.5 << 4;
    QTest::newRow("incomes") << EntryKind::income
                             << QStringList{u"工资 8000"_s, u"红包礼金 200"_s, u"其他 200"_s} << 8400.0 << 3;
}

void ReceiptModelTest::rows()
{
    QFETCH(EntryKind, kind);
    QFETCH(QStringList, rows);
    QFETCH(double, total);
    QFETCH(int, count);

    // A March receipt; the entries of April and February stay off it.
    addEntries({u"支出 餐饮 30 2024-03-02T12:00:00"_s, u"支出 购物 99 2024-03-12T20:00:00"_s,
                u"支出 餐饮 12.5 2024-03-10T19:00:00"_s, u"支出 其他 5 2024-03-11T19:00:00"_s,
                u"收入 工资 8000 2024-03-15T09:00:00"_s, u"收入 红包礼金 200 2024-03-16T09:00:00"_s,
                u"收入 其他 200 2024-03-17T09:00:00"_s, u"支出 购物 1000 2024-04-01T00:00:01"_s,
                u"收入 工资 7000 2024-02-29T23:59:59"_s});
    DailyTotals totals(*m_store);
    ReceiptModel model(*m_store, totals);
    model.setPeriod(PeriodChoice::month);
    model.setKind(kind);

    const ReceiptPaper &paper = model.paper();
    QCOMPARE(paper.kind, kind);
    QCOMPARE(paper.period, PeriodChoice::month);
    QCOMPARE(paper.total, total);
    QCOMPARE(paper.count, count);
    // Largest first; equal totals may come in either order.
    QVERIFY(std::ranges::is_sorted(paper.rows, std::ranges::greater{}, &CategoryTotal::amount));
    QStringList found = printedRows(paper);
    found.sort();
    rows.sort();
    QCOMPARE(found, rows);
}

void ReceiptModelTest::rebuildsOnEveryChange()
{
    DailyTotals totals(*m_store);
    ReceiptModel model(*m_store, totals);
    QSignalSpy changed(&model, &ReceiptModel::changed);
    QVERIFY(model.paper().rows.empty());
    QCOMPARE(model.paper().printedText, u"2024/3/20 10:00"_s);

    m_clock->clock().advanceSeconds(90);
    add(LedgerEntry(32, local(2024, 3, 20, 12, 0), EntryKind::expense, u"餐饮"_s));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.paper().count, 1);
    QCOMPARE(model.printedAt(), local(2024, 3, 20, 10, 1, 30));
    QCOMPARE(model.paper().printedText, u"2024/3/20 10:01"_s);

    m_clock->clock().set(local(2024, 3, 22, 21, 5));
    model.setKind(EntryKind::income);
    QCOMPARE(model.paper().count, 0);
    QCOMPARE(model.paper().printedText, u"2024/3/22 21:05"_s);
    model.setSelectedDay(QDate(2024, 3, 21));
    QCOMPARE(model.selectedDate(), local(2024, 3, 21, 10, 0));
    QCOMPARE(model.paper().rangeText, u"2024年3月21日"_s);
    model.setPeriod(PeriodChoice::week);
    model.setKind(EntryKind::expense);
    QCOMPARE(model.paper().total, 32.0);
    // Choosing what is already chosen prints nothing new.
    model.setKind(EntryKind::expense);
    QCOMPARE(changed.count(), 5);
}

PENNYLOOM_TEST(ReceiptModelTest)

#include "tst_ReceiptModel.moc"
