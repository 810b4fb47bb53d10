// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class ContentModel;
class QListWidget;

// The window's left column: the program's name, one row per workspace and the smart-entry
// button. The selected row and the window's model follow each other.
class Sidebar final : public QFrame {
    Q_OBJECT

public:
    Sidebar(ContentModel &model, QWidget *parent);

    QListWidget *workspaceList() const { return m_list; }
    QSize sizeHint() const override;

private:
    void buildList();
    QWidget *buildFooter();
    void showSelection();

    ContentModel &m_model;
    QListWidget *m_list = nullptr;
};
