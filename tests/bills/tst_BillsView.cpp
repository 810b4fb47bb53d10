// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsFixtures.h"
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "bills/BillsDelegate.h"
#include "bills/BillsLedger.h"
#include "bills/BillsListModel.h"
#include "bills/BillsModel.h"
#include "bills/BillsView.h"
#include "model/EntryText.h"
#include "store/ModelStore.h"
#include "ui/EntryRow.h"
#include "ui/FixedRowListView.h"
#include "ui/ItemActions.h"
#include "ui/SegmentedControl.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace BillsFixtures;
using TestSupport::local;

class BillsListModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(fixedNow())); }
    void cleanup() { closeStore(); }

    void rowsFollowTheModel();
};

void BillsListModelTest::rowsFollowTheModel()
{
    const LedgerEntry lunch =
        add(entry(32, local(2024, 3, 6, 12, 0), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
    add(entry(5000, local(2024, 3, 6, 9, 0), EntryKind::income, u"工资"_s));
    add(entry(6, local(2024, 3, 5, 8, 0), EntryKind::expense, u"交通"_s, u"地铁"_s));
    BillsLedger ledger(*m_store);
    BillsModel bills(*m_store, ledger);
    BillsListModel list(bills);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(list.rowCount(), 5);
    const auto text = [&](int row) { return list.index(row).data(Qt::AccessibleTextRole).toString(); };
    QCOMPARE(text(0), u"3月6日 星期三，支出 ¥32.00，收入 ¥5,000.00"_s);
    QCOMPARE(text(1), EntryText::accessible(lunch));
    QCOMPARE(list.index(1).data(Qt::DisplayRole).toString(), text(1));
    QCOMPARE(text(3), u"3月5日 星期二，支出 ¥6.00，收入 ¥0.00"_s);
    QCOMPARE(list.index(4).data(BillsListModel::PositionInDayRole).toInt(), 0);
    QCOMPARE(list.index(4).data(BillsListModel::GroupRole).toInt(), 1);
    QCOMPARE(list.index(1).data(BillsListModel::EntryIdRole).toUuid(), lunch.id);
    QVERIFY(!list.flags(list.index(0)).testFlag(Qt::ItemIsSelectable));
    QVERIFY(list.flags(list.index(1)).testFlag(Qt::ItemIsSelectable));
    QCOMPARE(list.indexOfEntry(lunch.id), list.index(1));

    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    bills.setSearchText(u"地铁"_s);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(list.rowCount(), 2);
    QCOMPARE(text(0), u"3月5日 星期二，支出 ¥6.00，收入 ¥0.00"_s);
    QVERIFY(!list.indexOfEntry(lunch.id).isValid());

    bills.setSearchText(QString());
    add(entry(1, local(2024, 3, 7, 8, 0), EntryKind::expense, u"餐饮"_s));
    QVERIFY(m_store->remove<LedgerEntry>(lunch.id));
    QCOMPARE(list.rowCount(), 6);
    QCOMPARE(text(2), u"3月6日 星期三，支出 ¥0.00，收入 ¥5,000.00"_s);
}

class BillsViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void searchAndTotals();
    void customRange();
    void askBeforeDeleting_data();
    void askBeforeDeleting();
    void deleteKeyDeletesAtOnce();
    void clickAsksToEdit();
    void clickFarDown_data();
    void clickFarDown();
    void accessibleRows_data();
    void accessibleRows();
    void keyboardRow();
    void addButtonAsksForTheForm();
    void closesWithTheAlertOpen();

private:
    QRect rowRect(const QUuid &id) const;
    void clickTrash(const QUuid &id);
    void openContextMenu(const QUuid &id);

    std::unique_ptr<BillsLedger> m_ledger;
    std::unique_ptr<BillsView> m_view;
    LedgerEntry m_lunch;
    LedgerEntry m_salary;
    LedgerEntry m_metro;
};

void BillsViewTest::init()
{
    QVERIFY(openStore(fixedNow()));
    m_lunch = add(entry(32, local(2024, 4, 9, 12, 10), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
    m_salary = add(entry(8000, local(2024, 4, 9, 9, 0), EntryKind::income, u"工资"_s));
    m_metro = add(entry(6, local(2024, 4, 8, 8, 30), EntryKind::expense, u"交通"_s, u"地铁"_s));
    add(entry(268, local(2024, 4, 8, 19, 45), EntryKind::expense, u"购物"_s, u"ABC 超市"_s));
    add(entry(45.5, local(2024, 3, 30, 20, 0), EntryKind::expense, u"餐饮"_s, u"和同事聚餐"_s));
    add(entry(200, local(2024, 3, 28, 18, 0), EntryKind::income, u"红包"_s));
    add(entry(15, local(2024, 2, 14, 10, 0), EntryKind::expense, u"娱乐"_s, u"电影"_s));
    m_ledger = std::make_unique<BillsLedger>(*m_store);
    m_view = std::make_unique<BillsView>(*m_store, *m_ledger);
    m_view->resize(960, 720);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void BillsViewTest::cleanup()
{
    m_view.reset();
    m_ledger.reset();
    closeStore();
}

QRect BillsViewTest::rowRect(const QUuid &id) const
{
    const QModelIndex index = m_view->listModel()->indexOfEntry(id);
    m_view->listView()->scrollTo(index);
    return m_view->listView()->visualRect(index);
}

void BillsViewTest::clickTrash(const QUuid &id)
{
    QTest::mouseClick(m_view->listView()->viewport(), Qt::LeftButton, {},
                      BillsDelegate::trashRect(rowRect(id)).center());
}

void BillsViewTest::openContextMenu(const QUuid &id)
{
    const QPoint at = rowRect(id).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, m_view->listView()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m_view->listView()->viewport(), &event);
}

void BillsViewTest::searchAndTotals()
{
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥8,200.00"_s);
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥366.50"_s);
    QCOMPARE(m_view->balanceTotal()->text(), u"结余 ¥7,833.50"_s);
    QCOMPARE(m_view->listModel()->rowCount(), 7 + 5);
    TestSupport::screenshot(m_view.get(), u"bills-days"_s);

    QCOMPARE(m_view->searchField()->placeholderText(), u"搜索分类、备注或类型"_s);
    m_view->searchField()->setFocus();
    TestSupport::typeText(m_view->searchField(), u"餐"_s);
    QCOMPARE(m_view->model().searchText(), u"餐"_s);
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥0.00"_s);
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥77.50"_s);
    QCOMPARE(m_view->balanceTotal()->text(), u"结余 -¥77.50"_s);
    QCOMPARE(m_view->listModel()->index(0).data().toString(), u"4月9日 星期二，支出 ¥32.00，收入 ¥0.00"_s);
    QCOMPARE(m_view->listModel()->rowCount(), 4);
    TestSupport::screenshot(m_view.get(), u"bills-search"_s);

    // A new entry that matches shows up at once, in its day and in the totals.
    add(entry(18, local(2024, 4, 9, 18, 0), EntryKind::expense, u"餐饮"_s, u"晚饭"_s));
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥95.50"_s);
    QCOMPARE(m_view->listModel()->index(0).data().toString(), u"4月9日 星期二，支出 ¥50.00，收入 ¥0.00"_s);
}

void BillsViewTest::customRange()
{
    QVERIFY(!m_view->customRange()->isVisible());
    QPushButton *custom = nullptr;
    for (QPushButton *button : m_view->dateModeControl()->findChildren<QPushButton *>()) {
        if (button->text() == u"自定义日期"_s)
            custom = button;
    }
    QVERIFY(custom);
    QTest::mouseClick(custom, Qt::LeftButton);
    QVERIFY(m_view->model().dateMode() == PeriodChoice::custom);
    QVERIFY(m_view->customRange()->isVisible());
    QCOMPARE(m_view->startPicker()->date(), QDate(2024, 3, 10));
    QCOMPARE(m_view->endPicker()->date(), QDate(2024, 4, 10));
    QCOMPARE(m_view->endPicker()->minimumDate(), QDate(2024, 3, 10));
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥8,200.00"_s);
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥351.50"_s);

    m_view->startPicker()->setDate({2024, 3, 29});
    m_view->endPicker()->setDate({2024, 4, 8});
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥319.50"_s);
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥0.00"_s);
    TestSupport::screenshot(m_view.get(), u"bills-custom"_s);

    // The end picker offers no day before the start: a later start takes the end along.
    m_view->startPicker()->setDate({2024, 4, 9});
    QCOMPARE(m_view->endPicker()->minimumDate(), QDate(2024, 4, 9));
    QCOMPARE(m_view->model().endDate().date(), QDate(2024, 4, 9));
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥32.00"_s);

    QTest::mouseClick(m_view->dateModeControl()->findChildren<QPushButton *>().first(), Qt::LeftButton);
    QVERIFY(!m_view->customRange()->isVisible());
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥366.50"_s);
}

void BillsViewTest::askBeforeDeleting_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");

    QTest::newRow("trash, 删除") << false << u"删除"_s << true;
    QTest::newRow("trash, 取消") << false << u"取消"_s << false;
    QTest::newRow("trash, Escape") << false << QString() << false;
    QTest::newRow("删除账单, 删除") << true << u"删除"_s << true;
    QTest::newRow("删除账单, 取消") << true << u"取消"_s << false;
}

void BillsViewTest::askBeforeDeleting()
{
    QFETCH(bool, fromMenu);
    QFETCH(QString, answer);
    QFETCH(bool, deleted);

    QSignalSpy editRequests(m_view.get(), &BillsView::editRequested);
    if (fromMenu) {
        openContextMenu(m_metro.id);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QAction *remove = menu->actions().first();
        QCOMPARE(remove->text(), u"删除账单"_s);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(remove).center());
    } else {
        clickTrash(m_metro.id);
    }
    QCOMPARE(editRequests.count(), 0);
    QMessageBox *alert = m_view->deletionAlert();
    QVERIFY(alert);
    QVERIFY(QTest::qWaitForWindowExposed(alert));
    QCOMPARE(m_view->model().pendingDeletion()->id, m_metro.id);
    QCOMPARE(alert->text(), u"删除这笔账单？"_s);
    QCOMPARE(alert->informativeText(), u"删除后无法从应用内恢复。"_s);
    QCOMPARE(alert->buttons().size(), 2);
    QVERIFY(m_store->find<LedgerEntry>(m_metro.id));
    TestSupport::screenshot(alert, u"bills-delete-alert"_s);

    QAbstractButton *chosen = nullptr;
    for (QAbstractButton *button : alert->buttons()) {
        if (button->text() == answer)
            chosen = button;
    }
    if (answer == u"删除"_s)
        QCOMPARE(alert->buttonRole(chosen), QMessageBox::DestructiveRole);
    if (chosen)
        QTest::mouseClick(chosen, Qt::LeftButton);
    else
        QTest::keyClick(alert, Qt::Key_Escape);
    QTRY_VERIFY(!m_view->deletionAlert());
    QVERIFY(!m_view->model().pendingDeletion());

    QCOMPARE(m_store->find<LedgerEntry>(m_metro.id) == nullptr, deleted);
    QCOMPARE(m_view->listModel()->indexOfEntry(m_metro.id).isValid(), !deleted);
    QCOMPARE(m_view->expenseTotal()->text(), deleted ? u"支出 ¥360.50"_s : u"支出 ¥366.50"_s);
    m_store.reset();
    m_store = TestSupport::openStore(*m_dir);
    QCOMPARE(m_store->find<LedgerEntry>(m_metro.id) == nullptr, deleted);
    m_view.reset();
}

void BillsViewTest::deleteKeyDeletesAtOnce()
{
    QAbstractItemView *list = m_view->listView();
    list->setFocus();
    list->setCurrentIndex(m_view->listModel()->indexOfEntry(m_salary.id));
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_store->find<LedgerEntry>(m_salary.id));
    QVERIFY(!m_view->deletionAlert());
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥200.00"_s);

    // On a day header the key does nothing.
    list->setCurrentIndex(m_view->listModel()->index(0));
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(changed.count(), 1);
}

