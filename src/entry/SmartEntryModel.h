// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryFormModel.h"
#include "ParsedLedgerEntry.h"
#include "store/CategoryMemory.h"

#include <QObject>
#include <QStringList>

#include <optional>

class ModelStore;

// The smart entry sheet's state: the typed sentence, the last recognition and the editable
// draft that recognition fills. The draft has the fields and rules of the add form; its
// date is ignored, since a confirmed draft is dated at the moment of confirming.
class SmartEntryModel final : public QObject {
    Q_OBJECT

public:
    // What the sheet shows below the sentence row.
    enum class Area { nothing, emptyState, draftCard };

    explicit SmartEntryModel(QObject *parent = nullptr);

    QString sentence() const { return m_sentence; }
    void setSentence(const QString &sentence);
    const std::optional<ParsedLedgerEntry> &parsed() const { return m_parsed; }

    EntryFormModel &draft() { return m_draft; }
    const EntryFormModel &draft() const { return m_draft; }

    Area area() const;
    // "识别" is offered once the sentence holds more than blanks.
    bool canRecognize() const;
    bool canConfirm() const;

    // The books whose entries and rules steer the recognised category; none by default.
    void setBooks(const ModelStore *store);

    // Runs the parser on the sentence. A result fills all four draft fields; no result clears
    // the recognition and leaves the draft as it was.
    void recognize();
    // Stores the draft as a new entry dated now. False, with nothing stored, when the amount
    // is not valid or the store refused it.
    bool confirm(ModelStore &store);

Q_SIGNALS:
    void changed();

private:
    QString m_sentence;
    std::optional<ParsedLedgerEntry> m_parsed;
    EntryFormModel m_draft;
    const ModelStore *m_books = nullptr;
    // What the books taught, kept while their entries and rules stay as they were.
    CategoryMemory m_memory;
    quint64 m_memoryEntries = 0;
    std::vector<CategoryRule> m_memoryRules;
    bool m_memoryMade = false;
};
