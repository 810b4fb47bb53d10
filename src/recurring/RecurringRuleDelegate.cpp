// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringRuleDelegate.h"

#include "RecurringRuleListModel.h"
#include "model/LedgerCategories.h"
#include "ui/FocusRing.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
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
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
    if (selected || hovered) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(selected ? Palette::withAlpha(Palette::indigo(), 0.10) : Palette::faintFill());
        painter->drawRoundedRect(QRectF(option.rect.adjusted(4, 2, -4, -2)), 8, 8);
    }
    if (index.row() + 1 < index.model()->rowCount()) {
        painter->setPen(QPen(Palette::separator(), 1));
        painter->drawLine(option.rect.left() + sideInset, option.rect.bottom(),
                          option.rect.right() - sideInset, option.rect.bottom());
    }

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

    const QFont amountFont = Fonts::withWeight(option.font, QFont::DemiBold);
    const QString amount = index.data(RecurringRuleListModel::AmountTextRole).toString();
    const int amountWidth = QFontMetrics(amountFont).horizontalAdvance(amount);
    const QRect amountRect(trash.left() - gap - amountWidth, content.top(), amountWidth + 1,
                           content.height());
    painter->setFont(amountFont);
    painter->setPen(income ? Palette::income() : Palette::primaryText());
    painter->drawText(amountRect, Qt::AlignRight | Qt::AlignVCenter, amount);

    const int textLeft = disc.right() + 1 + gap;
    const int textWidth = std::max(0, amountRect.left() - gap - textLeft);
    const QFont titleFont = Fonts::withWeight(option.font, QFont::Medium);
    const QFont caption = Fonts::caption(option.font);
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics captionMetrics(caption);
    const int top =
        content.top() + (content.height() - titleMetrics.height() - 3 - captionMetrics.height()) / 2;
    painter->setFont(titleFont);
    painter->setPen(Palette::primaryText());
    painter->drawText(QRect(textLeft, top, textWidth, titleMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      titleMetrics.elidedText(index.data(RecurringRuleListModel::TitleRole).toString(),
                                              Qt::ElideRight, textWidth));
    painter->setFont(caption);
    painter->setPen(Palette::secondaryText());
    painter->drawText(QRect(textLeft, top + titleMetrics.height() + 3, textWidth, captionMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      captionMetrics.elidedText(index.data(RecurringRuleListModel::ScheduleRole).toString(),
                                                Qt::ElideRight, textWidth));
    // The keyboard's row shows while the list has the focus.
    if (option.state.testFlag(QStyle::State_HasFocus))
        FocusRing::paint(*painter, QRectF(option.rect.adjusted(4, 2, -4, -2)), 8);
    painter->restore();
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
