#pragma once

#include "ContentModel.h"

#include <QPointer>
#include <QWidget>

class ModelStore;
class QCloseEvent;
class QDialog;
class QListWidget;
class QVBoxLayout;
class UndoBar;
class UndoHistory;

// The window's root: the sidebar of workspaces and the detail pane showing the selected one,
// plus the two entry sheets (add form and smart entry) that open over any workspace.
class ContentView final : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(ModelStore &store, QWidget *parent = nullptr);

    ContentModel &model() { return m_model; }
    // The screen currently in the detail pane.
    QWidget *detailScreen() const { return m_detail; }
    QListWidget *workspaceList() const { return m_list; }
    QDialog *addSheet() const { return m_addSheet; }
    QDialog *smartEntrySheet() const { return m_smartSheet; }
    UndoHistory &undoHistory() const { return *m_undoHistory; }
    UndoBar *undoBar() const { return m_undoBar; }

    // The window's size and position from the last run, never below the minimum size.
    void restoreWindowState();
    void saveWindowState() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void installShortcuts();
    // Ctrl+F: the bills list with its search field focused.
    void focusBillsSearch();
    QWidget *buildSidebar();
    QWidget *buildScreen(Workspace workspace);
    QWidget *buildOverview();
    void showSelection();
    void updateAddSheet(bool showing);
    void updateSmartEntrySheet(bool showing);

    ModelStore &m_store;
    ContentModel m_model;
    QListWidget *m_list = nullptr;
    QVBoxLayout *m_detailLayout = nullptr;
    QWidget *m_detail = nullptr;
    Workspace m_shown = Workspace::overview;
    QPointer<QDialog> m_addSheet;
    QPointer<QDialog> m_smartSheet;
    UndoHistory *m_undoHistory = nullptr;
    UndoBar *m_undoBar = nullptr;
};
