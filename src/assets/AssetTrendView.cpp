#include "AssetTrendView.h"

#include "AssetSheetBar.h"
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
#include <QSplineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Round bounds a little outside the data, so the curve never touches the frame.
std::pair<double, double> axisRange(const std::vector<AssetTrendPoint> &points)
{
    double low = 0;
    double high = 0;
    for (const AssetTrendPoint &point : points) {
        low = std::min(low, point.amount);
        high = std::max(high, point.amount);
    }
    if (high - low < 1)
        high = low + 1;
    const double step = std::pow(10.0, std::floor(std::log10(high - low)));
    return {std::floor(low / step) * step, std::ceil(high * 1.1 / step) * step};
}

} // namespace

AssetTrendView::AssetTrendView(ModelStore &store, QWidget *parent)
    : QDialog(parent)
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
    setWindowTitle(u"月度资产走势"_s);
    resize(680, 470);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 20);
    column->setSpacing(0);
    column->addLayout(new AssetSheetBar(u"月度资产走势"_s, this));

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
    column->addLayout(body, 1);

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
    const auto [low, high] = axisRange(m_points);
    m_amounts->setRange(low, high);

    // Three layers per point: the area down to the axis, the smoothed line, the point itself.
    auto *upper = new QLineSeries;
    auto *lower = new QLineSeries;
    auto *line = new QSplineSeries;
    for (size_t i = 0; i < m_points.size(); ++i) {
        upper->append(double(i), m_points[i].amount);
        lower->append(double(i), low);
        line->append(double(i), m_points[i].amount);
    }
    auto *area = new QAreaSeries(upper, lower);
    QLinearGradient fill(QPointF(0, 0), QPointF(0, 1));
    fill.setCoordinateMode(QGradient::ObjectBoundingMode);
    fill.setColorAt(0, Palette::withAlpha(Palette::indigo(), 0.28));
    fill.setColorAt(1, Palette::withAlpha(Palette::indigo(), 0.02));
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    line->setPen(QPen(Palette::indigo(), 2.5));
    line->setPointsVisible(true);
    line->setMarkerSize(8);
    for (QAbstractSeries *series :
         {static_cast<QAbstractSeries *>(area), static_cast<QAbstractSeries *>(line)}) {
        m_chart->addSeries(series);
        series->attachAxis(m_months);
        series->attachAxis(m_amounts);
    }

    const double current = m_points.empty() ? 0 : m_points.back().amount;
    m_current->setText(Money::text(current));
    m_current->setAccessibleName(u"当前资产 "_s + m_current->text());
}
