// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LedgerEntry.h"
#include "model/RecordRange.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QUuid>

// The held entries by what makes an imported line without a transaction id look like one of
// them: the same local day, amount to the cent, kind and note. Built once for an import's
// preview; later changes of the store are not followed.
class PossibleDuplicates {
public:
    explicit PossibleDuplicates(RecordRange<LedgerEntry> held);

    // The id of a held entry the candidate looks like, or a null id.
    QUuid match(const LedgerEntry &candidate) const;

private:
    struct Key {
        qint64 day; // local, as a Julian day
        qint64 cents;
        bool income;
        QString note;
        friend bool operator==(const Key &, const Key &) = default;
        friend size_t qHash(const Key &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.day, key.cents, key.income, key.note);
        }
    };
    static Key keyOf(const LedgerEntry &entry);

    QHash<Key, QUuid> m_held;
};
