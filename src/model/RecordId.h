// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUuid>

// Ids of new records. The first 48 bits are the milliseconds of the system clock, the rest
// random (the layout of a version 7 UUID), so ids made together sort together: a batch of new
// records lands on a few neighbouring pages of the file's id index instead of dirtying pages
// all over it. 74 random bits keep ids made in the same millisecond apart.
namespace RecordId {
QUuid fresh();
// The same layout for a given millisecond and random words, for tests.
QUuid fromParts(qint64 msecsSinceEpoch, quint64 randomHigh, quint64 randomLow);
} // namespace RecordId
