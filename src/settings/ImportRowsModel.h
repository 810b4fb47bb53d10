// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

class ImportSheetModel;

// The import sheet's rows as a table: a tick, the date, the kind, the category (editable), the
// amount, the note and what is known of the row (可能重复, 已导入). Texts are made for the rows in
// sight only, so a bill of a hundred thousand lines scrolls as one of ten.
class ImportRowsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { tick, date, kind, category, amount, note, status, columnCount_ };
    // The row's kind ("支出" or "收入") under this role, for the category editor.
    static constexpr int kindRole = Qt::UserRole + 1;

    explicit ImportRowsModel(ImportSheetModel &sheet, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool isRow(const QModelIndex &index) const;
    QString text(int row, int column) const;

    ImportSheetModel &m_sheet;
};
