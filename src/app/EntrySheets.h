// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>

class ContentModel;
class ModelStore;
class QWidget;
struct LedgerEntry;

// The entry forms over the window: 记一笔, smart entry, the edit form of one entry, and over
// that the recurring rule 「设为周期账单」 makes from the entry. They open only here, whichever
// screen asks, so each form has one owner and is open at most once; the first three are open
// exactly while the window's model says so.
class EntrySheets final : public QObject {
    Q_OBJECT

public:
    EntrySheets(ModelStore &store, ContentModel &model, QWidget *window);

    QDialog *addSheet() const { return m_add; }
    QDialog *smartEntrySheet() const { return m_smart; }
    QDialog *editSheet() const { return m_edit; }
    QDialog *ruleSheet() const { return m_rule; }

private:
    void followAdd(bool showing);
    void followSmartEntry(bool showing);
    void followEdit();
    void openRuleForm(QWidget *over, const LedgerEntry &entry);

    ModelStore &m_store;
    ContentModel &m_model;
    QWidget *m_window;
    QPointer<QDialog> m_add;
    QPointer<QDialog> m_smart;
    QPointer<QDialog> m_edit;
    QPointer<QDialog> m_rule;
};
