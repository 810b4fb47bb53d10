// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/AssetAccount.h"
#include "model/AssetAdjustment.h"
#include "model/Budget.h"
#include "model/EntryKind.h"
#include "model/FixedAsset.h"
#include "model/LedgerEntry.h"
#include "model/RecordId.h"
#include "model/SavingsDeposit.h"
#include "model/SavingsGoal.h"

#include <QSet>
#include <QTest>
#include <QThread>
#include <QTimeZone>

#include <optional>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// Records made by one factory twice are distinct records; a copy of one is the same record.
template <typename Record, typename Make> void checkIdentity(Make make)
{
    const Record first = make();
    const Record second = make();
    QVERIFY(!first.id.isNull());
    QVERIFY(!second.id.isNull());
    QVERIFY(first.id != second.id);
    QVERIFY(!(first == second));

    const Record copy = first;
    QCOMPARE(copy.id, first.id);
    QVERIFY(copy == first);
}

// The instant every fixed clock of this file reports.
QDateTime fixedNow()
{
    return local(2024, 3, 5, 14, 30, 15);
}

} // namespace

class RecordsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void entryKindCases_data()
    {
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("symbol");

        QTest::newRow("expense") << EntryKind::expense << u"支出"_s << u"minus.circle.fill"_s;
        QTest::newRow("income") << EntryKind::income << u"收入"_s << u"plus.circle.fill"_s;
    }

    void entryKindCases()
    {
        QFETCH(EntryKind, kind);
        QFETCH(QString, raw);
        QFETCH(QString, symbol);

        QCOMPARE(EntryKinds::rawText(kind), raw);
        QCOMPARE(EntryKinds::id(kind), raw);
        QCOMPARE(EntryKinds::symbol(kind), symbol);
        const std::optional<EntryKind> parsed = EntryKinds::fromRaw(raw);
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, kind);
    }

    void entryKindOrder()
    {
        const QList<EntryKind> expected{EntryKind::expense, EntryKind::income};
        QCOMPARE(EntryKinds::allCases(), expected);
    }

    void entryKindRejectsOtherTexts_data()
    {
        QTest::addColumn<QString>("raw");

        QTest::newRow("empty") << QString();
        QTest::newRow("leading space") << u" 支出"_s;
        QTest::newRow("trailing space") << u"收入 "_s;
        QTest::newRow("trailing newline") << u"收入\n"_s;
        QTest::newRow("one character") << u"支"_s;
        QTest::newRow("both words") << u"支出收入"_s;
        QTest::newRow("english case name") << u"income"_s;
        QTest::newRow("capitalised case name") << u"Expense"_s;
        QTest::newRow("icon identifier") << u"plus.circle.fill"_s;
    }

    void entryKindRejectsOtherTexts()
    {
        QFETCH(QString, raw);
        QVERIFY(!EntryKinds::fromRaw(raw).has_value());
    }

    void ledgerEntryKind_data()
    {
        QTest::addColumn<QString>("kindRaw");
        QTest::addColumn<EntryKind>("expected");

        QTest::newRow("income text") << u"收入"_s << EntryKind::income;
        QTest::newRow("expense text") << u"支出"_s << EntryKind::expense;
        QTest::newRow("empty") << QString() << EntryKind::expense;
        QTest::newRow("unknown text") << u"转账"_s << EntryKind::expense;
        QTest::newRow("income with space") << u"收入 "_s << EntryKind::expense;
        QTest::newRow("english income") << u"income"_s << EntryKind::expense;
    }

    void ledgerEntryKind()
    {
        QFETCH(QString, kindRaw);
        QFETCH(EntryKind, expected);

        LedgerEntry entry(10, local(2024, 1, 1), EntryKind::expense, u"餐饮"_s);
        entry.kindRaw = kindRaw;
        QCOMPARE(entry.kind(), expected);
    }

    void ledgerEntryKindFollowsWrittenRawText()
    {
        LedgerEntry entry(10, local(2024, 1, 1), EntryKind::income, u"工资"_s);
        QCOMPARE(entry.kindRaw, u"收入"_s);
        QCOMPARE(entry.kind(), EntryKind::income);
        entry.kindRaw = EntryKinds::rawText(EntryKind::expense);
        QCOMPARE(entry.kind(), EntryKind::expense);
    }

    // The id layout: 48 bits of milliseconds, the version (7) and variant bits, and the random
    // words cut to the bits left for them.
    void recordIdLayout_data()
    {
        QTest::addColumn<qint64>("msecs");
        QTest::addColumn<quint64>("high");
        QTest::addColumn<quint64>("low");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << quint64(0) << quint64(0)
                              << u"00000000-0000-7000-8000-000000000000"_s;
        QTest::newRow("all random bits") << qint64(0x0194'0000'0001) << ~quint64(0) << ~quint64(0)
                                         << u"01940000-0001-7fff-bfff-ffffffffffff"_s;
        QTest::newRow("time past 48 bits") << qint64(0x1'0000'0000'0002) << quint64(0x123) << quint64(0x45)
                                           << u"00000000-0002-7123-8000-000000000045"_s;
    }

    void recordIdLayout()
    {
        QFETCH(qint64, msecs);
        QFETCH(quint64, high);
        QFETCH(quint64, low);
        QFETCH(QString, text);
        const QUuid id = RecordId::fromParts(msecs, high, low);
        QCOMPARE(id.toString(QUuid::WithoutBraces), text);
        QCOMPARE(id.variant(), QUuid::DCE);
    }

    // Ids made later sort after earlier ones as the file writes them; ids made together differ.
    void freshIdsSortByTime()
    {
        QSet<QUuid> seen;
        QString previous;
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 1000; ++k)
                seen.insert(RecordId::fresh());
            QThread::msleep(2);
            const QString text = RecordId::fresh().toString(QUuid::WithoutBraces);
            QVERIFY2(text > previous, qPrintable(text + u" <= "_s + previous));
            previous = text;
        }
        QCOMPARE(seen.size(), 3000);
    }

    void ledgerEntryDefaults()
    {
        TestSupport::ScopedClock clock(fixedNow());
        const LedgerEntry entry(25.5, EntryKind::expense, u"外卖"_s);

        QVERIFY(!entry.id.isNull());
        QCOMPARE(entry.amount, 25.5);
        QCOMPARE(entry.date, fixedNow());
        QCOMPARE(entry.kindRaw, u"支出"_s);
        QCOMPARE(entry.category, u"外卖"_s);
        QVERIFY(entry.note.isEmpty());
        QCOMPARE(entry.createdAt, fixedNow());
    }

    void ledgerEntryCreatedAtIsConstructionTime()
    {
        TestSupport::ScopedClock clock(fixedNow());
        const QDateTime happened = local(2023, 12, 31, 20, 0);
        clock.clock().advanceSeconds(90);
        const LedgerEntry entry(3000, happened, EntryKind::income, u"工资"_s, u"十二月"_s);

        QCOMPARE(entry.date, happened);
        QCOMPARE(entry.createdAt, fixedNow().addSecs(90));
        QCOMPARE(entry.kindRaw, u"收入"_s);
        QCOMPARE(entry.note, u"十二月"_s);

        // The clock moving on later does not touch the record.
        clock.clock().advanceSeconds(3600);
        QCOMPARE(entry.createdAt, fixedNow().addSecs(90));
    }

    void ledgerEntryAmountSignIsNotTheKind()
    {
        const LedgerEntry entry(-12, local(2024, 1, 1), EntryKind::income, u"退款"_s);
        QCOMPARE(entry.amount, -12.0);
        QCOMPARE(entry.kind(), EntryKind::income);
    }

    void identity_data()
    {
        QTest::addColumn<QString>("record");

        QTest::newRow("LedgerEntry") << u"LedgerEntry"_s;
        QTest::newRow("Budget") << u"Budget"_s;
        QTest::newRow("SavingsGoal") << u"SavingsGoal"_s;
        QTest::newRow("SavingsDeposit") << u"SavingsDeposit"_s;
        QTest::newRow("AssetAccount") << u"AssetAccount"_s;
        QTest::newRow("AssetAdjustment") << u"AssetAdjustment"_s;
        QTest::newRow("FixedAsset") << u"FixedAsset"_s;
    }

    void identity()
    {
        QFETCH(QString, record);
        // The clock is fixed so that identical arguments also give identical default dates.
        TestSupport::ScopedClock clock(fixedNow());
        const QDateTime day = local(2024, 3, 1);
        const QUuid owner = QUuid::createUuid();

        if (record == u"LedgerEntry")
            checkIdentity<LedgerEntry>([&] { return LedgerEntry(8, day, EntryKind::expense, u"餐饮"_s); });
        else if (record == u"Budget")
            checkIdentity<Budget>([&] { return Budget(u"餐饮"_s, 1500, day); });
        else if (record == u"SavingsGoal")
            checkIdentity<SavingsGoal>([&] { return SavingsGoal(u"旅行"_s, 8000, day); });
        else if (record == u"SavingsDeposit")
            checkIdentity<SavingsDeposit>([&] { return SavingsDeposit(owner, 200, day); });
        else if (record == u"AssetAccount")
            checkIdentity<AssetAccount>(
                [&] { return AssetAccount(u"工资卡"_s, u"银行卡"_s, u"自有资产"_s, 100); });
        else if (record == u"AssetAdjustment")
            checkIdentity<AssetAdjustment>([&] { return AssetAdjustment(owner, -200, day); });
        else if (record == u"FixedAsset")
            checkIdentity<FixedAsset>([&] { return FixedAsset(u"车辆"_s, u"电动车"_s, 3000, day, 60); });
        else
            QFAIL("unknown record kind in the table");
    }

    void equalityIgnoresFieldValues()
    {
        const LedgerEntry entry(8, local(2024, 3, 1), EntryKind::expense, u"餐饮"_s);
        LedgerEntry edited = entry;
        edited.amount = 99;
        edited.kindRaw = u"收入"_s;
        edited.note = u"改过"_s;
        QVERIFY(edited == entry);

        LedgerEntry sameFields = entry;
        sameFields.id = QUuid::createUuid();
        QVERIFY(!(sameFields == entry));
    }

    void budget_data()
    {
        QTest::addColumn<QDateTime>("month");
        QTest::addColumn<QString>("monthKey");

        QTest::newRow("month omitted: current month") << QDateTime() << u"2024-03"_s;
        QTest::newRow("earlier month") << local(2023, 12, 31, 23, 59, 59) << u"2023-12"_s;
        QTest::newRow("first instant of a month") << local(2024, 2, 1) << u"2024-02"_s;
        // 16:30 UTC on 31 March is already 1 April in Shanghai.
        QTest::newRow("UTC instant, next local month")
            << QDateTime(QDate(2024, 3, 31), QTime(16, 30), QTimeZone::utc()) << u"2024-04"_s;
    }

    void budget()
    {
        QFETCH(QDateTime, month);
        QFETCH(QString, monthKey);
        TestSupport::ScopedClock clock(fixedNow());

        const Budget budget = month.isValid() ? Budget(u"餐饮"_s, 1500, month) : Budget(u"餐饮"_s, 1500);
        QVERIFY(!budget.id.isNull());
        QCOMPARE(budget.category, u"餐饮"_s);
        QCOMPARE(budget.limit, 1500.0);
        QCOMPARE(budget.monthKey, monthKey);
        QVERIFY(!budget.periodStart.has_value());
        QVERIFY(!budget.periodEnd.has_value());
    }

    void budgetPeriod_data()
    {
        QTest::addColumn<bool>("hasStart");
        QTest::addColumn<bool>("hasEnd");

        QTest::newRow("both") << true << true;
        QTest::newRow("start only") << true << false;
        QTest::newRow("end only") << false << true;
    }

    void budgetPeriod()
    {
        QFETCH(bool, hasStart);
        QFETCH(bool, hasEnd);
        TestSupport::ScopedClock clock(fixedNow());
        const QDateTime start = local(2024, 1, 10);
        const QDateTime end = local(2024, 2, 9);

        const Budget budget(u"交通"_s, 300, local(2024, 1, 15),
                            hasStart ? std::optional(start) : std::nullopt,
                            hasEnd ? std::optional(end) : std::nullopt);
        // The month key comes from the month argument, not from the period.
        QCOMPARE(budget.monthKey, u"2024-01"_s);
        QCOMPARE(budget.periodStart.has_value(), hasStart);
        QCOMPARE(budget.periodEnd.has_value(), hasEnd);
        if (hasStart)
            QCOMPARE(*budget.periodStart, start);
        if (hasEnd)
            QCOMPARE(*budget.periodEnd, end);
    }

    void savingsGoal()
    {
        TestSupport::ScopedClock clock(fixedNow());
        const QDateTime expected = local(2025, 6, 30);
        const SavingsGoal goal(u"买相机"_s, 6999.99, expected);

        QVERIFY(!goal.id.isNull());
        QCOMPARE(goal.name, u"买相机"_s);
        QCOMPARE(goal.targetAmount, 6999.99);
        QCOMPARE(goal.expectedDate, expected);
        QCOMPARE(goal.createdAt, fixedNow());
    }

    void savingsDeposit_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QDateTime>("expectedDate");

        QTest::newRow("date and note given")
            << local(2024, 2, 1, 9, 0) << u"年终奖"_s << local(2024, 2, 1, 9, 0);
        QTest::newRow("date and note omitted") << QDateTime() << QString() << fixedNow();
    }

    void savingsDeposit()
    {
        QFETCH(QDateTime, date);
        QFETCH(QString, note);
        QFETCH(QDateTime, expectedDate);
        TestSupport::ScopedClock clock(fixedNow());
        const QUuid goalID = QUuid::createUuid();

        const SavingsDeposit deposit =
            date.isValid() ? SavingsDeposit(goalID, 500, date, note) : SavingsDeposit(goalID, 500);
        QVERIFY(!deposit.id.isNull());
        QVERIFY(deposit.id != goalID);
        QCOMPARE(deposit.goalID, goalID);
        QCOMPARE(deposit.amount, 500.0);
        QCOMPARE(deposit.date, expectedDate);
        QCOMPARE(deposit.note, note);
    }

    void assetAccount_data()
    {
        QTest::addColumn<QString>("dimension");
        QTest::addColumn<double>("openingBalance");
        QTest::addColumn<QDateTime>("createdAt");
        QTest::addColumn<QDateTime>("expectedCreatedAt");

        QTest::newRow("owned, createdAt omitted") << u"自有资产"_s << 1200.5 << QDateTime() << fixedNow();
        QTest::newRow("borrowable, createdAt given")
            << u"可借用资产"_s << 5000.0 << local(2020, 5, 20, 8, 0) << local(2020, 5, 20, 8, 0);
        QTest::newRow("liability, createdAt in the future")
            << u"负债"_s << -3000.0 << local(2030, 1, 1) << local(2030, 1, 1);
    }

    void assetAccount()
    {
        QFETCH(QString, dimension);
        QFETCH(double, openingBalance);
        QFETCH(QDateTime, createdAt);
        QFETCH(QDateTime, expectedCreatedAt);
        TestSupport::ScopedClock clock(fixedNow());

        const AssetAccount account =
            createdAt.isValid() ? AssetAccount(u"招行卡"_s, u"储蓄卡"_s, dimension, openingBalance, createdAt)
                                : AssetAccount(u"招行卡"_s, u"储蓄卡"_s, dimension, openingBalance);
        QVERIFY(!account.id.isNull());
        QCOMPARE(account.name, u"招行卡"_s);
        QCOMPARE(account.kind, u"储蓄卡"_s);
        QCOMPARE(account.dimension, dimension);
        QCOMPARE(account.openingBalance, openingBalance);
        QCOMPARE(account.createdAt, expectedCreatedAt);
    }

    void assetAdjustment_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QDateTime>("expectedDate");

        QTest::newRow("increase") << 350.0 << local(2024, 2, 29, 18, 0) << u"利息"_s
                                  << local(2024, 2, 29, 18, 0);
        // A deduction of 200 reaches the record already negated; the record keeps the sign.
        QTest::newRow("deduction of 200") << -200.0 << local(2024, 3, 1) << u"取现"_s << local(2024, 3, 1);
        QTest::newRow("date and note omitted") << -0.01 << QDateTime() << QString() << fixedNow();
    }

    void assetAdjustment()
    {
        QFETCH(double, amount);
        QFETCH(QDateTime, date);
        QFETCH(QString, note);
        QFETCH(QDateTime, expectedDate);
        TestSupport::ScopedClock clock(fixedNow());
        const QUuid accountID = QUuid::createUuid();

        const AssetAdjustment adjustment = date.isValid() ? AssetAdjustment(accountID, amount, date, note)
                                                          : AssetAdjustment(accountID, amount);
        QVERIFY(!adjustment.id.isNull());
        QCOMPARE(adjustment.accountID, accountID);
        QCOMPARE(adjustment.amount, amount);
        QCOMPARE(adjustment.date, expectedDate);
        QCOMPARE(adjustment.note, note);
    }

    void fixedAsset_data()
    {
        QTest::addColumn<bool>("withPurchaseDate");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QDateTime>("expectedPurchaseDate");

        QTest::newRow("purchase date given") << true << u"SN-001"_s << local(2022, 7, 1, 10, 0);
        QTest::newRow("bought now, note omitted") << false << QString() << fixedNow();
    }

    void fixedAsset()
    {
        QFETCH(bool, withPurchaseDate);
        QFETCH(QString, note);
        QFETCH(QDateTime, expectedPurchaseDate);
        TestSupport::ScopedClock clock(fixedNow());

        const FixedAsset asset =
            withPurchaseDate ? FixedAsset(u"电子设备"_s, u"笔记本"_s, 8999, expectedPurchaseDate, 36, note)
                             : FixedAsset(u"电子设备"_s, u"笔记本"_s, 8999, 36);
        QVERIFY(!asset.id.isNull());
        QCOMPARE(asset.category, u"电子设备"_s);
        QCOMPARE(asset.name, u"笔记本"_s);
        QCOMPARE(asset.currentValue, 8999.0);
        QCOMPARE(asset.purchaseDate, expectedPurchaseDate);
        QCOMPARE(asset.usefulLifeMonths, qint64(36));
        QCOMPARE(asset.note, note);
        QCOMPARE(asset.createdAt, fixedNow());
    }

    void fixedAssetKeepsLongUsefulLife()
    {
        const qint64 months = qint64(1) << 40;
        const FixedAsset asset(u"房产"_s, u"住房"_s, 1.5e6, local(2010, 1, 1), months);
        QCOMPARE(asset.usefulLifeMonths, months);
    }
};

PENNYLOOM_TEST(RecordsTest)
#include "tst_Records.moc"
