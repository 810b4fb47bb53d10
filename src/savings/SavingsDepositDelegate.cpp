// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsDepositDelegate.h"

#include "SavingsDepositListModel.h"
#include "ui/FocusRing.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QPainter>

namespace {

constexpr int sideInset = 16;
constexpr int height = 54;
constexpr int gap = 12;

} // namespace

SavingsDepositDelegate::SavingsDepositDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

int SavingsDepositDelegate::rowHeight()
{
    return height;
}

QSize SavingsDepositDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {300, height};
}

void SavingsDepositDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
    if (selected || hovered) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(selected ? Palette::withAlpha(Palette::indigo(), 0.10) : Palette::faintFill());
        painter->drawRoundedRect(QRectF(option.rect.adjusted(4, 2, -4, -2)), 8, 8);
    }
    // A hairline under every row but the last.
    if (index.row() + 1 < index.model()->rowCount()) {
        painter->setPen(QPen(Palette::separator(), 1));
        painter->drawLine(option.rect.left() + sideInset, option.rect.bottom(),
                          option.rect.right() - sideInset, option.rect.bottom());
    }

    const QRect content = option.rect.adjusted(sideInset, 6, -sideInset, -6);
    const QFont amountFont = Fonts::withWeight(option.font, QFont::DemiBold);
    const QString amount = index.data(SavingsDepositListModel::AmountTextRole).toString();
    const int amountWidth = QFontMetrics(amountFont).horizontalAdvance(amount);
    painter->setFont(amountFont);
    painter->setPen(Palette::income());
    painter->drawText(QRect(content.right() - amountWidth, content.top(), amountWidth + 1, content.height()),
                      Qt::AlignRight | Qt::AlignVCenter, amount);

    const QRect texts(content.left(), content.top(), content.width() - amountWidth - gap, content.height());
    const QFont caption = Fonts::caption(option.font);
    const int titleHeight = QFontMetrics(option.font).height();
    const int captionHeight = QFontMetrics(caption).height();
    const int top = texts.top() + (texts.height() - titleHeight - captionHeight - 2) / 2;
    const QString title = index.data(SavingsDepositListModel::TitleRole).toString();
    painter->setFont(option.font);
    painter->setPen(Palette::primaryText());
    painter->drawText(QRect(texts.left(), top, texts.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(option.font).elidedText(title, Qt::ElideRight, texts.width()));
    painter->setFont(caption);
    painter->setPen(Palette::secondaryText());
    painter->drawText(QRect(texts.left(), top + titleHeight + 2, texts.width(), captionHeight),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(SavingsDepositListModel::DateTextRole).toString());
    // The keyboard's row shows while the list has the focus, chosen or not.
    if (option.state.testFlag(QStyle::State_HasFocus))
        FocusRing::paint(*painter, QRectF(option.rect.adjusted(4, 2, -4, -2)), 8);
    painter->restore();
}
