// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// One shared copy of each text read often: categories, kinds and everyday notes repeat over
// years of books, and a text held once costs one allocation instead of one per record. The
// pool keeps at most `capacity` distinct texts; past that, texts are decoded one by one.
class TextPool {
public:
    explicit TextPool(int capacity = 4096);

    // The UTF-8 bytes as text, as QString::fromUtf8 gives them; a null view gives a null text.
    QString text(QByteArrayView utf8);

    int size() const { return m_size; }

private:
    struct Slot {
        size_t hash = 0;
        QByteArray bytes;
        QString text;
    };
    std::vector<Slot> m_slots; // open addressing, never more than half full
    int m_size = 0;
    int m_capacity;
};
