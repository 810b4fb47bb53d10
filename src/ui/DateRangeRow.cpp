// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateRangeRow.h"
#include "model/LocalCalendar.h"

#include "FormWidgets.h"
#include "Typography.h"
#include "model/PeriodSelection.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

DateRangeRow::DateRangeRow(const Look &look, QWidget *parent)
    : QWidget(parent), m_start(FormWidgets::datePicker(this)), m_end(FormWidgets::datePicker(this))
{
    m_start->setAccessibleName(look.startCaption);
    m_end->setAccessibleName(look.endCaption);

    switch (look.captions) {
    case Captions::formRows: {
        // The same spacing as the form card the row sits in, so its labels line up.
        auto *form = new QFormLayout(this);
        form->setContentsMargins(0, 0, 0, 0);
        form->setHorizontalSpacing(look.spacing);
        form->setVerticalSpacing(look.gap);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        form->addRow(look.startCaption, m_start);
        form->addRow(look.endCaption, m_end);
        break;
    }
    case Captions::above: {
        auto *row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(look.gap);
        row->addLayout(FormWidgets::captioned(look.startCaption, m_start));
        row->addLayout(FormWidgets::captioned(look.endCaption, m_end));
        if (look.trailingStretch)
            row->addStretch(1);
        break;
    }
    case Captions::beside: {
        auto *row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(look.spacing);
        for (QDateEdit *picker : {m_start, m_end}) {
            QLabel *caption =
                Typography::secondaryLabel(picker == m_start ? look.startCaption : look.endCaption, this);
            caption->setBuddy(picker);
            if (picker == m_end)
                row->addSpacing(look.gap);
            row->addWidget(caption);
            row->addWidget(picker);
        }
        if (look.trailingStretch)
            row->addStretch(1);
        break;
    }
    }

    connect(m_start, &QDateEdit::dateChanged, this, &DateRangeRow::startDayChosen);
    connect(m_end, &QDateEdit::dateChanged, this, &DateRangeRow::endDayChosen);
}

void DateRangeRow::showSelection(const PeriodSelection &selection)
{
    // A picker clamped to its new minimum would otherwise report the clamp as the user's end.
    const QSignalBlocker quietStart(m_start);
    const QSignalBlocker quietEnd(m_end);
    const QDate start = LocalCalendar::localDate(selection.start());
    if (m_start->date() != start)
        m_start->setDate(start);
    m_end->setMinimumDate(start);
    const QDate end = LocalCalendar::localDate(selection.end());
    if (m_end->date() != end)
        m_end->setDate(end);
}
