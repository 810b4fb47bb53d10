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

#include "tst_PeriodSelection.moc"
PENNYLOOM_TEST(PeriodSelectionTest)
