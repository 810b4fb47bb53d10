#include "ReceiptModel.h"

#include "model/Clock.h"
#include "model/DateText.h"
#include "model/LedgerSlice.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

ReceiptModel::ReceiptModel(ModelStore &store, QObject *parent)
    : QObject(parent), m_store(store), m_selectedDate(Clock::now())
{
    connect(&m_store, &ModelStore::entriesChanged, this, &ReceiptModel::rebuild);
    rebuild();
}

void ReceiptModel::setPeriod(ReceiptPeriod period)
{
    if (period == m_period)
        return;
    m_period = period;
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
    if (date == m_selectedDate || !date.isValid())
        return;
    m_selectedDate = date;
    rebuild();
}

void ReceiptModel::setSelectedDay(QDate day)
{
    if (day.isValid())
        setSelectedDate(LocalCalendar::onDay(m_selectedDate, day));
}

std::optional<DateInterval> ReceiptModel::intervalOf(ReceiptPeriod period, const QDateTime &selectedDate)
{
    if (!selectedDate.isValid())
        return std::nullopt;
    DateInterval interval;
    switch (period) {
    case ReceiptPeriod::day:
        interval = LocalCalendar::dayInterval(selectedDate);
        break;
    case ReceiptPeriod::week:
        interval = LocalCalendar::weekInterval(selectedDate);
        break;
    case ReceiptPeriod::month:
        interval = LocalCalendar::monthInterval(selectedDate);
        break;
    }
    if (!interval.start.isValid() || !interval.end.isValid())
        return std::nullopt;
    return interval;
}

QString ReceiptModel::rangeTextOf(ReceiptPeriod period, const QDateTime &selectedDate)
{
    switch (period) {
    case ReceiptPeriod::day:
        return DateText::longDate(selectedDate.toLocalTime().date());
    case ReceiptPeriod::week: {
        const std::optional<DateInterval> week = intervalOf(period, selectedDate);
        if (!week)
            return {};
        // The end is the first instant of the next week; the receipt names the week's last day.
        const QDate lastDay = week->end.toLocalTime().date().addDays(-1);
        return DateText::mediumDate(week->start.toLocalTime().date()) + u" - "_s +
               DateText::mediumDate(lastDay);
    }
    case ReceiptPeriod::month:
        break;
    }
    return DateText::displayMonth(selectedDate);
}

void ReceiptModel::rebuild()
{
    m_printedAt = Clock::now();
    ReceiptPaper paper;
    paper.kind = m_kind;
    paper.period = m_period;
    paper.rangeText = rangeTextOf(m_period, m_selectedDate);
    paper.printedText = DateText::numericDateShortTime(m_printedAt);
    if (const std::optional<DateInterval> span = interval()) {
        CategoryTotals::Ranking ranking =
            CategoryTotals::ranked(LedgerSlice::withinClosed(m_store.entries(), *span), m_kind);
        paper.total = ranking.kindSum;
        paper.count = ranking.kindCount;
        paper.rows = std::move(ranking.totals);
    }
    m_paper = std::move(paper);
    Q_EMIT changed();
}
