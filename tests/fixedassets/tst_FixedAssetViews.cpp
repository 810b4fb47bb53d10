// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "fixedassets/EditFixedAssetView.h"
#include "fixedassets/FixedAssetDetailView.h"
#include "fixedassets/FixedAssetFormModel.h"
#include "fixedassets/FixedAssetManagementView.h"
#include "store/ModelStore.h"
#include "ui/AssetTotalCard.h"
#include "ui/CardGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::buttonOf;
using TestSupport::local;
using TestSupport::retype;
using TestSupport::typeText;

namespace {

QStringList rowTexts(const QList<FixedAssetDetailModel::InfoRow> &rows)
{
    QStringList texts;
    for (const auto &row : rows)
        texts.append(row.label + u'=' + row.value);
    return texts;
}

} // namespace

class FixedAssetViewsTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 5, 4, 15, 30))); }
    void cleanup() { closeStore(); }

    void registerScreens();
    void addForm_data();
    void addForm();
    void escapeCancelsTheAddForm();
    void editFromTheDetail();
    void deleteFromTheDetail_data();
    void deleteFromTheDetail();
    void deleteKeyOnTheGrid_data();
    void deleteKeyOnTheGrid();

private:
    // Each item is created a minute after the one before, so the grid order is fixed.
    FixedAsset add(const FixedAsset &asset)
    {
        m_clock->clock().advanceSeconds(60);
        if (!m_store->insert(asset))
            qFatal("a test could not insert a fixed asset into its store");
        return asset;
    }
    std::unique_ptr<FixedAssetManagementView> showRegister(QSize size = {1100, 820});
    // Clicks the card of the row and waits for the detail.
    FixedAssetDetailView *openDetail(FixedAssetManagementView &view, int row);
};

std::unique_ptr<FixedAssetManagementView> FixedAssetViewsTest::showRegister(QSize size)
{
    auto view = std::make_unique<FixedAssetManagementView>(*m_store);
    view->resize(size);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    return view;
}

FixedAssetDetailView *FixedAssetViewsTest::openDetail(FixedAssetManagementView &view, int row)
{
    CardGrid *grid = view.grid();
    const QRect card = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, card.center());
    auto *detail = qobject_cast<FixedAssetDetailView *>(view.detailSheet());
    if (!detail || !QTest::qWaitForWindowExposed(detail))
        return nullptr;
    return detail;
}

