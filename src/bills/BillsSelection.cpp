// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsSelection.h"

#include "model/LedgerCategories.h"
#include "store/ModelStore.h"

#include <utility>

using namespace Qt::StringLiterals;

BillsSelection::BillsSelection(ModelStore &store) : m_store(store) {}

void BillsSelection::setEntries(std::vector<LedgerEntry> entries)
{
    m_entries = std::move(entries);
}

QString BillsSelection::countText() const
{
    return u"已选 %1 笔"_s.arg(m_entries.size());
}

std::optional<EntryKind> BillsSelection::kind() const
{
    if (m_entries.empty())
        return std::nullopt;
    const EntryKind first = m_entries.front().kind();
    for (const LedgerEntry &entry : m_entries) {
        if (entry.kind() != first)
            return std::nullopt;
    }
    return first;
}

QString BillsSelection::sharedMerchant() const
{
    if (m_entries.empty())
        return {};
    const QString note = m_entries.front().note.trimmed();
    for (const LedgerEntry &entry : m_entries) {
        if (entry.note.trimmed() != note)
            return {};
    }
    return note;
}

QString BillsSelection::ruleOffer(const QString &category) const
{
    const QString merchant = sharedMerchant();
    if (merchant.isEmpty() || category.isEmpty())
        return {};
    return u"以后 %1 都记为 %2"_s.arg(merchant, category);
}

bool BillsSelection::setCategory(const QString &category, bool remember)
{
    const std::optional<EntryKind> shared = kind();
    if (!shared || !LedgerCategories::forKind(*shared).contains(category))
        return false;
    // Taken before the write: the list the entries were chosen in is rebuilt by it.
    const QString merchant = sharedMerchant();
    std::vector<LedgerEntry> changed;
    changed.reserve(m_entries.size());
    for (const LedgerEntry &entry : m_entries) {
        if (entry.category == category)
            continue;
        LedgerEntry updated = entry;
        updated.category = category;
        changed.push_back(std::move(updated));
    }
    if (!changed.empty() && !m_store.updateEntries(changed))
        return false;
    if (remember && !merchant.isEmpty())
        m_store.setCategoryRule({merchant, EntryKinds::rawText(*shared), category});
    for (LedgerEntry &entry : m_entries)
        entry.category = category;
    return true;
}

bool BillsSelection::removeAll()
{
    if (m_entries.empty())
        return true;
    ModelStore::Removal removal;
    for (const LedgerEntry &entry : m_entries)
        removal.add<LedgerEntry>(entry.id);
    if (!m_store.remove(removal))
        return false;
    m_entries.clear();
    return true;
}
