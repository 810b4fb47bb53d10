// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryFormSheet.h"

class CategoryPicker;
class ModelStore;
class QLabel;

// "记一笔": the sheet that records a new expense or income with the category grid.
class AddEntryView final : public EntryFormSheet {
    Q_OBJECT

public:
    explicit AddEntryView(ModelStore &store, QWidget *parent = nullptr);

    CategoryPicker *picker() const { return m_picker; }

private:
    void refresh();

    QLabel *m_chosenIcon;
    QLabel *m_chosenText;
    CategoryPicker *m_picker;
};
