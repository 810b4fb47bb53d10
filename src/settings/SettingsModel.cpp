#include "SettingsModel.h"

#include "export/XLSXExporter.h"
#include "reminder/ReminderManager.h"
#include "store/ModelStore.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

SettingsModel::SettingsModel(ModelStore &store, ReminderManager &reminder, QObject *parent)
    : QObject(parent), m_store(store), m_reminder(reminder)
{
    connect(&m_reminder, &ReminderManager::enabledChanged, this, &SettingsModel::reminderEnabledChanged);
}

std::optional<QString> SettingsModel::exportWorkbook()
{
    QString error;
    std::optional<QString> path = XLSXExporter::exportEntries(m_store.entries(), &error);
    if (!path)
        fail(error);
    return path;
}

bool SettingsModel::saveCopy(const QString &workbook, const QString &destination)
{
    QFile source(workbook);
    if (!source.open(QIODevice::ReadOnly)) {
        fail(u"无法读取 %1：%2"_s.arg(QDir::toNativeSeparators(workbook), source.errorString()));
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (bytes.size() != source.size()) {
        fail(u"无法读取 %1：%2"_s.arg(QDir::toNativeSeparators(workbook), source.errorString()));
        return false;
    }
    QString error;
    if (!XLSXExporter::writeAtomically(destination, bytes, &error)) {
        fail(error);
        return false;
    }
    return true;
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
