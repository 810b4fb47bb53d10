// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EntryKind.h"
#include "model/RecurringRule.h"

#include <QObject>
#include <QStringList>

#include <optional>

class ModelStore;
struct LedgerEntry;

// The fields of the form that makes or changes a recurring rule: the entry it writes, its
// schedule and when it ends. A new rule repeats monthly on its first day's date, and while the
// user has not picked the schedule's day, the weekday, month and date follow the first day.
class RecurringRuleFormModel final : public QObject {
    Q_OBJECT

public:
    enum class End { never, onDay, afterCount };

    // A new rule, starting on the day.
    explicit RecurringRuleFormModel(QDate firstDay, QObject *parent = nullptr);
    // A new rule that repeats the entry: its amount, kind, category, note and time of day,
    // starting on its day.
    explicit RecurringRuleFormModel(const LedgerEntry &entry, QObject *parent = nullptr);
    // A form that changes the stored rule.
    explicit RecurringRuleFormModel(const RecurringRule &rule, QObject *parent = nullptr);

    bool isEditing() const { return m_editing; }

    EntryKind kind() const;
    // A change of kind selects the first category of the new kind's list.
    void setKind(EntryKind kind);
    QString amount() const { return m_amount; }
    void setAmount(const QString &amount);
    QString category() const { return m_rule.category; }
    void setCategory(const QString &category);
    QString note() const { return m_rule.note; }
    void setNote(const QString &note);
    QTime timeOfDay() const { return m_rule.timeOfDay; }
    void setTimeOfDay(QTime time);

    RecurringRule::Repeat repeat() const { return m_rule.repeat; }
    void setRepeat(RecurringRule::Repeat repeat);
    int weekday() const { return m_rule.weekday; }
    void setWeekday(int weekday);
    int month() const { return m_rule.month; }
    void setMonth(int month);
    // 31 is the last day of every month.
    int monthDay() const { return m_rule.monthDay; }
    void setMonthDay(int day);
    int interval() const { return m_rule.interval; }
    void setInterval(int days);
    QDate firstDay() const { return m_rule.firstDay; }
    void setFirstDay(QDate day);

    End end() const { return m_end; }
    void setEnd(End end);
    QDate lastDay() const { return m_lastDay; }
    void setLastDay(QDate day);
    int count() const { return m_count; }
    void setCount(int count);

    // The category list of the current kind.
    const QStringList &categories() const;
    // The schedule in words and its next day from today: 「每月 1 日，下次 2027年1月1日」.
    QString summary(QDate today) const;
    // What happens in months or years without the chosen date, or nothing.
    QString dayHint() const;
    // Why the rule cannot be saved yet, or nothing.
    std::optional<QString> problem() const;
    bool canSave() const { return !problem().has_value(); }
    // Inserts the new rule or updates the stored one, then writes what has come due already.
    // False, with nothing stored, when the form has a problem or the store refused.
    bool save(ModelStore &store);

Q_SIGNALS:
    void changed();

private:
    // The rule as the form's fields make it (amount 0 while the amount text is not valid).
    RecurringRule rule() const;
    template <class T> void assign(T &field, const T &value);

    RecurringRule m_rule;
    QString m_amount;
    End m_end = End::never;
    QDate m_lastDay;
    int m_count = 12;
    bool m_editing = false;
    // Whether the user chose the schedule's day rather than leaving it to follow the first day.
    bool m_dayChosen = false;
};
