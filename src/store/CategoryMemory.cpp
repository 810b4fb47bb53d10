// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryMemory.h"

#include "ModelStore.h"
#include "model/CategoryKeywords.h"

using namespace Qt::StringLiterals;

namespace {

struct Vote {
    QString category;
    EntryKind kind;
    int count;
    // The place of its newest entry, newest first: the smaller wins a tie.
    qsizetype newest;
};

} // namespace

QString CategoryMemory::keyOf(EntryKind kind, const QString &text)
{
    return (kind == EntryKind::income ? u"+"_s : u"-"_s) + text;
}

QString CategoryMemory::wordsOf(const QString &note)
{
    QString words;
    words.reserve(note.size());
    for (const QChar c : note) {
        if (c.isDigit() || c.isSpace() || c.isPunct() || c.isSymbol())
            continue;
        words.append(c.toLower());
    }
    return words;
}

CategoryMemory CategoryMemory::of(const ModelStore &store)
{
    return learn(store.entries(), store.categoryRules());
}

CategoryMemory CategoryMemory::learn(RecordRange<LedgerEntry> entries, const std::vector<CategoryRule> &rules)
{
    CategoryMemory memory;
    for (const CategoryRule &rule : rules) {
        if (const std::optional<EntryKind> kind = EntryKinds::fromRaw(rule.kindRaw))
            memory.m_rules.insert(keyOf(*kind, rule.counterparty.trimmed()), rule.category);
    }

    const QString expenseFallback = CategoryKeywords::fallback(EntryKind::expense);
    const QString incomeFallback = CategoryKeywords::fallback(EntryKind::income);
    // Notes repeat (and share one copy of their text), so the votes are first counted per note
    // as written and only each different note is reduced to its words.
    QHash<QString, std::vector<Vote>> byNote;
    qsizetype place = 0;
    for (const LedgerEntry &entry : entries) {
        ++place;
        if (entry.note.isEmpty() || entry.category == expenseFallback || entry.category == incomeFallback)
            continue;
        const EntryKind kind = entry.kind();
        std::vector<Vote> &votes = byNote[entry.note];
        auto vote = std::find_if(votes.begin(), votes.end(), [&](const Vote &v) {
            return v.kind == kind && v.category == entry.category;
        });
        if (vote == votes.end())
            votes.push_back({entry.category, kind, 1, place});
        else
            ++vote->count;
    }
    QHash<QString, std::vector<Vote>> byWords;
    for (auto it = byNote.cbegin(); it != byNote.cend(); ++it) {
        const QString words = wordsOf(it.key());
        if (words.isEmpty())
            continue;
        for (const Vote &vote : it.value()) {
            std::vector<Vote> &votes = byWords[keyOf(vote.kind, words)];
            auto same = std::find_if(votes.begin(), votes.end(),
                                     [&](const Vote &v) { return v.category == vote.category; });
            if (same == votes.end()) {
                votes.push_back(vote);
            } else {
                same->count += vote.count;
                same->newest = std::min(same->newest, vote.newest);
            }
        }
    }
    memory.m_learned.reserve(byWords.size());
    for (auto it = byWords.cbegin(); it != byWords.cend(); ++it) {
        const Vote &winner =
            *std::min_element(it.value().begin(), it.value().end(), [](const Vote &a, const Vote &b) {
                return a.count != b.count ? a.count > b.count : a.newest < b.newest;
            });
        memory.m_learned.insert(it.key(), winner.category);
    }
    return memory;
}

std::optional<QString> CategoryMemory::ruleFor(const QString &text, EntryKind kind) const
{
    if (m_rules.isEmpty())
        return std::nullopt;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const auto found = m_rules.constFind(keyOf(kind, trimmed));
    if (found == m_rules.cend())
        return std::nullopt;
    return *found;
}

std::optional<QString> CategoryMemory::learnedFor(const QString &text, EntryKind kind) const
{
    if (m_learned.isEmpty())
        return std::nullopt;
    const QString words = wordsOf(text);
    if (words.isEmpty())
        return std::nullopt;
    const auto found = m_learned.constFind(keyOf(kind, words));
    if (found == m_learned.cend())
        return std::nullopt;
    return *found;
}

std::optional<QString> CategoryMemory::categoryFor(const QString &text, EntryKind kind) const
{
    if (std::optional<QString> rule = ruleFor(text, kind))
        return rule;
    return learnedFor(text, kind);
}
