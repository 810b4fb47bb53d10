// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FixedAssetDetailModel.h"

#include "ui/Sheet.h"

#include <QDialog>
#include <QPointer>

class ElidedLabel;
class ModelStore;
class QLabel;
class QMessageBox;
class QPushButton;
class QVBoxLayout;

// "固定资产详情": the item's summary and its "资产信息" rows, read live from the store, with
// the edit form and the deletion behind its alert. It closes itself when the item is gone.
class FixedAssetDetailView final : public Sheet {
    Q_OBJECT

public:
    FixedAssetDetailView(ModelStore &store, const QUuid &id, QWidget *parent = nullptr);

    FixedAssetDetailModel &model() { return m_model; }
    QPushButton *closeButton() const { return cancelButton(); }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    // The open edit form and delete alert, or nullptr.
    QDialog *editSheet() const { return m_editSheet; }
    QMessageBox *deleteAlert() const { return m_alert; }
    // Label and value of each "资产信息" row, as shown.
    QList<FixedAssetDetailModel::InfoRow> shownRows() const;

protected:
    // Months used and left follow today's date on every display.
    void showEvent(QShowEvent *event) override;

private:
    void refresh();

    FixedAssetDetailModel m_model;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QLabel *m_symbol;
    ElidedLabel *m_name;
    ElidedLabel *m_category;
    QLabel *m_value;
    QVBoxLayout *m_rows;
    QList<QPair<QLabel *, QLabel *>> m_shown;
    QPointer<QDialog> m_editSheet;
    QPointer<QMessageBox> m_alert;
};
