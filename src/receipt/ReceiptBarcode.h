// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The decorative barcode at the foot of a receipt: 38 bars 30 points high and 2 points apart,
// every third bar (counting from the first) twice as wide as the others.
class ReceiptBarcode final : public QWidget {
    Q_OBJECT

public:
    static constexpr int barCount = 38;
    static constexpr int barHeight = 30;
    static constexpr int barGap = 2;

    explicit ReceiptBarcode(QWidget *parent = nullptr);

    static int barWidth(int index) { return index % 3 == 0 ? 2 : 1; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
