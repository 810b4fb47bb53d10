// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetFormView.h"

#include "BudgetModel.h"
#include "model/LedgerCategories.h"
#include "ui/Card.h"
#include "ui/DateRangeRow.h"
#include "ui/FormWidgets.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A titled group of labelled fields on a white card.
QFormLayout *addSection(QVBoxLayout *column, const QString &title, QWidget *parent)
{
    QLabel *heading = Typography::secondaryLabel(title, parent);
    QFont small = heading->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    heading->setFont(small);
    column->addWidget(heading);

    const auto [card, form] = FormWidgets::formCard(parent);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    column->addWidget(card);
    return form;
}

} // namespace

BudgetFormView::BudgetFormView(BudgetModel &model, QWidget *parent)
    : Sheet(u"新增周期预算"_s, SheetSize::Form, Dismiss::cancel, u"保存"_s, parent)
    , m_model(model)
    , m_range(new DateRangeRow(
          {DateRangeRow::Captions::formRows, u"开始日期"_s, u"结束日期"_s, 18, 10, false}, this))
    , m_category(new QComboBox(this))
    , m_amount(new QLineEdit(this))
{
    setWindowModality(Qt::WindowModal);
    QVBoxLayout *column = this->column();
    column->setSpacing(8);
    addTitleRow(TitlePlacement::centred);
    column->addSpacing(10);

    QFormLayout *period = addSection(column, u"预算周期"_s, this);
    period->addRow(m_range);
    column->addSpacing(10);

    QFormLayout *limit = addSection(column, u"分类预算"_s, this);
    m_category->setAccessibleName(u"分类"_s);
    m_category->setMaxVisibleItems(14);
    FormWidgets::setFieldHeight(m_category);
    m_amount->setAccessibleName(u"预算金额"_s);
    m_amount->setPlaceholderText(u"预算金额"_s);
    FormWidgets::setFieldHeight(m_amount);
    limit->addRow(u"分类"_s, m_category);
    limit->addRow(u"预算金额"_s, m_amount);
    column->addStretch(1);

    connect(m_range, &DateRangeRow::startDayChosen, &m_model, &BudgetModel::setStartDay);
    connect(m_range, &DateRangeRow::endDayChosen, &m_model, &BudgetModel::setEndDay);
    connect(m_category, &QComboBox::activated, this,
            [this](int index) { m_model.setCategory(m_category->itemText(index)); });
    connect(m_amount, &QLineEdit::textEdited, &m_model, &BudgetModel::setAmount);
    connect(saveButton(), &QPushButton::clicked, &m_model, &BudgetModel::saveBudget);
    // Escape, the cancel button and closing the window all end the form without storing.
    connect(this, &QDialog::rejected, &m_model, &BudgetModel::cancelAdd);
    connect(&m_model, &BudgetModel::showingAddChanged, this, [this](bool showing) {
        if (!showing && isVisible())
            accept();
    });
    connect(&m_model, &BudgetModel::formChanged, this, &BudgetFormView::refresh);
    refresh();
    m_amount->setFocus();
}

QDateEdit *BudgetFormView::startField() const
{
    return m_range->startPicker();
}

QDateEdit *BudgetFormView::endField() const
{
    return m_range->endPicker();
}

void BudgetFormView::refresh()
{
    m_range->showSelection(m_model.period());
    FormWidgets::showCategories(m_category, LedgerCategories::expenses(), m_model.category());
    FormWidgets::setText(m_amount, m_model.amount());
    saveButton()->setEnabled(m_model.canSave());
}
