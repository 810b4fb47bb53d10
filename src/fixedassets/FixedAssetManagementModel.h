// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FixedAssetListModel.h"

#include <QObject>
#include <QUuid>

#include <optional>

class ModelStore;

// The fixed-asset register without its widgets: the two totals, the item rows, and which
// sheet is open. Everything is recomputed from the store on each change, with "now" read
// afresh.
class FixedAssetManagementModel final : public QObject {
    Q_OBJECT

public:
    explicit FixedAssetManagementModel(ModelStore &store, QObject *parent = nullptr);

    ModelStore &store() const { return m_store; }
    FixedAssetListModel *items() { return &m_items; }
    bool isEmpty() const;

    // The sum of the current values.
    double totalValue() const { return m_totalValue; }
    // The sum of the items' monthly depreciation.
    double totalMonthlyDepreciation() const { return m_totalDepreciation; }

    // "新增固定资产"
    bool showingAdd() const { return m_showingAdd; }
    void setShowingAdd(bool showing);
    // The item whose detail is open.
    std::optional<QUuid> selectedAsset() const { return m_selected; }
    void selectAsset(const QUuid &id);
    void clearSelection();

    void refresh();

Q_SIGNALS:
    void changed();
    void showingAddChanged(bool showing);
    void selectedAssetChanged();

private:
    ModelStore &m_store;
    FixedAssetListModel m_items;
    double m_totalValue = 0;
    double m_totalDepreciation = 0;
    bool m_showingAdd = false;
    std::optional<QUuid> m_selected;
};
