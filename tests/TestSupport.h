// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FixedClock.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QStringList>

#include <memory>

class ModelStore;
struct LedgerEntry;
class QTemporaryDir;

// Pins of the environment shared by every test binary: the time zone, the locale and the
// clock are fixed so results do not depend on the machine.
namespace TestSupport {

// Before the application object exists: time zone Asia/Shanghai, no stray data folder.
void pinEnvironment();
// After it exists: locale zh_CN.
void prepareApplication();

// Opens (or creates) the store file "s.sqlite" in the folder; nullptr, with a warning, when
// it does not open.
std::unique_ptr<ModelStore> openStore(const QTemporaryDir &dir);

// Local date and time in the current time zone.
QDateTime local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// An ISO 8601 text: local time without an offset, an absolute instant with "Z" or an offset.
// Read in the time zone in force when called; a text that names no instant stops the run.
QDateTime at(const QString &iso);

// An entry from one line of a test table, "支出 餐饮 12.5 2024-03-05T12:00:00": kind, category,
// amount and local date and time, read in the time zone in force when called. A malformed
// line stops the run, so a typo in a table cannot pass as an empty ledger.
LedgerEntry entryFrom(const QString &line);

// Switches the process time zone (TZ) for the lifetime of the object.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const QByteArray &zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;

private:
    QByteArray m_previous;
};

// Switches the default locale for the lifetime of the object.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale &locale);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale &) = delete;
    ScopedLocale &operator=(const ScopedLocale &) = delete;

private:
    QLocale m_previous;
};

// Installs a fixed clock for the lifetime of the object.
class ScopedClock {
public:
    explicit ScopedClock(const QDateTime &now);
    ~ScopedClock();
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;
    FixedClock &clock() { return *m_clock; }

private:
    std::shared_ptr<FixedClock> m_clock;
};

// A fixed clock and a fresh store file for each test of a class: call openStore in init()
// and closeStore in cleanup().
class StoreFixture : public QObject {
public:
    StoreFixture();
    ~StoreFixture() override;

protected:
    bool openStore(const QDateTime &now);
    void closeStore();
    // Inserts the entry and hands it back; a failed write fails the test run loudly.
    LedgerEntry add(const LedgerEntry &entry);
    // Inserts one entry per line, each as entryFrom reads it.
    void addEntries(const QStringList &lines);

    std::unique_ptr<ScopedClock> m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModelStore> m_store;
};

} // namespace TestSupport
