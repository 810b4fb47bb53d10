// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "statistics/CategoryRanking.h"
#include "statistics/ChartLegend.h"
#include "statistics/ExpenseDonut.h"
#include "statistics/StatisticsView.h"
#include "statistics/SummaryChip.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"
#include "ui/EmptyState.h"
#include "ui/Palette.h"
#include "ui/SegmentedControl.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

const QStringList marchBooks{u"支出 餐饮 30 2024-03-02T12:00:00"_s,   u"支出 交通 6.5 2024-03-03T08:00:00"_s,
                             u"支出 餐饮 12.5 2024-03-10T19:00:00"_s, u"支出 购物 99 2024-03-12T20:00:00"_s,
                             u"支出 房租 2500 2024-03-01T09:00:00"_s, u"支出 猫粮 45 2024-03-14T18:00:00"_s,
                             u"支出 水果 23.8 2024-03-16T17:00:00"_s, u"收入 工资 8000 2024-03-15T09:00:00"_s,
                             u"收入 报销 320 2024-03-18T09:00:00"_s};

QStringList chipTexts(const StatisticsView &view)
{
    QStringList texts;
    for (const SummaryChip *chip : view.chips())
        texts.append(chip->title() + u' ' + chip->valueText());
    return texts;
}

} // namespace

class StatisticsViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 3, 20, 10, 0))); }
    void cleanup() { closeStore(); }

    void chartOrNotice_data();
    void chartOrNotice();
    void rangeControls();
    void customEndFollowsStart();
    void screens();
};

void StatisticsViewTest::chartOrNotice_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("chips");
    QTest::addColumn<QStringList>("ranking");

    QTest::newRow("expenses of three categories")
        << QStringList{u"支出 餐饮 30 2024-03-02T12:00:00"_s, u"支出 猫粮 99 2024-03-12T20:00:00"_s,
                       u"支出 餐饮 12.5 2024-03-10T19:00:00"_s, u"支出 交通 6.5 2024-03-03T08:00:00"_s}
        << QStringList{u"收入 ¥0.00"_s, u"支出 ¥148.00"_s, u"结余 -¥148.00"_s}
        << QStringList{u"猫粮 ¥99.00"_s, u"餐饮 ¥42.50"_s, u"交通 ¥6.50"_s};
    // Four categories that share one accent colour.
    QTest::newRow("categories of one accent")
        << QStringList{u"支出 房租 2500 2024-03-01T09:00:00"_s, u"支出 交通 80 2024-03-03T08:00:00"_s,
                       u"支出 日用 40 2024-03-04T08:00:00"_s, u"支出 宠物 20 2024-03-05T08:00:00"_s}
        << QStringList{u"收入 ¥0.00"_s, u"支出 ¥2,640.00"_s, u"结余 -¥2,640.00"_s}
        << QStringList{u"房租 ¥2,500.00"_s, u"交通 ¥80.00"_s, u"日用 ¥40.00"_s, u"宠物 ¥20.00"_s};
    QTest::newRow("income only") << QStringList{u"收入 工资 5000 2024-03-05T09:00:00"_s,
                                                u"支出 餐饮 20 2024-04-01T00:00:01"_s}
                                 << QStringList{u"收入 ¥5,000.00"_s, u"支出 ¥0.00"_s, u"结余 ¥5,000.00"_s}
                                 << QStringList{};
}

void StatisticsViewTest::chartOrNotice()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, chips);
    QFETCH(QStringList, ranking);

    DailyTotals daily(*m_store);

    StatisticsView view(*m_store, daily);
    view.resize(900, 900);
    view.show();
    // Entries arriving while the screen is shown reach it at once.
    addEntries(entries);
    QCOMPARE(chipTexts(view), chips);
    QCOMPARE(view.ranking()->lineTexts(), ranking);
    // Each ranking line is one item, its name read with its amount.
    QCOMPARE(TestSupport::accessibleChildNames(view.ranking()), ranking);
    const bool charted = !ranking.isEmpty();
    QCOMPARE(view.chartCard()->isVisible(), charted);
    QCOMPARE(view.ranking()->isVisible(), charted);
    QCOMPARE(view.emptyState()->isVisible(), !charted);
    QCOMPARE(view.emptyState()->title(), u"该时间段暂无支出记录"_s);

    // One sector per category total, in ranking order, each in the hue of its place, none
    // alike; the key names and colours them the same.
    const QList<ExpenseDonut::Sector> &sectors = view.donut()->sectors();
    QCOMPARE(sectors.size(), ranking.size());
    const std::vector<CategoryTotal> &totals = view.model().categories();
    QSet<QRgb> colours;
    QStringList keyNames;
    double sum = 0;
    for (qsizetype i = 0; i < sectors.size(); ++i) {
        QCOMPARE(sectors[i].name, totals[size_t(i)].name);
        QCOMPARE(sectors[i].amount, totals[size_t(i)].amount);
        const QColor colour = sectors[i].colour;
        QCOMPARE(colour, Palette::chartHues().at(size_t(view.model().sectorHues().at(size_t(i)))));
        QCOMPARE(view.donut()->legend()->items().at(i).name, totals[size_t(i)].name);
        QCOMPARE(view.donut()->legend()->items().at(i).colour, colour);
        colours.insert(colour.rgba());
        keyNames.append(totals[size_t(i)].name);
        sum += sectors[i].amount;
    }
    QCOMPARE(colours.size(), sectors.size());
    QCOMPARE(TestSupport::accessibleChildNames(view.donut()->legend()), keyNames);

    // The sectors run clockwise from twelve o'clock, each over its share: the middle of each
    // wide enough sector, halfway across the ring, is drawn in its colour.
    QWidget *ring = view.donut()->ring();
    const QImage drawn = ring->grab().toImage();
    const QPointF centre = QRectF(ring->rect()).center();
    const qreal outer = std::min(ring->width(), ring->height()) / 2.0 - ExpenseDonut::sectorGap / 2;
    const qreal middle = outer * (1 + ExpenseDonut::holeRatio) / 2;
    double before = 0;
    for (const ExpenseDonut::Sector &sector : sectors) {
        const double span = 2 * M_PI * sector.amount / sum;
        const double angle = 2 * M_PI * before / sum + span / 2;
        before += sector.amount;
        if (span * middle < 12)
            continue;
        const QPoint at(qRound(centre.x() + middle * std::sin(angle)),
                        qRound(centre.y() - middle * std::cos(angle)));
        QCOMPARE(drawn.pixelColor(at).name(), sector.colour.name());
    }
}

