// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartLegend.h"

#include "ui/PaintedItems.h"
#include "ui/Palette.h"

#include <QEvent>
#include <QPainter>

namespace {

constexpr int dot = 8;
constexpr int dotGap = 6;
constexpr int itemGap = 16;
constexpr int lineGap = 6;

} // namespace

ChartLegend::ChartLegend(QWidget *parent)
    : QWidget(parent)
    // One accessible item per entry, named by its text, where it is painted.
    , m_accessibleItems(new PaintedItems(this, [this] {
        QList<PaintedItems::Item> entries;
        const QList<QRect> boxes = layoutFor(width());
        for (qsizetype i = 0; i < boxes.size(); ++i)
            entries.append({m_items.at(i).name, boxes.at(i)});
        return entries;
    }))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void ChartLegend::setItems(const QList<Item> &items)
{
    m_items = items;
    m_accessibleItems->changed();
    updateGeometry();
    update();
}

QList<QRect> ChartLegend::layoutFor(int width) const
{
    QList<QRect> boxes;
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = std::max(metrics.height(), dot);
    int x = 0;
    int y = 0;
    for (const Item &item : m_items) {
        const int itemWidth = dot + dotGap + metrics.horizontalAdvance(item.name);
        if (x > 0 && x + itemWidth > width) {
            x = 0;
            y += lineHeight + lineGap;
        }
        boxes.append(QRect(x, y, itemWidth, lineHeight));
        x += itemWidth + itemGap;
    }
    return boxes;
}

int ChartLegend::heightForWidth(int width) const
{
    const QList<QRect> boxes = layoutFor(width);
    return boxes.isEmpty() ? 0 : boxes.last().bottom() + 1;
}

QSize ChartLegend::sizeHint() const
{
    const int width = 400;
    return {width, heightForWidth(width)};
}

void ChartLegend::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QList<QRect> boxes = layoutFor(width());
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        const QRect &box = boxes.at(i);
        const Item &item = m_items.at(i);
        painter.setPen(Qt::NoPen);
        painter.setBrush(item.colour);
        painter.drawEllipse(QRectF(box.left(), box.center().y() - dot / 2.0 + 0.5, dot, dot));
        painter.setPen(Palette::secondaryText());
        painter.drawText(box.adjusted(dot + dotGap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, item.name);
    }
}

void ChartLegend::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}
