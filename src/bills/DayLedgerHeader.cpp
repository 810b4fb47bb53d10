// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayLedgerHeader.h"

#include "model/DateText.h"
#include "model/Money.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QFontMetrics>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int captionGap = 14;
constexpr int bottomPadding = 7;

} // namespace

DayLedgerHeader::DayLedgerHeader(QDateTime date, double expense, double income)
    : m_date(std::move(date)), m_expense(expense), m_income(income)
{
}

QString DayLedgerHeader::title() const
{
    return DateText::displayDate(m_date);
}

QString DayLedgerHeader::expenseText() const
{
    return u"支出 "_s + Money::text(m_expense);
}

QString DayLedgerHeader::incomeText() const
{
    return u"收入 "_s + Money::text(m_income);
}

QString DayLedgerHeader::accessibleText() const
{
    return title() + u"，"_s + expenseText() + u"，"_s + incomeText();
}

void DayLedgerHeader::paint(QPainter &painter, const QRect &rect, const QFont &font) const
{
    painter.save();
    painter.setClipRect(rect);
    // The text sits low in the row, close to the day's entries below it and away from the
    // day above.
    const QRect line = rect.adjusted(0, 0, 0, -bottomPadding);

    const QFont captionFont = Fonts::scaled(font, 0.85, QFont::Medium);
    const QFontMetrics captionMetrics(captionFont);
    const QString income = incomeText();
    const QString expense = expenseText();
    const int incomeWidth = captionMetrics.horizontalAdvance(income);
    const int expenseWidth = captionMetrics.horizontalAdvance(expense);
    const QRect incomeRect(line.right() - incomeWidth, line.top(), incomeWidth + 1, line.height());
    const QRect expenseRect(incomeRect.left() - captionGap - expenseWidth, line.top(), expenseWidth + 1,
                            line.height());
    painter.setFont(captionFont);
    painter.setPen(Palette::income());
    painter.drawText(incomeRect, Qt::AlignRight | Qt::AlignBottom, income);
    painter.setPen(Palette::expense());
    painter.drawText(expenseRect, Qt::AlignRight | Qt::AlignBottom, expense);

    const QFont titleFont = Fonts::scaled(font, 0.95, QFont::DemiBold);
    const QFontMetrics titleMetrics(titleFont);
    const int titleWidth = std::max(0, expenseRect.left() - captionGap - line.left());
    painter.setFont(titleFont);
    painter.setPen(Palette::primaryText());
    painter.drawText(QRect(line.left(), line.top(), titleWidth, line.height()),
                     Qt::AlignLeft | Qt::AlignBottom,
                     titleMetrics.elidedText(title(), Qt::ElideRight, titleWidth));

    painter.setPen(QPen(Palette::border(), 1));
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter.restore();
}