void StatisticsViewTest::rangeControls()
{
    addEntries(marchBooks);
    DailyTotals daily(*m_store);
    StatisticsView view(*m_store, daily);
    view.show();
    QCOMPARE(view.rangePicker()->currentText(), u"本月"_s);
    QCOMPARE(view.selectedCaption()->text(), u"选择所在月"_s);
    QCOMPARE(view.selectedPicker()->accessibleName(), u"选择所在月"_s);
    QVERIFY(!view.startPicker()->isVisible());
    QCOMPARE(view.model().expense(), 2716.8);

    TestSupport::clickSegment(view.rangePicker(), u"按日"_s);
    QCOMPARE(view.model().range(), PeriodChoice::day);
    QCOMPARE(view.selectedCaption()->text(), u"选择日期"_s);
    QVERIFY(view.emptyState()->isVisible());
    view.selectedPicker()->setDate(QDate(2024, 3, 12));
    QCOMPARE(view.ranking()->lineTexts(), QStringList{u"购物 ¥99.00"_s});

    TestSupport::clickSegment(view.rangePicker(), u"本周"_s);
    QCOMPARE(view.selectedCaption()->text(), u"选择所在周"_s);
    QCOMPARE(view.ranking()->lineTexts(),
             (QStringList{u"购物 ¥99.00"_s, u"猫粮 ¥45.00"_s, u"水果 ¥23.80"_s, u"餐饮 ¥12.50"_s}));

    TestSupport::clickSegment(view.rangePicker(), u"自定义"_s);
    QVERIFY(!view.selectedPicker()->isVisible());
    QVERIFY(view.startPicker()->isVisible());
    QCOMPARE(view.startPicker()->date(), QDate(2024, 2, 20));
    QCOMPARE(view.endPicker()->date(), QDate(2024, 3, 20));
    view.startPicker()->setDate(QDate(2024, 3, 3));
    view.endPicker()->setDate(QDate(2024, 3, 10));
    QCOMPARE(chipTexts(view), (QStringList{u"收入 ¥0.00"_s, u"支出 ¥19.00"_s, u"结余 -¥19.00"_s}));
}

void StatisticsViewTest::customEndFollowsStart()
{
    DailyTotals daily(*m_store);
    StatisticsView view(*m_store, daily);
    view.show();
    TestSupport::clickSegment(view.rangePicker(), u"自定义"_s);
    // The end picker offers no day before the start.
    QCOMPARE(view.endPicker()->minimumDate(), QDate(2024, 2, 20));
    view.endPicker()->setDate(QDate(2024, 2, 1));
    QCOMPARE(view.endPicker()->date(), QDate(2024, 2, 20));
    QCOMPARE(view.model().endDate().date(), QDate(2024, 2, 20));

    // A start after the end takes the end along, so what is shown is what is counted.
    view.startPicker()->setDate(QDate(2024, 3, 25));
    QCOMPARE(view.endPicker()->minimumDate(), QDate(2024, 3, 25));
    QCOMPARE(view.endPicker()->date(), QDate(2024, 3, 25));
    QCOMPARE(view.model().startDate().date(), QDate(2024, 3, 25));
    QCOMPARE(view.model().endDate().date(), QDate(2024, 3, 25));
}

void StatisticsViewTest::screens()
{
    addEntries(marchBooks);
    DailyTotals daily(*m_store);
    StatisticsView view(*m_store, daily);
    view.resize(960, 1100);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    TestSupport::screenshot(&view, u"statistics-month"_s);

    TestSupport::clickSegment(view.rangePicker(), u"按日"_s);
    view.selectedPicker()->setDate(QDate(2024, 3, 15));
    QVERIFY(view.emptyState()->isVisible());
    TestSupport::screenshot(&view, u"statistics-empty"_s);

    TestSupport::clickSegment(view.rangePicker(), u"自定义"_s);
    TestSupport::screenshot(&view, u"statistics-custom"_s);
}

PENNYLOOM_TEST(StatisticsViewTest)

#include "tst_StatisticsView.moc"
