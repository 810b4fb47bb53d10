// SPDX-License-Identifier: GPL-3.0-or-later
#include "Typography.h"

#include "Palette.h"

#include <QLabel>

QLabel *Typography::secondaryLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    makeSecondary(label);
    return label;
}

void Typography::makeSecondary(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Palette::secondaryText());
    label->setPalette(palette);
}

void Typography::makeHeadline(QWidget *widget)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    font.setBold(true);
    widget->setFont(font);
}

void Typography::makeTitle(QWidget *widget, int pixelSize)
{
    QFont font = widget->font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    widget->setFont(font);
}

void Typography::setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}
