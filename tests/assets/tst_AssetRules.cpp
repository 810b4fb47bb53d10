// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "assets/AssetBalanceIndex.h"
#include "assets/AssetBrand.h"
#include "assets/AssetChangeRow.h"
#include "assets/AssetDimension.h"
#include "assets/AssetWording.h"
#include "model/RecordSequence.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;
using TestSupport::local;

Q_DECLARE_METATYPE(AssetDimension)
Q_DECLARE_METATYPE(AssetAmountOperation)

class AssetRulesTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dimensionFromRaw_data();
    void dimensionFromRaw();
    void kindOffered_data();
    void kindOffered();
    void brand_data();
    void brand();
    void balance_data();
    void balance();
    void indexMatchesPlainRule_data();
    void indexMatchesPlainRule();
    void wording_data();
    void wording();
    void changeRow_data();
    void changeRow();
};

void AssetRulesTest::dimensionFromRaw_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("dimension"); // -1: none

    QTest::newRow("owned") << u"自有资产"_s << int(AssetDimension::owned);
    QTest::newRow("borrowable") << u"可借用资产"_s << int(AssetDimension::borrowable);
    QTest::newRow("liability") << u"负债"_s << int(AssetDimension::liability);
    QTest::newRow("trailing blank") << u"负债 "_s << -1;
    QTest::newRow("case name") << u"liability"_s << -1;
    QTest::newRow("part of a title") << u"资产"_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

// Only the exact raw texts name a dimension; an account with any other text is in none.
void AssetRulesTest::dimensionFromRaw()
{
    QFETCH(QString, raw);
    QFETCH(int, dimension);

    const std::optional<AssetDimension> parsed = AssetDimensions::fromRaw(raw);
    QCOMPARE(parsed ? int(*parsed) : -1, dimension);
    if (parsed)
        QCOMPARE(AssetDimensions::rawValue(*parsed), raw);
    QCOMPARE(AssetDimensions::isLiability(raw), dimension == int(AssetDimension::liability));
}

void AssetRulesTest::kindOffered_data()
{
    QTest::addColumn<AssetDimension>("dimension");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("offered");

    QTest::newRow("postal debit card, owned") << AssetDimension::owned << u"邮储银行储蓄卡"_s << true;
    QTest::newRow("no postal credit card") << AssetDimension::borrowable << u"邮储银行信用卡"_s << false;
    QTest::newRow("plain credit card, owned") << AssetDimension::owned << u"信用卡"_s << true;
    QTest::newRow("plain credit card, borrowable") << AssetDimension::borrowable << u"信用卡"_s << false;
    QTest::newRow("no other kind, owned") << AssetDimension::owned << u"其他"_s << false;
    QTest::newRow("other bank credit card") << AssetDimension::borrowable << u"其他银行信用卡"_s << true;
    QTest::newRow("card due is a liability") << AssetDimension::liability << u"信用卡应还"_s << true;
    QTest::newRow("mortgage not owned") << AssetDimension::owned << u"房贷"_s << false;
}

void AssetRulesTest::kindOffered()
{
    QFETCH(AssetDimension, dimension);
    QFETCH(QString, kind);
    QFETCH(bool, offered);

    QCOMPARE(AssetDimensions::kinds(dimension).contains(kind), offered);
}

