// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryFormFields.h"

#include "EntryFormModel.h"
#include "model/EntryRules.h"
#include "ui/FormWidgets.h"
#include "ui/SegmentedControl.h"

#include <QDateEdit>
#include <QLineEdit>

using namespace Qt::StringLiterals;

EntryFormFields::EntryFormFields(EntryFormModel &model, QWidget *parent)
    : QObject(parent)
    , m_model(model)
    , m_kind(new SegmentedControl(
          {EntryKinds::rawText(EntryKind::expense), EntryKinds::rawText(EntryKind::income)}, parent))
    , m_amount(new QLineEdit(parent))
    , m_date(FormWidgets::datePicker(parent))
    , m_note(new QLineEdit(parent))
{
    m_kind->setAccessibleName(u"类型"_s);
    m_amount->setAccessibleName(u"金额"_s);
    m_date->setAccessibleName(u"日期"_s);
    m_note->setMaxLength(static_cast<int>(EntryRules::maximumTextLength));
    m_date->setDate(m_model.date().toLocalTime().date());

    connect(m_kind, &SegmentedControl::currentIndexChanged, this,
            [this](int index) { m_model.setKind(EntryKinds::allCases().value(index)); });
    connect(m_amount, &QLineEdit::textEdited, &m_model, &EntryFormModel::setAmount);
    connect(m_note, &QLineEdit::textEdited, &m_model, &EntryFormModel::setNote);
    connect(m_date, &QDateEdit::dateChanged, &m_model, &EntryFormModel::setDay);
}

void EntryFormFields::refresh()
{
    m_kind->setCurrentIndex(static_cast<int>(EntryKinds::allCases().indexOf(m_model.kind())));
    FormWidgets::setText(m_amount, m_model.amount());
    FormWidgets::setText(m_note, m_model.note());
}
