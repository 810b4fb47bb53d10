// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardGrid.h"

#include "ItemActions.h"
#include "Palette.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The frame over the current card. A widget of its own, so it is drawn above the cards that
// are widgets too; clicks pass through it to the grid.
class CardFocusFrame final : public QWidget {
public:
    explicit CardFocusFrame(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    void setRadius(qreal radius)
    {
        m_radius = radius;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath outline;
        outline.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), m_radius - 1, m_radius - 1);
        painter.setPen(QPen(Palette::indigo(), 2));
        painter.drawPath(outline);
    }

private:
    qreal m_radius = 14;
};

} // namespace

CardGrid::CardGrid(QWidget *parent) : QAbstractItemView(parent), m_focusFrame(new CardFocusFrame(viewport()))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::PointingHandCursor);
    // Assistive technology opens and deletes a card as Return and Delete do.
    auto *actions = new ItemActions(this);
    actions->add(QAccessibleActionInterface::pressAction(),
                 [this](const QModelIndex &index) { open(index); });
    actions->add(ItemActions::deleteAction(),
                 [this](const QModelIndex &index) { Q_EMIT deleteRequested(index); });
}

void CardGrid::open(const QModelIndex &index)
{
    if (index.isValid() && index.model() == model())
        Q_EMIT opened(index);
}

void CardGrid::setModel(QAbstractItemModel *model)
{
    QAbstractItemView::setModel(model);
    if (!model)
        return;
    // Any change of rows changes the height the page must give the grid.
    connect(model, &QAbstractItemModel::modelReset, this, &CardGrid::fitHeight);
    connect(model, &QAbstractItemModel::layoutChanged, this, &CardGrid::fitHeight);
    connect(model, &QAbstractItemModel::rowsInserted, this, &CardGrid::fitHeight);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &CardGrid::fitHeight);
    fitHeight();
}

void CardGrid::setMinimumColumnWidth(int width)
{
    m_minimumColumnWidth = width;
    fitHeight();
}

void CardGrid::setSpacing(int spacing)
{
    m_spacing = spacing;
    fitHeight();
}

void CardGrid::setCardRadius(qreal radius)
{
    m_cardRadius = radius;
    static_cast<CardFocusFrame *>(m_focusFrame)->setRadius(radius);
}

int CardGrid::columnsFor(int width) const
{
    return std::max(1, (width + m_spacing) / (m_minimumColumnWidth + m_spacing));
}

int CardGrid::columnCount() const
{
    return columnsFor(contentsRect().width());
}

qreal CardGrid::columnWidth() const
{
    const int columns = columnCount();
    return (contentsRect().width() - (columns - 1) * m_spacing) / qreal(columns);
}

int CardGrid::cardHeight() const
{
    if (rowCount() > 0) {
        if (const QWidget *card = indexWidget(model()->index(0, 0, rootIndex())))
            return card->sizeHint().height();
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return itemDelegate()->sizeHint(option, QModelIndex()).height();
}

int CardGrid::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int CardGrid::heightForWidth(int width) const
{
    const int count = rowCount();
    if (count == 0)
        return 0;
    const QMargins margins = contentsMargins();
    const int columns = columnsFor(width - margins.left() - margins.right());
    const int rows = (count + columns - 1) / columns;
    return rows * cardHeight() + (rows - 1) * m_spacing + margins.top() + margins.bottom();
}

QSize CardGrid::sizeHint() const
{
    return {m_minimumColumnWidth, heightForWidth(std::max(width(), 1))};
}

QSize CardGrid::minimumSizeHint() const
{
    return {m_minimumColumnWidth, 0};
}

void CardGrid::fitHeight()
{
    setFixedHeight(heightForWidth(width()));
    updateGeometry();
    updateGeometries();
    viewport()->update();
}

QRect CardGrid::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.parent() != rootIndex() || index.column() != 0)
        return {};
    const int columns = columnCount();
    const qreal cellWidth = columnWidth();
    const int column = index.row() % columns;
    const int row = index.row() / columns;
    // Edges rounded from the exact position, so the gaps stay even and the last card ends flush.
    const int left = qRound(column * (cellWidth + m_spacing));
    const int right = qRound(column * (cellWidth + m_spacing) + cellWidth);
    const int height = cardHeight();
    return {left, row * (height + m_spacing), right - left, height};
}

