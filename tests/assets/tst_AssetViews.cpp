// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "assets/AddAssetAccountView.h"
#include "assets/AddAssetAmountView.h"
#include "assets/AssetAccountCardDelegate.h"
#include "assets/AssetAccountDetailView.h"
#include "assets/AssetAccountLedgerView.h"
#include "assets/AssetAccountListModel.h"
#include "assets/AssetAccountSection.h"
#include "assets/AssetBrand.h"
#include "assets/AssetBrandArtwork.h"
#include "assets/AssetBrandIcon.h"
#include "assets/AssetChangeDelegate.h"
#include "assets/AssetChangeListModel.h"
#include "assets/AssetManagementView.h"
#include "assets/AssetTrendLink.h"
#include "assets/AssetTrendView.h"
#include "assets/LiabilityRepaymentLedgerView.h"
#include "store/ModelStore.h"
#include "ui/AssetTotalCard.h"
#include "ui/CardGrid.h"
#include "ui/EmptyState.h"
#include "ui/ItemActions.h"
#include "ui/SegmentedControl.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>

using namespace Qt::StringLiterals;
using TestSupport::buttonOf;
using TestSupport::local;

namespace {

QStringList visibleTexts(const QListView *list)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data(Qt::AccessibleTextRole).toString());
    return texts;
}

} // namespace

class AssetViewsTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void everyBrandHasArtwork();
    void emptyWorkspace();
    void workspace();
    void addAccount_data();
    void addAccount();
    void detailOfLiability();
    void repayFromDetail();
    void deleteChangeAtOnce();
    void deleteAccount_data();
    void deleteAccount();
    void deleteKeyOnTheGrid_data();
    void deleteKeyOnTheGrid();
    void ledgers();
    void trend();

private:
    AssetAccount addAccount(const QString &name, const QString &kind, const QString &dimension,
                            double opening, int day);
    void addChange(const AssetAccount &account, double amount, const QDateTime &date,
                   const QString &note = {});
    std::unique_ptr<AssetManagementView> showWorkspace();
    // Clicks the painted "管理" button of the account's card.
    bool manage(AssetManagementView &view, AssetDimension dimension, int row);
};

void AssetViewsTest::init()
{
    QVERIFY(openStore(local(2024, 6, 18, 10, 30)));
}

void AssetViewsTest::cleanup()
{
    closeStore();
}

AssetAccount AssetViewsTest::addAccount(const QString &name, const QString &kind, const QString &dimension,
                                        double opening, int day)
{
    const AssetAccount account(name, kind, dimension, opening, local(2024, 1, day, 9));
    if (!m_store->insert(account))
        qFatal("a test could not insert an account");
    return account;
}

void AssetViewsTest::addChange(const AssetAccount &account, double amount, const QDateTime &date,
                               const QString &note)
{
    if (!m_store->insert(AssetAdjustment(account.id, amount, date, note)))
        qFatal("a test could not insert an adjustment");
}

std::unique_ptr<AssetManagementView> AssetViewsTest::showWorkspace()
{
    auto view = std::make_unique<AssetManagementView>(*m_store);
    view->resize(1080, 1300);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    return view;
}

bool AssetViewsTest::manage(AssetManagementView &view, AssetDimension dimension, int row)
{
    CardGrid *grid = view.section(dimension)->grid();
    const QModelIndex index = grid->model()->index(row, 0);
    if (!index.isValid())
        return false;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      AssetAccountCardDelegate::manageRect(grid->visualRect(index)).center());
    return qobject_cast<AssetAccountDetailView *>(view.openSheet()) != nullptr;
}

// Every image the badge rules can name for a kind of the lists is drawn, none falls back.
void AssetViewsTest::everyBrandHasArtwork()
{
    for (AssetDimension dimension : AssetDimensions::all) {
        for (const QString &kind : AssetDimensions::kinds(dimension)) {
            const AssetBrand brand = AssetBrand::forKind(kind);
            if (brand.form != AssetBrand::Form::image)
                continue;
            QVERIFY2(AssetBrandArtwork::has(brand.name), qPrintable(brand.name));
            const QImage image = AssetBrandArtwork::image(brand.name, QSize(48, 26), 2).toImage();
            QCOMPARE(image.size(), QSize(96, 52));
            // The tile is filled: its centre is not transparent.
            QVERIFY(qAlpha(image.pixel(48, 26)) > 0 || qAlpha(image.pixel(4, 4)) > 0);
        }
    }
    AssetBrandIcon badge(u"微信"_s);
    QCOMPARE(badge.toolTip(), u"微信 品牌标识"_s);
}

