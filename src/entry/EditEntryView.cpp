#include "EditEntryView.h"

#include "FormWidgets.h"
#include "app/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/SegmentedControl.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

EditEntryView::EditEntryView(ModelStore &store, const LedgerEntry &entry, QWidget *parent)
    : QDialog(parent),
      m_store(store),
      m_model(entry),
      m_kind(new SegmentedControl({EntryKinds::rawText(EntryKind::expense), EntryKinds::rawText(EntryKind::income)},
                                  this)),
      m_amount(new QLineEdit(this)),
      m_category(new QComboBox(this)),
      m_date(FormWidgets::datePicker(this)),
      m_note(new QLineEdit(this)),
      m_cancel(Buttons::bordered(u"取消"_s, QString(), this)),
      m_save(Buttons::prominent(u"保存修改"_s, QString(), this))
{
    setWindowTitle(u"编辑账单"_s);
    setWindowModality(Qt::WindowModal);
    resize(460, 330);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 18);
    column->setSpacing(14);

    // The toolbar: cancel on the leading side, the confirming action on the trailing side.
    auto *toolbar = new QHBoxLayout;
    m_cancel->setAutoDefault(false);
    m_save->setDefault(true);
    toolbar->addWidget(m_cancel);
    toolbar->addStretch(1);
    auto *title = new QLabel(u"编辑账单"_s, this);
    QFont headline = title->font();
    headline.setBold(true);
    headline.setPointSizeF(headline.pointSizeF() * 1.15);
    title->setFont(headline);
    toolbar->addWidget(title);
    toolbar->addStretch(1);
    toolbar->addWidget(m_save);
    column->addLayout(toolbar);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(12);
    m_kind->setAccessibleName(u"类型"_s);
    m_amount->setAccessibleName(u"金额"_s);
    m_category->setAccessibleName(u"分类"_s);
    m_date->setAccessibleName(u"日期"_s);
    m_note->setAccessibleName(u"备注"_s);
    form->addRow(u"类型"_s, m_kind);
    form->addRow(u"金额"_s, m_amount);
    form->addRow(u"分类"_s, m_category);
    form->addRow(u"日期"_s, m_date);
    form->addRow(u"备注"_s, m_note);
    column->addLayout(form);
    column->addStretch(1);

    m_date->setDate(m_model.date().toLocalTime().date());
    connect(m_kind, &SegmentedControl::currentIndexChanged, this,
            [this](int index) { m_model.setKind(EntryKinds::allCases().value(index)); });
    connect(m_amount, &QLineEdit::textEdited, &m_model, &EntryFormModel::setAmount);
    connect(m_note, &QLineEdit::textEdited, &m_model, &EntryFormModel::setNote);
    connect(m_date, &QDateEdit::dateChanged, &m_model, &EntryFormModel::setDay);
    connect(m_category, &QComboBox::activated, this,
            [this](int index) { m_model.setCategory(m_category->itemText(index)); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &EditEntryView::save);
    connect(&m_model, &EntryFormModel::changed, this, &EditEntryView::refresh);
    refresh();
}

void EditEntryView::refresh()
{
    m_kind->setCurrentIndex(static_cast<int>(EntryKinds::allCases().indexOf(m_model.kind())));
    FormWidgets::setText(m_amount, m_model.amount());
    FormWidgets::setText(m_note, m_model.note());

    FormWidgets::showCategories(m_category, m_model.categories(), m_model.category());
    m_save->setEnabled(m_model.canSave());
}

void EditEntryView::save()
{
    if (m_model.save(m_store))
        accept();
}
