// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveReader.h"
#include "TestRegistry.h"

#include "export/CRC32.h"
#include "export/ZipWriter.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::vector<ZipWriter::Extent>)

namespace {

using Files = std::vector<ZipWriter::File>;

// Python's zipfile lists every entry with its method, sizes, CRC and content, and checks each
// CRC while reading.
const auto zipListing = uR"(
import json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    bad = z.testzip()
    out = []
    for info in z.infolist():
        out.append({"name": info.filename, "method": info.compress_type, "crc": info.CRC,
                    "size": info.file_size, "offset": info.header_offset,
                    "content": z.read(info).hex()})
print(json.dumps({"bad": bad, "entries": out}))
)"_s;

} // namespace

class ZipWriterTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Nothing but the end record: counts, size and offset all zero.
    void emptyArchive()
    {
        const std::optional<QByteArray> zip = ZipWriter::archive({});
        QVERIFY(zip);
        QCOMPARE(*zip, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    }

    // One file, every header field in place.
    void layoutOfOneFile()
    {
        const std::optional<QByteArray> zip = ZipWriter::archive({{u"a.txt"_s, "hi"}});
        QVERIFY(zip);
        // fromHex skips the spaces, which separate the fields.
        const QByteArray expected = QByteArray::fromHex(
            // local header: signature, version 20, flags, stored, time, date, CRC, sizes, name length,
            // extra length, name, content
            "504b0304 1400 0000 0000 0000 0000 ac2a93d8 02000000 02000000 0500 0000 612e747874 6869"
            // central header: signature, made by 20, needs 20, flags, method, time, date, CRC, sizes,
            // name length, extra, comment, disk, internal, external, local header offset, name
            "504b0102 1400 1400 0000 0000 0000 0000 ac2a93d8 02000000 02000000 0500"
            " 0000 0000 0000 0000 00000000 00000000 612e747874"
            // end record: disks, counts, directory size 51, directory offset 37, comment length
            "504b0506 0000 0000 0100 0100 33000000 25000000 0000");
        QCOMPARE(zip->toHex(), expected.toHex());
    }

    void readersAgree_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArrayList>("contents");
        QTest::newRow("empty files between others, a large one")
            << QStringList{u"a"_s, u"xl/b.xml"_s, u"c"_s, u"d"_s}
            << QByteArrayList{{}, "between", {}, QByteArray("<row>").repeated(20000)};
        QTest::newRow("non-ASCII names, binary content")
            << QStringList{u"账单/三月.txt"_s, u"bin"_s}
            << QByteArrayList{"支出", QByteArray::fromHex("00ff504b0304")};
    }

    // Python's zipfile and unzip -t read the archive back: names in order, all stored,
    // every CRC right, every byte back.
    void readersAgree()
    {
        QFETCH(QStringList, names);
        QFETCH(QByteArrayList, contents);
        Files files;
        for (qsizetype i = 0; i < names.size(); ++i)
            files.push_back({names[i], contents[i]});
        const std::optional<QByteArray> zip = ZipWriter::archive(files);
        QVERIFY(zip);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"t.zip"_s);
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(*zip) == zip->size());
        out.close();

        QByteArray errors;
        const QJsonDocument listing = ArchiveReader::python(zipListing, path, &errors);
        QVERIFY2(listing.isObject(), errors.constData());
        QVERIFY(listing[u"bad"_s].isNull());
        const QJsonArray entries = listing[u"entries"_s].toArray();
        QCOMPARE(entries.size(), names.size());
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QJsonObject entry = entries[i].toObject();
            QCOMPARE(entry[u"name"_s].toString(), names[i]);
            QCOMPARE(entry[u"method"_s].toInt(), 0);
            QCOMPARE(quint32(entry[u"crc"_s].toInteger()), CRC32::bitwiseChecksum(contents[i]));
            QCOMPARE(entry[u"content"_s].toString().toLatin1(), contents[i].toHex());
        }

        const ArchiveReader::Run unzip = ArchiveReader::run(u"unzip"_s, {u"-t"_s, path});
        QVERIFY2(unzip.exitCode == 0, unzip.output.constData());
        QVERIFY(unzip.output.contains("No errors detected"));
    }

    // Written to a device, large contents go straight from their buffers: the same bytes as
    // the archive in memory. A device that refuses the bytes fails the write.
    void writtenToDevice()
    {
        const Files files{{u"small"_s, "<a/>"}, {u"large"_s, QByteArray(200000, 'x')}, {u"tail"_s, {}}};
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(ZipWriter::write(buffer, files));
        QCOMPARE(buffer.data(), ZipWriter::archive(files).value_or(QByteArray()));
        QBuffer readOnly;
        QVERIFY(readOnly.open(QIODevice::ReadOnly));
        QString error;
        QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
        QVERIFY(!ZipWriter::write(readOnly, files, &error));
        QVERIFY(!error.isEmpty());
    }

    void writtenInPieces_data()
    {
        QTest::addColumn<QByteArrayList>("contents");
        QTest::addColumn<int>("pieceBytes");
        const QByteArray large = QByteArray("<row r=\"1\">数据</row>").repeated(5000);
        QTest::newRow("one byte at a time") << QByteArrayList{"abc", "de"} << 1;
        QTest::newRow("pieces across the fold blocks") << QByteArrayList{large, "tail"} << 1000;
        QTest::newRow("an empty file among large ones") << QByteArrayList{large, {}, large} << 65536;
    }

    // A file written in pieces gets the checksum and sizes of the whole in its header, so the
    // archive is byte for byte the one made of whole contents.
    void writtenInPieces()
    {
        QFETCH(QByteArrayList, contents);
        QFETCH(int, pieceBytes);
        Files files;
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        ZipWriter::Writer writer(buffer);
        for (qsizetype i = 0; i < contents.size(); ++i) {
            files.push_back({u"f%1"_s.arg(i), contents[i]});
            QVERIFY(writer.open(files.back().name));
            for (qsizetype at = 0; at < contents[i].size(); at += pieceBytes)
                QVERIFY(writer.append(QByteArrayView(contents[i])
                                          .sliced(at)
                                          .first(std::min<qsizetype>(pieceBytes, contents[i].size() - at))));
            QVERIFY(writer.close());
        }
        QVERIFY(writer.finish());
        QCOMPARE(buffer.data(), ZipWriter::archive(files).value_or(QByteArray()));
    }

    // An archive finished while a file is still being written would hold a header with a
    // wrong checksum: refused, as is starting a second file before the first is closed.
    void unfinishedFileRefused()
    {
        for (bool second : {false, true}) {
            QBuffer buffer;
            QVERIFY(buffer.open(QIODevice::WriteOnly));
            ZipWriter::Writer writer(buffer);
            QVERIFY(writer.open(u"a"_s) && writer.append("x"));
            QVERIFY(second ? !writer.open(u"b"_s) : !writer.finish());
            QVERIFY(!writer.errorString().isEmpty());
            QVERIFY(!writer.finish());
        }
    }

    void limits_data()
    {
        using Extents = std::vector<ZipWriter::Extent>;
        QTest::addColumn<Extents>("extents");
        QTest::addColumn<bool>("fits");
        constexpr qint64 gib = qint64(1) << 30;
        QTest::newRow("65534 files") << Extents(65534, {1, 0}) << true;
        QTest::newRow("65535 files") << Extents(65535, {1, 0}) << false;
        QTest::newRow("name of 65535 bytes") << Extents{{65535, 0}} << true;
        QTest::newRow("name of 65536 bytes") << Extents{{65536, 0}} << false;
        QTest::newRow("content just under 4 GiB") << Extents{{1, 4 * gib - 2 - 31}} << true;
        QTest::newRow("content of 4 GiB") << Extents{{1, 4 * gib}} << false;
        QTest::newRow("contents past 4 GiB together") << Extents{{1, 3 * gib}, {1, 2 * gib}} << false;
        QTest::newRow("last header starts past 4 GiB")
            << Extents{{1, 2 * gib}, {1, 2 * gib}, {1, 0}} << false;
    }

    void limits()
    {
        QFETCH(std::vector<ZipWriter::Extent>, extents);
        QFETCH(bool, fits);
        QCOMPARE(ZipWriter::limitError(extents).isEmpty(), fits);
    }

    // The archive itself is refused, with a reason, not written wrapped around.
    void refusesTooManyFiles()
    {
        QString error;
        QVERIFY(!ZipWriter::archive(Files(65535, {u"n"_s, {}}), &error));
        QVERIFY(!error.isEmpty());
    }
};

PENNYLOOM_TEST(ZipWriterTest)
#include "tst_ZipWriter.moc"
