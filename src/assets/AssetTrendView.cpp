// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetTrendView.h"

#include "AssetTrendCurve.h"
#include "model/Money.h"
#include "store/ModelStore.h"
#include "ui/Card.h"
#include "ui/EmptyState.h"
#include "ui/Fonts.h"
#include "ui/PaintedItems.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLinearGradient>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal fillOpacity = 0.28;
constexpr qreal fadedOpacity = 0.02;
constexpr int markerSize = 10;

// The shading between the curve and zero: deepest at the curve's far points, fading towards
// the zero line, above it and below it alike.
QLinearGradient shading(const QList<QPointF> &curve)
{
    double top = 0;
    double bottom = 0;
    for (const QPointF &point : curve) {
        top = std::max(top, point.y());
        bottom = std::min(bottom, point.y());
    }
    // The gradient spans the shaded shape, from its top (the curve's highest point or zero) to
    // its bottom (zero or the curve's lowest point).
    QLinearGradient fill(QPointF(0, 0), QPointF(0, 1));
    fill.setCoordinateMode(QGradient::ObjectBoundingMode);
    const QColor deep = Palette::withAlpha(Palette::indigo(), fillOpacity);
    const QColor faded = Palette::withAlpha(Palette::indigo(), fadedOpacity);
    const double zeroAt = top > bottom ? top / (top - bottom) : 1;
    fill.setColorAt(0, top > 0 ? deep : faded);
    fill.setColorAt(zeroAt, faded);
    fill.setColorAt(1, bottom < 0 ? deep : faded);
    return fill;
}

} // namespace

AssetTrendView::AssetTrendView(ModelStore &store, QWidget *parent)
    : Sheet(u"月度资产走势"_s, SheetSize::Chart, Dismiss::close, QString(), parent)
    , m_model(store)
    , m_empty(new EmptyState(u"chart.line.uptrend.xyaxis"_s, u"暂无资产数据"_s,
                             u"新增资产后即可查看月度走势。"_s, this))
    , m_chart(new QChart)
    , m_chartView(new QChartView(m_chart, this))
    , m_months(new QBarCategoryAxis(m_chart))
    , m_amounts(new QValueAxis(m_chart))
    , m_panel(new Card(this))
    , m_current(new QLabel(m_panel))
{
    addTitleRow(TitlePlacement::leading);
    column()->setSpacing(0);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 20, 8, 0);
    body->setSpacing(18);
    QLabel *description =
        Typography::secondaryLabel(u"近 6 个月的账户余额总和，会随每次增加或扣除金额更新。"_s, this);
    description->setWordWrap(true);
    body->addWidget(description);
    body->addWidget(m_empty, 1);

    m_chart->legend()->hide();
    m_chart->setBackgroundVisible(false);
    m_chart->setMargins(QMargins(0, 0, 0, 0));
    m_months->setTitleText(u"月份"_s);
    m_amounts->setTitleText(u"资产"_s);
    m_amounts->setLabelFormat(u"%.0f"_s);
    // Round ticks counted from zero, whatever the padded bounds are.
    m_amounts->setTickType(QValueAxis::TicksDynamic);
    m_amounts->setTickAnchor(0);
    for (QAbstractAxis *axis :
         {static_cast<QAbstractAxis *>(m_months), static_cast<QAbstractAxis *>(m_amounts)}) {
        axis->setTitleBrush(Palette::secondaryText());
        axis->setLabelsColor(Palette::secondaryText());
        axis->setGridLineColor(Palette::separator());
        axis->setLinePenColor(Palette::separator());
    }
    m_chart->addAxis(m_months, Qt::AlignBottom);
    m_chart->addAxis(m_amounts, Qt::AlignLeft);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setFixedHeight(290);
    // Nothing in the chart answers a key, and a view shows no focus: Tab passes it by.
    m_chartView->setFocusPolicy(Qt::NoFocus);
    m_chartView->setAccessibleName(u"月度资产走势"_s);
    // Each month's point is read with its month and amount, as the axis and the value show them.
    m_accessiblePoints = new PaintedItems(
        m_chartView,
        [this] {
            QList<PaintedItems::Item> points;
            for (size_t i = 0; i < m_model.points().size() && m_symbols; ++i) {
                const QPointF atChart =
                    m_chart->mapToPosition(QPointF(double(i), m_model.points()[i].amount), m_symbols);
                const QPoint atView = m_chartView->viewport()->mapTo(
                    m_chartView, m_chartView->mapFromScene(m_chart->mapToScene(atChart)));
                points.append(
                    {m_model.points()[i].month + u"，"_s + Money::text(m_model.points()[i].amount),
                     QRect(atView - QPoint(markerSize / 2, markerSize / 2), QSize(markerSize, markerSize))});
            }
            return points;
        },
        QAccessible::Chart);
    body->addWidget(m_chartView);

    auto *panelRow = new QHBoxLayout(m_panel);
    static_cast<Card *>(m_panel)->setFill(Palette::faintFill());
    static_cast<Card *>(m_panel)->setBorderColour(Qt::transparent);
    panelRow->setContentsMargins(16, 12, 16, 12);
    panelRow->addWidget(Typography::secondaryLabel(u"当前资产"_s, m_panel));
    panelRow->addStretch(1);
    m_current->setFont(Fonts::scaled(m_current->font(), 1.55, QFont::Bold));
    panelRow->addWidget(m_current);
    body->addWidget(m_panel);
    body->addStretch(0);
    column()->addLayout(body, 1);

    connect(&m_model, &AssetTrendModel::changed, this, &AssetTrendView::refresh);
    refresh();
}

