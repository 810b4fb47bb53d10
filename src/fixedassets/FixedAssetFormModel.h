// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/FixedAsset.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

class ModelStore;

// The fields of the add and edit forms. A new form starts at "房产", bought now, a life of
// 60 months; an edit form starts from a copy of its item, with the value written "%.2f", and
// writes nothing into the item until save() succeeds.
class FixedAssetFormModel final : public QObject {
    Q_OBJECT

public:
    // A form for a new item.
    explicit FixedAssetFormModel(QObject *parent = nullptr);
    // A form that edits this stored item.
    explicit FixedAssetFormModel(const FixedAsset &asset, QObject *parent = nullptr);

    bool isEditing() const { return m_asset.has_value(); }

    QString category() const { return m_category; }
    void setCategory(const QString &category);
    QString name() const { return m_name; }
    void setName(const QString &name);
    QString amount() const { return m_amount; }
    void setAmount(const QString &amount);
    QDateTime purchaseDate() const { return m_purchaseDate; }
    void setPurchaseDate(const QDateTime &date);
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setPurchaseDay(QDate day);
    QString lifeMonths() const { return m_lifeMonths; }
    void setLifeMonths(const QString &lifeMonths);
    QString note() const { return m_note; }
    void setNote(const QString &note);

    // A name that is not blank once trimmed, a value of at least 0 by the strict amount rule
    // and a life of at least one month.
    bool canSave() const;
    // Inserts the new item, or writes the fields into the edited one (its id and creation
    // time stay). False, with nothing stored, when a field is not valid or the store refused.
    bool save(ModelStore &store);

Q_SIGNALS:
    void changed();

private:
    template <class T> void assign(T &field, const T &value);

    std::optional<FixedAsset> m_asset;
    QString m_category;
    QString m_name;
    QString m_amount;
    QDateTime m_purchaseDate;
    QString m_lifeMonths;
    QString m_note;
};
