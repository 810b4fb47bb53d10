// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringRule.h"

#include "Clock.h"
#include "DateText.h"
#include "EntryRules.h"
#include "RecordId.h"

#include <QTimeZone>

#include <array>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The last day the books hold; no occurrence goes past it.
constexpr int lastYear = 9999;
// A rule that comes back less often than every ten years is not a schedule anyone keeps.
constexpr int maximumInterval = 3660;

QDate clamped(int year, int month, int day)
{
    if (year < 1 || year > lastYear)
        return {};
    return QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return a <= 0 ? 0 : (a + b - 1) / b;
}

constexpr std::array<std::pair<RecurringRule::Repeat, const char16_t *>, 5> repeatNames{{
    {RecurringRule::Repeat::daily, u"daily"},
    {RecurringRule::Repeat::weekly, u"weekly"},
    {RecurringRule::Repeat::monthly, u"monthly"},
    {RecurringRule::Repeat::yearly, u"yearly"},
    {RecurringRule::Repeat::everyNDays, u"days"},
}};

} // namespace

RecurringRule::RecurringRule(double amount, EntryKind kind, QString category, QString note, QDate firstDay)
    : id(RecordId::fresh())
    , amount(amount)
    , kindRaw(EntryKinds::rawText(kind))
    , category(std::move(category))
    , note(std::move(note))
    , monthDay(firstDay.isValid() ? firstDay.day() : 1)
    , firstDay(firstDay)
    , createdAt(Clock::now())
{
    if (firstDay.isValid()) {
        weekday = firstDay.dayOfWeek();
        month = firstDay.month();
    }
}

QString RecurringRule::repeatRaw(Repeat repeat)
{
    for (const auto &[value, name] : repeatNames) {
        if (value == repeat)
            return QString::fromUtf16(name);
    }
    return {};
}

std::optional<RecurringRule::Repeat> RecurringRule::repeatFrom(const QString &raw)
{
    for (const auto &[value, name] : repeatNames) {
        if (raw == QStringView(name))
            return value;
    }
    return std::nullopt;
}

std::optional<QString> RecurringRule::problem() const
{
    if (!firstDay.isValid() || firstDay.year() < 1 || firstDay.year() > lastYear)
        return u"开始日期须在公元 1 年到 9999 年之间"_s;
    if (!timeOfDay.isValid())
        return u"时间无效"_s;
    LedgerEntry sample;
    sample.amount = amount;
    sample.kindRaw = kindRaw;
    sample.category = category;
    sample.note = note;
    sample.date = QDateTime(firstDay, QTime(12, 0), Qt::UTC);
    if (const std::optional<QString> entryProblem = EntryRules::problem(sample))
        return entryProblem;
    switch (repeat) {
    case Repeat::daily:
        break;
    case Repeat::weekly:
        if (weekday < 1 || weekday > 7)
            return u"星期须是周一到周日"_s;
        break;
    case Repeat::monthly:
        if (monthDay < 1 || monthDay > 31)
            return u"日期须是 1 日到 31 日"_s;
        break;
    case Repeat::yearly:
        // Checked against a leap year: 29 February is a day of the year.
        if (month < 1 || month > 12 || monthDay < 1 || monthDay > QDate(2000, month, 1).daysInMonth())
            return u"没有 %1 月 %2 日这一天"_s.arg(month).arg(monthDay);
        break;
    case Repeat::everyNDays:
        if (interval < 1 || interval > maximumInterval)
            return u"间隔须在 1 到 %1 天之间"_s.arg(maximumInterval);
        break;
    }
    if (lastDay && count)
        return u"结束日期和次数只能选一个"_s;
    if (lastDay && (!lastDay->isValid() || *lastDay < firstDay || lastDay->year() > lastYear))
        return u"结束日期不能早于开始日期"_s;
    if (count && *count < 1)
        return u"次数至少为 1"_s;
    return std::nullopt;
}

