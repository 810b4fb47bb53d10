// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/CategoryRule.h"

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class ModelStore;
class ReminderManager;

// The settings screen without widgets: the export of every entry to the place the user chose, the last export
// failure (shown as an alert while set), the reminder switch, which mirrors the shared reminder manager, and
// the budget notices' switch, kept in the same user settings.
class SettingsModel final : public QObject {
    Q_OBJECT

public:
    SettingsModel(ModelStore &store, ReminderManager &reminder, QObject *parent = nullptr);

    // Where the save dialog proposes to put the workbook: the month's file name in the user's
    // documents folder, or in the home folder when there is none. An absolute path in a folder
    // that exists, which the dialog shows as it is.
    QString proposedDestination() const;
    // Writes the workbook of all entries to the destination the user chose; a link there is
    // followed unless the destination is the proposed one, taken as it was. Nothing is written
    // anywhere else: the workbook goes to a new file beside the destination and replaces it
    // only once whole, so an older file there stays intact on failure; on failure the export
    // error is set and false returned.
    bool exportTo(const QString &destination);

    std::optional<QString> exportError() const { return m_exportError; }
    // The alert was closed.
    void clearExportError();

    bool reminderEnabled() const;
    void setReminderEnabled(bool enabled);
    // 预算提醒: a desktop notice when an entry takes a current budget past 80 % or 100 %.
    bool budgetNoticesEnabled() const;
    void setBudgetNoticesEnabled(bool enabled);

    // The category rules made so far (以后 <交易对方或备注> 都记为 <分类>), by merchant and kind;
    // removing one leaves the entries it filed as they are.
    const std::vector<CategoryRule> &categoryRules() const;
    // 「<merchant>」 · 支出 → 餐饮, as the list shows and reads a rule.
    static QString ruleText(const CategoryRule &rule);
    bool removeCategoryRule(const CategoryRule &rule);

Q_SIGNALS:
    void categoryRulesChanged();
    void exportErrorChanged();
    void reminderEnabledChanged(bool enabled);

private:
    void fail(const QString &message);

    ModelStore &m_store;
    ReminderManager &m_reminder;
    std::optional<QString> m_exportError;
};
