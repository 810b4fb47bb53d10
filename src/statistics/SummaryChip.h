// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Card.h"

#include <QColor>
#include <QString>

class QLabel;

// One figure of the statistics summary row: its title in caption size over its money text
// in its colour. Chips stretch to share the row.
class SummaryChip final : public Card {
    Q_OBJECT

public:
    SummaryChip(const QString &title, const QColor &colour, QWidget *parent = nullptr);

    void setValue(double value);
    QString title() const;
    QString valueText() const;

private:
    QLabel *m_title;
    QLabel *m_value;
};
