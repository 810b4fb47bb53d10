// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EntryKind.h"
#include "model/LedgerEntry.h"

#include <QString>

#include <optional>
#include <vector>

class ModelStore;

// The entries chosen together in 账单 and what can be done to all of them at once: one
// category set on every one, or all deleted, each one write and one undo step. The view
// hands over the chosen entries; the figures it shows and the rules live here.
class BillsSelection {
public:
    explicit BillsSelection(ModelStore &store);

    void setEntries(std::vector<LedgerEntry> entries);
    const std::vector<LedgerEntry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    // 「已选 N 笔」, what the bar shows and a screen reader says.
    QString countText() const;

    // The kind every chosen entry has; nothing when they mix both kinds or none is chosen. A
    // category is set only on entries of one kind, since no category is of both.
    std::optional<EntryKind> kind() const;
    bool canSetCategory() const { return kind().has_value(); }
    // The note every chosen entry shares, the merchant or counterparty that an import wrote
    // there; empty when they differ.
    QString sharedMerchant() const;
    // 「以后 <merchant> 都记为 <category>」, or empty when there is no shared merchant.
    QString ruleOffer(const QString &category) const;

    // Sets the category on every chosen entry in one write. With remember (and a shared
    // merchant), also keeps the rule that files that merchant's later lines and sentences of
    // the kind there. False, with nothing changed, when the category is not of the entries'
    // kind or the write failed.
    bool setCategory(const QString &category, bool remember);
    // Deletes every chosen entry in one write.
    bool removeAll();

private:
    ModelStore &m_store;
    std::vector<LedgerEntry> m_entries;
};
