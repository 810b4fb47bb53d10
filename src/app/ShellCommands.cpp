// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellCommands.h"

#include "ContentModel.h"
#include "UndoHistory.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

// The desktop's keys for a standard command, with the program's own key first when the
// desktop's keys lack it, so the key the program has always answered to keeps working.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey standard, const QKeySequence &own)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (!keys.contains(own))
        keys.prepend(own);
    return keys;
}

} // namespace

ShellCommands::ShellCommands(ContentModel &model, UndoHistory &history, QWidget *window)
    : QObject(window), m_window(window)
{
    const QList<Workspace> workspaces = Workspaces::allCases();
    for (int i = 0; i < workspaces.size() && i < 9; ++i) {
        const Workspace workspace = workspaces.at(i);
        QAction *show = addCommand(Workspaces::title(workspace),
                                   {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i))});
        connect(show, &QAction::triggered, this,
                [model = &model, workspace] { model->setSelection(workspace); });
    }

    QAction *add =
        addCommand(u"记一笔"_s, standardKeys(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
    connect(add, &QAction::triggered, this, [model = &model] { model->setShowingAdd(true); });
    QAction *smart = addCommand(u"大白话记一笔"_s, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
                                                    QKeySequence(Qt::CTRL | Qt::Key_K)});
    connect(smart, &QAction::triggered, this, [model = &model] { model->setShowingSmartEntry(true); });
    QAction *find =
        addCommand(u"搜索账单"_s, standardKeys(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)));
    connect(find, &QAction::triggered, this, &ShellCommands::findRequested);
    QAction *trends = addCommand(u"年度趋势"_s, {QKeySequence(Qt::CTRL | Qt::Key_T)});
    connect(trends, &QAction::triggered, this, &ShellCommands::trendsRequested);

    QAction *undo =
        addCommand(u"撤销"_s, standardKeys(QKeySequence::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)));
    connect(undo, &QAction::triggered, &history, &UndoHistory::undo);
    QAction *redo = addCommand(
        u"重做"_s, standardKeys(QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    connect(redo, &QAction::triggered, &history, &UndoHistory::redo);
}

QAction *ShellCommands::addCommand(const QString &text, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, m_window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(action);
    return action;
}