void FixedAssetViewsTest::registerScreens()
{
    std::unique_ptr<FixedAssetManagementView> view = showRegister();
    QVERIFY(view);
    QVERIFY(view->emptyState()->isVisible());
    QVERIFY(!view->grid()->isVisible());
    QCOMPARE(view->valueCard()->valueLabel()->text(), u"¥0.00"_s);
    QCOMPARE(view->depreciationCard()->valueLabel()->text(), u"¥0.00"_s);
    TestSupport::screenshot(view.get(), u"fixedassets-empty"_s);

    add(FixedAsset(u"车辆"_s, u"家用轿车"_s, 128000, local(2021, 9, 18, 10), 120));
    add(FixedAsset(u"电子设备"_s, u"笔记本电脑"_s, 8999, local(2024, 3, 5, 9), 36, u"14 英寸"_s));
    add(FixedAsset(u"摄影器材"_s, u"微单相机"_s, 12500, local(2024, 5, 4, 9), 60));
    add(FixedAsset(u"房产"_s, u"两居室公寓"_s, 2350000, local(2016, 6, 1), 840));
    add(FixedAsset(u"收藏品"_s, u"纪念邮票整版"_s, 3000, local(2017, 1, 1), 60));
    QVERIFY(!view->emptyState()->isVisible());
    QVERIFY(view->grid()->isVisible());
    QCOMPARE(view->grid()->columnCount(), 3);
    QCOMPARE(view->valueCard()->valueLabel()->text(), u"¥2,502,499.00"_s);
    // The whole grid is laid out in the page, with no scrolling of its own.
    QTRY_VERIFY(view->grid()->height() >=
                view->grid()->visualRect(view->grid()->model()->index(4, 0)).bottom());
    TestSupport::screenshot(view.get(), u"fixedassets-register"_s);
    view->resize(560, 700);
    QTRY_COMPARE(view->grid()->columnCount(), 1);
    TestSupport::screenshot(view.get(), u"fixedassets-register-narrow"_s);
    view->resize(1100, 820);

    FixedAssetDetailView *detail = openDetail(*view, 3);
    QVERIFY(detail);
    QCOMPARE(detail->model().asset()->name, u"笔记本电脑"_s);
    QCOMPARE(rowTexts(detail->shownRows()),
             (QStringList{u"购入日期=2024年3月5日"_s, u"预计使用寿命=36 个月"_s, u"已使用=1 个月"_s,
                          u"剩余寿命=35 个月"_s, u"预估月折旧=¥249.97"_s, u"备注=14 英寸"_s}));
    TestSupport::screenshot(detail, u"fixedassets-detail"_s);
    QTest::mouseClick(detail->closeButton(), Qt::LeftButton);
    QTRY_VERIFY(!view->detailSheet());
    QVERIFY(!view->model().selectedAsset());

    // The keyboard opens a card too.
    view->grid()->setFocus();
    view->grid()->setCurrentIndex(view->grid()->model()->index(0, 0));
    QTest::keyClick(view->grid(), Qt::Key_Return);
    QTRY_VERIFY(view->detailSheet());
    QCOMPARE(view->model().selectedAsset(), m_store->fixedAssets().front().id);
    view->detailSheet()->reject();
    QTRY_VERIFY(!view->detailSheet());
}

void FixedAssetViewsTest::addForm_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("life");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("accepted") << u" 相机 "_s << u"+12"_s << true;
    QTest::newRow("refused") << u"相机"_s << u"12.5"_s << false;
}

void FixedAssetViewsTest::addForm()
{
    QFETCH(QString, name);
    QFETCH(QString, life);
    QFETCH(bool, accepted);

    std::unique_ptr<FixedAssetManagementView> view = showRegister();
    QVERIFY(view);
    QTest::mouseClick(view->addButton(), Qt::LeftButton);
    auto *form = qobject_cast<FixedAssetFormView *>(view->addSheet());
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->windowTitle(), u"新增固定资产"_s);
    QCOMPARE(form->categoryMenu()->currentText(), u"房产"_s);
    QCOMPARE(form->lifeField()->text(), u"60"_s);
    QCOMPARE(form->purchaseDayField()->date(), QDate(2024, 5, 4));
    QCOMPARE(form->noteField()->accessibleName(), u"备注（可填写型号或编号）"_s);
    QVERIFY(!form->saveButton()->isEnabled());

    form->categoryMenu()->setFocus();
    QTest::keyClick(form->categoryMenu(), Qt::Key_End);
    QCOMPARE(form->model().category(), u"其他"_s);
    typeText(form->nameField(), name);
    typeText(form->amountField(), u"6500"_s);
    retype(form->lifeField(), life);
    typeText(form->noteField(), u"a7c2"_s);
    if (accepted)
        TestSupport::screenshot(form, u"fixedassets-add"_s);
    QCOMPARE(form->saveButton()->isEnabled(), accepted);
    // Return confirms from any field, but only a valid form.
    QTest::keyClick(form->noteField(), Qt::Key_Return);
    if (!accepted) {
        QVERIFY(m_store->fixedAssets().empty());
        QVERIFY(view->addSheet());
        return;
    }
    QTRY_VERIFY(!view->addSheet());
    QVERIFY(!view->model().showingAdd());
    QCOMPARE(m_store->fixedAssets().size(), 1u);
    const FixedAsset &stored = m_store->fixedAssets().front();
    QCOMPARE(stored.name, u"相机"_s);
    QCOMPARE(stored.category, u"其他"_s);
    QCOMPARE(stored.currentValue, 6500.0);
    QCOMPARE(stored.usefulLifeMonths, 12);
    QCOMPARE(stored.note, u"a7c2"_s);
    QVERIFY(view->grid()->isVisible());
    QCOMPARE(view->valueCard()->valueLabel()->text(), u"¥6,500.00"_s);
}

