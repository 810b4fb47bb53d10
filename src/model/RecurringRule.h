// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LedgerEntry.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QUuid>

#include <optional>
#include <vector>

// An entry the user enters once and that comes back on a schedule: rent on the 1st, salary on
// the 10th, a subscription every year. Each occurrence is a local calendar day; the entry written
// for it is dated that day at the rule's wall-clock time in the user's time zone.
struct RecurringRule {
    enum class Repeat { daily, weekly, monthly, yearly, everyNDays };

    QUuid id;
    double amount = 0;
    QString kindRaw;
    QString category;
    QString note;
    QTime timeOfDay{9, 0};

    Repeat repeat = Repeat::monthly;
    // Days between occurrences of everyNDays, at least 1; 1 for the others.
    int interval = 1;
    // weekly: Qt::DayOfWeek, 1 (Monday) to 7.
    int weekday = 1;
    // yearly: 1 to 12.
    int month = 1;
    // monthly and yearly: 1 to 31. A day past the month's length means its last day, so 31 is
    // "the last day of every month" and 29 February falls on the 28th in other years.
    int monthDay = 1;

    // The first day that may have an occurrence; every N days counts from it.
    QDate firstDay;
    // At most one of the two limits: the last day that may have one, or how many there are.
    std::optional<QDate> lastDay;
    std::optional<int> count;
    QDateTime createdAt;

    // An empty rule, for the store to fill from a stored row.
    RecurringRule() = default;
    // A new rule with a fresh id, created now.
    RecurringRule(double amount, EntryKind kind, QString category, QString note, QDate firstDay);

    // Why the rule cannot be kept, or nullopt: its entry breaks the rules every entry keeps, or
    // its schedule or limits are not ones the program can follow.
    std::optional<QString> problem() const;

    // The occurrences from `from` to `to`, both included, in order.
    std::vector<QDate> occurrences(QDate from, QDate to) const;
    // The first occurrence on or after the day, or nothing when the rule has ended by then.
    std::optional<QDate> nextOn(QDate day) const;
    // When the occurrence of that day happens: the day at the rule's time in the local zone. A
    // time that a daylight saving change skips that day moves forward by the length of the gap
    // (02:30 becomes 03:30); a time that happens twice is the first of the two.
    QDateTime instantOn(QDate day) const;
    // instantOn() of each day, for many days in increasing order at once: between two changes
    // of the zone's offset a day's instant is its wall time less that offset, so only the days
    // near a change are worked out one by one.
    std::vector<QDateTime> instantsOn(const std::vector<QDate> &days) const;
    // The entry written for the occurrence of that day: a fresh id, created at `createdAt`.
    LedgerEntry entryOn(QDate day, const QDateTime &createdAt) const;
    // The same with the day's instant, from instantsOn().
    LedgerEntry entryAt(const QDateTime &instant, const QDateTime &createdAt) const;

    // The schedule in words: 每天, 每周三, 每月 1 日, 每月最后一天, 每年 2 月 29 日, 每 3 天.
    QString describe() const;
    // The sheet's line for the next occurrence from today: 下次 2024年3月5日, or 已结束.
    QString nextText(QDate today) const;

    // How the file names each schedule: "daily", "weekly", "monthly", "yearly", "days".
    static QString repeatRaw(Repeat repeat);
    static std::optional<Repeat> repeatFrom(const QString &raw);

    friend bool operator==(const RecurringRule &a, const RecurringRule &b) { return a.id == b.id; }

private:
    // The schedule's k-th day from its first (k from 0), before any limit; invalid past year 9999.
    QDate nth(qint64 k) const;
    // The smallest k whose day is on or after the day.
    qint64 indexOnOrAfter(QDate day) const;
    bool withinLimits(qint64 k, QDate day) const;
};
