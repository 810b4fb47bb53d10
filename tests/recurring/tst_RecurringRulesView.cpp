// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "recurring/RecurringRuleDelegate.h"
#include "recurring/RecurringRuleFormView.h"
#include "recurring/RecurringRuleListModel.h"
#include "recurring/RecurringRulesView.h"
#include "store/ModelStore.h"
#include "ui/EmptyState.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;

class RecurringRulesViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(openStore(local(2026, 12, 7, 12)));
        m_sheet = std::make_unique<RecurringRulesView>(*m_store);
        m_sheet->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_sheet.get()));
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
                dialog->reject();
        }
        m_sheet.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        closeStore();
    }

    // An empty sheet, a new rule, its row, and its deletion, which keeps the entry the rule
    // already wrote.
    void sheetFollowsTheStore()
    {
        RecurringRulesView *sheet = m_sheet.get();
        QVERIFY(sheet->emptyState()->isVisible());
        QVERIFY(!sheet->listView()->isVisible());
        TestSupport::screenshot(sheet, u"recurring-empty"_s);

        QTest::mouseClick(sheet->addButton(), Qt::LeftButton);
        RecurringRuleFormView *form = sheet->form();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        TestSupport::typeText(form->amountField(), u"3000"_s);
        TestSupport::typeText(form->noteField(), u"房租"_s);
        TestSupport::screenshot(form, u"recurring-form"_s);
        QTest::mouseClick(form->saveButton(), Qt::LeftButton);
        QTRY_VERIFY(!sheet->form());

        QAbstractItemModelTester tester(sheet->listModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(sheet->listView()->isVisible());
        QCOMPARE(sheet->listModel()->rowCount(), 1);
        QCOMPARE(sheet->listModel()->index(0).data(Qt::AccessibleTextRole).toString(),
                 u"餐饮 · 房租，支出 ¥3,000.00，每月 7 日 · 下次 2026年12月7日"_s);
        // Nine in the morning of today has passed: today's entry is written at once.
        QCOMPARE(m_store->entries().size(), size_t(1));
        TestSupport::screenshot(sheet, u"recurring-list"_s);

        QListView *list = sheet->listView();
        const QRect row = list->visualRect(sheet->listModel()->index(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          RecurringRuleDelegate::trashRect(row).center());
        QMessageBox *alert = sheet->deleteConfirmation();
        QVERIFY(alert);
        QVERIFY(alert->informativeText().contains(u"已经记下的账单会保留"_s));
        QTest::mouseClick(TestSupport::buttonOf(alert, u"删除"_s), Qt::LeftButton);
        QTRY_VERIFY(m_store->recurringRules().empty());
        QCOMPARE(m_store->entries().size(), size_t(1));
        QVERIFY(sheet->emptyState()->isVisible());
    }

    void saveButton_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("an amount") << u"12.5"_s << true;
        QTest::newRow("not an amount") << u"12.5.1"_s << false;
    }

    void saveButton()
    {
        QFETCH(QString, amount);
        QFETCH(bool, accepted);
        RecurringRuleFormView form(*m_store, std::make_unique<RecurringRuleFormModel>(QDate(2027, 1, 1)));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TestSupport::typeText(form.amountField(), amount);
        QCOMPARE(form.saveButton()->isEnabled(), accepted);
        QCOMPARE(form.problemLabel()->isVisible(), !accepted);
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QCOMPARE(m_store->recurringRules().size(), size_t(accepted ? 1 : 0));
    }

private:
    std::unique_ptr<RecurringRulesView> m_sheet;
};

PENNYLOOM_TEST(RecurringRulesViewTest)
#include "tst_RecurringRulesView.moc"
