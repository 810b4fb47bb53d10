// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CategoryRule.h"
#include "model/EntryKind.h"
#include "model/LedgerEntry.h"
#include "model/RecordRange.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class ModelStore;

// What the person's own books say about where a merchant or a note belongs, asked before the
// shared tables by the importer and the sentence parser.
//
// Two sources, in this order:
//  1. the rules the person made (以后 <交易对方或备注> 都记为 <分类>), on the exact text;
//  2. votes of the entries: every entry files its note's words under its category. The words
//     of a note are the note lower-cased without digits, blanks and punctuation, so
//     「美团订单-2024031812」 and 「美团订单 2024032011」 vote together. The category with the
//     most entries of the kind wins; on a tie the one of the newest entry. Entries in 其它 or
//     其他收入 say nothing and do not vote.
// Learning is one pass over the entries when the memory is made, nothing is stored beside
// them: changing or deleting the entries changes what it has learned, and a rule goes when it
// is removed in 设置.
class CategoryMemory {
public:
    CategoryMemory() = default;
    static CategoryMemory of(const ModelStore &store);
    static CategoryMemory learn(RecordRange<LedgerEntry> entries, const std::vector<CategoryRule> &rules);

    // The category of the person's rule for this exact (trimmed) text and kind.
    std::optional<QString> ruleFor(const QString &text, EntryKind kind) const;
    // The category the person's entries with these note words are filed under.
    std::optional<QString> learnedFor(const QString &text, EntryKind kind) const;
    // The rule, else what was learned.
    std::optional<QString> categoryFor(const QString &text, EntryKind kind) const;

    // The words of a note, as the votes are counted by.
    static QString wordsOf(const QString &note);

    bool isEmpty() const { return m_rules.isEmpty() && m_learned.isEmpty(); }

private:
    static QString keyOf(EntryKind kind, const QString &text);

    QHash<QString, QString> m_rules;   // kind + exact text → category
    QHash<QString, QString> m_learned; // kind + note words → category
};
