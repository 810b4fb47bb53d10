// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsView.h"

#include "BillsDelegate.h"
#include "BillsListModel.h"
#include "BulkCategorySheet.h"
#include "model/Money.h"
#include "store/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/DateRangeRow.h"
#include "ui/EntryRow.h"
#include "ui/FixedRowListView.h"
#include "ui/Icon.h"
#include "ui/ItemActions.h"
#include "ui/Palette.h"
#include "ui/SegmentedControl.h"
#include "ui/Sheets.h"
#include "ui/Spacing.h"
#include "ui/Typography.h"
#include "ui/WorkspaceHeader.h"

#include <QAccessible>
#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// One figure of the totals row: an icon and a text in the figure's colour. Returns the text
// label; the icon sits before it in the row.
QLabel *addTotal(QHBoxLayout *row, const QString &symbol, const QColor &colour, QWidget *parent)
{
    auto *icon = new QLabel(parent);
    icon->setPixmap(Icon::pixmap(symbol, colour, 16, parent->devicePixelRatioF()));
    auto *text = new QLabel(parent);
    QFont font = text->font();
    font.setPointSizeF(font.pointSizeF() * 0.95);
    font.setWeight(QFont::Medium);
    text->setFont(font);
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, colour);
    text->setPalette(palette);
    row->addWidget(icon);
    row->addSpacing(4);
    row->addWidget(text);
    row->addSpacing(22);
    return text;
}

} // namespace

BillsView::BillsView(ModelStore &store, BillsLedger &ledger, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_model(store, ledger)
    , m_listModel(new BillsListModel(m_model, this))
    , m_delegate(new BillsDelegate(this))
    , m_selection(store)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(Spacing::fixedPageMargins);
    column->setSpacing(Spacing::cardSpacing);

    // Title bar: the title, the search field, the recurring bills and the add button.
    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(10);
    titleRow->addWidget(new WorkspaceHeader(u"账单明细"_s, QString(), this), 1);
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(u"搜索分类、备注或类型"_s);
    m_search->setAccessibleName(u"搜索分类、备注或类型"_s);
    m_search->setClearButtonEnabled(true);
    QAction *magnifier = m_search->addAction(Icon::icon(u"magnifyingglass"_s, Palette::secondaryText(), 16),
                                             QLineEdit::LeadingPosition);
    magnifier->setText(u"搜索"_s);
    // Qt's clear button shows an icon only; a screen reader needs its words.
    for (QToolButton *button : m_search->findChildren<QToolButton *>()) {
        if (button->defaultAction() != magnifier) {
            button->setAccessibleName(u"清除搜索"_s);
            button->setToolTip(u"清除搜索"_s);
        }
    }
    m_search->setMinimumWidth(260);
    m_search->setMinimumHeight(34);
    titleRow->addWidget(m_search);
    m_recurring = Buttons::prominent(u"周期账单"_s, u"calendar"_s, this);
    titleRow->addWidget(m_recurring);
    m_add = Buttons::prominent(u"记一笔"_s, u"plus"_s, this);
    titleRow->addWidget(m_add);
    column->addLayout(titleRow);

    column->addWidget(buildFilterArea());
    column->addWidget(buildSelectionBar());

    auto *listCard = new Card(this);
    listCard->setRadius(14);
    auto *listLayout = new QVBoxLayout(listCard);
    listLayout->setContentsMargins(6, 6, 6, 6);
    m_list = new FixedRowListView(listCard);
    m_list->setAccessibleName(u"账单明细"_s);
    m_list->setModel(m_listModel);
    m_list->setItemDelegate(m_delegate);
    // One height for every row: the view places a million rows without visiting each.
    m_list->setRowHeight(BillsDelegate::rowHeight());
    // Ctrl-click, Shift-click and Ctrl+A choose several rows; only entry rows can be chosen.
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMouseTracking(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setStyleSheet(u"FixedRowListView { background: transparent; outline: none; }"_s);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    // Assistive technology opens and deletes an entry row as a click on it and on its trash
    // button do; a day header row is only read.
    auto *rowActions = new ItemActions(m_list);
    const auto entryRow = [this](const QModelIndex &index) { return m_listModel->entryAt(index) != nullptr; };
    rowActions->add(
        QAccessibleActionInterface::pressAction(), [this](const QModelIndex &index) { requestEdit(index); },
        entryRow);
    rowActions->add(
        ItemActions::deleteAction(), [this](const QModelIndex &index) { requestDeletion(index); }, entryRow);
    listLayout->addWidget(m_list);
    column->addWidget(listCard, 1);

    connect(m_search, &QLineEdit::textChanged, &m_model, &BillsModel::setSearchText);
    connect(m_add, &QPushButton::clicked, this, &BillsView::addRequested);
    connect(m_recurring, &QPushButton::clicked, this, &BillsView::recurringRequested);
    connect(m_delegate, &BillsDelegate::entryClicked, this, &BillsView::requestEdit);
    connect(m_delegate, &BillsDelegate::trashClicked, this, &BillsView::requestDeletion);
    // Return on a chosen row edits it too, for the keyboard.
    connect(m_list, &FixedRowListView::activated, this, &BillsView::requestEdit);
    connect(m_list, &FixedRowListView::customContextMenuRequested, this, &BillsView::showContextMenu);

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BillsView::showSelection);
    connect(m_listModel, &QAbstractItemModel::modelReset, this, &BillsView::showSelection);
    connect(&m_model, &BillsModel::filterChanged, this, &BillsView::showFilter);
    connect(&m_model, &BillsModel::recomputed, this, &BillsView::showTotals);
    connect(&m_model, &BillsModel::pendingDeletionChanged, this, &BillsView::showDeletionAlert);
    showFilter();
    showTotals();
    showSelection();
}

