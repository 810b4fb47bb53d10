// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringRuleListModel.h"

#include "model/Clock.h"
#include "model/EntryText.h"
#include "model/Money.h"
#include "model/RecurringRule.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

namespace {

QString title(const RecurringRule &rule)
{
    return rule.note.isEmpty() ? rule.category : rule.category + u" · "_s + rule.note;
}

QString amountText(const RecurringRule &rule)
{
    LedgerEntry entry;
    entry.amount = rule.amount;
    entry.kindRaw = rule.kindRaw;
    return EntryText::amount(entry);
}

} // namespace

RecurringRuleListModel::RecurringRuleListModel(ModelStore &store, QObject *parent)
    : QAbstractListModel(parent), m_store(store), m_rows(int(store.recurringRules().size()))
{
    connect(&m_store, &ModelStore::recurringRulesChanged, this, [this] {
        beginResetModel();
        m_rows = int(m_store.recurringRules().size());
        endResetModel();
    });
}

int RecurringRuleListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

const RecurringRule *RecurringRuleListModel::ruleAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_rows ||
        size_t(index.row()) >= m_store.recurringRules().size())
        return nullptr;
    return &m_store.recurringRules().at(size_t(index.row()));
}

bool RecurringRuleListModel::removeRule(const QUuid &id)
{
    return m_store.removeRecurringRule(id);
}

QVariant RecurringRuleListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const RecurringRule *rule = ruleAt(index);
    if (!rule)
        return {};
    const auto schedule = [rule] {
        return rule->describe() + u" · "_s + rule->nextText(Clock::now().toLocalTime().date());
    };
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return u"%1，%2 %3，%4"_s.arg(title(*rule), rule->kindRaw, Money::text(rule->amount), schedule());
    case TitleRole:
        return title(*rule);
    case ScheduleRole:
        return schedule();
    case AmountTextRole:
        return amountText(*rule);
    case IncomeRole:
        return rule->kindRaw == EntryKinds::rawText(EntryKind::income);
    case CategoryRole:
        return rule->category;
    case RuleIdRole:
        return rule->id;
    default:
        return {};
    }
}

Qt::ItemFlags RecurringRuleListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QString RecurringRuleListModel::deleteTitle()
{
    return u"删除周期账单？"_s;
}

QString RecurringRuleListModel::deleteMessage(const RecurringRule &rule)
{
    return u"「%1」（%2）以后不再自动记账。已经记下的账单会保留。"_s.arg(title(rule), rule.describe());
}
