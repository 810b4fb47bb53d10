// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryKind.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

// One expense or income. Whether the money goes out or comes in is given by kindRaw, never
// by the sign of the amount.
struct LedgerEntry {
    QUuid id;
    double amount = 0;
    QDateTime date;
    QString kindRaw;
    QString category;
    QString note;
    QDateTime createdAt;

    // An empty record, for the store to fill from a stored row.
    LedgerEntry() = default;
    LedgerEntry(double amount, QDateTime date, EntryKind kind, QString category, QString note = {});
    // Dated now.
    LedgerEntry(double amount, EntryKind kind, QString category, QString note = {});

    // income exactly when kindRaw is "收入"; every other text, empty included, is an expense.
    EntryKind kind() const;

    friend bool operator==(const LedgerEntry &a, const LedgerEntry &b) { return a.id == b.id; }
};
