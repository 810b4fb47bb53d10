// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Card.h"
#include "ui/ElidedLabel.h"

struct SavingsGoal;
struct SavingsGoalFigures;
class QLabel;
class UsageBar;

// A goal at a glance: its name and capped percentage, the saved amount, the bar toward the
// target (green once reached), and the target and expected day.
class SavingsGoalCard final : public Card {
    Q_OBJECT

public:
    explicit SavingsGoalCard(QWidget *parent = nullptr);

    static constexpr qreal radius = 20;

    void setGoal(const SavingsGoal &goal, const SavingsGoalFigures &figures);

    ElidedLabel *nameLabel() const { return m_name; }
    QLabel *percentLabel() const { return m_percent; }
    QLabel *depositedLabel() const { return m_deposited; }
    UsageBar *bar() const { return m_bar; }
    QLabel *targetLabel() const { return m_target; }
    QLabel *expectedLabel() const { return m_expected; }
    // Every text of the card in reading order, for a screen reader.
    QString accessibleSummary() const;

private:
    ElidedLabel *m_name;
    QLabel *m_percent;
    QLabel *m_deposited;
    UsageBar *m_bar;
    QLabel *m_target;
    QLabel *m_expected;
};
