// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReceiptView.h"

#include "ReceiptPaperView.h"
#include "ui/FormWidgets.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/SegmentedControl.h"
#include "ui/Typography.h"
#include "ui/WorkspaceHeader.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 28;
constexpr int blockSpacing = 22;
constexpr int maximumContentWidth = 1120;
constexpr int periodPickerWidth = 210;
constexpr int kindPickerWidth = 170;

// A segmented picker after its caption.
QHBoxLayout *captionedPicker(const QString &caption, SegmentedControl *picker, int width)
{
    auto *line = new QHBoxLayout;
    line->setSpacing(8);
    QLabel *label = Typography::secondaryLabel(caption, picker->parentWidget());
    label->setBuddy(picker);
    picker->setAccessibleName(caption);
    picker->setFixedWidth(width);
    line->addWidget(label);
    line->addWidget(picker);
    return line;
}

} // namespace

ReceiptView::ReceiptView(ModelStore &store, DailyTotals &totals, QWidget *parent)
    : QWidget(parent), m_model(store, totals)
{
    QWidget *page = ScrollPage::fill(this, Palette::windowBackground());
    auto *centring = new QHBoxLayout(page);
    centring->setContentsMargins(padding, padding, padding, padding);
    auto *content = new QWidget(page);
    content->setMaximumWidth(maximumContentWidth);
    centring->addWidget(content);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(blockSpacing);

    auto *headerLine = new QHBoxLayout;
    headerLine->addWidget(new WorkspaceHeader(u"小票机"_s, u"把一段时间的收支打印成一张小票"_s, content), 1);
    m_date = FormWidgets::datePicker(content);
    // The picker has no visible label; it chooses the day the receipt is printed for.
    m_date->setAccessibleName(u"选择日期"_s);
    headerLine->addWidget(m_date, 0, Qt::AlignVCenter);
    column->addLayout(headerLine);

    m_period = new SegmentedControl(ReceiptModel::periodRules().titles(), content);
    QStringList kinds;
    for (EntryKind kind : EntryKinds::allCases())
        kinds.append(EntryKinds::rawText(kind));
    m_kind = new SegmentedControl(kinds, content);
    auto *controls = new QHBoxLayout;
    controls->setSpacing(12);
    controls->addLayout(captionedPicker(u"周期"_s, m_period, periodPickerWidth));
    controls->addLayout(captionedPicker(u"类型"_s, m_kind, kindPickerWidth));
    controls->addStretch(1);
    column->addLayout(controls);

    m_paper = new ReceiptPaperView(content);
    column->addWidget(m_paper, 0, Qt::AlignHCenter);
    column->addStretch(1);

    connect(m_date, &QDateEdit::dateChanged, &m_model, &ReceiptModel::setSelectedDay);
    connect(m_period, &SegmentedControl::currentIndexChanged, this, [this](int index) {
        if (const std::optional<PeriodChoice> period = ReceiptModel::periodRules().choiceAt(index))
            m_model.setPeriod(*period);
    });
    connect(m_kind, &SegmentedControl::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < EntryKinds::allCases().size())
            m_model.setKind(EntryKinds::allCases().at(index));
    });
    connect(&m_model, &ReceiptModel::changed, this, &ReceiptView::refresh);
    refresh();
}

void ReceiptView::refresh()
{
    FormWidgets::showDay(m_date, m_model.selectedDate().toLocalTime().date());
    {
        const QSignalBlocker quietPeriod(m_period);
        m_period->setCurrentIndex(ReceiptModel::periodRules().indexOf(m_model.period()));
        const QSignalBlocker quietKind(m_kind);
        m_kind->setCurrentIndex(static_cast<int>(EntryKinds::allCases().indexOf(m_model.kind())));
    }
    m_paper->setPaper(m_model.paper());
}
