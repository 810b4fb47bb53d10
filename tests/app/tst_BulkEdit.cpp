// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "app/ContentView.h"
#include "app/UndoBar.h"
#include "app/UndoHistory.h"
#include "bills/BillsListModel.h"
#include "bills/BillsView.h"
#include "bills/BulkCategorySheet.h"
#include "entry/CategoryListModel.h"
#include "entry/CategoryPicker.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"
#include "ui/FixedRowListView.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

// Several rows of 账单 chosen with Ctrl-click, Shift-click and Ctrl+A, then given one category
// or deleted, each as one undo step.
class BulkEditTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(local(2024, 4, 20, 9)));
        m_orders.clear();
        for (int day = 1; day <= 18; ++day) {
            const bool order = day % 3 == 0;
            const LedgerEntry entry(12 + day, local(2024, 4, day, 12), EntryKind::expense,
                                    order ? u"其它"_s : u"餐饮"_s, order ? u"美团订单"_s : u"午饭"_s);
            add(entry);
            if (order)
                m_orders.push_back(entry.id);
        }
        m_salary = add(LedgerEntry(8000, local(2024, 4, 19, 9), EntryKind::income, u"工资"_s)).id;
        m_view = std::make_unique<ContentView>(*m_store);
        m_view->model().setSelection(Workspace::bills);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QVERIFY(bills());
    }
    void cleanup()
    {
        m_view.reset();
        closeStore();
    }

    void choosingRows()
    {
        BillsView *view = bills();
        QVERIFY(!view->selectionBar()->isVisible());
        click(m_orders.at(0), Qt::ControlModifier);
        QVERIFY(!view->selectionBar()->isVisible());
        QVERIFY(!m_view->editSheet());
        click(m_orders.at(1), Qt::ControlModifier);
        QVERIFY(view->selectionBar()->isVisible());
        QCOMPARE(view->selectionCount()->text(), u"已选 2 笔"_s);
        QCOMPARE(view->selectionCount()->accessibleName(), u"已选 2 笔"_s);
        QCOMPARE(view->listView()->accessibleDescription(), u"已选 2 笔"_s);
        click(m_orders.at(1), Qt::ControlModifier);
        click(m_orders.at(0), Qt::ControlModifier);
        QCOMPARE(view->selection().count(), 0);
        QVERIFY(!view->selectionBar()->isVisible());
        // Shift-click: every entry row from the last one clicked to this one.
        click(m_orders.at(3), Qt::ControlModifier);
        click(m_orders.at(1), Qt::ShiftModifier);
        QCOMPARE(view->selection().count(), 7);
        QVERIFY(!m_view->editSheet());

        view->listView()->setFocus();
        QTest::keySequence(view->listView(), QKeySequence::SelectAll);
        QCOMPARE(view->selection().count(), int(m_store->entries().size()));
        QVERIFY(!view->setCategoryButton()->isEnabled());
        QTest::qWait(50);
        TestSupport::screenshot(m_view.get(), u"bills-select-all"_s);
    }

    void setCategoryIsOneUndoStep()
    {
        chooseOrders();
        TestSupport::screenshot(m_view.get(), u"bills-multiselect"_s);
        m_view->resize(1024, 600);
        TestSupport::screenshot(m_view.get(), u"bills-multiselect-1024x600"_s);
        QTest::mouseClick(bills()->setCategoryButton(), Qt::LeftButton);
        BulkCategorySheet *sheet = bills()->categorySheet();
        QVERIFY(sheet);
        QVERIFY(!sheet->confirmButton()->isEnabled());
        QVERIFY(clickTile(*sheet->picker(), u"外卖"_s));
        QVERIFY(sheet->ruleBox()->isVisible());
        QCOMPARE(sheet->ruleBox()->text(), u"以后 美团订单 都记为 外卖"_s);
        sheet->ruleBox()->setChecked(true);
        TestSupport::screenshot(sheet, u"bulk-category-sheet"_s);
        QTest::mouseClick(sheet->confirmButton(), Qt::LeftButton);
        QTRY_VERIFY(!bills()->categorySheet());
        // The desktop hands the window back its focus; the offscreen platform needs asking.
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));

        QCOMPARE(categoriesOfOrders(), QStringList(6, u"外卖"_s));
        QCOMPARE(m_store->categoryRules().size(), size_t(1));
        UndoBar *bar = m_view->undoBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->message()->text(), u"已修改 6 条记录"_s);

        QTest::mouseClick(bar->undoButton(), Qt::LeftButton);
        QCOMPARE(categoriesOfOrders(), QStringList(6, u"其它"_s));
        QVERIFY(!bar->isVisible());
        QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Shift+Z"_s));
        QCOMPARE(categoriesOfOrders(), QStringList(6, u"外卖"_s));
        QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Z"_s));
        m_view.reset();
        m_store = TestSupport::openStore(*m_dir);
        QCOMPARE(categoriesOfOrders(), QStringList(6, u"其它"_s));
    }

    // An undo that cannot be written (another program holds the file) changes nothing and
    // says so.
    void undoThatCannotBeWritten()
    {
        chooseOrders();
        QVERIFY(bills()->selection().setCategory(u"外卖"_s, false));
        SqliteDatabase blocker;
        QVERIFY(blocker.open(m_store->path()));
        QVERIFY(blocker.exec("BEGIN EXCLUSIVE"));
        m_view->undoHistory().undo();
        QCOMPARE(m_view->undoBar()->message()->text(), u"保存失败"_s);
        QCOMPARE(categoriesOfOrders(), QStringList(6, u"外卖"_s));
        QVERIFY(blocker.exec("ROLLBACK"));
    }

    void deleteIsOneUndoStep_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("删除 on the bar") << false;
        QTest::newRow("Delete key") << true;
    }
    void deleteIsOneUndoStep()
    {
        QFETCH(bool, byKey);
        chooseOrders();
        if (byKey)
            QTest::keyClick(bills()->listView(), Qt::Key_Delete);
        else
            QTest::mouseClick(bills()->removeSelectedButton(), Qt::LeftButton);
        QCOMPARE(m_store->entries().size(), size_t(13));
        QCOMPARE(m_view->undoBar()->message()->text(), u"已删除 6 条记录"_s);
        QVERIFY(!bills()->selectionBar()->isVisible());
        QTest::mouseClick(m_view->undoBar()->undoButton(), Qt::LeftButton);
        QCOMPARE(m_store->entries().size(), size_t(19));
        for (const QUuid &id : m_orders)
            QVERIFY(bills()->listModel()->indexOfEntry(id).isValid());
    }

    void bothKindsTakeNoCategory()
    {
        click(m_orders.at(0), Qt::ControlModifier);
        click(m_salary, Qt::ControlModifier);
        QVERIFY(bills()->selectionBar()->isVisible());
        QVERIFY(!bills()->setCategoryButton()->isEnabled());
        QVERIFY(bills()->removeSelectedButton()->isEnabled());
    }

