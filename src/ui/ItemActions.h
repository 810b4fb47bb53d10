// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QModelIndex>
#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

class QAbstractItemView;

// What can be done to the rows of an item view besides reading them: opening a row, deleting
// it, each doing what the screen's own click, button or key does. Made as a child of the view
// before anything asks for the view's accessible interface; assistive technology then sees
// every row as one item carrying these actions (ItemListAccessible).
class ItemActions final : public QObject {
    Q_OBJECT

public:
    using Run = std::function<void(const QModelIndex &)>;
    using Applies = std::function<bool(const QModelIndex &)>;

    explicit ItemActions(QAbstractItemView *view);

    // An action on the rows for which applies is true, or on every row without it.
    void add(const QString &name, Run run, Applies applies = {});

    QStringList names(const QModelIndex &index) const;
    // Runs the action on the row; false when the row has no such action.
    bool trigger(const QString &name, const QModelIndex &index) const;

    static ItemActions *of(const QAbstractItemView *view);
    // The name of the deleting action, in the program's language: assistive technology has no
    // standard one.
    static QString deleteAction();

private:
    struct Action {
        QString name;
        Run run;
        Applies applies;
    };
    std::vector<Action> m_actions;
};
