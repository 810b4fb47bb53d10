#pragma once

#include <QObject>
#include <QString>

#include <optional>

class ModelStore;
class ReminderManager;

// The settings screen without widgets: the export of every entry and its safe copy to the
// place the user chose, the last export failure (shown as an alert while set), and the
// reminder switch, which mirrors the shared reminder manager.
class SettingsModel final : public QObject {
    Q_OBJECT

public:
    SettingsModel(ModelStore &store, ReminderManager &reminder, QObject *parent = nullptr);

    // Writes the workbook of all entries into the temporary folder and returns its path; on
    // failure sets the export error and returns nullopt.
    std::optional<QString> exportWorkbook();
    // Puts a copy of the workbook at the destination. The copy is written beside it and
    // renamed over it, so an existing file there stays intact until the new one is whole;
    // on failure the export error is set and false returned.
    bool saveCopy(const QString &workbook, const QString &destination);

    std::optional<QString> exportError() const { return m_exportError; }
    // The alert was closed.
    void clearExportError();

    bool reminderEnabled() const;
    void setReminderEnabled(bool enabled);

Q_SIGNALS:
    void exportErrorChanged();
    void reminderEnabledChanged(bool enabled);

private:
    void fail(const QString &message);

    ModelStore &m_store;
    ReminderManager &m_reminder;
    std::optional<QString> m_exportError;
};
