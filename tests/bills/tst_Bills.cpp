#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "bills/BillsDelegate.h"
#include "bills/BillsListModel.h"
#include "bills/BillsModel.h"
#include "bills/BillsView.h"
#include "entry/AddEntryView.h"
#include "entry/EditEntryView.h"
#include "model/EntryText.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"
#include "ui/EntryRow.h"
#include "ui/SegmentedControl.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

QDateTime fixedNow()
{
    return local(2024, 4, 10, 12, 0);
}

LedgerEntry entry(double amount, const QDateTime &date, EntryKind kind, const QString &category,
                  const QString &note = {})
{
    return LedgerEntry(amount, date, kind, category, note);
}

QStringList notesOf(const BillsModel &model)
{
    QStringList notes;
    for (int i = 0; i < static_cast<int>(model.filtered().size()); ++i)
        notes.append(model.filteredEntry(i).note);
    return notes;
}

QList<QDate> groupDays(const BillsModel &model)
{
    QList<QDate> days;
    for (const BillsModel::DayGroup &group : model.groups())
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

Shown shownPlainly(const ModelStore &store, const QString &search)
{
    Shown shown;
    for (const LedgerEntry &e : store.entries()) {
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
    for (int i = 0; i < static_cast<int>(model.filtered().size()); ++i)
        shown.ids.append(model.filteredEntry(i).id);
    for (const BillsModel::DayGroup &group : model.groups()) {
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
    BillsModel model(*m_store);
    QVERIFY(model.dateMode() == DateFilterMode::all);
    QCOMPARE(model.startDate(), start);
    QCOMPARE(model.endDate(), now);
    QVERIFY(DateFilterModes::fromRaw(u"自定义日期"_s) == DateFilterMode::custom);
    QVERIFY(!DateFilterModes::fromRaw(u"全部"_s));
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
    BillsModel model(*m_store);
    QSignalSpy recomputed(&model, &BillsModel::recomputed);
    model.setStartDay(start);
    model.setEndDay(end);
    QCOMPARE(recomputed.count(), 0); // the days do not matter while every entry is listed
    QCOMPARE(model.filtered().size(), size_t(1));

    model.setDateMode(DateFilterMode::custom);
    QCOMPARE(model.dateFiltered().size(), size_t(shown ? 1 : 0));
    QCOMPARE(model.filtered().size(), size_t(shown ? 1 : 0));
    QCOMPARE(model.groups().size(), size_t(shown ? 1 : 0));
    QCOMPARE(model.totals().expense, shown ? 10.0 : 0.0);
}

void BillsModelTest::switchingBackToAllKeepsDays()
{
    add(entry(1, local(2024, 1, 5, 9, 0), EntryKind::expense, u"餐饮"_s, u"一月"_s));
    add(entry(2, local(2024, 3, 5, 9, 0), EntryKind::expense, u"餐饮"_s, u"三月"_s));
    BillsModel model(*m_store);
    model.setDateMode(DateFilterMode::custom);
    model.setStartDay({2024, 3, 1});
    model.setEndDay({2024, 3, 31});
    QCOMPARE(notesOf(model), QStringList{u"三月"_s});

    model.setDateMode(DateFilterMode::all);
    QCOMPARE(notesOf(model), (QStringList{u"三月"_s, u"一月"_s}));
    QCOMPARE(model.startDate().date(), QDate(2024, 3, 1));
    model.setDateMode(DateFilterMode::custom);
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
    BillsModel model(*m_store);

    model.setSearchText(text);
    QCOMPARE(notesOf(model), notes);
    QCOMPARE(model.totals().income, income);
    QCOMPARE(model.totals().expense, expense);
    double groupSums = 0;
    int grouped = 0;
    for (const BillsModel::DayGroup &group : model.groups()) {
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
    BillsModel model(*m_store);

    QCOMPARE(groupDays(model), (QList<QDate>{{2024, 3, 6}, {2024, 3, 5}}));
    QCOMPARE(model.groups()[1].day, local(2024, 3, 5));
    QCOMPARE(notesOf(model), (QStringList{u"次日"_s, u"晚"_s, u"午"_s, u"早"_s}));
    QList<QString> secondDay;
    for (const LedgerEntry &e : model.dayEntries(1))
        secondDay.append(e.note);
    QCOMPARE(secondDay, (QList<QString>{u"晚"_s, u"午"_s, u"早"_s}));
    QCOMPARE(model.groups()[1].expense, 5.0);
    QCOMPARE(model.groups()[1].income, 8.0);
    QCOMPARE(model.groups()[0].income, 2.0);
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
    BillsModel model(*m_store);

    LedgerEntry changed = *m_store->find<LedgerEntry>(edited.id);
    changed.date = date;
    changed.kindRaw = EntryKinds::rawText(income ? EntryKind::income : EntryKind::expense);
    QVERIFY(m_store->update(changed));

    QCOMPARE(groupDays(model), days);
    QList<double> shownExpenses;
    QList<double> shownIncomes;
    for (const BillsModel::DayGroup &group : model.groups()) {
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
    BillsModel model(*m_store);

    QCOMPARE(groupDays(model), (QList<QDate>{day.addDays(1), day, day.addDays(-1)}));
    const BillsModel::DayGroup &changeDay = model.groups()[1];
    QCOMPARE(changeDay.day, day.startOfDay());
    QCOMPARE(changeDay.count, 2);
    QCOMPARE(changeDay.expense, 6.0);

    model.setDateMode(DateFilterMode::custom);
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
    BillsModel model(*m_store);
    model.setDateMode(DateFilterMode::custom);
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
    BillsModel model(*m_store);
    QCOMPARE(groupDays(model), (QList<QDate>{{2024, 3, 6}, {2024, 3, 5}}));

    const TestSupport::ScopedTimeZone newYork("America/New_York");
    model.recompute();
    QCOMPARE(groupDays(model), QList<QDate>{QDate(2024, 3, 5)});
    QCOMPARE(model.groups()[0].day, QDate(2024, 3, 5).startOfDay());
    QCOMPARE(model.groups()[0].count, 2);
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
    BillsModel model(*m_store);
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
    QCOMPARE(model.filtered().size(), size_t(confirm ? 1 : 2));

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
    BillsModel model(*m_store);
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
    BillsModel model(*m_store);

    for (int step = 0; step < 60; ++step) {
        const std::vector<LedgerEntry> &stored = m_store->entries();
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

class BillsListModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(fixedNow())); }
    void cleanup() { closeStore(); }

    void rowsFollowTheModel();
};

void BillsListModelTest::rowsFollowTheModel()
{
    const LedgerEntry lunch =
        add(entry(32, local(2024, 3, 6, 12, 0), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
    add(entry(5000, local(2024, 3, 6, 9, 0), EntryKind::income, u"工资"_s));
    add(entry(6, local(2024, 3, 5, 8, 0), EntryKind::expense, u"交通"_s, u"地铁"_s));
    BillsModel bills(*m_store);
    BillsListModel list(bills);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(list.rowCount(), 5);
    const auto text = [&](int row) { return list.index(row).data(Qt::AccessibleTextRole).toString(); };
    QCOMPARE(text(0), u"3月6日 星期三，支出 ¥32.00，收入 ¥5,000.00"_s);
    QCOMPARE(text(1), EntryText::accessible(lunch));
    QCOMPARE(list.index(1).data(Qt::DisplayRole).toString(), text(1));
    QCOMPARE(text(3), u"3月5日 星期二，支出 ¥6.00，收入 ¥0.00"_s);
    QCOMPARE(list.index(4).data(BillsListModel::PositionInDayRole).toInt(), 0);
    QCOMPARE(list.index(4).data(BillsListModel::GroupRole).toInt(), 1);
    QCOMPARE(list.index(1).data(BillsListModel::EntryIdRole).toUuid(), lunch.id);
    QVERIFY(!list.flags(list.index(0)).testFlag(Qt::ItemIsSelectable));
    QVERIFY(list.flags(list.index(1)).testFlag(Qt::ItemIsSelectable));
    QCOMPARE(list.indexOfEntry(lunch.id), list.index(1));

    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    bills.setSearchText(u"地铁"_s);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(list.rowCount(), 2);
    QCOMPARE(text(0), u"3月5日 星期二，支出 ¥6.00，收入 ¥0.00"_s);
    QVERIFY(!list.indexOfEntry(lunch.id).isValid());

    bills.setSearchText(QString());
    add(entry(1, local(2024, 3, 7, 8, 0), EntryKind::expense, u"餐饮"_s));
    QVERIFY(m_store->remove<LedgerEntry>(lunch.id));
    QCOMPARE(list.rowCount(), 6);
    QCOMPARE(text(2), u"3月6日 星期三，支出 ¥0.00，收入 ¥5,000.00"_s);
}

class BillsViewTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void searchAndTotals();
    void customRange();
    void askBeforeDeleting_data();
    void askBeforeDeleting();
    void deleteKeyDeletesAtOnce();
    void clickEditsEntry();
    void addButtonOpensForm();
    void closesWithSheetsOpen();

private:
    QRect rowRect(const QUuid &id) const;
    void clickTrash(const QUuid &id);
    void openContextMenu(const QUuid &id);

    std::unique_ptr<BillsView> m_view;
    LedgerEntry m_lunch;
    LedgerEntry m_salary;
    LedgerEntry m_metro;
};

void BillsViewTest::init()
{
    QVERIFY(openStore(fixedNow()));
    m_lunch = add(entry(32, local(2024, 4, 9, 12, 10), EntryKind::expense, u"餐饮"_s, u"午饭"_s));
    m_salary = add(entry(8000, local(2024, 4, 9, 9, 0), EntryKind::income, u"工资"_s));
    m_metro = add(entry(6, local(2024, 4, 8, 8, 30), EntryKind::expense, u"交通"_s, u"地铁"_s));
    add(entry(268, local(2024, 4, 8, 19, 45), EntryKind::expense, u"购物"_s, u"ABC 超市"_s));
    add(entry(45.5, local(2024, 3, 30, 20, 0), EntryKind::expense, u"餐饮"_s, u"和同事聚餐"_s));
    add(entry(200, local(2024, 3, 28, 18, 0), EntryKind::income, u"红包"_s));
    add(entry(15, local(2024, 2, 14, 10, 0), EntryKind::expense, u"娱乐"_s, u"电影"_s));
    m_view = std::make_unique<BillsView>(*m_store);
    m_view->resize(960, 720);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void BillsViewTest::cleanup()
{
    m_view.reset();
    closeStore();
}

QRect BillsViewTest::rowRect(const QUuid &id) const
{
    const QModelIndex index = m_view->listModel()->indexOfEntry(id);
    m_view->listView()->scrollTo(index);
    return m_view->listView()->visualRect(index);
}

void BillsViewTest::clickTrash(const QUuid &id)
{
    QTest::mouseClick(m_view->listView()->viewport(), Qt::LeftButton, {},
                      BillsDelegate::trashRect(rowRect(id)).center());
}

void BillsViewTest::openContextMenu(const QUuid &id)
{
    const QPoint at = rowRect(id).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, m_view->listView()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m_view->listView()->viewport(), &event);
}

void BillsViewTest::searchAndTotals()
{
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥8,200.00"_s);
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥366.50"_s);
    QCOMPARE(m_view->balanceTotal()->text(), u"结余 ¥7,833.50"_s);
    QCOMPARE(m_view->listModel()->rowCount(), 7 + 5);
    TestSupport::screenshot(m_view.get(), u"bills-days"_s);

    QCOMPARE(m_view->searchField()->placeholderText(), u"搜索分类、备注或类型"_s);
    m_view->searchField()->setFocus();
    TestSupport::typeText(m_view->searchField(), u"餐"_s);
    QCOMPARE(m_view->model().searchText(), u"餐"_s);
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥0.00"_s);
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥77.50"_s);
    QCOMPARE(m_view->balanceTotal()->text(), u"结余 -¥77.50"_s);
    QCOMPARE(m_view->listModel()->index(0).data().toString(), u"4月9日 星期二，支出 ¥32.00，收入 ¥0.00"_s);
    QCOMPARE(m_view->listModel()->rowCount(), 4);
    TestSupport::screenshot(m_view.get(), u"bills-search"_s);

    // A new entry that matches shows up at once, in its day and in the totals.
    add(entry(18, local(2024, 4, 9, 18, 0), EntryKind::expense, u"餐饮"_s, u"晚饭"_s));
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥95.50"_s);
    QCOMPARE(m_view->listModel()->index(0).data().toString(), u"4月9日 星期二，支出 ¥50.00，收入 ¥0.00"_s);
}

void BillsViewTest::customRange()
{
    QVERIFY(!m_view->customRange()->isVisible());
    QPushButton *custom = nullptr;
    for (QPushButton *button : m_view->dateModeControl()->findChildren<QPushButton *>()) {
        if (button->text() == u"自定义日期"_s)
            custom = button;
    }
    QVERIFY(custom);
    QTest::mouseClick(custom, Qt::LeftButton);
    QVERIFY(m_view->model().dateMode() == DateFilterMode::custom);
    QVERIFY(m_view->customRange()->isVisible());
    QCOMPARE(m_view->startPicker()->date(), QDate(2024, 3, 10));
    QCOMPARE(m_view->endPicker()->date(), QDate(2024, 4, 10));
    QCOMPARE(m_view->endPicker()->minimumDate(), QDate(2024, 3, 10));
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥8,200.00"_s);
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥351.50"_s);

    m_view->startPicker()->setDate({2024, 3, 29});
    m_view->endPicker()->setDate({2024, 4, 8});
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥319.50"_s);
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥0.00"_s);
    TestSupport::screenshot(m_view.get(), u"bills-custom"_s);

    // The end picker offers no day before the start: a later start takes the end along.
    m_view->startPicker()->setDate({2024, 4, 9});
    QCOMPARE(m_view->endPicker()->minimumDate(), QDate(2024, 4, 9));
    QCOMPARE(m_view->model().endDate().date(), QDate(2024, 4, 9));
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥32.00"_s);

    QTest::mouseClick(m_view->dateModeControl()->findChildren<QPushButton *>().first(), Qt::LeftButton);
    QVERIFY(!m_view->customRange()->isVisible());
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥366.50"_s);
}

void BillsViewTest::askBeforeDeleting_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");

    QTest::newRow("trash, 删除") << false << u"删除"_s << true;
    QTest::newRow("trash, 取消") << false << u"取消"_s << false;
    QTest::newRow("trash, Escape") << false << QString() << false;
    QTest::newRow("删除账单, 删除") << true << u"删除"_s << true;
    QTest::newRow("删除账单, 取消") << true << u"取消"_s << false;
}

void BillsViewTest::askBeforeDeleting()
{
    QFETCH(bool, fromMenu);
    QFETCH(QString, answer);
    QFETCH(bool, deleted);

    if (fromMenu) {
        openContextMenu(m_metro.id);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QAction *remove = menu->actions().first();
        QCOMPARE(remove->text(), u"删除账单"_s);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(remove).center());
    } else {
        clickTrash(m_metro.id);
    }
    QMessageBox *alert = m_view->deletionAlert();
    QVERIFY(alert);
    QVERIFY(QTest::qWaitForWindowExposed(alert));
    QVERIFY(!m_view->editSheet());
    QCOMPARE(m_view->model().pendingDeletion()->id, m_metro.id);
    QCOMPARE(alert->text(), u"删除这笔账单？"_s);
    QCOMPARE(alert->informativeText(), u"删除后无法从应用内恢复。"_s);
    QCOMPARE(alert->buttons().size(), 2);
    QVERIFY(m_store->find<LedgerEntry>(m_metro.id));
    TestSupport::screenshot(alert, u"bills-delete-alert"_s);

    QAbstractButton *chosen = nullptr;
    for (QAbstractButton *button : alert->buttons()) {
        if (button->text() == answer)
            chosen = button;
    }
    if (answer == u"删除"_s)
        QCOMPARE(alert->buttonRole(chosen), QMessageBox::DestructiveRole);
    if (chosen)
        QTest::mouseClick(chosen, Qt::LeftButton);
    else
        QTest::keyClick(alert, Qt::Key_Escape);
    QTRY_VERIFY(!m_view->deletionAlert());
    QVERIFY(!m_view->model().pendingDeletion());

    QCOMPARE(m_store->find<LedgerEntry>(m_metro.id) == nullptr, deleted);
    QCOMPARE(m_view->listModel()->indexOfEntry(m_metro.id).isValid(), !deleted);
    QCOMPARE(m_view->expenseTotal()->text(), deleted ? u"支出 ¥360.50"_s : u"支出 ¥366.50"_s);
    m_store.reset();
    m_store = TestSupport::openStore(*m_dir);
    QCOMPARE(m_store->find<LedgerEntry>(m_metro.id) == nullptr, deleted);
    m_view.reset();
}

void BillsViewTest::deleteKeyDeletesAtOnce()
{
    QListView *list = m_view->listView();
    list->setFocus();
    list->setCurrentIndex(m_view->listModel()->indexOfEntry(m_salary.id));
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_store->find<LedgerEntry>(m_salary.id));
    QVERIFY(!m_view->deletionAlert());
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥200.00"_s);

    // On a day header the key does nothing.
    list->setCurrentIndex(m_view->listModel()->index(0));
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(changed.count(), 1);
}

void BillsViewTest::clickEditsEntry()
{
    QTest::mouseClick(m_view->listView()->viewport(), Qt::LeftButton, {}, rowRect(m_lunch.id).center());
    EditEntryView *sheet = m_view->editSheet();
    QVERIFY(sheet);
    QVERIFY(QTest::qWaitForWindowExposed(sheet));
    QCOMPARE(m_view->model().editingEntry()->id, m_lunch.id);
    QCOMPARE(sheet->amountField()->text(), u"32.00"_s);

    // To income: its amount moves from the day's expense sum to its income sum.
    for (QPushButton *button : sheet->kindControl()->findChildren<QPushButton *>()) {
        if (button->text() == u"收入"_s)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
    QTRY_VERIFY(!m_view->editSheet());
    QVERIFY(!m_view->model().editingEntry());
    QCOMPARE(m_store->find<LedgerEntry>(m_lunch.id)->kindRaw, u"收入"_s);
    QCOMPARE(m_view->listModel()->index(0).data().toString(), u"4月9日 星期二，支出 ¥0.00，收入 ¥8,032.00"_s);
    QCOMPARE(m_view->incomeTotal()->text(), u"收入 ¥8,232.00"_s);
}

void BillsViewTest::addButtonOpensForm()
{
    QCOMPARE(m_view->addButton()->text(), u"记一笔"_s);
    QTest::mouseClick(m_view->addButton(), Qt::LeftButton);
    AddEntryView *sheet = m_view->addSheet();
    QVERIFY(sheet);
    QVERIFY(QTest::qWaitForWindowExposed(sheet));
    QVERIFY(m_view->model().showingAdd());
    TestSupport::typeText(sheet->amountField(), u"9.9"_s);
    QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
    QTRY_VERIFY(!m_view->addSheet());
    QVERIFY(!m_view->model().showingAdd());
    QCOMPARE(m_store->entries().size(), size_t(8));
    QCOMPARE(m_view->expenseTotal()->text(), u"支出 ¥376.40"_s);
}

// Leaving the screen (or quitting) while a sheet or the alert is open closes them quietly.
void BillsViewTest::closesWithSheetsOpen()
{
    QTest::mouseClick(m_view->listView()->viewport(), Qt::LeftButton, {}, rowRect(m_lunch.id).center());
    QVERIFY(m_view->editSheet());
    m_view->model().setPendingDeletion(m_metro);
    m_view->model().setShowingAdd(true);
    QVERIFY(m_view->deletionAlert());
    QVERIFY(m_view->addSheet());
    QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
    m_view.reset();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_store->entries().size(), size_t(7));
}

PENNYLOOM_TEST(BillsModelTest)
PENNYLOOM_TEST(BillsListModelTest)
PENNYLOOM_TEST(BillsViewTest)

#include "tst_Bills.moc"
