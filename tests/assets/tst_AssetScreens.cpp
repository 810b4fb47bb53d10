// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "assets/AddAssetAccountModel.h"
#include "assets/AddAssetAmountModel.h"
#include "assets/AssetAccountDetailModel.h"
#include "assets/AssetManagementModel.h"
#include "store/ModelStore.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

Q_DECLARE_METATYPE(AssetDimension)
Q_DECLARE_METATYPE(AssetAmountOperation)

// The screen models of the assets workspace against a real store file.
class AssetScreensTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void totalsFollowTheStore();
    void accountOutsideTheDimensions();
    void newestAccountFirst();
    void openingAmount_data();
    void openingAmount();
    void accountName_data();
    void accountName();
    void dimensionResetsKind_data();
    void dimensionResetsKind();
    void amountForm_data();
    void amountForm();
    void changeDayKeepsTime();
    void detailListsOwnChanges();
    void removeChanges();
    void deleteAccountWithChanges();

private:
    AssetAccount addAccount(const QString &name, const QString &dimension, double opening,
                            const QDateTime &created);
    AssetAdjustment addChange(const AssetAccount &account, double amount, const QDateTime &date,
                              const QString &note = {});
};

void AssetScreensTest::init()
{
    QVERIFY(openStore(local(2024, 6, 15, 10, 30)));
}

void AssetScreensTest::cleanup()
{
    closeStore();
}

AssetAccount AssetScreensTest::addAccount(const QString &name, const QString &dimension, double opening,
                                          const QDateTime &created)
{
    const AssetAccount account(name, u"现金"_s, dimension, opening, created);
    if (!m_store->insert(account))
        qFatal("a test could not insert an account");
    return account;
}

AssetAdjustment AssetScreensTest::addChange(const AssetAccount &account, double amount, const QDateTime &date,
                                            const QString &note)
{
    const AssetAdjustment adjustment(account.id, amount, date, note);
    if (!m_store->insert(adjustment))
        qFatal("a test could not insert an adjustment");
    return adjustment;
}

// No accounts read as zero; every insert or removal of an account or a change is in the
// totals at once, and a liability's total is the positive amount owed.
void AssetScreensTest::totalsFollowTheStore()
{
    AssetManagementModel model(*m_store);
    QCOMPARE(model.total(AssetDimension::owned), 0.0);
    QCOMPARE(model.total(AssetDimension::borrowable), 0.0);
    QCOMPARE(model.total(AssetDimension::liability), 0.0);

    const AssetAccount cash = addAccount(u"现金"_s, u"自有资产"_s, 1000, local(2024, 6, 1));
    addChange(cash, 200, local(2024, 6, 2));
    const AssetAdjustment spent = addChange(cash, -50, local(2024, 6, 3));
    const AssetAccount card = addAccount(u"招行"_s, u"可借用资产"_s, 20000, local(2024, 6, 1));
    const AssetAccount loan = addAccount(u"车贷"_s, u"负债"_s, 5000, local(2024, 6, 1));
    addChange(loan, -1200, local(2024, 6, 4));

    QCOMPARE(model.balance(cash), 1150.0);
    QCOMPARE(model.total(AssetDimension::owned), 1150.0);
    QCOMPARE(model.total(AssetDimension::borrowable), 20000.0);
    QCOMPARE(model.total(AssetDimension::liability), 3800.0);

    QVERIFY(m_store->remove<AssetAdjustment>(spent.id));
    QCOMPARE(model.total(AssetDimension::owned), 1200.0);
    QVERIFY(m_store->remove<AssetAccount>(card.id));
    QCOMPARE(model.total(AssetDimension::borrowable), 0.0);
    QVERIFY(model.accounts(AssetDimension::borrowable).empty());
}

void AssetScreensTest::accountOutsideTheDimensions()
{
    addAccount(u"旧账户"_s, u"其他资产"_s, 700, local(2024, 6, 1));
    AssetManagementModel model(*m_store);
    for (AssetDimension dimension : AssetDimensions::all) {
        QVERIFY(model.accounts(dimension).empty());
        QCOMPARE(model.total(dimension), 0.0);
    }
}

