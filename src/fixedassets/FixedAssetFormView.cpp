// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetFormView.h"

#include "FixedAssetCategory.h"
#include "FixedAssetFormModel.h"
#include "ui/Card.h"
#include "ui/FormWidgets.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLineEdit *textField(const QString &label, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setPlaceholderText(label);
    field->setAccessibleName(label);
    FormWidgets::setFieldHeight(field);
    return field;
}

} // namespace

FixedAssetFormView::FixedAssetFormView(ModelStore &store, FixedAssetFormModel *model, const QString &title,
                                       const QString &confirmText, const QString &noteLabel, QWidget *parent)
    : Sheet(title, SheetSize::Form, Dismiss::cancel, confirmText, parent)
    , m_store(store)
    , m_model(model)
    , m_category(new QComboBox(this))
    , m_name(textField(u"资产名称"_s, this))
    , m_amount(textField(u"当前估值"_s, this))
    , m_purchaseDay(FormWidgets::datePicker(this))
    , m_life(textField(u"预计使用寿命（月）"_s, this))
    , m_note(textField(noteLabel, this))
{
    m_model->setParent(this);
    setWindowModality(Qt::WindowModal);
    addTitleRow(TitlePlacement::centred);

    const auto [card, form] = FormWidgets::formCard(this);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_category->setAccessibleName(u"资产分类"_s);
    FormWidgets::setFieldHeight(m_category);
    m_category->addItems(FixedAssetCategory::all());
    m_purchaseDay->setAccessibleName(u"购入日期"_s);
    form->addRow(u"资产分类"_s, m_category);
    form->addRow(u"资产名称"_s, m_name);
    form->addRow(u"当前估值"_s, m_amount);
    form->addRow(u"购入日期"_s, m_purchaseDay);
    form->addRow(u"预计使用寿命（月）"_s, m_life);
    form->addRow(u"备注"_s, m_note);
    column()->addWidget(card);
    column()->addStretch(1);

    connect(m_category, &QComboBox::activated, this,
            [this](int index) { m_model->setCategory(m_category->itemText(index)); });
    connect(m_name, &QLineEdit::textEdited, m_model, &FixedAssetFormModel::setName);
    connect(m_amount, &QLineEdit::textEdited, m_model, &FixedAssetFormModel::setAmount);
    connect(m_purchaseDay, &QDateEdit::dateChanged, m_model, &FixedAssetFormModel::setPurchaseDay);
    connect(m_life, &QLineEdit::textEdited, m_model, &FixedAssetFormModel::setLifeMonths);
    connect(m_note, &QLineEdit::textEdited, m_model, &FixedAssetFormModel::setNote);
    connect(saveButton(), &QPushButton::clicked, this, &FixedAssetFormView::save);
    connect(m_model, &FixedAssetFormModel::changed, this, &FixedAssetFormView::refresh);
    refresh();
    m_name->setFocus();
}

void FixedAssetFormView::refresh()
{
    FormWidgets::showCategories(m_category, FixedAssetCategory::all(), m_model->category());
    FormWidgets::setText(m_name, m_model->name());
    FormWidgets::setText(m_amount, m_model->amount());
    const QDate day = m_model->purchaseDate().toLocalTime().date();
    if (m_purchaseDay->date() != day) {
        // The picker shows the model; its own change signal would only echo it back.
        const QSignalBlocker block(m_purchaseDay);
        m_purchaseDay->setDate(day);
    }
    FormWidgets::setText(m_life, m_model->lifeMonths());
    FormWidgets::setText(m_note, m_model->note());
    saveButton()->setEnabled(m_model->canSave());
}

void FixedAssetFormView::save()
{
    if (m_model->save(m_store))
        accept();
}
