#include "TestSupport.h"

#include "ui/Theme.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QInputMethodEvent>
#include <QWidget>

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

void TestSupport::typeText(QWidget *widget, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(widget, &event);
}

void TestSupport::screenshot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("PENNYLOOM_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    // Item views lay out after a resize: let that settle first.
    QTest::qWait(100);
    widget->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}