// Two accounts made one after the other: the later one leads its section, after a restart too.
void AssetScreensTest::newestAccountFirst()
{
    AddAssetAccountModel form(*m_store);
    form.setOpeningBalance(u"1"_s);
    form.setName(u"先"_s);
    QVERIFY(form.save());
    m_clock->clock().advanceSeconds(1);
    form.setName(u"后"_s);
    QVERIFY(form.save());

    AssetManagementModel model(*m_store);
    QCOMPARE(model.accounts(AssetDimension::owned).size(), size_t(2));
    QCOMPARE(model.accounts(AssetDimension::owned)[0].name, u"后"_s);

    m_store.reset();
    m_store = TestSupport::openStore(*m_dir);
    QVERIFY(m_store);
    AssetManagementModel reopened(*m_store);
    QCOMPARE(reopened.accounts(AssetDimension::owned)[0].name, u"后"_s);
    QCOMPARE(reopened.accounts(AssetDimension::owned)[1].createdAt, local(2024, 6, 15, 10, 30));
}

void AssetScreensTest::openingAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("zero") << u"0"_s << true;
    QTest::newRow("decimal") << u"5000.5"_s << true;
    QTest::newRow("exponent") << u"1e3"_s << true;
    QTest::newRow("negative") << u"-1"_s << false;
    QTest::newRow("letters") << u"abc"_s << false;
    QTest::newRow("grouping") << u"1,000"_s << false;
    QTest::newRow("blank around") << u" 5"_s << false;
    QTest::newRow("currency sign") << u"¥5"_s << false;
    QTest::newRow("empty") << QString() << false;
}

// The same rule for every dimension; a refused amount stores nothing.
void AssetScreensTest::openingAmount()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    for (AssetDimension dimension : AssetDimensions::all) {
        AddAssetAccountModel form(*m_store);
        form.setDimension(dimension);
        form.setOpeningBalance(text);
        QCOMPARE(form.canSave(), accepted);
        const size_t before = m_store->assetAccounts().size();
        m_clock->clock().advanceSeconds(1);
        QSignalSpy saved(&form, &AddAssetAccountModel::saved);
        QCOMPARE(form.save(), accepted);
        QCOMPARE(saved.size(), accepted ? 1 : 0);
        QCOMPARE(m_store->assetAccounts().size(), before + (accepted ? 1 : 0));
        if (accepted)
            QCOMPARE(m_store->assetAccounts().front().dimension, AssetDimensions::rawValue(dimension));
    }
}

void AssetScreensTest::accountName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("blanks fall back to the kind") << u"支付宝"_s << u"   "_s << u"支付宝"_s;
    QTest::newRow("empty falls back to the kind") << u"微信"_s << QString() << u"微信"_s;
    QTest::newRow("line breaks and full-width blanks") << u"现金"_s << u"\n　钱包\t"_s << u"钱包"_s;
    QTest::newRow("blanks around") << u"现金"_s << u" 零钱 "_s << u"零钱"_s;
    QTest::newRow("inner blank kept") << u"现金"_s << u"家 用"_s << u"家 用"_s;
}

void AssetScreensTest::accountName()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    AddAssetAccountModel form(*m_store);
    form.setKind(kind);
    form.setName(typed);
    form.setOpeningBalance(u"12"_s);
    QVERIFY(form.save());
    const AssetAccount &account = m_store->assetAccounts().front();
    QCOMPARE(account.name, stored);
    QCOMPARE(account.kind, kind);
    QCOMPARE(account.openingBalance, 12.0);
}

void AssetScreensTest::dimensionResetsKind_data()
{
    QTest::addColumn<AssetDimension>("dimension");
    QTest::addColumn<QString>("kind");

    QTest::newRow("liability") << AssetDimension::liability << u"信用卡应还"_s;
    QTest::newRow("borrowable") << AssetDimension::borrowable << u"工商银行信用卡"_s;
}

