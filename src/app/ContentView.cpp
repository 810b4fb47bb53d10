// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentView.h"

#include "EntrySheets.h"
#include "ShellCommands.h"
#include "Sidebar.h"
#include "StatisticsStack.h"
#include "UndoBar.h"
#include "UndoHistory.h"
#include "bills/BillsView.h"
#include "settings/ImportSheet.h"
#include "ui/Sheets.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString geometryKey = QStringLiteral("window/geometry");

// The size the window asks for where the screen has room.
constexpr QSize preferredSize(1240, 800);

// Whether the rectangle lies whole on the free area of one screen.
bool onOneScreen(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.cbegin(), screens.cend(),
                       [&](const QScreen *screen) { return screen->availableGeometry().contains(rect); });
}

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
    connect(commands, &ShellCommands::trendsRequested, this, &ContentView::openTrends);

    connect(&m_model, &ContentModel::selectionChanged, this, &ContentView::showSelection);
    showSelection();
    // The least size is the layout's: the pages scroll below their own width and height, and
    // the sidebar's list scrolls too, so a 1024 × 600 screen, less its panel and title bar,
    // holds the window with every control in reach.
    placeOnScreen();
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

void ContentView::placeOnScreen()
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown) {
        resize(preferredSize);
        return;
    }
    // The title bar and borders take their part of the free area too. Until the window is
    // shown, the window system has not said how large they are: the style's title bar stands in.
    QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(),
                   frameGeometry().bottom() - geometry().bottom());
    if (!isVisible()) {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
        frame =
            QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this), border, border);
    }
    const QRect room = shown->availableGeometry().marginsRemoved(frame);
    QRect placed(QPoint(0, 0), preferredSize.boundedTo(room.size()).expandedTo(minimumSize()));
    placed.moveCenter(room.center());
    setGeometry(placed);
    m_placed = geometry();
}

void ContentView::openTrends()
{
    m_model.setSelection(Workspace::statistics);
    if (auto *statistics = qobject_cast<StatisticsStack *>(m_detail))
        statistics->openTrends();
}

void ContentView::restoreWindowState()
{
    const QByteArray geometry = QSettings().value(geometryKey).toByteArray();
    // A place saved on another screen, or larger than this one, is not kept.
    if (!geometry.isEmpty() && restoreGeometry(geometry) &&
        (isMaximized() || isFullScreen() || onOneScreen(frameGeometry())))
        return;
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    placeOnScreen();
}

void ContentView::saveWindowState() const
{
    QSettings().setValue(geometryKey, saveGeometry());
}

void ContentView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Shown, the window's frame is known: a window placed here that it pushes past the free
    // area moves in. A size given since is left as it is.
    if (!event->spontaneous() && m_placed.isValid()) {
        const bool placedHere = geometry() == m_placed;
        m_placed = QRect();
        if (placedHere && windowState() == Qt::WindowNoState && !onOneScreen(frameGeometry()))
            placeOnScreen();
    }
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
