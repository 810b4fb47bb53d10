#include "AssetTrendView.h"

#include "model/Money.h"
#include "store/ModelStore.h"
#include "ui/Card.h"
#include "ui/EmptyState.h"
#include "ui/Fonts.h"
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
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int stepsPerMonth = 16;

// A smooth curve through the points (Catmull-Rom, x one unit per month), sampled densely so the
// line and the top of the area are the same curve.
QList<QPointF> smoothed(const std::vector<AssetTrendPoint> &points)
{
    QList<QPointF> curve;
    const int n = int(points.size());
    const auto y = [&](int i) { return points[size_t(std::clamp(i, 0, n - 1))].amount; };
    for (int i = 0; i + 1 < n; ++i) {
        const double p0 = y(i - 1), p1 = y(i), p2 = y(i + 1), p3 = y(i + 2);
        for (int step = 0; step < stepsPerMonth; ++step) {
            const double t = double(step) / stepsPerMonth;
            const double value = 0.5 * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                                        (3 * p1 - p0 - 3 * p2 + p3) * t * t * t);
            curve.append(QPointF(i + t, value));
        }
    }
    if (n > 0)
        curve.append(QPointF(n - 1, y(n - 1)));
    return curve;
}

// Round bounds a little outside the curve, so it never touches the frame.
std::pair<double, double> axisRange(const QList<QPointF> &curve)
{
    double low = 0;
    double high = 0;
    for (const QPointF &point : curve) {
        low = std::min(low, point.y());
        high = std::max(high, point.y());
    }
    if (high - low < 1)
        high = low + 1;
    const double step = std::pow(10.0, std::floor(std::log10(high - low)));
    return {std::floor(low / step) * step, std::ceil(high * 1.1 / step) * step};
}

} // namespace

AssetTrendView::AssetTrendView(ModelStore &store, QWidget *parent)
    : Sheet(u"月度资产走势"_s, SheetSize::Chart, Dismiss::close, QString(), parent)
    , m_store(store)
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
    m_amounts->setTickCount(5);
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
    m_chartView->setAccessibleName(u"月度资产走势"_s);
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

    connect(&store, &ModelStore::assetAccountsChanged, this, &AssetTrendView::refresh);
    connect(&store, &ModelStore::assetAdjustmentsChanged, this, &AssetTrendView::refresh);
    refresh();
}

void AssetTrendView::refresh()
{
    const bool empty = m_store.assetAccounts().empty();
    m_empty->setVisible(empty);
    m_chartView->setVisible(!empty);
    m_panel->setVisible(!empty);
    m_points =
        empty ? std::vector<AssetTrendPoint>{}
              : AssetTrendCalculator::sixMonthPoints(m_store.assetAccounts(), m_store.assetAdjustments());

    m_chart->removeAllSeries();
    QStringList labels;
    for (const AssetTrendPoint &point : m_points)
        labels.append(point.month);
    m_months->setCategories(labels);
    const QList<QPointF> curve = smoothed(m_points);
    const auto [low, high] = axisRange(curve);
    m_amounts->setRange(low, high);

    // Three layers: the area down to the axis, the smoothed line, a symbol at each value.
    auto *upper = new QLineSeries;
    auto *lower = new QLineSeries;
    auto *line = new QLineSeries;
    auto *symbols = new QScatterSeries;
    upper->append(curve);
    line->append(curve);
    for (const QPointF &point : curve)
        lower->append(point.x(), low);
    for (size_t i = 0; i < m_points.size(); ++i)
        symbols->append(double(i), m_points[i].amount);
    auto *area = new QAreaSeries(upper, lower);
    // The area does not own its two bounds; removeAllSeries deletes the area and so them.
    upper->setParent(area);
    lower->setParent(area);
    QLinearGradient fill(QPointF(0, 0), QPointF(0, 1));
    fill.setCoordinateMode(QGradient::ObjectBoundingMode);
    fill.setColorAt(0, Palette::withAlpha(Palette::indigo(), 0.28));
    fill.setColorAt(1, Palette::withAlpha(Palette::indigo(), 0.02));
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    line->setPen(QPen(Palette::indigo(), 2.5));
    symbols->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    symbols->setMarkerSize(10);
    symbols->setColor(Palette::indigo());
    symbols->setBorderColor(Palette::controlBackground());
    for (QAbstractSeries *series :
         {static_cast<QAbstractSeries *>(area), static_cast<QAbstractSeries *>(line),
          static_cast<QAbstractSeries *>(symbols)}) {
        m_chart->addSeries(series);
        series->attachAxis(m_months);
        series->attachAxis(m_amounts);
    }

    const double current = m_points.empty() ? 0 : m_points.back().amount;
    m_current->setText(Money::text(current));
    m_current->setAccessibleName(u"当前资产 "_s + m_current->text());
}
