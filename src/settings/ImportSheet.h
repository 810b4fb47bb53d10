// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportSheetModel.h"
#include "ui/Sheet.h"

#include <QList>

class ImportRowsModel;
class ModelStore;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;
class QWidget;

// The import of one file: what was recognised, how many lines are new, seen before or left
// out and why, the column mapping of a table file, the lines to tick, and 「导入 N 笔」. A
// file that cannot be read says why, and nothing can be imported.
class ImportSheet final : public Sheet {
    Q_OBJECT

public:
    ImportSheet(ModelStore &store, const QString &path, QWidget *parent = nullptr);

    ImportSheetModel &model() { return m_model; }
    QTableView *table() const { return m_table; }
    // The mapping's choosers, in the order of mappingFields().
    const QList<QComboBox *> &columnChoosers() const { return m_choosers; }
    QPushButton *ruleButton() const { return m_rule; }
    QComboBox *dateOrderChooser() const { return m_dateOrder; }
    QComboBox *fileCategoryChooser() const { return m_fileCategory; }
    QComboBox *ourCategoryChooser() const { return m_ourCategory; }
    QLabel *errorLabel() const { return m_error; }
    QCheckBox *takeBeforeDamageBox() const { return m_takeBeforeDamage; }
    QLabel *damageLabel() const { return m_damage; }

private:
    QWidget *makeMappingBox();
    QWidget *makeDateOrderRow();
    QWidget *makeFileCategoryRow();
    void showFileChoices();
    void showFigures();
    void showTicks();
    void showRuleOffer();
    void fillChoosers();
    void confirm();

    ImportSheetModel m_model;
    ImportRowsModel *m_rows = nullptr;
    QLabel *m_source = nullptr;
    QLabel *m_counts = nullptr;
    QLabel *m_problems = nullptr;
    QLabel *m_error = nullptr;
    QLabel *m_damage = nullptr;
    QCheckBox *m_takeBeforeDamage = nullptr;
    QWidget *m_mapping = nullptr;
    QList<QComboBox *> m_choosers;
    QCheckBox *m_expensePositive = nullptr;
    QWidget *m_dateOrderRow = nullptr;
    QComboBox *m_dateOrder = nullptr;
    QWidget *m_fileCategoryRow = nullptr;
    QComboBox *m_fileCategory = nullptr;
    QComboBox *m_ourCategory = nullptr;
    QPushButton *m_rule = nullptr;
    QPushButton *m_dismissRule = nullptr;
    QTableView *m_table = nullptr;
};
