// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonthBarsChart.h"

#include "model/Money.h"
#include "ui/FocusRing.h"
#include "ui/Fonts.h"
#include "ui/Palette.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int legendHeight = 22;
constexpr int captionHeight = 26;
constexpr int axisWidth = 64;
constexpr int rightMargin = 12;
constexpr int labelHeight = 36;
constexpr int gridLines = 4;

// A step of 1, 2 or 5 times a power of ten that splits the span into at most gridLines parts.
double niceStep(double span)
{
    if (span <= 0)
        return 1;
    const double raw = span / gridLines;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

// Axis values are short: whole yuan, ten thousands as 万.
QString axisText(double value)
{
    const QLocale locale;
    if (std::abs(value) >= 10000)
        return locale.toString(value / 10000, 'g', 4) + u"万"_s;
    return locale.toString(value, 'f', 0);
}

void drawDiamond(QPainter &painter, QPointF centre, qreal radius)
{
    QPainterPath path;
    path.moveTo(centre.x(), centre.y() - radius);
    path.lineTo(centre.x() + radius, centre.y());
    path.lineTo(centre.x(), centre.y() + radius);
    path.lineTo(centre.x() - radius, centre.y());
    path.closeSubpath();
    painter.drawPath(path);
}

} // namespace

MonthBarsChart::MonthBarsChart(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(u"月度收支"_s);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumHeight(chartHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_items = new PaintedItems(
        this, [this] { return accessibleItems(); }, QAccessible::Chart);
}

QSize MonthBarsChart::sizeHint() const
{
    return {640, chartHeight};
}

void MonthBarsChart::setSeries(const MonthSeries &series)
{
    m_series = series;
    const double span = m_series.reach() - m_series.lowest();
    m_step = niceStep(span > 0 ? span : 100);
    const int count = int(m_series.months().size());
    if (m_current >= count)
        m_current = count - 1;
    m_hovered = -1;
    m_items->changed();
    update();
}

void MonthBarsChart::setCurrentMonth(int index)
{
    const int count = int(m_series.months().size());
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    if (index == m_current)
        return;
    m_current = index;
    update();
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        // The month's expense bar, or its one bar in a category's chart.
        focus.setChild(m_series.category().isEmpty() ? 2 * m_current + 1 : m_current);
        QAccessible::updateAccessibility(&focus);
    }
}

QString MonthBarsChart::monthTitle(QDate first)
{
    return u"%1年%2月"_s.arg(first.year()).arg(first.month());
}

QString MonthBarsChart::monthText(int index) const
{
    if (index < 0 || index >= int(m_series.months().size()))
        return {};
    const MonthSeries::Month &month = m_series.months()[std::size_t(index)];
    const QString title = monthTitle(month.first);
    if (!m_series.category().isEmpty())
        return u"%1　%2 %3，占当月支出 %4%"_s.arg(title, m_series.category(), Money::text(month.category))
            .arg(int(month.share * 100));
    return u"%1　收入 %2　支出 %3　结余 %4"_s.arg(title, Money::text(month.income),
                                                  Money::text(month.expense), Money::text(month.balance()));
}

QRect MonthBarsChart::plotRect() const
{
    return QRect(axisWidth, legendHeight + captionHeight + 8, width() - axisWidth - rightMargin,
                 height() - legendHeight - captionHeight - 8 - labelHeight);
}

double MonthBarsChart::top() const
{
    return std::max(m_step, std::ceil(m_series.reach() / m_step) * m_step);
}

double MonthBarsChart::bottom() const
{
    return std::floor(m_series.lowest() / m_step) * m_step;
}

int MonthBarsChart::yOf(double value) const
{
    const QRect plot = plotRect();
    const double span = top() - bottom();
    return plot.bottom() - int(std::lround((value - bottom()) / span * plot.height()));
}

QRect MonthBarsChart::columnRect(int index) const
{
    const QRect plot = plotRect();
    const int count = std::max(1, int(m_series.months().size()));
    const int left = plot.left() + plot.width() * index / count;
    const int right = plot.left() + plot.width() * (index + 1) / count;
    return QRect(left, plot.top(), right - left, plot.height());
}

QList<QRect> MonthBarsChart::barRects(int index) const
{
    QList<QRect> bars;
    if (index < 0 || index >= int(m_series.months().size()))
        return bars;
    const MonthSeries::Month &month = m_series.months()[std::size_t(index)];
    const QRect column = columnRect(index);
    const int zero = yOf(0);
    // A bar of no money is still a sliver that the pointer and a reader can find.
    const auto bar = [&](int left, int width, double value) {
        const int y = yOf(std::max(0.0, value));
        return QRect(left, std::min(y, zero - 1), width, std::max(1, zero - y));
    };
    if (!m_series.category().isEmpty()) {
        const int width = std::clamp(column.width() / 2, 6, 30);
        bars.append(bar(column.center().x() - width / 2, width, month.category));
    } else {
        const int width = std::clamp(column.width() * 3 / 10, 4, 20);
        const int centre = column.center().x();
        bars.append(bar(centre - width - 1, width, month.income));
        bars.append(bar(centre + 1, width, month.expense));
    }
    return bars;
}

