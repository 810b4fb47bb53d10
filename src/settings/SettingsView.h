// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportSheet.h"
#include "SettingsModel.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class ExportDestination;
class ImportFileChooser;
class ModelStore;
class QDialog;
class QPushButton;
class QVBoxLayout;
class ReminderManager;
class ToggleSwitch;

// The settings workspace: the bills export and import, the category rules, the daily reminder
// switch, a privacy note and the program's name and version, in four sections.
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
    QPushButton *importButton() const { return m_import; }
    // The import sheet while it is open.
    ImportSheet *importSheet() const { return m_importSheet; }
    // Where 「导入账单…」 asks for the file; tests answer it themselves.
    void setImportChooser(std::unique_ptr<ImportFileChooser> chooser);
    ToggleSwitch *reminderSwitch() const { return m_switch; }
    ToggleSwitch *budgetNoticeSwitch() const { return m_budgetSwitch; }
    // The category rules' rows: one per rule, each with its 删除 button.
    QWidget *rulesList() const { return m_rulesList; }
    // The failure alert while it is shown.
    QDialog *failureAlert() const { return m_alert; }

    // Asks where to save the workbook, writes it there and shows it.
    void runExport();
    // Asks which file to import and opens the import sheet on it.
    void runImport();

private:
    QWidget *dataSection(QWidget *parent);
    QWidget *reminderSection(QWidget *parent);
    QWidget *aboutSection(QWidget *parent);
    QWidget *rulesSection(QWidget *parent);
    void showRules();
    QDialog *makeFailureAlert();

    SettingsModel m_model;
    ModelStore &m_store;
    std::unique_ptr<ExportDestination> m_destination;
    std::unique_ptr<ImportFileChooser> m_importChooser;
    QPushButton *m_export = nullptr;
    QPushButton *m_import = nullptr;
    QPointer<ImportSheet> m_importSheet;
    ToggleSwitch *m_switch = nullptr;
    ToggleSwitch *m_budgetSwitch = nullptr;
    QPointer<QDialog> m_alert;
    QWidget *m_rulesList = nullptr;
    QVBoxLayout *m_rulesRows = nullptr;
};
