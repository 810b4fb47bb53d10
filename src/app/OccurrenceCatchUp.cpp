// SPDX-License-Identifier: GPL-3.0-or-later
#include "OccurrenceCatchUp.h"

#include "model/Clock.h"
#include "model/LocalCalendar.h"
#include "model/RecurringRule.h"
#include "store/ModelStore.h"

#include <algorithm>

OccurrenceCatchUp::OccurrenceCatchUp(ModelStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &OccurrenceCatchUp::writeDue);
    connect(&m_store, &ModelStore::occurrencesWritten, this, &OccurrenceCatchUp::tell);
}

void OccurrenceCatchUp::tell(const std::vector<QUuid> &ids)
{
    if (!m_writing && !ids.empty())
        Q_EMIT caughtUp(ids);
}

void OccurrenceCatchUp::start()
{
    QTimer::singleShot(0, this, &OccurrenceCatchUp::writeDue);
}

bool OccurrenceCatchUp::writeDue()
{
    const QDateTime now = Clock::now();
    const QDate today = now.toLocalTime().date();
    // How many each rule has due: the store writes them in the rules' order and then by day,
    // which is how its ids are split between the rules below.
    std::vector<qsizetype> dueCounts;
    for (const RecurringRule &rule : m_store.recurringRules()) {
        const std::vector<QDate> days = rule.occurrences(rule.firstDay, today);
        dueCounts.push_back(std::count_if(days.cbegin(), days.cend(), [&](QDate day) {
            return !m_store.hasOccurrence(rule.id, day) && rule.instantOn(day) <= now;
        }));
    }
    m_writing = true;
    const std::optional<std::vector<QUuid>> ids = m_store.writeDueOccurrences(now);
    m_writing = false;
    arm();
    if (!ids)
        return false;
    qsizetype total = 0;
    for (const qsizetype count : dueCounts)
        total += count;
    // Another process that wrote some of them first leaves the split unknown; nothing is told then.
    if (total != qsizetype(ids->size()))
        return true;
    std::vector<QUuid> many;
    auto next = ids->cbegin();
    for (const qsizetype count : dueCounts) {
        if (count > quietCount)
            many.insert(many.end(), next, next + count);
        next += count;
    }
    if (!many.empty())
        Q_EMIT caughtUp(many);
    return true;
}

qint64 OccurrenceCatchUp::msecsToNextCheck(const QDateTime &now) const
{
    const QDate today = now.toLocalTime().date();
    QDateTime next = LocalCalendar::startOfDay(today.addDays(1));
    for (const RecurringRule &rule : m_store.recurringRules()) {
        std::optional<QDate> day = rule.nextOn(today);
        if (day && rule.instantOn(*day) <= now)
            day = rule.nextOn(day->addDays(1));
        if (day && rule.instantOn(*day) < next)
            next = rule.instantOn(*day);
    }
    return std::clamp<qint64>(now.msecsTo(next), 1000, longestWaitMs);
}

void OccurrenceCatchUp::arm()
{
    m_timer.start(std::chrono::milliseconds(msecsToNextCheck(Clock::now())));
}
