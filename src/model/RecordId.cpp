// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordId.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace RecordId {

QUuid fromParts(qint64 msecsSinceEpoch, quint64 randomHigh, quint64 randomLow)
{
    const quint64 ms = static_cast<quint64>(msecsSinceEpoch) & 0xffff'ffff'ffffULL;
    // 48 bits of time, version 7, 12 random bits; variant 10, 62 random bits.
    const quint64 high = ms << 16 | 0x7000 | (randomHigh & 0x0fff);
    const quint64 low = 0x8000'0000'0000'0000ULL | (randomLow & 0x3fff'ffff'ffff'ffffULL);
    return QUuid(static_cast<uint>(high >> 32), static_cast<ushort>(high >> 16), static_cast<ushort>(high),
                 static_cast<uchar>(low >> 56), static_cast<uchar>(low >> 48), static_cast<uchar>(low >> 40),
                 static_cast<uchar>(low >> 32), static_cast<uchar>(low >> 24), static_cast<uchar>(low >> 16),
                 static_cast<uchar>(low >> 8), static_cast<uchar>(low));
}

QUuid fresh()
{
    quint64 random[2];
    QRandomGenerator::system()->fillRange(random);
    return fromParts(QDateTime::currentMSecsSinceEpoch(), random[0], random[1]);
}

} // namespace RecordId
