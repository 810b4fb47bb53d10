// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsGoalDetailView.h"

#include "AddSavingsDepositView.h"
#include "SavingsDepositDelegate.h"
#include "SavingsDepositListModel.h"
#include "SavingsGoalCard.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/Icon.h"
#include "ui/ItemActions.h"
#include "ui/Palette.h"
#include "ui/Sheets.h"
#include "ui/Typography.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

using namespace Qt::StringLiterals;

SavingsGoalDetailView::SavingsGoalDetailView(ModelStore &store, const SavingsDepositIndex &index,
                                             const SavingsGoal &goal, QWidget *parent)
    : Sheet(goal.name, SheetSize::Ledger, Dismiss::close, QString(), parent)
    , m_model(store, index, goal)
    , m_rows(new SavingsDepositListModel(m_model, this))
    , m_deposit(Buttons::prominent(u"存入"_s, u"plus"_s, this))
    , m_deleteGoal(Buttons::bordered(QString(), u"trash"_s, this))
    , m_card(new SavingsGoalCard(this))
    , m_list(new QListView(this))
    , m_empty(Typography::secondaryLabel(u"还没有存入记录"_s, this))
    , m_deleteDeposit(new QAction(u"删除"_s, this))
{
    m_column = this->column();
    QVBoxLayout *column = m_column;
    column->setSpacing(12);

    m_deleteGoal->setAccessibleName(u"删除目标"_s);
    m_deleteGoal->setToolTip(u"删除目标"_s);
    m_deleteGoal->setIcon(Icon::icon(u"trash"_s, Palette::over(), 18));
    addTitleRow(TitlePlacement::centred, {m_deposit, m_deleteGoal})->setSpacing(10);
    // The goal's name is the user's own text, never markup.
    titleLabel()->setTextFormat(Qt::PlainText);

    // The card, with a little room above and below.
    column->addSpacing(6);
    column->addWidget(m_card);
    column->addSpacing(6);

    QLabel *heading = Typography::secondaryLabel(u"存入明细"_s, this);
    column->addWidget(heading);
    auto *section = new Card(this);
    section->setRadius(12);
    auto *rows = new QVBoxLayout(section);
    rows->setContentsMargins(0, 4, 0, 4);
    m_empty->setContentsMargins(16, 10, 16, 10);
    rows->addWidget(m_empty);
    m_list->setModel(m_rows);
    m_list->setItemDelegate(new SavingsDepositDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setMouseTracking(true);
    m_list->setAccessibleName(u"存入明细"_s);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setStyleSheet(u"QListView { background: transparent; }"_s);
    m_deleteDeposit->setShortcuts({QKeySequence::Delete, QKeySequence(Qt::Key_Backspace)});
    m_deleteDeposit->setShortcutContext(Qt::WidgetShortcut);
    m_list->addAction(m_deleteDeposit);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Assistive technology deletes one deposit, the one it names, as the Delete key does the
    // chosen ones.
    (new ItemActions(m_list))->add(ItemActions::deleteAction(), [this](const QModelIndex &row) {
        m_model.deleteDeposits({row.data(SavingsDepositListModel::DepositIdRole).toUuid()});
    });
    rows->addWidget(m_list, 1);
    m_sectionAt = column->count();
    column->addWidget(section);
    column->addStretch();

    connect(m_deposit, &QPushButton::clicked, &m_model, &SavingsGoalDetailModel::startDeposit);
    connect(m_deleteGoal, &QPushButton::clicked, &m_model, &SavingsGoalDetailModel::requestGoalDeletion);
    connect(m_deleteDeposit, &QAction::triggered, this, &SavingsGoalDetailView::deleteSelectedDeposits);
    connect(&m_model, &SavingsGoalDetailModel::changed, this, &SavingsGoalDetailView::refresh);
    connect(&m_model, &SavingsGoalDetailModel::closeRequested, this, &QDialog::accept);
    connect(&m_model, &SavingsGoalDetailModel::showingDepositChanged, this, [this](bool showing) {
        Sheets::follow(
            m_depositForm, showing, [this] { return new AddSavingsDepositView(m_model, this); },
            [this] { m_model.cancelDeposit(); });
    });
    connect(&m_model, &SavingsGoalDetailModel::confirmingDeleteChanged, this, [this](bool showing) {
        Sheets::followConfirmation(m_confirmation, showing, this, SavingsGoalDetailModel::deleteTitle(),
                                   SavingsGoalDetailModel::deleteMessage(), u"删除"_s,
                                   [this](bool confirmed) {
                                       if (confirmed)
                                           m_model.deleteGoal();
                                       else
                                           m_model.cancelGoalDeletion();
                                   });
    });
    refresh();
}

void SavingsGoalDetailView::refresh()
{
    const SavingsGoal &goal = m_model.goal();
    setTitle(goal.name);
    m_card->setGoal(goal, m_model.figures());
    const bool empty = m_model.depositCount() == 0;
    m_empty->setVisible(empty);
    m_list->setVisible(!empty);
    // The list takes the room below the card; the short empty notice leaves it free.
    m_column->setStretch(m_sectionAt, empty ? 0 : 1);
    m_column->setStretch(m_sectionAt + 1, empty ? 1 : 0);
}

void SavingsGoalDetailView::deleteSelectedDeposits()
{
    std::vector<QUuid> ids;
    const QModelIndexList chosen = m_list->selectionModel()->selectedIndexes();
    for (const QModelIndex &row : chosen)
        ids.push_back(row.data(SavingsDepositListModel::DepositIdRole).toUuid());
    if (ids.empty() && m_list->currentIndex().isValid())
        ids.push_back(m_list->currentIndex().data(SavingsDepositListModel::DepositIdRole).toUuid());
    m_model.deleteDeposits(ids);
}
