// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "budget/BudgetFormView.h"
#include "budget/BudgetPeriodHeader.h"
#include "budget/BudgetProgressRow.h"
#include "budget/BudgetView.h"
#include "model/LedgerCategories.h"
#include "store/ModelStore.h"
#include "ui/Palette.h"
#include "ui/UsageBar.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::buttonOf;
using TestSupport::local;
using TestSupport::openStore;
using TestSupport::retype;
using TestSupport::typeText;

Q_DECLARE_METATYPE(std::vector<Budget>)

namespace {

QDateTime openedAt()
{
    return local(2024, 3, 5, 14, 30, 15);
}

QDate day(const QDateTime &instant)
{
    return instant.toLocalTime().date();
}

Budget period(const QString &category, double limit, QDate first, QDate last)
{
    return Budget(category, limit, local(2024, 2, 20), QDateTime(first, QTime(9, 0)),
                  QDateTime(last, QTime(9, 0)));
}

QStringList labelTexts(const QWidget *root)
{
    QStringList texts;
    for (const QLabel *label : root->findChildren<QLabel *>()) {
        if (label->isVisibleTo(root->window()))
            texts.append(label->text());
    }
    return texts;
}

QList<BudgetPeriodHeader *> headers(const QWidget *section)
{
    return section->findChildren<BudgetPeriodHeader *>();
}

QStringList headerTitles(const QWidget *section)
{
    QStringList titles;
    for (const BudgetPeriodHeader *header : headers(section))
        titles.append(header->title());
    return titles;
}

QList<BudgetProgressRow *> rowsUnder(const QWidget *root)
{
    return root->findChildren<BudgetProgressRow *>();
}

QStringList rowCategories(const QWidget *root)
{
    QStringList names;
    for (const BudgetProgressRow *row : rowsUnder(root))
        names.append(row->categoryLabel()->text());
    return names;
}

BudgetProgressRow *rowOf(const QWidget *root, const QString &category)
{
    for (BudgetProgressRow *row : rowsUnder(root)) {
        if (row->item().category == category)
            return row;
    }
    return nullptr;
}

QColor textColour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

// Selects the item with that text by arrow keys, as a keyboard user does on a closed menu.
bool chooseInMenu(QComboBox *menu, const QString &text)
{
    const int target = menu->findText(text);
    if (target < 0)
        return false;
    for (int guard = 0; menu->currentIndex() != target && guard < menu->count() + 1; ++guard)
        QTest::keyClick(menu, menu->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    return menu->currentIndex() == target;
}

} // namespace

class BudgetViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sections_data();
    void sections();
    void workspaceShowsPeriods();
    void formSaves_data();
    void formSaves();
    void invalidAmountKeepsSaveDisabled_data();
    void invalidAmountKeepsSaveDisabled();
    void formDismissed_data();
    void formDismissed();
    void endPickerFollowsStart();
    void deletePeriod_data();
    void deletePeriod();
    void backButton();

private:
    bool reopenStore();
    // Shows a workspace over the store and waits until it is on screen.
    std::unique_ptr<BudgetView> showView();
    BudgetFormView *openForm(BudgetView &view, QPushButton *button);

    std::unique_ptr<TestSupport::ScopedClock> m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModelStore> m_store;
};

void BudgetViewTest::init()
{
    m_clock = std::make_unique<TestSupport::ScopedClock>(openedAt());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = openStore(*m_dir);
    QVERIFY(m_store);
}

void BudgetViewTest::cleanup()
{
    m_store.reset();
    m_dir.reset();
    m_clock.reset();
}

bool BudgetViewTest::reopenStore()
{
    m_store.reset();
    m_store = openStore(*m_dir);
    return m_store != nullptr;
}

std::unique_ptr<BudgetView> BudgetViewTest::showView()
{
    auto view = std::make_unique<BudgetView>(*m_store);
    view->resize(820, 900);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    return view;
}

BudgetFormView *BudgetViewTest::openForm(BudgetView &view, QPushButton *button)
{
    if (!button->isVisible())
        return nullptr;
    QTest::mouseClick(button, Qt::LeftButton);
    BudgetFormView *form = view.form();
    if (!form || !QTest::qWaitForWindowExposed(form))
        return nullptr;
    return form;
}

