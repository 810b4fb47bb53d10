// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Sheet.h"

class FixedAssetFormModel;
class ModelStore;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

// The sheet both fixed-asset forms share: category, name, value, purchase day, useful life
// and note, with "取消" and the saving button in its toolbar. The saving button is enabled
// exactly while the model can save, and the sheet closes once a save has gone through.
class FixedAssetFormView : public Sheet {
    Q_OBJECT

public:
    FixedAssetFormModel &model() const { return *m_model; }

    QComboBox *categoryMenu() const { return m_category; }
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *amountField() const { return m_amount; }
    QDateEdit *purchaseDayField() const { return m_purchaseDay; }
    QLineEdit *lifeField() const { return m_life; }
    QLineEdit *noteField() const { return m_note; }
    QPushButton *saveButton() const { return confirmButton(); }

protected:
    // Takes the model; noteLabel differs between the two forms.
    FixedAssetFormView(ModelStore &store, FixedAssetFormModel *model, const QString &title,
                       const QString &confirmText, const QString &noteLabel, QWidget *parent);

private:
    void refresh();
    void save();

    ModelStore &m_store;
    FixedAssetFormModel *m_model;
    QComboBox *m_category;
    QLineEdit *m_name;
    QLineEdit *m_amount;
    QDateEdit *m_purchaseDay;
    QLineEdit *m_life;
    QLineEdit *m_note;
};
