// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "app/ContentView.h"
#include "app/PennyloomApp.h"
#include "app/StatisticsStack.h"
#include "app/UndoBar.h"
#include "assets/AssetDimension.h"
#include "bills/BillsListModel.h"
#include "bills/BillsView.h"
#include "budget/BudgetView.h"
#include "entry/AddEntryView.h"
#include "entry/EditEntryView.h"
#include "entry/SmartEntryView.h"
#include "fixedassets/FixedAssetManagementView.h"
#include "overview/DashboardView.h"
#include "settings/SettingsView.h"
#include "statistics/StatisticsView.h"
#include "store/ModelStore.h"
#include "trends/MonthBarsChart.h"
#include "trends/TrendsView.h"
#include "ui/EmptyState.h"
#include "ui/FixedRowListView.h"
#include "ui/SegmentedControl.h"

#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

QPushButton *buttonNamed(QWidget *root, const QString &text)
{
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        if (button->text() == text && button->isVisible())
            return button;
    }
    return nullptr;
}

} // namespace

class ContentViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QString error;
        m_store = ModelStore::open(m_dir->filePath(u"store.sqlite"_s), &error);
        QVERIFY2(m_store, qPrintable(error));
    }

    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void sidebarRowsInOrder()
    {
        ContentView view(*m_store);
        const QStringList expected{u"概览"_s, u"账单"_s,     u"统计"_s,         u"小票机"_s,
                                   u"存钱"_s, u"资产管理"_s, u"固定资产管理"_s, u"设置"_s};
        QStringList rows;
        for (int i = 0; i < view.workspaceList()->count(); ++i)
            rows.append(view.workspaceList()->item(i)->text());
        QCOMPARE(rows, expected);
    }

    void overviewSelectedAtStart()
    {
        ContentView view(*m_store);
        QCOMPARE(view.model().selection(), std::optional(Workspace::overview));
        QCOMPARE(view.workspaceList()->currentRow(), 0);
        QCOMPARE(view.detailScreen()->objectName(), u"workspace:概览"_s);
    }

    void clearedSelectionShowsOverview()
    {
        ContentView view(*m_store);
        view.show();
        view.workspaceList()->setCurrentRow(3);
        QCOMPARE(view.model().selection(), std::optional(Workspace::receipt));
        QCOMPARE(view.detailScreen()->objectName(), u"workspace:小票机"_s);
        view.workspaceList()->clearSelection();
        QCOMPARE(view.model().selection(), std::nullopt);
        QCOMPARE(view.detailScreen()->objectName(), u"workspace:概览"_s);
    }

    void switchingReplacesTheScreen()
    {
        ContentView view(*m_store);
        QPointer<QWidget> first = view.detailScreen();
        view.model().setSelection(Workspace::settings);
        QCOMPARE(view.workspaceList()->currentRow(), 7);
        QVERIFY(view.detailScreen() != first.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(qobject_cast<SettingsView *>(view.detailScreen()));
    }

    void windowLimits()
    {
        ContentView view(*m_store);
        view.show();
        // Small laptop screens hold the window: the pages scroll below their own size.
        QVERIFY(view.minimumWidth() <= 1024 && view.minimumHeight() <= 540);
        view.resize(2400, 1000);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::processEvents();
        const QWidget *sidebar = view.findChild<QWidget *>(u"sidebar"_s);
        QVERIFY(sidebar);
        QVERIFY(sidebar->width() <= 300);
        QVERIFY(sidebar->width() >= 230);
        view.resize(1080, 720);
        QCoreApplication::processEvents();
        TestSupport::screenshot(&view, u"window"_s);
    }

    void smartEntryOpensOverAnyWorkspaceAndSaves()
    {
        const TestSupport::ScopedClock clock(TestSupport::local(2026, 12, 7, 12, 30));
        ContentView view(*m_store);
        view.show();
        view.model().setSelection(Workspace::statistics);
        QPushButton *button = view.findChild<QPushButton *>(u"smartEntryButton"_s);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(view.model().showingSmartEntry());
        auto *sheet = qobject_cast<SmartEntryView *>(view.smartEntrySheet());
        QVERIFY(sheet);
        QVERIFY(sheet->isVisible());
        QCOMPARE(view.model().selection(), std::optional(Workspace::statistics));

        TestSupport::typeText(sheet->sentenceField(), u"午饭花了32元"_s);
        QTest::keyClick(sheet->sentenceField(), Qt::Key_Return);
        QVERIFY(sheet->draftCard()->isVisible());
        TestSupport::screenshot(sheet, u"smart-entry"_s);
        QTest::mouseClick(sheet->confirmButton(), Qt::LeftButton);
        QTRY_VERIFY(!view.model().showingSmartEntry());
        QCOMPARE(m_store->entries().size(), size_t(1));
        QCOMPARE(m_store->entries().front().category, u"餐饮"_s);
        QCOMPARE(m_store->entries().front().note, u"午饭"_s);
    }

    void dropOpensTheImport_data()
    {
        QTest::addColumn<bool>("file");
        QTest::newRow("a bill dropped is offered for import") << true;
        QTest::newRow("a dropped text is not taken") << false;
    }

    // A file dropped on the window opens its import; importing it is one step the undo bar
    // offers to take back.
    void dropOpensTheImport()
    {
        QFETCH(bool, file);
        ContentView view(*m_store);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QMimeData mime;
        if (file)
            mime.setUrls({QUrl::fromLocalFile(QStringLiteral(PENNYLOOM_IMPORT_DATA) + u"/wechat.csv"_s)});
        else
            mime.setText(u"午饭 32"_s);
        const QPoint centre = view.rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &enter);
        QCOMPARE(enter.isAccepted(), file);
        QDropEvent drop(QPointF(centre), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &drop);
        QCOMPARE(view.importSheet() != nullptr, file);
        if (!file)
            return;
        QTRY_VERIFY(!view.importSheet()->model().reading());
        QTest::mouseClick(view.importSheet()->confirmButton(), Qt::LeftButton);
        QCOMPARE(m_store->entries().size(), 8u);
        QTRY_VERIFY(view.undoBar()->isVisible());
        QCOMPARE(view.undoBar()->message()->text(), u"已导入 8 条记录"_s);
        QTest::mouseClick(view.undoBar()->undoButton(), Qt::LeftButton);
        QCOMPARE(m_store->entries().size(), 0u);
    }

    void eachOpeningStartsAfresh()
    {
        ContentView view(*m_store);
        view.show();
        view.model().setShowingAdd(true);
        auto *sheet = qobject_cast<AddEntryView *>(view.addSheet());
        QVERIFY(sheet);
        QTest::keyClicks(sheet->amountField(), u"18"_s);
        QTest::keyClick(sheet, Qt::Key_Escape);
        QTRY_VERIFY(!view.model().showingAdd());
        QVERIFY(m_store->entries().empty());

        QTest::mouseClick(buttonNamed(view.detailScreen(), u"记一笔"_s), Qt::LeftButton);
        QVERIFY(view.model().showingAdd());
        auto *again = qobject_cast<AddEntryView *>(view.addSheet());
        QVERIFY(again);
        QVERIFY(again->amountField()->text().isEmpty());
        QVERIFY(!again->saveButton()->isEnabled());
        TestSupport::screenshot(again, u"add-entry"_s);
        again->reject();
        QTRY_VERIFY(!view.model().showingAdd());
    }

    void editFormShowsTheEntry()
    {
        LedgerEntry entry(3.456, TestSupport::local(2026, 11, 20, 9, 15), EntryKind::income, u"退款"_s,
                          u"退回的押金"_s);
        QVERIFY(m_store->insert(entry));
        EditEntryView sheet(*m_store, m_store->entries().front());
        sheet.show();
        QCOMPARE(sheet.amountField()->text(), u"3.46"_s);
        TestSupport::screenshot(&sheet, u"edit-entry"_s);
    }

    void smartEntryExplainsAFailedRecognition()
    {
        SmartEntryView sheet(*m_store);
        sheet.show();
        TestSupport::typeText(sheet.sentenceField(), u"花了"_s);
        QTest::mouseClick(sheet.recognizeButton(), Qt::LeftButton);
        QVERIFY(sheet.emptyState()->isVisible());
        QVERIFY(!sheet.draftCard()->isVisible());
        TestSupport::screenshot(&sheet, u"smart-entry-empty"_s);
    }

    // "管理" opens the budget workspace over the dashboard, still under the overview row;
    // going back shows the dashboard as of that moment.
    void budgetWorkspaceOpensInsideTheOverview()
    {
        TestSupport::ScopedClock clock(TestSupport::local(2024, 3, 20, 12));
        ContentView view(*m_store);
        view.show();
        auto *stack = qobject_cast<QStackedWidget *>(view.detailScreen());
        QVERIFY(stack);
        auto *dashboard = qobject_cast<DashboardView *>(stack->currentWidget());
        QVERIFY(dashboard);
        QTest::mouseClick(buttonNamed(view.detailScreen(), u"管理"_s), Qt::LeftButton);
        auto *budgets = qobject_cast<BudgetView *>(stack->currentWidget());
        QVERIFY(budgets);
        QCOMPARE(view.model().selection(), std::optional(Workspace::overview));

        QVERIFY(m_store->insert(Budget(u"餐饮"_s, 300, TestSupport::local(2024, 3, 20),
                                       TestSupport::local(2024, 3, 15), TestSupport::local(2024, 4, 14))));
        // The budgets stay open past midnight into the next month; back on the dashboard,
        // the figures are those of the new day.
        QVERIFY(m_store->insert(Budget(u"交通"_s, 80, TestSupport::local(2024, 3, 20))));
        clock.clock().set(TestSupport::local(2024, 4, 15, 0, 5));
        QTest::mouseClick(budgets->backButton(), Qt::LeftButton);
        QCOMPARE(stack->currentWidget(), dashboard);
        QTRY_COMPARE(stack->count(), 1);
        QCOMPARE(dashboard->model().budget(), 0.0);
        QCOMPARE(dashboard->model().periodTitle(), u"2024年4月"_s);
    }

    // An entry saved through the shell's sheet shows on the dashboard and in the bills list
    // without switching workspaces; a deletion in the bills list leaves both at once.
    void everyScreenFollowsTheStore()
    {
        const TestSupport::ScopedClock clock(TestSupport::local(2024, 3, 20, 12));
        ContentView view(*m_store);
        view.show();
        auto *dashboard = view.detailScreen()->findChild<DashboardView *>();
        QVERIFY(dashboard);
        view.model().setShowingAdd(true);
        auto *sheet = qobject_cast<AddEntryView *>(view.addSheet());
        QVERIFY(sheet);
        QTest::keyClicks(sheet->amountField(), u"32"_s);
        QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
        QTRY_VERIFY(!view.model().showingAdd());
        QCOMPARE(dashboard->model().expense(), 32.0);
        QCOMPARE(dashboard->recentRows().size(), size_t(1));

        view.model().setSelection(Workspace::bills);
        auto *bills = qobject_cast<BillsView *>(view.detailScreen());
        QVERIFY(bills);
        QCOMPARE(bills->model().filteredCount(), 1);
        QVERIFY(bills->model().deleteEntries({0}, bills->model().dayEntries(0)));
        QCOMPARE(bills->model().filteredCount(), 0);
        QVERIFY(m_store->entries().empty());
        QCOMPARE(bills->expenseTotal()->text(), u"支出 ¥0.00"_s);
    }

    // 记一笔 and a click on an entry in the bills screen open the shell's forms, one at a time
    // and none of the screen's own; what they save shows on the screen at once.
    void billsScreenOpensTheShellsForms()
    {
        const TestSupport::ScopedClock clock(TestSupport::local(2024, 3, 20, 12));
        const LedgerEntry lunch(32, TestSupport::local(2024, 3, 20, 11), EntryKind::expense, u"餐饮"_s);
        QVERIFY(m_store->insert(lunch));
        ContentView view(*m_store);
        view.model().setSelection(Workspace::bills);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto *bills = qobject_cast<BillsView *>(view.detailScreen());
        QVERIFY(bills);

        QTest::mouseClick(bills->addButton(), Qt::LeftButton);
        auto *add = qobject_cast<AddEntryView *>(view.addSheet());
        QVERIFY(add);
        QCOMPARE(view.findChildren<QDialog *>().size(), 1);
        QCOMPARE(add->dateField()->date(), QDate(2024, 3, 20));
        QTest::keyClicks(add->amountField(), u"9.9"_s);
        QTest::mouseClick(add->saveButton(), Qt::LeftButton);
        QTRY_VERIFY(!view.model().showingAdd());
        QCOMPARE(bills->expenseTotal()->text(), u"支出 ¥41.90"_s);

        const QRect row = bills->listView()->visualRect(bills->listModel()->indexOfEntry(lunch.id));
        QTest::mouseClick(bills->listView()->viewport(), Qt::LeftButton, {}, row.center());
        auto *edit = qobject_cast<EditEntryView *>(view.editSheet());
        QVERIFY(edit);
        QCOMPARE(edit->amountField()->text(), u"32.00"_s);
        TestSupport::retype(edit->amountField(), u"40"_s);
        QTest::mouseClick(edit->saveButton(), Qt::LeftButton);
        QTRY_VERIFY(!view.editSheet());
        QVERIFY(!view.model().editingEntry());
        QCOMPARE(m_store->find<LedgerEntry>(lunch.id)->amount, 40.0);
        QCOMPARE(bills->expenseTotal()->text(), u"支出 ¥49.90"_s);
    }

    // A stored date at any instant a date can hold, the file's own or a hand edit's, is totalled,
    // grouped and drawn by every workspace, on every visit.
    void everyWorkspaceDrawsAnyStoredDate_data()
    {
        QTest::addColumn<qint64>("msecs");
        QTest::newRow("largest instant") << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest instant") << std::numeric_limits<qint64>::min();
        QTest::newRow("year 10000") << qint64(253'402'300'800'000);
        QTest::newRow("year 1") << qint64(-62'135'596'800'000);
        QTest::newRow("before the epoch") << qint64(-1);
    }

    void everyWorkspaceDrawsAnyStoredDate()
    {
        QFETCH(qint64, msecs);
        const TestSupport::ScopedClock clock(TestSupport::local(2024, 3, 20, 12));
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
        QVERIFY(m_store->insert(LedgerEntry(5, at, EntryKind::expense, u"餐饮"_s, u"远"_s)));
        QVERIFY(m_store->insert(LedgerEntry(7, at, EntryKind::income, u"工资"_s)));
        QVERIFY(m_store->insert(LedgerEntry(9, Clock::now(), EntryKind::expense, u"交通"_s)));
        QVERIFY(m_store->insert(Budget(u"餐饮"_s, 100, at, at, at)));
        SavingsGoal goal(u"旅行"_s, 1000, at);
        QVERIFY(m_store->insert(goal));
        QVERIFY(m_store->insert(SavingsDeposit(goal.id, 10, at)));
        const QString owned = AssetDimensions::rawValue(AssetDimension::owned);
        AssetAccount account(u"钱包"_s, AssetDimensions::kinds(AssetDimension::owned).constFirst(), owned, 50,
                             at);
        QVERIFY(m_store->insert(account));
        QVERIFY(m_store->insert(AssetAdjustment(account.id, 3, at)));
        QVERIFY(m_store->insert(FixedAsset(u"电子设备"_s, u"电脑"_s, 100, at, 60)));

        for (int visit = 0; visit < 2; ++visit) {
            ContentView view(*m_store);
            view.show();
            for (const Workspace workspace : Workspaces::allCases()) {
                view.model().setSelection(workspace);
                QCoreApplication::processEvents();
                QVERIFY(!view.detailScreen()->grab().isNull());
            }
        }
    }

    void keyboardShortcuts_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("fromSidebar");
        QTest::addColumn<int>("workspace");
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("smart");

        QTest::newRow("Ctrl+2 bills")
            << QKeySequence(u"Ctrl+2"_s) << false << int(Workspace::bills) << false << false;
        QTest::newRow("Ctrl+8 settings")
            << QKeySequence(u"Ctrl+8"_s) << false << int(Workspace::settings) << false << false;
        QTest::newRow("Ctrl+N add") << QKeySequence(u"Ctrl+N"_s) << false << int(Workspace::overview) << true
                                    << false;
        QTest::newRow("Ctrl+Shift+N smart")
            << QKeySequence(u"Ctrl+Shift+N"_s) << false << int(Workspace::overview) << false << true;
        QTest::newRow("Ctrl+K smart")
            << QKeySequence(u"Ctrl+K"_s) << false << int(Workspace::overview) << false << true;
        QTest::newRow("Ctrl+N, sidebar focused")
            << QKeySequence(u"Ctrl+N"_s) << true << int(Workspace::overview) << true << false;
        QTest::newRow("Ctrl+8, sidebar focused")
            << QKeySequence(u"Ctrl+8"_s) << true << int(Workspace::settings) << false << false;
    }

    // The keys work wherever the focus is in the window.
    void keyboardShortcuts()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(bool, fromSidebar);
        QFETCH(int, workspace);
        QFETCH(bool, add);
        QFETCH(bool, smart);
        ContentView view(*m_store);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QWidget *target = &view;
        if (fromSidebar) {
            target = view.workspaceList();
            target->setFocus();
            QTRY_VERIFY(target->hasFocus());
        }
        QTest::keySequence(target, keys);
        QCOMPARE(int(view.model().shownWorkspace()), workspace);
        QCOMPARE(view.model().showingAdd(), add);
        QCOMPARE(view.model().showingSmartEntry(), smart);
    }

    // 年度趋势 opens over 统计 from its header and from Ctrl+T anywhere; a month opened from the
    // trend shows in 统计, and the trends are there again as they were.
    void trendsOpenOverStatistics()
    {
        TestSupport::ScopedClock clock(TestSupport::local(2024, 3, 20, 12));
        QVERIFY(m_store->insert(
            LedgerEntry(30, TestSupport::local(2024, 2, 10, 12), EntryKind::expense, u"餐饮"_s)));
        ContentView view(*m_store);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QTest::keySequence(&view, QKeySequence(u"Ctrl+T"_s));
        QCOMPARE(view.model().shownWorkspace(), Workspace::statistics);
        auto *stack = qobject_cast<StatisticsStack *>(view.detailScreen());
        QVERIFY(stack);
        QVERIFY(stack->trends());
        QCOMPARE(stack->currentWidget(), stack->trends());
        TrendsView *trends = stack->trends();
        MonthBarsChart *chart = trends->chart();
        chart->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(chart->hasFocus());
        QTest::keyClick(chart, Qt::Key_Left);
        QTest::keyClick(chart, Qt::Key_Return);
        QCOMPARE(stack->currentWidget(), stack->statistics());
        StatisticsModel &statistics = stack->statistics()->model();
        QCOMPARE(statistics.range(), PeriodChoice::month);
        QCOMPARE(statistics.interval().start, TestSupport::local(2024, 2, 1));
        QCOMPARE(statistics.expense(), 30.0);

        QTest::mouseClick(stack->statistics()->trendsButton(), Qt::LeftButton);
        QCOMPARE(stack->currentWidget(), trends);
        QCOMPARE(trends->pagePicker()->currentIndex(), 0);
        QTest::mouseClick(trends->backButton(), Qt::LeftButton);
        QCOMPARE(stack->currentWidget(), stack->statistics());

        // The other workspaces and their keys are as they were.
        QTest::keySequence(&view, QKeySequence(u"Ctrl+3"_s));
        QCOMPARE(view.model().shownWorkspace(), Workspace::statistics);
        QTest::keySequence(&view, QKeySequence(u"Ctrl+4"_s));
        QCOMPARE(view.model().shownWorkspace(), Workspace::receipt);
    }

    void findFocusesBillsSearch()
    {
        ContentView view(*m_store);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QTest::keySequence(&view, QKeySequence(u"Ctrl+F"_s));
        auto *bills = qobject_cast<BillsView *>(view.detailScreen());
        QVERIFY(bills);
        QTRY_VERIFY(bills->searchField()->hasFocus());
    }

    void windowStateSurvivesARestart_data()
    {
        QTest::addColumn<QSize>("closedAt");
        // Whether the window reopens at the size it closed at, or is placed on the screen anew.
        QTest::addColumn<bool>("kept");

        QTest::newRow("fits the screen") << QSize(780, 560) << true;
        QTest::newRow("larger than the screen") << QSize(1300, 900) << false;
        QTest::newRow("below the least size") << QSize(200, 150) << false;
    }

    void windowStateSurvivesARestart()
    {
        QFETCH(QSize, closedAt);
        QFETCH(bool, kept);
        {
            // A window of the saved size; the program's own cannot be made smaller than its
            // minimum, but a file from elsewhere may say so.
            QWidget window;
            window.move(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(10, 10));
            window.show();
            window.resize(closedAt);
            QTRY_COMPARE(window.size(), closedAt);
            QSettings().setValue(u"window/geometry"_s, window.saveGeometry());
        }
        QSize reopenedAt;
        {
            ContentView view(*m_store);
            view.restoreWindowState();
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            if (kept)
                QCOMPARE(view.size(), closedAt);
            QVERIFY(view.size().width() >= view.minimumWidth() &&
                    view.size().height() >= view.minimumHeight());
            QVERIFY(view.screen()->availableGeometry().contains(view.frameGeometry()));
            reopenedAt = view.size();
            view.close();
        }
        ContentView again(*m_store);
        again.restoreWindowState();
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.size(), reopenedAt);
    }

    // A failed save is shown in a box over the window without a loop of its own, so whatever
    // reported it (a bus call owed its answer, say) goes on at once.
    void failedSaveDoesNotHoldUpTheCaller()
    {
        ContentView window(*m_store);
        PennyloomApp::reportWriteFailures(*m_store, window);
        window.show();
        bool reporting = true;
        bool heldUp = false;
        // Only runs while the report is still under way if the box waits for the user.
        QTimer::singleShot(0, &window, [&] {
            heldUp = reporting;
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        Q_EMIT m_store->writeFailed(u"磁盘已满"_s);
        reporting = false;
        QVERIFY(!heldUp);
        auto *box = window.findChild<QMessageBox *>();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QVERIFY(box->text().startsWith(u"磁盘已满"_s));
        box->close();
    }

    void fixedAssetsWorkspace()
    {
        ContentView view(*m_store);
        view.model().setSelection(Workspace::fixedAssets);
        auto *screen = qobject_cast<FixedAssetManagementView *>(view.detailScreen());
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), u"workspace:固定资产管理"_s);
        QVERIFY(m_store->insert(FixedAsset(u"车辆"_s, u"轿车"_s, 12000, 60)));
        QCOMPARE(screen->model().totalValue(), 12000.0);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModelStore> m_store;
};

PENNYLOOM_TEST(ContentViewTest)
#include "tst_ContentView.moc"
