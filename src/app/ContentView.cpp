#include "ContentView.h"

#include "UndoBar.h"
#include "UndoHistory.h"
#include "assets/AssetManagementView.h"
#include "bills/BillsView.h"
#include "budget/BudgetView.h"
#include "entry/AddEntryView.h"
#include "entry/SmartEntryView.h"
#include "fixedassets/FixedAssetManagementView.h"
#include "overview/DashboardView.h"
#include "receipt/ReceiptView.h"
#include "savings/SavingsView.h"
#include "settings/SettingsView.h"
#include "statistics/StatisticsView.h"
#include "store/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/EmptyState.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Sheets.h"
#include "ui/Typography.h"
#include "ui/WorkspaceHeader.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int sidebarMinimum = 230;
const QString geometryKey = QStringLiteral("window/geometry");
constexpr int sidebarIdeal = 260;
constexpr int sidebarMaximum = 300;

class Sidebar final : public QFrame {
public:
    explicit Sidebar(QWidget *parent) : QFrame(parent)
    {
        setMinimumWidth(sidebarMinimum);
        setMaximumWidth(sidebarMaximum);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        setObjectName(u"sidebar"_s);
        setStyleSheet(u"#sidebar { background: %1; border-right: 1px solid %2; }"_s.arg(
            Palette::css(Palette::sidebarBackground()), Palette::css(Palette::separator())));
    }
    QSize sizeHint() const override { return {sidebarIdeal, QFrame::sizeHint().height()}; }
};

QWidget *bookTile(QWidget *parent)
{
    auto *tile = new Card(parent);
    tile->setFixedSize(32, 32);
    tile->setRadius(9);
    tile->setFill(Palette::indigo());
    tile->setBorderColour(Qt::transparent);
    auto *glyph = new QLabel(tile);
    glyph->setPixmap(Icon::pixmap(u"book.closed.fill"_s, Palette::onAccent(), 20, tile->devicePixelRatioF()));
    glyph->setGeometry(6, 6, 20, 20);
    return tile;
}

} // namespace

ContentView::ContentView(ModelStore &store, QWidget *parent) : QWidget(parent), m_store(store)
{
    setMinimumSize(1080, 720);
    resize(1240, 800);
    setWindowTitle(u"Pennyloom"_s);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildSidebar(), 0);

    auto *detailPane = new QWidget(this);
    detailPane->setObjectName(u"detailPane"_s);
    m_detailLayout = new QVBoxLayout(detailPane);
    m_detailLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(detailPane, 1);

    // Every deletion, from any screen or sheet, can be taken back for as long as the window lives.
    m_undoHistory = new UndoHistory(m_store, this);
    m_undoBar = new UndoBar(*m_undoHistory, this);

    installShortcuts();
    connect(&m_model, &ContentModel::selectionChanged, this, &ContentView::showSelection);
    connect(&m_model, &ContentModel::showingAddChanged, this, &ContentView::updateAddSheet);
    connect(&m_model, &ContentModel::showingSmartEntryChanged, this, &ContentView::updateSmartEntrySheet);
    showSelection();
}

QWidget *ContentView::buildSidebar()
{
    auto *sidebar = new Sidebar(this);
    auto *column = new QVBoxLayout(sidebar);
    column->setContentsMargins(14, 18, 14, 16);
    column->setSpacing(14);

    auto *header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(bookTile(sidebar));
    auto *name = new QLabel(u"Pennyloom"_s, sidebar);
    Typography::makeHeadline(name);
    header->addWidget(name);
    header->addStretch(1);
    column->addLayout(header);

    m_list = new QListWidget(sidebar);
    m_list->setAccessibleName(u"工作区"_s);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setIconSize(QSize(20, 20));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setStyleSheet(u"QListWidget { background: transparent; outline: none; }"
                          "QListWidget::item { padding: 7px 8px; border-radius: 8px; color: %1; }"
                          "QListWidget::item:hover { background: %2; }"
                          "QListWidget::item:selected { background: %3; color: %4; }"_s.arg(
                              Palette::css(Palette::primaryText()),
                              Palette::css(Palette::withAlpha(Palette::indigo(), 0.07)),
                              Palette::css(Palette::withAlpha(Palette::indigo(), 0.16)),
                              Palette::css(Palette::accentStrong())));
    for (Workspace workspace : Workspaces::allCases()) {
        auto *item = new QListWidgetItem(Icon::icon(Workspaces::icon(workspace), Palette::indigo(), 20),
                                         Workspaces::title(workspace), m_list);
        item->setData(Qt::AccessibleTextRole, Workspaces::title(workspace));
        item->setSizeHint(QSize(0, 38));
    }
    m_list->setFixedHeight(38 * static_cast<int>(Workspaces::allCases().size()) + 4);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> selected = m_list->selectedItems();
        if (selected.isEmpty())
            m_model.setSelection(std::nullopt);
        else
            m_model.setSelection(Workspaces::allCases().value(m_list->row(selected.first())));
    });
    column->addWidget(m_list);
    column->addStretch(1);

    auto *footer = new Card(sidebar);
    footer->setRadius(14);
    footer->setFill(Palette::faintFill());
    footer->setBorderColour(Qt::transparent);
    auto *footerColumn = new QVBoxLayout(footer);
    footerColumn->setContentsMargins(12, 12, 12, 12);
    footerColumn->setSpacing(10);
    footerColumn->addWidget(Typography::secondaryLabel(u"数据仅保存在本机"_s, footer));
    auto *smartButton = Buttons::prominent(u"大白话记一笔"_s, u"text.bubble.fill"_s, footer);
    smartButton->setObjectName(u"smartEntryButton"_s);
    connect(smartButton, &QPushButton::clicked, this, [this] { m_model.setShowingSmartEntry(true); });
    footerColumn->addWidget(smartButton);
    column->addWidget(footer);
    return sidebar;
}

