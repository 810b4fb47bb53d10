// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "export/CRC32.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class CRC32Test final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void knownValues_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("no bytes") << QByteArray() << 0x00000000u;
        QTest::newRow("check string") << QByteArray("123456789") << 0xCBF43926u;
        QTest::newRow("one letter") << QByteArray("a") << 0xE8B7BE43u;
        QTest::newRow("pangram") << QByteArray("The quick brown fox jumps over the lazy dog") << 0x414FA339u;
        QTest::newRow("32 zero bytes") << QByteArray(32, '\0') << 0x190A55ADu;
        QTest::newRow("32 all-ones bytes") << QByteArray(32, '\xFF') << 0xFF6CAB0Bu;
    }

    // Both versions against published check values of the zip CRC.
    void knownValues()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(quint32, expected);
        QCOMPARE(CRC32::bitwiseChecksum(bytes), expected);
        QCOMPARE(CRC32::checksum(bytes), expected);
    }

    void fastAgreesWithDefinition_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("offset");
        // Around the sixteen-byte table step, the 64-byte fold and the 128 bytes below which
        // the tables take over, from aligned and unaligned starts.
        for (int length : {1, 15, 16, 17, 63, 64, 127, 128, 129, 143, 191, 192, 193, 255, 256, 1000, 65537})
            for (int offset : {0, 3})
                QTest::addRow("%d bytes from +%d", length, offset) << length << offset;
    }

    // The folded and the table checksums against the bit-by-bit one on random bytes, whole and
    // split at a random point into two updates.
    void fastAgreesWithDefinition()
    {
        QFETCH(int, length);
        QFETCH(int, offset);
        QRandomGenerator random(quint32(length * 31 + offset));
        for (int round = 0; round < 20; ++round) {
            QByteArray buffer(length + offset, Qt::Uninitialized);
            for (char &c : buffer)
                c = char(random.bounded(256));
            const QByteArrayView bytes = QByteArrayView(buffer).sliced(offset);
            const quint32 expected = CRC32::bitwiseChecksum(bytes);
            QCOMPARE(CRC32::checksum(bytes), expected);
            QCOMPARE(CRC32::tableUpdate(0, bytes), expected);
            const qsizetype cut = random.bounded(length + 1);
            QCOMPARE(CRC32::update(CRC32::update(0, bytes.first(cut)), bytes.sliced(cut)), expected);
            QCOMPARE(CRC32::tableUpdate(CRC32::tableUpdate(0, bytes.first(cut)), bytes.sliced(cut)),
                     expected);
        }
        if (!CRC32::multipliesCarryLess())
            qInfo("no carry-less multiplication here: only the tables were checked");
    }
};

PENNYLOOM_TEST(CRC32Test)
#include "tst_CRC32.moc"
