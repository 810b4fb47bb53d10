// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "store/IdSet.h"
#include "store/LoadOrder.h"
#include "store/StoreSchema.h"
#include "store/TextPool.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <limits>
#include <numeric>
#include <set>

using namespace Qt::StringLiterals;

namespace {

// The definition the sort must match: newest key first, equal keys in their first order.
std::vector<quint32> byStableSort(const std::vector<qint64> &keys)
{
    std::vector<quint32> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return keys[a] > keys[b]; });
    return order;
}

} // namespace

// The pieces the store loads with: the sort of keys, the moving of records into place, the
// set of ids, the shared texts and the reading of ids from their bytes.
class LoadPiecesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newestFirst_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<qint64>("low");
        QTest::addColumn<qint64>("high");
        QTest::addColumn<int>("shape"); // 0 random, 1 ascending, 2 descending
        const qint64 tenYears = qint64(10) * 365 * 86400000;
        const qint64 now = 1'796'000'000'000;
        QTest::newRow("empty") << 0 << qint64(0) << qint64(0) << 0;
        QTest::newRow("one") << 1 << now << now << 0;
        QTest::newRow("ten years of instants") << 5000 << now - tenYears << now << 0;
        QTest::newRow("many ties") << 5000 << now << now + 20 << 0;
        QTest::newRow("all equal") << 300 << now << now << 0;
        QTest::newRow("before 1970") << 2000 << -tenYears << tenYears << 0;
        QTest::newRow("written in date order") << 5000 << now - tenYears << now << 1;
        QTest::newRow("already newest first") << 5000 << now - tenYears << now << 2;
        // Too wide to pack key and index into one number: the general sort takes over.
        QTest::newRow("whole range") << 3000 << std::numeric_limits<qint64>::min()
                                     << std::numeric_limits<qint64>::max() << 0;
    }

    void newestFirst()
    {
        QFETCH(int, count);
        QFETCH(qint64, low);
        QFETCH(qint64, high);
        QFETCH(int, shape);
        QRandomGenerator random(7);
        std::vector<qint64> keys(static_cast<size_t>(count));
        const quint64 span = quint64(high) - quint64(low);
        for (qint64 &key : keys) {
            const quint64 r = random.generate64();
            key = qint64(quint64(low) + (span == ~quint64(0) ? r : r % (span + 1)));
        }
        if (count > 1) {
            keys[0] = low;
            keys[1] = high;
        }
        if (shape == 1)
            std::sort(keys.begin(), keys.end());
        if (shape == 2)
            std::sort(keys.rbegin(), keys.rend());
        const std::vector<quint32> order = LoadOrder::newestFirst(keys);
        QVERIFY(order == byStableSort(keys));

        // Arranging in place gives what gathering into a new vector would.
        std::vector<QString> records;
        for (int i = 0; i < count; ++i)
            records.push_back(QString::number(i));
        std::vector<QString> gathered;
        for (quint32 from : order)
            gathered.push_back(records[from]);
        LoadOrder::arrange(records, order);
        QVERIFY(records == gathered);
    }

    // Random inserts and removals against a plain multiset of fingerprints.
    void idSetFollowsMultiset()
    {
        QRandomGenerator random(11);
        std::vector<QUuid> pool;
        for (int i = 0; i < 400; ++i)
            pool.push_back(QUuid::createUuidV5(QUuid(), QByteArray::number(i)));
        IdSet set;
        std::multiset<std::uint64_t> plain;
        QVERIFY(set.assign({}));
        for (int step = 0; step < 3000; ++step) {
            const QUuid &id = pool[random.bounded(int(pool.size()))];
            if (random.bounded(3) == 0) {
                std::vector<QUuid> gone{id, pool[random.bounded(int(pool.size()))]};
                set.erase(gone);
                for (const QUuid &g : gone)
                    if (auto it = plain.find(IdSet::fingerprint(g)); it != plain.end())
                        plain.erase(it);
            } else {
                set.insert(id);
                plain.insert(IdSet::fingerprint(id));
            }
            QCOMPARE(set.size(), plain.size());
            const QUuid &probe = pool[random.bounded(int(pool.size()))];
            QCOMPARE(set.mayContain(probe), plain.count(IdSet::fingerprint(probe)) > 0);
        }
        std::vector<std::uint64_t> twice{IdSet::fingerprint(pool[0]), IdSet::fingerprint(pool[1]),
                                         IdSet::fingerprint(pool[0])};
        QVERIFY(!set.assign(twice));
        QVERIFY(set.assign({IdSet::fingerprint(pool[0]), IdSet::fingerprint(pool[1])}));
        QVERIFY(set.mayContain(pool[1]));
        QVERIFY(!set.mayContain(pool[2]));
    }

    void pooledText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("category") << QByteArray("餐饮");
        QTest::newRow("mixed note") << QByteArray("网购 T恤 🧥");
        QTest::newRow("broken UTF-8") << QByteArray("\xe9\xa4\x41\xff");
        QTest::newRow("NUL inside") << QByteArray("a\0b", 3);
    }

    // Equal to decoding each text on its own, and one copy shared between equal texts.
    void pooledText()
    {
        QFETCH(QByteArray, bytes);
        TextPool pool(2);
        const QString first = pool.text(bytes);
        QCOMPARE(first, QString::fromUtf8(bytes));
        QCOMPARE(first.isNull(), false);
        const QString again = pool.text(QByteArray(bytes));
        QCOMPARE(again, first);
        if (!bytes.isEmpty())
            QCOMPARE(again.constData(), first.constData());
        // Past its capacity the pool still decodes every text right.
        for (const char *other : {"交通", "购物", "娱乐"})
            QCOMPARE(pool.text(QByteArrayView(other)), QString::fromUtf8(other));
        QVERIFY(pool.size() <= 2);
        QVERIFY(pool.text(QByteArrayView()).isNull());
    }

    void uuidFromBytes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("as written") << QByteArray("0b3c39f6-5b0a-4c5e-9d3e-2a7f2b1c9e10");
        QTest::newRow("upper case") << QByteArray("0B3C39F6-5B0A-4C5E-9D3E-2A7F2B1C9E10");
        QTest::newRow("all bits") << QByteArray("ffffffff-ffff-ffff-ffff-ffffffffffff");
        QTest::newRow("nil") << QByteArray("00000000-0000-0000-0000-000000000000");
        QTest::newRow("braces") << QByteArray("{0b3c39f6-5b0a-4c5e-9d3e-2a7f2b1c9e10}");
        QTest::newRow("not hex") << QByteArray("0b3c39f6-5b0a-4c5e-9d3e-2a7f2b1c9e1g");
        QTest::newRow("dash moved") << QByteArray("0b3c39f65-b0a-4c5e-9d3e-2a7f2b1c9e10");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("Chinese") << QByteArray("编号");
    }

    void uuidFromBytes()
    {
        QFETCH(QByteArray, text);
        QCOMPARE(StoreSchema::uuidFrom(text), QUuid::fromString(QString::fromUtf8(text)));
    }
};

PENNYLOOM_TEST(LoadPiecesTest)
#include "tst_LoadPieces.moc"
