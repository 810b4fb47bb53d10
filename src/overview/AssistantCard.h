// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DashboardModel.h"

#include <QWidget>

class QLabel;

// "小助理": one sentence on how the spending stands against the budget, with an icon and a
// background that warn as the budget runs out.
class AssistantCard final : public QWidget {
    Q_OBJECT

public:
    explicit AssistantCard(QWidget *parent = nullptr);

    void setFigures(double expense, double budget, bool isCustomPeriod);
    void setState(const DashboardModel::Assistant &state);

    const DashboardModel::Assistant &state() const { return m_state; }
    QLabel *messageLabel() const { return m_message; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DashboardModel::Assistant m_state;
    QLabel *m_icon;
    QLabel *m_message;
};
