// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "fixedassets/FixedAssetDetailModel.h"
#include "fixedassets/FixedAssetFormModel.h"
#include "fixedassets/FixedAssetListModel.h"
#include "fixedassets/FixedAssetManagementModel.h"
#include "store/ModelStore.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

QStringList displayTexts(const QAbstractItemModel &model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, 0).data().toString());
    return texts;
}

QStringList rowTexts(const QList<FixedAssetDetailModel::InfoRow> &rows)
{
    QStringList texts;
    for (const auto &row : rows)
        texts.append(row.label + u'=' + row.value);
    return texts;
}

} // namespace

class FixedAssetModelsTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(local(2024, 5, 4, 15, 30))); }
    void cleanup() { closeStore(); }

    void formValidity_data();
    void formValidity();
    void addStoresWhatWasTyped();
    void saveRechecksTheFields();
    void editRoundTrip();
    void editWorksOnACopy();
    void registerTotalsAndCards();
    void detailRows_data();
    void detailRows();
    void detailFollowsTheStore();

private:
    FixedAsset add(const FixedAsset &asset)
    {
        if (!m_store->insert(asset))
            qFatal("a test could not insert a fixed asset into its store");
        return asset;
    }
    // Closes the store file and opens it again, as a restart does.
    void reopen()
    {
        m_store.reset();
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
    }
};

void FixedAssetModelsTest::formValidity_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("life");
    QTest::addColumn<bool>("valid");

    QTest::newRow("all filled") << u"相机"_s << u"8999"_s << u"60"_s << true;
    QTest::newRow("name with blanks around") << u"  相机\n"_s << u"8999"_s << u"60"_s << true;
    QTest::newRow("name of blanks only") << u" \t\u3000 "_s << u"8999"_s << u"60"_s << false;
    QTest::newRow("worth nothing") << u"旧沙发"_s << u"0"_s << u"60"_s << true;
    QTest::newRow("negative value") << u"旧沙发"_s << u"-1"_s << u"60"_s << false;
    QTest::newRow("grouped value") << u"旧沙发"_s << u"1,200"_s << u"60"_s << false;
    QTest::newRow("value with a blank") << u"旧沙发"_s << u"1200 "_s << u"60"_s << false;
    QTest::newRow("signed life") << u"相机"_s << u"8999"_s << u"+12"_s << true;
    QTest::newRow("fractional life") << u"相机"_s << u"8999"_s << u"12.5"_s << false;
    QTest::newRow("life of zero") << u"相机"_s << u"8999"_s << u"0"_s << false;
    QTest::newRow("empty life") << u"相机"_s << u"8999"_s << QString() << false;
}

void FixedAssetModelsTest::formValidity()
{
    QFETCH(QString, name);
    QFETCH(QString, amount);
    QFETCH(QString, life);
    QFETCH(bool, valid);

    FixedAssetFormModel form;
    form.setName(name);
    form.setAmount(amount);
    form.setLifeMonths(life);
    QCOMPARE(form.canSave(), valid);
    QCOMPARE(form.save(*m_store), valid);
    QCOMPARE(m_store->fixedAssets().size(), valid ? 1u : 0u);
}

// The name is trimmed, the note kept as typed, the life read with its sign, the day from the
// picker with the time of opening, and all of it survives a restart.
void FixedAssetModelsTest::addStoresWhatWasTyped()
{
    FixedAssetFormModel form;
    QCOMPARE(form.category(), u"房产"_s);
    QCOMPARE(form.lifeMonths(), u"60"_s);
    QCOMPARE(form.purchaseDate(), local(2024, 5, 4, 15, 30));

    form.setCategory(u"摄影器材"_s);
    form.setName(u" 相机 "_s);
    form.setAmount(u"8999.5"_s);
    form.setPurchaseDay(QDate(2024, 3, 5));
    form.setLifeMonths(u"+12"_s);
    form.setNote(u" 型号 A7M4 \n"_s);
    m_clock->clock().set(local(2024, 5, 4, 15, 45));
    QVERIFY(form.save(*m_store));

    reopen();
    QCOMPARE(m_store->fixedAssets().size(), 1u);
    const FixedAsset &stored = m_store->fixedAssets().front();
    QCOMPARE(stored.category, u"摄影器材"_s);
    QCOMPARE(stored.name, u"相机"_s);
    QCOMPARE(stored.currentValue, 8999.5);
    QCOMPARE(stored.purchaseDate, local(2024, 3, 5, 15, 30));
    QCOMPARE(stored.usefulLifeMonths, 12);
    QCOMPARE(stored.note, u" 型号 A7M4 \n"_s);
    QCOMPARE(stored.createdAt, local(2024, 5, 4, 15, 45));
}

