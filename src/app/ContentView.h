// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ContentModel.h"
#include "ScreenFactory.h"
#include "StoreIndexes.h"
#include "settings/ImportSheet.h"

#include <QPointer>
#include <QWidget>

class EntrySheets;
class ModelStore;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QDialog;
class QListWidget;
class QVBoxLayout;
class ShellCommands;
class Sidebar;
class UndoBar;
class UndoHistory;

// The window's root: the sidebar of workspaces beside the detail pane showing the selected one,
// with the entry sheets that open over any workspace, the keyboard commands and the undo bar.
// It puts these pieces together; each does its own part.
class ContentView final : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(ModelStore &store, QWidget *parent = nullptr);

    ContentModel &model() { return m_model; }
    // What the screens read beside the store; kept as long as the window.
    StoreIndexes &indexes() { return m_indexes; }
    // The screen currently in the detail pane.
    QWidget *detailScreen() const { return m_detail; }
    QListWidget *workspaceList() const;
    QDialog *addSheet() const;
    QDialog *smartEntrySheet() const;
    QDialog *editSheet() const;
    UndoHistory &undoHistory() const { return *m_undoHistory; }
    UndoBar *undoBar() const { return m_undoBar; }
    // The import sheet of a file dropped on the window, while it is open.
    ImportSheet *importSheet() const { return m_importSheet; }
    // Opens the import sheet on the file, over the window.
    void openImport(const QString &path);
    // Brings the window to the front, out of the dock if minimised.
    void present();
    // The window in front with the add form open: 「记一笔」 from the reminder, "pennyloom --add".
    void showAddForm();

    // The window's size and position from the last run where they lie whole on a screen's free
    // area; otherwise its preferred size, as far as the screen has room, centred there.
    void restoreWindowState();
    void saveWindowState() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // One local file dropped on the window is offered for import; anything else is not taken.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void placeOnScreen();
    void showSelection();
    // Ctrl+F: the bills list with its search field focused.
    void focusBillsSearch();
    // Ctrl+T: 统计 with 年度趋势 over it.
    void openTrends();

    ModelStore &m_store;
    ContentModel m_model;
    StoreIndexes m_indexes;
    ScreenFactory m_screens;
    Sidebar *m_sidebar = nullptr;
    // Where placeOnScreen() put the window, until it is first shown.
    QRect m_placed;
    QVBoxLayout *m_detailLayout = nullptr;
    QWidget *m_detail = nullptr;
    Workspace m_shown = Workspace::overview;
    EntrySheets *m_sheets = nullptr;
    UndoHistory *m_undoHistory = nullptr;
    UndoBar *m_undoBar = nullptr;
    QPointer<ImportSheet> m_importSheet;
};
