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
    // 币种: a line in any currency but yuan is left out, never read as yuan.
    int currency = -1;
    // A credit card's statement: a positive amount is spending, a negative one a repayment or
    // refund (正数为支出). Only for one signed amount column without a kind column.
    bool expensePositive = false;

    // A date and either an amount column or at least one of income and expense.
    bool isComplete() const;

    // "date=0;time=-1;amount=3;...;expensePositive=0" and back; fromText() gives nothing for a
    // malformed text, and a text written before a field existed leaves that field unset.
    QString toText() const;
    static std::optional<ColumnMapping> fromText(const QString &text);

    // A guess from the header line's words (Chinese and English, such as 交易日, 记账日期, 金额,
    // 收入金额, 存入/支取, 摘要, 币种, Date, Amount, Memo). Each column takes at most one field.
    // A header that speaks of 消费 or 还款 beside one amount column is a card's: positive is
    // spending.
    static ColumnMapping guess(const QStringList &header);

    // The same key for every file whose header line has the same column names (compared
    // trimmed and case-insensitively), whatever its delimiter, quoting or encoding.
    static QString headerKey(const QStringList &header);

    friend bool operator==(const ColumnMapping &, const ColumnMapping &) = default;
};
