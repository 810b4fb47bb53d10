// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// One amount put toward a savings goal. It has no creation time of its own.
struct SavingsDeposit {
    QUuid id;
    QUuid goalID;
    double amount = 0;
    QDateTime date;
    QString note;

    SavingsDeposit() = default;
    // date defaults to now.
    SavingsDeposit(QUuid goalID, double amount, const QDateTime &date = {}, QString note = {});

    friend bool operator==(const SavingsDeposit &a, const SavingsDeposit &b) { return a.id == b.id; }
};
