// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayEntriesList.h"

#include "model/Money.h"
#include "ui/EntryRow.h"
#include "ui/Typography.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DayEntriesList::DayEntriesList(QWidget *parent)
    : QWidget(parent)
    , m_heading(new QLabel(this))
    , m_rows(new QWidget(this))
    , m_rowLayout(new QVBoxLayout(m_rows))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    Typography::makeHeadline(m_heading);
    column->addWidget(m_heading);
    m_rowLayout->setContentsMargins(0, 0, 0, 0);
    m_rowLayout->setSpacing(2);
    column->addWidget(m_rows);
    setVisible(false);
}

int DayEntriesList::rowCount() const
{
    return int(m_rows->findChildren<EntryRow *>(QString(), Qt::FindDirectChildrenOnly).size());
}

void DayEntriesList::setDay(QDate day, RecordRange<LedgerEntry> entries, double expense)
{
    for (EntryRow *row : m_rows->findChildren<EntryRow *>(QString(), Qt::FindDirectChildrenOnly)) {
        m_rowLayout->removeWidget(row);
        delete row;
    }
    setVisible(day.isValid());
    if (!day.isValid())
        return;
    for (const LedgerEntry &entry : entries)
        m_rowLayout->addWidget(new EntryRow(entry, m_rows));
    const QString title = u"%1年%2月%3日"_s.arg(day.year()).arg(day.month()).arg(day.day());
    m_heading->setText(entries.empty()
                           ? title + u"　没有账目"_s
                           : u"%1　%2笔，支出 %3"_s.arg(title).arg(entries.size()).arg(Money::text(expense)));
}