void AssetRulesTest::brand_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("image");
    QTest::addColumn<QString>("name");

    const auto row = [](const QString &kind, bool image, const QString &name) {
        QTest::newRow(qPrintable(kind)) << kind << image << name;
    };
    // Every kind of the three lists.
    row(u"现金"_s, false, u"banknote.fill"_s);
    row(u"工商银行储蓄卡"_s, true, u"ICBCLogo"_s);
    row(u"农业银行储蓄卡"_s, true, u"ABCLogo"_s);
    row(u"中国银行储蓄卡"_s, true, u"BOCLogo"_s);
    row(u"建设银行储蓄卡"_s, true, u"CCBLogo"_s);
    row(u"交通银行储蓄卡"_s, true, u"BOCOMLogo"_s);
    row(u"招商银行储蓄卡"_s, true, u"CMBLogo"_s);
    row(u"邮储银行储蓄卡"_s, true, u"PSBCLogo"_s);
    row(u"平安银行储蓄卡"_s, true, u"PingAnLogo"_s);
    row(u"浦发银行储蓄卡"_s, true, u"SPDLogo"_s);
    row(u"信用卡"_s, false, u"creditcard.fill"_s);
    row(u"微信"_s, true, u"WeChatLogo"_s);
    row(u"支付宝"_s, true, u"AlipayLogo"_s);
    row(u"支付宝小荷包"_s, true, u"XiaohebaoLogo"_s);
    row(u"同花顺"_s, true, u"TonghuashunLogo"_s);
    row(u"工商银行信用卡"_s, true, u"ICBCLogo"_s);
    row(u"农业银行信用卡"_s, true, u"ABCLogo"_s);
    row(u"中国银行信用卡"_s, true, u"BOCLogo"_s);
    row(u"建设银行信用卡"_s, true, u"CCBLogo"_s);
    row(u"交通银行信用卡"_s, true, u"BOCOMLogo"_s);
    row(u"招商银行信用卡"_s, true, u"CMBLogo"_s);
    row(u"平安银行信用卡"_s, true, u"PingAnLogo"_s);
    row(u"浦发银行信用卡"_s, true, u"SPDLogo"_s);
    row(u"其他银行信用卡"_s, false, u"creditcard.fill"_s);
    row(u"信用卡应还"_s, false, u"creditcard.fill"_s);
    row(u"房贷"_s, false, u"building.columns.fill"_s);
    row(u"车贷"_s, false, u"building.columns.fill"_s);
    row(u"消费贷"_s, false, u"building.columns.fill"_s);
    row(u"亲友借款"_s, false, u"building.columns.fill"_s);
    row(u"其他负债"_s, false, u"building.columns.fill"_s);
    // Texts outside the lists: the order of the rules and exact against substring tests.
    row(u"农业工商联名卡"_s, true, u"ABCLogo"_s);
    row(u"微信零钱"_s, false, u"building.columns.fill"_s);
    row(u"现金 "_s, false, u"building.columns.fill"_s);
    row(u"支付宝信用卡"_s, false, u"creditcard.fill"_s);
    row(QString(), false, u"building.columns.fill"_s);
}

void AssetRulesTest::brand()
{
    QFETCH(QString, kind);
    QFETCH(bool, image);
    QFETCH(QString, name);

    const AssetBrand brand = AssetBrand::forKind(kind);
    QCOMPARE(brand.form == AssetBrand::Form::image, image);
    QCOMPARE(brand.name, name);
    QCOMPARE(AssetBrand::helpText(kind), kind + u" 品牌标识"_s);
}

void AssetRulesTest::balance_data()
{
    QTest::addColumn<double>("opening");
    QTest::addColumn<QList<double>>("own");
    QTest::addColumn<QList<double>>("other");
    QTest::addColumn<double>("balance");

    QTest::newRow("no changes") << 250.0 << QList<double>{} << QList<double>{40} << 250.0;
    QTest::newRow("owned 1000 +200 -50") << 1000.0 << QList<double>{200, -50} << QList<double>{} << 1150.0;
    QTest::newRow("liability 5000, repaid 1200")
        << 5000.0 << QList<double>{-1200} << QList<double>{-9} << 3800.0;
    QTest::newRow("below zero") << 0.0 << QList<double>{-30.5} << QList<double>{} << -30.5;
    QTest::newRow("zero change") << 10.0 << QList<double>{0, 0} << QList<double>{100} << 10.0;
}

// The balance of one account counts its own changes only, in every dimension alike.
void AssetRulesTest::balance()
{
    QFETCH(double, opening);
    QFETCH(QList<double>, own);
    QFETCH(QList<double>, other);
    QFETCH(double, balance);

    const AssetAccount account(u"账户"_s, u"现金"_s, u"自有资产"_s, opening, local(2024, 1, 1));
    const AssetAccount neighbour(u"邻居"_s, u"现金"_s, u"自有资产"_s, 0, local(2024, 1, 1));
    std::vector<AssetAdjustment> list;
    for (double amount : own)
        list.emplace_back(account.id, amount, local(2024, 2, 1));
    for (double amount : other)
        list.emplace_back(neighbour.id, amount, local(2024, 2, 1));
    const RecordSequence<AssetAdjustment> adjustments(std::move(list));

    QCOMPARE(AssetBalanceIndex(adjustments).balance(account), balance);
    QCOMPARE(AssetBalanceIndex::plainBalance(account, adjustments), balance);
}

void AssetRulesTest::indexMatchesPlainRule_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("accounts");
    QTest::addColumn<int>("adjustments");

    QTest::newRow("few accounts, many cents") << 7u << 3 << 4000;
    QTest::newRow("many accounts") << 1234u << 300 << 6000;
    QTest::newRow("changes of deleted accounts") << 99u << 20 << 2000;
}

