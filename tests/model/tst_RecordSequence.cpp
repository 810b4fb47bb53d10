// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "model/RecordRange.h"
#include "model/RecordSequence.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Sequence = RecordSequence<std::string>;
constexpr std::size_t capacity = Sequence::blockCapacity;

static_assert(std::random_access_iterator<Sequence::const_iterator>);

// Long enough to live on the heap, so that a record read after being moved from shows up
// as an empty text rather than as a stale copy.
std::string record(int n)
{
    return "record number " + std::to_string(n) + " kept in order";
}

} // namespace

class RecordSequenceTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void followsVector_data();
    void followsVector();
};

void RecordSequenceTest::followsVector_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("operations");
    // Weights of insert, batch insert, erase, batch erase and move.
    QTest::addColumn<QList<int>>("weights");

    QTest::newRow("empty, mostly inserts") << 1u << 0 << 1500 << QList<int>{8, 1, 2, 0, 2};
    QTest::newRow("one full block") << 2u << int(capacity) << 400 << QList<int>{3, 1, 3, 1, 3};
    QTest::newRow("many blocks, drained") << 3u << int(5 * capacity + 3) << 250 << QList<int>{1, 0, 2, 6, 1};
    QTest::newRow("many blocks, batches") << 4u << int(3 * capacity - 1) << 150 << QList<int>{1, 6, 1, 3, 2};
}

// Random changes, half of them at block edges, applied to the sequence and to a vector: the
// two hold the same records in the same order after each, reached by index, by iterator
// steps either way and by iterator jumps, and the blocks do not multiply.
void RecordSequenceTest::followsVector()
{
    QFETCH(quint32, seed);
    QFETCH(int, initial);
    QFETCH(int, operations);
    QFETCH(QList<int>, weights);

    QRandomGenerator random(seed);
    int made = 0;
    std::vector<std::string> model;
    for (int i = 0; i < initial; ++i)
        model.push_back(record(made++));
    Sequence sequence(model);

    // A place in [0, size + extra): often the first or last place of a block.
    const auto place = [&](std::size_t size) -> std::size_t {
        if (size == 0)
            return 0;
        if (random.bounded(2) == 0) {
            const std::size_t edge = random.bounded(quint32(size / capacity + 1)) * capacity;
            const std::size_t near = edge + random.bounded(3);
            return std::min(near > 0 ? near - 1 : 0, size - 1);
        }
        return random.bounded(quint32(size));
    };
    const auto placesIn = [&](std::size_t size, int count) {
        std::vector<std::size_t> places;
        for (int i = 0; i < count; ++i)
            places.push_back(random.bounded(2) ? place(size) : std::min(size, place(size) + 1));
        std::sort(places.begin(), places.end());
        return places;
    };

    int total = 0;
    for (const int w : weights)
        total += w;
    for (int step = 0; step < operations; ++step) {
        int pick = int(random.bounded(quint32(total)));
        int op = 0;
        while (pick >= weights[op])
            pick -= weights[op++];
        const std::size_t size = model.size();
        if (op == 0 || (size == 0 && op != 1)) {
            const std::size_t at = random.bounded(4) == 0 ? size : std::min(size, place(size));
            model.insert(model.begin() + std::ptrdiff_t(at), record(made));
            sequence.insert(at, record(made++));
        } else if (op == 1) {
            const int count = 1 + int(random.bounded(random.bounded(2) ? 5u : quint32(2 * capacity)));
            const std::vector<std::size_t> places = placesIn(size, count);
            std::vector<std::string> records;
            std::vector<std::string> merged;
            std::size_t next = 0;
            for (std::size_t i = 0; i <= size; ++i) {
                for (; next < places.size() && places[next] == i; ++next) {
                    records.push_back(record(made));
                    merged.push_back(record(made++));
                }
                if (i < size)
                    merged.push_back(model[i]);
            }
            model = std::move(merged);
            sequence.insert(places, std::move(records));
        } else if (op == 2 || op == 3) {
            std::vector<std::size_t> places =
                placesIn(size - 1, op == 2 ? 1 : 1 + int(random.bounded(quint32(2 * capacity))));
            places.erase(std::unique(places.begin(), places.end()), places.end());
            for (auto it = places.rbegin(); it != places.rend(); ++it)
                model.erase(model.begin() + std::ptrdiff_t(*it));
            sequence.erase(places);
        } else {
            const std::size_t from = place(size);
            const std::size_t to =
                random.bounded(3) == 0 ? std::min(size - 1, from + random.bounded(3)) : place(size);
            std::string moved = model[from];
            model.erase(model.begin() + std::ptrdiff_t(from));
            model.insert(model.begin() + std::ptrdiff_t(to), moved);
            sequence.move(from, to);
        }

        QCOMPARE(sequence.size(), model.size());
        QVERIFY2(
            sequence.blockCount() <= 1 + 8 * model.size() / capacity,
            qPrintable(QString(u"%1 blocks for %2 records"_s).arg(sequence.blockCount()).arg(model.size())));
        QVERIFY(std::equal(sequence.begin(), sequence.end(), model.begin(), model.end()));
        if (model.empty())
            continue;
        const std::size_t i = random.bounded(quint32(model.size()));
        const std::size_t j = random.bounded(quint32(model.size()));
        QCOMPARE(sequence[i], model[i]);
        const auto at = sequence.begin() + std::ptrdiff_t(i);
        const auto jumped = at + (std::ptrdiff_t(j) - std::ptrdiff_t(i));
        QCOMPARE(*jumped, model[j]);
        QCOMPARE(jumped - sequence.begin(), std::ptrdiff_t(j));
        QCOMPARE(jumped == sequence.iteratorAt(j), true);
        QCOMPARE(i < j, at < jumped);
        const RecordRange<std::string> run =
            RecordRange<std::string>(sequence).subrange(std::min(i, j), 2 * capacity);
        QCOMPARE(run.size(), std::min(2 * capacity, model.size() - std::min(i, j)));
        QCOMPARE(run.back(), model[std::min(i, j) + run.size() - 1]);
        if (step % 50 == 0)
            QVERIFY(std::equal(std::make_reverse_iterator(sequence.end()),
                               std::make_reverse_iterator(sequence.begin()), model.rbegin(), model.rend()));
    }
}

PENNYLOOM_TEST(RecordSequenceTest)

#include "tst_RecordSequence.moc"
