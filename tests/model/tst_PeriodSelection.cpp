// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/PeriodSelection.h"

#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

Q_DECLARE_METATYPE(PeriodSelection::EarlyEnd)

namespace {

PeriodSelection custom(PeriodSelection::EarlyEnd earlyEnd)
{
    PeriodSelection selection(
        {{{PeriodChoice::custom, u"自定义"_s}}, PeriodSelection::DayEnd::excluded, earlyEnd},
        PeriodChoice::custom, local(2024, 3, 20, 10, 0));
    selection.setRange(local(2024, 3, 10, 8, 0), local(2024, 3, 20, 10, 0));
    return selection;
}

} // namespace

class PeriodSelectionTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void endBound_data();
    void endBound();
    void spans_data();
    void spans();
    void offeredChoicesOnly();
};

// A start past the end always takes the end along, keeping its time of day; an end before the
// start empties the span or is held at the start, as the screen says.
void PeriodSelectionTest::endBound_data()
{
    QTest::addColumn<PeriodSelection::EarlyEnd>("earlyEnd");
    QTest::addColumn<QDate>("startDay");
    QTest::addColumn<QDate>("endDay");
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<double>("hours");

    const auto empties = PeriodSelection::EarlyEnd::emptiesSpan;
    const auto held = PeriodSelection::EarlyEnd::heldAtStart;
    QTest::newRow("start past the end")
        << empties << QDate(2024, 3, 25) << QDate() << local(2024, 3, 25, 10, 0) << 24.0;
    QTest::newRow("start past the end, held")
        << held << QDate(2024, 3, 25) << QDate() << local(2024, 3, 25, 10, 0) << 24.0;
    QTest::newRow("end before the start, emptied")
        << empties << QDate() << QDate(2024, 3, 5) << local(2024, 3, 5, 10, 0) << 0.0;
    QTest::newRow("end before the start, held")
        << held << QDate() << QDate(2024, 3, 5) << local(2024, 3, 10, 10, 0) << 24.0;
    QTest::newRow("end on the start day")
        << empties << QDate() << QDate(2024, 3, 10) << local(2024, 3, 10, 10, 0) << 24.0;
}

void PeriodSelectionTest::endBound()
{
    QFETCH(PeriodSelection::EarlyEnd, earlyEnd);
    QFETCH(QDate, startDay);
    QFETCH(QDate, endDay);
    QFETCH(QDateTime, end);
    QFETCH(double, hours);

    PeriodSelection selection = custom(earlyEnd);
    if (startDay.isValid())
        QVERIFY(selection.setStartDay(startDay));
    if (endDay.isValid())
        selection.setEndDay(endDay);
    QCOMPARE(selection.end(), end);
    const DateInterval span = selection.span().interval;
    QCOMPARE(span.start.secsTo(span.end) / 3600.0, hours);
    QVERIFY(span.start.isValid() && span.end.isValid());
}

// Each choice's span around Berlin's spring clock change (31 March 2024, 02:00 → 03:00), written
// out by hand: its first instant, its length in hours, whether it holds its end, and the first
// and last day a label names.
void PeriodSelectionTest::spans_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("dayEndIncluded");
    QTest::addColumn<QDate>("startDay");
    QTest::addColumn<double>("hours");
    QTest::addColumn<bool>("includesEnd");
    QTest::addColumn<QDate>("firstDay");
    QTest::addColumn<QDate>("lastDay");

    const auto row = [](const char *name, PeriodChoice choice, bool dayEndIncluded) -> QTestData & {
        return QTest::newRow(name) << static_cast<int>(choice) << dayEndIncluded;
    };
    row("day of the change", PeriodChoice::day, false)
        << QDate(2024, 3, 31) << 23.0 << false << QDate(2024, 3, 31) << QDate(2024, 3, 31);
    row("day of the change, end held", PeriodChoice::day, true)
        << QDate(2024, 3, 31) << 23.0 << true << QDate(2024, 3, 31) << QDate(2024, 3, 31);
    row("week holding it, Monday first", PeriodChoice::week, false)
        << QDate(2024, 3, 25) << 167.0 << true << QDate(2024, 3, 25) << QDate(2024, 3, 31);
    row("month holding it", PeriodChoice::month, false)
        << QDate(2024, 3, 1) << 743.0 << true << QDate(2024, 3, 1) << QDate(2024, 3, 31);
    row("custom days across it", PeriodChoice::custom, false)
        << QDate(2024, 3, 30) << 47.0 << false << QDate(2024, 3, 30) << QDate(2024, 3, 31);
}

void PeriodSelectionTest::spans()
{
    QFETCH(int, choice);
    QFETCH(bool, dayEndIncluded);
    QFETCH(QDate, startDay);
    QFETCH(double, hours);
    QFETCH(bool, includesEnd);
    QFETCH(QDate, firstDay);
    QFETCH(QDate, lastDay);

    const TestSupport::ScopedTimeZone zone("Europe/Berlin");
    const TestSupport::ScopedLocale mondayFirst(QLocale(QLocale::German, QLocale::Germany));
    PeriodSelection selection(
        {{{PeriodChoice::all, u"全部"_s},
          {PeriodChoice::day, u"日"_s},
          {PeriodChoice::week, u"周"_s},
          {PeriodChoice::month, u"月"_s},
          {PeriodChoice::custom, u"自定义"_s}},
         dayEndIncluded ? PeriodSelection::DayEnd::included : PeriodSelection::DayEnd::excluded,
         PeriodSelection::EarlyEnd::emptiesSpan},
        PeriodChoice::all, local(2024, 3, 31, 12, 0));
    QVERIFY(!selection.span().isValid());
    selection.setRange(local(2024, 3, 30, 9, 0), local(2024, 3, 31, 18, 0));
    QVERIFY(selection.setChoice(static_cast<PeriodChoice>(choice)));

    const PeriodSpan span = selection.span();
    QVERIFY(span.isValid());
    QCOMPARE(span.interval.start, QDateTime(startDay, QTime(0, 0)));
    QCOMPARE(span.interval.start.secsTo(span.interval.end) / 3600.0, hours);
    QCOMPARE(span.includesEnd, includesEnd);
    QCOMPARE(span.contains(span.interval.end), includesEnd);
    QVERIFY(span.contains(span.interval.start));
    QCOMPARE(span.firstDay(), firstDay);
    QCOMPARE(span.lastDay(), lastDay);
}

void PeriodSelectionTest::offeredChoicesOnly()
{
    PeriodSelection selection({{{PeriodChoice::day, u"日"_s}, {PeriodChoice::month, u"月"_s}},
                               PeriodSelection::DayEnd::excluded,
                               PeriodSelection::EarlyEnd::emptiesSpan},
                              PeriodChoice::day, local(2024, 3, 20, 10, 0));
    QVERIFY(!selection.setChoice(PeriodChoice::week));
    QVERIFY(selection.choice() == PeriodChoice::day);
    QVERIFY(!selection.setChoice(PeriodChoice::day));
    QVERIFY(selection.setChoice(PeriodChoice::month));
    QVERIFY(!selection.setDate(QDateTime()));
    QCOMPARE(selection.rules().indexOf(PeriodChoice::week), -1);
    QCOMPARE(selection.rules().title(PeriodChoice::month), u"月"_s);
}

#include "tst_PeriodSelection.moc"
PENNYLOOM_TEST(PeriodSelectionTest)
