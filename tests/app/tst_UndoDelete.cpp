// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "app/ContentView.h"
#include "app/UndoBar.h"
#include "app/UndoHistory.h"
#include "bills/BillsListModel.h"
#include "bills/BillsView.h"
#include "model/RecurringRule.h"
#include "store/ModelStore.h"
#include "store/SqliteDatabase.h"
#include "ui/FixedRowListView.h"

#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

QString fields(const LedgerEntry &e)
{
    return QStringList{e.id.toString(),
                       QString::number(e.amount, 'g', 17),
                       QString::number(e.date.toMSecsSinceEpoch()),
                       e.kindRaw,
                       e.category,
                       e.note,
                       QString::number(e.createdAt.toMSecsSinceEpoch())}
        .join(u'|');
}

} // namespace

class UndoDeleteTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void deleteKeyThenUndo_data();
    void deleteKeyThenUndo();
    void undoThatCannotBeDone_data();
    void undoThatCannotBeDone();
    void stepsUndoNewestFirst();
    void redoDeletesTheRecordAsItNowIs();
    void nothingToUndoAfterARestart();
    void undoKeyInATextField();
    void importIsOneStep();
    void recurringRuleDeletionIsOneStep();

private:
    void showBills();
    BillsView *bills() const { return qobject_cast<BillsView *>(m_view->detailScreen()); }
    void deleteWithKey(const QUuid &id);

    std::unique_ptr<ContentView> m_view;
    LedgerEntry m_lunch;
    LedgerEntry m_metro;
};

void UndoDeleteTest::init()
{
    QVERIFY(openStore(local(2024, 4, 10, 9)));
    LedgerEntry lunch(32.5, local(2024, 4, 9, 12, 10), EntryKind::expense, u"餐饮"_s, u"午饭"_s);
    lunch.createdAt = local(2024, 4, 9, 12, 11, 7);
    m_lunch = add(lunch);
    m_metro = add(LedgerEntry(6, local(2024, 4, 8, 8, 30), EntryKind::expense, u"交通"_s, u"地铁"_s));
    add(LedgerEntry(8000, local(2024, 4, 1, 9), EntryKind::income, u"工资"_s));
}

void UndoDeleteTest::cleanup()
{
    m_view.reset();
    closeStore();
}

void UndoDeleteTest::showBills()
{
    m_view = std::make_unique<ContentView>(*m_store);
    m_view->model().setSelection(Workspace::bills);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
    QVERIFY(bills());
}

void UndoDeleteTest::deleteWithKey(const QUuid &id)
{
    QAbstractItemView *list = bills()->listView();
    list->setFocus();
    list->setCurrentIndex(bills()->listModel()->indexOfEntry(id));
    QTest::keyClick(list, Qt::Key_Delete);
}

void UndoDeleteTest::deleteKeyThenUndo_data()
{
    QTest::addColumn<bool>("byButton");

    QTest::newRow("Ctrl+Z") << false;
    QTest::newRow("撤销 on the bar") << true;
}

// The Delete key takes the entry at once; undo brings it back to the list, the totals and
// the file, and redo takes it again.
void UndoDeleteTest::deleteKeyThenUndo()
{
    QFETCH(bool, byButton);
    showBills();
    const QString expense = bills()->expenseTotal()->text();
    deleteWithKey(m_lunch.id);
    QVERIFY(!m_store->find<LedgerEntry>(m_lunch.id));
    QVERIFY(bills()->expenseTotal()->text() != expense);

    UndoBar *bar = m_view->undoBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->message()->text(), u"已删除 1 条记录"_s);
    QVERIFY(bar->undoButton()->isVisible());
    QVERIFY(bar->hideTimer().isActive());
    QVERIFY(m_view->rect().contains(bar->geometry()));
    QVERIFY(bar->geometry().bottom() > m_view->height() * 3 / 4);
    TestSupport::screenshot(m_view.get(), u"undo-bar"_s);

    if (byButton)
        QTest::mouseClick(bar->undoButton(), Qt::LeftButton);
    else
        QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Z"_s));
    QVERIFY(m_store->find<LedgerEntry>(m_lunch.id));
    QVERIFY(bills()->listModel()->indexOfEntry(m_lunch.id).isValid());
    QCOMPARE(bills()->expenseTotal()->text(), expense);
    QVERIFY(!bar->isVisible());

    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Shift+Z"_s));
    QVERIFY(!m_store->find<LedgerEntry>(m_lunch.id));
    QVERIFY(!bills()->listModel()->indexOfEntry(m_lunch.id).isValid());
    QCOMPARE(bar->message()->text(), u"已删除 1 条记录"_s);

    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Z"_s));
    m_view.reset();
    m_store = TestSupport::openStore(*m_dir);
    const LedgerEntry *back = m_store->find<LedgerEntry>(m_lunch.id);
    QVERIFY(back);
    QCOMPARE(fields(*back), fields(m_lunch));
}

