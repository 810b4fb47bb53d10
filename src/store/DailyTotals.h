// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CategoryTotals.h"
#include "model/EntryKind.h"
#include "model/LocalCalendar.h"
#include "model/PeriodSelection.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <limits>
#include <vector>

class ModelStore;

// The store's entries summed per local day: per kind and per category of each kind, the sum
// and the count. A span of whole days is then summed over its days, at most a few hundred,
// instead of over its entries. Amounts are summed in whole cents, so a sum does not depend on
// the order it was taken in; what a file holds finer than a cent is kept apart as a fraction.
//
// One per store, kept by whoever holds the store and handed to the screens. Days are summed when a span first
// asks for them, not at open, and the days summed are one unbroken stretch of time that grows as spans ask.
// Every read first brings them in step with the store: after a change only the days between the records the
// change left in place are summed anew; a change of the time zone forgets every day.
class DailyTotals final : public QObject {
    Q_OBJECT

public:
    explicit DailyTotals(ModelStore &store);

    struct Sum {
        qint64 cents = 0;
        // The amounts that are no whole number of cents, summed as they are.
        double finer = 0;
        int count = 0;

        void add(double amount);
        void add(const Sum &other);
        double value() const { return static_cast<double>(cents) / 100 + finer; }
        friend bool operator==(const Sum &, const Sum &) = default;
    };
    struct CategorySum {
        QString category;
        EntryKind kind = EntryKind::expense;
        Sum sum;
        friend bool operator==(const CategorySum &, const CategorySum &) = default;
    };
    // What a span holds.
    struct Figures {
        // By kind: expense, then income.
        std::array<Sum, 2> kinds;
        // One per category of each kind, in the order the categories first appear among the
        // entries newest first.
        std::vector<CategorySum> categories;

        const Sum &of(EntryKind kind) const { return kinds[static_cast<std::size_t>(kind)]; }
        // The category's sum among the entries of the kind; empty when it has none.
        Sum of(const QString &category, EntryKind kind) const;
        // The categories of one kind largest first, as CategoryTotals::ranked gives them.
        CategoryTotals::Ranking ranked(EntryKind kind) const;
        friend bool operator==(const Figures &, const Figures &) = default;
    };

    // One local day's sums by kind, expense then income.
    struct DaySums {
        // The day's first instant, in milliseconds since the epoch.
        qint64 start = 0;
        std::array<Sum, 2> kinds;
        const Sum &of(EntryKind kind) const { return kinds[static_cast<std::size_t>(kind)]; }
    };
    // The days of [start, end) that hold entries, newest first, as within() sums them: a
    // calendar or a chart of months reads a year's days in one pass over the held days.
    // Bounds that are not first instants of days cut the days at them.
    std::vector<DaySums> days(const DateInterval &interval);

    // The entries with start <= date < end, and those exactly at end too when includesEnd.
    Figures within(const DateInterval &interval, bool includesEnd = false);
    Figures within(const PeriodSpan &span) { return within(span.interval, span.includesEnd); }
    // The same figures summed from the entries themselves, for spans whose bounds are not the
    // first instants of days, and for checking the days.
    Figures scanned(const DateInterval &interval, bool includesEnd = false) const;

private:
    // One local day [start, end), in milliseconds since the epoch.
    struct Day {
        qint64 start = 0;
        qint64 end = 0;
        std::array<Sum, 2> kinds;
        // By category number, in order of first appearance newest first.
        std::vector<std::pair<int, Sum>> categories;
    };
    // Beyond every instant, for sums open at either end.
    static constexpr qint64 before = std::numeric_limits<qint64>::min();
    static constexpr qint64 after = std::numeric_limits<qint64>::max();

    void bringInStep();
    void forget();
    // Sums the days of [from, to) not summed yet, keeping the summed stretch unbroken.
    void cover(qint64 from, qint64 to);
    static bool isDayStart(qint64 at);
    // Sums the entries with from <= date < to into days, replacing the days held there.
    void sumDays(qint64 from, qint64 to);
    // The number of a category of a kind, made on first sight.
    int numberOf(const QString &category, EntryKind kind);
    void addInto(Figures &figures, std::vector<int> &slots, int number, const Sum &sum) const;

    ModelStore &m_store;
    // The stretch [m_from, m_to) whose days are summed; empty when m_from == m_to.
    qint64 m_from = 0;
    qint64 m_to = 0;
    quint64 m_changes = 0;
    QByteArray m_zone;
    // Newest first, like the entries; days without entries are not held.
    std::vector<Day> m_days;
    // Category numbers by kind, and the category and kind of each number.
    std::array<QHash<QString, int>, 2> m_numbers;
    std::vector<std::pair<QString, EntryKind>> m_categories;
    // Equal texts read from the store share their characters, so the address of a category's
    // characters finds its number without hashing the text.
    struct Known {
        const QChar *characters = nullptr;
        qsizetype size = 0;
        EntryKind kind = EntryKind::expense;
        int number = 0;
    };
    std::vector<Known> m_known;
};
