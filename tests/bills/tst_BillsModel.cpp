// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsFixtures.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include "bills/BillsLedger.h"
#include "bills/BillsModel.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace BillsFixtures;
using TestSupport::local;

namespace {

QList<BillsModel::DayGroup> groupsOf(const BillsModel &model)
{
    QList<BillsModel::DayGroup> groups;
    for (int g = 0; g < model.groupCount(); ++g)
        groups.append(model.group(g));
    return groups;
}

QStringList notesOf(const BillsModel &model)
{
    QStringList notes;
    for (int i = 0; i < model.filteredCount(); ++i)
        notes.append(model.filteredEntry(i).note);
    return notes;
}

QList<QDate> groupDays(const BillsModel &model)
{
    QList<QDate> days;
    for (const BillsModel::DayGroup &group : groupsOf(model))
        days.append(group.day.date());
    return days;
}

// What the list must show, worked out the plain way from the store: used to check that the
// model's kept-up-to-date index never drifts from the store's entries.
struct Shown {
    QList<QUuid> ids;
    QList<QDateTime> days;
    QList<int> counts;
    QList<double> dayExpenses;
    double income = 0;
    double expense = 0;
};

// Only the entries of the days [from, to] when from is valid.
Shown shownPlainly(const ModelStore &store, const QString &search, QDate from = {}, QDate to = {})
{
    Shown shown;
    for (const LedgerEntry &e : store.entries()) {
        const QDate date = e.date.toLocalTime().date();
        if (from.isValid() && (date < from || date > to))
            continue;
        if (!search.isEmpty() && !e.category.contains(search, Qt::CaseInsensitive) &&
            !e.note.contains(search, Qt::CaseInsensitive) && !e.kindRaw.contains(search, Qt::CaseInsensitive))
            continue;
        const QDateTime day = LocalCalendar::startOfDay(e.date);
        if (shown.days.isEmpty() || shown.days.last() != day) {
            shown.days.append(day);
            shown.counts.append(0);
            shown.dayExpenses.append(0);
        }
        ++shown.counts.last();
        shown.ids.append(e.id);
        if (e.kind() == EntryKind::income) {
            shown.income += e.amount;
        } else {
            shown.expense += e.amount;
            shown.dayExpenses.last() += e.amount;
        }
    }
    return shown;
}

Shown shownBy(const BillsModel &model)
{
    Shown shown;
    for (int i = 0; i < model.filteredCount(); ++i)
        shown.ids.append(model.filteredEntry(i).id);
    for (const BillsModel::DayGroup &group : groupsOf(model)) {
        shown.days.append(group.day);
        shown.counts.append(group.count);
        shown.dayExpenses.append(group.expense);
    }
    shown.income = model.totals().income;
    shown.expense = model.totals().expense;
    return shown;
}

} // namespace

class BillsModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(fixedNow())); }
    void cleanup() { closeStore(); }

    void startsWithLastMonth_data();
    void startsWithLastMonth();
    void dateFilter_data();
    void dateFilter();
    void switchingBackToAllKeepsDays();
    void search_data();
    void search();
    void searchReadsEntriesTheIndexCannotHold();
    void groupsNewestFirst();
    void editMovesEntry_data();
    void editMovesEntry();
    void daylightSavingDay_data();
    void daylightSavingDay();
    void dayChosenInClockGap();
    void zoneChangeRegroups();
    void confirmDeletion_data();
    void confirmDeletion();
    void deleteEntriesOfDay_data();
    void deleteEntriesOfDay();
    void followsEveryStoreChange();
    void reopensAfterChangesWhileClosed();
    void narrowingSearch_data();
    void narrowingSearch();
};

void BillsModelTest::startsWithLastMonth_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("start");

    QTest::newRow("same day a month back") << local(2024, 4, 10, 12, 0) << local(2024, 3, 10, 12, 0);
    QTest::newRow("clamped to a shorter month") << local(2024, 3, 31, 8, 0) << local(2024, 2, 29, 8, 0);
}

