#pragma once

#include <QAbstractItemView>

// The register's cards in as many columns of at least the card's minimum width as fit, 14
// points apart, every card as wide as its column. The view is as tall as its rows, so the
// page around it does the scrolling. A click, Return or Space opens an item.
class FixedAssetGridView final : public QAbstractItemView {
    Q_OBJECT

public:
    explicit FixedAssetGridView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    int columnCount() const;
    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int spacing = 14;

Q_SIGNALS:
    // The item under a click, or the current one on Return or Space.
    void opened(const QModelIndex &index);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override { return 0; }
    bool isIndexHidden(const QModelIndex &) const override { return false; }
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int columnsFor(int width) const;
    qreal columnWidth() const;
    int cardHeight() const;
    int rowCount() const;
    void fitHeight();

    QPersistentModelIndex m_hovered;
    QPersistentModelIndex m_pressed;
};
