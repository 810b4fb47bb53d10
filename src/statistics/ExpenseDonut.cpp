#include "ExpenseDonut.h"

#include "ChartLegend.h"
#include "ui/CategoryAccent.h"
#include "ui/Palette.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QPieSeries>
#include <QPieSlice>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

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

void ExpenseDonut::setTotals(const std::vector<CategoryTotal> &totals)
{
    m_series->clear();
    QList<ChartLegend::Item> items;
    // A border in the card's own colour opens the gap between neighbouring sectors: half of
    // it falls on each side of their shared edge.
    const QPen gap(Palette::controlBackground(), sectorGap);
    for (const CategoryTotal &total : totals) {
        auto *slice = new QPieSlice(total.name, total.amount);
        const QColor colour = CategoryAccent::colour(total.name);
        slice->setBrush(colour);
        slice->setPen(gap);
        m_series->append(slice);
        items.append({total.name, colour});
    }
    m_legend->setItems(items);
}
