// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditEntryView.h"

#include "store/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/FormWidgets.h"
#include "ui/SegmentedControl.h"
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
    : EntryFormSheet(store, &entry, u"编辑账单"_s, SheetSize::Form, u"保存修改"_s, parent)
    , m_entry(entry)
    , m_category(new QComboBox(this))
    , m_makeRecurring(Buttons::bordered(u"设为周期账单"_s, QString(), this))
{
    addTitleRow(TitlePlacement::centred, {m_makeRecurring});
    QVBoxLayout *column = this->column();

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(12);
    m_category->setAccessibleName(u"分类"_s);
    noteField()->setAccessibleName(u"备注"_s);
    form->addRow(u"类型"_s, kindControl());
    form->addRow(u"金额"_s, amountField());
    form->addRow(u"分类"_s, m_category);
    form->addRow(u"日期"_s, dateField());
    form->addRow(u"备注"_s, noteField());
    column->addLayout(form);
    column->addStretch(1);

    connect(m_category, &QComboBox::activated, this,
            [this](int index) { model().setCategory(m_category->itemText(index)); });
    connect(&model(), &EntryFormModel::changed, this, &EditEntryView::refresh);
    connect(m_makeRecurring, &QPushButton::clicked, this, [this] { Q_EMIT makeRecurringRequested(m_entry); });
    refresh();
}

void EditEntryView::refresh()
{
    fields()->refresh();

    FormWidgets::showCategories(m_category, model().categories(), model().category());
    saveButton()->setEnabled(model().canSave());
}