// The forms are the shell's: a click on an entry or 记一笔 only asks for one, and the screen
// opens no window of its own.
void BillsViewTest::clickAsksToEdit()
{
    QSignalSpy editRequests(m_view.get(), &BillsView::editRequested);
    QTest::mouseClick(m_view->listView()->viewport(), Qt::LeftButton, {}, rowRect(m_lunch.id).center());
    QCOMPARE(editRequests.count(), 1);
    QCOMPARE(editRequests.first().first().value<LedgerEntry>().id, m_lunch.id);
    QVERIFY(m_view->findChildren<QDialog *>().isEmpty());
}

void BillsViewTest::clickFarDown_data()
{
    QTest::addColumn<int>("fromEnd");
    QTest::addColumn<bool>("edits");

    QTest::newRow("last entry: edits") << 1 << true;
    QTest::newRow("its day header: nothing") << 2 << false;
}

// Scrolled to the end of the list, a click reaches the row drawn under the pointer.
void BillsViewTest::clickFarDown()
{
    QFETCH(int, fromEnd);
    QFETCH(bool, edits);

    m_view->resize(960, 420);
    QTRY_VERIFY(m_view->listView()->viewport()->height() < 7 * BillsDelegate::rowHeight());
    FixedRowListView *list = m_view->listView();
    const QModelIndex index = m_view->listModel()->index(m_view->listModel()->rowCount() - fromEnd);
    list->scrollTo(index);
    QVERIFY(list->verticalScrollBar()->value() > 0);
    QSignalSpy editRequests(m_view.get(), &BillsView::editRequested);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QCOMPARE(editRequests.count(), edits ? 1 : 0);
    if (edits)
        QCOMPARE(editRequests.first().first().value<LedgerEntry>().note, u"电影"_s);
}

