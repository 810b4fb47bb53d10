// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryFormModel.h"

#include "model/EntryRules.h"

#include "model/AmountText.h"
#include "model/Clock.h"
#include "model/LedgerCategories.h"
#include "model/LocalCalendar.h"
#include "model/Money.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

EntryFormModel::EntryFormModel(QObject *parent) : QObject(parent), m_category(u"餐饮"_s), m_date(Clock::now())
{
}

EntryFormModel::EntryFormModel(const LedgerEntry &entry, QObject *parent)
    : QObject(parent)
    , m_entry(entry)
    , m_kind(entry.kind())
    , m_amount(Money::decimal(entry.amount))
    , m_category(entry.category)
    , m_date(entry.date)
    , m_note(entry.note)
{
}

void EntryFormModel::setKind(EntryKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    m_category = LedgerCategories::firstFor(kind);
    Q_EMIT changed();
}

void EntryFormModel::setAmount(const QString &amount)
{
    if (amount == m_amount)
        return;
    m_amount = amount;
    Q_EMIT changed();
}

void EntryFormModel::setCategory(const QString &category)
{
    if (category == m_category)
        return;
    m_category = category;
    Q_EMIT changed();
}

void EntryFormModel::setDate(const QDateTime &date)
{
    if (date == m_date)
        return;
    m_date = date;
    Q_EMIT changed();
}

void EntryFormModel::setDay(QDate day)
{
    if (day.isValid() && day != m_date.toLocalTime().date())
        setDate(LocalCalendar::onDay(m_date, day));
}

void EntryFormModel::setNote(const QString &note)
{
    if (note == m_note)
        return;
    m_note = note;
    Q_EMIT changed();
}

const QStringList &EntryFormModel::categories() const
{
    return LedgerCategories::forKind(m_kind);
}

bool EntryFormModel::canSave() const
{
    return AmountText::positive(m_amount).has_value() && EntryRules::dateInRange(m_date) &&
           EntryRules::textInRange(m_note);
}

bool EntryFormModel::save(ModelStore &store)
{
    const std::optional<double> amount = AmountText::positive(m_amount);
    if (!amount || !canSave())
        return false;
    if (!m_entry)
        return store.insert(LedgerEntry(*amount, m_date, m_kind, m_category, m_note));

    LedgerEntry edited = *m_entry;
    edited.amount = *amount;
    edited.kindRaw = EntryKinds::rawText(m_kind);
    edited.category = m_category;
    edited.date = m_date;
    edited.note = m_note;
    if (!store.update(edited))
        return false;
    m_entry = edited;
    return true;
}
