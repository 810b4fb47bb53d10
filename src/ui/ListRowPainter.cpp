// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListRowPainter.h"

#include "FocusRing.h"
#include "Fonts.h"
#include "Palette.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {

QRectF backdrop(const QRect &row)
{
    return QRectF(row.adjusted(4, 2, -4, -2));
}

constexpr qreal radius = 8;

} // namespace

ListRowPainter::ListRowPainter(QPainter &painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index, int sideInset)
    : m_painter(painter), m_option(option)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
    if (selected || hovered) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(selected ? Palette::withAlpha(Palette::indigo(), 0.10) : Palette::faintFill());
        m_painter.drawRoundedRect(backdrop(option.rect), radius, radius);
    }
    if (index.row() + 1 < index.model()->rowCount()) {
        m_painter.setPen(QPen(Palette::separator(), 1));
        m_painter.drawLine(option.rect.left() + sideInset, option.rect.bottom(),
                           option.rect.right() - sideInset, option.rect.bottom());
    }
}

ListRowPainter::~ListRowPainter()
{
    // The keyboard's row shows while the list has the focus, chosen or not.
    if (m_option.state.testFlag(QStyle::State_HasFocus))
        FocusRing::paint(m_painter, backdrop(m_option.rect), radius);
    m_painter.restore();
}

int ListRowPainter::amount(const QString &text, const QColor &colour, int right, const QRect &band)
{
    const QFont font = Fonts::withWeight(m_option.font, QFont::DemiBold);
    const int width = QFontMetrics(font).horizontalAdvance(text);
    const int left = right - width;
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(QRect(left, band.top(), width + 1, band.height()), Qt::AlignRight | Qt::AlignVCenter,
                       text);
    return left;
}

void ListRowPainter::lines(const QRect &rect, const Lines &lines)
{
    const QFont caption = Fonts::caption(m_option.font);
    const QFontMetrics titleMetrics(lines.titleFont);
    const QFontMetrics captionMetrics(caption);
    const int width = std::max(0, rect.width());
    const int top =
        rect.top() + (rect.height() - titleMetrics.height() - lines.spacing - captionMetrics.height()) / 2;
    m_painter.setFont(lines.titleFont);
    m_painter.setPen(Palette::primaryText());
    m_painter.drawText(QRect(rect.left(), top, width, titleMetrics.height()),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       titleMetrics.elidedText(lines.title, Qt::ElideRight, width));
    m_painter.setFont(caption);
    m_painter.setPen(Palette::secondaryText());
    m_painter.drawText(
        QRect(rect.left(), top + titleMetrics.height() + lines.spacing, width, captionMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter,
        lines.elideCaption ? captionMetrics.elidedText(lines.caption, Qt::ElideRight, width) : lines.caption);
}