QDate RecurringRule::nth(qint64 k) const
{
    if (!firstDay.isValid() || k < 0)
        return {};
    const auto within = [](QDate day) { return day.isValid() && day.year() <= lastYear ? day : QDate(); };
    switch (repeat) {
    case Repeat::daily:
        return within(firstDay.addDays(k));
    case Repeat::everyNDays:
        return within(firstDay.addDays(k * std::max(interval, 1)));
    case Repeat::weekly: {
        const int ahead = (weekday - firstDay.dayOfWeek() + 7) % 7;
        return within(firstDay.addDays(ahead + 7 * k));
    }
    case Repeat::monthly: {
        // The first month is the first day's own when its occurrence is not already past.
        const bool thisMonth = clamped(firstDay.year(), firstDay.month(), monthDay) >= firstDay;
        const qint64 months = qint64(firstDay.year()) * 12 + (firstDay.month() - 1) + k + (thisMonth ? 0 : 1);
        if (months / 12 > lastYear)
            return {};
        return clamped(int(months / 12), int(months % 12) + 1, monthDay);
    }
    case Repeat::yearly: {
        const bool thisYear = clamped(firstDay.year(), month, monthDay) >= firstDay;
        const qint64 year = firstDay.year() + k + (thisYear ? 0 : 1);
        if (year > lastYear)
            return {};
        return clamped(int(year), month, monthDay);
    }
    }
    return {};
}

qint64 RecurringRule::indexOnOrAfter(QDate day) const
{
    const QDate first = nth(0);
    if (!first.isValid() || day <= first)
        return 0;
    const qint64 days = first.daysTo(day);
    qint64 k = 0;
    switch (repeat) {
    case Repeat::daily:
        return days;
    case Repeat::everyNDays:
        return ceilDiv(days, std::max(interval, 1));
    case Repeat::weekly:
        return ceilDiv(days, 7);
    case Repeat::monthly:
        k = (qint64(day.year()) - first.year()) * 12 + (day.month() - first.month());
        break;
    case Repeat::yearly:
        k = day.year() - first.year();
        break;
    }
    // Within the day's own month (or year) the occurrence may still be before the day.
    const QDate candidate = nth(k);
    return candidate.isValid() && candidate < day ? k + 1 : k;
}

bool RecurringRule::withinLimits(qint64 k, QDate day) const
{
    if (!day.isValid())
        return false;
    if (count && k >= *count)
        return false;
    return !lastDay || day <= *lastDay;
}

std::vector<QDate> RecurringRule::occurrences(QDate from, QDate to) const
{
    std::vector<QDate> days;
    if (!from.isValid() || !to.isValid() || !firstDay.isValid())
        return days;
    for (qint64 k = indexOnOrAfter(std::max(from, firstDay));; ++k) {
        const QDate day = nth(k);
        if (!withinLimits(k, day) || day > to)
            break;
        days.push_back(day);
    }
    return days;
}

std::optional<QDate> RecurringRule::nextOn(QDate day) const
{
    if (!day.isValid() || !firstDay.isValid())
        return std::nullopt;
    const qint64 k = indexOnOrAfter(std::max(day, firstDay));
    const QDate next = nth(k);
    if (!withinLimits(k, next))
        return std::nullopt;
    return next;
}

QDateTime RecurringRule::instantOn(QDate day) const
{
    // The offsets in force a day before and a day after: at a daylight saving change the time
    // reads with one or both of them. Qt's own choice between two readings varies with the
    // system's, so the earlier is picked here.
    const auto offsetOn = [&](QDate other) {
        const QDateTime there(other, timeOfDay);
        return there.isValid() ? there.offsetFromUtc() : other.startOfDay().offsetFromUtc();
    };
    const int before = offsetOn(day.addDays(-1));
    const int after = offsetOn(day.addDays(1));
    QDateTime earliest;
    for (const int offset : {before, after}) {
        const QDateTime candidate = QDateTime(day, timeOfDay, Qt::OffsetFromUTC, offset).toLocalTime();
        if (candidate.date() == day && candidate.time() == timeOfDay &&
            (!earliest.isValid() || candidate < earliest))
            earliest = candidate;
    }
    if (earliest.isValid())
        return earliest;
    const QDateTime local(day, timeOfDay);
    if (local.isValid())
        return local;
    // Skipped by a change to daylight saving time: read with the offset in force before the
    // change, which lands as far past the change as the time was past its start.
    return QDateTime(day, timeOfDay, Qt::OffsetFromUTC, before).toLocalTime();
}

