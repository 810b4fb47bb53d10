// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetChangeRow.h"
#include "AssetWording.h"
#include "model/AssetAccount.h"

#include <QList>
#include <QObject>
#include <QUuid>

#include <optional>
#include <vector>

class ModelStore;

// One account's detail: its balance and every change of it, newest first; the open amount
// form or ledger; the pending deletion of the whole account.
class AssetAccountDetailModel final : public QObject {
    Q_OBJECT

public:
    AssetAccountDetailModel(ModelStore &store, AssetAccount account, QObject *parent = nullptr);

    ModelStore &store() const { return m_store; }
    const AssetAccount &account() const { return m_account; }
    bool isLiability() const;
    // False once the account is no longer in the store.
    bool exists() const { return m_exists; }

    // The adjustments of the account in the store's order (newest date first).
    const std::vector<AssetAdjustment> &accountAdjustments() const { return m_adjustments; }
    const std::vector<AssetChangeRow> &rows() const { return m_rows; }
    double balance() const { return m_balance; }

    QString title() const { return AssetWording::detailTitle(isLiability()); }

    const std::optional<AssetAmountOperation> &operation() const { return m_operation; }
    bool showingLedger() const { return m_showingLedger; }
    bool confirmingDelete() const { return m_confirmingDelete; }
    void startOperation(AssetAmountOperation operation);
    void showLedger();
    void requestDelete();
    // The amount form, the ledger or the confirmation closed by any route.
    void closeSheet();

    // Removes the changes at once, without asking; a change of another account is ignored.
    bool removeAdjustments(const QList<QUuid> &ids);
    // Removes the account and all its changes in one transaction: all or none.
    bool deleteAccount();

    static QString deleteTitle();
    static QString deleteMessage();

    void recompute();

Q_SIGNALS:
    void changed();
    void sheetChanged();
    // The account is gone: the detail closes.
    void accountRemoved();

private:
    ModelStore &m_store;
    AssetAccount m_account;
    bool m_exists = true;
    std::vector<AssetAdjustment> m_adjustments;
    std::vector<AssetChangeRow> m_rows;
    double m_balance = 0;
    std::optional<AssetAmountOperation> m_operation;
    bool m_showingLedger = false;
    bool m_confirmingDelete = false;
};
