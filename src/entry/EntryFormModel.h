// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EntryKind.h"
#include "model/LedgerEntry.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

#include <optional>

class ModelStore;

// The editable fields of the add and edit forms. A new form starts empty (expense, "餐饮",
// dated now); an edit form starts from its entry, with the amount written "%.2f" and the
// stored category kept until the user switches the kind.
class EntryFormModel final : public QObject {
    Q_OBJECT

public:
    // A form for a new entry.
    explicit EntryFormModel(QObject *parent = nullptr);
    // A form that edits this stored entry.
    explicit EntryFormModel(const LedgerEntry &entry, QObject *parent = nullptr);

    bool isEditing() const { return m_entry.has_value(); }

    EntryKind kind() const { return m_kind; }
    // A change of kind selects the first category of the new kind's list.
    void setKind(EntryKind kind);
    QString amount() const { return m_amount; }
    void setAmount(const QString &amount);
    QString category() const { return m_category; }
    void setCategory(const QString &category);
    QDateTime date() const { return m_date; }
    void setDate(const QDateTime &date);
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setDay(QDate day);
    QString note() const { return m_note; }
    void setNote(const QString &note);

    // The category list of the current kind.
    const QStringList &categories() const;
    // The amount text converts strictly to an amount in range, the date lies in the years
    // 1–9999 and the note within the length limit.
    bool canSave() const;
    // Inserts the new entry, or writes the fields into the edited one. False, with nothing
    // stored, when the amount is not valid or the store refused the change.
    bool save(ModelStore &store);

Q_SIGNALS:
    void changed();

private:
    std::optional<LedgerEntry> m_entry;
    EntryKind m_kind = EntryKind::expense;
    QString m_amount;
    QString m_category;
    QDateTime m_date;
    QString m_note;
};
