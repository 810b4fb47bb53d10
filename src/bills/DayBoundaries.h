// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>

#include <vector>

// The days met by the last walk over the entries, newest first. Walks come back to the same
// days keystroke after keystroke, so a day's bounds are asked of the calendar once, not on
// every walk. The bounds hold for one time zone; a change of zone starts afresh.
class DayBoundaries final {
public:
    struct Day {
        qint64 start = 0;
        qint64 end = 0;
        QDateTime day;
    };

    void beginWalk();
    // The day of an instant (milliseconds since the epoch), asked newest first and once
    // per day within a walk.
    Day dayOf(qint64 at);
    void endWalk();

private:
    std::vector<Day> m_days;
    QByteArray m_zone;
    std::vector<Day> m_walked;
    size_t m_cursor = 0;
};
