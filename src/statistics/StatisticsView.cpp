// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatisticsView.h"

#include "CategoryRanking.h"
#include "ExpenseDonut.h"
#include "SummaryChip.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/DateRangeRow.h"
#include "ui/EmptyState.h"
#include "ui/FormWidgets.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/SegmentedControl.h"
#include "ui/Typography.h"
#include "ui/WorkspaceHeader.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 28;
constexpr int blockSpacing = 18;
constexpr int maximumPickerWidth = 420;

QColor toneColour(StatisticsModel::Tone tone)
{
    switch (tone) {
    case StatisticsModel::Tone::income:
        return Palette::income();
    case StatisticsModel::Tone::expense:
        return Palette::expense();
    case StatisticsModel::Tone::primary:
        break;
    }
    return Palette::primaryText();
}

// A date picker with its caption on its left, as one row of the range controls.
QWidget *pickerRow(QLabel *caption, QDateEdit *picker, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(10);
    caption->setParent(row);
    caption->setBuddy(picker);
    picker->setParent(row);
    line->addWidget(caption);
    line->addWidget(picker);
    line->addStretch(1);
    return row;
}

Card *roundedCard(QWidget *parent)
{
    // The control background, like the page: the donut's sector gaps are drawn in it.
    auto *card = new Card(parent);
    card->setRadius(18);
    return card;
}

} // namespace

StatisticsView::StatisticsView(ModelStore &store, DailyTotals &totals, QWidget *parent)
    : QWidget(parent), m_model(store, totals)
{
    QWidget *page = ScrollPage::fill(this, Palette::controlBackground());
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(blockSpacing);

    auto *header = new WorkspaceHeader(u"统计分析"_s, QString(), page);
    m_trends = Buttons::bordered(u"年度趋势"_s, u"chart.xyaxis.line"_s, header);
    m_trends->setAccessibleName(u"年度趋势"_s);
    m_trends->setToolTip(u"月度趋势、年度账单和消费日历（Ctrl+T）"_s);
    header->addAction(m_trends);
    connect(m_trends, &QPushButton::clicked, this, &StatisticsView::trendsRequested);
    column->addWidget(header);
    column->addWidget(buildRangeControls(page));

    auto *chips = new QHBoxLayout;
    chips->setSpacing(12);
    const std::array<StatisticsModel::Summary, 3> summaries = m_model.summaries();
    for (std::size_t i = 0; i < summaries.size(); ++i) {
        m_chips[i] = new SummaryChip(summaries[i].title, toneColour(summaries[i].tone), page);
        chips->addWidget(m_chips[i], 1);
    }
    column->addLayout(chips);

    Card *chartCard = roundedCard(page);
    m_chartCard = chartCard;
    auto *chartColumn = new QVBoxLayout(chartCard);
    chartColumn->setSpacing(12);
    chartCard->setPadding(18);
    auto *chartHeading = new QLabel(u"支出分类"_s, chartCard);
    Typography::makeHeadline(chartHeading);
    chartColumn->addWidget(chartHeading);
    m_donut = new ExpenseDonut(chartCard);
    chartColumn->addWidget(m_donut);
    column->addWidget(chartCard);

    Card *rankingCard = roundedCard(page);
    m_rankingCard = rankingCard;
    auto *rankingColumn = new QVBoxLayout(rankingCard);
    rankingCard->setPadding(18);
    m_ranking = new CategoryRanking(rankingCard);
    rankingColumn->addWidget(m_ranking);
    column->addWidget(rankingCard);

    m_empty = new EmptyState(u"chart.pie"_s, u"该时间段暂无支出记录"_s,
                             u"调整日期范围或记录一笔支出后，这里会生成分类图表。"_s, page);
    m_empty->setMinimumHeight(260);
    column->addWidget(m_empty);
    column->addStretch(1);

    connect(&m_model, &StatisticsModel::changed, this, &StatisticsView::refresh);
    refresh();
}

QDateEdit *StatisticsView::startPicker() const
{
    return m_customRow->startPicker();
}

QDateEdit *StatisticsView::endPicker() const
{
    return m_customRow->endPicker();
}

QWidget *StatisticsView::buildRangeControls(QWidget *parent)
{
    auto *controls = new QWidget(parent);
    auto *column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    const PeriodSelection::Rules &rules = StatisticsModel::rangeRules();
    auto *rangeLine = new QHBoxLayout;
    rangeLine->setSpacing(10);
    auto *rangeCaption = Typography::secondaryLabel(u"统计周期"_s, controls);
    m_range = new SegmentedControl(rules.titles(), controls);
    m_range->setAccessibleName(u"统计周期"_s);
    m_range->setMaximumWidth(maximumPickerWidth);
    m_range->setCurrentIndex(rules.indexOf(m_model.range()));
    rangeLine->addWidget(rangeCaption);
    rangeLine->addWidget(m_range, 1);
    rangeLine->addStretch(0);
    auto *rangeHolder = new QWidget(controls);
    rangeHolder->setLayout(rangeLine);
    rangeLine->setContentsMargins(0, 0, 0, 0);
    rangeHolder->setMaximumWidth(maximumPickerWidth + 80);
    column->addWidget(rangeHolder);

    m_selectedCaption = Typography::secondaryLabel(QString(), controls);
    m_selected = FormWidgets::datePicker(controls);
    m_selectedRow = pickerRow(m_selectedCaption, m_selected, controls);
    column->addWidget(m_selectedRow);

    m_customRow =
        new DateRangeRow({DateRangeRow::Captions::beside, u"开始"_s, u"结束"_s, 10, 8, true}, controls);
    column->addWidget(m_customRow);

    connect(m_range, &SegmentedControl::currentIndexChanged, this, [this](int index) {
        if (const std::optional<PeriodChoice> range = StatisticsModel::rangeRules().choiceAt(index))
            m_model.setRange(*range);
    });
    connect(m_selected, &QDateEdit::dateChanged, &m_model, &StatisticsModel::setSelectedDay);
    connect(m_customRow, &DateRangeRow::startDayChosen, &m_model, &StatisticsModel::setStartDay);
    connect(m_customRow, &DateRangeRow::endDayChosen, &m_model, &StatisticsModel::setEndDay);
    return controls;
}

void StatisticsView::refresh()
{
    const PeriodChoice range = m_model.range();
    const bool custom = range == PeriodChoice::custom;
    m_selectedRow->setVisible(!custom);
    m_customRow->setVisible(custom);
    const QString caption = FormWidgets::periodDayCaption(range);
    m_selectedCaption->setText(caption);
    m_selected->setAccessibleName(caption);
    FormWidgets::showDay(m_selected, m_model.selectedDate().toLocalTime().date());
    m_customRow->showSelection(m_model.selection());

    const std::array<StatisticsModel::Summary, 3> summaries = m_model.summaries();
    for (std::size_t i = 0; i < summaries.size(); ++i)
        m_chips[i]->setValue(summaries[i].value);

    const bool hasExpenses = !m_model.categories().empty();
    m_chartCard->setVisible(hasExpenses);
    m_rankingCard->setVisible(hasExpenses);
    m_empty->setVisible(!hasExpenses);
    m_donut->setTotals(m_model.categories(), m_model.sectorHues());
    m_ranking->setTotals(m_model.categories());
}
