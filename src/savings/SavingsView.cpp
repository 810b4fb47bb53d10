// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsView.h"

#include "AddSavingsGoalView.h"
#include "SavingsGoalCard.h"
#include "SavingsGoalDetailView.h"
#include "store/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/CardGrid.h"
#include "ui/EmptyState.h"
#include "ui/ScrollPage.h"
#include "ui/Sheets.h"
#include "ui/Spacing.h"
#include "ui/WorkspaceHeader.h"

#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Goal cards are never narrower than this.
constexpr int minimumColumnWidth = 300;

// The goal's id on its row of the grid.
constexpr int idRole = Qt::UserRole + 1;

} // namespace

SavingsView::SavingsView(ModelStore &store, QWidget *parent)
    : QWidget(parent)
    , m_model(store)
    , m_add(nullptr)
    , m_emptyPanel(nullptr)
    , m_grid(nullptr)
    , m_goals(new QStandardItemModel(this))
{
    const ScrollPage::Column page =
        ScrollPage::centredColumn(this, Spacing::pageMargin, Spacing::pageWidth, Spacing::sectionSpacing);
    QWidget *content = page.content;
    QVBoxLayout *column = page.layout;

    auto *header = new WorkspaceHeader(u"存钱计划"_s, u"为想要的目标留出一笔确定的钱"_s, content);
    m_add = Buttons::prominent(u"新增目标"_s, u"plus"_s, header);
    header->addAction(m_add);
    column->addWidget(header);

    auto *emptyCard = new Card(content);
    emptyCard->setMinimumHeight(300);
    auto *emptyLayout = new QVBoxLayout(emptyCard);
    emptyLayout->addWidget(new EmptyState(u"target"_s, u"还没有存钱目标"_s,
                                          u"新建一个目标，记录预期日期和每次存入金额。"_s, emptyCard));
    m_emptyPanel = emptyCard;
    column->addWidget(m_emptyPanel);

    m_grid = new CardGrid(content);
    m_grid->setMinimumColumnWidth(minimumColumnWidth);
    m_grid->setSpacing(Spacing::cardSpacing);
    m_grid->setCardRadius(SavingsGoalCard::radius);
    m_grid->setAccessibleName(u"存钱目标"_s);
    m_grid->setModel(m_goals);
    column->addWidget(m_grid);
    column->addStretch(1);

    connect(m_add, &QPushButton::clicked, &m_model, &SavingsModel::startAddGoal);
    connect(m_grid, &CardGrid::opened, &m_model,
            [this](const QModelIndex &index) { m_model.selectGoal(index.data(idRole).toUuid()); });
    // Delete asks over the goal's detail, the same confirmation as its trash button.
    connect(m_grid, &CardGrid::deleteRequested, this, [this](const QModelIndex &index) {
        m_model.selectGoal(index.data(idRole).toUuid());
        if (m_detail && m_detail->isVisible())
            m_detail->model().requestGoalDeletion();
    });
    connect(&m_model, &SavingsModel::goalsChanged, this, &SavingsView::rebuildCards);
    connect(&m_model, &SavingsModel::totalsChanged, this, &SavingsView::refreshFigures);
    connect(&m_model, &SavingsModel::showingAddGoalChanged, this, [this](bool showing) {
        Sheets::follow(
            m_addForm, showing, [this] { return new AddSavingsGoalView(m_model, this); },
            [this] { m_model.cancelAddGoal(); });
    });
    connect(&m_model, &SavingsModel::selectedGoalChanged, this, [this] {
        const std::optional<QUuid> selected = m_model.selectedGoal();
        const SavingsGoal *goal = selected ? m_model.store().find<SavingsGoal>(*selected) : nullptr;
        Sheets::follow(
            m_detail, goal != nullptr,
            [this, goal] { return new SavingsGoalDetailView(m_model.store(), m_model.index(), *goal, this); },
            [this] { m_model.closeGoal(); });
    });
    rebuildCards();
}

int SavingsView::columnCount() const
{
    return m_grid->columnCount();
}

SavingsGoalCard *SavingsView::card(int position) const
{
    return qobject_cast<SavingsGoalCard *>(m_grid->indexWidget(m_goals->index(position, 0)));
}

void SavingsView::rebuildCards()
{
    m_goals->clear();
    for (const SavingsGoal &goal : m_model.goals()) {
        auto *item = new QStandardItem;
        item->setData(goal.id, idRole);
        item->setEditable(false);
        m_goals->appendRow(item);
        // The card draws the goal; the grid takes the clicks, the keys and the focus.
        auto *card = new SavingsGoalCard;
        card->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_grid->setIndexWidget(item->index(), card);
    }
    const bool empty = m_goals->rowCount() == 0;
    m_emptyPanel->setVisible(empty);
    m_grid->setVisible(!empty);
    refreshFigures();
}

void SavingsView::refreshFigures()
{
    const RecordRange<SavingsGoal> goals = m_model.goals();
    for (int row = 0; row < m_goals->rowCount() && row < static_cast<int>(goals.size()); ++row) {
        const SavingsGoal &goal = goals[static_cast<size_t>(row)];
        SavingsGoalCard *goalCard = card(row);
        if (!goalCard)
            continue;
        goalCard->setGoal(goal, m_model.figures(goal));
        QStandardItem *item = m_goals->item(row);
        item->setData(goalCard->accessibleSummary(), Qt::DisplayRole);
        item->setData(goalCard->accessibleSummary(), Qt::AccessibleTextRole);
        // The card cuts a long name and takes no mouse events; the grid shows the name whole.
        item->setData(goal.name, Qt::ToolTipRole);
    }
}
