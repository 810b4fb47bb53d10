// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>

// A model's rows as cards in as many columns of at least the minimum width as fit, the
// spacing apart, every card as wide as its column. The view is as tall as its rows, so the
// page around it does the scrolling. The arrow keys move between cards and a frame marks the
// current one while the grid has the focus; a click (when clicks open), Return, Enter or Space
// opens it, and Delete asks for its deletion. Each row is one accessible item named by the
// model's accessible text, with "press" to open it and "删除" to ask for its deletion.
//
// Cards are painted by the item delegate, as tall as its size hint; a row that has an index
// widget shows that widget instead, as tall as the widget asks.
class CardGrid final : public QAbstractItemView {
    Q_OBJECT

public:
    explicit CardGrid(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    void setMinimumColumnWidth(int width);
    int minimumColumnWidth() const { return m_minimumColumnWidth; }
    void setSpacing(int spacing);
    int spacing() const { return m_spacing; }
    // The corner radius of the cards, which the focus frame follows.
    void setCardRadius(qreal radius);
    // Whether a click on a card opens it; otherwise the delegate handles clicks itself.
    void setClickOpens(bool opens) { m_clickOpens = opens; }

    // Opens the card, as a click or Return does; for assistive technology's "press".
    void open(const QModelIndex &index);

    // The columns that fit a width of the contents.
    int columnsFor(int width) const;
    int columnCount() const;
    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The item under a click, or the current one on Return, Enter or Space.
    void opened(const QModelIndex &index);
    // The current card on Delete. The screen decides, and asks the user, as its own delete
    // button does.
    void deleteRequested(const QModelIndex &index);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override { return 0; }
    bool isIndexHidden(const QModelIndex &) const override { return false; }
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    // Also where a new index widget arrives, which can change the height of the cards.
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    qreal columnWidth() const;
    int cardHeight() const;
    int rowCount() const;
    void fitHeight();
    void placeFocusFrame();

    int m_minimumColumnWidth = 270;
    int m_spacing = 14;
    qreal m_cardRadius = 14;
    bool m_clickOpens = true;
    QWidget *m_focusFrame;
    QPersistentModelIndex m_hovered;
    QPersistentModelIndex m_pressed;
};
