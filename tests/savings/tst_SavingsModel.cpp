// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/AmountText.h"
#include "savings/SavingsDepositListModel.h"
#include "savings/SavingsGoalDetailModel.h"
#include "savings/SavingsGoalFigures.h"
#include "savings/SavingsModel.h"
#include "store/ModelStore.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

QDateTime openedAt()
{
    return local(2024, 3, 5, 14, 30, 15);
}

} // namespace

class SavingsFiguresTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void capping_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<QList<double>>("deposits");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<bool>("reached");
        QTest::addColumn<QString>("deposited");

        QTest::newRow("three quarters")
            << 1000.0 << QList<double>{300, 450} << 0.75 << u"75%"_s << false << u"已存 ¥750.00"_s;
        QTest::newRow("nothing yet") << 1000.0 << QList<double>{} << 0.0 << u"0%"_s << false
                                     << u"已存 ¥0.00"_s;
        QTest::newRow("just short, fraction dropped")
            << 1000.0 << QList<double>{999.99} << 0.99999 << u"99%"_s << false << u"已存 ¥999.99"_s;
        QTest::newRow("no binary rounding down")
            << 1.0 << QList<double>{0.29} << 0.29 << u"29%"_s << false << u"已存 ¥0.29"_s;
        QTest::newRow("exactly the target")
            << 500.0 << QList<double>{200, 300} << 1.0 << u"100%"_s << true << u"已存 ¥500.00"_s;
        QTest::newRow("over the target shows the full sum")
            << 1000.0 << QList<double>{800, 700} << 1.0 << u"100%"_s << true << u"已存 ¥1,500.00"_s;
        QTest::newRow("binary sum just below the target")
            << 0.8 << QList<double>{0.7, 0.1} << 1.0 << u"100%"_s << true << u"已存 ¥0.80"_s;
        QTest::newRow("tenths that sum to the target")
            << 0.3 << QList<double>{0.1, 0.2} << 1.0 << u"100%"_s << true << u"已存 ¥0.30"_s;
        // Only a file edited by hand holds a target of 0; nothing divides by it.
        QTest::newRow("zero target, something saved")
            << 0.0 << QList<double>{5} << 1.0 << u"100%"_s << true << u"已存 ¥5.00"_s;
        QTest::newRow("zero target, nothing saved")
            << 0.0 << QList<double>{} << 0.0 << u"0%"_s << false << u"已存 ¥0.00"_s;
    }

    // The goal's sum comes from its own deposits through the store; the card's share stops
    // at 100 and turns green from the target on.
    void capping()
    {
        QFETCH(double, target);
        QFETCH(QList<double>, deposits);
        QFETCH(double, fraction);
        QFETCH(QString, percent);
        QFETCH(bool, reached);
        QFETCH(QString, deposited);

        TestSupport::ScopedClock clock(openedAt());
        QTemporaryDir dir;
        std::unique_ptr<ModelStore> store = TestSupport::openStore(dir);
        QVERIFY(store);
        const SavingsGoal goal(u"旅行基金"_s, target, local(2024, 9, 5));
        const SavingsGoal other(u"备用金"_s, 100, local(2024, 9, 5));
        QVERIFY(store->insert(goal));
        QVERIFY(store->insert(other));
        QVERIFY(store->insert(SavingsDeposit(other.id, 40, local(2024, 3, 1))));
        for (double amount : deposits)
            QVERIFY(store->insert(SavingsDeposit(goal.id, amount, local(2024, 3, 2))));

        SavingsModel model(*store);
        const SavingsGoalFigures figures = model.figures(goal);
        QCOMPARE(figures.fraction(), fraction);
        QCOMPARE(figures.percentText(), percent);
        QCOMPARE(figures.reached(), reached);
        QCOMPARE(figures.depositedText(), deposited);
        QCOMPARE(model.total(other.id), 40.0);
    }

    void cardTexts()
    {
        const SavingsGoal goal(u"买相机"_s, 8888.5, local(2024, 11, 15, 23, 30));
        QCOMPARE(SavingsGoalFigures::of(goal, 0).targetText(), u"目标 ¥8,888.50"_s);
        QCOMPARE(SavingsGoalFigures::expectedText(goal), u"预期 2024年11月15日"_s);
        TestSupport::ScopedLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(SavingsGoalFigures::expectedText(goal), u"预期 Nov 15, 2024"_s);
    }
};

class SavingsModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(openedAt())); }
    void cleanup() { closeStore(); }

    void saveGoal_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("stored"); // empty: "保存" stays disabled

        QTest::newRow("plain") << u"旅行基金"_s << u"5000"_s << u"旅行基金"_s;
        QTest::newRow("blanks and line breaks trimmed") << u"  旅行基金 \n"_s << u"5000.5"_s << u"旅行基金"_s;
        QTest::newRow("ideographic spaces trimmed") << u"\u3000新电脑\u3000"_s << u"1e4"_s << u"新电脑"_s;
        QTest::newRow("inner space kept") << u"去 日本"_s << u"0.01"_s << u"去 日本"_s;
        QTest::newRow("only spaces") << u"   "_s << u"5000"_s << QString();
        QTest::newRow("only a line break") << u"\n"_s << u"5000"_s << QString();
        QTest::newRow("empty name") << QString() << u"5000"_s << QString();
        QTest::newRow("zero target") << u"旅行"_s << u"0"_s << QString();
        QTest::newRow("negative target") << u"旅行"_s << u"-5"_s << QString();
        QTest::newRow("letters") << u"旅行"_s << u"abc"_s << QString();
        QTest::newRow("blank around the target") << u"旅行"_s << u" 5000"_s << QString();
        QTest::newRow("empty target") << u"旅行"_s << QString() << QString();
    }

    // "保存" is enabled exactly when the trimmed name is left and the target is above 0; the
    // goal is stored trimmed, with the day chosen, and survives a restart.
    void saveGoal()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(QString, stored);

        SavingsModel model(*m_store);
        QSignalSpy showing(&model, &SavingsModel::showingAddGoalChanged);
        model.startAddGoal();
        model.setName(name);
        model.setTarget(target);
        model.setExpectedDay(QDate(2024, 12, 31));
        QCOMPARE(model.canSaveGoal(), !stored.isEmpty());
        QCOMPARE(model.saveGoal(), !stored.isEmpty());
        QCOMPARE(model.showingAddGoal(), stored.isEmpty());
        // A second confirmation after the form closed stores nothing more.
        QVERIFY(!model.saveGoal());

        m_store.reset();
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
        if (stored.isEmpty()) {
            QVERIFY(m_store->savingsGoals().empty());
            return;
        }
        QCOMPARE(m_store->savingsGoals().size(), size_t(1));
        const SavingsGoal &goal = m_store->savingsGoals().front();
        QCOMPARE(goal.name, stored);
        QCOMPARE(goal.targetAmount, *AmountText::parse(target));
        QCOMPARE(goal.expectedDate, local(2024, 12, 31, 14, 30, 15));
        QCOMPARE(goal.createdAt, openedAt());
    }

    void expectedDateDefault_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDate>("day");

        QTest::newRow("5 March") << QByteArray("Asia/Shanghai") << local(2024, 3, 5, 14, 30)
                                 << QDate(2024, 9, 5);
        QTest::newRow("31 August to the end of February, leap year")
            << QByteArray("Asia/Shanghai") << local(2023, 8, 31, 9) << QDate(2024, 2, 29);
        QTest::newRow("31 August to the end of February")
            << QByteArray("Asia/Shanghai") << local(2024, 8, 31, 9) << QDate(2025, 2, 28);
        QTest::newRow("into summer time, Berlin")
            << QByteArray("Europe/Berlin") << local(2024, 9, 30, 2, 30) << QDate(2025, 3, 30);
        QTest::newRow("out of summer time, New York")
            << QByteArray("America/New_York") << local(2024, 5, 3, 1, 30) << QDate(2024, 11, 3);
    }

    // The form opens on six calendar months from now, valid even where that day skips or
    // repeats the hour.
    void expectedDateDefault()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, now);
        QFETCH(QDate, day);

        TestSupport::ScopedTimeZone scoped(zone);
        m_clock->clock().set(QDateTime(now.date(), now.time()));
        SavingsModel model(*m_store);
        model.startAddGoal();
        QVERIFY(model.expectedDate().isValid());
        QCOMPARE(model.expectedDate().toLocalTime().date(), day);
        // Choosing a day in the picker keeps it valid too.
        model.setExpectedDay(QDate(2025, 3, 30));
        QVERIFY(model.expectedDate().isValid());
        QCOMPARE(model.expectedDate().toLocalTime().date(), QDate(2025, 3, 30));
    }

    // The form starts empty every time it opens.
    void formIsFresh()
    {
        SavingsModel model(*m_store);
        model.startAddGoal();
        model.setName(u"旅行"_s);
        model.setTarget(u"12"_s);
        model.setExpectedDay(QDate(2030, 1, 1));
        model.cancelAddGoal();
        QVERIFY(m_store->savingsGoals().empty());
        model.startAddGoal();
        QVERIFY(model.name().isEmpty());
        QVERIFY(model.target().isEmpty());
        QCOMPARE(model.expectedDate(), local(2024, 9, 5, 14, 30, 15));
    }

    // A new goal comes first; the open detail closes once its goal leaves the store.
    void goalsNewestFirstAndSelection()
    {
        SavingsModel model(*m_store);
        const SavingsGoal older(u"旧目标"_s, 100, local(2024, 6, 1));
        QVERIFY(m_store->insert(older));
        m_clock->clock().advanceSeconds(60);
        const SavingsGoal newer(u"新目标"_s, 100, local(2024, 6, 1));
        QVERIFY(m_store->insert(newer));
        QCOMPARE(model.goals().front().id, newer.id);

        QSignalSpy selected(&model, &SavingsModel::selectedGoalChanged);
        model.selectGoal(QUuid::createUuid());
        QVERIFY(!model.selectedGoal());
        model.selectGoal(older.id);
        QCOMPARE(model.selectedGoal(), older.id);
        QVERIFY(m_store->remove<SavingsGoal>(newer.id));
        QCOMPARE(model.selectedGoal(), older.id);
        QVERIFY(m_store->remove<SavingsGoal>(older.id));
        QVERIFY(!model.selectedGoal());
        QCOMPARE(selected.count(), 2);
    }
};

class SavingsGoalDetailModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(openedAt())); }
    void cleanup() { closeStore(); }

    // Deposits are listed newest day first whatever the order they were entered in, and the
    // row texts fall back to "存入" for an empty note.
    void newestFirst()
    {
        const SavingsGoal goal(u"旅行基金"_s, 1000, local(2024, 9, 5));
        const SavingsGoal other(u"备用金"_s, 1000, local(2024, 9, 5));
        QVERIFY(m_store->insert(goal));
        QVERIFY(m_store->insert(other));
        SavingsModel workspace(*m_store);
        SavingsGoalDetailModel detail(*m_store, workspace.index(), goal);
        SavingsDepositListModel rows(detail);
        QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);

        QVERIFY(m_store->insert(SavingsDeposit(goal.id, 100, local(2024, 3, 1, 9), u"年终奖"_s)));
        QVERIFY(m_store->insert(SavingsDeposit(other.id, 7, local(2024, 3, 2, 9))));
        QVERIFY(m_store->insert(SavingsDeposit(goal.id, 50, local(2024, 3, 4, 9))));
        QVERIFY(m_store->insert(SavingsDeposit(goal.id, 20, local(2024, 2, 28, 9), u" "_s)));

        QStringList shown;
        for (int row = 0; row < rows.rowCount(); ++row)
            shown << rows.index(row).data(Qt::AccessibleTextRole).toString();
        QCOMPARE(shown, (QStringList{u"存入，3月4日 星期一，¥50.00"_s, u"年终奖，3月1日 星期五，¥100.00"_s,
                                     u" ，2月28日 星期三，¥20.00"_s}));
        QCOMPARE(detail.total(), 170.0);
        QCOMPARE(workspace.total(other.id), 7.0);
    }

    void saveDeposit_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("with a note, kept untrimmed") << u"500"_s << u" 年终奖 "_s << true;
        QTest::newRow("empty note") << u"12.5"_s << QString() << true;
        QTest::newRow("zero") << u"0"_s << QString() << false;
        QTest::newRow("negative") << u"-3"_s << QString() << false;
        QTest::newRow("letters") << u"五百"_s << QString() << false;
        QTest::newRow("comma grouping") << u"1,000"_s << QString() << false;
    }

    // "记录存入" follows the amount rule; the deposit keeps the chosen day, the time of the
    // moment the form opened and the note exactly as typed.
    void saveDeposit()
    {
        QFETCH(QString, amount);
        QFETCH(QString, note);
        QFETCH(bool, accepted);

        const SavingsGoal goal(u"旅行基金"_s, 1000, local(2024, 9, 5));
        QVERIFY(m_store->insert(goal));
        SavingsModel workspace(*m_store);
        SavingsGoalDetailModel detail(*m_store, workspace.index(), goal);
        QCOMPARE(detail.depositTitle(), u"存入 旅行基金"_s);
        detail.startDeposit();
        detail.setAmount(amount);
        detail.setNote(note);
        detail.setDay(QDate(2024, 3, 1));
        QCOMPARE(detail.canSaveDeposit(), accepted);
        QCOMPARE(detail.saveDeposit(), accepted);
        QCOMPARE(detail.showingDeposit(), !accepted);
        QVERIFY(!detail.saveDeposit() || !accepted);

        m_store.reset();
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
        QCOMPARE(m_store->savingsDeposits().size(), size_t(accepted ? 1 : 0));
        if (!accepted)
            return;
        const SavingsDeposit &stored = m_store->savingsDeposits().front();
        QCOMPARE(stored.goalID, goal.id);
        QCOMPARE(stored.amount, *AmountText::parse(amount));
        QCOMPARE(stored.note, note);
        QCOMPARE(stored.date, local(2024, 3, 1, 14, 30, 15));
    }

    // Deleting rows lowers the goal's sum by their amounts and keeps the goal; a deposit of
    // another goal is never taken along, even when asked for.
    void deleteDeposits()
    {
        const SavingsGoal goal(u"旅行基金"_s, 1000, local(2024, 9, 5));
        const SavingsGoal other(u"备用金"_s, 1000, local(2024, 9, 5));
        const SavingsDeposit first(goal.id, 300, local(2024, 3, 1));
        const SavingsDeposit second(goal.id, 450, local(2024, 3, 2));
        const SavingsDeposit foreign(other.id, 99, local(2024, 3, 2));
        for (const SavingsGoal &g : {goal, other})
            QVERIFY(m_store->insert(g));
        for (const SavingsDeposit &d : {first, second, foreign})
            QVERIFY(m_store->insert(d));

        SavingsModel workspace(*m_store);
        SavingsGoalDetailModel detail(*m_store, workspace.index(), goal);
        QCOMPARE(workspace.figures(goal).percentText(), u"75%"_s);
        QVERIFY(detail.deleteDeposits({second.id, foreign.id}));
        QCOMPARE(detail.total(), 300.0);
        QCOMPARE(workspace.figures(goal).percentText(), u"30%"_s);
        QCOMPARE(detail.depositCount(), 1);
        QVERIFY(m_store->find<SavingsGoal>(goal.id));
        QVERIFY(m_store->find<SavingsDeposit>(foreign.id));
    }

    // The goal and all its deposits leave the file together; the neighbouring goal's
    // deposits, interleaved in date order with them, all stay.
    void deleteGoal()
    {
        const SavingsGoal goal(u"旅行基金"_s, 1000, local(2024, 9, 5));
        const SavingsGoal other(u"备用金"_s, 1000, local(2024, 9, 5));
        for (const SavingsGoal &g : {goal, other})
            QVERIFY(m_store->insert(g));
        QList<QUuid> kept;
        for (int day = 1; day <= 6; ++day) {
            const SavingsDeposit deposit(day % 2 ? goal.id : other.id, day * 10, local(2024, 3, day));
            QVERIFY(m_store->insert(deposit));
            if (deposit.goalID == other.id)
                kept << deposit.id;
        }

        SavingsModel workspace(*m_store);
        SavingsGoalDetailModel detail(*m_store, workspace.index(), goal);
        QSignalSpy closing(&detail, &SavingsGoalDetailModel::closeRequested);
        detail.requestGoalDeletion();
        QVERIFY(detail.confirmingDelete());
        detail.cancelGoalDeletion();
        QCOMPARE(m_store->savingsDeposits().size(), size_t(6));
        detail.requestGoalDeletion();
        QVERIFY(detail.deleteGoal());
        QVERIFY(!detail.confirmingDelete());
        QCOMPARE(closing.count(), 1);
        QCOMPARE(workspace.total(goal.id), 0.0);
        QCOMPARE(workspace.total(other.id), 120.0);

        m_store.reset();
        m_store = TestSupport::openStore(*m_dir);
        QVERIFY(m_store);
        QCOMPARE(m_store->savingsGoals().size(), size_t(1));
        QCOMPARE(m_store->savingsGoals().front().id, other.id);
        QList<QUuid> left;
        for (const SavingsDeposit &deposit : m_store->savingsDeposits())
            left.prepend(deposit.id);
        QCOMPARE(left, kept);
    }
};

PENNYLOOM_TEST(SavingsFiguresTest)
PENNYLOOM_TEST(SavingsModelTest)
PENNYLOOM_TEST(SavingsGoalDetailModelTest)
#include "tst_SavingsModel.moc"
