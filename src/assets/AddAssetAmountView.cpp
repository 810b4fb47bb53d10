#include "AddAssetAmountView.h"

#include "ui/Card.h"
#include "ui/FormWidgets.h"
#include "ui/SheetToolbar.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

AddAssetAmountView::AddAssetAmountView(ModelStore &store, const AssetAccount &account,
                                       AssetAmountOperation operation, QWidget *parent)
    : QDialog(parent)
    , m_model(store, account, operation)
    , m_toolbar(new SheetToolbar(m_model.title(), m_model.confirmText(), this))
    , m_amount(new QLineEdit(this))
    , m_date(FormWidgets::datePicker(this))
    , m_note(new QLineEdit(this))
{
    setWindowTitle(m_model.title());
    resize(420, 250);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 20);
    column->setSpacing(14);
    column->addLayout(m_toolbar);

    const auto [card, form] = FormWidgets::formCard(this);
    const QString action = m_model.actionTitle();
    m_amount->setAccessibleName(action);
    m_amount->setPlaceholderText(action);
    m_amount->setMinimumHeight(32);
    form->addRow(action, m_amount);
    m_date->setAccessibleName(u"日期"_s);
    form->addRow(u"日期"_s, m_date);
    m_note->setAccessibleName(u"备注（可选）"_s);
    m_note->setPlaceholderText(u"备注（可选）"_s);
    m_note->setMinimumHeight(32);
    form->addRow(u"备注（可选）"_s, m_note);
    column->addWidget(card);
    column->addStretch(1);

    connect(m_amount, &QLineEdit::textEdited, &m_model, &AddAssetAmountModel::setAmount);
    connect(m_date, &QDateEdit::dateChanged, &m_model, &AddAssetAmountModel::setDay);
    connect(m_note, &QLineEdit::textEdited, &m_model, &AddAssetAmountModel::setNote);
    connect(confirmButton(), &QPushButton::clicked, &m_model, &AddAssetAmountModel::save);
    connect(&m_model, &AddAssetAmountModel::saved, this, &QDialog::accept);
    connect(&m_model, &AddAssetAmountModel::changed, this, &AddAssetAmountView::refresh);
    refresh();
    m_amount->setFocus();
}

QPushButton *AddAssetAmountView::confirmButton() const
{
    return m_toolbar->confirmButton();
}

QString AddAssetAmountView::title() const
{
    return m_toolbar->titleLabel()->text();
}

void AddAssetAmountView::refresh()
{
    const QDate day = m_model.date().toLocalTime().date();
    if (m_date->date() != day) {
        const QSignalBlocker quiet(m_date);
        m_date->setDate(day);
    }
    FormWidgets::setText(m_amount, m_model.amount());
    FormWidgets::setText(m_note, m_model.note());
    confirmButton()->setEnabled(m_model.canSave());
}
