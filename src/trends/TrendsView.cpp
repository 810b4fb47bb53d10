// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrendsView.h"

#include "CalendarGrid.h"
#include "DayEntriesList.h"
#include "MonthBarsChart.h"
#include "YearReviewPanel.h"
#include "ui/Card.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/SegmentedControl.h"
#include "ui/Typography.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 28;

// A caption and its picker on one line; the picker is named by the caption.
QWidget *pickerRow(const QString &caption, QComboBox *picker, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    QLabel *label = Typography::secondaryLabel(caption, row);
    label->setBuddy(picker);
    picker->setParent(row);
    picker->setAccessibleName(caption);
    picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    line->addWidget(label);
    line->addWidget(picker);
    return row;
}

// A rounded card whose one column holds the widget.
Card *pageCard(QWidget *parent, QWidget *content)
{
    auto *card = new Card(parent);
    card->setRadius(18);
    auto *column = new QVBoxLayout(card);
    card->setPadding(18);
    content->setParent(card);
    column->addWidget(content);
    return card;
}

} // namespace

TrendsView::TrendsView(ModelStore &store, DailyTotals &totals, QWidget *parent)
    : QWidget(parent)
    , m_model(store, totals)
    , m_back(new QPushButton(Icon::icon(u"chevron.left"_s, Palette::indigo(), 20), u"返回统计"_s))
    , m_year(new QComboBox)
    , m_category(new QComboBox)
    , m_month(new QComboBox)
{
    QWidget *page = ScrollPage::fill(this, Palette::controlBackground());
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(padding, 14, padding, padding);
    column->setSpacing(16);

    m_back->setParent(page);
    m_back->setAccessibleName(u"返回统计"_s);
    m_back->setIconSize(QSize(20, 20));
    m_back->setCursor(Qt::PointingHandCursor);
    m_back->setStyleSheet(
        u"QPushButton { border: none; background: transparent; color: %1; padding: 4px 8px 4px 2px; }"
        "QPushButton:hover { color: %2; }"_s.arg(Palette::css(Palette::indigo()),
                                                 Palette::css(Palette::indigo().darker(125))));
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addStretch(1);
    column->addLayout(bar);

    auto *title = new QLabel(u"年度趋势"_s, page);
    Typography::makeTitle(title, 28);
    column->addWidget(title);

    auto *controls = new QHBoxLayout;
    controls->setSpacing(18);
    m_pages = new SegmentedControl(TrendsModel::pageTitles(), page);
    m_pages->setAccessibleName(u"视图"_s);
    m_pages->setMaximumWidth(360);
    controls->addWidget(m_pages, 1);
    m_yearRow = pickerRow(u"年份"_s, m_year, page);
    controls->addWidget(m_yearRow);
    m_categoryRow = pickerRow(u"分类"_s, m_category, page);
    controls->addWidget(m_categoryRow);
    m_monthRow = pickerRow(u"月份"_s, m_month, page);
    controls->addWidget(m_monthRow);
    controls->addStretch(0);
    column->addLayout(controls);

    m_month->addItem(u"全年"_s, 0);
    for (int m = 1; m <= 12; ++m)
        m_month->addItem(u"%1月"_s.arg(m), m);

    m_chart = new MonthBarsChart;
    Card *trendCard = pageCard(page, m_chart);
    m_review = new YearReviewPanel(page);
    auto *calendarPage = new QWidget(page);
    auto *calendarColumn = new QVBoxLayout(calendarPage);
    calendarColumn->setContentsMargins(0, 0, 0, 0);
    calendarColumn->setSpacing(16);
    m_calendar = new CalendarGrid;
    calendarColumn->addWidget(pageCard(calendarPage, m_calendar));
    m_dayEntries = new DayEntriesList;
    calendarColumn->addWidget(pageCard(calendarPage, m_dayEntries));
    m_pageWidgets = {trendCard, m_review, calendarPage};
    for (QWidget *shown : m_pageWidgets)
        column->addWidget(shown);
    column->addStretch(1);

    connect(m_back, &QPushButton::clicked, this, &TrendsView::backRequested);
    connect(m_pages, &SegmentedControl::currentIndexChanged, this,
            [this](int index) { m_model.setPage(static_cast<TrendsModel::Page>(index)); });
    connect(m_year, &QComboBox::activated, this, [this](int index) {
        const int year = m_year->itemData(index).toInt();
        if (year == 0)
            m_model.setRecentMonths();
        else
            m_model.setYear(year);
    });
    connect(m_category, &QComboBox::activated, this,
            [this](int index) { m_model.setCategory(m_category->itemData(index).toString()); });
    connect(m_month, &QComboBox::activated, this,
            [this](int index) { m_model.setCalendarMonth(m_month->itemData(index).toInt()); });
    connect(m_chart, &MonthBarsChart::monthActivated, this, &TrendsView::monthRequested);
    connect(m_calendar, &CalendarGrid::dayActivated, &m_model, &TrendsModel::chooseDay);
    connect(&m_model, &TrendsModel::changed, this, &TrendsView::refresh);
    refresh();
}

void TrendsView::fillYears()
{
    const QSignalBlocker blocker(m_year);
    m_year->clear();
    const bool trend = m_model.page() == TrendsModel::Page::trend;
    if (trend)
        m_year->addItem(u"近12个月"_s, 0);
    for (const int year : m_model.years())
        m_year->addItem(u"%1年"_s.arg(year), year);
    const int shown = trend && m_model.recentMonths() ? 0 : m_model.year();
    m_year->setCurrentIndex(std::max(0, m_year->findData(shown)));
}

void TrendsView::fillCategories()
{
    const QSignalBlocker blocker(m_category);
    m_category->clear();
    m_category->addItem(u"全部支出"_s, QString());
    for (const QString &name : m_model.categories())
        m_category->addItem(name, name);
    m_category->setCurrentIndex(std::max(0, m_category->findData(m_model.category())));
}

void TrendsView::refresh()
{
    const TrendsModel::Page page = m_model.page();
    m_pages->setCurrentIndex(int(page));
    for (std::size_t i = 0; i < m_pageWidgets.size(); ++i)
        m_pageWidgets[i]->setVisible(int(i) == int(page));
    fillYears();
    m_categoryRow->setVisible(page == TrendsModel::Page::trend);
    m_monthRow->setVisible(page == TrendsModel::Page::calendar);
    switch (page) {
    case TrendsModel::Page::trend:
        fillCategories();
        m_chart->setSeries(m_model.trend());
        break;
    case TrendsModel::Page::review:
        m_review->setReview(m_model.review());
        break;
    case TrendsModel::Page::calendar: {
        const QSignalBlocker blocker(m_month);
        m_month->setCurrentIndex(m_model.calendarMonth());
        m_calendar->setCalendar(m_model.calendar(), m_model.chosenDay());
        const SpendingCalendar::Day *day = m_model.calendar().find(m_model.chosenDay());
        m_dayEntries->setDay(m_model.chosenDay(), m_model.chosenDayEntries(), day ? day->expense : 0);
        m_dayEntries->parentWidget()->setVisible(m_model.chosenDay().isValid());
        break;
    }
    }
}