void CardGrid::scrollTo(const QModelIndex &index, ScrollHint)
{
    // The grid is as tall as its cards; the page's scroll area brings the card into view.
    const QRect rect = visualRect(index);
    if (rect.isEmpty())
        return;
    for (QWidget *ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto *scroll = qobject_cast<QScrollArea *>(ancestor); scroll && scroll->widget()) {
            const QPoint centre = viewport()->mapTo(scroll->widget(), rect.center());
            scroll->ensureVisible(centre.x(), centre.y(), rect.width() / 2, rect.height() / 2 + m_spacing);
            return;
        }
    }
}

QModelIndex CardGrid::indexAt(const QPoint &point) const
{
    if (!model())
        return {};
    const int count = rowCount();
    const int columns = columnCount();
    const int height = cardHeight();
    const int row = point.y() / (height + m_spacing);
    const int column = static_cast<int>(point.x() / (columnWidth() + m_spacing));
    if (point.x() < 0 || point.y() < 0 || column >= columns)
        return {};
    const QModelIndex index = model()->index(row * columns + column, 0, rootIndex());
    if (row * columns + column >= count || !visualRect(index).contains(point))
        return {};
    return index;
}

QModelIndex CardGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
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

void CardGrid::setSelection(const QRect &, QItemSelectionModel::SelectionFlags)
{
    // Cards are opened, never selected.
}

QRegion CardGrid::visualRegionForSelection(const QItemSelection &) const
{
    return {};
}

void CardGrid::updateGeometries()
{
    QAbstractItemView::updateGeometries();
    // Cards that are widgets fill their cells exactly, not the text area a delegate would give.
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        if (QWidget *card = indexWidget(index))
            card->setGeometry(visualRect(index));
    }
    placeFocusFrame();
}

void CardGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QAbstractItemView::currentChanged(current, previous);
    placeFocusFrame();
}

void CardGrid::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                           const QList<int> &roles)
{
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    fitHeight();
}

void CardGrid::placeFocusFrame()
{
    const QRect rect = visualRect(currentIndex());
    const bool shown = hasFocus() && !rect.isEmpty();
    if (shown) {
        m_focusFrame->setGeometry(rect);
        m_focusFrame->raise();
    }
    m_focusFrame->setVisible(shown);
}

void CardGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const int count = rowCount();
    for (int row = 0; row < count; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        if (indexWidget(index))
            continue;
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

void CardGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractItemView::resizeEvent(event);
    fitHeight();
}

void CardGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractItemView::focusInEvent(event);
    placeFocusFrame();
}

void CardGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractItemView::focusOutEvent(event);
    placeFocusFrame();
}

void CardGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPersistentModelIndex under(indexAt(event->position().toPoint()));
    if (under != m_hovered) {
        m_hovered = under;
        viewport()->update();
    }
    QAbstractItemView::mouseMoveEvent(event);
}

void CardGrid::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton
                    ? QPersistentModelIndex(indexAt(event->position().toPoint()))
                    : QPersistentModelIndex();
    QAbstractItemView::mousePressEvent(event);
}

void CardGrid::mouseReleaseEvent(QMouseEvent *event)
{
    // Like a button: the card opens when the press and the release land on it.
    const QModelIndex under = indexAt(event->position().toPoint());
    const bool open =
        m_clickOpens && event->button() == Qt::LeftButton && under.isValid() && under == m_pressed;
    m_pressed = QPersistentModelIndex();
    QAbstractItemView::mouseReleaseEvent(event);
    if (open)
        Q_EMIT opened(under);
}

void CardGrid::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) &&
        currentIndex().isValid()) {
        Q_EMIT opened(currentIndex());
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && currentIndex().isValid()) {
        Q_EMIT deleteRequested(currentIndex());
        event->accept();
        return;
    }
    QAbstractItemView::keyPressEvent(event);
}

void CardGrid::leaveEvent(QEvent *event)
{
    m_hovered = QPersistentModelIndex();
    viewport()->update();
    QAbstractItemView::leaveEvent(event);
}
