// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QHBoxLayout;
class QPushButton;

// The header row of a workspace: a large bold title over a dimmed subtitle on the left, and
// the workspace's action buttons on the right.
class WorkspaceHeader : public QWidget {
    Q_OBJECT

public:
    WorkspaceHeader(const QString &title, const QString &subtitle, QWidget *parent = nullptr);

    // Adds a button to the right-hand group, after the ones already there.
    void addAction(QPushButton *button);

private:
    QHBoxLayout *m_actions;
};
