// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetChangeRow.h"

#include <QAbstractListModel>

#include <vector>

// Amount changes as a flat list for a list view. The rows' texts come ready from the screen
// model; the list is reset whenever that model recomputes.
class AssetChangeListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        CaptionRole,
        AmountTextRole,
        GainRole,
        TrailingCaptionRole,
    };

    explicit AssetChangeListModel(QObject *parent = nullptr);

    void setRows(const std::vector<AssetChangeRow> &rows);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::vector<AssetChangeRow> m_rows;
};
