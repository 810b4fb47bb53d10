// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentView.h"

#include "EntrySheets.h"
#include "ShellCommands.h"
#include "Sidebar.h"
#include "UndoBar.h"
#include "UndoHistory.h"
#include "bills/BillsView.h"
#include "settings/ImportSheet.h"
#include "ui/Sheets.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString geometryKey = QStringLiteral("window/geometry");

// The one local file a drop carries, or nothing: several files or a text are not an import.
QString droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().constFirst().isLocalFile())
        return {};
    return mime->urls().constFirst().toLocalFile();
}

} // namespace

ContentView::ContentView(ModelStore &store, QWidget *parent)
    : QWidget(parent), m_store(store), m_indexes(store), m_screens(store, m_indexes, m_model)
{
    setAcceptDrops(true);
    setMinimumSize(1080, 720);
    resize(1240, 800);
    setWindowTitle(u"Pennyloom"_s);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_sidebar = new Sidebar(m_model, this);
    layout->addWidget(m_sidebar, 0);

    auto *detailPane = new QWidget(this);
    detailPane->setObjectName(u"detailPane"_s);
    m_detailLayout = new QVBoxLayout(detailPane);
    m_detailLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(detailPane, 1);

    m_sheets = new EntrySheets(store, m_model, this);
    // Every deletion, from any screen or sheet, can be taken back for as long as the window lives.
    m_undoHistory = new UndoHistory(store, this);
    m_undoBar = new UndoBar(*m_undoHistory, this);
    auto *commands = new ShellCommands(m_model, *m_undoHistory, this);
    connect(commands, &ShellCommands::findRequested, this, &ContentView::focusBillsSearch);

    connect(&m_model, &ContentModel::selectionChanged, this, &ContentView::showSelection);
    showSelection();
}

QListWidget *ContentView::workspaceList() const
{
    return m_sidebar->workspaceList();
}

QDialog *ContentView::addSheet() const
{
    return m_sheets->addSheet();
}

QDialog *ContentView::smartEntrySheet() const
{
    return m_sheets->smartEntrySheet();
}

QDialog *ContentView::editSheet() const
{
    return m_sheets->editSheet();
}

void ContentView::showSelection()
{
    if (m_detail && m_shown == m_model.shownWorkspace())
        return;
    // The screen left behind is discarded with its transient state.
    m_shown = m_model.shownWorkspace();
    if (m_detail) {
        m_detailLayout->removeWidget(m_detail);
        m_detail->deleteLater();
    }
    m_detail = m_screens.make(m_shown);
    m_detailLayout->addWidget(m_detail);
}

void ContentView::focusBillsSearch()
{
    m_model.setSelection(Workspace::bills);
    if (auto *bills = qobject_cast<BillsView *>(m_detail)) {
        bills->searchField()->setFocus(Qt::ShortcutFocusReason);
        bills->searchField()->selectAll();
    }
}

void ContentView::restoreWindowState()
{
    const QByteArray geometry = QSettings().value(geometryKey).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    resize(size().expandedTo(minimumSize()));
}

void ContentView::saveWindowState() const
{
    QSettings().setValue(geometryKey, saveGeometry());
}

void ContentView::closeEvent(QCloseEvent *event)
{
    saveWindowState();
    QWidget::closeEvent(event);
}

void ContentView::openImport(const QString &path)
{
    if (m_importSheet)
        m_importSheet->reject();
    m_importSheet = new ImportSheet(m_store, path, this);
    Sheets::open(m_importSheet, {});
}

void ContentView::present()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void ContentView::showAddForm()
{
    present();
    m_model.setShowingAdd(true);
}

void ContentView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ContentView::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openImport(path);
}
