// SPDX-License-Identifier: GPL-3.0-or-later
#include "BulkCategorySheet.h"

#include "BillsSelection.h"
#include "entry/CategoryPicker.h"
#include "model/LedgerCategories.h"
#include "ui/Typography.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

BulkCategorySheet::BulkCategorySheet(const BillsSelection &selection, QWidget *parent)
    : Sheet(u"改分类"_s, SheetSize::Entry, Dismiss::cancel, u"确定"_s, parent)
    , m_selection(selection)
    , m_summary(Typography::secondaryLabel(QString(), this))
    , m_picker(new CategoryPicker(this))
    , m_rule(new QCheckBox(this))
{
    addTitleRow(TitlePlacement::centred);
    QVBoxLayout *column = this->column();
    m_summary->setText(u"把所选的 %1 笔记为："_s.arg(selection.count()));
    column->addWidget(m_summary);
    m_picker->setAccessibleName(u"分类"_s);
    m_picker->setCategories(LedgerCategories::forKind(selection.kind().value_or(EntryKind::expense)));
    column->addWidget(m_picker, 1);
    column->addWidget(m_rule);

    connect(m_picker, &CategoryPicker::selectionChanged, this, &BulkCategorySheet::refresh);
    connect(m_rule, &QCheckBox::toggled, this, &BulkCategorySheet::refresh);
    connect(confirmButton(), &QPushButton::clicked, this, &BulkCategorySheet::apply);
    refresh();
}

void BulkCategorySheet::refresh()
{
    const QString chosen = m_picker->selection();
    const QString offer = m_selection.ruleOffer(chosen.isEmpty() ? u"…"_s : chosen);
    m_rule->setVisible(!offer.isEmpty());
    m_rule->setText(offer);
    m_rule->setAccessibleName(offer);
    confirmButton()->setEnabled(!chosen.isEmpty() && m_selection.canSetCategory());
}

void BulkCategorySheet::apply()
{
    const QString chosen = m_picker->selection();
    if (chosen.isEmpty())
        return;
    if (m_selection.setCategory(chosen, !m_rule->isHidden() && m_rule->isChecked()))
        accept();
}