BillsView::~BillsView()
{
    // The screen model is a member, gone before the child widgets are: no child may reach it
    // on its way out.
    m_list->setModel(nullptr);
    disconnect(&m_model, nullptr, nullptr, nullptr);
    for (QObject *child : children())
        disconnect(child, nullptr, this, nullptr);
}

QMessageBox *BillsView::deletionAlert() const
{
    return m_deletionAlert;
}

BulkCategorySheet *BillsView::categorySheet() const
{
    return m_categorySheet;
}

QWidget *BillsView::buildSelectionBar()
{
    auto *bar = new Card(this);
    bar->setRadius(14);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(16, 8, 12, 8);
    row->setSpacing(10);
    m_selectionCount = new QLabel(bar);
    Typography::setTextColour(m_selectionCount, Palette::primaryText());
    row->addWidget(m_selectionCount);
    row->addStretch(1);
    m_setCategory = Buttons::bordered(u"改分类"_s, u"square.grid.2x2.fill"_s, bar);
    m_removeSelected = Buttons::bordered(u"删除"_s, u"trash"_s, bar);
    row->addWidget(m_setCategory);
    row->addWidget(m_removeSelected);
    connect(m_setCategory, &QPushButton::clicked, this, &BillsView::showCategorySheet);
    connect(m_removeSelected, &QPushButton::clicked, this, &BillsView::removeSelected);
    m_selectionBar = bar;
    return bar;
}