void UndoDeleteTest::undoThatCannotBeDone_data()
{
    QTest::addColumn<bool>("fileLocked");

    QTest::newRow("records back already") << false;
    QTest::newRow("file locked by another program") << true;
}

// An undo that cannot put the records back changes nothing and says so on the bar.
void UndoDeleteTest::undoThatCannotBeDone()
{
    QFETCH(bool, fileLocked);
    showBills();
    std::optional<ModelStore::Removed> removed;
    connect(m_store.get(), &ModelStore::recordsRemoved, this,
            [&removed](const ModelStore::Removed &r) { removed = r; });
    deleteWithKey(m_metro.id);
    QVERIFY(removed);

    std::unique_ptr<SqliteDatabase> blocker;
    if (fileLocked) {
        blocker = std::make_unique<SqliteDatabase>();
        QVERIFY(blocker->open(m_store->path()));
        QVERIFY(blocker->exec("BEGIN EXCLUSIVE"));
    } else {
        QVERIFY(m_store->restore(*removed));
    }
    const bool heldBefore = m_store->find<LedgerEntry>(m_metro.id) != nullptr;
    const qsizetype rows = bills()->listModel()->rowCount();

    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Z"_s));
    QCOMPARE(m_store->find<LedgerEntry>(m_metro.id) != nullptr, heldBefore);
    QCOMPARE(bills()->listModel()->rowCount(), rows);
    UndoBar *bar = m_view->undoBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->message()->text(), u"保存失败"_s);
    QVERIFY(!bar->undoButton()->isVisible());
    QVERIFY(!m_view->undoHistory().canUndo());
    QVERIFY(!m_view->undoHistory().canRedo());
    if (blocker)
        QVERIFY(blocker->exec("ROLLBACK"));
}

// Deletions from different places stack up; each undo takes back the newest one left.
void UndoDeleteTest::stepsUndoNewestFirst()
{
    showBills();
    deleteWithKey(m_lunch.id);
    // A screen that removes several records at once makes one step of them.
    SavingsGoal goal(u"旅行"_s, 5000, local(2024, 12, 1));
    QVERIFY(m_store->insert(goal));
    const SavingsDeposit first(goal.id, 100, local(2024, 4, 2), u"第一笔"_s);
    const SavingsDeposit second(goal.id, 50, local(2024, 4, 3));
    QVERIFY(m_store->insert(first) && m_store->insert(second));
    QVERIFY(m_store->remove(
        ModelStore::Removal().add<SavingsGoal>(goal.id).add<SavingsDeposit>(first.id).add<SavingsDeposit>(
            second.id)));
    QCOMPARE(m_view->undoBar()->message()->text(), u"已删除 3 条记录"_s);

    m_view->undoHistory().undo();
    QCOMPARE(m_store->savingsDeposits().size(), size_t(2));
    QVERIFY(m_store->find<SavingsGoal>(goal.id));
    QVERIFY(!m_store->find<LedgerEntry>(m_lunch.id));
    m_view->undoHistory().undo();
    QVERIFY(m_store->find<LedgerEntry>(m_lunch.id));
    QVERIFY(!m_view->undoHistory().canUndo());
}

// An entry changed after its deletion was undone is deleted again as it is now, and a second
// undo brings back that version.
void UndoDeleteTest::redoDeletesTheRecordAsItNowIs()
{
    showBills();
    deleteWithKey(m_lunch.id);
    m_view->undoHistory().undo();
    LedgerEntry changed = m_lunch;
    changed.amount = 40;
    changed.note = u"午饭和饮料"_s;
    QVERIFY(m_store->update(changed));

    m_view->undoHistory().redo();
    QVERIFY(!m_store->find<LedgerEntry>(m_lunch.id));
    m_view->undoHistory().undo();
    QCOMPARE(fields(*m_store->find<LedgerEntry>(m_lunch.id)), fields(changed));
}

void UndoDeleteTest::nothingToUndoAfterARestart()
{
    showBills();
    deleteWithKey(m_lunch.id);
    QVERIFY(m_view->undoHistory().canUndo());
    m_view.reset();
    m_store.reset();

    m_store = TestSupport::openStore(*m_dir);
    QVERIFY(m_store);
    QVERIFY(!m_store->find<LedgerEntry>(m_lunch.id));
    showBills();
    QVERIFY(!m_view->undoHistory().canUndo());
    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Z"_s));
    QVERIFY(!m_store->find<LedgerEntry>(m_lunch.id));
    QVERIFY(!m_view->undoBar()->isVisible());
}