void AssetViewsTest::emptyWorkspace()
{
    std::unique_ptr<AssetManagementView> view = showWorkspace();
    QVERIFY(view);
    for (AssetDimension dimension : AssetDimensions::all) {
        const QString title = AssetDimensions::rawValue(dimension);
        QCOMPARE(view->totalCard(dimension)->valueLabel()->text(), u"¥0.00"_s);
        QVERIFY(view->section(dimension)->emptyLabel()->isVisible());
        QCOMPARE(view->section(dimension)->emptyLabel()->text(), u"暂未添加"_s + title);
        QVERIFY(!view->section(dimension)->grid()->isVisible());
    }
    TestSupport::screenshot(view.get(), u"assets-empty"_s);
}

// Accounts in all three dimensions: the cards are in a grid of columns at least 245 wide,
// newest first, and the totals are those of the balance rule.
void AssetViewsTest::workspace()
{
    const AssetAccount cash = addAccount(u"现金"_s, u"现金"_s, u"自有资产"_s, 1000, 1);
    addAccount(u"工资卡"_s, u"工商银行储蓄卡"_s, u"自有资产"_s, 8600.5, 2);
    addAccount(u"微信"_s, u"微信"_s, u"自有资产"_s, 320, 3);
    addAccount(u"零钱通"_s, u"支付宝小荷包"_s, u"自有资产"_s, 45, 4);
    addAccount(u"招行信用卡"_s, u"招商银行信用卡"_s, u"可借用资产"_s, 30000, 5);
    addAccount(u"其他卡"_s, u"其他银行信用卡"_s, u"可借用资产"_s, 5000, 6);
    const AssetAccount loan = addAccount(u"房贷"_s, u"房贷"_s, u"负债"_s, 5000, 7);
    addChange(cash, 200, local(2024, 6, 1));
    addChange(cash, -50, local(2024, 6, 2));
    addChange(loan, -1200, local(2024, 6, 3));

    std::unique_ptr<AssetManagementView> view = showWorkspace();
    QVERIFY(view);
    TestSupport::screenshot(view.get(), u"assets-workspace"_s);

    QCOMPARE(view->totalCard(AssetDimension::owned)->valueLabel()->text(), u"¥10,115.50"_s);
    QCOMPARE(view->totalCard(AssetDimension::liability)->valueLabel()->text(), u"¥3,800.00"_s);
    CardGrid *owned = view->section(AssetDimension::owned)->grid();
    QAbstractItemModelTester tester(owned->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(owned->model()->rowCount(), 4);
    QCOMPARE(owned->model()->index(0, 0).data().toString(), u"零钱通"_s);
    QCOMPARE(owned->model()->index(3, 0).data(Qt::AccessibleTextRole).toString(), u"现金，现金，¥1,150.00"_s);
    // Cards of at least 245 share a row of this width.
    const QRect first = owned->visualRect(owned->model()->index(0, 0));
    const QRect second = owned->visualRect(owned->model()->index(1, 0));
    QCOMPARE(second.top(), first.top());
    QVERIFY(first.width() >= 245);
    QVERIFY(owned->height() >= first.height());
    QVERIFY(!view->section(AssetDimension::liability)->emptyLabel()->isVisible());

    QTest::mouseClick(view->trendLink(), Qt::LeftButton);
    QVERIFY(qobject_cast<AssetTrendView *>(view->openSheet()));
    view->openSheet()->reject();
    QVERIFY(!view->model().showingTrend());
    QTRY_VERIFY(!view->openSheet());
    QTest::mouseClick(view->repaymentButton(), Qt::LeftButton);
    QVERIFY(qobject_cast<LiabilityRepaymentLedgerView *>(view->openSheet()));
}

void AssetViewsTest::addAccount_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("saved");

    QTest::newRow("zero owed") << u"0"_s << true;
    QTest::newRow("grouping separator") << u"1,000"_s << false;
}

