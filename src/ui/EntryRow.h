// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LedgerEntry.h"

#include <QWidget>

class QPainter;

// One entry on one line: the category icon in a tinted circle, the category over the note
// (or the day when there is no note), and the signed amount on the right. The painting is
// shared with list delegates, which draw many rows without a widget per entry.
class EntryRow final : public QWidget {
    Q_OBJECT

public:
    explicit EntryRow(LedgerEntry entry, QWidget *parent = nullptr);

    const LedgerEntry &entry() const { return m_entry; }
    QSize sizeHint() const override;

    // The row's natural height in pixels.
    static int rowHeight();
    // Paints the entry into rect with the given base font; nothing outside rect is touched.
    static void paint(QPainter &painter, const QRect &rect, const LedgerEntry &entry, const QFont &font);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LedgerEntry m_entry;
};
