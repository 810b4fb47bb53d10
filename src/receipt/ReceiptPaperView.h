// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReceiptPaper.h"

#include <QWidget>

class PaintedItems;
class QLabel;
class QVBoxLayout;

// The paper of the receipt printer, drawn like a till receipt in a monospaced face: the shop
// header, the period, date and kind lines, a line per category (or a notice when there is
// none), the total, the count with the print time, and a barcode with a thank-you line, on a
// rounded sheet with a hanging strip and a soft shadow. Assistive technology reads the paper
// line by line, each caption with its value.
class ReceiptPaperView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int maximumPaperWidth = 520;

    explicit ReceiptPaperView(QWidget *parent = nullptr);

    void setPaper(const ReceiptPaper &paper);
    QSize sizeHint() const override;

    // What the lines print, for tests and assistive tools: the right-hand texts of the fixed
    // lines, the category lines as "name amount", and the notice when there are none.
    QString periodText() const;
    QString rangeText() const;
    QString kindText() const;
    QStringList rowTexts() const;
    // "本时间段暂无记录" when visible, else empty.
    QString noticeText() const;
    QString totalText() const;
    QString countText() const;
    QString printedText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The labels of every printed line, top to bottom, the category lines as now printed.
    QList<QList<QLabel *>> printedLines() const;

    QWidget *m_sheet;
    QLabel *m_period;
    QLabel *m_range;
    QLabel *m_kind;
    QWidget *m_rows;
    QVBoxLayout *m_rowLines;
    QLabel *m_notice;
    QLabel *m_total;
    QLabel *m_count;
    QLabel *m_printed;
    QList<QList<QLabel *>> m_linesAbove;
    QList<QList<QLabel *>> m_linesBelow;
    PaintedItems *m_accessibleLines = nullptr;
};
