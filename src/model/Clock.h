#pragma once

#include <QDateTime>

#include <memory>

// The one source of "now" for the whole program. Production code asks Clock::now(); tests
// install a FixedClock so that every default date and every "today" is predictable.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime currentDateTime() const = 0;

    static QDateTime now();
    // Installs a clock for the whole process; nullptr restores the system clock.
    static void setInstance(std::shared_ptr<Clock> clock);
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_now(std::move(at)) {}
    QDateTime currentDateTime() const override { return m_now; }
    void set(QDateTime at) { m_now = std::move(at); }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
