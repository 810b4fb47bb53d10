// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringRulesView.h"

#include "RecurringRuleDelegate.h"
#include "RecurringRuleFormView.h"
#include "RecurringRuleListModel.h"
#include "model/Clock.h"
#include "store/ModelStore.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/EmptyState.h"
#include "ui/ItemActions.h"
#include "ui/Sheets.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

RecurringRulesView::RecurringRulesView(ModelStore &store, QWidget *parent)
    : Sheet(u"周期账单"_s, SheetSize::Ledger, Dismiss::close, QString(), parent)
    , m_store(store)
    , m_rows(new RecurringRuleListModel(store, this))
    , m_add(Buttons::prominent(u"新增"_s, u"plus"_s, this))
    , m_list(new QListView(this))
    , m_empty(new EmptyState(u"calendar"_s, u"还没有周期账单"_s,
                             u"房租、工资、订阅这类按时重复的账单，设好一次，到期自动记下。"_s, this))
{
    setWindowModality(Qt::WindowModal);
    addTitleRow(TitlePlacement::centred, {m_add});
    QVBoxLayout *column = this->column();

    auto *card = new Card(this);
    card->setRadius(12);
    auto *rows = new QVBoxLayout(card);
    rows->setContentsMargins(0, 4, 0, 4);
    auto *delegate = new RecurringRuleDelegate(m_list);
    m_list->setModel(m_rows);
    m_list->setItemDelegate(delegate);
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMouseTracking(true);
    m_list->setAccessibleName(u"周期账单"_s);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setStyleSheet(u"QListView { background: transparent; outline: none; }"_s);
    m_list->installEventFilter(this);
    // Assistive technology opens and deletes a rule as a click on its row and on its trash
    // button do.
    auto *actions = new ItemActions(m_list);
    actions->add(QAccessibleActionInterface::pressAction(),
                 [this](const QModelIndex &index) { requestEdit(index); });
    actions->add(ItemActions::deleteAction(), [this](const QModelIndex &index) { requestDeletion(index); });
    rows->addWidget(m_list);
    rows->addWidget(m_empty);
    column->addWidget(card, 1);

    connect(m_add, &QPushButton::clicked, this, &RecurringRulesView::startNew);
    connect(delegate, &RecurringRuleDelegate::ruleClicked, this, &RecurringRulesView::requestEdit);
    connect(delegate, &RecurringRuleDelegate::trashClicked, this, &RecurringRulesView::requestDeletion);
    connect(m_list, &QListView::activated, this, &RecurringRulesView::requestEdit);
    connect(m_rows, &QAbstractItemModel::modelReset, this, &RecurringRulesView::refresh);
    refresh();
}

void RecurringRulesView::refresh()
{
    const bool empty = m_rows->rowCount() == 0;
    m_list->setVisible(!empty);
    m_empty->setVisible(empty);
}

void RecurringRulesView::startNew()
{
    if (m_form && m_form->isVisible())
        return;
    m_form = new RecurringRuleFormView(
        m_store, std::make_unique<RecurringRuleFormModel>(Clock::now().toLocalTime().date()), this);
    Sheets::open(m_form, {});
}

void RecurringRulesView::requestEdit(const QModelIndex &index)
{
    const RecurringRule *rule = m_rows->ruleAt(index);
    if (!rule || (m_form && m_form->isVisible()))
        return;
    m_form = new RecurringRuleFormView(m_store, std::make_unique<RecurringRuleFormModel>(*rule), this);
    Sheets::open(m_form, {});
}

void RecurringRulesView::requestDeletion(const QModelIndex &index)
{
    const RecurringRule *rule = m_rows->ruleAt(index);
    if (!rule || (m_confirmation && m_confirmation->isVisible()))
        return;
    const QUuid id = rule->id;
    m_confirmation =
        Sheets::confirm(this, RecurringRuleListModel::deleteTitle(),
                        RecurringRuleListModel::deleteMessage(*rule), u"删除"_s, [this, id](bool confirmed) {
                            if (confirmed)
                                m_rows->removeRule(id);
                        });
    Sheets::open(m_confirmation, {});
}

bool RecurringRulesView::eventFilter(QObject *watched, QEvent *event)
{
    // Delete on the chosen row asks, as its trash button does.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && m_list->currentIndex().isValid()) {
            requestDeletion(m_list->currentIndex());
            return true;
        }
    }
    return Sheet::eventFilter(watched, event);
}
