// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringRuleDelegate.h"

#include "RecurringRuleListModel.h"
#include "model/LedgerCategories.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/ListRowPainter.h"
#include "ui/Palette.h"

#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int sideInset = 14;
constexpr int height = 60;
constexpr int circle = 34;
constexpr int glyph = 18;
constexpr int gap = 12;
constexpr int trashSide = 28;

QRect contentRect(const QRect &rowRect)
{
    return rowRect.adjusted(sideInset, 0, -sideInset, 0);
}

} // namespace

RecurringRuleDelegate::RecurringRuleDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

int RecurringRuleDelegate::rowHeight()
{
    return height;
}

QRect RecurringRuleDelegate::trashRect(const QRect &rowRect)
{
    const QRect content = contentRect(rowRect);
    return {content.right() - trashSide + 1, content.center().y() - trashSide / 2 + 1, trashSide, trashSide};
}

QSize RecurringRuleDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {360, height};
}

void RecurringRuleDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    ListRowPainter row(*painter, option, index, sideInset);
    const QRect content = contentRect(option.rect);
    const bool income = index.data(RecurringRuleListModel::IncomeRole).toBool();
    const QColor tint = income ? Palette::income() : Palette::expense();
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;

    const QRect disc(content.left(), content.center().y() - circle / 2 + 1, circle, circle);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Palette::withAlpha(tint, income ? 0.15 : 0.12));
    painter->drawEllipse(disc);
    const QString category = index.data(RecurringRuleListModel::CategoryRole).toString();
    painter->drawPixmap(disc.left() + (circle - glyph) / 2, disc.top() + (circle - glyph) / 2,
                        Icon::pixmap(LedgerCategories::icon(category), tint, glyph, ratio));

    const QRect trash = trashRect(option.rect);
    painter->drawPixmap(trash.left() + (trashSide - glyph) / 2, trash.top() + (trashSide - glyph) / 2,
                        Icon::pixmap(u"trash"_s, Palette::secondaryText(), glyph, ratio));

    const int amountLeft =
        row.amount(index.data(RecurringRuleListModel::AmountTextRole).toString(),
                   income ? Palette::income() : Palette::primaryText(), trash.left() - gap, content);
    const int textLeft = disc.right() + 1 + gap;
    ListRowPainter::Lines lines;
    lines.title = index.data(RecurringRuleListModel::TitleRole).toString();
    lines.titleFont = Fonts::withWeight(option.font, QFont::Medium);
    lines.caption = index.data(RecurringRuleListModel::ScheduleRole).toString();
    lines.spacing = 3;
    row.lines(QRect(textLeft, content.top(), std::max(0, amountLeft - gap - textLeft), content.height()),
              lines);
}

bool RecurringRuleDelegate::editorEvent(QEvent *event, QAbstractItemModel *,
                                        const QStyleOptionViewItem &option, const QModelIndex &index)
{
    // The view hands over the release of a click that pressed on the same row.
    if (event->type() != QEvent::MouseButtonRelease || !index.isValid())
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (trashRect(option.rect).contains(mouse->position().toPoint()))
        Q_EMIT trashClicked(index);
    else
        Q_EMIT ruleClicked(index);
    return true;
}
