// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingsModel.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class ExportDestination;
class ModelStore;
class QDialog;
class QPushButton;
class ReminderManager;
class ToggleSwitch;

// The settings workspace: the bills export, the daily reminder switch, a privacy note and
// the program's name and version, in three sections.
class SettingsView final : public QWidget {
    Q_OBJECT

public:
    // On the program's shared reminder and the desktop's save dialog and file viewer.
    explicit SettingsView(ModelStore &store, QWidget *parent = nullptr);
    SettingsView(ModelStore &store, ReminderManager &reminder, std::unique_ptr<ExportDestination> destination,
                 QWidget *parent = nullptr);
    ~SettingsView() override;

    SettingsModel &model() { return m_model; }
    QPushButton *exportButton() const { return m_export; }
    ToggleSwitch *reminderSwitch() const { return m_switch; }
    // The failure alert while it is shown.
    QDialog *failureAlert() const { return m_alert; }

    // Asks where to save the workbook, writes it there and shows it.
    void runExport();

private:
    QWidget *dataSection(QWidget *parent);
    QWidget *reminderSection(QWidget *parent);
    QWidget *aboutSection(QWidget *parent);
    QDialog *makeFailureAlert();

    SettingsModel m_model;
    std::unique_ptr<ExportDestination> m_destination;
    QPushButton *m_export = nullptr;
    ToggleSwitch *m_switch = nullptr;
    QPointer<QDialog> m_alert;
};
