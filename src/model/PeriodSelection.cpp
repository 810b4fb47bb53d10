// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeriodSelection.h"

QStringList PeriodSelection::Rules::titles() const
{
    QStringList result;
    for (const Option &option : options)
        result.append(option.title);
    return result;
}

QString PeriodSelection::Rules::title(PeriodChoice choice) const
{
    const int index = indexOf(choice);
    return index < 0 ? QString() : options.at(index).title;
}

int PeriodSelection::Rules::indexOf(PeriodChoice choice) const
{
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (options.at(i).choice == choice)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<PeriodChoice> PeriodSelection::Rules::choiceAt(int index) const
{
    if (index < 0 || index >= options.size())
        return std::nullopt;
    return options.at(index).choice;
}

PeriodSelection::PeriodSelection(Rules rules, PeriodChoice choice, const QDateTime &now)
    : m_rules(std::move(rules)), m_choice(choice), m_date(now), m_end(now)
{
    const QDateTime monthBefore = LocalCalendar::addMonths(now, -1);
    m_start = monthBefore.isValid() ? monthBefore : now;
}

bool PeriodSelection::setChoice(PeriodChoice choice)
{
    if (choice == m_choice || m_rules.indexOf(choice) < 0)
        return false;
    m_choice = choice;
    return true;
}

bool PeriodSelection::setDate(const QDateTime &date)
{
    if (!date.isValid() || date == m_date)
        return false;
    m_date = date;
    return true;
}

bool PeriodSelection::setDay(QDate day)
{
    return setDate(LocalCalendar::onDay(m_date, day));
}

bool PeriodSelection::setStart(const QDateTime &start)
{
    if (!start.isValid() || start == m_start)
        return false;
    m_start = start;
    m_end = bounded(m_end, true);
    return true;
}

bool PeriodSelection::setStartDay(QDate day)
{
    return setStart(LocalCalendar::onDay(m_start, day));
}

bool PeriodSelection::setEnd(const QDateTime &end)
{
    if (!end.isValid())
        return false;
    const QDateTime held = bounded(end, false);
    if (held == m_end)
        return false;
    m_end = held;
    return true;
}

bool PeriodSelection::setEndDay(QDate day)
{
    return setEnd(LocalCalendar::onDay(m_end, day));
}

bool PeriodSelection::setRange(const QDateTime &start, const QDateTime &end)
{
    if (!start.isValid() || !end.isValid() || (start == m_start && end == m_end))
        return false;
    m_start = start;
    m_end = bounded(end, false);
    return true;
}

QDateTime PeriodSelection::bounded(const QDateTime &end, bool startMoved) const
{
    const QDate first = LocalCalendar::localDate(m_start);
    if (LocalCalendar::localDate(end) >= first || (!startMoved && m_rules.earlyEnd == EarlyEnd::emptiesSpan))
        return end;
    return LocalCalendar::onDay(end, first);
}

PeriodSpan PeriodSelection::span() const
{
    switch (m_choice) {
    case PeriodChoice::all:
        break;
    case PeriodChoice::day:
        return {LocalCalendar::dayInterval(m_date), m_rules.dayEnd == DayEnd::included};
    case PeriodChoice::week:
        return {LocalCalendar::weekInterval(m_date), true};
    case PeriodChoice::month:
        return {LocalCalendar::monthInterval(m_date), true};
    case PeriodChoice::custom:
        return {LocalCalendar::dayRange(m_start, m_end), false};
    }
    return {};
}
