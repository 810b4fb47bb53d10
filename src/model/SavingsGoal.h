// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// A savings target; its deposits point here by goalID.
struct SavingsGoal {
    QUuid id;
    QString name;
    double targetAmount = 0;
    QDateTime expectedDate;
    QDateTime createdAt;

    SavingsGoal() = default;
    SavingsGoal(QString name, double targetAmount, QDateTime expectedDate);

    friend bool operator==(const SavingsGoal &a, const SavingsGoal &b) { return a.id == b.id; }
};
