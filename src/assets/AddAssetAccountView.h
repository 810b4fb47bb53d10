// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AddAssetAccountModel.h"

#include "ui/Sheet.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// "新增资产": dimension and kind pickers, an optional name and the current amount.
class AddAssetAccountView final : public Sheet {
    Q_OBJECT

public:
    explicit AddAssetAccountView(ModelStore &store, QWidget *parent = nullptr);

    AddAssetAccountModel &model() { return m_model; }
    QComboBox *dimensionPicker() const { return m_dimension; }
    QComboBox *kindPicker() const { return m_kind; }
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *amountField() const { return m_amount; }
    QPushButton *saveButton() const { return confirmButton(); }

private:
    void refresh();

    AddAssetAccountModel m_model;
    QComboBox *m_dimension;
    QComboBox *m_kind;
    QLineEdit *m_name;
    QLineEdit *m_amount;
};
