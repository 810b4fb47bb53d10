// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Clock.h"

// A clock that says what it is told: every default date and every "today" of a test is fixed.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_now(std::move(at)) {}
    QDateTime currentDateTime() const override { return m_now; }
    void set(QDateTime at) { m_now = std::move(at); }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
