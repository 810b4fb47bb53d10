// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetLedgerModel.h"

#include "ui/Sheet.h"

#include <memory>

class AssetChangeListModel;
class DateRangeRow;
class EmptyState;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QListView;
class QStackedWidget;
class SegmentedControl;

// What both ledgers share: "关闭" and the title, the period picker "账单范围" with its date
// pickers, a summary row the ledger fills, and the flat list of rows or an empty state.
class AssetLedgerSheet : public Sheet {
    Q_OBJECT

public:
    SegmentedControl *periodPicker() const { return m_period; }
    // The day picker of day, week and month; its label follows the period.
    QDateEdit *datePicker() const { return m_selected; }
    QLabel *datePickerLabel() const { return m_selectedLabel; }
    QDateEdit *startPicker() const;
    QDateEdit *endPicker() const;
    QListView *list() const { return m_list; }
    EmptyState *emptyState() const { return m_empty; }
    bool showsEmptyState() const;
    AssetLedgerModel &ledger() const { return *m_model; }

protected:
    struct Empty {
        QString symbol;
        QString title;
        QString description;
    };
    AssetLedgerSheet(std::unique_ptr<AssetLedgerModel> model, const QString &title, SheetSize size,
                     const Empty &empty, QWidget *parent);

    // A coloured symbol followed by a text, in the summary row; the text label is returned.
    QLabel *addSummary(const QString &symbol, const QColor &colour, const QFont &font);
    // Called after every recomputation, for the ledger's own figures.
    virtual void refreshSummary() = 0;
    void refresh();

private:
    std::unique_ptr<AssetLedgerModel> m_model;
    SegmentedControl *m_period;
    QWidget *m_single;
    QLabel *m_selectedLabel;
    QDateEdit *m_selected;
    DateRangeRow *m_range;
    QHBoxLayout *m_summary;
    QStackedWidget *m_stack;
    QListView *m_list;
    AssetChangeListModel *m_rows;
    EmptyState *m_empty;
};
