// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CategoryTotals.h"
#include "model/LedgerEntry.h"
#include "model/LedgerSlice.h"
#include "model/PeriodModel.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>
#include <vector>

class DailyTotals;
class ModelStore;

// The figures of the statistics workspace: the entries of the chosen day, week, month or
// custom span, their income, expense and balance, and the expense of each category, largest
// first. Any change of the range, of a chosen date or of the store's entries recomputes every
// figure at once, from the store's totals per day; finding the span's entries is a binary
// search on the store's date-sorted entries.
class StatisticsModel final : public PeriodModel {
    Q_OBJECT

public:
    // How a summary figure is coloured.
    enum class Tone { income, expense, primary };
    struct Summary {
        QString title;
        double value = 0;
        Tone tone = Tone::primary;
    };

    StatisticsModel(ModelStore &store, DailyTotals &totals, QObject *parent = nullptr);

    // "按日", "本周", "本月" and "自定义". An end before the start covers nothing.
    static const PeriodSelection::Rules &rangeRules();
    PeriodChoice range() const { return selection().choice(); }
    void setRange(PeriodChoice range);

    // The span covered. Whole days (the day and the custom span) exclude their end; the
    // calendar's week and month include the first instant of the following week or month.
    DateInterval interval() const { return m_span.interval; }
    bool includesEnd() const { return m_span.includesEnd; }
    // The entries of the span, both kinds, newest first: a run of the store's entries.
    RecordRange<LedgerEntry> periodEntries() const;

    double income() const { return m_income; }
    double expense() const { return m_expense; }
    double balance() const { return m_income - m_expense; }
    // Expense per category, largest first; empty when the span holds no expense.
    const std::vector<CategoryTotal> &categories() const { return m_categories; }
    // The hues the chart's sectors are told apart by.
    static constexpr int hueCount = 12;
    // Each category's sector hue, 0 to hueCount - 1, in categories() order. Hues follow the
    // place in the ranking, not the category, so the same ranking is always drawn alike.
    const std::vector<int> &sectorHues() const { return m_sectorHues; }
    // The hues of a ring of that many sectors: all different up to hueCount sectors; past it
    // they start over, and no two neighbours share one, the last and the first included.
    static std::vector<int> huesFor(std::size_t sectors);
    // "收入", "支出" and "结余", in that order.
    std::array<Summary, 3> summaries() const;

Q_SIGNALS:
    void changed();

private:
    void recompute();
    void periodChanged() override { recompute(); }

    ModelStore &m_store;
    DailyTotals &m_totals;
    PeriodSpan m_span;
    LedgerSlice::Run m_period;
    double m_income = 0;
    double m_expense = 0;
    std::vector<CategoryTotal> m_categories;
    std::vector<int> m_sectorHues;
};
