#pragma once

#include "AddAssetAmountModel.h"

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;
class SheetToolbar;

// The amount form of an account, titled "<actionTitle>：<name>".
class AddAssetAmountView final : public QDialog {
    Q_OBJECT

public:
    AddAssetAmountView(ModelStore &store, const AssetAccount &account, AssetAmountOperation operation,
                       QWidget *parent = nullptr);

    AddAssetAmountModel &model() { return m_model; }
    QLineEdit *amountField() const { return m_amount; }
    QDateEdit *datePicker() const { return m_date; }
    QLineEdit *noteField() const { return m_note; }
    QPushButton *confirmButton() const;
    QString title() const;

private:
    void refresh();

    AddAssetAmountModel m_model;
    SheetToolbar *m_toolbar;
    QLineEdit *m_amount;
    QDateEdit *m_date;
    QLineEdit *m_note;
};
