// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BillsSelection.h"
#include "ui/Sheet.h"

class CategoryPicker;
class QCheckBox;
class QLabel;

// 「改分类」 for the entries chosen in 账单: the category grid of their kind and, when they
// share a merchant, 「以后 <merchant> 都记为 <分类>」. 确定 sets the category on all of them in
// one write (one undo step) and closes the sheet.
class BulkCategorySheet final : public Sheet {
    Q_OBJECT

public:
    // Acts on the entries chosen when it opened, whatever the list does meanwhile.
    BulkCategorySheet(const BillsSelection &selection, QWidget *parent = nullptr);

    CategoryPicker *picker() const { return m_picker; }
    // Hidden when the entries share no merchant.
    QCheckBox *ruleBox() const { return m_rule; }

private:
    void refresh();
    void apply();

    BillsSelection m_selection;
    QLabel *m_summary;
    CategoryPicker *m_picker;
    QCheckBox *m_rule;
};
