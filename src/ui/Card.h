// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFrame>

// A rounded panel that groups related content. Its fill and corner radius are set per use;
// the default is the control background with a faint border.
class Card : public QFrame {
    Q_OBJECT

public:
    explicit Card(QWidget *parent = nullptr);

    void setFill(const QColor &fill);
    void setBorderColour(const QColor &colour);
    void setRadius(qreal radius);
    void setPadding(int padding);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    QColor m_border;
    qreal m_radius = 14;
};
