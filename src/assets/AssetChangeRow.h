// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AssetAdjustment.h"

#include <QString>
#include <QUuid>

// One amount change as a list shows it: a title over a caption on the left, the amount on the
// right, optionally over a second caption. Built in the core so the item model and the tests
// read the same texts.
struct AssetChangeRow {
    QUuid id;
    QString title;
    QString caption;
    QString amountText;
    // Green when true, red otherwise.
    bool gain = true;
    QString trailingCaption;

    // A change in an account's detail or ledger: the note, or the row title of the wording.
    static AssetChangeRow forAccount(const AssetAdjustment &adjustment, bool liabilityWording);
    // A repayment: the paid account's name over the note, the amount repaid without a sign.
    static AssetChangeRow forRepayment(const AssetAdjustment &adjustment, const QString &accountName);

    // What a screen reader says for the row.
    QString accessibleText() const;
};
