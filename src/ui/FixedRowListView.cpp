// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedRowListView.h"

#include <QAccessible>
#include <QHoverEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

FixedRowListView::FixedRowListView(QWidget *parent) : QAbstractItemView(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(ScrollPerPixel);
    viewport()->setAttribute(Qt::WA_Hover);
}

void FixedRowListView::setRowHeight(int height)
{
    m_rowHeight = std::max(1, height);
    scheduleDelayedItemsLayout();
}

int FixedRowListView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QRect FixedRowListView::rowRect(int row) const
{
    return {0, row * m_rowHeight - verticalOffset(), viewport()->width(), m_rowHeight};
}

std::pair<int, int> FixedRowListView::rowsBetween(int top, int bottom) const
{
    const int offset = verticalOffset();
    if (bottom + offset < 0)
        return {0, -1};
    const int first = std::max(0, (top + offset) / m_rowHeight);
    const int last = std::min(rowCount() - 1, (bottom + offset) / m_rowHeight);
    return {first, last};
}

QRect FixedRowListView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() || index.column() != 0)
        return {};
    return rowRect(index.row());
}

QModelIndex FixedRowListView::indexAt(const QPoint &point) const
{
    if (!model() || !viewport()->rect().contains(point))
        return {};
    const int row = (point.y() + verticalOffset()) / m_rowHeight;
    return row < rowCount() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

void FixedRowListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    const QRect rect = visualRect(index);
    if (rect.isEmpty())
        return;
    // The range may still wait for the layout that a change of rows asked for.
    executeDelayedItemsLayout();
    const int height = viewport()->height();
    const int top = index.row() * m_rowHeight;
    QScrollBar *bar = verticalScrollBar();
    switch (hint) {
    case EnsureVisible:
        if (rect.top() < 0)
            bar->setValue(top);
        else if (rect.bottom() >= height)
            bar->setValue(top + m_rowHeight - height);
        break;
    case PositionAtTop:
        bar->setValue(top);
        break;
    case PositionAtBottom:
        bar->setValue(top + m_rowHeight - height);
        break;
    case PositionAtCenter:
        bar->setValue(top - (height - m_rowHeight) / 2);
        break;
    }
}

QModelIndex FixedRowListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int count = rowCount();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, 0, rootIndex());
    const int page = std::max(1, viewport()->height() / m_rowHeight);
    int row = current.row();
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= page;
        break;
    case MovePageDown:
        row += page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = count - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return model()->index(std::clamp(row, 0, count - 1), 0, rootIndex());
}

int FixedRowListView::horizontalOffset() const
{
    return 0;
}

int FixedRowListView::verticalOffset() const
{
    return verticalScrollBar()->value();
}

bool FixedRowListView::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void FixedRowListView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    const QRect area = rect.normalized();
    const auto [first, last] = rowsBetween(area.top(), area.bottom());
    QItemSelection selection;
    if (first <= last)
        selection.select(model()->index(first, 0, rootIndex()), model()->index(last, 0, rootIndex()));
    selectionModel()->select(selection, command);
}

QRegion FixedRowListView::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    for (const QItemSelectionRange &range : selection) {
        if (range.parent() != rootIndex() || range.left() > 0)
            continue;
        // Only the part that can show matters; a range of a million rows stays one rectangle.
        const QRect band = rowRect(range.top()).united(rowRect(range.bottom()));
        region += band.intersected(viewport()->rect().adjusted(0, -m_rowHeight, 0, m_rowHeight));
    }
    return region;
}

void FixedRowListView::updateGeometries()
{
    const qint64 contents = qint64(rowCount()) * m_rowHeight;
    const int height = viewport()->height();
    QScrollBar *bar = verticalScrollBar();
    bar->setSingleStep(m_rowHeight);
    bar->setPageStep(height);
    bar->setRange(0, int(std::clamp<qint64>(contents - height, 0, std::numeric_limits<int>::max())));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void FixedRowListView::scrollContentsBy(int dx, int dy)
{
    scrollDirtyRegion(dx, dy);
    viewport()->scroll(dx, dy);
}

void FixedRowListView::paintEvent(QPaintEvent *event)
{
    if (!model())
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const bool focused = hasFocus() || viewport()->hasFocus();
    const QModelIndex current = currentIndex();
    const QStyle::State base = option.state & ~(QStyle::State_Selected | QStyle::State_MouseOver |
                                                QStyle::State_HasFocus | QStyle::State_Enabled);
    const bool enabled = isEnabled();
    const QRect area = event->rect();
    const auto [first, last] = rowsBetween(area.top(), area.bottom());
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        option.rect = rowRect(row);
        option.state = base;
        if (enabled && (model()->flags(index) & Qt::ItemIsEnabled))
            option.state |= QStyle::State_Enabled;
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == m_hovered)
            option.state |= QStyle::State_MouseOver;
        if (focused && index == current)
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void FixedRowListView::setHovered(const QModelIndex &index)
{
    if (index == m_hovered)
        return;
    if (m_hovered.isValid())
        viewport()->update(visualRect(m_hovered));
    m_hovered = index;
    if (index.isValid())
        viewport()->update(visualRect(index));
}

bool FixedRowListView::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        setHovered(indexAt(static_cast<QHoverEvent *>(event)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        setHovered({});
        break;
    default:
        break;
    }
    return QAbstractItemView::viewportEvent(event);
}

void FixedRowListView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    scheduleDelayedItemsLayout();
}

void FixedRowListView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
    scheduleDelayedItemsLayout();
}

// Assistive technology follows the current and the chosen row as a child of the list, by row.
void FixedRowListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current.row());
        QAccessible::updateAccessibility(&focus);
    }
    QAbstractItemView::currentChanged(current, previous);
}

void FixedRowListView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    if (QAccessible::isActive()) {
        if (!selected.isEmpty()) {
            QAccessibleEvent added(this, QAccessible::SelectionAdd);
            added.setChild(selected.first().top());
            QAccessible::updateAccessibility(&added);
        }
        if (!deselected.isEmpty()) {
            QAccessibleEvent removed(this, QAccessible::SelectionRemove);
            removed.setChild(deselected.first().top());
            QAccessible::updateAccessibility(&removed);
        }
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}
