// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QPersistentModelIndex>

#include <utility>

// A list of the root's rows in one column, every row one height and as wide as the view, so
// that a row's place is its number times that height. QListView lays out its rows by visiting
// each one on every reset, insertion and removal, even when they all have one size; this view
// keeps no table of places, so a list of a million rows opens and changes as fast as one of
// ten. Scrolling is by pixel.
class FixedRowListView final : public QAbstractItemView {
    Q_OBJECT

public:
    explicit FixedRowListView(QWidget *parent = nullptr);

    void setRowHeight(int height);
    int rowHeight() const { return m_rowHeight; }

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    int rowCount() const;
    // The rows whose band of the contents crosses [top, bottom] in viewport pixels, clamped to
    // the rows there are; first > last when none does.
    std::pair<int, int> rowsBetween(int top, int bottom) const;
    QRect rowRect(int row) const;
    void setHovered(const QModelIndex &index);

    int m_rowHeight = 1;
    // The row under the pointer, drawn as hovered.
    QPersistentModelIndex m_hovered;
};
