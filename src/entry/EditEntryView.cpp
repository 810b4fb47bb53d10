#include "EditEntryView.h"

#include "store/ModelStore.h"
#include "ui/FormWidgets.h"
#include "ui/SegmentedControl.h"
#include "ui/SheetToolbar.h"
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

EditEntryView::EditEntryView(ModelStore &store, const LedgerEntry &entry, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_model(entry)
    , m_fields(new EntryFormFields(m_model, this))
    , m_category(new QComboBox(this))
    , m_toolbar(new SheetToolbar(u"编辑账单"_s, u"保存修改"_s, this))
    , m_cancel(m_toolbar->cancelButton())
    , m_save(m_toolbar->confirmButton())
{
    setWindowTitle(u"编辑账单"_s);
    setWindowModality(Qt::WindowModal);
    resize(460, 330);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 18);
    column->setSpacing(14);

    column->addLayout(m_toolbar);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(12);
    m_category->setAccessibleName(u"分类"_s);
    m_fields->note()->setAccessibleName(u"备注"_s);
    form->addRow(u"类型"_s, m_fields->kind());
    form->addRow(u"金额"_s, m_fields->amount());
    form->addRow(u"分类"_s, m_category);
    form->addRow(u"日期"_s, m_fields->date());
    form->addRow(u"备注"_s, m_fields->note());
    column->addLayout(form);
    column->addStretch(1);

    connect(m_category, &QComboBox::activated, this,
            [this](int index) { m_model.setCategory(m_category->itemText(index)); });
    connect(m_save, &QPushButton::clicked, this, &EditEntryView::save);
    connect(&m_model, &EntryFormModel::changed, this, &EditEntryView::refresh);
    refresh();
}

void EditEntryView::refresh()
{
    m_fields->refresh();

    FormWidgets::showCategories(m_category, m_model.categories(), m_model.category());
    m_save->setEnabled(m_model.canSave());
}

void EditEntryView::save()
{
    if (m_model.save(m_store))
        accept();
}