void BillsView::showSelection()
{
    std::vector<LedgerEntry> chosen;
    if (QItemSelectionModel *selected = m_list->selectionModel()) {
        for (const QItemSelectionRange &range : selected->selection()) {
            for (int row = range.top(); row <= range.bottom(); ++row) {
                if (const LedgerEntry *entry = m_listModel->entryAt(m_listModel->index(row)))
                    chosen.push_back(*entry);
            }
        }
    }
    const int before = m_selection.count();
    m_selection.setEntries(std::move(chosen));
    const bool several = m_selection.count() >= 2;
    m_selectionBar->setVisible(several);
    const QString text = m_selection.countText();
    m_selectionCount->setText(text);
    m_selectionCount->setAccessibleName(text);
    m_setCategory->setEnabled(m_selection.canSetCategory());
    m_setCategory->setToolTip(m_selection.canSetCategory() ? QString()
                                                           : u"所选账单收支类型不同，不能设为同一分类"_s);
    m_list->setAccessibleDescription(several ? text : QString());
    // A screen reader says how many rows are chosen as the choice grows or shrinks.
    if (several && before != m_selection.count()) {
        QAccessibleEvent event(m_selectionCount, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
        QAccessibleEvent described(m_list, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

void BillsView::showCategorySheet()
{
    if (!m_selection.canSetCategory() || (m_categorySheet && m_categorySheet->isVisible()))
        return;
    m_categorySheet = new BulkCategorySheet(m_selection, this);
    Sheets::open(m_categorySheet, {});
}

void BillsView::removeSelected()
{
    // One write and one undo step; the undo bar offers to take it back.
    m_selection.removeAll();
}

QWidget *BillsView::customRange() const
{
    return m_customRange;
}

QDateEdit *BillsView::startPicker() const
{
    return m_customRange->startPicker();
}

QDateEdit *BillsView::endPicker() const
{
    return m_customRange->endPicker();
}

QWidget *BillsView::buildFilterArea()
{
    auto *card = new Card(this);
    card->setRadius(14);
    auto *column = new QVBoxLayout(card);
    column->setContentsMargins(16, 14, 16, 14);
    column->setSpacing(12);

    auto *filters = new QHBoxLayout;
    filters->setSpacing(10);
    filters->addWidget(Typography::secondaryLabel(u"日期范围"_s, card));
    m_dateMode = new SegmentedControl(BillsModel::dateRules().titles(), card);
    m_dateMode->setAccessibleName(u"日期范围"_s);
    m_dateMode->setFixedWidth(210);
    filters->addWidget(m_dateMode);

    m_customRange =
        new DateRangeRow({DateRangeRow::Captions::beside, u"开始"_s, u"结束"_s, 8, 6, false}, card);
    m_customRange->setContentsMargins(14, 0, 0, 0);
    filters->addWidget(m_customRange);
    filters->addStretch(1);
    column->addLayout(filters);

    auto *totals = new QHBoxLayout;
    totals->setSpacing(0);
    m_income = addTotal(totals, u"arrow.down.left"_s, Palette::income(), card);
    m_expense = addTotal(totals, u"arrow.up.right"_s, Palette::expense(), card);
    m_balance = addTotal(totals, u"equal.circle"_s, Palette::primaryText(), card);
    totals->addStretch(1);
    column->addLayout(totals);

    connect(m_dateMode, &SegmentedControl::currentIndexChanged, this, [this](int index) {
        if (const std::optional<PeriodChoice> mode = BillsModel::dateRules().choiceAt(index))
            m_model.setDateMode(*mode);
    });
    connect(m_customRange, &DateRangeRow::startDayChosen, &m_model, &BillsModel::setStartDay);
    connect(m_customRange, &DateRangeRow::endDayChosen, &m_model, &BillsModel::setEndDay);
    return card;
}

void BillsView::showFilter()
{
    if (m_search->text() != m_model.searchText())
        m_search->setText(m_model.searchText());
    m_dateMode->setCurrentIndex(BillsModel::dateRules().indexOf(m_model.dateMode()));
    m_customRange->setVisible(m_model.dateMode() == PeriodChoice::custom);
    m_customRange->showSelection(m_model.selection());
}

void BillsView::showTotals()
{
    const LedgerSlice::Totals totals = m_model.totals();
    m_income->setText(u"收入 "_s + Money::text(totals.income));
    m_expense->setText(u"支出 "_s + Money::text(totals.expense));
    m_balance->setText(u"结余 "_s + Money::text(totals.balance()));
}

void BillsView::showDeletionAlert()
{
    Sheets::followConfirmation(m_deletionAlert, m_model.pendingDeletion().has_value(), this,
                               u"删除这笔账单？"_s, u"删除后无法从应用内恢复。"_s, u"删除"_s,
                               [this](bool confirmed) {
                                   m_deletionAlert = nullptr;
                                   if (confirmed)
                                       m_model.confirmDeletion();
                                   else
                                       m_model.cancelDeletion();
                               });
}

void BillsView::showContextMenu(const QPoint &position)
{
    const LedgerEntry *entry = m_listModel->entryAt(m_list->indexAt(position));
    if (!entry)
        return;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *remove = menu->addAction(Icon::icon(u"trash"_s, Palette::over(), 16), u"删除账单"_s);
    connect(remove, &QAction::triggered, this,
            [this, pending = *entry] { m_model.setPendingDeletion(pending); });
    menu->popup(m_list->viewport()->mapToGlobal(position));
}

void BillsView::requestEdit(const QModelIndex &index)
{
    if (const LedgerEntry *entry = m_listModel->entryAt(index))
        Q_EMIT editRequested(*entry);
}

void BillsView::requestDeletion(const QModelIndex &index)
{
    if (const LedgerEntry *entry = m_listModel->entryAt(index))
        m_model.setPendingDeletion(*entry);
}

bool BillsView::deleteCurrentEntry()
{
    if (m_selection.count() >= 2) {
        removeSelected();
        return true;
    }
    const QModelIndex current = m_list->currentIndex();
    if (!m_listModel->entryAt(current))
        return false;
    const BillsListModel::Place place = m_listModel->placeOf(current.row());
    return m_model.deleteEntries({place.positionInDay}, m_model.dayEntries(place.group));
}

bool BillsView::eventFilter(QObject *watched, QEvent *event)
{
    // The trash button lights up under the pointer, which the view alone repaints only when
    // the pointer changes rows.
    if (watched == m_list->viewport() && event->type() == QEvent::MouseMove) {
        const QModelIndex hovered = m_list->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (hovered.isValid())
            m_list->viewport()->update(m_list->visualRect(hovered));
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) &&
            key->modifiers() == Qt::NoModifier)
            return deleteCurrentEntry();
    }
    return QWidget::eventFilter(watched, event);
}
