// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BillsModel.h"
#include "BillsSelection.h"
#include "model/LedgerEntry.h"

#include <QPointer>
#include <QWidget>

class BillsDelegate;
class BillsListModel;
class BulkCategorySheet;
class DateRangeRow;
class FixedRowListView;
class ModelStore;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMessageBox;
class QModelIndex;
class QPushButton;
class SegmentedControl;

// "账单明细": every entry, grouped by day with the newest day first, with a search field, an
// optional range of days, the totals of what is shown, and the ways to add, edit and delete
// entries. The figures live in BillsModel; this view shows them and forwards the input. The
// add and edit forms are the shell's: the view asks for them.
class BillsView final : public QWidget {
    Q_OBJECT

public:
    BillsView(ModelStore &store, BillsLedger &ledger, QWidget *parent = nullptr);
    ~BillsView() override;

    BillsModel &model() { return m_model; }
    BillsListModel *listModel() const { return m_listModel; }
    FixedRowListView *listView() const { return m_list; }
    BillsDelegate *delegate() const { return m_delegate; }
    QLineEdit *searchField() const { return m_search; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *recurringButton() const { return m_recurring; }
    SegmentedControl *dateModeControl() const { return m_dateMode; }
    QWidget *customRange() const;
    QDateEdit *startPicker() const;
    QDateEdit *endPicker() const;
    QLabel *incomeTotal() const { return m_income; }
    QLabel *expenseTotal() const { return m_expense; }
    QLabel *balanceTotal() const { return m_balance; }
    // The delete confirmation while it is open.
    QMessageBox *deletionAlert() const;
    // The entries chosen together (Ctrl-click, Shift-click, Ctrl+A) and the bar that acts on
    // them, shown while two or more are chosen.
    BillsSelection &selection() { return m_selection; }
    QWidget *selectionBar() const { return m_selectionBar; }
    QLabel *selectionCount() const { return m_selectionCount; }
    QPushButton *setCategoryButton() const { return m_setCategory; }
    QPushButton *removeSelectedButton() const { return m_removeSelected; }
    // 「改分类」 while it is open.
    BulkCategorySheet *categorySheet() const;

Q_SIGNALS:
    // 记一笔 was pressed.
    void addRequested();
    // 「周期账单」 was pressed: the shell opens the recurring rules over this screen.
    void recurringRequested();
    // A stored entry was clicked, or chosen with Return, to be edited.
    void editRequested(const LedgerEntry &entry);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildFilterArea();
    void showFilter();
    void showTotals();
    void showDeletionAlert();
    void showContextMenu(const QPoint &position);
    // What a click on an entry row does, and a click on its trash button; nothing on a header.
    void requestEdit(const QModelIndex &index);
    void requestDeletion(const QModelIndex &index);
    // The Delete key: removes the current entry row at once, without asking.
    bool deleteCurrentEntry();

    QWidget *buildSelectionBar();
    // Reads the chosen rows into the selection and shows the bar.
    void showSelection();
    void showCategorySheet();
    void removeSelected();

    ModelStore &m_store;
    BillsModel m_model;
    BillsListModel *m_listModel;
    BillsDelegate *m_delegate;
    QLineEdit *m_search = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_recurring = nullptr;
    SegmentedControl *m_dateMode = nullptr;
    DateRangeRow *m_customRange = nullptr;
    QLabel *m_income = nullptr;
    QLabel *m_expense = nullptr;
    QLabel *m_balance = nullptr;
    FixedRowListView *m_list = nullptr;
    QPointer<QMessageBox> m_deletionAlert;
    BillsSelection m_selection;
    QWidget *m_selectionBar = nullptr;
    QLabel *m_selectionCount = nullptr;
    QPushButton *m_setCategory = nullptr;
    QPushButton *m_removeSelected = nullptr;
    QPointer<BulkCategorySheet> m_categorySheet;
};
