// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// A long-held item of value: property, a vehicle, a device, furniture.
struct FixedAsset {
    QUuid id;
    QString category;
    QString name;
    double currentValue = 0;
    QDateTime purchaseDate;
    qint64 usefulLifeMonths = 0;
    QString note;
    QDateTime createdAt;

    FixedAsset() = default;
    FixedAsset(QString category, QString name, double currentValue, QDateTime purchaseDate,
               qint64 usefulLifeMonths, QString note = {});
    // Bought now.
    FixedAsset(QString category, QString name, double currentValue, qint64 usefulLifeMonths,
               QString note = {});

    friend bool operator==(const FixedAsset &a, const FixedAsset &b) { return a.id == b.id; }
};
