// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsDelegate.h"

#include "BillsListModel.h"
#include "ui/EntryRow.h"
#include "ui/FocusRing.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

constexpr int sideInset = 12;
constexpr int trashSide = 28;
constexpr int trashGlyph = 18;
constexpr int trashGap = 10;

const BillsListModel *listModel(const QModelIndex &index)
{
    return qobject_cast<const BillsListModel *>(index.model());
}

QRect contentRect(const QRect &rowRect)
{
    return rowRect.adjusted(sideInset, 0, -sideInset, 0);
}

bool isEntry(const QModelIndex &index)
{
    return index.data(BillsListModel::RowTypeRole).toInt() ==
           static_cast<int>(BillsListModel::RowType::entry);
}

} // namespace

BillsDelegate::BillsDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

int BillsDelegate::rowHeight()
{
    return EntryRow::rowHeight() + 6;
}

QRect BillsDelegate::trashRect(const QRect &rowRect)
{
    const QRect content = contentRect(rowRect);
    return {content.right() - trashSide + 1, content.center().y() - trashSide / 2 + 1, trashSide, trashSide};
}

QSize BillsDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {320, rowHeight()};
}

void BillsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    const BillsListModel *model = listModel(index);
    if (!model)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect content = contentRect(option.rect);

    if (const LedgerEntry *entry = model->entryAt(index)) {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
        if (selected || hovered) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(selected ? Palette::withAlpha(Palette::indigo(), 0.10) : Palette::faintFill());
            painter->drawRoundedRect(QRectF(option.rect.adjusted(4, 2, -4, -2)), 10, 10);
        }
        const QRect trash = trashRect(option.rect);
        const QRect row(content.left(), option.rect.top() + 3, trash.left() - trashGap - content.left(),
                        option.rect.height() - 6);
        EntryRow::paint(*painter, row, *entry, option.font);

        const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
        if (hovered && view && trash.contains(view->viewport()->mapFromGlobal(QCursor::pos()))) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Palette::faintFill());
            painter->drawEllipse(trash);
        }
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(trash.left() + (trashSide - trashGlyph) / 2,
                            trash.top() + (trashSide - trashGlyph) / 2, trashIcon(ratio));
    } else if (const std::optional<DayLedgerHeader> header = model->headerAt(index)) {
        header->paint(*painter, content, option.font);
    }
    // The keyboard's row shows while the list has the focus, chosen or not.
    if (option.state.testFlag(QStyle::State_HasFocus))
        FocusRing::paint(*painter, QRectF(option.rect.adjusted(4, 2, -4, -2)), 10);
    painter->restore();
}

// Drawn once, not for every row painted.
const QPixmap &BillsDelegate::trashIcon(qreal devicePixelRatio) const
{
    if (m_trash.isNull() || !qFuzzyCompare(m_trash.devicePixelRatio(), devicePixelRatio))
        m_trash = Icon::pixmap(u"trash"_s, Palette::secondaryText(), trashGlyph, devicePixelRatio);
    return m_trash;
}

bool BillsDelegate::editorEvent(QEvent *event, QAbstractItemModel *, const QStyleOptionViewItem &option,
                                const QModelIndex &index)
{
    // The view hands over the release of a click that pressed on the same row.
    if (event->type() != QEvent::MouseButtonRelease || !isEntry(index))
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    // Ctrl and Shift choose rows; the view does that.
    if (mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    if (trashRect(option.rect).contains(mouse->position().toPoint()))
        Q_EMIT trashClicked(index);
    else
        Q_EMIT entryClicked(index);
    return true;
}

bool BillsDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                              const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip && isEntry(index) && trashRect(option.rect).contains(event->pos())) {
        QToolTip::showText(event->globalPos(), u"删除这笔账单"_s, view->viewport(), trashRect(option.rect));
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}
