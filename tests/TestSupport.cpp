#include "TestSupport.h"

#include "ui/Theme.h"

#include <ctime>

void TestSupport::pinEnvironment()
{
    qputenv("TZ", "Asia/Shanghai");
    tzset();
    qunsetenv("PENNYLOOM_DATA_DIR");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void TestSupport::prepareApplication()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China));
    Theme::apply();
}

QDateTime TestSupport::local(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

TestSupport::ScopedTimeZone::ScopedTimeZone(const QByteArray &zone) : m_previous(qgetenv("TZ"))
{
    qputenv("TZ", zone);
    tzset();
}

TestSupport::ScopedTimeZone::~ScopedTimeZone()
{
    qputenv("TZ", m_previous);
    tzset();
}

TestSupport::ScopedLocale::ScopedLocale(const QLocale &locale)
{
    QLocale::setDefault(locale);
}

TestSupport::ScopedLocale::~ScopedLocale()
{
    QLocale::setDefault(m_previous);
}

TestSupport::ScopedClock::ScopedClock(const QDateTime &now) : m_clock(std::make_shared<FixedClock>(now))
{
    Clock::setInstance(m_clock);
}

TestSupport::ScopedClock::~ScopedClock()
{
    Clock::setInstance(nullptr);
}
