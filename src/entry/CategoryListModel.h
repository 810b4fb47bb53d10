// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The categories of the picker with the caller's current choice. The choice may name a
// category that is not in the list; then no row is selected.
class CategoryListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { SymbolRole = Qt::UserRole + 1, AccentRole, SelectedRole };

    explicit CategoryListModel(QObject *parent = nullptr);

    void setCategories(const QStringList &categories);
    const QStringList &categories() const { return m_categories; }
    void setSelection(const QString &selection);
    QString selection() const { return m_selection; }
    // The row of the selection, or -1.
    int selectedRow() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_categories;
    QString m_selection;
};
