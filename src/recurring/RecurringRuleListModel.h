// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QUuid>

class ModelStore;
struct RecurringRule;

// The recurring rules as rows, in the order they were made. Each row reads its whole text
// through the display and accessible-text roles; the delegate paints from the other roles.
// The list is reset whenever the store's rules change.
class RecurringRuleListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        TitleRole = Qt::UserRole + 1, // the category, and the note after it when there is one
        ScheduleRole,                 // 「每月 1 日 · 下次 2027年1月1日」
        AmountTextRole,               // the signed money text
        IncomeRole,                   // true for an income rule
        CategoryRole,
        RuleIdRole,
    };

    explicit RecurringRuleListModel(ModelStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const RecurringRule *ruleAt(const QModelIndex &index) const;
    // Removes the rule from the store, as one step the window's undo can take back; the entries
    // it wrote stay. False when there is no such rule or the store refused.
    bool removeRule(const QUuid &id);

    // The confirmation before a rule goes: the entries it wrote stay.
    static QString deleteTitle();
    static QString deleteMessage(const RecurringRule &rule);

private:
    ModelStore &m_store;
    int m_rows = 0;
};
