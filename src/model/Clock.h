// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

#include <memory>

// The one source of "now" for the whole program. Production code asks Clock::now(); tests
// install a fixed one so that every default date and every "today" is predictable.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime currentDateTime() const = 0;

    static QDateTime now();
    // Installs a clock for the whole process; nullptr restores the system clock.
    static void setInstance(std::shared_ptr<Clock> clock);
};