// Each opening starts afresh: what was typed before Escape is gone.
void FixedAssetViewsTest::escapeCancelsTheAddForm()
{
    std::unique_ptr<FixedAssetManagementView> view = showRegister();
    QVERIFY(view);
    QTest::mouseClick(view->addButton(), Qt::LeftButton);
    auto *form = qobject_cast<FixedAssetFormView *>(view->addSheet());
    QVERIFY(form && QTest::qWaitForWindowExposed(form));
    typeText(form->nameField(), u"沙发"_s);
    typeText(form->amountField(), u"3000"_s);
    QTest::keyClick(form->amountField(), Qt::Key_Escape);
    QTRY_VERIFY(!view->addSheet());
    QVERIFY(!view->model().showingAdd());
    QVERIFY(m_store->fixedAssets().empty());

    QTest::mouseClick(view->addButton(), Qt::LeftButton);
    form = qobject_cast<FixedAssetFormView *>(view->addSheet());
    QVERIFY(form);
    QCOMPARE(form->nameField()->text(), QString());
    QCOMPARE(form->amountField()->text(), QString());
}

void FixedAssetViewsTest::editFromTheDetail()
{
    const FixedAsset camera = add(FixedAsset(u"摄影器材"_s, u"相机"_s, 8999, local(2024, 3, 5, 9), 60));
    std::unique_ptr<FixedAssetManagementView> view = showRegister();
    QVERIFY(view);
    FixedAssetDetailView *detail = openDetail(*view, 0);
    QVERIFY(detail);
    QVERIFY(!detail->shownRows().isEmpty());
    QCOMPARE(detail->shownRows().back().label, u"预估月折旧"_s);

    QTest::mouseClick(detail->editButton(), Qt::LeftButton);
    auto *form = qobject_cast<EditFixedAssetView *>(detail->editSheet());
    QVERIFY(form && QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->windowTitle(), u"编辑固定资产"_s);
    QCOMPARE(form->saveButton()->text(), u"保存修改"_s);
    QCOMPARE(form->amountField()->text(), u"8999.00"_s);
    QCOMPARE(form->lifeField()->text(), u"60"_s);
    QCOMPARE(form->categoryMenu()->currentText(), u"摄影器材"_s);
    QCOMPARE(form->purchaseDayField()->date(), QDate(2024, 3, 5));
    QCOMPARE(form->noteField()->accessibleName(), u"备注"_s);
    TestSupport::screenshot(form, u"fixedassets-edit"_s);

    retype(form->amountField(), u"7200"_s);
    retype(form->lifeField(), u"0"_s);
    QVERIFY(!form->saveButton()->isEnabled());
    retype(form->lifeField(), u"48"_s);
    typeText(form->noteField(), u"<b>带镜头</b>"_s);
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    QTRY_VERIFY(!detail->editSheet());
    QVERIFY(!detail->model().showingEdit());

    // The detail and the register show the new values at once.
    const FixedAsset *stored = m_store->find<FixedAsset>(camera.id);
    QVERIFY(stored);
    QCOMPARE(stored->createdAt, camera.createdAt);
    QCOMPARE(rowTexts(detail->shownRows()),
             (QStringList{u"购入日期=2024年3月5日"_s, u"预计使用寿命=48 个月"_s, u"已使用=1 个月"_s,
                          u"剩余寿命=47 个月"_s, u"预估月折旧=¥150.00"_s, u"备注=<b>带镜头</b>"_s}));
    QCOMPARE(view->valueCard()->valueLabel()->text(), u"¥7,200.00"_s);
    QCOMPARE(view->depreciationCard()->valueLabel()->text(), u"¥150.00"_s);
    // The note is shown as typed, not read as markup.
    for (const QLabel *label : detail->findChildren<QLabel *>()) {
        if (label->text() == u"<b>带镜头</b>"_s)
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    TestSupport::screenshot(detail, u"fixedassets-detail-edited"_s);
}

void FixedAssetViewsTest::deleteFromTheDetail_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("deleted") << true;
    QTest::newRow("cancelled") << false;
}

