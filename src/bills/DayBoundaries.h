// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// The local day an instant falls on, as the bills list groups entries: its start and end in
// milliseconds since the epoch, and its start as a date and time. A day of a daylight-saving
// change is 23 or 25 hours long.
class DayBoundaries final {
public:
    struct Day {
        qint64 start = 0;
        qint64 end = 0;
        QDateTime day;
        bool holds(qint64 at) const { return start <= at && at < end; }
    };

    // The day of an instant (milliseconds since the epoch) in the system's time zone.
    static Day of(qint64 at);
};