private:
    BillsView *bills() const { return qobject_cast<BillsView *>(m_view->detailScreen()); }
    void click(const QUuid &id, Qt::KeyboardModifiers modifiers)
    {
        FixedRowListView *list = bills()->listView();
        const QModelIndex index = bills()->listModel()->indexOfEntry(id);
        QVERIFY(index.isValid());
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(index).center());
    }
    void chooseOrders()
    {
        for (const QUuid &id : m_orders)
            click(id, Qt::ControlModifier);
        QCOMPARE(bills()->selection().count(), 6);
        QCOMPARE(bills()->selection().sharedMerchant(), u"美团订单"_s);
    }
    QStringList categoriesOfOrders() const
    {
        QStringList categories;
        for (const QUuid &id : m_orders)
            categories.append(m_store->find<LedgerEntry>(id)->category);
        return categories;
    }
    static bool clickTile(CategoryPicker &picker, const QString &name)
    {
        const int row = static_cast<int>(picker.categoryModel()->categories().indexOf(name));
        if (row < 0)
            return false;
        picker.scrollTo(picker.categoryModel()->index(row));
        const QRect tile = picker.tileRect(name);
        if (tile.isEmpty())
            return false;
        QTest::mouseClick(picker.viewport(), Qt::LeftButton, {}, tile.center());
        return picker.selection() == name;
    }

    std::unique_ptr<ContentView> m_view;
    std::vector<QUuid> m_orders;
    QUuid m_salary;
};

PENNYLOOM_TEST(BulkEditTest)
#include "tst_BulkEdit.moc"
