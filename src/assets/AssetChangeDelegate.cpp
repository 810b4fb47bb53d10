// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetChangeDelegate.h"

#include "AssetChangeListModel.h"
#include "ui/FocusRing.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int inset = 14;
constexpr int trashSide = 28;

} // namespace

AssetChangeDelegate::AssetChangeDelegate(bool deletable, QObject *parent)
    : QStyledItemDelegate(parent), m_deletable(deletable)
{
}

QRect AssetChangeDelegate::trashRect(const QRect &rowRect)
{
    return {rowRect.right() - inset - trashSide + 1, rowRect.center().y() - trashSide / 2 + 1, trashSide,
            trashSide};
}

QSize AssetChangeDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {320, rowHeight()};
}

void AssetChangeDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect row = option.rect;
    if (option.state.testFlag(QStyle::State_Selected) || option.state.testFlag(QStyle::State_MouseOver)) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(option.state.testFlag(QStyle::State_Selected)
                              ? Palette::withAlpha(Palette::indigo(), 0.10)
                              : Palette::faintFill());
        painter->drawRoundedRect(QRectF(row.adjusted(4, 2, -4, -2)), 8, 8);
    }
    painter->setPen(Palette::separator());
    painter->drawLine(row.left() + inset, row.bottom(), row.right() - inset, row.bottom());

    int right = row.right() - inset;
    if (m_deletable) {
        const QRect trash = trashRect(row);
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(trash.left() + 5, trash.top() + 5,
                            Icon::pixmap(u"trash"_s, Palette::secondaryText(), 18, ratio));
        right = trash.left() - 10;
    }

    const QFont body = option.font;
    const QFont caption = Fonts::caption(body);
    const QFont amountFont = Fonts::withWeight(body, QFont::DemiBold);
    const int top = row.top() + 8;
    const int lineHeight = (row.height() - 16) / 2;
    const QString trailing = index.data(AssetChangeListModel::TrailingCaptionRole).toString();
    const QString amount = index.data(AssetChangeListModel::AmountTextRole).toString();
    const int amountWidth = QFontMetrics(amountFont).horizontalAdvance(amount) + 4;
    const int trailingWidth = QFontMetrics(caption).horizontalAdvance(trailing) + 4;
    const int rightColumn = qMax(amountWidth, trailingWidth);
    const QRect left(row.left() + inset, top, right - rightColumn - 12 - row.left() - inset, lineHeight);

    painter->setFont(body);
    painter->setPen(Palette::primaryText());
    painter->drawText(left, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(body).elidedText(index.data().toString(), Qt::ElideRight, left.width()));
    painter->setFont(caption);
    painter->setPen(Palette::secondaryText());
    painter->drawText(left.translated(0, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(AssetChangeListModel::CaptionRole).toString());

    const bool gain = index.data(AssetChangeListModel::GainRole).toBool();
    const QRect amountRect(right - rightColumn, trailing.isEmpty() ? row.top() : top, rightColumn,
                           trailing.isEmpty() ? row.height() : lineHeight);
    painter->setFont(amountFont);
    painter->setPen(gain ? Palette::income() : Palette::over());
    painter->drawText(amountRect, Qt::AlignRight | Qt::AlignVCenter, amount);
    if (!trailing.isEmpty()) {
        painter->setFont(caption);
        painter->setPen(Palette::secondaryText());
        painter->drawText(amountRect.translated(0, lineHeight), Qt::AlignRight | Qt::AlignVCenter, trailing);
    }
    // The keyboard's row shows while the list has the focus, chosen or not.
    if (option.state.testFlag(QStyle::State_HasFocus))
        FocusRing::paint(*painter, QRectF(row.adjusted(4, 2, -4, -2)), 8);
    painter->restore();
}

bool AssetChangeDelegate::editorEvent(QEvent *event, QAbstractItemModel *, const QStyleOptionViewItem &option,
                                      const QModelIndex &index)
{
    if (!m_deletable || event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton || !trashRect(option.rect).contains(mouse->position().toPoint()))
        return false;
    Q_EMIT trashClicked(index);
    return true;
}
