// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Card.h"

#include <QColor>
#include <QString>

class QLabel;

// One total of the asset registers: a tinted tile with the symbol, the title over the money
// text of the value. The value follows the store; setValue updates it in place.
class AssetTotalCard final : public Card {
    Q_OBJECT

public:
    AssetTotalCard(const QString &title, double value, const QString &icon, const QColor &colour,
                   QWidget *parent = nullptr);

    void setValue(double value);
    double value() const { return m_value; }
    QLabel *valueLabel() const { return m_valueLabel; }

private:
    double m_value = 0;
    QLabel *m_valueLabel;
};
