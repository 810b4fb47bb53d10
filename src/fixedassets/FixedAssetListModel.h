// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QDateTime>

class ModelStore;

// The register's items as rows, in the store's order (newest created first), with the texts
// a card shows. Months left are taken as of the last refresh, which the screen repeats
// whenever it is shown, so they follow today's date.
class FixedAssetListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        CategoryRole,
        // The category's symbol name.
        IconRole,
        // The money text of the current value.
        ValueTextRole,
        // "剩余 42 个月"
        MonthsLeftTextRole,
        // "寿命 60 个月"
        LifeTextRole,
    };

    explicit FixedAssetListModel(ModelStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Re-reads the store and Clock::now().
    void refresh();

private:
    ModelStore &m_store;
    QDateTime m_now;
};