void BudgetViewTest::sections_data()
{
    QTest::addColumn<std::vector<Budget>>("budgets");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("past");
    QTest::addColumn<bool>("canAddToCurrent");

    QTest::newRow("empty store") << std::vector<Budget>{} << QStringList{} << QStringList{} << false;
    // Month budgets of this month, with no period covering today, are the current group; the
    // button that adds to a period of chosen days is not offered for them.
    QTest::newRow("month budgets only")
        << std::vector<Budget>{Budget(u"餐饮"_s, 900, local(2024, 3, 1)),
                               Budget(u"餐饮"_s, 800, local(2024, 2, 10)),
                               Budget(u"交通"_s, 200, local(2024, 3, 20))}
        << QStringList{u"2024-03 月度预算"_s} << QStringList{u"2024-02 月度预算"_s} << false;
    QTest::newRow("period starting next week")
        << std::vector<Budget>{period(u"餐饮"_s, 600, QDate(2024, 3, 12), QDate(2024, 4, 11))}
        << QStringList{} << QStringList{u"2024年3月12日 - 2024年4月11日"_s} << false;
    QTest::newRow("period in force hides month budgets")
        << std::vector<Budget>{Budget(u"餐饮"_s, 900, local(2024, 3, 1)),
                               period(u"餐饮"_s, 600, QDate(2024, 3, 5), QDate(2024, 3, 5))}
        << QStringList{u"2024年3月5日 - 2024年3月5日"_s} << QStringList{u"2024-03 月度预算"_s} << true;
}

// Which periods are current and which are past records, and the buttons offered for them.
void BudgetViewTest::sections()
{
    QFETCH(std::vector<Budget>, budgets);
    QFETCH(QStringList, current);
    QFETCH(QStringList, past);
    QFETCH(bool, canAddToCurrent);

    for (const Budget &budget : budgets)
        QVERIFY(m_store->insert(budget));
    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    if (budgets.empty())
        TestSupport::screenshot(view.get(), u"budget-empty"_s);

    QVERIFY(labelTexts(view.get())
                .contains(u"预算可按自定义日期归属。例如设为 11 月 15 日至 12 月 14 日，这段时间的支出都"
                          "会计入同一周期；结束后会自动保留在过往记录中。"_s));
    QCOMPARE(headerTitles(view->currentSection()), current);
    if (current.isEmpty())
        QCOMPARE(labelTexts(view->currentSection()),
                 (QStringList{u"当前周期"_s, u"尚未设置当前生效的预算周期"_s}));
    for (const BudgetProgressRow *row : rowsUnder(view->currentSection()))
        QVERIFY(!row->isHistorical());

    QCOMPARE(view->pastSection()->isVisible(), !past.isEmpty());
    QCOMPARE(labelTexts(view.get()).contains(u"过往预算记录"_s), !past.isEmpty());
    QCOMPARE(headerTitles(view->pastSection()), past);
    for (const BudgetProgressRow *row : rowsUnder(view->pastSection()))
        QVERIFY(row->isHistorical());
    QCOMPARE(rowsUnder(view.get()).size(), qsizetype(budgets.size()));

    QCOMPARE(view->addToCurrentButton()->isVisible(), canAddToCurrent);
    QVERIFY(view->newPeriodButton()->isVisible());
}

