// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "store/DailyTotals.h"
#include "store/ModelStore.h"
#include "trends/CalendarGrid.h"
#include "trends/DayEntriesList.h"
#include "trends/MonthBarsChart.h"
#include "trends/TrendsView.h"
#include "trends/YearReviewPanel.h"
#include "ui/SegmentedControl.h"

#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

class TrendsViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(local(2024, 12, 7, 12)));
        addEntries({u"支出 餐饮 32 2024-03-05T12:00:00"_s, u"支出 交通 18.5 2024-03-05T08:00:00"_s,
                    u"收入 工资 5000 2024-03-01T00:00:00"_s, u"支出 餐饮 80 2024-11-20T19:00:00"_s,
                    u"支出 房租 2000 2023-11-01T09:00:00"_s});
        m_totals = std::make_unique<DailyTotals>(*m_store);
        m_view = std::make_unique<TrendsView>(*m_store, *m_totals);
        m_view->resize(900, 700);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup()
    {
        m_view.reset();
        m_totals.reset();
        closeStore();
    }

    // The keyboard walks the months and Return opens one; a click on a bar opens its month.
    void chartOpensMonths()
    {
        m_view->yearPicker()->setCurrentIndex(m_view->yearPicker()->findData(2024));
        Q_EMIT m_view->yearPicker()->activated(m_view->yearPicker()->currentIndex());
        QCOMPARE(m_view->model().year(), 2024);
        QSignalSpy opened(m_view.get(), &TrendsView::monthRequested);
        MonthBarsChart *chart = m_view->chart();
        chart->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(chart->hasFocus());
        QTest::keyClick(chart, Qt::Key_End);
        QTest::keyClick(chart, Qt::Key_Left);
        QCOMPARE(chart->currentMonth(), 10);
        QCOMPARE(chart->monthText(10), u"2024年11月　收入 ¥0.00　支出 ¥80.00　结余 -¥80.00"_s);
        QTest::keyClick(chart, Qt::Key_Return);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.last().at(0).toDate(), QDate(2024, 11, 1));

        QTest::mouseClick(chart, Qt::LeftButton, {}, chart->barRects(2).value(1).center());
        QCOMPARE(opened.count(), 2);
        QCOMPARE(opened.last().at(0).toDate(), QDate(2024, 3, 1));
    }

    // Choosing a category charts its months alone, with its share of each month's expense.
    void categoryChart()
    {
        QComboBox *categories = m_view->categoryPicker();
        m_view->yearPicker()->setCurrentIndex(m_view->yearPicker()->findData(2024));
        Q_EMIT m_view->yearPicker()->activated(m_view->yearPicker()->currentIndex());
        const int dining = categories->findData(u"餐饮"_s);
        QVERIFY(dining > 0);
        categories->setCurrentIndex(dining);
        Q_EMIT categories->activated(dining);
        QCOMPARE(m_view->chart()->series().category(), u"餐饮"_s);
        QCOMPARE(m_view->chart()->barRects(2).size(), 1);
        QCOMPARE(m_view->chart()->monthText(2), u"2024年3月　餐饮 ¥32.00，占当月支出 63%"_s);
    }

    // Every bar and the average are items of the chart for a screen reader, each with its text.
    void chartItemsAreRead()
    {
        QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(m_view->chart());
        QVERIFY(chart);
        QCOMPARE(chart->role(), QAccessible::Chart);
        QCOMPARE(chart->childCount(), 25);
        QStringList names;
        for (int i = 0; i < chart->childCount(); ++i) {
            QVERIFY(!chart->child(i)->rect().isEmpty());
            names.append(chart->child(i)->text(QAccessible::Name));
        }
        QVERIFY(names.contains(u"2024年3月 收入 ¥5,000.00"_s));
        QVERIFY(names.contains(u"2024年3月 支出 ¥50.50，结余 ¥4,949.50"_s));
        QVERIFY(names.last().startsWith(u"月平均支出 "_s));
    }

    // A click or Return on a day lists its entries under the calendar.
    void calendarListsADay()
    {
        m_view->pagePicker()->setCurrentIndex(2);
        QCOMPARE(m_view->model().page(), TrendsModel::Page::calendar);
        m_view->yearPicker()->setCurrentIndex(m_view->yearPicker()->findData(2024));
        Q_EMIT m_view->yearPicker()->activated(m_view->yearPicker()->currentIndex());
        m_view->monthPicker()->setCurrentIndex(3);
        Q_EMIT m_view->monthPicker()->activated(3);
        CalendarGrid *grid = m_view->calendarGrid();
        QCOMPARE(grid->calendar().days().size(), std::size_t(31));
        QVERIFY(!m_view->dayEntries()->isVisible());

        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->dayRect(QDate(2024, 3, 5)).center());
        QCOMPARE(m_view->model().chosenDay(), QDate(2024, 3, 5));
        QVERIFY(m_view->dayEntries()->isVisible());
        QCOMPARE(m_view->dayEntries()->rowCount(), 2);
        QCOMPARE(m_view->dayEntries()->heading()->text(), u"2024年3月5日　2笔，支出 ¥50.50"_s);

        grid->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Home);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(m_view->model().chosenDay(), QDate(2024, 3, 1));
        QCOMPARE(m_view->dayEntries()->rowCount(), 1);

        QAccessibleInterface *days = QAccessible::queryAccessibleInterface(grid);
        QCOMPARE(days->childCount(), 31);
        QCOMPARE(days->child(4)->text(QAccessible::Name), u"3月5日 周二 支出 ¥50.50，2笔"_s);
        QCOMPARE(days->child(5)->text(QAccessible::Name), u"3月6日 周三 无支出"_s);

        // The whole year: twelve small months, every day an item.
        m_view->monthPicker()->setCurrentIndex(0);
        Q_EMIT m_view->monthPicker()->activated(0);
        QCOMPARE(days->childCount(), 366);
    }

    // "分享" saves the card as a PNG where the chooser says, at twice its size.
    void shareSavesAPicture()
    {
        m_view->pagePicker()->setCurrentIndex(1);
        YearReviewPanel *panel = m_view->reviewPanel();
        QVERIFY(panel->isVisible());
        QVERIFY(panel->texts().contains(u"2024 年度账单"_s));
        QVERIFY(panel->texts().contains(u"¥5,000.00"_s));
        QVERIFY(panel->texts().contains(u"¥130.50"_s));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"年度账单"_s);
        QString proposed;
        panel->setChooser([&](QWidget *, const QString &offered) {
            proposed = offered;
            return path;
        });
        QSignalSpy saved(panel, &YearReviewPanel::saved);
        QTest::mouseClick(panel->shareButton(), Qt::LeftButton);
        QCOMPARE(saved.count(), 1);
        QVERIFY(proposed.endsWith(u"Pennyloom-2024年度账单.png"_s));
        const QImage picture(path + u".png"_s);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), panel->poster()->size() * 2);
    }

private:
    std::unique_ptr<DailyTotals> m_totals;
    std::unique_ptr<TrendsView> m_view;
};

PENNYLOOM_TEST(TrendsViewTest)

#include "tst_TrendsView.moc"
