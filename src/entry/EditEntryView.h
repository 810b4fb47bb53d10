// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryFormSheet.h"

class ModelStore;
class QComboBox;

// "编辑账单": changes one stored entry in place; id and creation time stay as they were.
// 「设为周期账单」 asks the shell for a new recurring rule filled from the entry, over this sheet.
class EditEntryView final : public EntryFormSheet {
    Q_OBJECT

public:
    EditEntryView(ModelStore &store, const LedgerEntry &entry, QWidget *parent = nullptr);

    QComboBox *categoryMenu() const { return m_category; }
    QPushButton *makeRecurringButton() const { return m_makeRecurring; }

Q_SIGNALS:
    // 「设为周期账单」 was pressed: a rule that repeats the entry as it is stored.
    void makeRecurringRequested(const LedgerEntry &entry);

private:
    void refresh();

    LedgerEntry m_entry;
    QComboBox *m_category;
    QPushButton *m_makeRecurring;
};
