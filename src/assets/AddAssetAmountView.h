// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AddAssetAmountModel.h"

#include "ui/Sheet.h"

class QDateEdit;
class QLineEdit;
class QPushButton;

// The amount form of an account, titled "<actionTitle>：<name>".
class AddAssetAmountView final : public Sheet {
    Q_OBJECT

public:
    AddAssetAmountView(ModelStore &store, const AssetAccount &account, AssetAmountOperation operation,
                       QWidget *parent = nullptr);

    AddAssetAmountModel &model() { return m_model; }
    QLineEdit *amountField() const { return m_amount; }
    QDateEdit *datePicker() const { return m_date; }
    QLineEdit *noteField() const { return m_note; }
    QString title() const;

private:
    void refresh();

    AddAssetAmountModel m_model;
    QLineEdit *m_amount;
    QDateEdit *m_date;
    QLineEdit *m_note;
};