// A field turned invalid after the button was last enabled still stops the save.
void FixedAssetModelsTest::saveRechecksTheFields()
{
    const FixedAsset sofa = add(FixedAsset(u"家具家电"_s, u"沙发"_s, 3000, local(2023, 1, 1), 30));
    FixedAssetFormModel form(sofa);
    form.setLifeMonths(u"99999999999999999999"_s);
    QVERIFY(!form.save(*m_store));
    form.setLifeMonths(u"30"_s);
    form.setAmount(u"-3000"_s);
    QVERIFY(!form.save(*m_store));
    reopen();
    QCOMPARE(m_store->fixedAssets().front().usefulLifeMonths, 30);
    QCOMPARE(m_store->fixedAssets().front().currentValue, 3000.0);
}

void FixedAssetModelsTest::editRoundTrip()
{
    const FixedAsset camera =
        add(FixedAsset(u"摄影器材"_s, u"相机"_s, 8999, local(2024, 3, 5, 9), 60, u"A7M4"_s));
    m_clock->clock().set(local(2024, 5, 4, 16));
    const FixedAsset newer = add(FixedAsset(u"车辆"_s, u"电动车"_s, 4200, 48));

    FixedAssetFormModel unchanged(camera);
    QVERIFY(unchanged.isEditing());
    QCOMPARE(unchanged.amount(), u"8999.00"_s);
    QCOMPARE(unchanged.lifeMonths(), u"60"_s);
    QCOMPARE(unchanged.name(), u"相机"_s);
    QCOMPARE(unchanged.note(), u"A7M4"_s);
    m_clock->clock().set(local(2024, 6, 1));
    QVERIFY(unchanged.save(*m_store));
    reopen();
    const FixedAsset *kept = m_store->find<FixedAsset>(camera.id);
    QVERIFY(kept);
    QCOMPARE(kept->currentValue, 8999.0);
    QCOMPARE(kept->createdAt, camera.createdAt);
    QCOMPARE(kept->purchaseDate, camera.purchaseDate);

    FixedAssetFormModel changed(*kept);
    changed.setCategory(u"电子设备"_s);
    changed.setName(u"\t微单相机 "_s);
    changed.setAmount(u"7500.25"_s);
    changed.setPurchaseDay(QDate(2024, 2, 29));
    changed.setLifeMonths(u"0048"_s);
    changed.setNote(QString());
    QVERIFY(changed.save(*m_store));
    reopen();
    const FixedAsset *edited = m_store->find<FixedAsset>(camera.id);
    QVERIFY(edited);
    QCOMPARE(edited->category, u"电子设备"_s);
    QCOMPARE(edited->name, u"微单相机"_s);
    QCOMPARE(edited->currentValue, 7500.25);
    QCOMPARE(edited->purchaseDate, local(2024, 2, 29, 9));
    QCOMPARE(edited->usefulLifeMonths, 48);
    QCOMPARE(edited->note, QString());
    QCOMPARE(edited->createdAt, camera.createdAt);
    // It keeps its place behind the newer item.
    QCOMPARE(m_store->fixedAssets().size(), 2u);
    QCOMPARE(m_store->fixedAssets().front().id, newer.id);
    QCOMPARE(m_store->fixedAssets().back().id, camera.id);
}

void FixedAssetModelsTest::editWorksOnACopy()
{
    const FixedAsset ring = add(FixedAsset(u"珠宝首饰"_s, u"戒指"_s, 5200, local(2022, 8, 8), 240));
    {
        FixedAssetFormModel form(ring);
        form.setName(u"项链"_s);
        form.setAmount(u"1"_s);
    }
    QCOMPARE(m_store->fixedAssets().front().name, u"戒指"_s);
    QCOMPARE(m_store->fixedAssets().front().currentValue, 5200.0);
}