void BillsViewTest::accessibleRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("actionable");

    QTest::newRow("entry: open and delete") << 1 << true;
    QTest::newRow("day header: read only") << 0 << false;
}

// Every row is one item named by its whole text; an entry row opens and asks to delete as a
// click on it and on its trash button do.
void BillsViewTest::accessibleRows()
{
    QFETCH(int, row);
    QFETCH(bool, actionable);

    QAbstractItemView *list = m_view->listView();
    const QStringList names = TestSupport::accessibleChildNames(list);
    QCOMPARE(names.size(), m_view->listModel()->rowCount());
    QCOMPARE(names.at(row), m_view->listModel()->index(row).data(Qt::AccessibleTextRole).toString());
    const QString open = QAccessibleActionInterface::pressAction();
    QCOMPARE(TestSupport::accessibleActions(list, row).contains(open), actionable);

    QSignalSpy editRequests(m_view.get(), &BillsView::editRequested);
    QCOMPARE(TestSupport::doAccessibleAction(list, row, open), actionable);
    QCOMPARE(TestSupport::doAccessibleAction(list, row, ItemActions::deleteAction()), actionable);
    QCOMPARE(editRequests.count(), actionable ? 1 : 0);
    QCOMPARE(m_view->deletionAlert() != nullptr, actionable);
    if (actionable) {
        QCOMPARE(editRequests.first().first().value<LedgerEntry>().id, m_lunch.id);
        QCOMPARE(m_view->model().pendingDeletion()->id, m_lunch.id);
    }
    QCOMPARE(m_store->entries().size(), size_t(7));
}

