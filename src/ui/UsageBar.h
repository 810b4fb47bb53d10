// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QProgressBar>

// A slim rounded bar for a share of a whole (a budget used, a goal saved), 0…1, in one tint. It stays a
// progress bar for assistive technology, which reads its value as a percentage.
class UsageBar final : public QProgressBar {
    Q_OBJECT

public:
    explicit UsageBar(QWidget *parent = nullptr);

    // Values outside 0…1 are held at the nearer end.
    void setFraction(double fraction);
    double fraction() const { return m_fraction; }
    void setTint(const QColor &tint);
    QColor tint() const { return m_tint; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_fraction = 0;
    QColor m_tint;
};