// The index sums in the store's order, like the plain rule, so both give the same bits even
// where decimal cents do not add up exactly in binary.
void AssetRulesTest::indexMatchesPlainRule()
{
    QFETCH(quint32, seed);
    QFETCH(int, accounts);
    QFETCH(int, adjustments);

    QRandomGenerator random(seed);
    std::vector<AssetAccount> held;
    for (int i = 0; i < accounts; ++i)
        held.emplace_back(u"账户"_s, u"现金"_s, u"自有资产"_s, random.bounded(100000) / 100.0,
                          local(2024, 1, 1));
    const QUuid gone = QUuid::createUuid();
    std::vector<AssetAdjustment> changes;
    for (int i = 0; i < adjustments; ++i) {
        const int slot = random.bounded(accounts + 1);
        const double cents = (random.bounded(200001) - 100000) / 100.0;
        changes.emplace_back(slot == accounts ? gone : held[size_t(slot)].id, cents, local(2024, 2, 1));
    }

    const RecordSequence<AssetAdjustment> stored(std::move(changes));
    const AssetBalanceIndex index(stored);
    for (const AssetAccount &account : held) {
        const double indexed = index.balance(account);
        const double plain = AssetBalanceIndex::plainBalance(account, stored);
        QVERIFY(std::memcmp(&indexed, &plain, sizeof(double)) == 0);
    }
}

void AssetRulesTest::wording_data()
{
    QTest::addColumn<bool>("liability");
    QTest::addColumn<AssetAmountOperation>("operation");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("toolbar");
    QTest::addColumn<double>("stored");

    QTest::newRow("asset, increase") << false << AssetAmountOperation::increase << u"增加金额"_s
                                     << u"确认增加"_s << u"增加"_s << 80.0;
    QTest::newRow("asset, deduction")
        << false << AssetAmountOperation::deduction << u"扣除金额"_s << u"确认扣除"_s << u"扣除"_s << -80.0;
    QTest::newRow("liability, increase")
        << true << AssetAmountOperation::increase << u"增加负债"_s << u"确认增加"_s << u"增加负债"_s << 80.0;
    QTest::newRow("liability, repayment")
        << true << AssetAmountOperation::deduction << u"还款"_s << u"确认还款"_s << u"还款"_s << -80.0;
}

void AssetRulesTest::wording()
{
    QFETCH(bool, liability);
    QFETCH(AssetAmountOperation, operation);
    QFETCH(QString, action);
    QFETCH(QString, confirm);
    QFETCH(QString, toolbar);
    QFETCH(double, stored);

    QCOMPARE(AssetWording::actionTitle(operation, liability), action);
    QCOMPARE(AssetWording::confirmText(operation, liability), confirm);
    QCOMPARE(AssetWording::toolbarText(operation, liability), toolbar);
    QCOMPARE(AssetWording::formTitle(operation, liability, u"房贷"_s), action + u"：房贷"_s);
    QCOMPARE(AssetWording::signedAmount(operation, 80), stored);
    // A change without a note is titled by the action that made it.
    QCOMPARE(AssetWording::rowTitle(stored, liability), action);
    QCOMPARE(AssetWording::operationID(operation),
             operation == AssetAmountOperation::increase ? u"增加金额"_s : u"扣除金额"_s);
}

void AssetRulesTest::changeRow_data()
{
    QTest::addColumn<bool>("liability");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("amountText");
    QTest::addColumn<bool>("gain");

    QTest::newRow("asset deduction") << false << -200.0 << QString() << u"扣除金额"_s << u"-¥200.00"_s
                                     << false;
    QTest::newRow("zero is an increase") << false << 0.0 << QString() << u"增加金额"_s << u"+¥0.00"_s << true;
    QTest::newRow("liability increase")
        << true << 1000.0 << QString() << u"增加负债"_s << u"+¥1,000.00"_s << true;
    QTest::newRow("repayment with note")
        << true << -300.0 << u"六月"_s << u"六月"_s << u"-¥300.00"_s << false;
    QTest::newRow("note of blanks shown as is") << false << 5.0 << u"  "_s << u"  "_s << u"+¥5.00"_s << true;
}

void AssetRulesTest::changeRow()
{
    QFETCH(bool, liability);
    QFETCH(double, amount);
    QFETCH(QString, note);
    QFETCH(QString, title);
    QFETCH(QString, amountText);
    QFETCH(bool, gain);

    const AssetAdjustment adjustment(QUuid::createUuid(), amount, local(2024, 3, 5, 9), note);
    const AssetChangeRow row = AssetChangeRow::forAccount(adjustment, liability);
    QCOMPARE(row.title, title);
    QCOMPARE(row.amountText, amountText);
    QCOMPARE(row.gain, gain);
    QCOMPARE(row.caption, u"3月5日 星期二"_s);
}

#include "tst_AssetRules.moc"
PENNYLOOM_TEST(AssetRulesTest)
