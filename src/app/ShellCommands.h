// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class ContentModel;
class QAction;
class QKeySequence;
class QWidget;
class UndoHistory;

// The window's keyboard commands, as actions on the window so that they work wherever the
// focus is inside it: a workspace by its number, 记一笔, smart entry, find, 年度趋势, undo and
// redo. A
// command with a standard key answers to the desktop's keys for it as well as to its own.
class ShellCommands final : public QObject {
    Q_OBJECT

public:
    ShellCommands(ContentModel &model, UndoHistory &history, QWidget *window);

Q_SIGNALS:
    // Ctrl+F: the bills list with its search field focused, which the window brings about.
    void findRequested();
    // Ctrl+T: 年度趋势 over 统计.
    void trendsRequested();

private:
    QAction *addCommand(const QString &text, const QList<QKeySequence> &keys);

    QWidget *m_window;
};