std::vector<QDateTime> RecurringRule::instantsOn(const std::vector<QDate> &days) const
{
    std::vector<QDateTime> instants;
    instants.reserve(days.size());
    constexpr qint64 dayMs = 86'400'000;
    constexpr qint64 unixEpochDay = 2'440'588; // the Julian day of 1970-01-01
    const QTimeZone zone = QTimeZone::systemTimeZone();
    // The stretch [from, until) of UTC time in which the zone keeps `offset`; empty at first.
    qint64 from = 0;
    qint64 until = 0;
    qint64 offset = 0;
    const auto stretchAround = [&](qint64 at) {
        const QDateTime probe = QDateTime::fromMSecsSinceEpoch(at, Qt::UTC);
        offset = qint64(zone.offsetFromUtc(probe)) * 1000;
        from = std::numeric_limits<qint64>::min() / 2;
        until = std::numeric_limits<qint64>::max() / 2;
        if (zone.hasTransitions()) {
            if (const QTimeZone::OffsetData before = zone.previousTransition(probe.addMSecs(1));
                before.atUtc.isValid())
                from = before.atUtc.toMSecsSinceEpoch();
            if (const QTimeZone::OffsetData after = zone.nextTransition(probe); after.atUtc.isValid())
                until = after.atUtc.toMSecsSinceEpoch();
        }
    };
    for (const QDate day : days) {
        QDateTime instant;
        if (timeOfDay.isValid() && zone.isValid()) {
            const qint64 wall = (day.toJulianDay() - unixEpochDay) * dayMs + timeOfDay.msecsSinceStartOfDay();
            if (!(from + dayMs <= wall - offset && wall - offset + dayMs < until))
                stretchAround(wall - offset);
            const qint64 at = wall - offset;
            // A day away from any change reads the time one way only; the local reading of the
            // instant confirms it, in case the program's zone data and the clock's differ.
            if (from + dayMs <= at && at + dayMs < until) {
                const QDateTime candidate = QDateTime::fromMSecsSinceEpoch(at);
                if (candidate.date() == day && candidate.time() == timeOfDay)
                    instant = candidate;
            }
        }
        instants.push_back(instant.isValid() ? instant : instantOn(day));
    }
    return instants;
}

LedgerEntry RecurringRule::entryOn(QDate day, const QDateTime &createdAt) const
{
    return entryAt(instantOn(day), createdAt);
}

LedgerEntry RecurringRule::entryAt(const QDateTime &instant, const QDateTime &createdAt) const
{
    LedgerEntry entry;
    entry.id = RecordId::fresh();
    entry.amount = amount;
    entry.date = instant;
    entry.kindRaw = kindRaw;
    entry.category = category;
    entry.note = note;
    entry.createdAt = createdAt;
    return entry;
}

QString RecurringRule::describe() const
{
    switch (repeat) {
    case Repeat::daily:
        return u"每天"_s;
    case Repeat::weekly: {
        static const QString names = u"一二三四五六日"_s;
        return u"每周"_s + names.mid(std::clamp(weekday, 1, 7) - 1, 1);
    }
    case Repeat::monthly:
        return monthDay >= 31 ? u"每月最后一天"_s : u"每月 %1 日"_s.arg(monthDay);
    case Repeat::yearly:
        return u"每年 %1 月 %2 日"_s.arg(month).arg(monthDay);
    case Repeat::everyNDays:
        return interval == 1 ? u"每天"_s : u"每 %1 天"_s.arg(interval);
    }
    return {};
}

QString RecurringRule::nextText(QDate today) const
{
    const std::optional<QDate> next = nextOn(today);
    return next ? u"下次 %1"_s.arg(DateText::longDate(*next)) : u"已结束"_s;
}