// The form from the workspace: "负债" resets the kind, an empty name takes the kind, and the
// new account appears in its section.
void AssetViewsTest::addAccount()
{
    QFETCH(QString, amount);
    QFETCH(bool, saved);

    std::unique_ptr<AssetManagementView> view = showWorkspace();
    QVERIFY(view);
    QTest::mouseClick(view->addButton(), Qt::LeftButton);
    auto *form = qobject_cast<AddAssetAccountView *>(view->openSheet());
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    form->kindPicker()->setCurrentIndex(form->kindPicker()->findText(u"微信"_s));
    QCOMPARE(form->model().kind(), u"微信"_s);
    form->dimensionPicker()->setCurrentIndex(form->dimensionPicker()->findText(u"负债"_s));
    QCOMPARE(form->kindPicker()->currentText(), u"信用卡应还"_s);
    QCOMPARE(form->kindPicker()->count(), 6);
    TestSupport::typeText(form->amountField(), amount);
    QCOMPARE(form->saveButton()->isEnabled(), saved);
    if (saved)
        TestSupport::screenshot(form, u"assets-add-account"_s);
    QTest::keyClick(form->amountField(), Qt::Key_Return);

    QCOMPARE(m_store->assetAccounts().size(), size_t(saved ? 1 : 0));
    QTRY_COMPARE(view->openSheet() == nullptr, saved);
    if (!saved)
        return;
    QCOMPARE(m_store->assetAccounts().front().name, u"信用卡应还"_s);
    QCOMPARE(view->section(AssetDimension::liability)->grid()->model()->rowCount(), 1);
    QVERIFY(!view->model().showingAddAccount());
}

// Every wording of a liability's detail, and its changes as rows.
void AssetViewsTest::detailOfLiability()
{
    const AssetAccount card = addAccount(u"招商银行信用卡"_s, u"信用卡应还"_s, u"负债"_s, 5000, 1);
    addChange(card, 1000, local(2024, 6, 10));
    addChange(card, -300, local(2024, 6, 12), u"六月"_s);
    addChange(card, -200, local(2024, 6, 14));
    std::unique_ptr<AssetManagementView> view = showWorkspace();
    QVERIFY(view);
    QVERIFY(manage(*view, AssetDimension::liability, 0));
    auto *detail = qobject_cast<AssetAccountDetailView *>(view->openSheet());
    QVERIFY(QTest::qWaitForWindowExposed(detail));
    TestSupport::screenshot(detail, u"assets-liability-detail"_s);

    QCOMPARE(detail->titleLabel()->text(), u"管理负债"_s);
    QCOMPARE(detail->ledgerButton()->text(), u"负债账单"_s);
    QCOMPARE(detail->deductionButton()->text(), u"还款"_s);
    QCOMPARE(detail->increaseButton()->text(), u"增加负债"_s);
    QCOMPARE(detail->deleteButton()->accessibleName(), u"删除"_s);
    QCOMPARE(detail->balanceLabel()->text(), u"¥5,500.00"_s);
    QAbstractItemModelTester tester(detail->list()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(visibleTexts(detail->list()),
             (QStringList{u"还款，6月14日 星期五，-¥200.00"_s, u"六月，6月12日 星期三，-¥300.00"_s,
                          u"增加负债，6月10日 星期一，+¥1,000.00"_s}));

    QTest::mouseClick(detail->ledgerButton(), Qt::LeftButton);
    auto *ledger = qobject_cast<AssetAccountLedgerView *>(detail->openSheet());
    QVERIFY(ledger);
    QCOMPARE(ledger->windowTitle(), u"招商银行信用卡 账单"_s);
}

// "还款" with 300 and a note: the form's title and button, the stored change, the new
// balance in the detail and the workspace.
void AssetViewsTest::repayFromDetail()
{
    const AssetAccount loan = addAccount(u"房贷"_s, u"房贷"_s, u"负债"_s, 5000, 1);
    std::unique_ptr<AssetManagementView> view = showWorkspace();
    QVERIFY(view);
    QVERIFY(manage(*view, AssetDimension::liability, 0));
    auto *detail = qobject_cast<AssetAccountDetailView *>(view->openSheet());
    QVERIFY(detail->emptyLabel()->isVisible());
    QCOMPARE(detail->emptyLabel()->text(), u"还没有负债变动记录"_s);

    QTest::mouseClick(detail->deductionButton(), Qt::LeftButton);
    auto *form = qobject_cast<AddAssetAmountView *>(detail->openSheet());
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->title(), u"还款：房贷"_s);
    QCOMPARE(form->confirmButton()->text(), u"确认还款"_s);
    QCOMPARE(form->amountField()->accessibleName(), u"还款"_s);
    TestSupport::typeText(form->amountField(), u"-5"_s);
    QVERIFY(!form->confirmButton()->isEnabled());
    TestSupport::retype(form->amountField(), u"300"_s);
    TestSupport::typeText(form->noteField(), u"六月"_s);
    QVERIFY(form->confirmButton()->isEnabled());
    TestSupport::screenshot(form, u"assets-repay-form"_s);
    QTest::mouseClick(form->confirmButton(), Qt::LeftButton);

    QVERIFY(!detail->model().operation());
    QTRY_VERIFY(!detail->openSheet());
    QCOMPARE(m_store->assetAdjustments().size(), size_t(1));
    QCOMPARE(m_store->assetAdjustments().front().amount, -300.0);
    QCOMPARE(detail->balanceLabel()->text(), u"¥4,700.00"_s);
    QCOMPARE(view->totalCard(AssetDimension::liability)->valueLabel()->text(), u"¥4,700.00"_s);
    QCOMPARE(visibleTexts(detail->list()), QStringList{u"六月，6月18日 星期二，-¥300.00"_s});
}