// In a text field Ctrl+Z takes back the typing, as in any field, and leaves the deletion alone;
// from the list, after an entry form came and went, it brings the entry back.
void UndoDeleteTest::undoKeyInATextField()
{
    showBills();
    deleteWithKey(m_lunch.id);
    QLineEdit *search = bills()->searchField();
    search->setFocus();
    QTest::keyClicks(search, u"x"_s);
    QTest::keySequence(search, QKeySequence(u"Ctrl+Z"_s));
    QVERIFY(search->text().isEmpty());
    QVERIFY(!m_store->find<LedgerEntry>(m_lunch.id));

    QTest::mouseClick(bills()->addButton(), Qt::LeftButton);
    QVERIFY(m_view->addSheet());
    QTest::keyClick(m_view->addSheet(), Qt::Key_Escape);
    QTRY_VERIFY(!m_view->addSheet());
    // The desktop hands the window back its focus; the offscreen platform needs asking.
    m_view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
    bills()->listView()->setFocus();
    QTest::keySequence(bills()->listView(), QKeySequence(u"Ctrl+Z"_s));
    QVERIFY(m_store->find<LedgerEntry>(m_lunch.id));
}

// An import is one step: the bar offers to undo it, the undo takes exactly its entries and
// their import ids from the list and the file, and a redo puts them back with their ids.
void UndoDeleteTest::importIsOneStep()
{
    showBills();
    std::vector<ModelStore::ImportRow> rows;
    for (const auto &[id, amount] :
         {std::pair{u"T1"_s, 12.0}, std::pair{u"T2"_s, 30.5}, std::pair{QString(), 7.0}})
        rows.push_back(
            {LedgerEntry(amount, local(2024, 4, 9, 12, 10), EntryKind::expense, u"购物"_s), u"wechat"_s, id});
    const std::optional<ModelStore::ImportResult> result = m_store->importEntries(rows);
    QVERIFY(result && result->inserted.size() == 3);
    const auto listed = [&] {
        int count = 0;
        for (const ModelStore::ImportRow &row : rows)
            count += bills()->listModel()->indexOfEntry(row.entry.id).isValid() ? 1 : 0;
        return count;
    };
    QCOMPARE(listed(), 3);
    UndoBar *bar = m_view->undoBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->message()->text(), u"已导入 3 条记录"_s);

    QTest::mouseClick(bar->undoButton(), Qt::LeftButton);
    QCOMPARE(listed(), 0);
    QCOMPARE(m_store->entries().size(), size_t(3));
    QVERIFY(!m_store->isImported(rows[0]));
    QVERIFY(!bar->isVisible());

    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Shift+Z"_s));
    QCOMPARE(listed(), 3);
    QCOMPARE(bar->message()->text(), u"已导入 3 条记录"_s);
    m_view.reset();
    m_store = TestSupport::openStore(*m_dir);
    QCOMPARE(m_store->entries().size(), size_t(6));
    QVERIFY(m_store->isImported(rows[1]));
    QVERIFY(m_store->find<LedgerEntry>(rows[2].entry.id));
}

// A recurring rule goes like any record: the bar offers it back, and the undo puts it back in
// its place with the days it has written, so none of its entries is written a second time.
void UndoDeleteTest::recurringRuleDeletionIsOneStep()
{
    RecurringRule rent(3000, EntryKind::expense, u"住房"_s, u"房租"_s, QDate(2024, 3, 1));
    RecurringRule salary(8000, EntryKind::income, u"工资"_s, QString(), QDate(2024, 3, 10));
    QVERIFY(m_store->insertRecurringRule(rent) && m_store->insertRecurringRule(salary));
    QCOMPARE(m_store->writeDueOccurrences(local(2024, 4, 10, 9))->size(), size_t(4));
    const size_t entries = m_store->entries().size();
    showBills();

    QVERIFY(m_store->removeRecurringRule(rent.id));
    QCOMPARE(m_store->recurringRules().size(), size_t(1));
    UndoBar *bar = m_view->undoBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->message()->text(), u"已删除 1 条记录"_s);

    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Z"_s));
    QCOMPARE(m_store->recurringRules().size(), size_t(2));
    QCOMPARE(m_store->recurringRules().front().id, rent.id);
    QCOMPARE(m_store->recurringRules().front().describe(), u"每月 1 日"_s);
    QVERIFY(m_store->hasOccurrence(rent.id, QDate(2024, 4, 1)));
    QCOMPARE(m_store->writeDueOccurrences(local(2024, 4, 10, 9))->size(), size_t(0));
    QCOMPARE(m_store->entries().size(), entries);

    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Shift+Z"_s));
    QCOMPARE(m_store->recurringRules().size(), size_t(1));
    QTest::keySequence(m_view.get(), QKeySequence(u"Ctrl+Z"_s));
    m_view.reset();
    m_store = TestSupport::openStore(*m_dir);
    QCOMPARE(m_store->recurringRules().size(), size_t(2));
    QCOMPARE(m_store->recurringRules().front().id, rent.id);
    QCOMPARE(m_store->recurringRules().back().id, salary.id);
    QCOMPARE(m_store->writeDueOccurrences(local(2024, 4, 10, 9))->size(), size_t(0));
}

PENNYLOOM_TEST(UndoDeleteTest)
#include "tst_UndoDelete.moc"
