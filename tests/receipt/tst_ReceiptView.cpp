// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "model/DateText.h"
#include "receipt/ReceiptBarcode.h"
#include "receipt/ReceiptPaperView.h"
#include "receipt/ReceiptView.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"
#include "ui/SegmentedControl.h"

#include <QDateEdit>
#include <QImage>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

const QStringList marchBooks{
    u"支出 餐饮 30 2024-03-20T12:00:00"_s,   u"支出 交通 6.5 2024-03-20T08:00:00"_s,
    u"支出 餐饮 12.5 2024-03-20T19:00:00"_s, u"支出 购物 99 2024-03-18T20:00:00"_s,
    u"支出 房租 2500 2024-03-01T09:00:00"_s, u"支出 水果 23.8 2024-03-21T00:00:00"_s,
    u"收入 工资 8000 2024-03-15T09:00:00"_s, u"收入 红包礼金 66 2024-03-20T21:00:00"_s};

} // namespace

class ReceiptViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 3, 20, 22, 15))); }
    void cleanup() { closeStore(); }

    void printsTheDay_data();
    void printsTheDay();
    void pickersReprint();
    void barcode();
    void screens();
};

void ReceiptViewTest::printsTheDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("count");

    // The entry at midnight of the 21st is on the receipt of the 20th as well.
    QTest::newRow("a day with expenses")
        << QDate(2024, 3, 20) << QStringList{u"餐饮 ¥42.50"_s, u"水果 ¥23.80"_s, u"交通 ¥6.50"_s} << QString()
        << u"¥72.80"_s << u"共 4 笔"_s;
    QTest::newRow("a day without") << QDate(2024, 3, 19) << QStringList{} << u"本时间段暂无记录"_s
                                   << u"¥0.00"_s << u"共 0 笔"_s;
}

void ReceiptViewTest::printsTheDay()
{
    QFETCH(QDate, day);
    QFETCH(QStringList, rows);
    QFETCH(QString, notice);
    QFETCH(QString, total);
    QFETCH(QString, count);

    addEntries(marchBooks);
    DailyTotals totals(*m_store);
    ReceiptView view(*m_store, totals);
    view.show();
    view.datePicker()->setDate(day);
    const ReceiptPaperView *paper = view.paper();
    QCOMPARE(paper->periodText(), u"按日汇总"_s);
    QCOMPARE(paper->rangeText(), DateText::longDate(day));
    QCOMPARE(paper->kindText(), u"支出"_s);
    QCOMPARE(paper->rowTexts(), rows);
    QCOMPARE(paper->noticeText(), notice);
    QCOMPARE(paper->totalText(), total);
    QCOMPARE(paper->countText(), count);
    QCOMPARE(paper->printedText(), u"2024/3/20 22:15"_s);

    // Line by line, each caption read with its value.
    QStringList lines{u"Pennyloom生活超市"_s, u"收支汇总小票"_s, u"统计周期 按日汇总"_s,
                      u"日期 "_s + DateText::longDate(day), u"项目类型 支出"_s};
    lines << rows;
    if (!notice.isEmpty())
        lines << notice;
    lines << u"合计 "_s + total << count << u"2024/3/20 22:15"_s << u"感谢使用Pennyloom"_s;
    QCOMPARE(TestSupport::accessibleChildNames(view.paper()), lines);
}

void ReceiptViewTest::pickersReprint()
{
    addEntries(marchBooks);
    DailyTotals totals(*m_store);
    ReceiptView view(*m_store, totals);
    view.show();
    QCOMPARE(view.periodPicker()->accessibleName(), u"周期"_s);
    QCOMPARE(view.kindPicker()->segments(), (QStringList{u"支出"_s, u"收入"_s}));

    TestSupport::clickSegment(view.kindPicker(), u"收入"_s);
    QCOMPARE(view.paper()->kindText(), u"收入"_s);
    QCOMPARE(view.paper()->rowTexts(), QStringList{u"红包礼金 ¥66.00"_s});

    m_clock->clock().advanceSeconds(120);
    TestSupport::clickSegment(view.periodPicker(), u"周"_s);
    QCOMPARE(view.paper()->periodText(), u"按周汇总"_s);
    QCOMPARE(view.paper()->rangeText(), u"2024年3月17日 - 2024年3月23日"_s);
    QCOMPARE(view.paper()->rowTexts(), QStringList{u"红包礼金 ¥66.00"_s});
    QCOMPARE(view.paper()->printedText(), u"2024/3/20 22:17"_s);

    TestSupport::clickSegment(view.periodPicker(), u"月"_s);
    QCOMPARE(view.paper()->periodText(), u"按月汇总"_s);
    QCOMPARE(view.paper()->rangeText(), u"2024年3月"_s);
    QCOMPARE(view.paper()->rowTexts(), (QStringList{u"工资 ¥8,000.00"_s, u"红包礼金 ¥66.00"_s}));
    QCOMPARE(view.paper()->countText(), u"共 2 笔"_s);

    // A new entry is printed at once.
    add(LedgerEntry(500, local(2024, 3, 2, 9, 0), EntryKind::income, u"奖金"_s));
    QCOMPARE(view.paper()->rowTexts(),
             (QStringList{u"工资 ¥8,000.00"_s, u"奖金 ¥500.00"_s, u"红包礼金 ¥66.00"_s}));
    QCOMPARE(view.paper()->totalText(), u"¥8,566.00"_s);
}

void ReceiptViewTest::barcode()
{
    ReceiptBarcode bars;
    QImage image(bars.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    bars.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

    // Dark runs along the middle row: their widths, and the gaps between them.
    QList<int> widths;
    QList<int> gaps;
    const int y = image.height() / 2;
    int run = 0;
    int gap = 0;
    for (int x = 0; x <= image.width(); ++x) {
        const bool dark = x < image.width() && qAlpha(image.pixel(x, y)) > 128;
        if (dark) {
            if (run == 0 && !widths.isEmpty())
                gaps.append(gap);
            ++run;
            gap = 0;
        } else {
            if (run > 0)
                widths.append(run);
            run = 0;
            ++gap;
        }
    }
    QCOMPARE(widths.size(), 38);
    for (qsizetype i = 0; i < widths.size(); ++i)
        QCOMPARE(widths.at(i), i % 3 == 0 ? 2 : 1);
    QCOMPARE(gaps, QList<int>(37, 2));
    QCOMPARE(image.height(), 30);
    QVERIFY(qAlpha(image.pixel(0, 0)) > 128);
    QVERIFY(qAlpha(image.pixel(0, 29)) > 128);
}

void ReceiptViewTest::screens()
{
    addEntries(marchBooks);
    DailyTotals totals(*m_store);
    ReceiptView view(*m_store, totals);
    view.resize(900, 1150);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    TestSupport::screenshot(&view, u"receipt-day"_s);
    TestSupport::clickSegment(view.periodPicker(), u"周"_s);
    TestSupport::screenshot(&view, u"receipt-week"_s);
    TestSupport::clickSegment(view.periodPicker(), u"月"_s);
    TestSupport::screenshot(&view, u"receipt-month"_s);
    TestSupport::clickSegment(view.kindPicker(), u"收入"_s);
    view.datePicker()->setDate(QDate(2024, 5, 1));
    TestSupport::screenshot(&view, u"receipt-empty"_s);
}

PENNYLOOM_TEST(ReceiptViewTest)

#include "tst_ReceiptView.moc"