void AssetViewsTest::deleteChangeAtOnce()
{
    const AssetAccount cash = addAccount(u"现金"_s, u"现金"_s, u"自有资产"_s, 100, 1);
    addChange(cash, 10, local(2024, 6, 1));
    addChange(cash, 20, local(2024, 6, 2));
    addChange(cash, 40, local(2024, 6, 3));
    AssetAccountDetailView detail(*m_store, cash);
    detail.show();
    QVERIFY(QTest::qWaitForWindowExposed(&detail));
    QListView *list = detail.list();
    const QRect row = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, AssetChangeDelegate::trashRect(row).center());
    QCOMPARE(m_store->assetAdjustments().size(), size_t(2));
    QCOMPARE(detail.balanceLabel()->text(), u"¥130.00"_s);
    // Assistive technology deletes a change as its trash button does.
    QCOMPARE(TestSupport::accessibleChildNames(list), visibleTexts(list));
    QVERIFY(TestSupport::doAccessibleAction(list, 0, ItemActions::deleteAction()));
    QCOMPARE(detail.balanceLabel()->text(), u"¥110.00"_s);
    // The keyboard deletes the row it is on, which Tab brings it to unchosen, the same way.
    QVERIFY(TestSupport::marksKeyboardRow(list, list->model()->index(0, 0)));
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(m_store->assetAdjustments().empty());
    QVERIFY(detail.emptyLabel()->isVisible());
    QCOMPARE(detail.emptyLabel()->text(), u"还没有金额变动记录"_s);
}

void AssetViewsTest::deleteAccount_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");

    QTest::newRow("删除") << u"删除"_s << true;
    QTest::newRow("取消") << u"取消"_s << false;
}

// The trash of the toolbar asks first; "删除" removes the account with its changes and closes
// the detail, "取消" keeps everything.
void AssetViewsTest::deleteAccount()
{
    QFETCH(QString, answer);
    QFETCH(bool, deleted);

    const AssetAccount cash = addAccount(u"现金"_s, u"现金"_s, u"自有资产"_s, 100, 1);
    for (int i = 0; i < 5; ++i)
        addChange(cash, 1, local(2024, 6, 1 + i));
    std::unique_ptr<AssetManagementView> view = showWorkspace();
    QVERIFY(view);
    QVERIFY(manage(*view, AssetDimension::owned, 0));
    auto *detail = qobject_cast<AssetAccountDetailView *>(view->openSheet());
    QTest::mouseClick(detail->deleteButton(), Qt::LeftButton);
    auto *alert = qobject_cast<QMessageBox *>(detail->openSheet());
    QVERIFY(alert);
    QCOMPARE(alert->text(), u"删除这个资产？"_s);
    QCOMPARE(alert->informativeText(), u"资产及所有金额变动明细都会被删除。"_s);
    QPushButton *button = buttonOf(alert, answer);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(m_store->assetAccounts().empty(), deleted);
    QCOMPARE(m_store->assetAdjustments().size(), size_t(deleted ? 0 : 5));
    QTRY_COMPARE(view->openSheet() == nullptr, deleted);
    QCOMPARE(view->section(AssetDimension::owned)->emptyLabel()->isVisible(), deleted);
}

