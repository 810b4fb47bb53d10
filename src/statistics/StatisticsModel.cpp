// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatisticsModel.h"

#include "store/DailyTotals.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

const PeriodSelection::Rules &StatisticsModel::rangeRules()
{
    static const PeriodSelection::Rules rules{{{PeriodChoice::day, u"按日"_s},
                                               {PeriodChoice::week, u"本周"_s},
                                               {PeriodChoice::month, u"本月"_s},
                                               {PeriodChoice::custom, u"自定义"_s}},
                                              PeriodSelection::DayEnd::excluded,
                                              PeriodSelection::EarlyEnd::emptiesSpan};
    return rules;
}

StatisticsModel::StatisticsModel(ModelStore &store, DailyTotals &totals, QObject *parent)
    : PeriodModel(rangeRules(), PeriodChoice::month, parent), m_store(store), m_totals(totals)
{
    connect(&m_store, &ModelStore::entriesChanged, this, &StatisticsModel::recompute);
    recompute();
}

void StatisticsModel::setRange(PeriodChoice range)
{
    changeChoice(range);
}

void StatisticsModel::recompute()
{
    const RecordRange<LedgerEntry> entries = m_store.entries();
    m_span = selection().span();
    // The entries are only found here, for the list; the figures come from the days' totals.
    m_period = LedgerSlice::Run::of(entries, LedgerSlice::within(entries, m_span));

    CategoryTotals::Ranking ranking = m_totals.within(m_span).ranked(EntryKind::expense);
    m_income = ranking.otherSum;
    m_expense = ranking.kindSum;
    m_categories = std::move(ranking.totals);
    m_sectorHues = huesFor(m_categories.size());
    Q_EMIT changed();
}

std::vector<int> StatisticsModel::huesFor(std::size_t sectors)
{
    std::vector<int> hues;
    hues.reserve(sectors);
    for (std::size_t i = 0; i < sectors; ++i)
        hues.push_back(int(i % hueCount));
    // The ring closes on the first sector: when counting on would give the last one the
    // first one's hue, it takes the lowest hue neither of its neighbours has.
    if (sectors > 2 && hues.back() == hues.front()) {
        const int before = hues[sectors - 2];
        int hue = 0;
        while (hue == before || hue == hues.front())
            ++hue;
        hues.back() = hue;
    }
    return hues;
}

RecordRange<LedgerEntry> StatisticsModel::periodEntries() const
{
    return m_period.in(m_store.entries());
}

std::array<StatisticsModel::Summary, 3> StatisticsModel::summaries() const
{
    return {{{u"收入"_s, m_income, Tone::income},
             {u"支出"_s, m_expense, Tone::expense},
             {u"结余"_s, balance(), Tone::primary}}};
}
