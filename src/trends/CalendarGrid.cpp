// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarGrid.h"

#include "model/Money.h"
#include "ui/FocusRing.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int captionHeight = 28;
constexpr int keyHeight = 26;
constexpr int weekdayHeight = 20;
constexpr int gap = 3;

const std::array<QString, 7> &weekdayNames()
{
    static const std::array<QString, 7> names{u"一"_s, u"二"_s, u"三"_s, u"四"_s, u"五"_s, u"六"_s, u"日"_s};
    return names;
}

// Whole yuan, for the small print inside a day.
QString shortAmount(double amount)
{
    if (amount >= 10000)
        return QLocale().toString(amount / 10000, 'f', 1) + u"万"_s;
    return QLocale().toString(amount, 'f', 0);
}

} // namespace

CalendarGrid::CalendarGrid(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(u"消费日历"_s);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_items = new PaintedItems(
        this, [this] { return accessibleItems(); }, QAccessible::List);
}

void CalendarGrid::setCalendar(const SpendingCalendar &calendar, QDate chosen)
{
    const bool reshaped = calendar.month() != m_calendar.month() || calendar.year() != m_calendar.year();
    m_calendar = calendar;
    m_chosen = chosen;
    if (!m_calendar.find(m_current))
        m_current = m_calendar.days().empty() ? QDate() : m_calendar.days().front().date;
    m_hovered = {};
    if (reshaped)
        updateGeometry();
    m_items->changed();
    update();
}

void CalendarGrid::setCurrentDay(QDate day)
{
    if (!m_calendar.find(day) || day == m_current)
        return;
    m_current = day;
    update();
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(int(m_calendar.days().front().date.daysTo(day)));
        QAccessible::updateAccessibility(&focus);
    }
}

QString CalendarGrid::dayText(QDate day) const
{
    const SpendingCalendar::Day *found = m_calendar.find(day);
    const QString title = u"%1月%2日 周%3"_s.arg(day.month())
                              .arg(day.day())
                              .arg(weekdayNames()[std::size_t(day.dayOfWeek() - 1)]);
    if (!found || found->count == 0)
        return title + u" 无支出"_s;
    return u"%1 支出 %2，%3笔"_s.arg(title, Money::text(found->expense)).arg(found->count);
}

CalendarGrid::Layout CalendarGrid::layoutFor(int width) const
{
    Layout layout;
    if (wholeYear()) {
        layout.columns = width >= 900 ? 4 : 3;
        layout.monthWidth = (width - (layout.columns - 1) * 16) / layout.columns;
        layout.cell = std::max(10, (layout.monthWidth - 6 * gap) / 7);
        layout.cellHeight = layout.cell;
        layout.titleHeight = 22;
        layout.monthHeight = layout.titleHeight + weekdayHeight + 6 * (layout.cellHeight + gap);
    } else {
        layout.columns = 1;
        layout.monthWidth = std::min(width, 7 * 110);
        layout.cell = (layout.monthWidth - 6 * gap) / 7;
        layout.cellHeight = std::clamp(layout.cell * 2 / 3, 40, 64);
        layout.titleHeight = 0;
        // As many weeks as the month touches.
        const QDate first(std::max(1, m_calendar.year()), std::max(1, m_calendar.month()), 1);
        const int weeks = (weekColumn(first) + first.daysInMonth() + 6) / 7;
        layout.monthHeight = weekdayHeight + weeks * (layout.cellHeight + gap);
    }
    return layout;
}

int CalendarGrid::heightForWidth(int width) const
{
    const Layout layout = layoutFor(width);
    const int rows = wholeYear() ? (12 + layout.columns - 1) / layout.columns : 1;
    return captionHeight + rows * layout.monthHeight + (rows - 1) * 16 + keyHeight + 8;
}

QSize CalendarGrid::sizeHint() const
{
    return {720, heightForWidth(720)};
}

