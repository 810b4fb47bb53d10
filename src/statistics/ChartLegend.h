// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

class PaintedItems;

// The key of a chart: a coloured dot and a name per item, flowing from the leading edge and
// wrapping onto further lines as the width demands. Assistive technology reads each item by its
// name.
class ChartLegend final : public QWidget {
    Q_OBJECT

public:
    struct Item {
        QString name;
        QColor colour;
    };

    explicit ChartLegend(QWidget *parent = nullptr);

    void setItems(const QList<Item> &items);
    const QList<Item> &items() const { return m_items; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Each item's box at the given width, in item order.
    QList<QRect> layoutFor(int width) const;

    QList<Item> m_items;
    PaintedItems *m_accessibleItems;
};
