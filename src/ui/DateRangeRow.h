// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QWidget>

class PeriodSelection;
class QDateEdit;

// The start and end pickers of a custom range, each named by its caption, with a gap between
// them. The row shows a PeriodSelection and reports the days the user picks; the end picker
// offers no day before the start.
class DateRangeRow final : public QWidget {
    Q_OBJECT

public:
    // Where the captions stand: before their pickers, above them, or in a form's label column.
    enum class Captions { beside, above, formRows };
    struct Look {
        Captions captions = Captions::beside;
        QString startCaption;
        QString endCaption;
        // Between a caption and its picker, and (beside) between every item of the row.
        int spacing = 8;
        // The separator: the room added between the start pair and the end pair.
        int gap = 0;
        // Keeps the pickers at their own width, the rest of the row empty.
        bool trailingStretch = false;
    };

    explicit DateRangeRow(const Look &look, QWidget *parent = nullptr);

    QDateEdit *startPicker() const { return m_start; }
    QDateEdit *endPicker() const { return m_end; }

    // Shows the selection's custom range without reporting it back as a choice of the user.
    void showSelection(const PeriodSelection &selection);

Q_SIGNALS:
    void startDayChosen(QDate day);
    void endDayChosen(QDate day);

private:
    QDateEdit *m_start;
    QDateEdit *m_end;
};
