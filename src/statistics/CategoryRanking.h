// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CategoryTotals.h"

#include <QWidget>

#include <vector>

class PaintedItems;
class QVBoxLayout;

// "分类排行": one line per category total, in the order given: the category's icon and
// name on the left, its money text on the right. There is a line per category of the span,
// a short list, so each line is a widget of its own. Assistive technology reads the lines as
// the items of one list.
class CategoryRanking final : public QWidget {
    Q_OBJECT

public:
    explicit CategoryRanking(QWidget *parent = nullptr);

    void setTotals(const std::vector<CategoryTotal> &totals);
    // The lines as shown, "餐饮 ¥42.50" each.
    QStringList lineTexts() const;

private:
    QVBoxLayout *m_lines;
    QList<QWidget *> m_rows;
    PaintedItems *m_accessibleLines;
};
