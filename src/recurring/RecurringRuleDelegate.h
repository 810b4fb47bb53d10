// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Paints a recurring rule: the category icon in a tinted circle, the category and note over
// the schedule and its next day, the signed amount, and a trash button at the right end. A
// click on the row asks to edit the rule, a click on the trash button asks to delete it.
class RecurringRuleDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit RecurringRuleDelegate(QObject *parent = nullptr);

    static int rowHeight();
    // Where the trash button of a row painted into rowRect sits.
    static QRect trashRect(const QRect &rowRect);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

Q_SIGNALS:
    void ruleClicked(const QModelIndex &index);
    void trashClicked(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
};