QList<PaintedItems::Item> MonthBarsChart::accessibleItems() const
{
    QList<PaintedItems::Item> items;
    for (int i = 0; i < int(m_series.months().size()); ++i) {
        const MonthSeries::Month &month = m_series.months()[std::size_t(i)];
        const QString title = monthTitle(month.first);
        const QList<QRect> bars = barRects(i);
        if (!m_series.category().isEmpty()) {
            items.append({monthText(i), bars.value(0)});
            continue;
        }
        items.append({u"%1 收入 %2"_s.arg(title, Money::text(month.income)), bars.value(0)});
        items.append(
            {u"%1 支出 %2，结余 %3"_s.arg(title, Money::text(month.expense), Money::text(month.balance())),
             bars.value(1)});
    }
    if (!m_series.months().empty()) {
        const QRect plot = plotRect();
        const int y = yOf(m_series.average());
        const QString what = m_series.category().isEmpty() ? u"支出"_s : m_series.category();
        items.append({u"月平均%1 %2"_s.arg(what, Money::text(m_series.average())),
                      QRect(plot.left(), y - 2, plot.width(), 5)});
    }
    return items;
}

int MonthBarsChart::monthAt(QPoint point) const
{
    const QRect plot = plotRect();
    if (point.x() < plot.left() || point.x() > plot.right() || point.y() < plot.top() ||
        point.y() > plot.bottom() + labelHeight)
        return -1;
    for (int i = 0; i < int(m_series.months().size()); ++i) {
        if (columnRect(i).contains(QPoint(point.x(), plot.top())))
            return i;
    }
    return -1;
}

int MonthBarsChart::shownMonth() const
{
    if (m_hovered >= 0)
        return m_hovered;
    return hasFocus() ? m_current : -1;
}

void MonthBarsChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect plot = plotRect();
    const bool byCategory = !m_series.category().isEmpty();
    const QFont caption = Fonts::caption(font());

    // The key: what each mark stands for, by shape as well as colour.
    painter.setFont(caption);
    const QFontMetrics metrics(caption);
    int x = axisWidth;
    const int keyMiddle = legendHeight / 2;
    const auto key = [&](const QString &text, const std::function<void(QRect)> &mark) {
        const QRect swatch(x, keyMiddle - 5, 12, 10);
        mark(swatch);
        painter.setPen(Palette::secondaryText());
        const int textWidth = metrics.horizontalAdvance(text);
        painter.drawText(QRect(x + 16, 0, textWidth + 2, legendHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         text);
        x += 16 + textWidth + 18;
    };
    if (byCategory) {
        key(m_series.category() + u"支出"_s, [&](QRect r) { painter.fillRect(r, Palette::expense()); });
    } else {
        key(u"收入"_s, [&](QRect r) { painter.fillRect(r, Palette::income()); });
        key(u"支出"_s, [&](QRect r) { painter.fillRect(r, Palette::expense()); });
        key(u"结余"_s, [&](QRect r) {
            painter.setPen(QPen(Palette::warning(), 2));
            painter.drawLine(r.left(), r.center().y(), r.right(), r.center().y());
            painter.setBrush(Palette::warning());
            painter.setPen(Qt::NoPen);
            drawDiamond(painter, QRectF(r).center(), 4);
        });
    }
    key(u"月平均"_s, [&](QRect r) {
        painter.setPen(QPen(Palette::primaryText(), 1.5, Qt::DashLine));
        painter.drawLine(r.left(), r.center().y(), r.right(), r.center().y());
    });

    // The figures of the month under the pointer or the keyboard.
    const int shown = shownMonth();
    painter.setFont(font());
    painter.setPen(shown >= 0 ? Palette::primaryText() : Palette::tertiaryText());
    painter.drawText(QRect(axisWidth, legendHeight, width() - axisWidth - rightMargin, captionHeight),
                     Qt::AlignVCenter | Qt::AlignLeft,
                     shown >= 0 ? monthText(shown) : u"指向或选中一个月份查看数额，回车打开该月统计"_s);

    // Grid and amounts.
    painter.setFont(caption);
    for (double value = bottom(); value <= top() + m_step / 2; value += m_step) {
        const int y = yOf(value);
        painter.setPen(QPen(std::abs(value) < m_step / 2 ? Palette::border() : Palette::separator(), 1));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(Palette::secondaryText());
        painter.drawText(QRect(0, y - 9, axisWidth - 8, 18), Qt::AlignRight | Qt::AlignVCenter,
                         axisText(std::abs(value) < m_step / 2 ? 0 : value));
    }

    const auto &months = m_series.months();
    for (int i = 0; i < int(months.size()); ++i) {
        const MonthSeries::Month &month = months[std::size_t(i)];
        const QRect column = columnRect(i);
        if (i == shown)
            painter.fillRect(column.adjusted(2, 0, -2, 0), Palette::hoverFill());
        const QList<QRect> bars = barRects(i);
        if (byCategory) {
            painter.fillRect(bars.value(0), Palette::expense());
        } else {
            painter.fillRect(bars.value(0), Palette::income());
            painter.fillRect(bars.value(1), Palette::expense());
        }
        if (hasFocus() && i == m_current)
            FocusRing::paint(painter, QRectF(column.adjusted(1, -4, -1, 4)), 6);
        // Month under the column, with its year under January and the first month.
        painter.setPen(Palette::secondaryText());
        painter.drawText(QRect(column.left(), plot.bottom() + 4, column.width(), 16), Qt::AlignCenter,
                         u"%1月"_s.arg(month.first.month()));
        if (i == 0 || month.first.month() == 1)
            painter.drawText(QRect(column.left() - 10, plot.bottom() + 19, column.width() + 20, 16),
                             Qt::AlignCenter, u"%1年"_s.arg(month.first.year()));
    }

    // The balance of each month begun, joined.
    if (!byCategory) {
        QPolygonF line;
        for (int i = 0; i < int(months.size()); ++i) {
            if (months[std::size_t(i)].begun)
                line.append(QPointF(columnRect(i).center().x(), yOf(months[std::size_t(i)].balance())));
        }
        painter.setPen(QPen(Palette::warning(), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line);
        painter.setPen(QPen(Palette::controlBackground(), 1.5));
        painter.setBrush(Palette::warning());
        for (const QPointF &point : std::as_const(line))
            drawDiamond(painter, point, 5);
    }

    // The average, with its amount at the right end.
    if (!months.empty()) {
        const int y = yOf(m_series.average());
        painter.setPen(QPen(Palette::primaryText(), 1.5, Qt::DashLine));
        painter.drawLine(plot.left(), y, plot.right(), y);
        const QString text = u"平均 "_s + Money::text(m_series.average());
        const int textWidth = metrics.horizontalAdvance(text) + 10;
        const QRect label(plot.right() - textWidth, y - 20, textWidth, 18);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Palette::withAlpha(Palette::controlBackground(), 0.85));
        painter.drawRoundedRect(label, 4, 4);
        painter.setPen(Palette::primaryText());
        painter.drawText(label, Qt::AlignCenter, text);
    }
}

bool MonthBarsChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int month = monthAt(help->pos());
        if (month >= 0)
            QToolTip::showText(help->globalPos(), monthText(month), this, columnRect(month));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void MonthBarsChart::mouseMoveEvent(QMouseEvent *event)
{
    const int month = monthAt(event->position().toPoint());
    if (month != m_hovered) {
        m_hovered = month;
        setCursor(month >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
}

void MonthBarsChart::mouseReleaseEvent(QMouseEvent *event)
{
    const int month = monthAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || month < 0)
        return;
    setCurrentMonth(month);
    Q_EMIT monthActivated(m_series.months()[std::size_t(month)].first);
}

void MonthBarsChart::leaveEvent(QEvent *)
{
    m_hovered = -1;
    update();
}

void MonthBarsChart::keyPressEvent(QKeyEvent *event)
{
    const int count = int(m_series.months().size());
    if (count == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrentMonth(m_current - 1);
        break;
    case Qt::Key_Right:
        setCurrentMonth(m_current + 1);
        break;
    case Qt::Key_Home:
        setCurrentMonth(0);
        break;
    case Qt::Key_End:
        setCurrentMonth(count - 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_current >= 0)
            Q_EMIT monthActivated(m_series.months()[std::size_t(m_current)].first);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MonthBarsChart::focusInEvent(QFocusEvent *event)
{
    if (m_current < 0 && !m_series.months().empty()) {
        // The keyboard starts on the newest month begun.
        int newest = 0;
        for (int i = 0; i < int(m_series.months().size()); ++i) {
            if (m_series.months()[std::size_t(i)].begun)
                newest = i;
        }
        m_current = newest;
    }
    update();
    QWidget::focusInEvent(event);
}

void MonthBarsChart::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