void FixedAssetModelsTest::registerTotalsAndCards()
{
    FixedAssetManagementModel model(*m_store);
    QAbstractItemModelTester tester(model.items(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.isEmpty());
    QCOMPARE(model.totalValue(), 0.0);
    QCOMPARE(model.totalMonthlyDepreciation(), 0.0);

    QSignalSpy changed(&model, &FixedAssetManagementModel::changed);
    add(FixedAsset(u"车辆"_s, u"轿车"_s, 12000, local(2018, 7, 4, 15), 60));
    m_clock->clock().advanceSeconds(60);
    add(FixedAsset(u"收藏品"_s, u"邮票"_s, 3000, local(2024, 5, 4, 8), 30));
    QCOMPARE(changed.count(), 2);
    QVERIFY(!model.isEmpty());
    QCOMPARE(model.totalValue(), 15000.0);
    QCOMPARE(model.totalMonthlyDepreciation(), 300.0);
    QCOMPARE(displayTexts(*model.items()),
             (QStringList{u"邮票，收藏品，¥3,000.00，剩余 30 个月，寿命 30 个月"_s,
                          u"轿车，车辆，¥12,000.00，剩余 0 个月，寿命 60 个月"_s}));

    // A record with no usable life, which only an outside writer could leave, counts its
    // value and nothing towards the monthly figure.
    m_clock->clock().advanceSeconds(60);
    FixedAsset broken(u"游艇"_s, u"小船"_s, 500, local(2024, 1, 1), 12);
    broken.usefulLifeMonths = 0;
    add(broken);
    QCOMPARE(model.totalValue(), 15500.0);
    QCOMPARE(model.totalMonthlyDepreciation(), 300.0);
    QCOMPARE(model.items()->index(0, 0).data(FixedAssetListModel::IconRole).toString(),
             u"shippingbox.fill"_s);

    // Months left follow today on the next refresh, with no change stored.
    m_clock->clock().set(local(2024, 8, 4, 9));
    model.refresh();
    QCOMPARE(model.items()->index(1, 0).data(FixedAssetListModel::MonthsLeftTextRole).toString(),
             u"剩余 27 个月"_s);

    QVERIFY(m_store->remove<FixedAsset>(broken.id));
    QCOMPARE(model.totalValue(), 15000.0);
}

void FixedAssetModelsTest::detailRows_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QStringList>("rows");

    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QStringList common{u"预计使用寿命=60 个月"_s, u"已使用=1 个月"_s, u"剩余寿命=59 个月"_s};
    QTest::newRow("with a note") << chinese << u"序列号 X1"_s
                                 << QStringList{u"购入日期=2024年3月5日"_s} + common +
                                        QStringList{u"预估月折旧=¥150.00"_s, u"备注=序列号 X1"_s};
    QTest::newRow("empty note") << chinese << QString()
                                << QStringList{u"购入日期=2024年3月5日"_s} + common +
                                       QStringList{u"预估月折旧=¥150.00"_s};
    QTest::newRow("blank note is still a note") << chinese << u" "_s
                                                << QStringList{u"购入日期=2024年3月5日"_s} + common +
                                                       QStringList{u"预估月折旧=¥150.00"_s, u"备注= "_s};
    QTest::newRow("English locale") << english << QString()
                                    << QStringList{u"购入日期=March 5, 2024"_s} + common +
                                           QStringList{u"预估月折旧=CN¥150.00"_s};
}

// Bought on 5 March, seen on 4 May: one whole month used.
void FixedAssetModelsTest::detailRows()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, note);
    QFETCH(QStringList, rows);

    TestSupport::ScopedLocale pinned(locale);
    const FixedAsset tv =
        add(FixedAsset(u"家具家电"_s, u"电视"_s, 9000, local(2024, 3, 5, 23, 50), 60, note));
    FixedAssetDetailModel detail(*m_store, tv.id);
    QCOMPARE(detail.figures().usedMonths, 1);
    QCOMPARE(rowTexts(detail.infoRows()), rows);
}

void FixedAssetModelsTest::detailFollowsTheStore()
{
    const FixedAsset bike = add(FixedAsset(u"运动器材"_s, u"公路车"_s, 6000, local(2023, 5, 4, 15), 60));
    FixedAssetDetailModel detail(*m_store, bike.id);
    FixedAssetManagementModel overview(*m_store);
    QSignalSpy ended(&detail, &FixedAssetDetailModel::ended);
    QCOMPARE(detail.figures().usedMonths, 12);

    FixedAsset edited = *detail.asset();
    edited.currentValue = 4800;
    edited.usefulLifeMonths = 24;
    QVERIFY(m_store->update(edited));
    QCOMPARE(detail.figures().monthsLeft, 12);
    QCOMPARE(detail.figures().monthlyDepreciation, 200.0);

    detail.setConfirmingDelete(true);
    QVERIFY(detail.confirmingDelete());
    QVERIFY(detail.deleteAsset());
    QVERIFY(!detail.confirmingDelete());
    QCOMPARE(ended.count(), 1);
    QVERIFY(!detail.asset());
    QVERIFY(detail.infoRows().isEmpty());
    QVERIFY(overview.isEmpty());
    QCOMPARE(overview.totalValue(), 0.0);
    // Nothing to edit or delete any more.
    detail.setShowingEdit(true);
    QVERIFY(!detail.showingEdit());
    QVERIFY(!detail.deleteAsset());
    QCOMPARE(ended.count(), 1);
}

PENNYLOOM_TEST(FixedAssetModelsTest)

#include "tst_FixedAssetModels.moc"
