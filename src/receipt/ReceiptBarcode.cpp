// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReceiptBarcode.h"

#include "ui/Palette.h"

#include <QPainter>

namespace {

int totalWidth()
{
    int width = (ReceiptBarcode::barCount - 1) * ReceiptBarcode::barGap;
    for (int i = 0; i < ReceiptBarcode::barCount; ++i)
        width += ReceiptBarcode::barWidth(i);
    return width;
}

} // namespace

ReceiptBarcode::ReceiptBarcode(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    setAccessibleName(QStringLiteral("条形码"));
}

QSize ReceiptBarcode::sizeHint() const
{
    return {totalWidth(), barHeight};
}

void ReceiptBarcode::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    int x = 0;
    for (int i = 0; i < barCount; ++i) {
        painter.fillRect(QRect(x, 0, barWidth(i), barHeight), Palette::primaryText());
        x += barWidth(i) + barGap;
    }
}
