// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// Paints an amount change: title over caption on the left, the coloured amount (over an
// optional caption) on the right. A deletable list also gets a trash button at the row's end.
class AssetChangeDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit AssetChangeDelegate(bool deletable, QObject *parent = nullptr);

    static int rowHeight() { return 54; }
    static QRect trashRect(const QRect &rowRect);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

Q_SIGNALS:
    void trashClicked(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    bool m_deletable;
};
