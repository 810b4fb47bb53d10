// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Paints a deposit row: the note (or "存入") above its day in caption size on the left, the
// amount in green on the right. Every row has one height, so any number of rows lays out
// without measuring.
class SavingsDepositDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit SavingsDepositDelegate(QObject *parent = nullptr);

    static int rowHeight();

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
