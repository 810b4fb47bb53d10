// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryRanking.h"

#include "model/LedgerCategories.h"
#include "model/Money.h"
#include "ui/CategoryAccent.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/PaintedItems.h"
#include "ui/Typography.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CategoryRanking::CategoryRanking(QWidget *parent)
    : QWidget(parent)
    , m_lines(new QVBoxLayout)
    // Each line is read whole, the name with its amount, not as an icon and two labels apart;
    // the heading names the list.
    , m_accessibleLines(new PaintedItems(this, [this] {
        QList<PaintedItems::Item> lines;
        for (const QWidget *row : std::as_const(m_rows))
            lines.append({row->accessibleName(), row->geometry()});
        return lines;
    }))
{
    setAccessibleName(u"分类排行"_s);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    auto *heading = new QLabel(u"分类排行"_s, this);
    Typography::makeHeadline(heading);
    column->addWidget(heading);
    m_lines->setSpacing(10);
    column->addLayout(m_lines);
}

void CategoryRanking::setTotals(const std::vector<CategoryTotal> &totals)
{
    for (QWidget *row : m_rows)
        delete row;
    m_rows.clear();
    for (const CategoryTotal &total : totals) {
        auto *row = new QWidget(this);
        auto *line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(8);
        auto *icon = new QLabel(row);
        icon->setPixmap(Icon::pixmap(LedgerCategories::icon(total.name), CategoryAccent::colour(total.name),
                                     18, devicePixelRatioF()));
        icon->setFixedSize(20, 20);
        icon->setAlignment(Qt::AlignCenter);
        line->addWidget(icon);
        line->addWidget(new QLabel(total.name, row));
        line->addStretch(1);
        auto *amount = new QLabel(Money::text(total.amount), row);
        amount->setFont(Fonts::withWeight(amount->font(), QFont::Medium));
        line->addWidget(amount);
        row->setAccessibleName(total.name + u' ' + amount->text());
        m_lines->addWidget(row);
        m_rows.append(row);
    }
    m_accessibleLines->changed();
}

QStringList CategoryRanking::lineTexts() const
{
    QStringList texts;
    for (const QWidget *row : m_rows)
        texts.append(row->accessibleName());
    return texts;
}
