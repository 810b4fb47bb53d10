#pragma once

#include "ParsedLedgerEntry.h"
#include "model/EntryKind.h"

#include <QObject>
#include <QStringList>

#include <optional>

class ModelStore;

// The smart entry sheet's state: the typed sentence, the last recognition and the editable
// draft that recognition fills.
class SmartEntryModel final : public QObject {
    Q_OBJECT

public:
    // What the sheet shows below the sentence row.
    enum class Area { nothing, emptyState, draftCard };

    explicit SmartEntryModel(QObject *parent = nullptr);

    QString sentence() const { return m_sentence; }
    void setSentence(const QString &sentence);
    const std::optional<ParsedLedgerEntry> &parsed() const { return m_parsed; }

    EntryKind draftKind() const { return m_draftKind; }
    // A change of kind selects the first category of the new kind's list.
    void setDraftKind(EntryKind kind);
    QString draftAmount() const { return m_draftAmount; }
    void setDraftAmount(const QString &amount);
    QString draftCategory() const { return m_draftCategory; }
    void setDraftCategory(const QString &category);
    QString draftNote() const { return m_draftNote; }
    void setDraftNote(const QString &note);
    const QStringList &draftCategories() const;

    Area area() const;
    // "识别" is offered once the sentence holds more than blanks.
    bool canRecognize() const;
    bool canConfirm() const;

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
    EntryKind m_draftKind = EntryKind::expense;
    QString m_draftAmount;
    QString m_draftCategory;
    QString m_draftNote;
};
