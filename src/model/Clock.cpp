// SPDX-License-Identifier: GPL-3.0-or-later
#include "Clock.h"

namespace {

class SystemClock final : public Clock {
public:
    QDateTime currentDateTime() const override { return QDateTime::currentDateTime(); }
};

std::shared_ptr<Clock> &installed()
{
    static std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
    return clock;
}

} // namespace

QDateTime Clock::now()
{
    return installed()->currentDateTime();
}

void Clock::setInstance(std::shared_ptr<Clock> clock)
{
    installed() = clock ? std::move(clock) : std::make_shared<SystemClock>();
}
