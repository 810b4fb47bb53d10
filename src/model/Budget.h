#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

// One spending limit for one expense category within a budget period. A budget without a
// period belongs to the month named by monthKey.
struct Budget {
    QUuid id;
    QString category;
    double limit = 0;
    QString monthKey;
    std::optional<QDateTime> periodStart;
    std::optional<QDateTime> periodEnd;

    Budget() = default;
    // month defaults to now; monthKey is taken from it.
    Budget(QString category, double limit, const QDateTime &month = {},
           std::optional<QDateTime> periodStart = {}, std::optional<QDateTime> periodEnd = {});

    friend bool operator==(const Budget &a, const Budget &b) { return a.id == b.id; }
};
