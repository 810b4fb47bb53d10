// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddSavingsGoalView.h"

#include "SavingsModel.h"
#include "ui/FormWidgets.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddSavingsGoalView::AddSavingsGoalView(SavingsModel &model, QWidget *parent)
    : Sheet(u"新增存钱目标"_s, SheetSize::Form, Dismiss::cancel, u"保存"_s, parent)
    , m_model(model)
    , m_name(new QLineEdit(this))
    , m_target(new QLineEdit(this))
    , m_date(FormWidgets::datePicker(this))
{
    QVBoxLayout *column = this->column();
    column->setSpacing(12);
    addTitleRow(TitlePlacement::centred);
    column->addSpacing(6);

    column->addWidget(FormWidgets::prompted(m_name, u"目标名称，例如：旅行基金"_s));
    column->addWidget(FormWidgets::prompted(m_target, u"目标金额"_s));
    column->addLayout(FormWidgets::captioned(u"预期完成日期"_s, m_date));
    column->addStretch(1);

    connect(m_name, &QLineEdit::textEdited, &m_model, &SavingsModel::setName);
    connect(m_target, &QLineEdit::textEdited, &m_model, &SavingsModel::setTarget);
    connect(m_date, &QDateEdit::dateChanged, &m_model, &SavingsModel::setExpectedDay);
    connect(saveButton(), &QPushButton::clicked, &m_model, &SavingsModel::saveGoal);
    connect(&m_model, &SavingsModel::formChanged, this, &AddSavingsGoalView::refresh);
    refresh();
    m_name->setFocus();
}

void AddSavingsGoalView::refresh()
{
    FormWidgets::setText(m_name, m_model.name());
    FormWidgets::setText(m_target, m_model.target());
    FormWidgets::showDay(m_date, m_model.expectedDate().toLocalTime().date());
    saveButton()->setEnabled(m_model.canSaveGoal());
}
