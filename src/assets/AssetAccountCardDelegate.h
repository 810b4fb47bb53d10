// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Paints an account card of the grid: the kind's badge beside the name over the kind, then the
// balance and a "管理" button. A click on the button (or Return on the card) asks to manage it.
class AssetAccountCardDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit AssetAccountCardDelegate(QObject *parent = nullptr);

    static int cardHeight() { return 104; }
    static int minimumCardWidth() { return 245; }
    static constexpr qreal radius = 14;
    static QRect manageRect(const QRect &cardRect);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

Q_SIGNALS:
    void manageClicked(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
};