void AssetViewsTest::deleteKeyOnTheGrid_data()
{
    QTest::addColumn<bool>("onCard");
    QTest::newRow("focused card asks over its detail") << true;
    QTest::newRow("no current card") << false;
}

// Delete on the focused card asks as the detail's trash does, and deletes nothing yet.
void AssetViewsTest::deleteKeyOnTheGrid()
{
    QFETCH(bool, onCard);

    addAccount(u"现金"_s, u"现金"_s, u"自有资产"_s, 100, 1);
    std::unique_ptr<AssetManagementView> view = showWorkspace();
    QVERIFY(view);
    CardGrid *grid = view->section(AssetDimension::owned)->grid();
    grid->setFocus();
    grid->setCurrentIndex(onCard ? grid->model()->index(0, 0) : QModelIndex());
    QTest::keyClick(grid, Qt::Key_Delete);

    auto *detail = qobject_cast<AssetAccountDetailView *>(view->openSheet());
    QCOMPARE(detail != nullptr, onCard);
    if (onCard) {
        auto *alert = qobject_cast<QMessageBox *>(detail->openSheet());
        QVERIFY(alert);
        QCOMPARE(alert->text(), u"删除这个资产？"_s);
    }
    QCOMPARE(m_store->assetAccounts().size(), size_t(1));
}

// Both ledgers with rows, then a period without any: the empty state.
void AssetViewsTest::ledgers()
{
    const AssetAccount loan = addAccount(u"房贷"_s, u"房贷"_s, u"负债"_s, 5000, 1);
    const AssetAccount card = addAccount(u"信用卡应还"_s, u"信用卡应还"_s, u"负债"_s, 800, 2);
    const AssetAccount cash = addAccount(u"现金"_s, u"现金"_s, u"自有资产"_s, 100, 3);
    addChange(loan, -1200, local(2024, 6, 3), u"六月房贷"_s);
    addChange(card, -300, local(2024, 6, 8));
    addChange(card, 500, local(2024, 6, 9));
    addChange(cash, -20, local(2024, 6, 10));
    addChange(cash, 60, local(2024, 6, 11));

    LiabilityRepaymentLedgerView repayments(*m_store);
    repayments.show();
    QVERIFY(QTest::qWaitForWindowExposed(&repayments));
    TestSupport::screenshot(&repayments, u"assets-repayment-ledger"_s);
    QCOMPARE(repayments.totalLabel()->text(), u"已还 ¥1,500.00"_s);
    QCOMPARE(visibleTexts(repayments.list()), (QStringList{u"信用卡应还，还款，¥300.00，6月8日 星期六"_s,
                                                           u"房贷，六月房贷，¥1,200.00，6月3日 星期一"_s}));
    QCOMPARE(repayments.periodPicker()->currentText(), u"按月"_s);
    QCOMPARE(repayments.datePickerLabel()->text(), u"选择所在月"_s);
    repayments.periodPicker()->setCurrentIndex(0);
    QCOMPARE(repayments.datePickerLabel()->text(), u"选择日期"_s);
    QVERIFY(repayments.showsEmptyState());
    QCOMPARE(repayments.emptyState()->title(), u"该时间段暂无还款"_s);
    QCOMPARE(repayments.totalLabel()->text(), u"已还 ¥0.00"_s);

    AssetAccountLedgerView ledger(*m_store, cash);
    ledger.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ledger));
    TestSupport::screenshot(&ledger, u"assets-account-ledger"_s);
    QCOMPARE(ledger.addedLabel()->text(), u"增加 ¥60.00"_s);
    QCOMPARE(ledger.deductedLabel()->text(), u"扣除 ¥20.00"_s);
    QCOMPARE(ledger.netLabel()->text(), u"净变动 ¥40.00"_s);
    ledger.periodPicker()->setCurrentIndex(3);
    QVERIFY(ledger.startPicker()->isVisible());
    QVERIFY(!ledger.datePicker()->isVisible());
    QCOMPARE(ledger.startPicker()->date(), QDate(2024, 5, 18));
    ledger.endPicker()->setDate(QDate(2024, 6, 10));
    QCOMPARE(visibleTexts(ledger.list()), QStringList{u"扣除金额，6月10日 星期一，-¥20.00"_s});
    // A start past the end takes the end along: the day itself is the range.
    ledger.startPicker()->setDate(QDate(2024, 6, 11));
    QCOMPARE(ledger.endPicker()->date(), QDate(2024, 6, 11));
    QCOMPARE(ledger.addedLabel()->text(), u"增加 ¥60.00"_s);
    ledger.startPicker()->setDate(QDate(2024, 6, 12));
    QVERIFY(ledger.showsEmptyState());
    QCOMPARE(ledger.emptyState()->title(), u"该时间段暂无资产变动"_s);
}