// The current period with one category over its limit, and past records; every figure is
// redrawn when the store changes.
void BudgetViewTest::workspaceShowsPeriods()
{
    const Budget food = period(u"餐饮"_s, 1000, QDate(2024, 3, 1), QDate(2024, 3, 31));
    const Budget transport = period(u"交通"_s, 500, QDate(2024, 3, 1), QDate(2024, 3, 31));
    const Budget shopping = period(u"购物"_s, 300, QDate(2024, 2, 1), QDate(2024, 2, 29));
    const Budget books = period(u"书籍"_s, 200, QDate(2024, 4, 1), QDate(2024, 4, 30));
    for (const Budget &budget : {food, transport, shopping, books})
        QVERIFY(m_store->insert(budget));
    QVERIFY(m_store->insert(LedgerEntry(1001, local(2024, 3, 2, 12), EntryKind::expense, u"餐饮"_s)));
    QVERIFY(m_store->insert(LedgerEntry(100, local(2024, 3, 4, 8), EntryKind::expense, u"交通"_s)));
    QVERIFY(m_store->insert(LedgerEntry(280, local(2024, 2, 10, 8), EntryKind::expense, u"购物"_s)));

    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    TestSupport::screenshot(view.get(), u"budget-workspace"_s);

    QWidget *current = view->currentSection();
    QCOMPARE(headerTitles(current), QStringList{u"2024年3月1日 - 2024年3月31日"_s});
    const BudgetPeriodHeader *header = headers(current).front();
    QCOMPARE(header->usageLabel()->text(), u"已用 ¥1,101.00 / ¥1,500.00（73%）"_s);
    QCOMPARE(textColour(header->usageLabel()), Palette::secondaryText());
    QCOMPARE(header->deleteButton()->accessibleName(), u"删除周期"_s);
    QCOMPARE(header->deleteButton()->toolTip(), u"删除这个预算周期"_s);
    QVERIFY(labelTexts(header).contains(u"预算使用汇总"_s));
    QCOMPARE(rowCategories(current), (QStringList{u"交通"_s, u"餐饮"_s}));

    const BudgetProgressRow *over = rowOf(current, u"餐饮"_s);
    QCOMPARE(over->layout()->contentsMargins().top(), 5);
    QCOMPARE(over->layout()->contentsMargins().bottom(), 5);
    QCOMPARE(over->percentLabel()->text(), u"已用 100%"_s);
    QCOMPARE(textColour(over->percentLabel()), Palette::over());
    QCOMPARE(over->remainingLabel()->text(), u"结余 -¥1.00"_s);
    QCOMPARE(textColour(over->remainingLabel()), Palette::over());
    QCOMPARE(over->usageLabel()->text(), u"已用 ¥1,001.00 / ¥1,000.00"_s);
    QCOMPARE(over->bar()->fraction(), 1.0);
    QCOMPARE(over->bar()->tint(), Palette::over());
    const BudgetProgressRow *under = rowOf(current, u"交通"_s);
    QCOMPARE(textColour(under->percentLabel()), Palette::indigo());
    QCOMPARE(textColour(under->remainingLabel()), Palette::secondaryText());
    QCOMPARE(under->bar()->tint(), Palette::indigo());

    QWidget *past = view->pastSection();
    QCOMPARE(headerTitles(past),
             (QStringList{u"2024年4月1日 - 2024年4月30日"_s, u"2024年2月1日 - 2024年2月29日"_s}));
    QCOMPARE(rowCategories(past), (QStringList{u"书籍"_s, u"购物"_s}));
    for (const BudgetProgressRow *row : rowsUnder(past)) {
        QCOMPARE(row->layout()->contentsMargins().top(), 3);
        QCOMPARE(row->layout()->contentsMargins().bottom(), 3);
    }
    QCOMPARE(textColour(headers(past).at(1)->usageLabel()), Palette::warning());

    // A new expense redraws the figures at once.
    QVERIFY(m_store->insert(LedgerEntry(320, local(2024, 3, 5, 9), EntryKind::expense, u"交通"_s)));
    const BudgetProgressRow *redrawn = rowOf(view->currentSection(), u"交通"_s);
    QVERIFY(redrawn);
    QCOMPARE(redrawn->percentLabel()->text(), u"已用 84%"_s);
    QCOMPARE(textColour(redrawn->percentLabel()), Palette::warning());
    QCOMPARE(rowsUnder(view.get()).size(), 4);
}

