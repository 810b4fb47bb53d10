// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalCalendar.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What a screen can narrow its records to: everything, or the day, week or month holding a
// chosen date, or a custom range of whole days.
enum class PeriodChoice { all, day, week, month, custom };

// The span of a period. Week and month spans (and a screen's day span, where it says so) also
// hold their end instant, the first instant of the next week or month.
struct PeriodSpan {
    DateInterval interval;
    bool includesEnd = false;

    bool isValid() const { return interval.start.isValid() && interval.end.isValid(); }
    // The first and last local days the span covers, as a label names them: a span ending at
    // the first instant of a day ends on the day before, whether or not it holds that instant.
    QDate firstDay() const { return LocalCalendar::localDate(interval.start); }
    QDate lastDay() const { return LocalCalendar::localDate(interval.end.addMSecs(-1)); }
    bool contains(const QDateTime &instant) const
    {
        return includesEnd ? interval.containsClosed(instant) : interval.contains(instant);
    }
};

// One screen's choice of period: the choice, the date whose day, week or month is shown, and
// the custom range. The dates keep their time of day; date pickers move them by whole days.
// A start moved past the end takes the end along to its day, so the end a screen shows and
// the end it uses are always the same day. What else differs between screens is in Rules.
class PeriodSelection final {
public:
    // Whether the day's span holds the first instant of the next day, as the week's and the
    // month's always do.
    enum class DayEnd { excluded, included };
    // What an end set before the start becomes.
    enum class EarlyEnd {
        // It stays, and the custom span holds nothing.
        emptiesSpan,
        // It is held on the start's day.
        heldAtStart,
    };
    struct Option {
        PeriodChoice choice;
        QString title;
    };
    struct Rules {
        // The choices the screen offers, under its own titles, in display order.
        QList<Option> options;
        DayEnd dayEnd = DayEnd::excluded;
        EarlyEnd earlyEnd = EarlyEnd::emptiesSpan;

        QStringList titles() const;
        QString title(PeriodChoice choice) const;
        // -1 for a choice the screen does not offer.
        int indexOf(PeriodChoice choice) const;
        std::optional<PeriodChoice> choiceAt(int index) const;
    };

    // Opens on the choice with the date now, and a custom range of the month up to now.
    PeriodSelection(Rules rules, PeriodChoice choice, const QDateTime &now);

    const Rules &rules() const { return m_rules; }

    // Each setter returns whether anything changed. Invalid dates and choices the screen does
    // not offer change nothing.
    PeriodChoice choice() const { return m_choice; }
    bool setChoice(PeriodChoice choice);
    // The day, week or month shown is the one holding this date.
    QDateTime date() const { return m_date; }
    bool setDate(const QDateTime &date);
    bool setDay(QDate day);
    // The first and last day of the custom range.
    QDateTime start() const { return m_start; }
    bool setStart(const QDateTime &start);
    bool setStartDay(QDate day);
    QDateTime end() const { return m_end; }
    bool setEnd(const QDateTime &end);
    bool setEndDay(QDate day);
    // Both bounds at once, as a stored period is taken up again.
    bool setRange(const QDateTime &start, const QDateTime &end);

    // The span of the choice; for all, an invalid span: the screen takes everything.
    PeriodSpan span() const;

private:
    // The end after the rules: a day before the start's is moved to it or kept.
    QDateTime bounded(const QDateTime &end, bool startMoved) const;

    Rules m_rules;
    PeriodChoice m_choice;
    QDateTime m_date;
    QDateTime m_start;
    QDateTime m_end;
};
