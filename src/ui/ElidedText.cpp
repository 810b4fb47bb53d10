// SPDX-License-Identifier: GPL-3.0-or-later
#include "ElidedText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

QString ElidedText::oneLine(const QString &text)
{
    QString line = text;
    for (QChar &character : line) {
        if (character == QChar::LineFeed || character == QChar::CarriageReturn ||
            character == QChar::LineSeparator || character == QChar::ParagraphSeparator || character == u'\t')
            character = QChar::Space;
    }
    return line;
}

void ElidedText::draw(QPainter &painter, const QRect &rect, int alignment, const QString &text)
{
    painter.drawText(rect, alignment | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(oneLine(text), Qt::ElideRight, rect.width()));
}
