// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// Paints the rows of the bills list: a day header, or an entry as the shared entry row with
// a trash button at its right end. A click on an entry row asks to edit it, a click on its
// trash button asks to delete it; the view decides what follows.
class BillsDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit BillsDelegate(QObject *parent = nullptr);

    // Every row has this height, so the view lays out any number of rows without measuring
    // them.
    static int rowHeight();
    // Where the trash button of an entry row painted into rowRect sits.
    static QRect trashRect(const QRect &rowRect);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

Q_SIGNALS:
    void entryClicked(const QModelIndex &index);
    void trashClicked(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    const QPixmap &trashIcon(qreal devicePixelRatio) const;

    mutable QPixmap m_trash;
};
