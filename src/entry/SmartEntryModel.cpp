// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmartEntryModel.h"

#include "NaturalLedgerParser.h"
#include "model/Clock.h"
#include "model/Money.h"
#include "store/ModelStore.h"

#include <QSignalBlocker>

using namespace Qt::StringLiterals;

SmartEntryModel::SmartEntryModel(QObject *parent) : QObject(parent)
{
    connect(&m_draft, &EntryFormModel::changed, this, &SmartEntryModel::changed);
}

void SmartEntryModel::setSentence(const QString &sentence)
{
    if (sentence == m_sentence)
        return;
    m_sentence = sentence;
    Q_EMIT changed();
}

SmartEntryModel::Area SmartEntryModel::area() const
{
    if (m_parsed)
        return Area::draftCard;
    return m_sentence.isEmpty() ? Area::nothing : Area::emptyState;
}

bool SmartEntryModel::canRecognize() const
{
    return !m_sentence.trimmed().isEmpty();
}

bool SmartEntryModel::canConfirm() const
{
    return m_draft.canSave();
}

void SmartEntryModel::setBooks(const ModelStore *store)
{
    m_books = store;
    m_memoryMade = false;
}

void SmartEntryModel::recognize()
{
    NaturalLedgerParser::CategoryHint hint;
    if (m_books) {
        const quint64 entries = m_books->changeCount<LedgerEntry>();
        if (!m_memoryMade || entries != m_memoryEntries || m_books->categoryRules() != m_memoryRules) {
            m_memory = CategoryMemory::of(*m_books);
            m_memoryEntries = entries;
            m_memoryRules = m_books->categoryRules();
            m_memoryMade = true;
        }
        hint = [this](const QString &note, EntryKind kind) { return m_memory.categoryFor(note, kind); };
    }
    m_parsed = NaturalLedgerParser::parse(m_sentence, hint);
    if (m_parsed) {
        const QSignalBlocker quiet(m_draft);
        // The kind first: its change selects its first category, which the recognised
        // category then replaces.
        m_draft.setKind(m_parsed->kind);
        m_draft.setAmount(Money::decimal(m_parsed->amount));
        m_draft.setCategory(m_parsed->category);
        m_draft.setNote(m_parsed->note);
    }
    Q_EMIT changed();
}

bool SmartEntryModel::confirm(ModelStore &store)
{
    m_draft.setDate(Clock::now());
    return m_draft.save(store);
}
