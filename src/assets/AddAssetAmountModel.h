// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetWording.h"
#include "model/AssetAccount.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

class ModelStore;

// The amount form of an account: a positive amount, a day and an optional note. Saving stores
// +amount for an increase and -amount for a deduction (a repayment, on a liability).
class AddAssetAmountModel final : public QObject {
    Q_OBJECT

public:
    AddAssetAmountModel(ModelStore &store, AssetAccount account, AssetAmountOperation operation,
                        QObject *parent = nullptr);

    const AssetAccount &account() const { return m_account; }
    AssetAmountOperation operation() const { return m_operation; }
    QString actionTitle() const;
    // "<actionTitle>：<name>"
    QString title() const;
    QString confirmText() const;

    QString amount() const { return m_amount; }
    void setAmount(const QString &text);
    QDateTime date() const { return m_date; }
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setDay(QDate day);
    QString note() const { return m_note; }
    void setNote(const QString &note);

    // The amount converts strictly to a number greater than 0.
    bool canSave() const;
    // Inserts the change; the note is kept exactly as typed. False, with nothing stored, for
    // an invalid amount or a write the store refused.
    bool save();

Q_SIGNALS:
    void changed();
    void saved();

private:
    bool liability() const;

    ModelStore &m_store;
    AssetAccount m_account;
    AssetAmountOperation m_operation;
    QString m_amount;
    QDateTime m_date;
    QString m_note;
};
