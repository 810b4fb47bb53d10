// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The dashed rule between the blocks of a receipt: 1 point high, 3 points on, 3 off.
class ReceiptDivider final : public QWidget {
    Q_OBJECT

public:
    explicit ReceiptDivider(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
