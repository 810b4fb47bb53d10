// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryFormSheet.h"

class ModelStore;
class QComboBox;

// "编辑账单": changes one stored entry in place; id and creation time stay as they were.
class EditEntryView final : public EntryFormSheet {
    Q_OBJECT

public:
    EditEntryView(ModelStore &store, const LedgerEntry &entry, QWidget *parent = nullptr);

    QComboBox *categoryMenu() const { return m_category; }

private:
    void refresh();

    QComboBox *m_category;
};
