// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Paints one register item as a card: the category symbol on a tinted circle beside the
// name and category, the value, and the months left opposite the useful life.
class FixedAssetCardDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // The width is the narrowest column; the height fits the three lines in the given font.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr int minimumWidth = 270;
    static constexpr qreal radius = 16;
};
