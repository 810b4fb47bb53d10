// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "app/ContentView.h"
#include "savings/AddSavingsDepositView.h"
#include "savings/AddSavingsGoalView.h"
#include "savings/SavingsDepositListModel.h"
#include "savings/SavingsGoalCard.h"
#include "savings/SavingsGoalDetailView.h"
#include "savings/SavingsView.h"
#include "store/ModelStore.h"
#include "ui/CardGrid.h"
#include "ui/ItemActions.h"
#include "ui/Palette.h"
#include "ui/UsageBar.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::buttonOf;
using TestSupport::local;
using TestSupport::typeText;

namespace {

QDateTime openedAt()
{
    return local(2024, 3, 5, 14, 30, 15);
}

template <class Dialog> Dialog *shown(Dialog *dialog)
{
    if (!dialog || !QTest::qWaitForWindowExposed(dialog))
        return nullptr;
    return dialog;
}

QStringList rowTexts(const QListView *list)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts << list->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
    return texts;
}

} // namespace

class SavingsViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(openedAt()));
        m_view = std::make_unique<SavingsView>(*m_store);
        m_view->resize(1000, 720);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup()
    {
        m_view.reset();
        closeStore();
    }

    // The sidebar's "存钱" row shows the workspace.
    void shownByTheShell()
    {
        const SavingsGoal goal(u"旅行基金"_s, 1000, local(2024, 9, 5));
        QVERIFY(m_store->insert(goal));
        QVERIFY(m_store->insert(SavingsDeposit(goal.id, 1200, local(2024, 3, 1))));
        ContentView shell(*m_store);
        shell.model().setSelection(Workspace::savings);
        QVERIFY(qobject_cast<SavingsView *>(shell.detailScreen()));
        shell.resize(1080, 720);
        shell.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shell));
        TestSupport::screenshot(&shell, u"savings-in-window"_s);
    }

    // The empty state until a goal exists; then cards in a grid whose figures follow every
    // deposit.
    void workspaceFollowsTheStore()
    {
        QVERIFY(m_view->emptyPanel()->isVisible());
        QVERIFY(!m_view->grid()->isVisible());
        TestSupport::screenshot(m_view.get(), u"savings-empty"_s);

        const SavingsGoal trip(u"旅行基金"_s, 1000, local(2024, 9, 5));
        QVERIFY(m_store->insert(trip));
        m_clock->clock().advanceSeconds(60);
        const SavingsGoal laptop(u"新电脑"_s, 8000, local(2024, 12, 31));
        QVERIFY(m_store->insert(laptop));
        QVERIFY(!m_view->emptyPanel()->isVisible());
        QVERIFY(m_view->grid()->isVisible());
        QCOMPARE(m_view->grid()->model()->rowCount(), 2);
        QCOMPARE(m_view->card(0)->nameLabel()->text(), u"新电脑"_s);
        QCOMPARE(m_view->columnCount(), 3);

        QVERIFY(m_store->insert(SavingsDeposit(trip.id, 300, local(2024, 3, 1))));
        QVERIFY(m_store->insert(SavingsDeposit(trip.id, 450, local(2024, 3, 2))));
        SavingsGoalCard *card = m_view->card(1);
        QCOMPARE(card->percentLabel()->text(), u"75%"_s);
        QCOMPARE(card->depositedLabel()->text(), u"已存 ¥750.00"_s);
        QCOMPARE(card->bar()->fraction(), 0.75);
        QCOMPARE(card->bar()->tint(), Palette::indigo());
        QCOMPARE(card->targetLabel()->text(), u"目标 ¥1,000.00"_s);
        QCOMPARE(card->expectedLabel()->text(), u"预期 2024年9月5日"_s);
        QVERIFY(QAccessible::queryAccessibleInterface(m_view->grid())
                    ->child(1)
                    ->text(QAccessible::Name)
                    .startsWith(u"旅行基金，75%，已存 ¥750.00"_s));
        QVERIFY(m_store->insert(SavingsDeposit(laptop.id, 1234.5, local(2024, 3, 3))));
        TestSupport::screenshot(m_view.get(), u"savings-goals"_s);

        QVERIFY(m_store->insert(SavingsDeposit(trip.id, 400, local(2024, 3, 4))));
        QCOMPARE(card->percentLabel()->text(), u"100%"_s);
        QCOMPARE(card->depositedLabel()->text(), u"已存 ¥1,150.00"_s);
        QCOMPARE(card->bar()->fraction(), 1.0);
        QCOMPARE(card->bar()->tint(), Palette::income());
        TestSupport::screenshot(m_view.get(), u"savings-goal-reached"_s);

        // The columns follow the width: at least 300 each, 16 apart.
        m_view->resize(800, 720);
        QTRY_COMPARE(m_view->columnCount(), 2);
        m_view->resize(600, 720);
        QTRY_COMPARE(m_view->columnCount(), 1);
        m_view->resize(1600, 720);
        QTRY_COMPARE(m_view->columnCount(), 3);
    }

    void addGoal_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("trimmed name, Return saves") << u"  旅行基金 "_s << u"5000"_s << true;
        QTest::newRow("zero target") << u"旅行基金"_s << u"0"_s << false;
    }

    // "新增目标" opens the form; Return stores the goal, which shows first, and a refused
    // target leaves "保存" disabled and nothing stored.
    void addGoal()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(bool, accepted);

        QVERIFY(m_store->insert(SavingsGoal(u"旧目标"_s, 100, local(2024, 6, 1))));
        m_clock->clock().advanceSeconds(60);
        QTest::mouseClick(m_view->addButton(), Qt::LeftButton);
        auto *form = shown(m_view->addForm());
        QVERIFY(form);
        QCOMPARE(form->dateField()->date(), QDate(2024, 9, 5));
        QVERIFY(!form->saveButton()->isEnabled());
        typeText(form->nameField(), name);
        typeText(form->targetField(), target);
        form->dateField()->setDate(QDate(2025, 1, 20));
        if (accepted)
            TestSupport::screenshot(form, u"savings-add-goal"_s);
        QCOMPARE(form->saveButton()->isEnabled(), accepted);
        QTest::keyClick(form->targetField(), Qt::Key_Return);

        if (!accepted) {
            QVERIFY(m_view->addForm());
            QTest::keyClick(form->targetField(), Qt::Key_Escape);
            QTRY_VERIFY(!m_view->addForm());
            QVERIFY(!m_view->model().showingAddGoal());
            QCOMPARE(m_store->savingsGoals().size(), size_t(1));
            return;
        }
        QTRY_VERIFY(!m_view->addForm());
        QCOMPARE(m_store->savingsGoals().size(), size_t(2));
        const SavingsGoal &goal = m_store->savingsGoals().front();
        QCOMPARE(goal.name, u"旅行基金"_s);
        QCOMPARE(goal.expectedDate.date(), QDate(2025, 1, 20));
        QCOMPARE(m_view->card(0)->nameLabel()->text(), u"旅行基金"_s);
        QCOMPARE(m_view->card(0)->expectedLabel()->text(), u"预期 2025年1月20日"_s);
    }

    // Pressing a card opens its detail; a deposit made there, and one deleted with the Delete
    // key, change the detail and the workspace card at once.
    void detailRecordsAndDeletesDeposits()
    {
        const SavingsGoal other(u"备用金"_s, 500, local(2024, 9, 5));
        QVERIFY(m_store->insert(other));
        m_clock->clock().advanceSeconds(60);
        const SavingsGoal trip(u"旅行基金"_s, 1000, local(2024, 9, 5));
        QVERIFY(m_store->insert(trip));
        QVERIFY(m_store->insert(SavingsDeposit(other.id, 70, local(2024, 3, 2))));
        // The click lands where the new card is laid out.
        QCoreApplication::processEvents();
        CardGrid *grid = m_view->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 0)).center());
        auto *detail = shown(m_view->detail());
        QVERIFY(detail);
        QCOMPARE(detail->windowTitle(), u"旅行基金"_s);
        QVERIFY(detail->emptyLabel()->isVisible());
        QVERIFY(!detail->depositList()->isVisible());
        TestSupport::screenshot(detail, u"savings-detail-empty"_s);

        QVERIFY(m_store->insert(SavingsDeposit(trip.id, 300, local(2024, 3, 1), u"年终奖"_s)));
        QTest::mouseClick(detail->depositButton(), Qt::LeftButton);
        auto *form = shown(detail->depositForm());
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), u"存入 旅行基金"_s);
        QCOMPARE(form->dateField()->date(), QDate(2024, 3, 5));
        typeText(form->amountField(), u"-5"_s);
        QVERIFY(!form->saveButton()->isEnabled());
        TestSupport::retype(form->amountField(), u"450"_s);
        QVERIFY(form->saveButton()->isEnabled());
        TestSupport::screenshot(form, u"savings-add-deposit"_s);
        QTest::mouseClick(form->saveButton(), Qt::LeftButton);
        QTRY_VERIFY(!detail->depositForm());

        QVERIFY(detail->depositList()->isVisible());
        QCOMPARE(rowTexts(detail->depositList()),
                 (QStringList{u"存入，3月5日 星期二，¥450.00"_s, u"年终奖，3月1日 星期五，¥300.00"_s}));
        QCOMPARE(detail->card()->percentLabel()->text(), u"75%"_s);
        QCOMPARE(m_view->card(0)->depositedLabel()->text(), u"已存 ¥750.00"_s);
        TestSupport::screenshot(detail, u"savings-detail"_s);

        QListView *list = detail->depositList();
        QCOMPARE(TestSupport::accessibleChildNames(list), rowTexts(list));
        detail->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(detail));
        QVERIFY(TestSupport::marksKeyboardRow(list, list->model()->index(0, 0)));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(1, 0)).center());
        QVERIFY(list->hasFocus());
        QVERIFY(list->actions().contains(detail->deleteDepositAction()));
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(rowTexts(list), QStringList{u"存入，3月5日 星期二，¥450.00"_s});
        QCOMPARE(m_view->card(0)->depositedLabel()->text(), u"已存 ¥450.00"_s);
        QVERIFY(m_store->find<SavingsGoal>(trip.id));
        QCOMPARE(m_store->savingsDeposits().size(), size_t(2));
        // Assistive technology deletes a deposit as the key does.
        QVERIFY(TestSupport::doAccessibleAction(list, 0, ItemActions::deleteAction()));
        QCOMPARE(m_view->card(0)->depositedLabel()->text(), u"已存 ¥0.00"_s);
        QCOMPARE(m_store->savingsDeposits().size(), size_t(1));

        QTest::mouseClick(detail->closeButton(), Qt::LeftButton);
        QTRY_VERIFY(!m_view->detail());
        QVERIFY(!m_view->model().selectedGoal());
    }

    void deleteGoal_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("deleted");

        QTest::newRow("删除") << u"删除"_s << true;
        QTest::newRow("取消") << u"取消"_s << false;
    }

    // The trash button asks first; "删除" removes the goal and its deposits, closes the
    // detail and takes the card off the grid, leaving the other goal's deposit.
    void deleteGoal()
    {
        QFETCH(QString, answer);
        QFETCH(bool, deleted);

        const SavingsGoal trip(u"旅行基金"_s, 1000, local(2024, 9, 5));
        const SavingsGoal other(u"备用金"_s, 500, local(2024, 9, 5));
        QVERIFY(m_store->insert(other));
        QVERIFY(m_store->insert(trip));
        QVERIFY(m_store->insert(SavingsDeposit(trip.id, 10, local(2024, 3, 1))));
        QVERIFY(m_store->insert(SavingsDeposit(other.id, 20, local(2024, 3, 2))));
        QVERIFY(m_store->insert(SavingsDeposit(trip.id, 30, local(2024, 3, 3))));
        m_view->model().selectGoal(trip.id);
        QPointer<SavingsGoalDetailView> detail = shown(m_view->detail());
        QVERIFY(detail);

        QCOMPARE(detail->deleteGoalButton()->accessibleName(), u"删除目标"_s);
        QTest::mouseClick(detail->deleteGoalButton(), Qt::LeftButton);
        auto *alert = shown(detail->deleteConfirmation());
        QVERIFY(alert);
        QCOMPARE(alert->text(), u"删除这个存钱目标？"_s);
        QCOMPARE(alert->informativeText(), u"目标及其存入明细都会被删除。"_s);
        QPushButton *button = buttonOf(alert, answer);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);

        if (!deleted) {
            QTRY_VERIFY(!detail->deleteConfirmation());
            QVERIFY(m_view->detail());
            QCOMPARE(m_store->savingsDeposits().size(), size_t(3));
            QCOMPARE(m_view->grid()->model()->rowCount(), 2);
            return;
        }
        QTRY_VERIFY(!m_view->detail());
        QTRY_VERIFY(detail.isNull());
        QVERIFY(!m_view->model().selectedGoal());
        QCOMPARE(m_store->savingsGoals().size(), size_t(1));
        QCOMPARE(m_store->savingsDeposits().size(), size_t(1));
        QCOMPARE(m_store->savingsDeposits().front().goalID, other.id);
        QCOMPARE(m_view->grid()->model()->rowCount(), 1);
        QCOMPARE(m_view->card(0)->nameLabel()->text(), u"备用金"_s);
    }

    void deleteKeyOnTheGrid_data()
    {
        QTest::addColumn<bool>("onCard");
        QTest::newRow("focused card asks over its detail") << true;
        QTest::newRow("no current card") << false;
    }

    // Delete on the focused card asks as the detail's trash button does, and deletes nothing yet.
    void deleteKeyOnTheGrid()
    {
        QFETCH(bool, onCard);

        const SavingsGoal trip(u"旅行基金"_s, 1000, local(2024, 9, 5));
        QVERIFY(m_store->insert(trip));
        QCoreApplication::processEvents();
        CardGrid *grid = m_view->grid();
        grid->setFocus();
        grid->setCurrentIndex(onCard ? grid->model()->index(0, 0) : QModelIndex());
        QTest::keyClick(grid, Qt::Key_Delete);

        QCOMPARE(m_view->detail() != nullptr, onCard);
        if (onCard) {
            QVERIFY(shown(m_view->detail()->deleteConfirmation()));
            QCOMPARE(m_view->detail()->deleteConfirmation()->text(), u"删除这个存钱目标？"_s);
        }
        QCOMPARE(m_store->savingsGoals().size(), size_t(1));
    }

private:
    std::unique_ptr<SavingsView> m_view;
};

PENNYLOOM_TEST(SavingsViewTest)
#include "tst_SavingsView.moc"
