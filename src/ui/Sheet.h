// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ElidedLabel.h"

#include <QDialog>
#include <QList>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// What a sheet holds decides how wide it opens, in characters of its font, and its margins;
// sheets that hold alike open alike. Its height is what its layout asks for, and a sheet that
// holds a list that grows opens tall enough to show a good part of it. A sheet never opens
// larger than the screen's free area: its content scrolls there.
enum class SheetSize {
    // Labelled fields: an amount change, a goal, a deposit, an account, an entry being edited,
    // a budget, a fixed asset.
    Form,
    // A summary card over a few information rows.
    Detail,
    // A summary or a period picker over a list that grows: a goal and its deposits, an account,
    // a ledger.
    Ledger,
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
// enabled; Escape and the leading button reject the sheet. Width and margins come from the
// sheet's SheetSize, its height from its layout.
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
    // The size the sheet opens at: its layout's, at least as wide as its SheetSize, within the
    // free area of its screen.
    QSize openingSize() const;
    void setVisible(bool visible) override;

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
    QSize fittedSize() const;

    SheetSize m_size;
    QScrollArea *m_scroll;
    QWidget *m_body;
    QVBoxLayout *m_column;
    QSize m_openingSize;
    bool m_placed = false;
    QPushButton *m_cancel;
    QPushButton *m_confirm = nullptr;
    ElidedLabel *m_title = nullptr;
};
