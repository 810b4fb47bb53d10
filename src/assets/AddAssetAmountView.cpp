// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddAssetAmountView.h"

#include "AssetDimension.h"
#include "ui/Card.h"
#include "ui/FormWidgets.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddAssetAmountView::AddAssetAmountView(ModelStore &store, const AssetAccount &account,
                                       AssetAmountOperation operation, QWidget *parent)
    : Sheet(AssetWording::formTitle(operation, AssetDimensions::isLiability(account.dimension), account.name),
            SheetSize::Form, Dismiss::cancel,
            AssetWording::confirmText(operation, AssetDimensions::isLiability(account.dimension)), parent)
    , m_model(store, account, operation)
    , m_amount(new QLineEdit(this))
    , m_date(FormWidgets::datePicker(this))
    , m_note(new QLineEdit(this))
{
    addTitleRow(TitlePlacement::centred);
    const auto [card, form] = FormWidgets::formCard(this);
    const QString action = m_model.actionTitle();
    m_amount->setAccessibleName(action);
    m_amount->setPlaceholderText(action);
    FormWidgets::setFieldHeight(m_amount);
    form->addRow(action, m_amount);
    m_date->setAccessibleName(u"日期"_s);
    form->addRow(u"日期"_s, m_date);
    m_note->setAccessibleName(u"备注（可选）"_s);
    m_note->setPlaceholderText(u"备注（可选）"_s);
    FormWidgets::setFieldHeight(m_note);
    form->addRow(u"备注（可选）"_s, m_note);
    column()->addWidget(card);
    column()->addStretch(1);

    connect(m_amount, &QLineEdit::textEdited, &m_model, &AddAssetAmountModel::setAmount);
    connect(m_date, &QDateEdit::dateChanged, &m_model, &AddAssetAmountModel::setDay);
    connect(m_note, &QLineEdit::textEdited, &m_model, &AddAssetAmountModel::setNote);
    connect(confirmButton(), &QPushButton::clicked, &m_model, &AddAssetAmountModel::save);
    connect(&m_model, &AddAssetAmountModel::saved, this, &QDialog::accept);
    connect(&m_model, &AddAssetAmountModel::changed, this, &AddAssetAmountView::refresh);
    refresh();
    m_amount->setFocus();
}

QString AddAssetAmountView::title() const
{
    return titleLabel()->text();
}

void AddAssetAmountView::refresh()
{
    FormWidgets::showDay(m_date, m_model.date().toLocalTime().date());
    FormWidgets::setText(m_amount, m_model.amount());
    FormWidgets::setText(m_note, m_model.note());
    confirmButton()->setEnabled(m_model.canSave());
}
