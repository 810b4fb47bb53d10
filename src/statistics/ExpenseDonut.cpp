// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpenseDonut.h"

#include "ChartLegend.h"
#include "StatisticsModel.h"
#include "ui/Palette.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QPieSeries>
#include <QPieSlice>
#include <QVBoxLayout>

#include <array>
#include <type_traits>

using namespace Qt::StringLiterals;

static_assert(std::tuple_size_v<std::remove_cvref_t<decltype(Palette::chartHues())>> ==
                  StatisticsModel::hueCount,
              "the model hands out a hue for every colour of the chart palette");

ExpenseDonut::ExpenseDonut(QWidget *parent)
    : QWidget(parent), m_view(new QChartView(this)), m_series(new QPieSeries), m_legend(new ChartLegend(this))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    // The sectors are the amounts; each is named by its category.
    m_series->setName(u"分类"_s);
    m_series->setHoleSize(holeRatio);
    m_series->setPieSize(1.0);

    auto *chart = new QChart;
    chart->addSeries(m_series);
    chart->legend()->hide();
    chart->setBackgroundVisible(false);
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setAnimationOptions(QChart::NoAnimation);

    // The view made a chart of its own and only lets go of it on setChart.
    QChart *unused = m_view->chart();
    m_view->setChart(chart);
    delete unused;
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setStyleSheet(u"background: transparent;"_s);
    m_view->setFixedHeight(chartHeight);
    m_view->setAccessibleName(u"支出分类"_s);
    column->addWidget(m_view);
    column->addWidget(m_legend);
}

void ExpenseDonut::setTotals(const std::vector<CategoryTotal> &totals, const std::vector<int> &hues)
{
    Q_ASSERT(hues.size() == totals.size());
    QList<QPieSlice *> slices;
    QList<ChartLegend::Item> items;
    // A border in the card's own colour opens the gap between neighbouring sectors: half of
    // it falls on each side of their shared edge.
    const QPen gap(Palette::controlBackground(), sectorGap);
    for (std::size_t i = 0; i < totals.size(); ++i) {
        const CategoryTotal &total = totals[i];
        auto *slice = new QPieSlice(total.name, total.amount);
        const QColor colour = Palette::chartHues().at(std::size_t(hues.at(i)));
        slice->setBrush(colour);
        slice->setPen(gap);
        slices.append(slice);
        items.append({total.name, colour});
    }
    // All at once: the chart remakes its legend entries for the whole series on every change
    // of the series' size, so slices added one by one cost the square of their number.
    m_series->clear();
    m_series->append(slices);
    m_legend->setItems(items);
}
