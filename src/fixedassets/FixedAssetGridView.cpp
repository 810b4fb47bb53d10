#include "FixedAssetGridView.h"

#include "FixedAssetCardDelegate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

#include <algorithm>

using namespace Qt::StringLiterals;

FixedAssetGridView::FixedAssetGridView(QWidget *parent) : QAbstractItemView(parent)
{
    setItemDelegate(new FixedAssetCardDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::PointingHandCursor);
    setAccessibleName(u"固定资产列表"_s);
}

void FixedAssetGridView::setModel(QAbstractItemModel *model)
{
    QAbstractItemView::setModel(model);
    if (!model)
        return;
    // Any change of rows changes the height the page must give the grid.
    connect(model, &QAbstractItemModel::modelReset, this, &FixedAssetGridView::fitHeight);
    connect(model, &QAbstractItemModel::layoutChanged, this, &FixedAssetGridView::fitHeight);
    connect(model, &QAbstractItemModel::rowsInserted, this, &FixedAssetGridView::fitHeight);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FixedAssetGridView::fitHeight);
    fitHeight();
}

int FixedAssetGridView::columnsFor(int width) const
{
    return std::max(1, (width + spacing) / (FixedAssetCardDelegate::minimumWidth + spacing));
}

int FixedAssetGridView::columnCount() const
{
    return columnsFor(contentsRect().width());
}

qreal FixedAssetGridView::columnWidth() const
{
    const int columns = columnCount();
    return (contentsRect().width() - (columns - 1) * spacing) / qreal(columns);
}

int FixedAssetGridView::cardHeight() const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return itemDelegate()->sizeHint(option, QModelIndex()).height();
}

int FixedAssetGridView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int FixedAssetGridView::heightForWidth(int width) const
{
    const int count = rowCount();
    if (count == 0)
        return 0;
    const int columns = columnsFor(width);
    const int rows = (count + columns - 1) / columns;
    return rows * cardHeight() + (rows - 1) * spacing;
}

QSize FixedAssetGridView::sizeHint() const
{
    return {FixedAssetCardDelegate::minimumWidth, heightForWidth(std::max(width(), 1))};
}

QSize FixedAssetGridView::minimumSizeHint() const
{
    return {FixedAssetCardDelegate::minimumWidth, 0};
}

void FixedAssetGridView::fitHeight()
{
    setFixedHeight(heightForWidth(width()));
    updateGeometry();
    viewport()->update();
}

QRect FixedAssetGridView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.parent() != rootIndex())
        return {};
    const int columns = columnCount();
    const qreal cellWidth = columnWidth();
    const int column = index.row() % columns;
    const int row = index.row() / columns;
    // Edges rounded from the exact position, so the gaps stay even and the last card ends flush.
    const int left = qRound(column * (cellWidth + spacing));
    const int right = qRound(column * (cellWidth + spacing) + cellWidth);
    const int height = cardHeight();
    return {left, row * (height + spacing), right - left, height};
}

void FixedAssetGridView::scrollTo(const QModelIndex &index, ScrollHint)
{
    // The grid is as tall as its cards; the page's scroll area brings the card into view.
    const QRect rect = visualRect(index);
    if (rect.isEmpty())
        return;
    for (QWidget *ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto *scroll = qobject_cast<QScrollArea *>(ancestor); scroll && scroll->widget()) {
            const QPoint centre = viewport()->mapTo(scroll->widget(), rect.center());
            scroll->ensureVisible(centre.x(), centre.y(), rect.width() / 2, rect.height() / 2 + spacing);
            return;
        }
    }
}

QModelIndex FixedAssetGridView::indexAt(const QPoint &point) const
{
    if (!model())
        return {};
    const int count = rowCount();
    const int columns = columnCount();
    const int height = cardHeight();
    const int row = point.y() / (height + spacing);
    const int column = static_cast<int>(point.x() / (columnWidth() + spacing));
    if (point.x() < 0 || point.y() < 0 || column >= columns)
        return {};
    const QModelIndex index = model()->index(row * columns + column, 0, rootIndex());
    if (row * columns + column >= count || !visualRect(index).contains(point))
        return {};
    return index;
}

QModelIndex FixedAssetGridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int count = rowCount();
    if (count == 0)
        return {};
    const int columns = columnCount();
    int row = currentIndex().isValid() ? currentIndex().row() : 0;
    switch (cursorAction) {
    case MoveLeft:
    case MovePrevious:
        row -= 1;
        break;
    case MoveRight:
    case MoveNext:
        row += 1;
        break;
    case MoveUp:
    case MovePageUp:
        row -= columns;
        break;
    case MoveDown:
    case MovePageDown:
        row += columns;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = count - 1;
        break;
    }
    return model()->index(std::clamp(row, 0, count - 1), 0, rootIndex());
}

void FixedAssetGridView::setSelection(const QRect &, QItemSelectionModel::SelectionFlags)
{
    // Cards are opened, never selected.
}

QRegion FixedAssetGridView::visualRegionForSelection(const QItemSelection &) const
{
    return {};
}

void FixedAssetGridView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const int count = rowCount();
    for (int row = 0; row < count; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualRect(index);
        if (!option.rect.intersects(event->rect()))
            continue;
        option.state |= QStyle::State_Enabled;
        if (index == m_hovered)
            option.state |= QStyle::State_MouseOver;
        if (hasFocus() && index == currentIndex())
            option.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&painter, option, index);
    }
}

void FixedAssetGridView::resizeEvent(QResizeEvent *event)
{
    QAbstractItemView::resizeEvent(event);
    fitHeight();
}

void FixedAssetGridView::mouseMoveEvent(QMouseEvent *event)
{
    const QPersistentModelIndex under(indexAt(event->position().toPoint()));
    if (under != m_hovered) {
        m_hovered = under;
        viewport()->update();
    }
    QAbstractItemView::mouseMoveEvent(event);
}

void FixedAssetGridView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton
                    ? QPersistentModelIndex(indexAt(event->position().toPoint()))
                    : QPersistentModelIndex();
    QAbstractItemView::mousePressEvent(event);
}

void FixedAssetGridView::mouseReleaseEvent(QMouseEvent *event)
{
    // Like a button: the card opens when the press and the release land on it.
    const QModelIndex under = indexAt(event->position().toPoint());
    const bool open = event->button() == Qt::LeftButton && under.isValid() && under == m_pressed;
    m_pressed = QPersistentModelIndex();
    QAbstractItemView::mouseReleaseEvent(event);
    if (open)
        Q_EMIT opened(under);
}

void FixedAssetGridView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) &&
        currentIndex().isValid()) {
        Q_EMIT opened(currentIndex());
        event->accept();
        return;
    }
    QAbstractItemView::keyPressEvent(event);
}

void FixedAssetGridView::leaveEvent(QEvent *event)
{
    m_hovered = QPersistentModelIndex();
    viewport()->update();
    QAbstractItemView::leaveEvent(event);
}
