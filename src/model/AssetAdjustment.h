// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// One signed change of an account's amount: positive for an increase, negative for a
// deduction.
struct AssetAdjustment {
    QUuid id;
    QUuid accountID;
    double amount = 0;
    QDateTime date;
    QString note;

    AssetAdjustment() = default;
    // date defaults to now.
    AssetAdjustment(QUuid accountID, double amount, const QDateTime &date = {}, QString note = {});

    friend bool operator==(const AssetAdjustment &a, const AssetAdjustment &b) { return a.id == b.id; }
};
