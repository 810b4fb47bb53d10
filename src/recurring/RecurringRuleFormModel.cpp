// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringRuleFormModel.h"

#include "model/AmountText.h"
#include "model/Clock.h"
#include "model/LedgerCategories.h"
#include "model/LedgerEntry.h"
#include "model/Money.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

RecurringRuleFormModel::RecurringRuleFormModel(QDate firstDay, QObject *parent)
    : QObject(parent)
    , m_rule(0, EntryKind::expense, LedgerCategories::firstFor(EntryKind::expense), QString(), firstDay)
    , m_lastDay(firstDay.addMonths(12))
{
}

RecurringRuleFormModel::RecurringRuleFormModel(const LedgerEntry &entry, QObject *parent)
    : QObject(parent)
    , m_rule(entry.amount, entry.kind(), entry.category, entry.note, entry.date.toLocalTime().date())
    , m_amount(Money::decimal(entry.amount))
    , m_lastDay(m_rule.firstDay.addMonths(12))
{
    // The form edits hours and minutes only.
    const QTime time = entry.date.toLocalTime().time();
    m_rule.timeOfDay = QTime(time.hour(), time.minute());
}

RecurringRuleFormModel::RecurringRuleFormModel(const RecurringRule &rule, QObject *parent)
    : QObject(parent)
    , m_rule(rule)
    , m_amount(Money::decimal(rule.amount))
    , m_end(rule.lastDay ? End::onDay
            : rule.count ? End::afterCount
                         : End::never)
    , m_lastDay(rule.lastDay.value_or(rule.firstDay.addMonths(12)))
    , m_count(rule.count.value_or(12))
    , m_editing(true)
    , m_dayChosen(true)
{
}

template <class T> void RecurringRuleFormModel::assign(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT changed();
}

EntryKind RecurringRuleFormModel::kind() const
{
    return EntryKinds::fromRaw(m_rule.kindRaw).value_or(EntryKind::expense);
}

void RecurringRuleFormModel::setKind(EntryKind kind)
{
    if (kind == this->kind())
        return;
    m_rule.kindRaw = EntryKinds::rawText(kind);
    m_rule.category = LedgerCategories::firstFor(kind);
    Q_EMIT changed();
}

void RecurringRuleFormModel::setAmount(const QString &amount)
{
    assign(m_amount, amount);
}

void RecurringRuleFormModel::setCategory(const QString &category)
{
    assign(m_rule.category, category);
}

void RecurringRuleFormModel::setNote(const QString &note)
{
    assign(m_rule.note, note);
}

void RecurringRuleFormModel::setTimeOfDay(QTime time)
{
    if (time.isValid())
        assign(m_rule.timeOfDay, time);
}

void RecurringRuleFormModel::setRepeat(RecurringRule::Repeat repeat)
{
    assign(m_rule.repeat, repeat);
}

void RecurringRuleFormModel::setWeekday(int weekday)
{
    m_dayChosen = true;
    assign(m_rule.weekday, weekday);
}

void RecurringRuleFormModel::setMonth(int month)
{
    m_dayChosen = true;
    assign(m_rule.month, month);
}

void RecurringRuleFormModel::setMonthDay(int day)
{
    m_dayChosen = true;
    assign(m_rule.monthDay, day);
}

void RecurringRuleFormModel::setInterval(int days)
{
    assign(m_rule.interval, days);
}

void RecurringRuleFormModel::setFirstDay(QDate day)
{
    if (day == m_rule.firstDay)
        return;
    m_rule.firstDay = day;
    if (!m_dayChosen && day.isValid()) {
        m_rule.weekday = day.dayOfWeek();
        m_rule.month = day.month();
        m_rule.monthDay = day.day();
    }
    Q_EMIT changed();
}

void RecurringRuleFormModel::setEnd(End end)
{
    assign(m_end, end);
}

void RecurringRuleFormModel::setLastDay(QDate day)
{
    assign(m_lastDay, day);
}

void RecurringRuleFormModel::setCount(int count)
{
    assign(m_count, count);
}

const QStringList &RecurringRuleFormModel::categories() const
{
    return LedgerCategories::forKind(kind());
}

RecurringRule RecurringRuleFormModel::rule() const
{
    RecurringRule made = m_rule;
    made.amount = AmountText::positive(m_amount).value_or(0);
    // Every N days is the only schedule with a step of its own.
    if (made.repeat != RecurringRule::Repeat::everyNDays)
        made.interval = 1;
    made.lastDay = m_end == End::onDay ? std::optional(m_lastDay) : std::nullopt;
    made.count = m_end == End::afterCount ? std::optional(m_count) : std::nullopt;
    return made;
}

QString RecurringRuleFormModel::summary(QDate today) const
{
    RecurringRule made = rule();
    // The words do not depend on the amount: one still being typed must not hide them.
    made.amount = 1;
    if (made.problem())
        return made.describe();
    return made.describe() + u"，"_s + made.nextText(today);
}

QString RecurringRuleFormModel::dayHint() const
{
    if (m_rule.repeat == RecurringRule::Repeat::monthly && m_rule.monthDay > 28 && m_rule.monthDay < 31)
        return u"没有 %1 日的月份，记在当月最后一天"_s.arg(m_rule.monthDay);
    if (m_rule.repeat == RecurringRule::Repeat::yearly && m_rule.month == 2 && m_rule.monthDay == 29)
        return u"平年记在 2 月 28 日"_s;
    return {};
}

std::optional<QString> RecurringRuleFormModel::problem() const
{
    if (!AmountText::positive(m_amount))
        return m_amount.trimmed().isEmpty() ? u"请输入金额"_s : u"金额无效"_s;
    return rule().problem();
}

bool RecurringRuleFormModel::save(ModelStore &store)
{
    if (!canSave())
        return false;
    const RecurringRule made = rule();
    if (!(m_editing ? store.updateRecurringRule(made) : store.insertRecurringRule(made)))
        return false;
    m_rule = made;
    m_editing = true;
    // A rule whose first day has passed owes its entries now, not at the next start.
    store.writeDueOccurrences(Clock::now());
    return true;
}
