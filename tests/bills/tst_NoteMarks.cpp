// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "bills/NoteMarks.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

class NoteMarksTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Stretches of every start and length over a text of a few words, against a plain loop:
    // the edges of the eight-unit steps and of the 64-bit words are where the marks go wrong.
    void matchesALoop()
    {
        QRandomGenerator random(20261208);
        for (const std::size_t size : {0, 1, 7, 8, 9, 63, 64, 65, 200}) {
            std::vector<char16_t> text(size);
            for (char16_t &unit : text)
                unit = random.bounded(4) == 0 ? u'午' : static_cast<char16_t>(u'a' + random.bounded(3));
            const NoteMarks marks(text.data(), text.size(), u'午');
            for (std::size_t start = 0; start <= size; ++start) {
                for (std::size_t count = 0; start + count <= size; ++count) {
                    std::vector<std::size_t> expected;
                    for (std::size_t at = start; at < start + count; ++at) {
                        if (text[at] == u'午')
                            expected.push_back(at);
                    }
                    QCOMPARE(marks.any(start, count), !expected.empty());
                    std::vector<std::size_t> seen;
                    QVERIFY(!marks.anyOf(start, count, [&](std::size_t at) {
                        seen.push_back(at);
                        return false;
                    }));
                    QCOMPARE(seen, expected);
                }
            }
        }
    }
};

PENNYLOOM_TEST(NoteMarksTest)
#include "tst_NoteMarks.moc"
