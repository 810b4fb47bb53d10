// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryRow.h"

#include "model/EntryText.h"
#include "model/LedgerCategories.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

constexpr int circle = 36;
constexpr int glyph = 20;
constexpr int spacing = 12;
constexpr int verticalPadding = 3;

} // namespace

EntryRow::EntryRow(LedgerEntry entry, QWidget *parent) : QWidget(parent), m_entry(std::move(entry))
{
    setAccessibleName(EntryText::accessible(m_entry));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize EntryRow::sizeHint() const
{
    return {320, rowHeight()};
}

int EntryRow::rowHeight()
{
    return circle + 2 * verticalPadding + 4;
}

void EntryRow::paint(QPainter &painter, const QRect &rect, const LedgerEntry &entry, const QFont &font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(rect);
    const bool income = entry.kind() == EntryKind::income;
    const QColor tint = income ? Palette::income() : Palette::expense();

    const QRect disc(rect.left(), rect.center().y() - circle / 2 + 1, circle, circle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::withAlpha(tint, income ? 0.15 : 0.12));
    painter.drawEllipse(disc);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap icon = Icon::pixmap(LedgerCategories::icon(entry.category), tint, glyph, ratio);
    painter.drawPixmap(disc.left() + (circle - glyph) / 2, disc.top() + (circle - glyph) / 2, icon);

    const QFont amountFont = Fonts::withWeight(font, QFont::DemiBold);
    const QString amount = EntryText::amount(entry);
    const int amountWidth = QFontMetrics(amountFont).horizontalAdvance(amount);
    const QRect amountRect(rect.right() - amountWidth, rect.top(), amountWidth + 1, rect.height());
    painter.setFont(amountFont);
    painter.setPen(income ? Palette::income() : Palette::primaryText());
    painter.drawText(amountRect, Qt::AlignRight | Qt::AlignVCenter, amount);

    const int textLeft = disc.right() + 1 + spacing;
    const int textWidth = std::max(0, amountRect.left() - spacing - textLeft);
    const QFont nameFont = Fonts::withWeight(font, QFont::Medium);
    const QFont detailFont = Fonts::caption(font);
    const QFontMetrics nameMetrics(nameFont);
    const QFontMetrics detailMetrics(detailFont);
    const int blockHeight = nameMetrics.height() + 2 + detailMetrics.height();
    const int top = rect.center().y() - blockHeight / 2 + 1;
    painter.setFont(nameFont);
    painter.setPen(Palette::primaryText());
    painter.drawText(QRect(textLeft, top, textWidth, nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     nameMetrics.elidedText(entry.category, Qt::ElideRight, textWidth));
    painter.setFont(detailFont);
    painter.setPen(Palette::secondaryText());
    painter.drawText(QRect(textLeft, top + nameMetrics.height() + 2, textWidth, detailMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     detailMetrics.elidedText(EntryText::detail(entry), Qt::ElideRight, textWidth));
    painter.restore();
}

void EntryRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, rect(), m_entry, font());
}
