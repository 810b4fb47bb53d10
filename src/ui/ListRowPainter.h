// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QModelIndex;
class QPainter;
class QStyleOptionViewItem;

// What the painted rows of a short list share: a backdrop while the row is chosen or under the
// pointer, a hairline under every row but the last, a bold amount at the right, a title over a
// caption, and the keyboard's focus ring drawn last over everything. Made at the start of a
// delegate's paint(), it paints the backdrop and saves the painter; gone at its end, it draws
// the ring and restores the painter.
class ListRowPainter final {
public:
    ListRowPainter(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                   int sideInset);
    ~ListRowPainter();
    ListRowPainter(const ListRowPainter &) = delete;
    ListRowPainter &operator=(const ListRowPainter &) = delete;

    // The amount in the row's font at semi-bold, right-aligned to `right` and centred in the
    // band's height; where its text begins.
    int amount(const QString &text, const QColor &colour, int right, const QRect &band);

    struct Lines {
        QString title;
        QFont titleFont;
        QString caption;
        // Between the title and the caption.
        int spacing = 2;
        // Whether a caption too long for the width ends in an ellipsis or is cut.
        bool elideCaption = true;
    };
    // The title over the caption, the two centred together in the rect's height and elided to
    // its width.
    void lines(const QRect &rect, const Lines &lines);

private:
    QPainter &m_painter;
    const QStyleOptionViewItem &m_option;
};
