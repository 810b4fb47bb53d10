#include "SmartEntryModel.h"

#include "NaturalLedgerParser.h"
#include "model/AmountText.h"
#include "model/LedgerCategories.h"
#include "model/LedgerEntry.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

SmartEntryModel::SmartEntryModel(QObject *parent) : QObject(parent), m_draftCategory(u"餐饮"_s) {}

void SmartEntryModel::setSentence(const QString &sentence)
{
    if (sentence == m_sentence)
        return;
    m_sentence = sentence;
    Q_EMIT changed();
}

void SmartEntryModel::setDraftKind(EntryKind kind)
{
    if (kind == m_draftKind)
        return;
    m_draftKind = kind;
    m_draftCategory = LedgerCategories::firstFor(kind);
    Q_EMIT changed();
}

void SmartEntryModel::setDraftAmount(const QString &amount)
{
    if (amount == m_draftAmount)
        return;
    m_draftAmount = amount;
    Q_EMIT changed();
}

void SmartEntryModel::setDraftCategory(const QString &category)
{
    if (category == m_draftCategory)
        return;
    m_draftCategory = category;
    Q_EMIT changed();
}

void SmartEntryModel::setDraftNote(const QString &note)
{
    if (note == m_draftNote)
        return;
    m_draftNote = note;
    Q_EMIT changed();
}

const QStringList &SmartEntryModel::draftCategories() const
{
    return LedgerCategories::forKind(m_draftKind);
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
    return AmountText::positive(m_draftAmount).has_value();
}

void SmartEntryModel::recognize()
{
    m_parsed = NaturalLedgerParser::parse(m_sentence);
    if (m_parsed) {
        // The recognised category is kept even though the kind changes with it.
        m_draftKind = m_parsed->kind;
        m_draftAmount = AmountText::field(m_parsed->amount);
        m_draftCategory = m_parsed->category;
        m_draftNote = m_parsed->note;
    }
    Q_EMIT changed();
}

bool SmartEntryModel::confirm(ModelStore &store)
{
    const std::optional<double> amount = AmountText::positive(m_draftAmount);
    if (!amount)
        return false;
    return store.insert(LedgerEntry(*amount, m_draftKind, m_draftCategory, m_draftNote));
}