void BillsModelTest::startsWithLastMonth()
{
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, start);

    m_clock->clock().set(now);
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    QVERIFY(model.dateMode() == PeriodChoice::all);
    QCOMPARE(model.startDate(), start);
    QCOMPARE(model.endDate(), now);
    const PeriodSelection::Rules &rules = BillsModel::dateRules();
    QVERIFY(rules.choiceAt(int(rules.titles().indexOf(u"自定义日期"_s))) == PeriodChoice::custom);
    QVERIFY(rules.titles().indexOf(u"全部"_s) < 0);
}

void BillsModelTest::dateFilter_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<bool>("shown");

    const QDate march1(2024, 3, 1);
    const QDate march31(2024, 3, 31);
    QTest::newRow("last day 23:59") << march1 << march31 << local(2024, 3, 31, 23, 59) << true;
    QTest::newRow("day after 00:00") << march1 << march31 << local(2024, 4, 1) << false;
    QTest::newRow("first day 00:00") << march1 << march31 << local(2024, 3, 1) << true;
    QTest::newRow("day before 23:59:59") << march1 << march31 << local(2024, 2, 29, 23, 59, 59) << false;
    QTest::newRow("one day") << QDate(2024, 3, 15) << QDate(2024, 3, 15) << local(2024, 3, 15, 18, 0) << true;
    QTest::newRow("start after end") << march31 << march1 << local(2024, 3, 15, 12, 0) << false;
}

