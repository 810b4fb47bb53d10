// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryPicker.h"

#include "CategoryListModel.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int tileHeight = 76;
constexpr int circleSize = 38;
constexpr int trailingPadding = 8;
constexpr int verticalPadding = 4;

class CategoryTileDelegate final : public QStyledItemDelegate {
public:
    CategoryTileDelegate(int spacing, QObject *parent) : QStyledItemDelegate(parent), m_spacing(spacing) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QColor accent = index.data(CategoryListModel::AccentRole).value<QColor>();
        const bool selected = index.data(CategoryListModel::SelectedRole).toBool();
        const QRectF tile =
            QRectF(option.rect)
                .adjusted(m_spacing / 2.0, m_spacing / 2.0, -m_spacing / 2.0, -m_spacing / 2.0);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);

        QPainterPath shape;
        shape.addRoundedRect(tile.adjusted(0.75, 0.75, -0.75, -0.75), 14, 14);
        painter->fillPath(shape, selected ? Palette::withAlpha(accent, 0.12) : Palette::controlBackground());
        painter->setPen(selected ? QPen(accent, 1.5) : QPen(Palette::outline(), 1));
        painter->drawPath(shape);

        QFont caption = option.font;
        caption.setPointSizeF(caption.pointSizeF() * 0.9);
        const int textHeight = QFontMetrics(caption).height();
        const qreal contentHeight = circleSize + 6 + textHeight;
        const qreal top = tile.center().y() - contentHeight / 2;
        const QRectF circle(tile.center().x() - circleSize / 2.0, top, circleSize, circleSize);
        painter->setPen(Qt::NoPen);
        painter->setBrush(selected ? accent : Palette::withAlpha(accent, 0.14));
        painter->drawEllipse(circle);
        const QPixmap glyph =
            Icon::pixmap(index.data(CategoryListModel::SymbolRole).toString(),
                         selected ? Palette::onAccent() : accent, 20, painter->device()->devicePixelRatioF());
        painter->drawPixmap(QPointF(circle.center().x() - 10, circle.center().y() - 10), glyph);

        painter->setFont(caption);
        painter->setPen(option.palette.color(QPalette::Text));
        const QRectF textRect(tile.left() + 4, circle.bottom() + 6, tile.width() - 8, textHeight);
        const QString name = QFontMetrics(caption).elidedText(index.data().toString(), Qt::ElideRight,
                                                              static_cast<int>(textRect.width()));
        painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, name);

        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(Palette::withAlpha(accent, 0.6), 1, Qt::DashLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(tile.adjusted(2, 2, -2, -2), 12, 12);
        }
        painter->restore();
    }

    // A tile fills its whole grid cell: the column's width and the row's height.
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        const auto *view = qobject_cast<const QListView *>(parent());
        if (view && view->gridSize().isValid())
            return view->gridSize();
        return {tileHeight + m_spacing, tileHeight + m_spacing};
    }

private:
    int m_spacing;
};

} // namespace

CategoryPicker::CategoryPicker(QWidget *parent, int columns, int spacing)
    : QListView(parent), m_model(new CategoryListModel(this)), m_columns(columns), m_spacing(spacing)
{
    setModel(m_model);
    setItemDelegate(new CategoryTileDelegate(spacing, this));
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(0, verticalPadding, trailingPadding, verticalPadding);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("分类"));
    viewport()->setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QListView { background: transparent; }"));

    auto choose = [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        const QString name = index.data().toString();
        m_model->setSelection(name);
        Q_EMIT selectionChanged(name);
    };
    connect(this, &QListView::clicked, this, choose);
    connect(this, &QListView::activated, this, choose);
}

void CategoryPicker::setCategories(const QStringList &categories)
{
    m_model->setCategories(categories);
    updateGrid();
}

void CategoryPicker::setSelection(const QString &selection)
{
    m_model->setSelection(selection);
}

QString CategoryPicker::selection() const
{
    return m_model->selection();
}

QRect CategoryPicker::tileRect(const QString &category) const
{
    const int row = static_cast<int>(m_model->categories().indexOf(category));
    return row < 0 ? QRect() : visualRect(m_model->index(row));
}

void CategoryPicker::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    updateGrid();
}

bool CategoryPicker::viewportEvent(QEvent *event)
{
    // The viewport also narrows when the vertical scroll bar appears.
    if (event->type() == QEvent::Resize)
        updateGrid();
    return QListView::viewportEvent(event);
}

void CategoryPicker::updateGrid()
{
    // Equal flexible columns that together fill the viewport; the scroll bar, when shown,
    // takes its width from the grid, not from the window.
    const int width = viewport()->width();
    const int columnWidth = std::max(10 + m_spacing, width / std::max(1, m_columns));
    const QSize grid(columnWidth, tileHeight + m_spacing);
    if (grid != gridSize())
        setGridSize(grid);
}
