// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EntryKind.h"
#include "store/CategoryMemory.h"

#include <QHash>
#include <QString>

#include <functional>
#include <optional>

struct ImportRow;

// Puts one of our categories on an imported row. A category the file names as the user's own
// (a QIF category) comes first when fileCategory() finds one of ours for it. Otherwise the
// first that applies:
//  1. the user's rule for the row's counterparty, merchandise or note;
//  2. what the user's own entries say about the merchandise, then the counterparty
//     (CategoryMemory);
//  3. the merchant table (CategoryWordTable::merchants) on the merchandise, then the
//     counterparty;
//  4. the file's own category text: where it plainly is one of ours (餐饮美食 is 餐饮) or
//     another program's name for one (Groceries is 买菜), that one, else the merchant table on it;
//  5. 其它 for an expense, 其他收入 for an income.
// A category that is not in our list for the row's kind never comes out of any step. One
// categoriser serves one reading at a time (it keeps what it found for the file's categories).
class ImportCategorizer {
public:
    // The user's category for a counterparty and kind, or nothing; the store supplies it.
    using CounterpartyRule =
        std::function<std::optional<QString>(const QString &counterparty, EntryKind kind)>;

    ImportCategorizer() = default;
    explicit ImportCategorizer(CounterpartyRule rule);
    // Rules as a plain table from the exact (trimmed) counterparty to a category.
    static ImportCategorizer fromTable(const QHash<QString, QString> &categoryByCounterparty);

    QString categoryFor(const ImportRow &row) const;

    // The user's rules and what their entries teach, asked after the counterparty rule above.
    void setMemory(CategoryMemory memory);

    // The user's choice of our category for each of a file's category names, as
    // ImportResult::unmatchedCategories lists them.
    void setFileCategories(const QHash<QString, QString> &ourCategoryByFileCategory);
    // Our category for a category the file itself names ("食品:餐饮/家庭", with an optional
    // "/class"): the user's choice for that name, else the name or, from the innermost, one
    // of its ":" parts when it is one of ours. Nothing when none is.
    std::optional<QString> fileCategory(const QString &fileCategory, EntryKind kind) const;

    // Step 3 alone: our category for a file's own category text, or nothing.
    static std::optional<QString> mappedSourceCategory(const QString &sourceCategory, EntryKind kind);

private:
    CounterpartyRule m_rule;
    QHash<QString, QString> m_fileCategories;
    CategoryMemory m_memory;
    // Our category, or an empty text for none, of each file category text and kind met: a file
    // holds few different ones on many lines.
    mutable QHash<QString, QString> m_sourceCategories;
};
