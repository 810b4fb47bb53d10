// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetNotices.h"

#include "model/Budget.h"
#include "model/BudgetRowFigures.h"
#include "model/Money.h"
#include "store/ModelStore.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

// A row and the period it belongs to: a budget's days can be moved, which starts a new period.
QString rowKey(const Budget &budget)
{
    return budget.id.toString(QUuid::WithoutBraces) + u'@' + budget.monthKey + u'@' +
           QString::number(budget.periodStart ? budget.periodStart->toMSecsSinceEpoch() : 0) + u'-' +
           QString::number(budget.periodEnd ? budget.periodEnd->toMSecsSinceEpoch() : 0);
}

int levelOf(const BudgetRowFigures &figures)
{
    switch (figures.percentTone()) {
    case BudgetTone::red:
        return 2;
    case BudgetTone::orange:
        return 1;
    case BudgetTone::indigo:
    case BudgetTone::secondary:
        break;
    }
    return 0;
}

QString sentKeyOf(const QString &row, int level)
{
    return row + (level == 2 ? u"#100"_s : u"#80"_s);
}

} // namespace

BudgetNotices::BudgetNotices(QSettings &settings, Send send) : m_settings(settings), m_send(std::move(send))
{
}

QSettings &BudgetNotices::userSettings()
{
    static QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Pennyloom"_s, u"Pennyloom"_s);
    return settings;
}

bool BudgetNotices::enabled(QSettings &settings)
{
    settings.sync();
    return settings.value(QLatin1StringView(enabledKey), false).toBool();
}

void BudgetNotices::setEnabled(QSettings &settings, bool enabled)
{
    settings.setValue(QLatin1StringView(enabledKey), enabled);
    settings.sync();
}

BudgetNotices::Levels BudgetNotices::levels(const ModelStore &store, const QDateTime &now)
{
    Levels levels;
    for (const Budget &budget : Budget::activeRecords(store.budgets(), now))
        levels.insert(rowKey(budget), levelOf(BudgetRowFigures::of(budget, store.entries())));
    return levels;
}

QStringList BudgetNotices::notice(const ModelStore &store, const Levels &before, const QDateTime &now)
{
    if (!enabled(m_settings))
        return {};
    // Another process may have sent one since this one last looked.
    const QStringList sent = m_settings.value(QLatin1StringView(sentKey)).toStringList();
    QStringList kept;
    QStringList texts;
    for (const Budget &budget : Budget::activeRecords(store.budgets(), now)) {
        const QString row = rowKey(budget);
        const BudgetRowFigures figures = BudgetRowFigures::of(budget, store.entries());
        const int level = levelOf(figures);
        // Only the rows in force are remembered, so the list never outgrows the budgets.
        for (int told = 1; told <= 2; ++told)
            if (sent.contains(sentKeyOf(row, told)))
                kept << sentKeyOf(row, told);
        if (level <= before.value(row, 0) || kept.contains(sentKeyOf(row, level)))
            continue;
        // Past 100 % makes the 80 % notice moot for the rest of the period.
        for (int told = 1; told <= level; ++told)
            if (!kept.contains(sentKeyOf(row, told)))
                kept << sentKeyOf(row, told);
        const QString text =
            level == 2 ? u"%1预算已超支 %2"_s.arg(budget.category, Money::text(-figures.remaining()))
                       : u"%1预算已用 %2%"_s.arg(budget.category, figures.percent());
        texts << text;
    }
    m_settings.setValue(QLatin1StringView(sentKey), kept);
    m_settings.sync();
    for (const QString &text : std::as_const(texts))
        m_send({u"budget-notice"_s, u"Pennyloom"_s, text, 0, 0});
    return texts;
}
