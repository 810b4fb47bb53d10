// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SavingsDepositIndex.h"
#include "SavingsGoalFigures.h"
#include "model/RecordRange.h"
#include "model/SavingsGoal.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>
#include <vector>

class ModelStore;

// The savings workspace without its widgets: the goals with their sums, the add form's
// fields and which goal's detail is open. Sums come from the deposit index, which follows
// the store.
class SavingsModel final : public QObject {
    Q_OBJECT

public:
    explicit SavingsModel(ModelStore &store, QObject *parent = nullptr);

    ModelStore &store() const { return m_store; }
    const SavingsDepositIndex &index() const { return m_index; }
    // Every goal, newest first.
    RecordRange<SavingsGoal> goals() const;
    // The sum of the goal's deposits; 0 when it has none.
    double total(const QUuid &goalID) const { return m_index.total(goalID); }
    SavingsGoalFigures figures(const SavingsGoal &goal) const;

    // The add form, fresh each time it opens.
    bool showingAddGoal() const { return m_showingAddGoal; }
    void startAddGoal();
    void cancelAddGoal();
    QString name() const { return m_name; }
    void setName(const QString &name);
    QString target() const { return m_target; }
    void setTarget(const QString &target);
    QDateTime expectedDate() const { return m_expectedDate; }
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setExpectedDay(QDate day);
    // A name left after trimming, and a target that converts strictly to more than 0.
    bool canSaveGoal() const;
    // Inserts the goal and closes the form. False, with nothing stored, when the form is not
    // open, its fields are not valid, or the store refused the write (the form stays open).
    bool saveGoal();

    // The goal whose detail is open; it closes by itself when the goal leaves the store.
    std::optional<QUuid> selectedGoal() const { return m_selectedGoal; }
    void selectGoal(const QUuid &goalID);
    void closeGoal();

    // Six calendar months after now, or now when the calendar cannot add them.
    static QDateTime initialExpectedDate(const QDateTime &now);

Q_SIGNALS:
    // A goal was added or removed.
    void goalsChanged();
    // Some goal's deposits changed.
    void totalsChanged();
    void formChanged();
    void showingAddGoalChanged(bool showing);
    void selectedGoalChanged();

private:
    void goalsChangedInStore();
    void setShowingAddGoal(bool showing);

    ModelStore &m_store;
    SavingsDepositIndex m_index;

    bool m_showingAddGoal = false;
    QString m_name;
    QString m_target;
    QDateTime m_expectedDate;

    std::optional<QUuid> m_selectedGoal;
};