void BillsModelTest::dateFilter()
{
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QDateTime, date);
    QFETCH(bool, shown);

    add(entry(10, date, EntryKind::expense, u"餐饮"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    QSignalSpy recomputed(&model, &BillsModel::recomputed);
    model.setStartDay(start);
    model.setEndDay(end);
    QCOMPARE(recomputed.count(), 0); // the days do not matter while every entry is listed
    QCOMPARE(model.filteredCount(), 1);

    model.setDateMode(PeriodChoice::custom);
    QCOMPARE(model.dateFiltered().size(), size_t(shown ? 1 : 0));
    QCOMPARE(model.filteredCount(), shown ? 1 : 0);
    QCOMPARE(model.groupCount(), shown ? 1 : 0);
    QCOMPARE(model.totals().expense, shown ? 10.0 : 0.0);
}

void BillsModelTest::switchingBackToAllKeepsDays()
{
    add(entry(1, local(2024, 1, 5, 9, 0), EntryKind::expense, u"餐饮"_s, u"一月"_s));
    add(entry(2, local(2024, 3, 5, 9, 0), EntryKind::expense, u"餐饮"_s, u"三月"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    model.setDateMode(PeriodChoice::custom);
    model.setStartDay({2024, 3, 1});
    model.setEndDay({2024, 3, 31});
    QCOMPARE(notesOf(model), QStringList{u"三月"_s});

    model.setDateMode(PeriodChoice::all);
    QCOMPARE(notesOf(model), (QStringList{u"三月"_s, u"一月"_s}));
    QCOMPARE(model.startDate().date(), QDate(2024, 3, 1));
    model.setDateMode(PeriodChoice::custom);
    QCOMPARE(model.endDate().date(), QDate(2024, 3, 31));
    QCOMPARE(notesOf(model), QStringList{u"三月"_s});
}

void BillsModelTest::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<double>("income");
    QTest::addColumn<double>("expense");

    const QStringList all{u"午饭"_s, u"和同事聚餐"_s, u""_s, u"abc 文具"_s, u"新年 快乐"_s, u"Äpfel"_s};
    QTest::newRow("empty lists everything") << QString() << all << 5200.0 << 61.0;
    QTest::newRow("category or note") << u"餐"_s << QStringList{u"午饭"_s, u"和同事聚餐"_s} << 0.0 << 50.0;
    QTest::newRow("every expense") << u"支出"_s
                                   << QStringList{u"午饭"_s, u"和同事聚餐"_s, u"abc 文具"_s, u"Äpfel"_s}
                                   << 0.0 << 61.0;
    QTest::newRow("every income") << u"收入"_s << QStringList{u""_s, u"新年 快乐"_s} << 5200.0 << 0.0;
    QTest::newRow("upper case finds lower") << u"ABC"_s << QStringList{u"abc 文具"_s} << 0.0 << 8.0;
    QTest::newRow("lower case finds upper") << u"äPFEL"_s << QStringList{u"Äpfel"_s} << 0.0 << 3.0;
    QTest::newRow("a blank is searched")
        << u" "_s << QStringList{u"abc 文具"_s, u"新年 快乐"_s} << 200.0 << 8.0;
    QTest::newRow("untrimmed") << u"饭 "_s << QStringList() << 0.0 << 0.0;
    QTest::newRow("nothing") << u"xyz"_s << QStringList() << 0.0 << 0.0;
}

// A note longer than the index keeps is searched in the entry itself, for its note, category
// and kind, and counted with its kind.
void BillsModelTest::searchReadsEntriesTheIndexCannotHold()
{
    const QString longNote = QString(70'000, u'记') + u"尾巴"_s;
    add(entry(7, local(2024, 3, 6, 12, 0), EntryKind::income, u"红包"_s, longNote));
    add(entry(30, local(2024, 3, 5, 12, 0), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    const struct {
        QString text;
        QStringList notes;
        double income;
    } rows[] = {{u"尾巴"_s, {longNote}, 7},
                {u"红包"_s, {longNote}, 7},
                {u"收入"_s, {longNote}, 7},
                {u"午饭"_s, {u"午饭"_s}, 0}};
    for (const auto &row : rows) {
        model.setSearchText(row.text);
        QCOMPARE(notesOf(model), row.notes);
        QCOMPARE(model.totals().income, row.income);
    }
}

void BillsModelTest::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, notes);
    QFETCH(double, income);
    QFETCH(double, expense);

    add(entry(30, local(2024, 3, 6, 12, 0), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
    add(entry(20, local(2024, 3, 6, 11, 0), EntryKind::expense, u"交通"_s, u"和同事聚餐"_s));
    add(entry(5000, local(2024, 3, 5, 10, 0), EntryKind::income, u"工资"_s));
    add(entry(8, local(2024, 3, 4, 10, 0), EntryKind::expense, u"购物"_s, u"abc 文具"_s));
    add(entry(200, local(2024, 3, 3, 10, 0), EntryKind::income, u"红包"_s, u"新年 快乐"_s));
    add(entry(3, local(2024, 3, 2, 10, 0), EntryKind::expense, u"水果"_s, u"Äpfel"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);

    model.setSearchText(text);
    QCOMPARE(notesOf(model), notes);
    QCOMPARE(model.totals().income, income);
    QCOMPARE(model.totals().expense, expense);
    double groupSums = 0;
    int grouped = 0;
    for (const BillsModel::DayGroup &group : groupsOf(model)) {
        groupSums += group.income + group.expense;
        grouped += group.count;
    }
    QCOMPARE(grouped, static_cast<int>(notes.size()));
    QCOMPARE(groupSums, income + expense);
}

void BillsModelTest::groupsNewestFirst()
{
    add(entry(1, local(2024, 3, 5, 9, 0), EntryKind::expense, u"餐饮"_s, u"早"_s));
    add(entry(2, local(2024, 3, 6, 8, 0), EntryKind::income, u"工资"_s, u"次日"_s));
    add(entry(4, local(2024, 3, 5, 21, 0), EntryKind::expense, u"餐饮"_s, u"晚"_s));
    add(entry(8, local(2024, 3, 5, 12, 0), EntryKind::income, u"红包"_s, u"午"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);

    QCOMPARE(groupDays(model), (QList<QDate>{{2024, 3, 6}, {2024, 3, 5}}));
    QCOMPARE(model.group(1).day, local(2024, 3, 5));
    QCOMPARE(notesOf(model), (QStringList{u"次日"_s, u"晚"_s, u"午"_s, u"早"_s}));
    QList<QString> secondDay;
    for (const LedgerEntry &e : model.dayEntries(1))
        secondDay.append(e.note);
    QCOMPARE(secondDay, (QList<QString>{u"晚"_s, u"午"_s, u"早"_s}));
    QCOMPARE(model.group(1).expense, 5.0);
    QCOMPARE(model.group(1).income, 8.0);
    QCOMPARE(model.group(0).income, 2.0);
}

void BillsModelTest::editMovesEntry_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<bool>("income");
    QTest::addColumn<QList<QDate>>("days");
    QTest::addColumn<QList<double>>("expenses");
    QTest::addColumn<QList<double>>("incomes");

    const QDate d5(2024, 3, 5);
    const QDate d6(2024, 3, 6);
    const QDate d7(2024, 3, 7);
    QTest::newRow("unchanged") << local(2024, 3, 5, 9, 0) << false << QList<QDate>{d6, d5}
                               << QList<double>{10, 25} << QList<double>{0, 0};
    QTest::newRow("to the other day") << local(2024, 3, 6, 7, 0) << false << QList<QDate>{d6, d5}
                                      << QList<double>{15, 20} << QList<double>{0, 0};
    QTest::newRow("to a new day") << local(2024, 3, 7, 7, 0) << false << QList<QDate>{d7, d6, d5}
                                  << QList<double>{5, 10, 20} << QList<double>{0, 0, 0};
    QTest::newRow("to income") << local(2024, 3, 5, 9, 0) << true << QList<QDate>{d6, d5}
                               << QList<double>{10, 20} << QList<double>{0, 5};
}

// An edit stores the changed record, as the edit form does; the groups and sums follow.
void BillsModelTest::editMovesEntry()
{
    QFETCH(QDateTime, date);
    QFETCH(bool, income);
    QFETCH(QList<QDate>, days);
    QFETCH(QList<double>, expenses);
    QFETCH(QList<double>, incomes);

    add(entry(10, local(2024, 3, 6, 9, 0), EntryKind::expense, u"餐饮"_s));
    add(entry(20, local(2024, 3, 5, 10, 0), EntryKind::expense, u"餐饮"_s));
    const LedgerEntry edited = add(entry(5, local(2024, 3, 5, 9, 0), EntryKind::expense, u"交通"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);

    LedgerEntry changed = *m_store->find<LedgerEntry>(edited.id);
    changed.date = date;
    changed.kindRaw = EntryKinds::rawText(income ? EntryKind::income : EntryKind::expense);
    QVERIFY(m_store->update(changed));

    QCOMPARE(groupDays(model), days);
    QList<double> shownExpenses;
    QList<double> shownIncomes;
    for (const BillsModel::DayGroup &group : groupsOf(model)) {
        shownExpenses.append(group.expense);
        shownIncomes.append(group.income);
    }
    QCOMPARE(shownExpenses, expenses);
    QCOMPARE(shownIncomes, incomes);
}

void BillsModelTest::daylightSavingDay_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("day");

    QTest::newRow("New York, 23 hours") << QByteArray("America/New_York") << QDate(2024, 3, 10);
    QTest::newRow("New York, 25 hours") << QByteArray("America/New_York") << QDate(2024, 11, 3);
    QTest::newRow("Berlin, 23 hours") << QByteArray("Europe/Berlin") << QDate(2024, 3, 31);
    QTest::newRow("Berlin, 25 hours") << QByteArray("Europe/Berlin") << QDate(2024, 10, 27);
}

// A day that is not 24 hours long still holds exactly its own entries.
void BillsModelTest::daylightSavingDay()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, day);

    const TestSupport::ScopedTimeZone scoped(zone);
    const auto at = [](QDate d, int hour, int minute) { return QDateTime(d, QTime(hour, minute)); };
    add(entry(1, at(day.addDays(-1), 23, 30), EntryKind::expense, u"餐饮"_s, u"前一天"_s));
    add(entry(2, at(day, 0, 30), EntryKind::expense, u"餐饮"_s, u"当天早"_s));
    add(entry(4, at(day, 23, 30), EntryKind::expense, u"餐饮"_s, u"当天晚"_s));
    add(entry(8, at(day.addDays(1), 0, 30), EntryKind::expense, u"餐饮"_s, u"次日"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);

    QCOMPARE(groupDays(model), (QList<QDate>{day.addDays(1), day, day.addDays(-1)}));
    const BillsModel::DayGroup changeDay = model.group(1);
    QCOMPARE(changeDay.day, day.startOfDay());
    QCOMPARE(changeDay.count, 2);
    QCOMPARE(changeDay.expense, 6.0);

    model.setDateMode(PeriodChoice::custom);
    model.setStartDay(day);
    model.setEndDay(day);
    QCOMPARE(notesOf(model), (QStringList{u"当天晚"_s, u"当天早"_s}));
}

// The custom range keeps the time of day of its bounds. Opened at 02:30, choosing the
// spring-forward day, on which 02:30 never happens, must still give that whole day.
void BillsModelTest::dayChosenInClockGap()
{
    const TestSupport::ScopedTimeZone berlin("Europe/Berlin");
    const QDate gapDay(2024, 3, 31);
    m_clock->clock().set(QDateTime(QDate(2024, 4, 10), QTime(2, 30)));
    add(entry(1, QDateTime(gapDay, QTime(12, 0)), EntryKind::expense, u"餐饮"_s, u"当天"_s));
    add(entry(2, QDateTime(gapDay.addDays(1), QTime(12, 0)), EntryKind::expense, u"餐饮"_s, u"次日"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    model.setDateMode(PeriodChoice::custom);
    model.setStartDay(gapDay);
    model.setEndDay(gapDay);

    QVERIFY(model.startDate().isValid());
    QVERIFY(model.endDate().isValid());
    QCOMPARE(model.startDate().toLocalTime().date(), gapDay);
    QCOMPARE(model.endDate().toLocalTime().date(), gapDay);
    QCOMPARE(notesOf(model), QStringList{u"当天"_s});
}

// Day bounds are remembered between walks; a change of time zone must not reuse them.
void BillsModelTest::zoneChangeRegroups()
{
    // 12:00 and 17:00 UTC on 5 March: two days in Shanghai, one in New York.
    add(entry(1, QDateTime(QDate(2024, 3, 5), QTime(12, 0), Qt::UTC), EntryKind::expense, u"餐饮"_s));
    add(entry(2, QDateTime(QDate(2024, 3, 5), QTime(17, 0), Qt::UTC), EntryKind::expense, u"餐饮"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    QCOMPARE(groupDays(model), (QList<QDate>{{2024, 3, 6}, {2024, 3, 5}}));

    const TestSupport::ScopedTimeZone newYork("America/New_York");
    model.recompute();
    QCOMPARE(groupDays(model), QList<QDate>{QDate(2024, 3, 5)});
    QCOMPARE(model.group(0).day, QDate(2024, 3, 5).startOfDay());
    QCOMPARE(model.group(0).count, 2);
}

void BillsModelTest::confirmDeletion_data()
{
    QTest::addColumn<bool>("confirm");

    QTest::newRow("删除") << true;
    QTest::newRow("取消") << false;
}

void BillsModelTest::confirmDeletion()
{
    QFETCH(bool, confirm);

    const LedgerEntry kept = add(entry(1, local(2024, 3, 5, 9, 0), EntryKind::expense, u"餐饮"_s));
    const LedgerEntry pending = add(entry(2, local(2024, 3, 5, 10, 0), EntryKind::expense, u"餐饮"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    QSignalSpy pendingChanged(&model, &BillsModel::pendingDeletionChanged);

    model.setPendingDeletion(pending);
    QCOMPARE(model.pendingDeletion()->id, pending.id);
    QCOMPARE(m_store->entries().size(), size_t(2));
    if (confirm)
        QVERIFY(model.confirmDeletion());
    else
        model.cancelDeletion();
    QVERIFY(!model.pendingDeletion());
    QCOMPARE(pendingChanged.count(), 2);
    QCOMPARE(m_store->find<LedgerEntry>(pending.id) != nullptr, !confirm);
    QVERIFY(m_store->find<LedgerEntry>(kept.id));
    QCOMPARE(model.filteredCount(), confirm ? 1 : 2);

    // Nothing pending: confirming deletes nothing.
    QVERIFY(!model.confirmDeletion());
    QCOMPARE(m_store->entries().size(), size_t(confirm ? 1 : 2));
}

void BillsModelTest::deleteEntriesOfDay_data()
{
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("signals");

    QTest::newRow("one") << QList<int>{1} << QStringList{u"c"_s, u"a"_s, u"other day"_s} << 1;
    QTest::newRow("several, one transaction") << QList<int>{0, 2} << QStringList{u"b"_s, u"other day"_s} << 1;
    QTest::newRow("outside the list")
        << QList<int>{3, -1} << QStringList{u"c"_s, u"b"_s, u"a"_s, u"other day"_s} << 0;
}

void BillsModelTest::deleteEntriesOfDay()
{
    QFETCH(QList<int>, positions);
    QFETCH(QStringList, left);
    QFETCH(int, signals);

    add(entry(1, local(2024, 3, 4, 9, 0), EntryKind::expense, u"餐饮"_s, u"other day"_s));
    add(entry(1, local(2024, 3, 5, 9, 0), EntryKind::expense, u"餐饮"_s, u"a"_s));
    add(entry(1, local(2024, 3, 5, 10, 0), EntryKind::expense, u"餐饮"_s, u"b"_s));
    add(entry(1, local(2024, 3, 5, 11, 0), EntryKind::expense, u"餐饮"_s, u"c"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);

    const QSet<int> chosen(positions.begin(), positions.end());
    QCOMPARE(model.deleteEntries(chosen, model.dayEntries(0)), signals > 0);
    QCOMPARE(changed.count(), signals);
    QCOMPARE(notesOf(model), left);
    // And on disk.
    m_store.reset();
    m_store = TestSupport::openStore(*m_dir);
    QCOMPARE(m_store->entries().size(), size_t(left.size()));
}

// The model keeps a per-entry index in step with the store instead of rebuilding it. Every
// kind of change, including edits that keep an entry's texts and move nothing, must leave
// the list exactly as a plain pass over the store shows it.
void BillsModelTest::followsEveryStoreChange()
{
    const QStringList categories{u"餐饮"_s, u"交通"_s, u"工资"_s, u"购物"_s};
    const QStringList notes{QString(), u"午餐"_s, u"Lunch"_s, u"LUNCH box"_s, u"打车 回家"_s, u"聚餐"_s};
    const QStringList searches{QString(), u"餐"_s, u"lunch"_s, u"支出"_s, u" "_s, u"收入"_s};
    QRandomGenerator random(20240410);
    const auto randomDate = [&] {
        return local(2024, 1, 1).addSecs(static_cast<qint64>(random.bounded(90 * 24)) * 3600);
    };
    const auto randomEntry = [&] {
        return entry(1 + random.bounded(100), randomDate(),
                     random.bounded(4) == 0 ? EntryKind::income : EntryKind::expense,
                     categories.at(random.bounded(categories.size())),
                     notes.at(random.bounded(notes.size())));
    };
    for (int i = 0; i < 30; ++i)
        add(randomEntry());
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);

    for (int step = 0; step < 60; ++step) {
        const auto &stored = m_store->entries();
        const int operation = random.bounded(6);
        if (operation == 0 || stored.size() < 5) {
            add(randomEntry());
        } else if (operation == 1) {
            ModelStore::Removal removal;
            const size_t first = random.bounded(static_cast<quint32>(stored.size() - 2));
            removal.add<LedgerEntry>(stored[first].id).add<LedgerEntry>(stored[first + 2].id);
            QVERIFY(m_store->remove(removal));
        } else {
            // An edit of one field; the record otherwise shares its texts with the stored one.
            LedgerEntry changed = stored[random.bounded(static_cast<quint32>(stored.size()))];
            if (operation == 2)
                changed.amount += 1;
            else if (operation == 3)
                changed.date = randomDate();
            else if (operation == 4)
                changed.note = notes.at(random.bounded(notes.size())) + u"改"_s;
            else
                changed.kindRaw = EntryKinds::rawText(
                    changed.kind() == EntryKind::income ? EntryKind::expense : EntryKind::income);
            QVERIFY(m_store->update(changed));
        }
        model.setSearchText(searches.at(step % searches.size()));

        const Shown expected = shownPlainly(*m_store, model.searchText());
        const Shown actual = shownBy(model);
        QCOMPARE(actual.ids, expected.ids);
        QCOMPARE(actual.days, expected.days);
        QCOMPARE(actual.counts, expected.counts);
        QCOMPARE(actual.dayExpenses, expected.dayExpenses);
        QCOMPARE(actual.income, expected.income);
        QCOMPARE(actual.expense, expected.expense);
    }
}

// The days and the index of the list outlive the screen. Changes made while no list is open,
// a few or more than the store remembers, show on reopening exactly as a plain pass over the
// store shows them, also around a daylight-saving change.
void BillsModelTest::reopensAfterChangesWhileClosed()
{
    const TestSupport::ScopedTimeZone newYork("America/New_York");
    const QStringList categories{u"餐饮"_s, u"交通"_s, u"工资"_s};
    const QStringList notes{QString(), u"午餐"_s, u"Lunch"_s, u"打车"_s};
    QRandomGenerator random(20240310);
    const auto randomDate = [&] {
        return QDateTime(QDate(2024, 3, 6), QTime(0, 30))
            .addSecs(static_cast<qint64>(random.bounded(9 * 24)) * 3600);
    };
    const auto randomEntry = [&] {
        return entry(1 + random.bounded(100), randomDate(),
                     random.bounded(4) == 0 ? EntryKind::income : EntryKind::expense,
                     categories.at(random.bounded(categories.size())),
                     notes.at(random.bounded(notes.size())));
    };
    for (int i = 0; i < 20; ++i)
        add(randomEntry());
    const auto check = [&](BillsModel &model, const QString &search, QDate from, QDate to) {
        const Shown expected = shownPlainly(*m_store, search, from, to);
        const Shown actual = shownBy(model);
        QCOMPARE(actual.ids, expected.ids);
        QCOMPARE(actual.days, expected.days);
        QCOMPARE(actual.counts, expected.counts);
        QCOMPARE(actual.dayExpenses, expected.dayExpenses);
        QCOMPARE(actual.income, expected.income);
        QCOMPARE(actual.expense, expected.expense);
    };

    // The ledger outlives each screen model, as the window keeps it between visits.
    BillsLedger ledger(*m_store);
    for (int round = 0; round < 6; ++round) {
        {
            BillsModel seen(*m_store, ledger);
            check(seen, QString(), {}, {});
        }
        const int changes = round % 2 == 0 ? 3 : 70;
        for (int c = 0; c < changes; ++c) {
            const auto &stored = m_store->entries();
            const int operation = random.bounded(4);
            if (operation == 0 || stored.size() < 5) {
                add(randomEntry());
            } else if (operation == 1) {
                QVERIFY(m_store->remove<LedgerEntry>(stored[random.bounded(quint32(stored.size()))].id));
            } else {
                LedgerEntry changed = stored[random.bounded(static_cast<quint32>(stored.size()))];
                if (operation == 2)
                    changed.date = randomDate();
                else
                    changed.amount += 1;
                QVERIFY(m_store->update(changed));
            }
        }
        BillsModel reopened(*m_store, ledger);
        check(reopened, QString(), {}, {});
        reopened.setSearchText(u"餐"_s);
        check(reopened, u"餐"_s, {}, {});
        reopened.setSearchText(QString());
        reopened.setDateMode(PeriodChoice::custom);
        reopened.setStartDay({2024, 3, 9});
        reopened.setEndDay({2024, 3, 10});
        check(reopened, QString(), {2024, 3, 9}, {2024, 3, 10});
    }
}

void BillsModelTest::narrowingSearch_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("changeAfter"); // the step after which the store changes; -1 for none

    QTest::newRow("extend") << QStringList{u"l"_s, u"lu"_s, u"lun"_s, u"lunch"_s} << -1;
    QTest::newRow("extend in other case") << QStringList{u"L"_s, u"lU"_s, u"LUNCH"_s} << -1;
    QTest::newRow("extend into a kind") << QStringList{u"支"_s, u"支出"_s} << -1;
    QTest::newRow("shorten") << QStringList{u"lunch"_s, u"lun"_s, u"l"_s} << -1;
    QTest::newRow("replace") << QStringList{u"餐"_s, u"box"_s, u"收入"_s} << -1;
    QTest::newRow("delete in the middle") << QStringList{u"lunch"_s, u"luch"_s, u"lunch"_s} << -1;
    QTest::newRow("extend after a change") << QStringList{u"l"_s, u"lu"_s, u"lun"_s} << 0;
    QTest::newRow("take a letter away and back")
        << QStringList{u"l"_s, u"lu"_s, u"lun"_s, u"lu"_s, u"lun"_s, u"lunc"_s} << -1;
    QTest::newRow("take a letter away after a change") << QStringList{u"l"_s, u"lun"_s, u"l"_s, u"lu"_s} << 1;
}

// A keystroke that adds to the search text looks only at what the last one found; the rows
// must be those a search from scratch finds, whatever the edit and whatever changed between.
void BillsModelTest::narrowingSearch()
{
    QFETCH(QStringList, steps);
    QFETCH(int, changeAfter);

    add(entry(30, local(2024, 3, 6, 12, 0), EntryKind::expense, u"餐饮"_s, u"Lunch"_s));
    const LedgerEntry lunchBox =
        add(entry(20, local(2024, 3, 6, 11, 0), EntryKind::expense, u"餐饮"_s, u"lunch box"_s));
    add(entry(5000, local(2024, 3, 5, 10, 0), EntryKind::income, u"工资"_s, u"LUCHS"_s));
    add(entry(8, local(2024, 3, 4, 10, 0), EntryKind::expense, u"Lunchbox"_s));
    const LedgerEntry bus = add(entry(9, local(2024, 3, 3, 10, 0), EntryKind::expense, u"交通"_s, u"Bus"_s));
    BillsLedger ledger(*m_store);
    BillsModel model(*m_store, ledger);

    for (int step = 0; step < steps.size(); ++step) {
        model.setSearchText(steps.at(step));
        const Shown expected = shownPlainly(*m_store, steps.at(step));
        const Shown actual = shownBy(model);
        QCOMPARE(actual.ids, expected.ids);
        QCOMPARE(actual.days, expected.days);
        QCOMPARE(actual.counts, expected.counts);
        QCOMPARE(actual.income, expected.income);
        QCOMPARE(actual.expense, expected.expense);
        if (step == changeAfter) {
            // Edits that move nothing: the same entries at the same places, found differently.
            LedgerEntry changed = lunchBox;
            changed.note = u"bus"_s;
            QVERIFY(m_store->update(changed));
            changed = bus;
            changed.note = u"LUNCH 新"_s;
            QVERIFY(m_store->update(changed));
        }
    }
}

PENNYLOOM_TEST(BillsModelTest)
#include "tst_BillsModel.moc"