QWidget *ContentView::buildScreen(Workspace workspace)
{
    switch (workspace) {
    case Workspace::overview:
        return buildOverview();
    case Workspace::bills:
        return new BillsView(m_store);
    case Workspace::savings:
        return new SavingsView(m_store);
    case Workspace::assets:
        return new AssetManagementView(m_store);
    case Workspace::fixedAssets:
        return new FixedAssetManagementView(m_store);
    case Workspace::statistics:
        return new StatisticsView(m_store);
    case Workspace::receipt:
        return new ReceiptView(m_store);
    case Workspace::settings:
        return new SettingsView(m_store);
    default:
        break;
    }
    auto *screen = new QWidget;
    auto *column = new QVBoxLayout(screen);
    column->setContentsMargins(28, 24, 28, 24);
    column->setSpacing(20);
    const QString title = Workspaces::title(workspace);
    column->addWidget(new WorkspaceHeader(title, QString(), screen));
    auto *panel = new Card(screen);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(
        new EmptyState(Workspaces::icon(workspace), title, u"这一部分正在建设中，很快就能使用。"_s, panel));
    column->addWidget(panel, 1);
    return screen;
}

QWidget *ContentView::buildOverview()
{
    // The budget workspace has no sidebar row: it opens over the dashboard, inside the
    // overview, and its back button returns to the dashboard.
    auto *stack = new QStackedWidget;
    auto *dashboard = new DashboardView(m_store, stack);
    stack->addWidget(dashboard);
    connect(dashboard, &DashboardView::addRequested, this, [this] { m_model.setShowingAdd(true); });
    connect(dashboard, &DashboardView::smartEntryRequested, this,
            [this] { m_model.setShowingSmartEntry(true); });
    connect(dashboard, &DashboardView::manageBudgetsRequested, stack, [this, stack, dashboard] {
        auto *budgets = new BudgetView(m_store, stack);
        budgets->setObjectName(u"workspace:预算管理"_s);
        stack->addWidget(budgets);
        stack->setCurrentWidget(budgets);
        connect(budgets, &BudgetView::backRequested, stack, [stack, budgets, dashboard] {
            // Today may have moved on while the budgets were open.
            dashboard->model().recompute();
            stack->setCurrentIndex(0);
            stack->removeWidget(budgets);
            budgets->deleteLater();
        });
    });
    return stack;
}

void ContentView::showSelection()
{
    const std::optional<Workspace> selection = m_model.selection();
    const int row = selection ? static_cast<int>(Workspaces::allCases().indexOf(*selection)) : -1;
    if (row < 0)
        m_list->clearSelection();
    else if (m_list->currentRow() != row || m_list->selectedItems().isEmpty())
        m_list->setCurrentRow(row);

    if (m_detail && m_shown == m_model.shownWorkspace())
        return;
    // The screen left behind is discarded with its transient state.
    m_shown = m_model.shownWorkspace();
    if (m_detail) {
        m_detailLayout->removeWidget(m_detail);
        m_detail->deleteLater();
    }
    m_detail = buildScreen(m_model.shownWorkspace());
    m_detail->setObjectName(u"workspace:"_s + Workspaces::title(m_model.shownWorkspace()));
    m_detailLayout->addWidget(m_detail);
}

void ContentView::updateAddSheet(bool showing)
{
    Sheets::follow(
        m_addSheet, showing, [this] { return new AddEntryView(m_store, this); },
        [this] { m_model.setShowingAdd(false); });
}

void ContentView::updateSmartEntrySheet(bool showing)
{
    Sheets::follow(
        m_smartSheet, showing, [this] { return new SmartEntryView(m_store, this); },
        [this] { m_model.setShowingSmartEntry(false); });
}

void ContentView::installShortcuts()
{
    const QList<Workspace> workspaces = Workspaces::allCases();
    for (int i = 0; i < workspaces.size() && i < 9; ++i) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)), this);
        connect(shortcut, &QShortcut::activated, this,
                [this, workspace = workspaces.at(i)] { m_model.setSelection(workspace); });
    }
    auto *add = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    connect(add, &QShortcut::activated, this, [this] { m_model.setShowingAdd(true); });
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_K)}) {
        auto *smart = new QShortcut(keys, this);
        connect(smart, &QShortcut::activated, this, [this] { m_model.setShowingSmartEntry(true); });
    }
    auto *find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, this, &ContentView::focusBillsSearch);
    auto *undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undo, &QShortcut::activated, m_undoHistory, &UndoHistory::undo);
    auto *redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    connect(redo, &QShortcut::activated, m_undoHistory, &UndoHistory::redo);
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
