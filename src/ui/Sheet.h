// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ElidedLabel.h"

#include <QDialog>
#include <QList>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

// What a sheet holds decides the size it opens at (and its margins); sheets that hold alike
// open alike. The figures stand in one table in Sheet.cpp.
enum class SheetSize {
    // Three fields under the title row: an amount change, a new goal.
    ShortForm,
    // Three fields, the day with its caption above: a deposit.
    DepositForm,
    // Four fields on a card: a new account.
    Form,
    // Five fields: an entry being edited.
    EditForm,
    // Two titled cards: the period and the limit of a budget.
    SectionedForm,
    // Six fields on a card: a fixed asset.
    LongForm,
    // A summary card over a few information rows.
    Detail,
    // A card over a list that grows: a savings goal and its deposits.
    TallDetail,
    // A summary card over a list that grows, under a row of actions: an account.
    WideDetail,
    // A period picker, a summary line and a list: one account's ledger.
    Ledger,
    // The same for every liability's repayments.
    WideLedger,
    // A chart over its current figure.
    Chart,
    // One sentence and the draft it becomes.
    Sentence,
    // The entry form with its category grid.
    Entry,
    // A file's figures over a table of its lines: an import.
    Import,
};

// The base of every sheet: a dialog with a title row of a leading button that
// leaves it ("取消" or "关闭"), the title and, trailing, either the confirming button or the
// sheet's own actions. The confirming button is the default, so Return confirms while it is
// enabled; Escape and the leading button reject the sheet. Size and margins come from the
// sheet's SheetSize.
class Sheet : public QDialog {
    Q_OBJECT

public:
    // How a sheet is left: forms are cancelled, sheets that show and manage are closed.
    enum class Dismiss { cancel, close };
    enum class TitlePlacement { centred, leading };

    QPushButton *cancelButton() const { return m_cancel; }
    // nullptr on a sheet without a confirming button.
    QPushButton *confirmButton() const { return m_confirm; }
    // nullptr until the title row is added.
    ElidedLabel *titleLabel() const { return m_title; }
    // The window title and the title row's label.
    void setTitle(const QString &title);
    // The size the sheet opens at, by its SheetSize.
    QSize openingSize() const { return m_openingSize; }

protected:
    // An empty confirmText makes a sheet without a confirming button.
    Sheet(const QString &title, SheetSize size, Dismiss dismiss, const QString &confirmText, QWidget *parent);

    // The sheet's content column, with the margins of its size.
    QVBoxLayout *column() const { return m_column; }
    // Adds the title row at the top of the column: the leading button, the title, then the
    // confirming button and the actions.
    QHBoxLayout *addTitleRow(TitlePlacement placement, const QList<QPushButton *> &actions = {});
    // For a sheet without a title row: the leading and the confirming button at the trailing
    // end of a row added to the column.
    void addButtonRow();

private:
    QVBoxLayout *m_column;
    QSize m_openingSize;
    QPushButton *m_cancel;
    QPushButton *m_confirm = nullptr;
    ElidedLabel *m_title = nullptr;
};