void BudgetViewTest::formSaves_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("addToCurrent");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("byReturnKey");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("limit");

    // The existing budget: 餐饮, 800, 1 to 31 March, stored at 09:00 on both days.
    const QDate first(2024, 3, 1);
    const QDate last(2024, 3, 31);
    QTest::newRow("same period replaces the limit")
        << true << true << QDate() << QDate() << u"餐饮"_s << u"500"_s << false << 1 << 500.0;
    QTest::newRow("same days at another time of day replace")
        << true << false << first << last << u"餐饮"_s << u"500"_s << true << 1 << 500.0;
    QTest::newRow("different end day adds a period")
        << true << false << first << QDate(2024, 4, 1) << u"餐饮"_s << u"500"_s << false << 2 << 500.0;
    QTest::newRow("another category joins the period")
        << true << true << QDate() << QDate() << u"交通"_s << u"120.5"_s << true << 2 << 120.5;
    QTest::newRow("first period, proposed days")
        << false << false << QDate() << QDate() << u"其它"_s << u"1e3"_s << true << 1 << 1000.0;
}

// A save through the form replaces the limit of the same category in the same period, or
// adds a budget, and the file holds exactly that after a restart.
void BudgetViewTest::formSaves()
{
    QFETCH(bool, existing);
    QFETCH(bool, addToCurrent);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QString, category);
    QFETCH(QString, amount);
    QFETCH(bool, byReturnKey);
    QFETCH(int, count);
    QFETCH(double, limit);

    const Budget stored = period(u"餐饮"_s, 800, QDate(2024, 3, 1), QDate(2024, 3, 31));
    if (existing)
        QVERIFY(m_store->insert(stored));

    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    BudgetFormView *form =
        openForm(*view, addToCurrent ? view->addToCurrentButton() : view->newPeriodButton());
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), u"新增周期预算"_s);
    QVERIFY(form->amountField()->text().isEmpty());
    QVERIFY(!form->saveButton()->isEnabled());
    if (addToCurrent) {
        QCOMPARE(form->startField()->date(), QDate(2024, 3, 1));
        QCOMPARE(form->endField()->date(), QDate(2024, 3, 31));
    } else {
        QCOMPARE(form->startField()->date(), QDate(2024, 3, 5));
        QCOMPARE(form->endField()->date(), QDate(2024, 4, 4));
    }
    if (start.isValid())
        form->startField()->setDate(start);
    if (end.isValid())
        form->endField()->setDate(end);
    const QDate savedStart = form->startField()->date();
    const QDate savedEnd = form->endField()->date();

    QVERIFY(chooseInMenu(form->categoryMenu(), category));
    QCOMPARE(view->model().category(), category);
    QTest::mouseClick(form->amountField(), Qt::LeftButton);
    typeText(form->amountField(), amount);
    QVERIFY(form->saveButton()->isEnabled());
    if (byReturnKey)
        QTest::keyClick(form->amountField(), Qt::Key_Return);
    else
        QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    QTRY_VERIFY(!view->form());
    QVERIFY(!view->model().showingAdd());

    const auto check = [&](const ModelStore &store) {
        QCOMPARE(store.budgets().size(), size_t(count));
        int matching = 0;
        for (const Budget &budget : store.budgets()) {
            if (budget.category != category || day(*budget.periodStart) != savedStart ||
                day(*budget.periodEnd) != savedEnd)
                continue;
            ++matching;
            QCOMPARE(budget.limit, limit);
            QCOMPARE(budget.monthKey, existing && count == 1 ? stored.monthKey : u"2024-03"_s);
        }
        QCOMPARE(matching, 1);
        if (existing) {
            const Budget *kept = store.find<Budget>(stored.id);
            QVERIFY(kept);
            QCOMPARE(kept->limit, count == 1 ? limit : 800.0);
        }
    };
    check(*m_store);
    if (QTest::currentTestFailed())
        return;
    if (addToCurrent || count == 1)
        QVERIFY(rowOf(view->currentSection(), category));
    view.reset();
    QVERIFY(reopenStore());
    check(*m_store);
}

void BudgetViewTest::invalidAmountKeepsSaveDisabled_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("zero") << u"0"_s << false;
    QTest::newRow("negative") << u"-5"_s << false;
    QTest::newRow("letters") << u"abc"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("leading blank") << u" 5"_s << false;
    QTest::newRow("full-width digits") << u"５"_s << false;
    QTest::newRow("valid") << u"5"_s << true;
}