// The row the keyboard is on shows while the list has the focus, and Return opens it.
void BillsViewTest::keyboardRow()
{
    QAbstractItemView *list = m_view->listView();
    const QModelIndex metro = m_view->listModel()->indexOfEntry(m_metro.id);
    QVERIFY(TestSupport::marksKeyboardRow(list, metro));
    QSignalSpy editRequests(m_view.get(), &BillsView::editRequested);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(editRequests.count(), 1);
    QCOMPARE(editRequests.first().first().value<LedgerEntry>().id, m_metro.id);
}

void BillsViewTest::addButtonAsksForTheForm()
{
    QSignalSpy addRequests(m_view.get(), &BillsView::addRequested);
    QCOMPARE(m_view->addButton()->text(), u"记一笔"_s);
    QTest::mouseClick(m_view->addButton(), Qt::LeftButton);
    QCOMPARE(addRequests.count(), 1);
    QVERIFY(m_view->findChildren<QDialog *>().isEmpty());
}

// Leaving the screen (or quitting) while the alert is open closes it quietly.
void BillsViewTest::closesWithTheAlertOpen()
{
    m_view->model().setPendingDeletion(m_metro);
    QVERIFY(m_view->deletionAlert());
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    m_view.reset();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_store->entries().size(), size_t(7));
}

PENNYLOOM_TEST(BillsListModelTest)
PENNYLOOM_TEST(BillsViewTest)
#include "tst_BillsView.moc"
