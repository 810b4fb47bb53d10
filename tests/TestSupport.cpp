// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "model/EntryKind.h"
#include "model/LedgerEntry.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <ctime>
#include <optional>

void TestSupport::pinEnvironment()
{
    qputenv("TZ", "Asia/Shanghai");
    tzset();
    qunsetenv("PENNYLOOM_DATA_DIR");
    // Settings a test writes (window geometry, switches) go to a folder of this run only, and
    // the colour scheme does not follow the desktop the tests happen to run on (set
    // PENNYLOOM_COLOR_SCHEME=dark to see the screens in the dark scheme).
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("PENNYLOOM_COLOR_SCHEME"))
        qputenv("PENNYLOOM_COLOR_SCHEME", "light");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void TestSupport::prepareApplication()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China));
}

QDateTime TestSupport::local(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

QDateTime TestSupport::at(const QString &iso)
{
    const QDateTime instant = QDateTime::fromString(iso, Qt::ISODate);
    if (!instant.isValid())
        qFatal("bad or non-existent instant in a test table: %s", qPrintable(iso));
    return instant;
}

LedgerEntry TestSupport::entryFrom(const QString &line)
{
    const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
    bool amountRead = false;
    const double amount = parts.size() == 4 ? parts.at(2).toDouble(&amountRead) : 0;
    const std::optional<EntryKind> kind = parts.size() == 4 ? EntryKinds::fromRaw(parts.at(0)) : std::nullopt;
    if (!kind || !amountRead)
        qFatal("bad entry line in a test table: %s", qPrintable(line));
    return LedgerEntry(amount, at(parts.at(3)), *kind, parts.at(1));
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

std::unique_ptr<ModelStore> TestSupport::openStore(const QTemporaryDir &dir)
{
    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(dir.filePath(QStringLiteral("s.sqlite")), &error);
    if (!store)
        qWarning("store did not open: %s", qPrintable(error));
    return store;
}

TestSupport::StoreFixture::StoreFixture() = default;
TestSupport::StoreFixture::~StoreFixture() = default;

bool TestSupport::StoreFixture::openStore(const QDateTime &now)
{
    m_clock = std::make_unique<ScopedClock>(now);
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid())
        return false;
    m_store = TestSupport::openStore(*m_dir);
    return m_store != nullptr;
}

void TestSupport::StoreFixture::closeStore()
{
    m_store.reset();
    m_dir.reset();
    m_clock.reset();
}

LedgerEntry TestSupport::StoreFixture::add(const LedgerEntry &entry)
{
    if (!m_store->insert(entry))
        qFatal("a test could not insert an entry into its store");
    return entry;
}

void TestSupport::StoreFixture::addEntries(const QStringList &lines)
{
    for (const QString &line : lines)
        add(entryFrom(line));
}