void BudgetViewTest::invalidAmountKeepsSaveDisabled()
{
    QFETCH(QString, text);
    QFETCH(bool, enabled);

    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    BudgetFormView *form = openForm(*view, view->newPeriodButton());
    QVERIFY(form);
    retype(form->amountField(), text);
    QCOMPARE(form->amountField()->text(), text);
    QCOMPARE(form->saveButton()->isEnabled(), enabled);
    if (enabled)
        return;

    QTest::keyClick(form->amountField(), Qt::Key_Return);
    QVERIFY(form->isVisible());
    QVERIFY(!view->model().saveBudget());
    QVERIFY(form->isVisible());
    QVERIFY(m_store->budgets().empty());
}

void BudgetViewTest::formDismissed_data()
{
    QTest::addColumn<bool>("byEscape");

    QTest::newRow("Escape key") << true;
    QTest::newRow("cancel button") << false;
}

void BudgetViewTest::formDismissed()
{
    QFETCH(bool, byEscape);

    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    QSignalSpy changed(m_store.get(), &ModelStore::budgetsChanged);
    BudgetFormView *form = openForm(*view, view->newPeriodButton());
    QVERIFY(form);
    QVERIFY(chooseInMenu(form->categoryMenu(), u"交通"_s));
    QTest::mouseClick(form->amountField(), Qt::LeftButton);
    typeText(form->amountField(), u"300"_s);
    QVERIFY(form->saveButton()->isEnabled());

    if (byEscape)
        QTest::keyClick(form->amountField(), Qt::Key_Escape);
    else
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
    QTRY_VERIFY(!view->form());
    QVERIFY(!view->model().showingAdd());
    QCOMPARE(changed.count(), 0);
    QVERIFY(m_store->budgets().empty());

    // Opening it again starts with an empty amount; the category is kept.
    form = openForm(*view, view->newPeriodButton());
    QVERIFY(form);
    QVERIFY(form->amountField()->text().isEmpty());
    QCOMPARE(form->categoryMenu()->currentText(), u"交通"_s);
}

// The end picker offers only days from the start on, and the form shows the model's days.
void BudgetViewTest::endPickerFollowsStart()
{
    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    BudgetFormView *form = openForm(*view, view->newPeriodButton());
    QVERIFY(form);
    TestSupport::screenshot(form, u"budget-form"_s);

    QCOMPARE(form->categoryMenu()->count(), LedgerCategories::expenses().size());
    for (int i = 0; i < form->categoryMenu()->count(); ++i)
        QCOMPARE(form->categoryMenu()->itemText(i), LedgerCategories::expenses().at(i));
    QCOMPARE(form->categoryMenu()->currentText(), u"餐饮"_s);
    QCOMPARE(form->endField()->minimumDate(), QDate(2024, 3, 5));

    form->startField()->setDate(QDate(2024, 4, 20));
    QCOMPARE(form->endField()->minimumDate(), QDate(2024, 4, 20));
    QCOMPARE(form->endField()->date(), QDate(2024, 4, 20));
    QCOMPARE(day(view->model().periodEnd()), QDate(2024, 4, 20));

    form->endField()->setDate(QDate(2024, 4, 1));
    QCOMPARE(form->endField()->date(), QDate(2024, 4, 20));
    QCOMPARE(day(view->model().periodEnd()), QDate(2024, 4, 20));
}

void BudgetViewTest::deletePeriod_data()
{
    QTest::addColumn<bool>("current");
    QTest::addColumn<bool>("confirm");

    QTest::newRow("current period deleted") << true << true;
    QTest::newRow("past period deleted") << false << true;
    QTest::newRow("cancelled") << true << false;
}

