// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpenseDonut.h"

#include "ChartLegend.h"
#include "StatisticsModel.h"
#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <type_traits>

using namespace Qt::StringLiterals;

static_assert(std::tuple_size_v<std::remove_cvref_t<decltype(Palette::chartHues())>> ==
                  StatisticsModel::hueCount,
              "the model hands out a hue for every colour of the chart palette");

// The ring, painted in one pass: the first sector starts at twelve o'clock and they follow
// clockwise, each spanning its share of the whole.
class DonutRing final : public QWidget {
public:
    DonutRing(const QList<ExpenseDonut::Sector> &sectors, QWidget *parent)
        : QWidget(parent), m_sectors(sectors)
    {
        setAccessibleName(u"支出分类"_s);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        double total = 0;
        for (const ExpenseDonut::Sector &sector : m_sectors)
            total += std::max(0.0, sector.amount);
        if (total <= 0)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        // The pen of the gaps is centred on the edges: half of it falls outside the sectors.
        const qreal outer = std::min(width(), height()) / 2.0 - ExpenseDonut::sectorGap / 2;
        const qreal inner = outer * ExpenseDonut::holeRatio;
        const QPointF centre = QRectF(rect()).center();
        const QRectF outerBox(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer);
        const QRectF innerBox(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);
        // A border in the card's own colour opens the gap between neighbouring sectors: half of
        // it falls on each side of their shared edge. A lone sector is a whole ring, with no edge.
        const QPen gap(Palette::controlBackground(), ExpenseDonut::sectorGap);
        qreal start = 0; // degrees clockwise from twelve o'clock
        for (const ExpenseDonut::Sector &sector : m_sectors) {
            const qreal span = 360.0 * std::max(0.0, sector.amount) / total;
            QPainterPath path;
            if (span >= 360.0) {
                path.addEllipse(outerBox);
                path.addEllipse(innerBox);
                painter.setPen(Qt::NoPen);
            } else {
                // QPainterPath counts degrees anticlockwise from three o'clock.
                const qreal from = 90.0 - start;
                path.arcMoveTo(outerBox, from);
                path.arcTo(outerBox, from, -span);
                path.arcTo(innerBox, from - span, span);
                path.closeSubpath();
                painter.setPen(gap);
            }
            painter.setBrush(sector.colour);
            painter.drawPath(path);
            start += span;
        }
    }

private:
    const QList<ExpenseDonut::Sector> &m_sectors;
};

ExpenseDonut::ExpenseDonut(QWidget *parent)
    : QWidget(parent), m_ring(new DonutRing(m_sectors, this)), m_legend(new ChartLegend(this))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    m_ring->setFixedHeight(chartHeight);
    column->addWidget(m_ring);
    column->addWidget(m_legend);
}

QWidget *ExpenseDonut::ring() const
{
    return m_ring;
}

void ExpenseDonut::setTotals(const std::vector<CategoryTotal> &totals, const std::vector<int> &hues)
{
    Q_ASSERT(hues.size() == totals.size());
    m_sectors.clear();
    QList<ChartLegend::Item> items;
    for (std::size_t i = 0; i < totals.size(); ++i) {
        const QColor colour = Palette::chartHues().at(std::size_t(hues.at(i)));
        m_sectors.append({totals[i].name, totals[i].amount, colour});
        items.append({totals[i].name, colour});
    }
    m_legend->setItems(items);
    m_ring->update();
}
