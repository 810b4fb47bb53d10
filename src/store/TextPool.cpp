// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextPool.h"

#include <bit>

TextPool::TextPool(int capacity)
    : m_slots(std::bit_ceil(static_cast<size_t>(capacity) * 2)), m_capacity(capacity)
{
}

QString TextPool::text(QByteArrayView utf8)
{
    if (utf8.isNull())
        return {};
    if (utf8.isEmpty())
        return QString::fromUtf8(utf8);
    // FNV-1a: the texts are short, and a keyed hash would cost more than the whole lookup.
    size_t hash = 14695981039346656037ULL;
    for (const char c : utf8)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (slot.bytes.isNull()) {
            QString text = QString::fromUtf8(utf8);
            if (m_size == m_capacity)
                return text;
            slot.hash = hash;
            slot.bytes = utf8.toByteArray();
            slot.text = text;
            ++m_size;
            return text;
        }
        if (slot.hash == hash && slot.bytes == utf8)
            return slot.text;
    }
}
