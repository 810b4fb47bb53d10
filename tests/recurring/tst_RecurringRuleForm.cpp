// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/LedgerEntry.h"
#include "recurring/RecurringRuleFormModel.h"
#include "store/ModelStore.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Repeat = RecurringRule::Repeat;
using End = RecurringRuleFormModel::End;

class RecurringRuleFormTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(TestSupport::local(2026, 12, 7, 12))); }
    void cleanup() { closeStore(); }

    // What the form accepts, what it says of the schedule, and its hint about missing dates.
    void validation_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<Repeat>("repeat");
        // Weekday, or month and date, or days between: the schedule's own numbers.
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<End>("end");
        QTest::addColumn<QDate>("lastDay");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("hint");

        const QDate none;
        QTest::newRow("daily") << u"12"_s << Repeat::daily << QList<int>{} << End::never << none << 0 << true
                               << u"每天，下次 2026年12月7日"_s << QString();
        QTest::newRow("weekly on wednesday")
            << u"12"_s << Repeat::weekly << QList<int>{3} << End::never << none << 0 << true
            << u"每周三，下次 2026年12月9日"_s << QString();
        QTest::newRow("monthly on the 30th")
            << u"12"_s << Repeat::monthly << QList<int>{30} << End::never << none << 0 << true
            << u"每月 30 日，下次 2026年12月30日"_s << u"没有 30 日的月份，记在当月最后一天"_s;
        QTest::newRow("monthly 31 is the last day")
            << u"12"_s << Repeat::monthly << QList<int>{31} << End::never << none << 0 << true
            << u"每月最后一天，下次 2026年12月31日"_s << QString();
        QTest::newRow("yearly on 29 february")
            << u"12"_s << Repeat::yearly << QList<int>{2, 29} << End::never << none << 0 << true
            << u"每年 2 月 29 日，下次 2027年2月28日"_s << u"平年记在 2 月 28 日"_s;
        QTest::newRow("yearly on 31 april refused")
            << u"12"_s << Repeat::yearly << QList<int>{4, 31} << End::never << none << 0 << false
            << u"每年 4 月 31 日"_s << QString();
        QTest::newRow("every 3 days") << u"12"_s << Repeat::everyNDays << QList<int>{3} << End::never << none
                                      << 0 << true << u"每 3 天，下次 2026年12月7日"_s << QString();
        QTest::newRow("every 0 days refused") << u"12"_s << Repeat::everyNDays << QList<int>{0} << End::never
                                              << none << 0 << false << u"每 0 天"_s << QString();
        QTest::newRow("ends on a later day")
            << u"12"_s << Repeat::daily << QList<int>{} << End::onDay << QDate(2026, 12, 31) << 0 << true
            << u"每天，下次 2026年12月7日"_s << QString();
        QTest::newRow("ends before it starts refused")
            << u"12"_s << Repeat::daily << QList<int>{} << End::onDay << QDate(2026, 12, 6) << 0 << false
            << u"每天"_s << QString();
        QTest::newRow("ended after its count")
            << u"12"_s << Repeat::daily << QList<int>{} << End::afterCount << none << 2 << true
            << u"每天，下次 2026年12月7日"_s << QString();
        QTest::newRow("zero times refused") << u"12"_s << Repeat::daily << QList<int>{} << End::afterCount
                                            << none << 0 << false << u"每天"_s << QString();
        // The end not chosen is not held against the rule.
        QTest::newRow("unused end day ignored")
            << u"12"_s << Repeat::daily << QList<int>{} << End::never << QDate(2000, 1, 1) << 0 << true
            << u"每天，下次 2026年12月7日"_s << QString();
        QTest::newRow("no amount refused") << QString() << Repeat::daily << QList<int>{} << End::never << none
                                           << 0 << false << u"每天，下次 2026年12月7日"_s << QString();
        QTest::newRow("zero amount refused") << u"0"_s << Repeat::daily << QList<int>{} << End::never << none
                                             << 0 << false << u"每天，下次 2026年12月7日"_s << QString();
    }

    void validation()
    {
        QFETCH(QString, amount);
        QFETCH(Repeat, repeat);
        QFETCH(QList<int>, numbers);
        QFETCH(End, end);
        QFETCH(QDate, lastDay);
        QFETCH(int, count);
        QFETCH(bool, accepted);
        QFETCH(QString, summary);
        QFETCH(QString, hint);

        RecurringRuleFormModel form(QDate(2026, 12, 7));
        form.setAmount(amount);
        form.setRepeat(repeat);
        if (repeat == Repeat::weekly)
            form.setWeekday(numbers.at(0));
        if (repeat == Repeat::monthly)
            form.setMonthDay(numbers.at(0));
        if (repeat == Repeat::yearly) {
            form.setMonth(numbers.at(0));
            form.setMonthDay(numbers.at(1));
        }
        if (repeat == Repeat::everyNDays)
            form.setInterval(numbers.at(0));
        form.setEnd(end);
        if (lastDay.isValid())
            form.setLastDay(lastDay);
        form.setCount(count);

        QCOMPARE(form.canSave(), accepted);
        QCOMPARE(form.summary(QDate(2026, 12, 7)), summary);
        QCOMPARE(form.dayHint(), hint);
        QCOMPARE(form.save(*m_store), accepted);
        QCOMPARE(m_store->recurringRules().size(), size_t(accepted ? 1 : 0));
    }

    // Saving a rule that began in the past writes what has come due; saving it again after a
    // change updates the one rule instead of adding a second.
    void saveStoresAndWritesDueEntries()
    {
        RecurringRuleFormModel form(QDate(2026, 11, 1));
        form.setAmount(u"3000"_s);
        form.setNote(u"房租"_s);
        QCOMPARE(form.monthDay(), 1);
        QVERIFY(form.save(*m_store));
        QCOMPARE(m_store->recurringRules().size(), size_t(1));
        // 1 November and 1 December, at nine in the morning, are past by noon on 7 December.
        QCOMPARE(m_store->entries().size(), size_t(2));

        RecurringRuleFormModel edit(m_store->recurringRules().front());
        QVERIFY(edit.isEditing());
        QCOMPARE(edit.amount(), u"3000.00"_s);
        edit.setAmount(u"3200"_s);
        QVERIFY(edit.save(*m_store));
        QCOMPARE(m_store->recurringRules().size(), size_t(1));
        QCOMPARE(m_store->recurringRules().front().amount, 3200.0);
        QCOMPARE(m_store->recurringRules().front().note, u"房租"_s);
    }

    // A new rule's date follows its first day until the user picks one.
    void dayFollowsFirstDayUntilChosen()
    {
        RecurringRuleFormModel form(QDate(2026, 12, 7));
        form.setFirstDay(QDate(2027, 1, 15));
        QCOMPARE(form.monthDay(), 15);
        QCOMPARE(form.weekday(), 5);
        form.setMonthDay(20);
        form.setFirstDay(QDate(2027, 2, 3));
        QCOMPARE(form.monthDay(), 20);
    }

    // 「设为周期账单」 starts from the entry: its fields, its day, monthly on its date.
    void filledFromEntry()
    {
        const LedgerEntry entry(45.5, TestSupport::local(2026, 11, 18, 19, 42, 30), EntryKind::income,
                                u"兼职副业"_s, u"家教"_s);
        const RecurringRuleFormModel form(entry);
        QVERIFY(!form.isEditing());
        QCOMPARE(form.amount(), u"45.50"_s);
        QCOMPARE(form.kind(), EntryKind::income);
        QCOMPARE(form.category(), u"兼职副业"_s);
        QCOMPARE(form.note(), u"家教"_s);
        QCOMPARE(form.timeOfDay(), QTime(19, 42));
        QCOMPARE(form.firstDay(), QDate(2026, 11, 18));
        QCOMPARE(form.repeat(), Repeat::monthly);
        QCOMPARE(form.monthDay(), 18);
        QCOMPARE(form.end(), End::never);
    }
};

PENNYLOOM_TEST(RecurringRuleFormTest)
#include "tst_RecurringRuleForm.moc"
