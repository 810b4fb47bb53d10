// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReceiptModel.h"

#include "model/Clock.h"
#include "model/DateText.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

const PeriodSelection::Rules &ReceiptModel::periodRules()
{
    static const PeriodSelection::Rules rules{
        {{PeriodChoice::day, u"日"_s}, {PeriodChoice::week, u"周"_s}, {PeriodChoice::month, u"月"_s}},
        PeriodSelection::DayEnd::included,
        PeriodSelection::EarlyEnd::emptiesSpan};
    return rules;
}

ReceiptModel::ReceiptModel(ModelStore &store, DailyTotals &totals, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_totals(totals)
    , m_period(periodRules(), PeriodChoice::day, Clock::now())
{
    connect(&m_store, &ModelStore::entriesChanged, this, &ReceiptModel::rebuild);
    rebuild();
}

void ReceiptModel::setPeriod(PeriodChoice period)
{
    if (m_period.setChoice(period))
        rebuild();
}

void ReceiptModel::setKind(EntryKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    rebuild();
}

void ReceiptModel::setSelectedDate(const QDateTime &date)
{
    if (m_period.setDate(date))
        rebuild();
}

void ReceiptModel::setSelectedDay(QDate day)
{
    if (m_period.setDay(day))
        rebuild();
}

std::optional<DateInterval> ReceiptModel::interval() const
{
    const PeriodSpan span = m_period.span();
    if (!span.isValid())
        return std::nullopt;
    return span.interval;
}

QString ReceiptModel::rangeTextOf(const PeriodSelection &period)
{
    const QDateTime &selectedDate = period.date();
    switch (period.choice()) {
    case PeriodChoice::day:
        return DateText::longDate(LocalCalendar::localDate(selectedDate));
    case PeriodChoice::week: {
        const PeriodSpan week = period.span();
        if (!week.isValid())
            return {};
        return DateText::mediumDate(week.firstDay()) + u" - "_s + DateText::mediumDate(week.lastDay());
    }
    case PeriodChoice::all:
    case PeriodChoice::month:
    case PeriodChoice::custom:
        break;
    }
    return DateText::displayMonth(selectedDate);
}

void ReceiptModel::rebuild()
{
    m_printedAt = Clock::now();
    ReceiptPaper paper;
    paper.kind = m_kind;
    paper.period = m_period.choice();
    paper.rangeText = rangeTextOf(m_period);
    paper.printedText = DateText::numericDateShortTime(m_printedAt);
    if (const PeriodSpan span = m_period.span(); span.isValid()) {
        CategoryTotals::Ranking ranking = m_totals.within(span).ranked(m_kind);
        paper.total = ranking.kindSum;
        paper.count = ranking.kindCount;
        paper.rows = std::move(ranking.totals);
    }
    m_paper = std::move(paper);
    Q_EMIT changed();
}
