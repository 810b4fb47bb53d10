// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryFormSheet.h"
#include "RecurringRuleFormView.h"

#include <QPointer>

class ModelStore;
class QComboBox;

// "编辑账单": changes one stored entry in place; id and creation time stay as they were.
// 「设为周期账单」 opens a new recurring rule filled from the entry, over this sheet.
class EditEntryView final : public EntryFormSheet {
    Q_OBJECT

public:
    EditEntryView(ModelStore &store, const LedgerEntry &entry, QWidget *parent = nullptr);

    QComboBox *categoryMenu() const { return m_category; }
    QPushButton *makeRecurringButton() const { return m_makeRecurring; }
    // The rule form 「设为周期账单」 opened, while it is open.
    RecurringRuleFormView *ruleForm() const;

private:
    void refresh();
    void makeRecurring();

    ModelStore &m_store;
    LedgerEntry m_entry;
    QComboBox *m_category;
    QPushButton *m_makeRecurring;
    QPointer<RecurringRuleFormView> m_ruleForm;
};
