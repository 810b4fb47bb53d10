// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsDepositDelegate.h"

#include "SavingsDepositListModel.h"
#include "ui/ListRowPainter.h"
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
    ListRowPainter row(*painter, option, index, sideInset);
    const QRect content = option.rect.adjusted(sideInset, 6, -sideInset, -6);
    const int amountLeft = row.amount(index.data(SavingsDepositListModel::AmountTextRole).toString(),
                                      Palette::income(), content.right(), content);
    ListRowPainter::Lines lines;
    lines.title = index.data(SavingsDepositListModel::TitleRole).toString();
    lines.titleFont = option.font;
    lines.caption = index.data(SavingsDepositListModel::DateTextRole).toString();
    lines.elideCaption = false;
    row.lines(QRect(content.left(), content.top(), amountLeft - gap - content.left() + 1, content.height()),
              lines);
}
