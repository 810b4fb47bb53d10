// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Which column of a CSV file or sheet holds which field of an entry, by 0-based column
// index; -1 is "no such column". A plain value: the import sheet edits it and the store
// keeps it, as toText(), under the file's headerKey().
struct ColumnMapping {
    // The date, or date and time together.
    int date = -1;
    // A separate time of day, if any.
    int time = -1;
    // Either one signed amount (negative is an expense, unless a kind column says otherwise)...
    int amount = -1;
    // ... or separate income and expense columns; a row fills one of them.
    int income = -1;
    int expense = -1;
    // 收入/支出 (also 收/支, income/expense, 贷/借); a row that says neither is not imported.
    int kind = -1;
    int category = -1;
    int note = -1;
    int counterparty = -1;

    // A date and either an amount column or at least one of income and expense.
    bool isComplete() const;

    // "date=0;time=-1;amount=3;..." and back; fromText() gives nothing for a malformed text.
    QString toText() const;
    static std::optional<ColumnMapping> fromText(const QString &text);

    // A guess from the header line's words (Chinese and English, such as 交易日期, 金额,
    // 收入金额, 摘要, Date, Amount, Memo). Each column takes at most one field.
    static ColumnMapping guess(const QStringList &header);

    // The same key for every file whose header line has the same column names (compared
    // trimmed and case-insensitively), whatever its delimiter, quoting or encoding.
    static QString headerKey(const QStringList &header);

    friend bool operator==(const ColumnMapping &, const ColumnMapping &) = default;
};