QPoint CalendarGrid::monthOrigin(int month, const Layout &layout) const
{
    if (!wholeYear())
        return {0, captionHeight};
    const int index = month - 1;
    return {(index % layout.columns) * (layout.monthWidth + 16),
            captionHeight + (index / layout.columns) * (layout.monthHeight + 16)};
}

int CalendarGrid::weekColumn(QDate day) const
{
    const int first = int(QLocale().firstDayOfWeek());
    return (day.dayOfWeek() - first + 7) % 7;
}

QRect CalendarGrid::dayRect(QDate day) const
{
    if (!m_calendar.find(day))
        return {};
    const Layout layout = layoutFor(width());
    const QPoint origin = monthOrigin(day.month(), layout);
    const QDate first(day.year(), day.month(), 1);
    const int row = (weekColumn(first) + day.day() - 1) / 7;
    const int column = weekColumn(day);
    return QRect(origin.x() + column * (layout.cell + gap),
                 origin.y() + layout.titleHeight + weekdayHeight + row * (layout.cellHeight + gap),
                 layout.cell, layout.cellHeight);
}

QList<PaintedItems::Item> CalendarGrid::accessibleItems() const
{
    QList<PaintedItems::Item> items;
    for (const SpendingCalendar::Day &day : m_calendar.days())
        items.append({dayText(day.date), dayRect(day.date)});
    return items;
}

QDate CalendarGrid::dayAt(QPoint point) const
{
    for (const SpendingCalendar::Day &day : m_calendar.days()) {
        if (dayRect(day.date).contains(point))
            return day.date;
    }
    return {};
}

QColor CalendarGrid::shade(int level) const
{
    static constexpr std::array<qreal, SpendingCalendar::levelCount> strengths{0.2, 0.42, 0.68, 1.0};
    if (level <= 0)
        return Palette::faintFill();
    return Palette::withAlpha(Palette::expense(),
                              strengths[std::size_t(std::min(level, SpendingCalendar::levelCount) - 1)]);
}

QDate CalendarGrid::shownDay() const
{
    if (m_hovered.isValid())
        return m_hovered;
    return hasFocus() ? m_current : QDate();
}

void CalendarGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Layout layout = layoutFor(width());
    const QFont caption = Fonts::caption(font());

    const QDate shown = shownDay();
    painter.setPen(shown.isValid() ? Palette::primaryText() : Palette::tertiaryText());
    painter.drawText(QRect(0, 0, width(), captionHeight - 6), Qt::AlignLeft | Qt::AlignVCenter,
                     shown.isValid() ? dayText(shown) : u"指向或选中一天查看支出，回车列出当天的账目"_s);

    const int firstMonth = wholeYear() ? 1 : m_calendar.month();
    const int lastMonth = wholeYear() ? 12 : m_calendar.month();
    const int firstWeekday = int(QLocale().firstDayOfWeek());
    for (int month = firstMonth; month <= lastMonth && m_calendar.year() > 0; ++month) {
        const QPoint origin = monthOrigin(month, layout);
        if (wholeYear()) {
            painter.setFont(Fonts::withWeight(font(), QFont::DemiBold));
            painter.setPen(Palette::primaryText());
            painter.drawText(QRect(origin.x(), origin.y(), layout.monthWidth, layout.titleHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, u"%1月"_s.arg(month));
        }
        painter.setFont(caption);
        painter.setPen(Palette::secondaryText());
        for (int c = 0; c < 7; ++c) {
            const int weekday = (firstWeekday - 1 + c) % 7;
            painter.drawText(QRect(origin.x() + c * (layout.cell + gap), origin.y() + layout.titleHeight,
                                   layout.cell, weekdayHeight),
                             Qt::AlignCenter, weekdayNames()[std::size_t(weekday)]);
        }
        const QDate first(m_calendar.year(), month, 1);
        for (QDate day = first; day.month() == month; day = day.addDays(1)) {
            const SpendingCalendar::Day *figures = m_calendar.find(day);
            if (!figures)
                continue;
            const QRect rect = dayRect(day);
            painter.setPen(Qt::NoPen);
            painter.setBrush(shade(figures->level));
            const qreal radius = wholeYear() ? 3 : 8;
            painter.drawRoundedRect(QRectF(rect), radius, radius);
            if (day == shown && !wholeYear()) {
                painter.setBrush(Palette::hoverFill());
                painter.drawRoundedRect(QRectF(rect), radius, radius);
            }
            if (day == m_chosen) {
                painter.setPen(QPen(Palette::primaryText(), 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawRoundedRect(QRectF(rect).adjusted(1, 1, -1, -1), radius, radius);
            }
            if (hasFocus() && day == m_current)
                FocusRing::paint(painter, QRectF(rect).adjusted(-2, -2, 2, 2), radius + 2);
            if (wholeYear())
                continue;
            // The day and its whole yuan, light on the deeper shades.
            const QColor ink = figures->level >= 3 ? Palette::onAccent() : Palette::primaryText();
            painter.setPen(ink);
            painter.setFont(Fonts::withWeight(font(), QFont::DemiBold));
            painter.drawText(rect.adjusted(7, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop,
                             QString::number(day.day()));
            if (figures->count > 0) {
                painter.setFont(caption);
                painter.setPen(figures->level >= 3 ? Palette::onAccent() : Palette::secondaryText());
                painter.drawText(rect.adjusted(6, 4, -7, -4), Qt::AlignRight | Qt::AlignBottom,
                                 shortAmount(figures->expense));
            }
        }
    }

    // The key of the shades.
    painter.setFont(caption);
    const int keyTop = height() - keyHeight;
    int x = 0;
    painter.setPen(Palette::secondaryText());
    painter.drawText(QRect(x, keyTop, 40, keyHeight), Qt::AlignLeft | Qt::AlignVCenter, u"无支出"_s);
    x += QFontMetrics(caption).horizontalAdvance(u"无支出"_s) + 6;
    for (int level = 0; level <= SpendingCalendar::levelCount; ++level) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(shade(level));
        painter.drawRoundedRect(QRectF(x, keyTop + 6, 14, 14), 3, 3);
        x += 18;
    }
    painter.setPen(Palette::secondaryText());
    painter.drawText(QRect(x + 2, keyTop, 200, keyHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     u"花得越多颜色越深"_s);
}

bool CalendarGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QDate day = dayAt(help->pos());
        if (day.isValid())
            QToolTip::showText(help->globalPos(), dayText(day), this, dayRect(day));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CalendarGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QDate day = dayAt(event->position().toPoint());
    if (day != m_hovered) {
        m_hovered = day;
        setCursor(day.isValid() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
}

void CalendarGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QDate day = dayAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !day.isValid())
        return;
    setCurrentDay(day);
    Q_EMIT dayActivated(day);
}

void CalendarGrid::leaveEvent(QEvent *)
{
    m_hovered = {};
    update();
}

void CalendarGrid::keyPressEvent(QKeyEvent *event)
{
    if (!m_current.isValid()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto moveTo = [this](QDate day) {
        const auto &days = m_calendar.days();
        setCurrentDay(std::clamp(day, days.front().date, days.back().date));
    };
    switch (event->key()) {
    case Qt::Key_Left:
        moveTo(m_current.addDays(-1));
        break;
    case Qt::Key_Right:
        moveTo(m_current.addDays(1));
        break;
    case Qt::Key_Up:
        moveTo(m_current.addDays(-7));
        break;
    case Qt::Key_Down:
        moveTo(m_current.addDays(7));
        break;
    case Qt::Key_Home:
        moveTo(m_calendar.days().front().date);
        break;
    case Qt::Key_End:
        moveTo(m_calendar.days().back().date);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Q_EMIT dayActivated(m_current);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CalendarGrid::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void CalendarGrid::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