void FixedAssetViewsTest::deleteFromTheDetail()
{
    QFETCH(bool, confirm);

    const FixedAsset sofa = add(FixedAsset(u"家具家电"_s, u"沙发"_s, 3000, local(2023, 1, 1), 30));
    std::unique_ptr<FixedAssetManagementView> view = showRegister();
    QVERIFY(view);
    FixedAssetDetailView *detail = openDetail(*view, 0);
    QVERIFY(detail);
    QCOMPARE(detail->deleteButton()->text(), QString());
    QCOMPARE(detail->deleteButton()->accessibleName(), u"删除"_s);
    QTest::mouseClick(detail->deleteButton(), Qt::LeftButton);
    auto *alert = qobject_cast<QMessageBox *>(detail->deleteAlert());
    QVERIFY(alert && QTest::qWaitForWindowExposed(alert));
    QCOMPARE(alert->text(), u"删除这个固定资产？"_s);
    QCOMPARE(alert->informativeText(), u"删除后无法从应用内恢复。"_s);
    QPushButton *remove = buttonOf(alert, u"删除"_s);
    QPushButton *cancel = buttonOf(alert, u"取消"_s);
    QVERIFY(remove && cancel);
    QCOMPARE(alert->buttonRole(remove), QMessageBox::DestructiveRole);
    QTest::mouseClick(confirm ? remove : cancel, Qt::LeftButton);
    QTRY_VERIFY(!detail->model().confirmingDelete());

    QCOMPARE(m_store->find<FixedAsset>(sofa.id) == nullptr, confirm);
    if (confirm) {
        QTRY_VERIFY(!view->detailSheet());
        QVERIFY(!view->model().selectedAsset());
        QVERIFY(view->emptyState()->isVisible());
        QCOMPARE(view->valueCard()->valueLabel()->text(), u"¥0.00"_s);
    } else {
        QVERIFY(view->detailSheet());
        QVERIFY(detail->isVisible());
    }
}

void FixedAssetViewsTest::deleteKeyOnTheGrid_data()
{
    QTest::addColumn<bool>("onCard");
    QTest::newRow("focused card asks over its detail") << true;
    QTest::newRow("no current card") << false;
}

void FixedAssetViewsTest::deleteKeyOnTheGrid()
{
    QFETCH(bool, onCard);

    const FixedAsset sofa = add(FixedAsset(u"家具家电"_s, u"沙发"_s, 3000, local(2023, 1, 1), 30));
    std::unique_ptr<FixedAssetManagementView> view = showRegister();
    QVERIFY(view);
    CardGrid *grid = view->grid();
    grid->setFocus();
    grid->setCurrentIndex(onCard ? grid->model()->index(0, 0) : QModelIndex());
    QTest::keyClick(grid, Qt::Key_Delete);

    auto *detail = qobject_cast<FixedAssetDetailView *>(view->detailSheet());
    QCOMPARE(detail != nullptr, onCard);
    QVERIFY(m_store->find<FixedAsset>(sofa.id));
    if (!onCard)
        return;
    auto *alert = qobject_cast<QMessageBox *>(detail->deleteAlert());
    QVERIFY(alert && QTest::qWaitForWindowExposed(alert));
    QTest::mouseClick(buttonOf(alert, u"删除"_s), Qt::LeftButton);
    QTRY_VERIFY(!m_store->find<FixedAsset>(sofa.id));
    QTRY_VERIFY(!view->detailSheet());
}

PENNYLOOM_TEST(FixedAssetViewsTest)

#include "tst_FixedAssetViews.moc"