// Whatever kind was chosen, another dimension starts from its first kind; a kind of another
// dimension is never taken.
void AssetScreensTest::dimensionResetsKind()
{
    QFETCH(AssetDimension, dimension);
    QFETCH(QString, kind);

    AddAssetAccountModel form(*m_store);
    QCOMPARE(form.kind(), u"现金"_s);
    form.setKind(u"微信"_s);
    QCOMPARE(form.kind(), u"微信"_s);
    form.setDimension(dimension);
    QCOMPARE(form.kind(), kind);
    form.setKind(u"微信"_s);
    QCOMPARE(form.kind(), kind);
    form.setDimension(AssetDimension::owned);
    QCOMPARE(form.kind(), u"现金"_s);
}

void AssetScreensTest::amountForm_data()
{
    QTest::addColumn<QString>("dimension");
    QTest::addColumn<AssetAmountOperation>("operation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("note");
    QTest::addColumn<double>("stored"); // 0: nothing stored

    QTest::newRow("owned deduction") << u"自有资产"_s << AssetAmountOperation::deduction << u"200"_s
                                     << QString() << -200.0;
    QTest::newRow("repayment keeps the note")
        << u"负债"_s << AssetAmountOperation::deduction << u"300"_s << u" 六月 "_s << -300.0;
    QTest::newRow("more owed") << u"负债"_s << AssetAmountOperation::increase << u"1000"_s << QString()
                               << 1000.0;
    QTest::newRow("credit line raised")
        << u"可借用资产"_s << AssetAmountOperation::increase << u"12.5"_s << QString() << 12.5;
    QTest::newRow("zero refused") << u"自有资产"_s << AssetAmountOperation::increase << u"0"_s << QString()
                                  << 0.0;
    QTest::newRow("negative refused")
        << u"负债"_s << AssetAmountOperation::deduction << u"-5"_s << QString() << 0.0;
}

// The typed amount is always positive; the operation alone decides the sign stored.
void AssetScreensTest::amountForm()
{
    QFETCH(QString, dimension);
    QFETCH(AssetAmountOperation, operation);
    QFETCH(QString, text);
    QFETCH(QString, note);
    QFETCH(double, stored);

    const AssetAccount account = addAccount(u"房贷"_s, dimension, 3000, local(2024, 6, 1));
    AddAssetAmountModel form(*m_store, account, operation);
    form.setAmount(text);
    form.setNote(note);
    QCOMPARE(form.canSave(), stored != 0);
    QCOMPARE(form.save(), stored != 0);
    if (stored == 0) {
        QVERIFY(m_store->assetAdjustments().empty());
        return;
    }
    QCOMPARE(m_store->assetAdjustments().size(), size_t(1));
    const AssetAdjustment &adjustment = m_store->assetAdjustments().front();
    QCOMPARE(adjustment.accountID, account.id);
    QCOMPARE(adjustment.amount, stored);
    QCOMPARE(adjustment.note, note);
    QCOMPARE(adjustment.date, local(2024, 6, 15, 10, 30));
    AssetManagementModel workspace(*m_store);
    QCOMPARE(workspace.balance(account), 3000 + stored);
}

// The day picker moves the change by whole days; across a daylight saving change the time of
// day stays, and a time that does not exist on the chosen day still gives a valid instant.
void AssetScreensTest::changeDayKeepsTime()
{
    TestSupport::ScopedTimeZone berlin("Europe/Berlin");
    m_clock->clock().set(local(2024, 3, 28, 2, 30));
    const AssetAccount account = addAccount(u"现金"_s, u"自有资产"_s, 0, local(2024, 3, 1));
    AddAssetAmountModel form(*m_store, account, AssetAmountOperation::increase);
    form.setDay(QDate(2024, 3, 25));
    QCOMPARE(form.date(), local(2024, 3, 25, 2, 30));
    form.setDay(QDate(2024, 3, 31));
    QVERIFY(form.date().isValid());
    QCOMPARE(form.date().toLocalTime().date(), QDate(2024, 3, 31));
}

// The detail lists the account's own changes, newest date first, and its balance follows.
void AssetScreensTest::detailListsOwnChanges()
{
    const AssetAccount loan = addAccount(u"房贷"_s, u"负债"_s, 5000, local(2024, 5, 1));
    const AssetAccount cash = addAccount(u"现金"_s, u"自有资产"_s, 100, local(2024, 5, 1));
    AssetAccountDetailModel detail(*m_store, loan);
    QVERIFY(detail.accountAdjustments().empty());
    QCOMPARE(detail.balance(), 5000.0);
    QCOMPARE(detail.title(), u"管理负债"_s);

    addChange(loan, -300, local(2024, 6, 2), u"六月"_s);
    addChange(cash, -40, local(2024, 6, 5));
    addChange(loan, 1000, local(2024, 6, 9));
    QCOMPARE(detail.accountAdjustments().size(), size_t(2));
    QCOMPARE(detail.accountAdjustments()[0].amount, 1000.0);
    QCOMPARE(detail.rows()[0].title, u"增加负债"_s);
    QCOMPARE(detail.rows()[1].title, u"六月"_s);
    QCOMPARE(detail.balance(), 5700.0);
}

void AssetScreensTest::removeChanges()
{
    const AssetAccount cash = addAccount(u"现金"_s, u"自有资产"_s, 100, local(2024, 5, 1));
    const AssetAccount other = addAccount(u"微信"_s, u"自有资产"_s, 100, local(2024, 5, 1));
    const AssetAdjustment first = addChange(cash, 10, local(2024, 6, 1));
    const AssetAdjustment second = addChange(cash, 20, local(2024, 6, 2));
    const AssetAdjustment foreign = addChange(other, 30, local(2024, 6, 3));
    addChange(cash, 40, local(2024, 6, 4));

    AssetAccountDetailModel detail(*m_store, cash);
    QVERIFY(detail.removeAdjustments({first.id, second.id, foreign.id}));
    QCOMPARE(detail.balance(), 140.0);
    QCOMPARE(m_store->assetAdjustments().size(), size_t(2));
    QVERIFY(m_store->find<AssetAdjustment>(foreign.id));
    QVERIFY(!detail.removeAdjustments({foreign.id}));
}

// Five changes and the account are six records, removed together; the other account keeps
// its own, and the detail learns that its account is gone.
void AssetScreensTest::deleteAccountWithChanges()
{
    const AssetAccount loan = addAccount(u"房贷"_s, u"负债"_s, 5000, local(2024, 5, 1));
    const AssetAccount cash = addAccount(u"现金"_s, u"自有资产"_s, 100, local(2024, 5, 1));
    for (int i = 0; i < 5; ++i)
        addChange(loan, -100, local(2024, 6, 1 + i));
    addChange(cash, 7, local(2024, 6, 1));

    AssetManagementModel workspace(*m_store);
    AssetAccountDetailModel detail(*m_store, loan);
    QSignalSpy removed(&detail, &AssetAccountDetailModel::accountRemoved);
    QVERIFY(detail.deleteAccount());
    QCOMPARE(removed.size(), 1);
    QVERIFY(!detail.exists());
    QVERIFY(workspace.accounts(AssetDimension::liability).empty());
    QCOMPARE(workspace.total(AssetDimension::liability), 0.0);

    m_store.reset();
    m_store = TestSupport::openStore(*m_dir);
    QVERIFY(m_store);
    QCOMPARE(m_store->assetAccounts().size(), size_t(1));
    QCOMPARE(m_store->assetAdjustments().size(), size_t(1));
    QCOMPARE(m_store->assetAdjustments().front().accountID, cash.id);
}

#include "tst_AssetScreens.moc"
PENNYLOOM_TEST(AssetScreensTest)
