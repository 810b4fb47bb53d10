// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "app/ContentView.h"
#include "bills/BillsView.h"
#include "entry/EditEntryView.h"
#include "recurring/RecurringRuleFormView.h"
#include "recurring/RecurringRulesView.h"
#include "store/ModelStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;

// The recurring rules' sheets open from the screens that ask for them, through the shell.
class RecurringSheetsTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(local(2026, 12, 7, 12)));
        m_view = std::make_unique<ContentView>(*m_store);
        m_view->model().setSelection(Workspace::bills);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
                dialog->reject();
        }
        m_view.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        closeStore();
    }

    // 「周期账单」 on the bills opens the rules over them, once however often it is pressed.
    void billsButtonOpensTheRules()
    {
        auto *bills = qobject_cast<BillsView *>(m_view->detailScreen());
        QVERIFY(bills);
        QTest::mouseClick(bills->recurringButton(), Qt::LeftButton);
        const auto open = [bills] {
            int shown = 0;
            for (const RecurringRulesView *sheet : bills->findChildren<RecurringRulesView *>())
                shown += sheet->isVisible() ? 1 : 0;
            return shown;
        };
        QCOMPARE(open(), 1);
        Q_EMIT bills->recurringRequested();
        QCOMPARE(open(), 1);
    }

    // 「设为周期账单」 in the edit form opens a new rule made from the entry.
    void madeFromEditedEntry()
    {
        const LedgerEntry entry =
            add(LedgerEntry(45.5, local(2026, 12, 20, 19, 42), EntryKind::expense, u"交通"_s, u"月票"_s));
        m_view->model().setEditingEntry(entry);
        auto *edit = qobject_cast<EditEntryView *>(m_view->editSheet());
        QVERIFY(edit);
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        QTest::mouseClick(edit->makeRecurringButton(), Qt::LeftButton);
        auto *form = edit->findChild<RecurringRuleFormView *>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->amountField()->text(), u"45.50"_s);
        QCOMPARE(form->noteField()->text(), u"月票"_s);
        QTest::mouseClick(form->saveButton(), Qt::LeftButton);
        QCOMPARE(m_store->recurringRules().size(), size_t(1));
        const RecurringRule &rule = m_store->recurringRules().front();
        QCOMPARE(rule.category, u"交通"_s);
        QCOMPARE(rule.firstDay, QDate(2026, 12, 20));
        QCOMPARE(rule.describe(), u"每月 20 日"_s);
    }

private:
    std::unique_ptr<ContentView> m_view;
};

PENNYLOOM_TEST(RecurringSheetsTest)
#include "tst_RecurringSheets.moc"
