// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsModel.h"

#include "export/XLSXExporter.h"
#include "model/Clock.h"
#include "reminder/BudgetNotices.h"
#include "reminder/ReminderManager.h"
#include "store/ModelStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

SettingsModel::SettingsModel(ModelStore &store, ReminderManager &reminder, QObject *parent)
    : QObject(parent), m_store(store), m_reminder(reminder)
{
    connect(&m_reminder, &ReminderManager::enabledChanged, this, &SettingsModel::reminderEnabledChanged);
    connect(&m_store, &ModelStore::categoryRulesChanged, this, &SettingsModel::categoryRulesChanged);
}

const std::vector<CategoryRule> &SettingsModel::categoryRules() const
{
    return m_store.categoryRules();
}

QString SettingsModel::ruleText(const CategoryRule &rule)
{
    return u"%1 · %2 → %3"_s.arg(rule.counterparty, rule.kindRaw, rule.category);
}

bool SettingsModel::removeCategoryRule(const CategoryRule &rule)
{
    return m_store.removeCategoryRule(rule.counterparty, rule.kindRaw);
}

QString SettingsModel::proposedDestination() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(QFileInfo(folder).absoluteFilePath()).filePath(XLSXExporter::fileName(Clock::now()));
}

bool SettingsModel::exportTo(const QString &destination)
{
    QString error;
    // The name proposed, taken as it was, is one of our making: a link found there is not
    // followed. A name the person typed or picked is theirs, link or not.
    const bool proposed = QFileInfo(destination).absoluteFilePath() == proposedDestination();
    if (XLSXExporter::exportTo(m_store.entries(), destination, &error,
                               proposed ? WorkbookFile::Links::refuse : WorkbookFile::Links::follow))
        return true;
    fail(error);
    return false;
}

void SettingsModel::fail(const QString &message)
{
    m_exportError = message;
    Q_EMIT exportErrorChanged();
}

void SettingsModel::clearExportError()
{
    if (!m_exportError)
        return;
    m_exportError.reset();
    Q_EMIT exportErrorChanged();
}

bool SettingsModel::reminderEnabled() const
{
    return m_reminder.enabled();
}

void SettingsModel::setReminderEnabled(bool enabled)
{
    m_reminder.setEnabled(enabled);
}

bool SettingsModel::budgetNoticesEnabled() const
{
    return BudgetNotices::enabled(BudgetNotices::userSettings());
}

void SettingsModel::setBudgetNoticesEnabled(bool enabled)
{
    BudgetNotices::setEnabled(BudgetNotices::userSettings(), enabled);
}