void AssetTrendView::refresh()
{
    const bool empty = m_model.isEmpty();
    m_empty->setVisible(empty);
    m_chartView->setVisible(!empty);
    m_panel->setVisible(!empty);
    const std::vector<AssetTrendPoint> &points = m_model.points();

    m_chart->removeAllSeries();
    QStringList labels;
    for (const AssetTrendPoint &point : points)
        labels.append(point.month);
    m_months->setCategories(labels);
    const QList<QPointF> &curve = m_model.curve();
    const AssetTrendCurve::AxisRange range = m_model.axisRange();
    m_amounts->setRange(range.low, range.high);
    m_amounts->setTickInterval(range.step);

    // Three layers: the area between the curve and zero, the smoothed line, a symbol at each
    // value.
    auto *upper = new QLineSeries;
    auto *lower = new QLineSeries;
    auto *line = new QLineSeries;
    auto *symbols = new QScatterSeries;
    m_symbols = symbols;
    upper->append(curve);
    line->append(curve);
    for (const QPointF &point : curve)
        lower->append(point.x(), 0);
    for (size_t i = 0; i < points.size(); ++i)
        symbols->append(double(i), points[i].amount);
    auto *area = new QAreaSeries(upper, lower);
    // The area does not own its two bounds; removeAllSeries deletes the area and so them.
    upper->setParent(area);
    lower->setParent(area);
    area->setBrush(shading(curve));
    area->setPen(Qt::NoPen);
    line->setPen(QPen(Palette::indigo(), 2.5));
    symbols->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    symbols->setMarkerSize(markerSize);
    symbols->setColor(Palette::indigo());
    symbols->setBorderColor(Palette::controlBackground());
    for (QAbstractSeries *series :
         {static_cast<QAbstractSeries *>(area), static_cast<QAbstractSeries *>(line),
          static_cast<QAbstractSeries *>(symbols)}) {
        m_chart->addSeries(series);
        series->attachAxis(m_months);
        series->attachAxis(m_amounts);
    }

    m_current->setText(Money::text(m_model.current()));
    m_current->setAccessibleName(u"当前资产 "_s + m_current->text());
    m_accessiblePoints->changed();
}
