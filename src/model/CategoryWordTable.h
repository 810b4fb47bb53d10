// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryKind.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

// A table of words and the category each one files a text under, read from a data file of the
// program (data/categories, built in as resources): one row a kind (支出, 收入, or * for both),
// a category (- for a word that names nothing but shields the shorter words inside it) and the
// words, separated by |. Read once, on first use.
class CategoryWordTable {
public:
    // Merchants, brands and words of payment bills and bank statements.
    static const CategoryWordTable &merchants();
    // Category names that other bookkeeping programs write in their exports.
    static const CategoryWordTable &peerNames();

    // Reads a table from its text; rows that do not read are left out, with their categories
    // checked against our list of the kind.
    static CategoryWordTable fromText(const QString &text);

    // The category of the longest word of the kind found in the text. A word found inside a
    // longer word that covers it (会员 inside 蚂蚁会员) does not count; on equal length the
    // earlier wins. Latin letters match whatever their case, and only as whole words.
    std::optional<QString> findIn(const QString &text, EntryKind kind) const;

    // The category of a name that is one of the table's words as a whole, without regard to
    // case, blanks, punctuation or "&" for "and"; else of the longest run of its words that is
    // one (the later on equal length: "Home Phone" is a phone), for names of several words.
    std::optional<QString> nameOf(const QString &name, EntryKind kind) const;

    int wordCount() const { return int(m_words[0].size() + m_words[1].size()); }

private:
    struct Word {
        QString category; // empty for a shield
    };
    static int side(EntryKind kind) { return kind == EntryKind::income ? 1 : 0; }
    static QString normalisedName(const QString &name);

    // Lower-case word to its category, per kind (expense, income).
    QHash<QString, Word> m_words[2];
    // The lengths of the words that start with each character, longest first, per kind: most
    // places of a text start no word, and the others only a few lengths.
    QHash<QChar, std::vector<qsizetype>> m_lengths[2];
};
