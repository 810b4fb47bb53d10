// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayBoundaries.h"

#include "model/LocalCalendar.h"

#include <QTimeZone>

#include <iterator>
#include <limits>

void DayBoundaries::beginWalk()
{
    const QByteArray current = QTimeZone::systemTimeZoneId();
    if (current != m_zone) {
        m_days.clear();
        m_zone = current;
    }
    m_walked.clear();
    m_walked.reserve(m_days.size() + 8);
    m_cursor = 0;
}

DayBoundaries::Day DayBoundaries::dayOf(qint64 at)
{
    while (m_cursor < m_days.size() && m_days[m_cursor].start > at)
        m_walked.push_back(std::move(m_days[m_cursor++]));
    if (m_cursor < m_days.size() && at < m_days[m_cursor].end) {
        m_walked.push_back(std::move(m_days[m_cursor++]));
        return m_walked.back();
    }
    const QDate date = QDateTime::fromMSecsSinceEpoch(at, Qt::LocalTime).date();
    Day day;
    day.day = LocalCalendar::startOfDay(date);
    if (!day.day.isValid()) {
        // An instant past what the calendar reaches is a day of its own, so the entries around
        // it still group by their days.
        day.start = at;
        day.end = at == std::numeric_limits<qint64>::max() ? at : at + 1;
        return day;
    }
    day.start = day.day.toMSecsSinceEpoch();
    const QDateTime next = LocalCalendar::startOfDay(date.addDays(1));
    day.end = next.isValid() ? next.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
    if (day.start <= at && at < day.end)
        m_walked.push_back(day);
    return day;
}

void DayBoundaries::endWalk()
{
    m_walked.insert(m_walked.end(),
                    std::make_move_iterator(m_days.begin() + static_cast<std::ptrdiff_t>(m_cursor)),
                    std::make_move_iterator(m_days.end()));
    std::swap(m_days, m_walked);
    m_walked.clear();
}
