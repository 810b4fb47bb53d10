// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetLedgerSheet.h"
#include "model/LocalCalendar.h"

#include "AssetChangeDelegate.h"
#include "AssetChangeListModel.h"
#include "ui/Card.h"
#include "ui/DateRangeRow.h"
#include "ui/EmptyState.h"
#include "ui/FormWidgets.h"
#include "ui/Icon.h"
#include "ui/SegmentedControl.h"
#include "ui/Typography.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AssetLedgerSheet::AssetLedgerSheet(std::unique_ptr<AssetLedgerModel> model, const QString &title,
                                   SheetSize size, const Empty &empty, QWidget *parent)
    : Sheet(title, size, Dismiss::close, QString(), parent)
    , m_model(std::move(model))
    , m_period(new SegmentedControl(AssetLedgerModel::periodRules().titles(), this))
    , m_single(new QWidget(this))
    , m_selectedLabel(nullptr)
    , m_selected(FormWidgets::datePicker(m_single))
    , m_range(new DateRangeRow({DateRangeRow::Captions::above, u"开始"_s, u"结束"_s, 6, 16, true}, this))
    , m_summary(new QHBoxLayout)
    , m_stack(new QStackedWidget(this))
    , m_list(new QListView(m_stack))
    , m_rows(new AssetChangeListModel(this))
    , m_empty(new EmptyState(empty.symbol, empty.title, empty.description, m_stack))
{
    addTitleRow(TitlePlacement::leading);
    QVBoxLayout *column = this->column();

    auto *header = new QVBoxLayout;
    header->setSpacing(10);
    m_period->setAccessibleName(u"账单范围"_s);
    header->addWidget(m_period, 0, Qt::AlignLeft);

    auto *singleRow = new QHBoxLayout(m_single);
    singleRow->setContentsMargins(0, 0, 0, 0);
    m_selectedLabel = Typography::secondaryLabel(QString(), m_single);
    m_selectedLabel->setBuddy(m_selected);
    singleRow->addWidget(m_selectedLabel);
    singleRow->addWidget(m_selected);
    singleRow->addStretch(1);
    header->addWidget(m_single);

    header->addWidget(m_range);

    m_summary->setSpacing(18);
    m_summary->addStretch(1);
    header->addLayout(m_summary);
    column->addLayout(header);

    auto *listCard = new Card(this);
    auto *listColumn = new QVBoxLayout(listCard);
    listColumn->setContentsMargins(4, 4, 4, 4);
    m_list->setModel(m_rows);
    m_list->setItemDelegate(new AssetChangeDelegate(false, m_list));
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setMouseTracking(true);
    m_list->setAccessibleName(title);
    m_stack->addWidget(m_list);
    m_stack->addWidget(m_empty);
    listColumn->addWidget(m_stack);
    column->addWidget(listCard, 1);

    connect(m_period, &SegmentedControl::currentIndexChanged, this, [this](int index) {
        if (const std::optional<PeriodChoice> period = AssetLedgerModel::periodRules().choiceAt(index))
            m_model->setPeriod(*period);
    });
    connect(m_selected, &QDateEdit::dateChanged, m_model.get(), &AssetLedgerModel::setSelectedDay);
    connect(m_range, &DateRangeRow::startDayChosen, m_model.get(), &AssetLedgerModel::setStartDay);
    connect(m_range, &DateRangeRow::endDayChosen, m_model.get(), &AssetLedgerModel::setEndDay);
    connect(m_model.get(), &AssetLedgerModel::changed, this, &AssetLedgerSheet::refresh);
}

QDateEdit *AssetLedgerSheet::startPicker() const
{
    return m_range->startPicker();
}

QDateEdit *AssetLedgerSheet::endPicker() const
{
    return m_range->endPicker();
}

bool AssetLedgerSheet::showsEmptyState() const
{
    return m_stack->currentWidget() == m_empty;
}

QLabel *AssetLedgerSheet::addSummary(const QString &symbol, const QColor &colour, const QFont &font)
{
    auto *icon = new QLabel(this);
    icon->setPixmap(Icon::pixmap(symbol, colour, 16, devicePixelRatioF()));
    auto *text = new QLabel(this);
    text->setFont(font);
    Typography::setTextColour(text, colour);
    auto *pair = new QHBoxLayout;
    pair->setSpacing(4);
    pair->addWidget(icon);
    pair->addWidget(text);
    m_summary->insertLayout(m_summary->count() - 1, pair);
    return text;
}

void AssetLedgerSheet::refresh()
{
    const PeriodChoice period = m_model->period();
    m_period->setCurrentIndex(AssetLedgerModel::periodRules().indexOf(period));
    const bool custom = period == PeriodChoice::custom;
    m_single->setVisible(!custom);
    m_range->setVisible(custom);
    m_selectedLabel->setText(custom ? QString() : FormWidgets::periodDayCaption(period));
    m_selected->setAccessibleName(m_selectedLabel->text());
    FormWidgets::showDay(m_selected, LocalCalendar::localDate(m_model->selectedDate()));
    m_range->showSelection(m_model->selection());
    m_rows->setRows(m_model->rows());
    m_stack->setCurrentWidget(m_model->rows().empty() ? static_cast<QWidget *>(m_empty) : m_list);
    refreshSummary();
}
