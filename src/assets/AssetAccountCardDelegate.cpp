// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccountCardDelegate.h"

#include "AssetAccountListModel.h"
#include "AssetBrand.h"
#include "AssetBrandIcon.h"
#include "ui/ElidedText.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 16;

QRect badgeRect(const QRect &card)
{
    return {QPoint(card.left() + padding, card.top() + padding), AssetBrandIcon::badgeSize()};
}

} // namespace

AssetAccountCardDelegate::AssetAccountCardDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QRect AssetAccountCardDelegate::manageRect(const QRect &card)
{
    return {card.right() - padding - 72 + 1, card.bottom() - padding - 28 + 1, 72, 28};
}

QSize AssetAccountCardDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {minimumCardWidth(), cardHeight()};
}

void AssetAccountCardDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect card = option.rect;
    QPainterPath outline;
    outline.addRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter->fillPath(outline, option.state.testFlag(QStyle::State_MouseOver) ? Palette::hoverFill()
                                                                              : Palette::controlBackground());
    // The grid frames the focused card.
    painter->setPen(QPen(Palette::border(), 1));
    painter->drawPath(outline);

    const QString kind = index.data(AssetAccountListModel::KindRole).toString();
    const QRect badge = badgeRect(card);
    AssetBrandIcon::paint(*painter, badge, kind);

    // The name over the kind beside the badge, each cut to the card's width, so a large balance
    // on the line below never crowds the kind out.
    const QFont body = option.font;
    const QFont nameFont = Fonts::withWeight(body, QFont::DemiBold);
    const QFont caption = Fonts::caption(body);
    const int nameHeight = QFontMetrics(nameFont).height();
    const int kindHeight = QFontMetrics(caption).height();
    const int textLeft = badge.right() + 10;
    const int textWidth = card.right() - padding - textLeft;
    const int textTop = badge.center().y() - (nameHeight + kindHeight) / 2;
    painter->setFont(nameFont);
    painter->setPen(Palette::primaryText());
    ElidedText::draw(*painter, QRect(textLeft, textTop, textWidth, nameHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    painter->setFont(caption);
    painter->setPen(Palette::secondaryText());
    ElidedText::draw(*painter, QRect(textLeft, textTop + nameHeight, textWidth, kindHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, kind);

    const QRect manage = manageRect(option.rect);
    const QFont balanceFont = Fonts::scaled(body, 1.3, QFont::Bold);
    const QRect line(card.left() + padding, manage.top() - 4, manage.left() - 10 - card.left() - padding,
                     manage.height() + 8);
    painter->setFont(balanceFont);
    painter->setPen(Palette::primaryText());
    ElidedText::draw(*painter, line, Qt::AlignLeft | Qt::AlignVCenter,
                     index.data(AssetAccountListModel::BalanceTextRole).toString());

    // The small bordered "管理" button.
    QPainterPath button;
    button.addRoundedRect(QRectF(manage).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    painter->fillPath(button, Palette::controlBackground());
    painter->setPen(QPen(Palette::controlBorder(), 1));
    painter->drawPath(button);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(manage.left() + 9, manage.center().y() - 7,
                        Icon::pixmap(u"slider.horizontal.3"_s, Palette::indigo(), 15, ratio));
    painter->setFont(caption);
    painter->setPen(Palette::indigo());
    painter->drawText(manage.adjusted(28, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, u"管理"_s);
    painter->restore();
}

bool AssetAccountCardDelegate::editorEvent(QEvent *event, QAbstractItemModel *,
                                           const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            manageRect(option.rect).contains(mouse->position().toPoint())) {
            Q_EMIT manageClicked(index);
            return true;
        }
    }
    return false;
}

bool AssetAccountCardDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                         const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip && badgeRect(option.rect).contains(event->pos())) {
        const QString help = AssetBrand::helpText(index.data(AssetAccountListModel::KindRole).toString());
        QToolTip::showText(event->globalPos(), help, view->viewport(), badgeRect(option.rect));
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}
