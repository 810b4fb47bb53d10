// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetDimension.h"

#include <QObject>
#include <QString>

class ModelStore;

// The add-account form: a dimension, one of its kinds, an optional name and the amount the
// account holds (or owes) now, which may be zero.
class AddAssetAccountModel final : public QObject {
    Q_OBJECT

public:
    explicit AddAssetAccountModel(ModelStore &store, QObject *parent = nullptr);

    AssetDimension dimension() const { return m_dimension; }
    // Another dimension also resets the kind to its first one.
    void setDimension(AssetDimension dimension);
    QString kind() const { return m_kind; }
    // Only a kind of the current dimension is taken.
    void setKind(const QString &kind);
    QString name() const { return m_name; }
    void setName(const QString &name);
    QString openingBalance() const { return m_openingBalance; }
    void setOpeningBalance(const QString &text);

    // The amount converts strictly to a number of at least 0.
    bool canSave() const;
    // Inserts the account, named after its kind when the trimmed name is empty. False, with
    // nothing stored, for an amount that does not convert or a write the store refused.
    bool save();

Q_SIGNALS:
    void changed();
    void saved();

private:
    ModelStore &m_store;
    AssetDimension m_dimension = AssetDimension::owned;
    QString m_kind;
    QString m_name;
    QString m_openingBalance;
};
