// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// An account of owned assets, of borrowable credit or of a liability. dimension holds the
// raw text of the account's dimension ("自有资产", "可借用资产" or "负债").
struct AssetAccount {
    QUuid id;
    QString name;
    QString kind;
    QString dimension;
    double openingBalance = 0;
    QDateTime createdAt;

    AssetAccount() = default;
    // createdAt defaults to now; unlike other records it can be given.
    AssetAccount(QString name, QString kind, QString dimension, double openingBalance,
                 const QDateTime &createdAt = {});

    friend bool operator==(const AssetAccount &a, const AssetAccount &b) { return a.id == b.id; }
};
