// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeriodModel.h"

#include "Clock.h"

PeriodModel::PeriodModel(const PeriodSelection::Rules &rules, PeriodChoice choice, QObject *parent)
    : QObject(parent), m_selection(rules, choice, Clock::now())
{
}

void PeriodModel::changeIf(bool changed)
{
    if (changed)
        periodChanged();
}

bool PeriodModel::changeChoice(PeriodChoice choice)
{
    const bool changed = m_selection.setChoice(choice);
    changeIf(changed);
    return changed;
}

void PeriodModel::setSelectedDate(const QDateTime &date)
{
    changeIf(m_selection.setDate(date));
}

void PeriodModel::setStartDate(const QDateTime &date)
{
    changeIf(m_selection.setStart(date));
}

void PeriodModel::setEndDate(const QDateTime &date)
{
    changeIf(m_selection.setEnd(date));
}

void PeriodModel::setSelectedDay(QDate day)
{
    changeIf(m_selection.setDay(day));
}

void PeriodModel::setStartDay(QDate day)
{
    changeIf(m_selection.setStartDay(day));
}

void PeriodModel::setEndDay(QDate day)
{
    changeIf(m_selection.setEndDay(day));
}