// The trash button of a period asks first; "删除周期" removes every budget of that period
// in one change and leaves every entry, "取消" removes nothing.
void BudgetViewTest::deletePeriod()
{
    QFETCH(bool, current);
    QFETCH(bool, confirm);

    const std::vector<Budget> march{period(u"餐饮"_s, 1000, QDate(2024, 3, 1), QDate(2024, 3, 31)),
                                    period(u"交通"_s, 300, QDate(2024, 3, 1), QDate(2024, 3, 31)),
                                    period(u"购物"_s, 600, QDate(2024, 3, 1), QDate(2024, 3, 31))};
    const std::vector<Budget> february{period(u"餐饮"_s, 900, QDate(2024, 2, 1), QDate(2024, 2, 29)),
                                       period(u"娱乐"_s, 200, QDate(2024, 2, 1), QDate(2024, 2, 29))};
    for (const auto *list : {&march, &february}) {
        for (const Budget &budget : *list)
            QVERIFY(m_store->insert(budget));
    }
    for (const LedgerEntry &entry : {LedgerEntry(30, local(2024, 3, 2), EntryKind::expense, u"餐饮"_s),
                                     LedgerEntry(40, local(2024, 2, 2), EntryKind::expense, u"娱乐"_s),
                                     LedgerEntry(5000, local(2024, 3, 1), EntryKind::income, u"工资"_s)})
        QVERIFY(m_store->insert(entry));

    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    QSignalSpy budgetsChanged(m_store.get(), &ModelStore::budgetsChanged);
    QSignalSpy entriesChanged(m_store.get(), &ModelStore::entriesChanged);

    QWidget *section = current ? view->currentSection() : view->pastSection();
    const QString title = current ? u"2024年3月1日 - 2024年3月31日"_s : u"2024年2月1日 - 2024年2月29日"_s;
    QCOMPARE(headerTitles(section), QStringList{title});
    QTest::mouseClick(headers(section).front()->deleteButton(), Qt::LeftButton);

    QMessageBox *box = view->deleteConfirmation();
    QVERIFY(box);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QVERIFY(view->model().showingPeriodDeleteConfirmation());
    QCOMPARE(box->windowTitle(), u"删除“"_s + title + u"”预算？"_s);
    QCOMPARE(box->informativeText(), u"将删除这个周期内的全部预算分类与额度，不会删除任何账单。"_s);
    QCOMPARE(box->buttons().size(), 2);
    QPushButton *cancel = buttonOf(box, u"取消"_s);
    QPushButton *remove = buttonOf(box, u"删除周期"_s);
    QVERIFY(cancel);
    QVERIFY(remove);
    QCOMPARE(box->buttonRole(remove), QMessageBox::DestructiveRole);
    QCOMPARE(box->buttonRole(cancel), QMessageBox::RejectRole);
    QTest::mouseClick(confirm ? remove : cancel, Qt::LeftButton);
    QTRY_VERIFY(!view->deleteConfirmation());
    QVERIFY(!view->model().showingPeriodDeleteConfirmation());

    const std::vector<Budget> &deleted = current ? march : february;
    const std::vector<Budget> &kept = current ? february : march;
    QCOMPARE(budgetsChanged.count(), confirm ? 1 : 0);
    QCOMPARE(entriesChanged.count(), 0);
    const auto check = [&](const ModelStore &store) {
        QCOMPARE(store.entries().size(), size_t(3));
        QCOMPARE(store.budgets().size(), confirm ? kept.size() : march.size() + february.size());
        for (const Budget &budget : kept)
            QVERIFY(store.find<Budget>(budget.id));
        for (const Budget &budget : deleted)
            QCOMPARE(store.find<Budget>(budget.id) != nullptr, !confirm);
    };
    check(*m_store);
    if (QTest::currentTestFailed())
        return;
    if (confirm)
        QVERIFY(!headerTitles(view.get()).contains(title));
    else
        QCOMPARE(headerTitles(section), QStringList{title});
    view.reset();
    QVERIFY(reopenStore());
    check(*m_store);
}

void BudgetViewTest::backButton()
{
    std::unique_ptr<BudgetView> view = showView();
    QVERIFY(view);
    QSignalSpy back(view.get(), &BudgetView::backRequested);
    QCOMPARE(view->backButton()->text(), u"返回概览"_s);
    QTest::mouseClick(view->backButton(), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
}

PENNYLOOM_TEST(BudgetViewTest)

#include "tst_BudgetView.moc"
