// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddAssetAccountView.h"

#include "AssetDimension.h"
#include "ui/Card.h"
#include "ui/FormWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddAssetAccountView::AddAssetAccountView(ModelStore &store, QWidget *parent)
    : Sheet(u"新增资产"_s, SheetSize::Form, Dismiss::cancel, u"保存"_s, parent)
    , m_model(store)
    , m_dimension(new QComboBox(this))
    , m_kind(new QComboBox(this))
    , m_name(new QLineEdit(this))
    , m_amount(new QLineEdit(this))
{
    addTitleRow(TitlePlacement::centred);
    const auto [card, form] = FormWidgets::formCard(this);
    const auto addRow = [form](const QString &label, QWidget *field) {
        field->setAccessibleName(label);
        FormWidgets::setFieldHeight(field);
        form->addRow(label, field);
    };
    for (AssetDimension dimension : AssetDimensions::all)
        m_dimension->addItem(AssetDimensions::rawValue(dimension));
    addRow(u"资产维度"_s, m_dimension);
    addRow(u"资产类型"_s, m_kind);
    m_name->setPlaceholderText(u"账户名称（可选）"_s);
    addRow(u"账户名称（可选）"_s, m_name);
    m_amount->setPlaceholderText(u"当前金额"_s);
    addRow(u"当前金额"_s, m_amount);
    column()->addWidget(card);
    column()->addStretch(1);

    connect(m_dimension, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < int(AssetDimensions::all.size()))
            m_model.setDimension(AssetDimensions::all[size_t(index)]);
    });
    connect(m_kind, &QComboBox::currentTextChanged, &m_model, &AddAssetAccountModel::setKind);
    connect(m_name, &QLineEdit::textEdited, &m_model, &AddAssetAccountModel::setName);
    connect(m_amount, &QLineEdit::textEdited, &m_model, &AddAssetAccountModel::setOpeningBalance);
    connect(saveButton(), &QPushButton::clicked, &m_model, &AddAssetAccountModel::save);
    connect(&m_model, &AddAssetAccountModel::saved, this, &QDialog::accept);
    connect(&m_model, &AddAssetAccountModel::changed, this, &AddAssetAccountView::refresh);
    refresh();
    m_amount->setFocus();
}

void AddAssetAccountView::refresh()
{
    m_dimension->setCurrentIndex(int(m_model.dimension()));
    const QStringList &kinds = AssetDimensions::kinds(m_model.dimension());
    QStringList shown;
    for (int i = 0; i < m_kind->count(); ++i)
        shown.append(m_kind->itemText(i));
    if (shown != kinds) {
        // Refilling the menu must not echo its passing texts back as choices.
        const QSignalBlocker quiet(m_kind);
        m_kind->clear();
        m_kind->addItems(kinds);
    }
    m_kind->setCurrentIndex(int(kinds.indexOf(m_model.kind())));
    FormWidgets::setText(m_name, m_model.name());
    FormWidgets::setText(m_amount, m_model.openingBalance());
    saveButton()->setEnabled(m_model.canSave());
}
