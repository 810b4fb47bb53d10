// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/LocalCalendar.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Spans of the weeks around the spring and autumn clock changes of Berlin and New York.
const QDate firstDay(2024, 3, 4);
const QDate lastDay(2024, 4, 6);

struct Span {
    DateInterval interval;
    bool includesEnd = false;
};

// A day, week, month or run of whole days within the weeks, as the screens cut them.
Span randomSpan(QRandomGenerator &random)
{
    const QDate day = firstDay.addDays(random.bounded(static_cast<int>(firstDay.daysTo(lastDay)) + 1));
    const QDateTime noon = LocalCalendar::startOfDay(day).addSecs(12 * 3600);
    switch (random.bounded(4)) {
    case 0:
        return {LocalCalendar::dayInterval(noon), random.bounded(2) == 0};
    case 1:
        return {LocalCalendar::weekInterval(noon), true};
    case 2:
        return {LocalCalendar::monthInterval(noon), true};
    default:
        return {LocalCalendar::wholeDays(day, day.addDays(random.bounded(12))), false};
    }
}

// Mostly whole cents, now and then an amount a file may hold finer than a cent.
LedgerEntry randomEntry(QRandomGenerator &random)
{
    const QDate day = firstDay.addDays(random.bounded(static_cast<int>(firstDay.daysTo(lastDay)) + 1));
    QDateTime date = LocalCalendar::startOfDay(day);
    // A third at the very first instant of a day, the edge every span is cut at.
    if (random.bounded(3) != 0)
        date = date.addMSecs(random.bounded(24 * 3600 * 1000));
    const double amount = random.bounded(10) == 0 ? random.bounded(1000) / 1000.0 + 0.0005
                                                  : (1 + random.bounded(50000)) / 100.0;
    static const QStringList categories{u"餐饮"_s, u"交通"_s, u"红包"_s, u"猫粮"_s};
    return LedgerEntry(amount, date, random.bounded(3) == 0 ? EntryKind::income : EntryKind::expense,
                       categories.at(random.bounded(static_cast<int>(categories.size()))));
}

// What a span holds, summed by a plain loop over every entry in doubles: none of the totals' own
// code (days, cents, category numbers) takes part.
struct PlainSum {
    double amount = 0;
    int count = 0;
};
struct PlainFigures {
    PlainSum kinds[2];
    // Each category of each kind in the order first met among the entries newest first.
    std::vector<std::pair<std::pair<QString, EntryKind>, PlainSum>> categories;
};

PlainFigures plainFigures(const ModelStore &store, const Span &span)
{
    PlainFigures figures;
    for (const LedgerEntry &entry : store.entries()) {
        const bool inside =
            span.includesEnd ? span.interval.containsClosed(entry.date) : span.interval.contains(entry.date);
        if (!inside)
            continue;
        PlainSum &kind = figures.kinds[entry.kind() == EntryKind::income ? 1 : 0];
        kind.amount += entry.amount;
        ++kind.count;
        const std::pair<QString, EntryKind> key{entry.category, entry.kind()};
        auto found = std::find_if(figures.categories.begin(), figures.categories.end(),
                                  [&](const auto &held) { return held.first == key; });
        if (found == figures.categories.end())
            found = figures.categories.insert(found, {key, PlainSum()});
        found->second.amount += entry.amount;
        ++found->second.count;
    }
    return figures;
}

// Summed in another order, the doubles may differ from the exact sum in their last bits only.
bool same(const DailyTotals::Sum &found, const PlainSum &expected)
{
    return found.count == expected.count && std::abs(found.value() - expected.amount) < 1e-6;
}

void compare(const DailyTotals::Figures &found, const PlainFigures &expected, const char *what)
{
    QVERIFY2(same(found.kinds[0], expected.kinds[0]) && same(found.kinds[1], expected.kinds[1]), what);
    QCOMPARE(found.categories.size(), expected.categories.size());
    for (std::size_t i = 0; i < found.categories.size(); ++i) {
        QCOMPARE(found.categories[i].category, expected.categories[i].first.first);
        QVERIFY(found.categories[i].kind == expected.categories[i].first.second);
        QVERIFY2(same(found.categories[i].sum, expected.categories[i].second), what);
    }
}

} // namespace

class DailyTotalsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void followsChanges_data();
    void followsChanges();
};

void DailyTotalsTest::followsChanges_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QByteArray>("laterZone");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("Shanghai") << QByteArray("Asia/Shanghai") << QByteArray("Europe/Berlin") << 7u;
    QTest::newRow("Berlin") << QByteArray("Europe/Berlin") << QByteArray("America/New_York") << 11u;
    QTest::newRow("New York") << QByteArray("America/New_York") << QByteArray("Asia/Shanghai") << 23u;
}

// Random inserts, deletes and changes through the store, each followed by the figures of random
// spans: the days kept in step must give what the entries give, and what the same file gives
// once opened again.
void DailyTotalsTest::followsChanges()
{
    QFETCH(QByteArray, zone);
    QFETCH(QByteArray, laterZone);
    QFETCH(quint32, seed);

    const TestSupport::ScopedTimeZone timeZone(zone);
    QRandomGenerator random(seed);
    QTemporaryDir dir;
    std::unique_ptr<ModelStore> store = TestSupport::openStore(dir);
    QVERIFY(store);
    auto owned = std::make_unique<DailyTotals>(*store);
    DailyTotals &totals = *owned;

    std::vector<Span> spans;
    for (int i = 0; i < 12; ++i)
        spans.push_back(randomSpan(random));
    const auto check = [&](DailyTotals &days, const char *what) {
        for (const Span &span : spans) {
            compare(days.within(span.interval, span.includesEnd), plainFigures(*store, span), what);
            // The scan the screens use for spans cut within a day agrees as well.
            compare(days.scanned(span.interval, span.includesEnd), plainFigures(*store, span), what);
        }
    };

    for (int step = 0; step < 220; ++step) {
        const auto &entries = store->entries();
        const int choice = entries.empty() ? 0 : random.bounded(5);
        if (choice <= 1) {
            QVERIFY(store->insert(randomEntry(random)));
        } else if (choice == 2) {
            QVERIFY(store->remove<LedgerEntry>(entries[random.bounded(int(entries.size()))].id));
        } else {
            // Moved to another day, or another amount, kind and category on its day.
            LedgerEntry changed = entries[random.bounded(int(entries.size()))];
            const LedgerEntry other = randomEntry(random);
            if (choice == 3)
                changed.date = other.date;
            changed.amount = other.amount;
            changed.kindRaw = other.kindRaw;
            changed.category = other.category;
            QVERIFY(store->update(changed));
        }
        // Once, more changes between two reads than the store can say of.
        if (step >= 100 && step < 170)
            continue;
        const Span span = spans[random.bounded(int(spans.size()))];
        compare(totals.within(span.interval, span.includesEnd), plainFigures(*store, span), "after a change");
        if (QTest::currentTestFailed())
            return;
    }
    check(totals, "kept in step");

    // The days of another zone are other days.
    {
        const TestSupport::ScopedTimeZone later(laterZone);
        const std::vector<Span> kept = std::exchange(spans, {});
        for (int i = 0; i < 6; ++i)
            spans.push_back(randomSpan(random));
        check(totals, "in another zone");
        spans = kept;
    }
    check(totals, "back in the first zone");

    std::vector<DailyTotals::Figures> held;
    for (const Span &span : spans)
        held.push_back(totals.within(span.interval, span.includesEnd));
    owned.reset();
    store.reset();
    store = TestSupport::openStore(dir);
    QVERIFY(store);
    DailyTotals reopened(*store);
    for (std::size_t i = 0; i < spans.size(); ++i)
        QVERIFY(reopened.within(spans[i].interval, spans[i].includesEnd) == held[i]);
}

PENNYLOOM_TEST(DailyTotalsTest)
#include "tst_DailyTotals.moc"
