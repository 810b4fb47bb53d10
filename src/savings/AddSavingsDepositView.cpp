// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddSavingsDepositView.h"

#include "SavingsGoalDetailModel.h"
#include "ui/FormWidgets.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddSavingsDepositView::AddSavingsDepositView(SavingsGoalDetailModel &model, QWidget *parent)
    : Sheet(model.depositTitle(), SheetSize::Form, Dismiss::cancel, u"记录存入"_s, parent)
    , m_model(model)
    , m_amount(new QLineEdit(this))
    , m_date(FormWidgets::datePicker(this))
    , m_note(new QLineEdit(this))
{
    QVBoxLayout *column = this->column();
    column->setSpacing(12);
    addTitleRow(TitlePlacement::centred);
    column->addSpacing(6);

    column->addWidget(FormWidgets::prompted(m_amount, u"本次存入金额"_s));
    column->addLayout(FormWidgets::captioned(u"日期"_s, m_date));
    column->addWidget(FormWidgets::prompted(m_note, u"备注（可选）"_s));
    column->addStretch(1);

    connect(m_amount, &QLineEdit::textEdited, &m_model, &SavingsGoalDetailModel::setAmount);
    connect(m_date, &QDateEdit::dateChanged, &m_model, &SavingsGoalDetailModel::setDay);
    connect(m_note, &QLineEdit::textEdited, &m_model, &SavingsGoalDetailModel::setNote);
    connect(saveButton(), &QPushButton::clicked, &m_model, &SavingsGoalDetailModel::saveDeposit);
    connect(&m_model, &SavingsGoalDetailModel::formChanged, this, &AddSavingsDepositView::refresh);
    refresh();
    m_amount->setFocus();
}

void AddSavingsDepositView::refresh()
{
    FormWidgets::setText(m_amount, m_model.amount());
    FormWidgets::setText(m_note, m_model.note());
    FormWidgets::showDay(m_date, m_model.date().toLocalTime().date());
    saveButton()->setEnabled(m_model.canSaveDeposit());
}