// No accounts: only the empty state. With accounts: the chart over six months and the
// current sum, which follows a new change at once.
void AssetViewsTest::trend()
{
    AssetTrendView sheet(*m_store);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QVERIFY(sheet.emptyState()->isVisible());
    QVERIFY(!sheet.chartView()->isVisible());
    QVERIFY(!sheet.currentPanel()->isVisible());
    TestSupport::screenshot(&sheet, u"assets-trend-empty"_s);

    const AssetAccount loan = addAccount(u"房贷"_s, u"房贷"_s, u"负债"_s, 3000, 5);
    const AssetAccount cash = addAccount(u"现金"_s, u"现金"_s, u"自有资产"_s, 1000, 5);
    addChange(cash, 800, local(2024, 3, 4));
    addChange(loan, -500, local(2024, 5, 4));
    QVERIFY(!sheet.emptyState()->isVisible());
    QVERIFY(sheet.chartView()->isVisible());
    QCOMPARE(sheet.monthAxis()->categories(),
             (QStringList{u"1月"_s, u"2月"_s, u"3月"_s, u"4月"_s, u"5月"_s, u"6月"_s}));
    QCOMPARE(sheet.monthAxis()->titleText(), u"月份"_s);
    QCOMPARE(sheet.currentLabel()->text(), u"¥4,300.00"_s);
    TestSupport::screenshot(&sheet, u"assets-trend"_s);
    // Each month's point is one item, read with its month and amount, where the point is drawn.
    const QStringList points = TestSupport::accessibleChildNames(sheet.chartView());
    QCOMPARE(points.size(), 6);
    QCOMPARE(points.last(), u"6月，¥4,300.00"_s);
    QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(sheet.chartView());
    const QRect plot(sheet.chartView()->mapToGlobal(QPoint(0, 0)), sheet.chartView()->size());
    QVERIFY(plot.contains(chart->child(0)->rect()) && plot.contains(chart->child(5)->rect()));
    QVERIFY(chart->child(0)->rect().right() < chart->child(5)->rect().left());
    // Tab passes the chart by: it answers no key and shows no focus.
    sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    for (int tab = 0; tab < 3; ++tab) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &sheet, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != sheet.chartView() &&
                QApplication::focusWidget() != sheet.chartView()->viewport());
    }
    addChange(cash, 100, local(2024, 6, 17));
    QCOMPARE(sheet.currentLabel()->text(), u"¥4,400.00"_s);

    // Below zero: the shading runs from the curve to zero, the line keeps between each two
    // months, and no month's symbol sits on the edge of the plot.
    addChange(cash, -9000, local(2024, 6, 17, 12));
    QCOMPARE(sheet.currentLabel()->text(), u"-¥4,600.00"_s);
    TestSupport::screenshot(&sheet, u"assets-trend-negative"_s);
    const QList<QAbstractSeries *> layers = sheet.chartView()->chart()->series();
    const auto *area = qobject_cast<QAreaSeries *>(layers.value(0));
    const auto *line = qobject_cast<QLineSeries *>(layers.value(1));
    QVERIFY(area && line);
    for (const QPointF &point : area->lowerSeries()->points())
        QCOMPARE(point.y(), 0.0);
    const std::vector<AssetTrendPoint> &months = sheet.points();
    for (const QPointF &point : line->points()) {
        const size_t month = std::min(size_t(point.x()), months.size() - 2);
        const auto [low, high] = std::minmax(months[month].amount, months[month + 1].amount);
        QVERIFY2(point.y() >= low && point.y() <= high,
                 qPrintable(u"%1, %2"_s.arg(point.x()).arg(point.y())));
    }
    const double bottom = sheet.amountAxis()->min();
    const double top = sheet.amountAxis()->max();
    for (const AssetTrendPoint &month : months)
        QVERIFY2(month.amount - bottom >= 0.03 * (top - bottom) &&
                     top - month.amount >= 0.03 * (top - bottom),
                 qPrintable(month.month));
}

#include "tst_AssetViews.moc"
PENNYLOOM_TEST(AssetViewsTest)
